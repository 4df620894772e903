#include "pictures.h"

#include <QBuffer>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <numbers>

namespace {

QString regularFamily;
QString boldFamily;

QFont sans(int pixelSize, bool bold = false, bool italic = false)
{
    QFont f(bold ? boldFamily : regularFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return f;
}

const QColor ink(0x10, 0x10, 0x10); // lines
const QColor labelInk(0x1b, 0x2a, 0x4a); // component letters and names
const QColor accent(0x2f, 0x5f, 0xb3); // choke frame
const QColor sineInk(0xb0, 0x2a, 0x2a); // the "~" of the mains

enum class Align { Left, Center, Right };

// Draws `text` with its cap height centred on `y`.
void label(QPainter &p, const QString &text, const QFont &font, double x, double y, Align align,
           const QColor &color = labelInk)
{
    const QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(text);
    double left = x;
    if (align == Align::Center)
        left = x - w / 2;
    else if (align == Align::Right)
        left = x - w;
    p.save();
    p.setFont(font);
    p.setPen(color);
    p.drawText(QPointF(std::round(left), std::round(y + fm.capHeight() / 2)), text);
    p.restore();
}

class Schematic {
public:
    explicit Schematic(QImage &img)
        : p(&img)
    {
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(linePen());
        p.setBrush(Qt::NoBrush);
    }

    static QPen linePen(double width = 2)
    {
        QPen pen(ink, width);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    void wire(std::initializer_list<QPointF> points)
    {
        QPainterPath path;
        auto it = points.begin();
        path.moveTo(*it);
        for (++it; it != points.end(); ++it)
            path.lineTo(*it);
        p.strokePath(path, linePen());
    }

    void node(QPointF at)
    {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(at, 3.5, 3.5);
        p.restore();
    }

    // Inductor from `a` along +x (or +y if vertical) with `humps` half circles.
    void coil(QPointF a, double length, int humps, bool vertical = false)
    {
        inFrame(a, vertical, [&] {
            const double r = length / (2.0 * humps);
            QPainterPath path;
            path.moveTo(0, 0);
            for (int i = 0; i < humps; ++i)
                path.arcTo(QRectF(2 * r * i, -r, 2 * r, 2 * r), 180, -180);
            QPen pen = linePen();
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::RoundJoin);
            p.strokePath(path, pen);
        });
    }

    // Resistor body (a rectangle) centred on `c`, long side along x (or y).
    void resistor(QPointF c, double length, double thickness, bool vertical = false)
    {
        inFrame(c, vertical, [&] {
            p.setPen(linePen());
            p.setBrush(Qt::white);
            p.drawRect(QRectF(-length / 2, -thickness / 2, length, thickness));
        });
    }

    // Capacitor plates centred on `c`; the wire runs along x (or y).
    void capacitor(QPointF c, double gap, double plate, bool vertical = false)
    {
        inFrame(c, vertical, [&] {
            QPen pen = linePen(3);
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(QPointF(-gap / 2, -plate / 2), QPointF(-gap / 2, plate / 2));
            p.drawLine(QPointF(gap / 2, -plate / 2), QPointF(gap / 2, plate / 2));
        });
    }

    // AC source: a circle with one period of a sine inside.
    void source(QPointF c, double r)
    {
        p.save();
        p.setPen(linePen());
        p.setBrush(Qt::white);
        p.drawEllipse(c, r, r);
        QPainterPath sine;
        const double half = 0.58 * r, amp = 0.3 * r;
        for (int i = 0; i <= 64; ++i) {
            const double t = i / 64.0;
            const QPointF pt(c.x() - half + 2 * half * t,
                             c.y() - amp * std::sin(2 * std::numbers::pi * t));
            if (i == 0)
                sine.moveTo(pt);
            else
                sine.lineTo(pt);
        }
        QPen pen(sineInk, 2);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p.strokePath(sine, pen);
        p.restore();
    }

    // Measuring instrument: a circle with its letter.
    void meter(QPointF c, double r, const QString &letter, int fontPx)
    {
        p.save();
        p.setPen(linePen());
        p.setBrush(Qt::white);
        p.drawEllipse(c, r, r);
        p.restore();
        label(p, letter, sans(fontPx, true), c.x() + 0.5, c.y(), Align::Center, ink);
    }

    // Gas-discharge lamp on a vertical wire: a bulb with two electrodes facing
    // each other and the dot that marks a gas filling.
    void lamp(QPointF c, double r)
    {
        p.save();
        QRadialGradient glow(c, r);
        glow.setColorAt(0.0, QColor(0xd9, 0xc8, 0xff));
        glow.setColorAt(0.45, QColor(0xee, 0xe6, 0xff));
        glow.setColorAt(1.0, Qt::white);
        p.setPen(linePen());
        p.setBrush(glow);
        p.drawEllipse(c, r, r);

        const double gap = 0.32 * r;
        const double bar = 0.62 * r;
        QPen lead = linePen();
        lead.setCapStyle(Qt::FlatCap);
        p.setPen(lead);
        p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() - gap));
        p.drawLine(QPointF(c.x(), c.y() + r), QPointF(c.x(), c.y() + gap));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(c.x() - bar / 2, c.y() - gap - 3, bar, 4));
        p.drawRect(QRectF(c.x() - bar / 2, c.y() + gap - 1, bar, 4));
        p.drawEllipse(QPointF(c.x() + 0.56 * r, c.y()), 2.6, 2.6);
        p.restore();
    }

    // Thin dashed frame that groups parts into one device.
    void group(const QRectF &rect)
    {
        p.save();
        QPen pen(accent, 1);
        pen.setDashPattern({4, 3});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect);
        p.restore();
    }

    QPainter p;

