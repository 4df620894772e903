#include "app/form1.h"
#include "help/core/principletext.h"
#include "support/testsupport.h"

#include <QPlainTextEdit>

// The principle-of-operation window, driven through its widgets.
class TestForm2 : public WindowTest {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheFile_data();
    void showsTheFile();
    void missingFileShowsBuiltInText();
    void textAndFocus();
    void hideKeepsTextCloseRereads();
    void reminder();

private:
    void openForm2();
    QString shown() const;
    std::unique_ptr<ScratchDirectory> directory_;
    QWidget *form2_ = nullptr;
};

void TestForm2::init()
{
    directory_ = std::make_unique<ScratchDirectory>();
    startProgram();
}

void TestForm2::cleanup()
{
    endProgram();
    directory_.reset();
}

// "Принцип работы" in the main window.
void TestForm2::openForm2()
{
    form2_ = open("Command1", "Form2");
    QVERIFY(form2_);
}

QString TestForm2::shown() const
{
    return control<QPlainTextEdit>(form2_, "Text1")->toPlainText();
}

void TestForm2::showsTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("paragraphs");
    // One paragraph per line, none after the last: the CR LF ends are not doubled.
    QTest::newRow("three lines") << QByteArray("A\r\nB\r\nC\r\n") << "A\nB\nC" << 3;
    QTest::newRow("empty line in the middle") << QByteArray("A\r\n\r\nC") << "A\n\nC" << 3;
    // A lone LF breaks the line on screen but does not end it.
    QTest::newRow("LF alone") << QByteArray("A\nB\r\nC") << "A\nB\nC" << 2;
    QTest::newRow("Windows-1251") << QByteArray::fromHex("cff0e8e2e5f20d0ae4f0f3e3")
                                  << "Привет\nдруг" << 2;
    QTest::newRow("empty file") << QByteArray() << "" << 1;
    // Past the bounds, the lines within them and a last line saying so.
    const QString notice = principletext::leftOutNotice();
    const principletext::Limits bounds;
    QTest::newRow("1 MB of CRs") << QByteArray(1 << 20, '\r')
                                 << QString(bounds.lines, u'\n') + notice << int(bounds.lines + 1);
    QTest::newRow("one 1 MB line")
        << QByteArray(1 << 20, 'x') << QString(bounds.bytes, u'x') + u'\n' + notice << 2;
}

void TestForm2::showsTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QFETCH(int, paragraphs);
    directory_->write(QStringLiteral("P.txt"), file);
    openForm2();
    QCOMPARE(shown(), text);
    QCOMPARE(control<QPlainTextEdit>(form2_, "Text1")->blockCount(), paragraphs);
}

void TestForm2::missingFileShowsBuiltInText()
{
    openForm2();
    QFile builtIn(QStringLiteral(":/assets/P.txt"));
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    const QString expected = principletext::toDisplayText(principletext::read(builtIn.readAll()));
    QVERIFY(expected.size() > 1000);
    QCOMPARE(shown(), expected);
}

void TestForm2::textAndFocus()
{
    openForm2();
    auto *text = control<QPlainTextEdit>(form2_, "Text1");
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(form2_->focusWidget(), text);
}

void TestForm2::hideKeepsTextCloseRereads()
{
    directory_->write(QStringLiteral("P.txt"), "First\r\n");
    openForm2();
    clickButton(form2_, "Command1");
    QVERIFY(!form2_->isVisible());
    directory_->write(QStringLiteral("P.txt"), "Second\r\n");
    openForm2();
    QCOMPARE(shown(), QStringLiteral("First"));

    QVERIFY(form2_->close());
    openForm2();
    QCOMPARE(window("Form2"), form2_);
    QCOMPARE(shown(), QStringLiteral("Second"));
}

void TestForm2::reminder()
{
    openForm2();
    const Message reminder {QStringLiteral("Прочитайте еще раз!"), QStringLiteral("Указание"),
                            MessageIcon::Warning};
    clickButton(form2_, "Command2");
    clickButton(form2_, "Command2");
    QCOMPARE(log_->take(), (QList<Message> {reminder, reminder}));
    QVERIFY(form2_->isVisible());
}

KORINDO_TEST_MAIN(TestForm2)
#include "tst_form2.moc"
