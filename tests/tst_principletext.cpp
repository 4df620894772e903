#include "help/core/principletext.h"
#include "support/testcase.h"

#include <QFile>
#include <QStringDecoder>

// Reading the principle text: line ends and encodings.
class TestPrincipleText : public TestCase {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void cutAtBounds_data();
    void cutAtBounds();
    void windows1251AgreesWithSystemConverter();
    void builtInTextIsUtf8WithCrLf();
};

void TestPrincipleText::reads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::newRow("three lines") << QByteArray("A\r\nB\r\nC\r\n") << "A\r\nB\r\nC\r\n";
    QTest::newRow("no final terminator") << QByteArray("A\r\nB\r\nC") << "A\r\nB\r\nC\r\n";
    QTest::newRow("empty line in the middle") << QByteArray("A\r\n\r\nC") << "A\r\n\r\nC\r\n";
    QTest::newRow("CR alone") << QByteArray("A\rB\r\rC") << "A\r\nB\r\n\r\nC\r\n";
    QTest::newRow("LF alone stays in its line") << QByteArray("A\nB\n\r\n") << "A\nB\n\r\n";
    QTest::newRow("empty file") << QByteArray() << "";

    const QString words = QStringLiteral("Принцип работы: Ёж, №1\r\n");
    QTest::newRow("UTF-8") << words.toUtf8() << words;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF") + words.toUtf8() << words;
    QTest::newRow("Windows-1251") << QByteArray::fromHex(
        "cff0e8edf6e8ef20f0e0e1eef2fb3a20a8e62c20b9310d0a")
                                  << words;
    // One sequence that is not UTF-8 makes the whole file Windows-1251.
    QTest::newRow("stray byte after UTF-8") << QByteArray("\xD0\x90\xC0") << "РђА\r\n";
    QTest::newRow("overlong UTF-8") << QByteArray("\xC0\xAF") << "АЇ\r\n";
    QTest::newRow("UTF-8 cut inside the last letter") << QByteArray("\xD0\x96\xD0") << "Р–Р\r\n";
}

void TestPrincipleText::reads()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QCOMPARE(principletext::read(file), text);
}

void TestPrincipleText::cutAtBounds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("shown");
    const QString notice = principletext::leftOutNotice() + "\r\n";
    QTest::newRow("as many lines as allowed") << QByteArray("A\rB\r\n") << 10 << 2 << "A\r\nB\r\n";
    QTest::newRow("one line too many") << QByteArray("A\rB\rC") << 10 << 2 << "A\r\nB\r\n" + notice;
    QTest::newRow("as many bytes as allowed") << QByteArray("ABCD") << 4 << 9 << "ABCD\r\n";
    QTest::newRow("one byte too many") << QByteArray("ABCDE") << 4 << 9 << "ABCD\r\n" + notice;
    // Cut inside the second letter, the text stays UTF-8 rather than
    // turning into Windows-1251.
    QTest::newRow("cut inside a letter") << QString("ЖЖ").toUtf8() << 3 << 9 << "Ж\r\n" + notice;
    QTest::newRow("Windows-1251 cut") << QByteArray("\xC6\xC6\xC6") << 2 << 9 << "ЖЖ\r\n" + notice;
}

void TestPrincipleText::cutAtBounds()
{
    QFETCH(QByteArray, file);
    QFETCH(int, bytes);
    QFETCH(int, lines);
    QFETCH(QString, shown);
    QCOMPARE(principletext::read(file, {bytes, lines}), shown);
}

void TestPrincipleText::windows1251AgreesWithSystemConverter()
{
    QStringDecoder system("windows-1251");
    if (!system.isValid())
        QSKIP("this Qt has no Windows-1251 converter to compare with");
    QByteArray every(256, '\0');
    for (int b = 0; b < 256; ++b)
        every[b] = char(b);
    const QString ours = principletext::fromWindows1251(every);
    const QString theirs = system.decode(every);
    QCOMPARE(ours.size(), 256);
    for (int b = 0; b < 256; ++b)
        QVERIFY2(ours[b] == theirs[b], qPrintable(QStringLiteral("byte %1").arg(b, 2, 16)));
}

// The text that ships with the program: UTF-8 without a byte-order mark,
// every line ended by CR LF, so that it reads the same everywhere.
void TestPrincipleText::builtInTextIsUtf8WithCrLf()
{
    QFile file(QStringLiteral(":/assets/P.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 1000);
    QVERIFY(bytes.size() < principletext::Limits {}.bytes);
    QVERIFY(bytes.count('\r') < principletext::Limits {}.lines);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    QVERIFY(!utf8.hasError());
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(principletext::read(bytes), decoded);
}

QTEST_GUILESS_MAIN(TestPrincipleText)
#include "tst_principletext.moc"
