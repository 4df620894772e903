// assetgen: draws the application's pictures and checks the files.
//   assetgen generate DIR   writes sch.png, L.png, icon16/32/48.png, Pointer.cur,
//                           the banner frames dark.png, lit.png, hi.png and the
//                           menu icons korindo-SIZE.png and korindo.svg
//   assetgen check DIR      checks sch.jpg, L.jpg, Icon.ICO, Pointer.cur, link.gif
//                           and the menu icons
#include "curfile.h"
#include "pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QSet>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr int menuIconSizes[] = {16, 24, 32, 48, 64, 128, 192, 256, 512};

[[noreturn]] void fail(const QString &what)
{
    throw std::runtime_error(what.toStdString());
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        fail("cannot write " + path);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail("cannot read " + path);
    return f.readAll();
}

void savePng(const QImage &img, const QString &path)
{
    if (!img.save(path, "PNG"))
        fail("cannot write " + path);
}

unsigned le16(const QByteArray &b, qsizetype at)
{
    if (at + 2 > b.size())
        fail("file cut short");
    return uchar(b[at]) | (unsigned(uchar(b[at + 1])) << 8);
}

// ------------------------------------------------------------ banner

// A GIF pixel is opaque or clear: half-covered edge pixels go one way or the
// other here, rather than all to clear in ImageMagick's GIF writer.
QImage opaqueOrClear(const QImage &source)
{
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            img.setPixel(x, y, qAlpha(c) < 128 ? qRgba(0, 0, 0, 0) : (c | 0xff000000u));
        }
    return img;
}

// The three frames of the forum banner, for ImageMagick to put into a GIF:
// the dark and the lit banner whole, and the highlight as a frame over the lit
// one that covers only its box, placed by its PNG offset and clear where
// nothing changes.
void saveBannerFrames(const QString &dir)
{
    const QImage dark = opaqueOrClear(banner(BannerState::Dark));
    const QImage lit = opaqueOrClear(banner(BannerState::Lit));
    const QImage bright = opaqueOrClear(banner(BannerState::Highlighted));
    const QRect box = bannerHighlightRect();
    for (int y = 0; y < lit.height(); ++y)
        for (int x = 0; x < lit.width(); ++x)
            if (!box.contains(x, y) && lit.pixel(x, y) != bright.pixel(x, y))
                fail(QString("banner highlight changes pixel (%1, %2) outside its box")
                         .arg(x)
                         .arg(y));

    QImage highlight = bright.copy(box);
    const QImage under = lit.copy(box);
    bool changed = false;
    for (int y = 0; y < highlight.height(); ++y)
        for (int x = 0; x < highlight.width(); ++x) {
            if (highlight.pixel(x, y) == under.pixel(x, y))
                highlight.setPixel(x, y, qRgba(0, 0, 0, 0));
            else
                changed = true;
        }
    if (!changed)
        fail("highlight frame changes nothing");
    highlight.setOffset(box.topLeft());

    savePng(dark, dir + "/dark.png");
    savePng(lit, dir + "/lit.png");
    savePng(highlight, dir + "/hi.png");
}

void generate(const QString &dir)
{
    savePng(lampCircuit(), dir + "/sch.png");
    savePng(chokeMeasurement(), dir + "/L.png");
    for (int s : {16, 32, 48})
        savePng(lampIcon(s), dir + QString("/icon%1.png").arg(s));
    // ImageMagick writes no hotspot into a cursor file.
    const Cursor hand = pointingHand();
    writeFile(dir + "/Pointer.cur", curFile(hand.image, hand.hotspot));
    saveBannerFrames(dir);
    // The desktop's menu icon in the sizes of the hicolor theme.
    for (int s : menuIconSizes)
        savePng(lampIcon(s), dir + QString("/korindo-%1.png").arg(s));
    writeFile(dir + "/korindo.svg", lampIconSvg());
}

// ---------------------------------------------------------------- checks

