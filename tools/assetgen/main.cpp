// assetgen: draws the application's pictures and checks the files.
//   assetgen generate DIR   writes sch.png, L.png, Icon.ICO, Pointer.cur, link.gif
//                           and the menu icons korindo-SIZE.png and korindo.svg
//   assetgen check DIR      checks them (the pictures as sch.jpg and L.jpg)
#include "containers.h"
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QSet>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

constexpr int menuIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

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

// ------------------------------------------------------------------ GIF

constexpr int kTransparent = 0;
constexpr int kPaletteSize = 128;

std::vector<uint8_t> quantize(const QImage &img, const QRect &area,
                              const std::vector<QRgb> &palette)
{
    std::vector<uint8_t> out;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = img.pixel(x, y);
            out.push_back(qAlpha(c) < 128 ? kTransparent : uint8_t(nearestIndex(palette, c, 1)));
        }
    return out;
}

// The picture a viewer shows after drawing `frame` over `canvas`.
void paintFrame(QImage &canvas, const GifFrame &frame, const std::vector<QRgb> &palette)
{
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const uint8_t i = frame.indices[size_t(y * frame.width + x)];
            if (i != kTransparent)
                canvas.setPixel(frame.left + x, frame.top + y, palette[i] | 0xff000000u);
        }
}

QByteArray makeBanner()
{
    const QImage dark = banner(BannerState::Dark);
    const QImage lit = banner(BannerState::Lit);
    const QImage bright = banner(BannerState::Highlighted);
    const QRect box = bannerHighlightRect();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 88; ++x)
            if (!box.contains(x, y) && lit.pixel(x, y) != bright.pixel(x, y))
                fail(QString("banner highlight changes pixel (%1, %2) outside its box")
                         .arg(x)
                         .arg(y));

    std::vector<QRgb> palette = choosePalette({dark, lit, bright.copy(box)}, kPaletteSize - 1);
    palette.insert(palette.begin() + kTransparent, qRgb(255, 255, 255));

    const QRect full(0, 0, 88, 32);
    GifFrame f1 {0, 0, 88, 32, quantize(dark, full, palette), 200};
    GifFrame f2 {0, 0, 88, 32, quantize(lit, full, palette), 100};
    GifFrame f3 {box.left(), box.top(), box.width(), box.height(), quantize(bright, box, palette),
                 100};
    const std::vector<uint8_t> under = quantize(lit, box, palette);
    bool changed = false;
    for (size_t i = 0; i < f3.indices.size(); ++i) {
        if (f3.indices[i] == kTransparent && under[i] != kTransparent)
            fail("highlight would need to clear a pixel");
        if (f3.indices[i] == under[i])
            f3.indices[i] = kTransparent; // unchanged: let the lit frame show through
        else
            changed = true;
    }
    if (!changed)
        fail("highlight frame changes nothing");

    QSet<int> used;
    for (const GifFrame *f : {&f1, &f2, &f3})
        for (uint8_t i : f->indices)
            used.insert(i);
    if (used.size() != kPaletteSize)
        fail(QString("banner uses %1 of %2 palette entries").arg(used.size()).arg(kPaletteSize));

    const std::vector<GifFrame> frames {f1, f2, f3};
    const QByteArray gif = gifFile(88, 32, palette, kTransparent, frames);

    // Round trip through Qt's GIF reader: each shown frame must be exactly the intended one.
    QBuffer buffer;
    buffer.setData(gif);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QImage expected(88, 32, QImage::Format_ARGB32);
    expected.fill(Qt::transparent);
    for (size_t n = 0; n < frames.size(); ++n) {
        paintFrame(expected, frames[n], palette);
        const QImage shown = reader.read().convertToFormat(QImage::Format_ARGB32);
        if (shown.size() != expected.size())
            fail(QString("GIF frame %1 does not decode: %2").arg(n + 1).arg(reader.errorString()));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 88; ++x) {
                const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
                if (qAlpha(a) != qAlpha(b) || (qAlpha(b) && (a & 0xffffff) != (b & 0xffffff)))
                    fail(
                        QString("GIF frame %1 decodes wrong at (%2, %3)").arg(n + 1).arg(x).arg(y));
            }
    }
    if (reader.canRead())
        fail("GIF decodes to more than three frames");
    return gif;
}

void generate(const QString &dir)
{
    savePng(lampCircuit(), dir + "/sch.png");
    savePng(chokeMeasurement(), dir + "/L.png");
    writeFile(dir + "/Icon.ICO", icoFile({lampIcon(16), lampIcon(32), lampIcon(48)}));
    const Cursor hand = pointingHand();
    writeFile(dir + "/Pointer.cur", curFile(hand.image, hand.hotspot));
    writeFile(dir + "/link.gif", makeBanner());
    // The desktop's menu icon in the sizes of the hicolor theme.
    for (int s : menuIconSizes)
        savePng(lampIcon(s), dir + QString("/korindo-%1.png").arg(s));
    writeFile(dir + "/korindo.svg", lampIconSvg());
    // Previews, for looking at (not part of the assets).
    QDir().mkpath(dir + "/preview");
    for (int s : {16, 32, 48})
        savePng(lampIcon(s), dir + QString("/preview/icon%1.png").arg(s));
    savePng(hand.image, dir + "/preview/pointer.png");
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
                fail("Liberation Sans not found (Debian package fonts-liberation2)");
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
