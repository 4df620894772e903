#pragma once

#include <QByteArray>
#include <QPoint>
#include <QSize>
#include <optional>
#include <vector>

// Windows icon (.ico, type 1) and cursor (.cur, type 2) files: a directory of
// entries, each naming a PNG or a BMP image stored further on in the file.

// The largest image side the program takes from such a file. Larger images
// cost megabytes each to decode and no window needs them.
inline constexpr int maxIconSide = 256;

// The hotspot stored in the first directory entry of a cursor file. No result
// for anything that is not one, and none where the hotspot lies outside that
// entry's picture or the picture is larger than maxIconSide.
std::optional<QPoint> cursorHotspot(const QByteArray &file);

// The size an entry's image data gives for itself (PNG header or BMP info
// header; the directory's own bytes can say at most 256). No result where the
// data lies outside the file or is neither.
std::optional<QSize> iconImageSize(const QByteArray &file, int entry);

// The images of an icon or cursor file of at most maxIconSide a side, in file
// order and no more than maxImages of them, each as a file of its own with a
// single entry, so that decoding it decodes that image alone.
std::vector<QByteArray> smallIconImages(const QByteArray &file, int maxImages);

// One image to write into an icon or cursor file: its data (a PNG, or a BMP
// info header with the picture and its mask), the hotspot in a cursor file,
// and the size the directory gives (none: 0, which reads as 256).
struct IconFileEntry {
    QByteArray data;
    QPoint hotspot;
    QSize size {};
};

// An icon (type 1) or cursor (type 2) file holding the entries' data in order.
QByteArray iconFile(int type, const std::vector<IconFileEntry> &entries);
