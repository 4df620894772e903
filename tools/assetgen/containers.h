// Writers for the two binary containers Qt cannot write in the form we need:
// Windows icon/cursor files and animated GIFs with a fixed global palette.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <vector>

// ICO (type 1) or CUR (type 2) file holding one 32-bit BGRA bitmap with an AND
// mask per image. For a cursor the directory entry carries the hotspot.
QByteArray icoFile(const std::vector<QImage> &images);
QByteArray curFile(const QImage &image, QPoint hotspot);

// Chooses `count` colours for the opaque pixels of `images` (median cut, then
// a few k-means passes). Deterministic for the same input.
std::vector<QRgb> choosePalette(const std::vector<QImage> &images, int count);

// Index of the palette entry nearest to `c` (palette entries from `first` on).
int nearestIndex(const std::vector<QRgb> &palette, QRgb c, int first);

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> indices; // width * height palette indices
    int delayCs = 0; // hundredths of a second
};

// GIF89a with one global colour table (its size must be a power of two,
// 2..256), the given transparent index, an endless NETSCAPE2.0 loop, and
// "leave in place" disposal for every frame.
QByteArray gifFile(int width, int height, const std::vector<QRgb> &palette, int transparentIndex,
                   const std::vector<GifFrame> &frames);
