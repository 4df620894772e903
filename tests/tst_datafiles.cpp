#include "app/core/cursorfile.h"
#include "app/core/jpegfile.h"
#include "app/datafiles.h"
#include "app/form1.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QtEndian>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// Data files are read from the current directory at load, with the built-in
// copies standing in for what is missing or unreadable.
class TestDataFiles : public TestCase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void builtInCopiesAreSound();
    void pngImageSize_data();
    void pngImageSize();
    void hotspotOfCursorFile_data();
    void hotspotOfCursorFile();
    void filesComeFromTheCurrentDirectory();
    void missingOrBrokenFilesFallBack();
    void nonRegularFilesCountAsMissing_data();
    void nonRegularFilesCountAsMissing();
    void iconKeepsSmallImagesOnly_data();
    void iconKeepsSmallImagesOnly();
    void windowIconIsDecodedOnce();
    void cutShortJpegFallsBack();
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

namespace {
QByteArray bmpHeader(int width, int height)
{
    QByteArray header(40, '\0');
    qToLittleEndian<quint32>(40, header.data());
    qToLittleEndian<qint32>(width, header.data() + 4);
    qToLittleEndian<qint32>(2 * height, header.data() + 8);
    return header;
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray builtIn(const char *name)
{
    QFile file(datafiles::builtInPath(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first image of the built-in icon file, a real 16 x 16 icon.
QByteArray builtInIcon16()
{
    const QByteArray file = builtIn("Icon.ICO");
    return file.mid(qFromLittleEndian<quint32>(file.constData() + 18),
                    qFromLittleEndian<quint32>(file.constData() + 14));
}

QList<QSize> sizesOf(const QIcon &icon)
{
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    return sizes;
}
} // namespace

// The size a PNG image claims in its header, where PNG allows it.
void TestDataFiles::pngImageSize_data()
{
    QTest::addColumn<int>("headerOffset"); // of the side changed: 16 width, 20 height
    QTest::addColumn<quint32>("side");
    QTest::addColumn<QSize>("size"); // empty for none
    QTest::newRow("as written") << 16 << 16u << QSize(16, 8);
    QTest::newRow("width 0") << 16 << 0u << QSize();
    QTest::newRow("height 0") << 20 << 0u << QSize();
    QTest::newRow("width 2^31") << 16 << 0x80000000u << QSize();
}

void TestDataFiles::pngImageSize()
{
    QFETCH(int, headerOffset);
    QFETCH(quint32, side);
    QFETCH(QSize, size);
    QByteArray image = png(16, 8);
    qToBigEndian<quint32>(side, image.data() + headerOffset);
    QCOMPARE(iconImageSize(iconFile(2, {{image, {0, 0}}}), 0).value_or(QSize()), size);
}

void TestDataFiles::hotspotOfCursorFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("isCursor");
    QTest::addColumn<QPoint>("hotspot");
    const QByteArray bmp32 = bmpHeader(32, 32);
    const auto cursor = [&](QPoint hotspot) { return iconFile(2, {{bmp32, hotspot}}); };
    QTest::newRow("cursor") << cursor({5, 9}) << true << QPoint(5, 9);
    QTest::newRow("last pixel") << cursor({31, 31}) << true << QPoint(31, 31);
    QTest::newRow("PNG cursor") << iconFile(2, {{png(16, 8), {15, 7}}}) << true << QPoint(15, 7);
    // A hotspot outside the picture is refused by the windowing system.
    QTest::newRow("past the picture") << cursor({40, 40}) << false << QPoint();
    QTest::newRow("one past the edge") << cursor({32, 0}) << false << QPoint();
    QTest::newRow("60000") << cursor({60000, 60000}) << false << QPoint();
    QTest::newRow("past a PNG picture") << iconFile(2, {{png(16, 8), {3, 8}}}) << false << QPoint();
    QTest::newRow("picture too large")
        << iconFile(2, {{bmpHeader(300, 300), {1, 1}}}) << false << QPoint();
    QTest::newRow("icon") << iconFile(1, {{bmp32, {5, 9}}}) << false << QPoint();
    // The header: reserved 0, type 2.
    auto withHeader = [&](quint16 reserved, quint16 type) {
        QByteArray file = cursor({5, 9});
        qToLittleEndian<quint16>(reserved, file.data());
        qToLittleEndian<quint16>(type, file.data() + 2);
        return file;
    };
    QTest::newRow("reserved field set") << withHeader(1, 2) << false << QPoint();
    QTest::newRow("type 0") << withHeader(0, 0) << false << QPoint();
    QTest::newRow("type 3") << withHeader(0, 3) << false << QPoint();
    QTest::newRow("no entries") << iconFile(2, {}) + bmp32 << false << QPoint();
    QTest::newRow("data past the end") << cursor({5, 9}).chopped(1) << false << QPoint();
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
    QCOMPARE(datafiles::bytes(QStringLiteral("P.txt"), 100), QByteArray("own text"));
    QCOMPARE(datafiles::bytes(QStringLiteral("P.txt"), 3), QByteArray("own"));
}

void TestDataFiles::missingOrBrokenFilesFallBack()
{
    QCOMPARE(datafiles::picture(QStringLiteral("L.jpg")).size(), QSize(325, 166));
    folder_->write(QStringLiteral("L.jpg"), "not a picture");
    folder_->write(QStringLiteral("Icon.ICO"), "not an icon");
    folder_->write(QStringLiteral("Pointer.cur"), "not a cursor");
    QCOMPARE(datafiles::picture(QStringLiteral("L.jpg")).size(), QSize(325, 166));
    QCOMPARE(sizesOf(datafiles::readWindowIcon()),
             sizesOf(QIcon(datafiles::builtInPath(datafiles::icon))));
    QCOMPARE(datafiles::cursor(QStringLiteral("Pointer.cur")).shape(), Qt::BitmapCursor);
}

namespace {
#ifndef Q_OS_WIN
// What a window gets from a data file, in a form that tests can compare;
// only where a data file can be a FIFO, a device or a folder.
QString loaded(const QString &name)
{
    if (name == datafiles::principleText)
        return QString::fromLatin1(datafiles::bytes(name, 64).toHex());
    if (name == datafiles::icon) {
        QStringList sizes;
        for (QSize size : sizesOf(datafiles::readWindowIcon()))
            sizes << QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        return sizes.join(u' ');
    }
    if (name == datafiles::linkCursor) {
        const QCursor cursor = datafiles::cursor(name);
        return QStringLiteral("%1 at %2,%3")
            .arg(cursor.shape())
            .arg(cursor.hotSpot().x())
            .arg(cursor.hotSpot().y());
    }
    const QSize size = datafiles::picture(name).size();
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// Loads a data file that is a FIFO. A load that waits on the FIFO is freed
// after a while by writing into it, and the test fails.
QString loadedFromFifo(const QString &name, bool &blocked)
{
    const QByteArray path = QFile::encodeName(datafiles::pathInCurrentDirectory(name));
    if (::mkfifo(path.constData(), 0600) != 0)
        return QStringLiteral("no FIFO");
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::atomic<bool> freed = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (done.wait_for(lock, std::chrono::seconds(3), [&] { return finished; }))
            return;
        // Opening for writing without a wait succeeds only while a reader has it open.
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            freed = true;
            [[maybe_unused]] const ssize_t written = ::write(fd, "junk", 4);
            ::close(fd);
        }
    });
    const QString result = loaded(name);
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    blocked = freed;
    return result;
}
#endif
} // namespace

void TestDataFiles::nonRegularFilesCountAsMissing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    for (const QLatin1String name :
         {datafiles::principleText, datafiles::icon, datafiles::circuitPicture,
          datafiles::linkCursor, datafiles::measurementPicture})
        QTest::addRow("FIFO %s", name.data()) << QString(name) << "FIFO";
    QTest::newRow("P.txt as /dev/zero") << QString(datafiles::principleText) << "/dev/zero";
    QTest::newRow("sch.jpg as /dev/zero") << QString(datafiles::circuitPicture) << "/dev/zero";
    QTest::newRow("Icon.ICO as a folder") << QString(datafiles::icon) << "folder";
}