private:
    void inFrame(QPointF origin, bool vertical, const std::function<void()> &draw)
    {
        p.save();
        p.translate(origin);
        if (vertical)
            p.rotate(90);
        draw();
        p.restore();
    }
};

QImage whiteCanvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

} // namespace

bool loadFonts()
{
    // The program's own copies, built into the generator too, so that the
    // pictures are drawn in the font the windows use.
    const int regular = QFontDatabase::addApplicationFont(":/fonts/LiberationSans-Regular.ttf");
    const int bold = QFontDatabase::addApplicationFont(":/fonts/LiberationSans-Bold.ttf");
    if (regular < 0 || bold < 0)
        return false;
    regularFamily = QFontDatabase::applicationFontFamilies(regular).value(0);
    boldFamily = QFontDatabase::applicationFontFamilies(bold).value(0);
    return !regularFamily.isEmpty() && !boldFamily.isEmpty();
}

QImage lampCircuit()
{
    QImage img = whiteCanvas(411, 278);
    Schematic s(img);
    const double top = 80, bottom = 240, mid = 160;
    const double xs = 50, xc = 250, xl = 322;
    const double rs = 24, rl = 24;
    const double coilA = 94, coilLen = 64, resC = 198, resLen = 40;

    s.wire({{xs, mid - rs}, {xs, top}, {coilA, top}});
    s.coil({coilA, top}, coilLen, 4);
    s.wire({{coilA + coilLen, top}, {resC - resLen / 2, top}});
    s.wire({{resC + resLen / 2, top}, {xl, top}, {xl, mid - rl}});
    s.wire({{xl, mid + rl}, {xl, bottom}, {xs, bottom}, {xs, mid + rs}});
    s.resistor({resC, top}, resLen, 14);
    s.wire({{xc, top}, {xc, mid - 6}});
    s.wire({{xc, mid + 6}, {xc, bottom}});
    s.capacitor({xc, mid}, 12, 36, true);
    s.source({xs, mid}, rs);
    s.lamp({xl, mid}, rl);
    s.node({xc, top});
    s.node({xc, bottom});
    const QRectF choke(coilA - 13.5, top - 33.5, resC + resLen / 2 + 13 - (coilA - 13.5), 52);
    s.group(choke);

    const QFont letters = sans(17, true);
    const QFont names = sans(15);
    label(s.p, "L", letters, coilA + coilLen / 2, top - 20, Align::Center);
    label(s.p, "R", letters, resC, top - 20, Align::Center);
    label(s.p, "Дроссель", names, choke.center().x(), choke.top() - 13, Align::Center,
          accent.darker(130));
    label(s.p, "C", letters, xc + 24, mid, Align::Left);
    label(s.p, "Лампа", names, xl + rl + 8, mid, Align::Left);
    label(s.p, "~220 В", names, xs + rs + 12, mid, Align::Left);
    return img;
}