void checkPicture(const QString &path, QSize size)
{
    QImageReader r(path);
    const QImage img = r.read();
    if (img.isNull())
        fail(path + ": " + r.errorString());
    if (img.size() != size)
        fail(QString("%1 is %2 x %3, not %4 x %5")
                 .arg(path)
                 .arg(img.width())
                 .arg(img.height())
                 .arg(size.width())
                 .arg(size.height()));
}

void checkIcon(const QString &path)
{
    const QByteArray b = readFile(path);
    if (le16(b, 0) != 0 || le16(b, 2) != 1 || le16(b, 4) != 3)
        fail(path + ": not an icon file with three images");
    QImageReader r(path, "ico");
    QList<int> sizes;
    for (int i = 0; i < r.imageCount(); ++i) {
        r.jumpToImage(i);
        const QImage img = r.read().convertToFormat(QImage::Format_ARGB32);
        if (img.isNull() || img.width() != img.height())
            fail(path + ": unreadable image");
        if (qAlpha(img.pixel(0, img.height() - 1)) != 0)
            fail(path + ": background is not transparent");
        sizes << img.width();
    }
    std::sort(sizes.begin(), sizes.end());
    if (sizes != QList<int> {16, 32, 48})
        fail(path + ": sizes are not 16, 32, 48");
}

void checkCursor(const QString &path)
{
    const QByteArray b = readFile(path);
    if (le16(b, 0) != 0 || le16(b, 2) != 2 || le16(b, 4) != 1)
        fail(path + ": not a cursor file with one image");
    if (uchar(b[6]) != 32 || uchar(b[7]) != 32)
        fail(path + ": cursor is not 32 x 32");
    const int hx = int(le16(b, 10)), hy = int(le16(b, 12));

    if (!QImageReader::supportedImageFormats().contains("cur"))
        fail("Qt has no cur reader");
    QImage img;
    for (const char *format : {"cur", "ico"}) {
        QImageReader r(path, format);
        img = r.read().convertToFormat(QImage::Format_ARGB32);
        if (img.isNull() || img.size() != QSize(32, 32))
            fail(QString("%1: Qt cannot read it as %2: %3").arg(path, format, r.errorString()));
    }
    // The hotspot is the fingertip: the middle of the topmost opaque row.
    int topRow = -1, first = -1, last = -1;
    for (int y = 0; y < 32 && topRow < 0; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(img.pixel(x, y)) == 255) {
                topRow = y;
                if (first < 0)
                    first = x;
                last = x;
            }
    if (topRow != hy || (first + last) / 2 != hx || qAlpha(img.pixel(hx, hy)) != 255)
        fail(QString("%1: hotspot (%2, %3) is not the fingertip (%4, %5)")
                 .arg(path)
                 .arg(hx)
                 .arg(hy)
                 .arg((first + last) / 2)
                 .arg(topRow));
    std::printf("%s: cursor 32x32, hotspot (%d, %d) on the fingertip\n", qPrintable(path), hx, hy);
}

struct GifInfo {
    int width = 0, height = 0, tableSize = 0, loops = -1;
    struct Frame {
        int left, top, width, height, delay;
        bool transparent, localTable;
    };
    std::vector<Frame> frames;
};

GifInfo parseGif(const QByteArray &b)
{
    GifInfo g;
    if (!b.startsWith("GIF89a"))
        fail("not a GIF89a file");
    g.width = int(le16(b, 6));
    g.height = int(le16(b, 8));
    const uchar packed = uchar(b[10]);
    qsizetype at = 13;
    if (packed & 0x80) {
        g.tableSize = 1 << ((packed & 7) + 1);
        at += 3 * g.tableSize;
    }
    auto skipBlocks = [&] {
        while (at < b.size() && uchar(b[at]) != 0)
            at += uchar(b[at]) + 1;
        ++at;
    };
    int delay = -1;
    bool transparent = false;
    while (at < b.size()) {
        const uchar kind = uchar(b[at]);
        if (kind == 0x3b)
            return g;
        if (kind == 0x21) {
            const uchar label = uchar(b[at + 1]);
            if (label == 0xf9) {
                transparent = uchar(b[at + 3]) & 1;
                delay = int(le16(b, at + 4));
            } else if (label == 0xff && b.mid(at + 3, 11) == "NETSCAPE2.0") {
                g.loops = int(le16(b, at + 16));
            }
            at += 2;
            skipBlocks();
        } else if (kind == 0x2c) {
            GifInfo::Frame f {int(le16(b, at + 1)),
                              int(le16(b, at + 3)),
                              int(le16(b, at + 5)),
                              int(le16(b, at + 7)),
                              delay,
                              transparent,
                              bool(uchar(b[at + 9]) & 0x80)};
            g.frames.push_back(f);
            at += 10;
            if (f.localTable)
                at += 3 * (1 << ((uchar(b[at - 1]) & 7) + 1));
            ++at; // LZW minimum code size
            skipBlocks();
            delay = -1;
            transparent = false;
        } else {
            fail("unknown GIF block");
        }
    }
    fail("GIF has no trailer");
}

