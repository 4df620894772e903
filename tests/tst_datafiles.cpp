#include "app/cursorfile.h"
#include "app/datafiles.h"
#include "app/form1.h"
#include "support/testsupport.h"

#include <QDir>
#include <QImage>
#include <QLabel>

// Data files are read from the current directory at load, with the built-in
// copies standing in for what is missing or unreadable.
class TestDataFiles : public TestCase {
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
    std::unique_ptr<ScratchDirectory> folder_;
};

void TestDataFiles::init()
{
    failOnUnexpectedWarnings();
    folder_ = std::make_unique<ScratchDirectory>();
}

void TestDataFiles::cleanup()
{
    folder_.reset();
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
    QVERIFY(red.save(QDir(folder_->path()).filePath(QStringLiteral("sch.jpg")), "JPG"));
    QCOMPARE(datafiles::picture(QStringLiteral("sch.jpg")).size(), QSize(411, 100));
    folder_->write(QStringLiteral("P.txt"), "own text");
    QCOMPARE(datafiles::bytes(QStringLiteral("P.txt")), QByteArray("own text"));
}

void TestDataFiles::missingOrBrokenFilesFallBack()
{
    QCOMPARE(datafiles::picture(QStringLiteral("L.jpg")).size(), QSize(325, 166));
    folder_->write(QStringLiteral("L.jpg"), "not a picture");
    folder_->write(QStringLiteral("Icon.ICO"), "not an icon");
    folder_->write(QStringLiteral("Pointer.cur"), "not a cursor");
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