QImage chokeMeasurement()
{
    QImage img = whiteCanvas(325, 166);
    Schematic s(img);
    const double top = 52, bottom = 148, mid = 100;
    const double xs = 40, xa = 96, n1 = 144, n2 = 262, xr = 304;
    const double rs = 20, rm = 15;
    const double coilA = 156, coilLen = 48, resC = 232, resLen = 32;
    const double vy = 104, xv = (n1 + n2) / 2;

    s.wire({{xs, mid - rs}, {xs, top}, {xa - rm, top}});
    s.wire({{xa + rm, top}, {coilA, top}});
    s.coil({coilA, top}, coilLen, 4);
    s.wire({{coilA + coilLen, top}, {resC - resLen / 2, top}});
    s.wire({{resC + resLen / 2, top}, {xr, top}, {xr, bottom}, {xs, bottom}, {xs, mid + rs}});
    s.resistor({resC, top}, resLen, 12);
    s.wire({{n1, top}, {n1, vy}, {xv - rm, vy}});
    s.wire({{xv + rm, vy}, {n2, vy}, {n2, top}});
    s.source({xs, mid}, rs);
    s.meter({xa, top}, rm, "A", 15);
    s.meter({xv, vy}, rm, "V", 15);
    s.node({n1, top});
    s.node({n2, top});
    const QRectF choke(n1 + 6.5, top - 27.5, n2 - n1 - 12, 38);
    s.group(choke);

    const QFont letters = sans(14, true);
    const QFont names = sans(13);
    label(s.p, "L", letters, coilA + coilLen / 2, top - 17, Align::Center);
    label(s.p, "R", letters, resC, top - 17, Align::Center);
    label(s.p, "Дроссель", names, choke.center().x(), choke.top() - 10, Align::Center,
          accent.darker(130));
    label(s.p, "~220 В", names, xs + rs + 9, mid, Align::Left);
    return img;
}

// ------------------------------------------------------------------ lamp

namespace {

// A bulb with a glowing discharge tube inside, drawn in a 48 x 48 box.
// `px` is the size of one box unit in device pixels (for pen widths).
void drawBulb(QPainter &p, double px, bool lit, bool halo)
{
    auto penPx = [px](double devicePixels) { return devicePixels / px; };

    if (lit && halo) {
        QRadialGradient g(QPointF(24, 18), 24);
        g.setColorAt(0.0, QColor(255, 236, 160, 170));
        g.setColorAt(0.55, QColor(255, 214, 110, 70));
        g.setColorAt(1.0, QColor(255, 200, 90, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(24, 18), 24, 24);
    }

    QPainterPath glass;
    glass.moveTo(18.5, 35);
    glass.cubicTo(18.5, 29, 10, 26.5, 10, 17.5);
    glass.cubicTo(10, 9.5, 16.5, 3.5, 24, 3.5);
    glass.cubicTo(31.5, 3.5, 38, 9.5, 38, 17.5);
    glass.cubicTo(38, 26.5, 29.5, 29, 29.5, 35);
    glass.closeSubpath();

    QRadialGradient fill(QPointF(24, 16), 16);
    if (lit) {
        fill.setColorAt(0.0, QColor(0xff, 0xff, 0xf4));
        fill.setColorAt(0.45, QColor(0xff, 0xec, 0xa8));
        fill.setColorAt(1.0, QColor(0xf3, 0xbb, 0x4a));
    } else {
        fill.setColorAt(0.0, QColor(0xe6, 0xea, 0xf2));
        fill.setColorAt(1.0, QColor(0x9a, 0xa4, 0xb8));
    }
    p.setBrush(fill);
    p.setPen(QPen(lit ? QColor(0x8a, 0x5a, 0x0a) : QColor(0x4a, 0x52, 0x66),
                  penPx(px >= 0.6 ? 1.4 : 1.0)));
    p.drawPath(glass);

    // The discharge tube.
    const QRectF tube(21.2, 9, 5.6, 17);
    if (lit) {
        QLinearGradient tg(tube.left(), 0, tube.right(), 0);
        tg.setColorAt(0.0, QColor(0xb8, 0x9c, 0xff));
        tg.setColorAt(0.5, QColor(0xff, 0xff, 0xff));
        tg.setColorAt(1.0, QColor(0xb8, 0x9c, 0xff));
        p.setBrush(tg);
        p.setPen(QPen(QColor(0x7a, 0x5c, 0xd0), penPx(0.8)));
    } else {
        p.setBrush(QColor(0xc9, 0xcf, 0xdc));
        p.setPen(QPen(QColor(0x6a, 0x72, 0x86), penPx(0.8)));
    }
    p.drawRoundedRect(tube, 2.8, 2.8);
    // Leads from the tube to the base.
    p.setPen(QPen(QColor(0x5a, 0x5a, 0x60), penPx(0.8)));
    p.drawLine(QPointF(24, 26), QPointF(24, 34));

    // Screw base.
    const QRectF base(18.5, 34.5, 11, 8.5);
    QLinearGradient bg(base.left(), 0, base.right(), 0);
    bg.setColorAt(0.0, QColor(0x8c, 0x92, 0x9c));
    bg.setColorAt(0.4, QColor(0xe4, 0xe8, 0xee));
    bg.setColorAt(1.0, QColor(0x6c, 0x72, 0x7c));
    p.setBrush(bg);
    p.setPen(QPen(QColor(0x3c, 0x40, 0x48), penPx(1.0)));
    p.drawRoundedRect(base, 1.5, 1.5);
    if (px >= 0.6) {
        p.setPen(QPen(QColor(0x50, 0x56, 0x60), penPx(0.9)));
        p.drawLine(QPointF(19, 37.5), QPointF(29, 38.5));
        p.drawLine(QPointF(19, 40.5), QPointF(29, 41.5));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x32, 0x38));
    p.drawRoundedRect(QRectF(21.5, 43, 5, 3.5), 1.2, 1.2);
}

} // namespace