void checkGif(const QString &path)
{
    const GifInfo g = parseGif(readFile(path));
    if (g.width != 88 || g.height != 32)
        fail(path + ": screen is not 88 x 32");
    if (g.tableSize != 128)
        fail(QString("%1: global colour table has %2 entries").arg(path).arg(g.tableSize));
    if (g.loops != 0)
        fail(path + ": does not loop forever");
    const std::vector<GifInfo::Frame> want {{0, 0, 88, 32, 200, true, false},
                                            {0, 0, 88, 32, 100, true, false},
                                            {40, 7, 47, 9, 100, true, false}};
    if (g.frames.size() != want.size())
        fail(QString("%1: %2 frames").arg(path).arg(g.frames.size()));
    for (size_t i = 0; i < want.size(); ++i) {
        const auto &f = g.frames[i], &w = want[i];
        if (f.left != w.left || f.top != w.top || f.width != w.width || f.height != w.height
            || f.delay != w.delay || !f.transparent || f.localTable)
            fail(QString("%1: frame %2 is %3x%4+%5+%6, delay %7")
                     .arg(path)
                     .arg(i + 1)
                     .arg(f.width)
                     .arg(f.height)
                     .arg(f.left)
                     .arg(f.top)
                     .arg(f.delay));
        std::printf("%s: frame %zu %dx%d+%d+%d delay %d cs\n", qPrintable(path), i + 1, f.width,
                    f.height, f.left, f.top, f.delay);
    }
    // Every colour of the table is shown somewhere: 127 colours plus the transparent one.
    QImageReader r(path, "gif");
    QSet<QRgb> colours;
    bool clear = false;
    while (r.canRead()) {
        const QImage img = r.read().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (qAlpha(c) == 0)
                    clear = true;
                else
                    colours.insert(c);
            }
    }
    if (!clear || colours.size() != 127)
        fail(QString("%1: shows %2 colours%3")
                 .arg(path)
                 .arg(colours.size())
                 .arg(clear ? "" : ", no transparency"));
    std::printf("%s: 128-entry global table, loops forever, 127 colours shown plus transparency\n",
                qPrintable(path));
}

void checkMenuIcons(const QString &dir)
{
    for (int s : menuIconSizes)
        checkPicture(dir + QString("/korindo-%1.png").arg(s), {s, s});
    QImageReader svg(dir + "/korindo.svg");
    if (svg.canRead() && svg.read().isNull())
        fail("korindo.svg: " + svg.errorString());
    if (!readFile(dir + "/korindo.svg").contains("viewBox=\"0 0 48 48\""))
        fail("korindo.svg is not square");
}

void check(const QString &dir)
{
    checkPicture(dir + "/sch.jpg", {411, 278});
    checkPicture(dir + "/L.jpg", {325, 166});
    checkIcon(dir + "/Icon.ICO");
    checkCursor(dir + "/Pointer.cur");
    checkGif(dir + "/link.gif");
    checkMenuIcons(dir);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != "generate" && args[1] != "check")) {
        std::fprintf(stderr, "usage: assetgen generate|check DIR\n");
        return 2;
    }
    try {
        if (args[1] == "generate") {
            if (!loadFonts())
                fail("Liberation Sans could not be loaded from the built-in fonts");
            generate(args[2]);
        } else {
            check(args[2]);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
