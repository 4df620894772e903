// The pictures themselves, drawn with QPainter.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Circuit of the lamp: mains, choke (L and R), capacitor, lamp across the capacitor.
QImage lampCircuit(); // 411 x 278
// Measuring the choke: mains, ammeter in series, voltmeter across the choke.
QImage chokeMeasurement(); // 325 x 166

QImage lampIcon(int size); // square, transparent background
QByteArray lampIconSvg(); // the same lamp as a scalable picture

struct Cursor {
    QImage image; // 32 x 32
    QPoint hotspot; // tip of the index finger
};
Cursor pointingHand();

// The forum banner, 88 x 32, in three states. The third differs from the
// second only inside bannerHighlightRect().
enum class BannerState { Dark, Lit, Highlighted };
QImage banner(BannerState state);
QRect bannerHighlightRect();

// Loads the fonts from their Debian files; false if one is missing.
bool loadFonts();