QImage lampIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (size <= 16) {
        // Drawn on the pixel grid: the scaled-down large drawing turns to mush here.
        p.scale(size / 16.0, size / 16.0);
        QRadialGradient fill(QPointF(8, 5.5), 6);
        fill.setColorAt(0.0, QColor(0xff, 0xff, 0xf0));
        fill.setColorAt(0.5, QColor(0xff, 0xe6, 0x96));
        fill.setColorAt(1.0, QColor(0xf0, 0xb0, 0x3c));
        QPainterPath glass;
        glass.moveTo(5.5, 11.5);
        glass.cubicTo(5.5, 9.5, 2.5, 8.5, 2.5, 6);
        glass.cubicTo(2.5, 2.8, 5, 0.5, 8, 0.5);
        glass.cubicTo(11, 0.5, 13.5, 2.8, 13.5, 6);
        glass.cubicTo(13.5, 8.5, 10.5, 9.5, 10.5, 11.5);
        glass.closeSubpath();
        p.setBrush(fill);
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x0a), 1));
        p.drawPath(glass);
        p.fillRect(QRectF(7, 3, 2, 6), QColor(0xf4, 0xee, 0xff)); // discharge tube
        p.fillRect(QRectF(7, 3, 2, 1), QColor(0xb8, 0x9c, 0xff));
        p.fillRect(QRectF(7, 8, 2, 1), QColor(0xb8, 0x9c, 0xff));
        p.setPen(QPen(QColor(0x3c, 0x40, 0x48), 1));
        p.setBrush(QColor(0xc4, 0xc9, 0xd2));
        p.drawRect(QRectF(5.5, 11.5, 5, 2));
        p.fillRect(QRectF(7, 14, 2, 1.5), QColor(0x30, 0x32, 0x38));
        p.end();
        return img.convertToFormat(QImage::Format_ARGB32);
    }
    const double px = size / 48.0;
    p.scale(px, px);
    drawBulb(p, px, true, true);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray lampIconSvg()
{
    // The large drawing as vector paths, in the 48-unit frame it was made in;
    // its lines as thick as in the 96-pixel picture, between the thin ones of
    // large pictures and the heavy ones of small.
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(48, 48));
    generator.setViewBox(QRectF(0, 0, 48, 48));
    generator.setTitle(QStringLiteral("Кориндо"));
    generator.setDescription(QStringLiteral("A lit gas-discharge lamp"));
    QPainter p(&generator);
    p.setRenderHint(QPainter::Antialiasing);
    drawBulb(p, 2.0, true, true);
    p.end();
    return svg.data();
}

// ---------------------------------------------------------------- cursor

