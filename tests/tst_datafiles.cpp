#include "app/cursorfile.h"
#include "app/datafiles.h"
#include "app/form1.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

// Data files are read from the current directory at load, with the built-in
// copies standing in for what is missing or unreadable.
class TestDataFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void builtInCopiesAreSound();
    void hotspotOfCursorFile_data();
    void hotspotOfCursorFile();
    void filesComeFromTheCurrentDirectory();
    void missingOrBrokenFilesFallBack();
    void mainWindowStartsWithoutFiles();

private:
    void writeFile(const QString &name, const QByteArray &bytes);
    QTemporaryDir folder_;
    QString savedDirectory_;
};

void TestDataFiles::init()
{
    savedDirectory_ = QDir::currentPath();
    QVERIFY(folder_.isValid());
    QVERIFY(QDir::setCurrent(folder_.path()));
}

void TestDataFiles::cleanup()
{
    QDir::setCurrent(savedDirectory_);
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
}

void TestDataFiles::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(folder_.path()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestDataFiles::builtInCopiesAreSound()
{
    QCOMPARE(QImage(datafiles::builtInPath(QStringLiteral("sch.jpg"))).size(), QSize(411, 278));
    QCOMPARE(QImage(datafiles::builtInPath(QStringLiteral("L.jpg"))).size(), QSize(325, 166));
    QVERIFY(!QImage(datafiles::builtInPath(QStringLiteral("Icon.ICO"))).isNull());
    QCOMPARE(datafiles::linkPicture().size(), QSize(88, 32));
    QFile cursorFile(datafiles::builtInPath(QStringLiteral("Pointer.cur")));
    QVERIFY(cursorFile.open(QIODevice::ReadOnly));
    const QByteArray cursor = cursorFile.readAll();
    QVERIFY(!QImage::fromData(cursor).isNull());
    QVERIFY(cursorHotspot(cursor).has_value());
}

void TestDataFiles::hotspotOfCursorFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("isCursor");
    QTest::addColumn<QPoint>("hotspot");
    const QByteArray entry = QByteArray::fromHex("2020000005000900e80200001600000000");
    QTest::newRow("cursor") << QByteArray::fromHex("000002000100") + entry << true << QPoint(5, 9);
    QTest::newRow("icon") << QByteArray::fromHex("000001000100") + entry << false << QPoint();
    QTest::newRow("no entries") << QByteArray::fromHex("000002000000") + entry << false << QPoint();
    QTest::newRow("cut short") << QByteArray::fromHex("0000020001002020") << false << QPoint();
    QTest::newRow("empty") << QByteArray() << false << QPoint();
}

void TestDataFiles::hotspotOfCursorFile()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, isCursor);
    QFETCH(QPoint, hotspot);
    const auto found = ::cursorHotspot(file);
    QCOMPARE(found.has_value(), isCursor);
    if (isCursor)
        QCOMPARE(*found, hotspot);
}

void TestDataFiles::filesComeFromTheCurrentDirectory()
{
    QImage red(411, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(QDir(folder_.path()).filePath(QStringLiteral("sch.jpg")), "JPG"));
    QCOMPARE(datafiles::picture(QStringLiteral("sch.jpg")).size(), QSize(411, 100));
    writeFile(QStringLiteral("P.txt"), "own text");
    QCOMPARE(datafiles::bytes(QStringLiteral("P.txt")), QByteArray("own text"));
}

void TestDataFiles::missingOrBrokenFilesFallBack()
{
    QCOMPARE(datafiles::picture(QStringLiteral("L.jpg")).size(), QSize(325, 166));
    writeFile(QStringLiteral("L.jpg"), "not a picture");
    writeFile(QStringLiteral("Icon.ICO"), "not an icon");
    writeFile(QStringLiteral("Pointer.cur"), "not a cursor");
    QCOMPARE(datafiles::picture(QStringLiteral("L.jpg")).size(), QSize(325, 166));
    QVERIFY(!datafiles::windowIcon().isNull());
    QCOMPARE(datafiles::cursor(QStringLiteral("Pointer.cur")).shape(), Qt::BitmapCursor);
}

void TestDataFiles::mainWindowStartsWithoutFiles()
{
    MessageLog log;
    Form1 form1;
    form1.showLoaded();
    QVERIFY(form1.isVisible());
    QCOMPARE(control<QLabel>(&form1, "Image1")->pixmap().size(), QSize(411, 278));
    QVERIFY(log.messages().isEmpty());
}

KORINDO_TEST_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