void TestDataFiles::nonRegularFilesCountAsMissing()
{
#ifdef Q_OS_WIN
    QSKIP("FIFOs and /dev/zero are POSIX things");
#else
    QFETCH(QString, name);
    QFETCH(QString, kind);
    const QString builtInResult = loaded(name);
    const QByteArray path = QFile::encodeName(datafiles::pathInCurrentDirectory(name));
    if (kind == QLatin1String("FIFO")) {
#ifdef Q_OS_WASM
        QSKIP("the page's file system, which lives in memory, has no FIFOs");
#endif
        bool blocked = false;
        QCOMPARE(loadedFromFifo(name, blocked), builtInResult);
        QVERIFY2(!blocked, "the load waited on the FIFO");
        return;
    }
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(folder_->path()).mkdir(name));
    else
        QCOMPARE(::symlink("/dev/zero", path.constData()), 0);
    QCOMPARE(loaded(name), builtInResult);
#endif
}

void TestDataFiles::iconKeepsSmallImagesOnly_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QSize>>("sizes");
    const QList<QSize> builtInSizes = sizesOf(QIcon(datafiles::builtInPath(datafiles::icon)));
    const QByteArray icon16 = builtInIcon16();
    QTest::newRow("16 then 512") << iconFile(1, {{icon16, {1, 32}}, {png(512, 512), {1, 32}}})
                                 << QList<QSize> {{16, 16}};
    QTest::newRow("257 wide") << iconFile(1, {{png(257, 16), {1, 32}}, {png(32, 32), {1, 32}}})
                              << QList<QSize> {{32, 32}};
    QTest::newRow("largest usable")
        << iconFile(1, {{png(256, 256), {1, 32}}}) << QList<QSize> {{256, 256}};
    QTest::newRow("512 only") << iconFile(1, {{png(512, 512), {1, 32}}}) << builtInSizes;
    QTest::newRow("broken entry") << iconFile(1, {{"junk", {}}, {icon16, {1, 32}}})
                                  << QList<QSize> {{16, 16}};
    // A data file is read whole up to its bound, and past it counts as missing.
    const QByteArray small = iconFile(1, {{icon16, {1, 32}}});
    const auto paddedTo
        = [&](qint64 size) { return small + QByteArray(size - small.size(), '\0'); };
    QTest::newRow("exactly 16 MB")
        << paddedTo(datafiles::maxDataFileBytes) << QList<QSize> {{16, 16}};
    QTest::newRow("16 MB and a byte") << paddedTo(datafiles::maxDataFileBytes + 1) << builtInSizes;
}

void TestDataFiles::iconKeepsSmallImagesOnly()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QSize>, sizes);
    folder_->write(datafiles::icon, file);
    QCOMPARE(sizesOf(datafiles::readWindowIcon()), sizes);
}

void TestDataFiles::windowIconIsDecodedOnce()
{
    const QIcon first = datafiles::windowIcon();
    QVERIFY(!first.isNull());
    QCOMPARE(datafiles::windowIcon().cacheKey(), first.cacheKey());
}

void TestDataFiles::cutShortJpegFallsBack()
{
    // The first third of another picture, which would show mostly grey.
    const QByteArray other = builtIn("L.jpg");
    folder_->write(datafiles::circuitPicture, other.first(other.size() / 3));
    QCOMPARE(datafiles::picture(datafiles::circuitPicture).size(), QSize(411, 278));
    // Cut anywhere, the shipped picture is found to be cut short.
    const QByteArray shipped = builtIn("sch.jpg");
    QVERIFY(jpegRunsToEnd(shipped));
    for (qsizetype size = 0; size < shipped.size(); size += 13)
        QVERIFY2(!jpegRunsToEnd(shipped.first(size)), qPrintable(QString::number(size)));
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