Cursor pointingHand()
{
    // X outline, o fill, . transparent. The index finger's tip is row 0, column 6.
    static const char *const rows[] = {
        ".....XXX.............",  "....XoooX............",  "....XoooX............",
        "....XoooX............",  "....XoooX............",  "....XoooXXXX.........",
        "....XoooXoooXXXX.....",  "....XoooXoooXoooXXX..",  "....XoooXoooXoooXoooX",
        ".XX.XoooXoooXoooXoooX",  "XooXXoooXoooXoooXoooX",  "XoooXoooXoooXoooXoooX",
        "XoooXoooooooooooooooX",  "XooooooooooooooooooooX", ".XoooooooooooooooooooX",
        ".XoooooooooooooooooooX", "..XooooooooooooooooooX", "..XoooooooooooooooooX.",
        "...XooooooooooooooooX.", "...XoooooooooooooooX..", "....XooooooooooooooX..",
        "....XooooooooooooooX..", "....XXXXXXXXXXXXXXXX..",
    };
    const QPoint origin(4, 1);
    const QPoint tip(6, 0);

    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    auto inHand = [&](int x, int y) {
        const int gx = x - origin.x(), gy = y - origin.y();
        if (gy < 0 || gy >= int(std::size(rows)) || gx < 0)
            return '.';
        const char *row = rows[gy];
        return gx < int(std::strlen(row)) ? row[gx] : '.';
    };
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char c = inHand(x, y);
            if (c == 'X')
                img.setPixel(x, y, qRgba(0, 0, 0, 255));
            else if (c == 'o')
                img.setPixel(x, y, qRgba(255, 255, 255, 255));
            else if (inHand(x - 1, y - 1) != '.')
                img.setPixel(x, y, qRgba(0, 0, 0, 90)); // soft shadow down and right
            else if (inHand(x - 2, y - 2) != '.')
                img.setPixel(x, y, qRgba(0, 0, 0, 40));
        }
    return {img, origin + tip};
}

// ---------------------------------------------------------------- banner

QRect bannerHighlightRect()
{
    return QRect(40, 7, 47, 9);
}

namespace {

const QString bannerTop = QStringLiteral("Форум");
const QString bannerBottom = QStringLiteral("Лампы");

// Largest bold font whose ink of `text` fits `box`, and the baseline origin
// that centres the ink in it.
std::pair<QFont, QPointF> fitText(const QString &text, const QRectF &box, int maxPx)
{
    for (int px = maxPx; px > 6; --px) {
        const QFont f = sans(px, true);
        const QRectF ink = QFontMetricsF(f).tightBoundingRect(text);
        if (ink.width() <= box.width() && ink.height() <= box.height()) {
            const double x = std::round(box.center().x() - ink.center().x());
            const double y = std::round(box.center().y() - ink.center().y());
            return {f, QPointF(x, y)};
        }
    }
    return {sans(7, true), box.bottomLeft()};
}

void bannerBackground(QPainter &p)
{
    const QRectF r(0, 0, 88, 32);
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    QLinearGradient g(0, 0, 88, 32);
    g.setColorAt(0.0, QColor(0x16, 0x22, 0x5a));
    g.setColorAt(0.55, QColor(0x33, 0x2a, 0x78));
    g.setColorAt(1.0, QColor(0x6a, 0x2c, 0x7e));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);
    QLinearGradient gloss(0, 0, 0, 16);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 70));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xa9, 0xb8, 0xff, 200), 1));
    p.drawPath(shape);
}

void bannerTopText(QPainter &p, bool highlighted)
{
    const auto [font, at] = fitText(bannerTop, bannerHighlightRect().adjusted(1, 0, -1, 0), 12);
    p.setFont(font);
    if (highlighted) {
        // A faint glow, then the bright text.
        p.setPen(QColor(255, 214, 90, 110));
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0)})
            p.drawText(at + d, bannerTop);
        p.setPen(QColor(0xff, 0xf4, 0xb0));
    } else {
        p.setPen(QColor(0xdc, 0xe2, 0xff));
    }
    p.drawText(at, bannerTop);
}

void bannerBottomText(QPainter &p, bool lit)
{
    const auto [font, at] = fitText(bannerBottom, QRectF(40, 18, 45, 10), 14);
    p.setFont(font);
    p.setPen(lit ? QColor(0xff, 0xcf, 0x5a) : QColor(0xb3, 0xa6, 0xd6));
    p.drawText(at, bannerBottom);
}

} // namespace

QImage banner(BannerState state)
{
    QImage img(88, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool lit = state != BannerState::Dark;
    bannerBackground(p);
    p.save();
    p.translate(2, 1);
    const double scale = 30.0 / 48.0;
    p.scale(scale, scale);
    drawBulb(p, scale, lit, true);
    p.restore();
    bannerTopText(p, false);
    bannerBottomText(p, lit);

    if (state == BannerState::Highlighted) {
        // The bright text goes over the plain one, clipped to the highlight box,
        // so this picture differs from the lit one inside that box alone.
        p.setClipRect(bannerHighlightRect());
        bannerTopText(p, true);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}
