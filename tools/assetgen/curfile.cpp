#include "curfile.h"

#include "app/core/cursorfile.h"

#include <cstdint>

namespace {

void put16(QByteArray &out, unsigned v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray &out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask (1 = transparent).
QByteArray dibWithMask(const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    const int maskStride = ((w + 31) / 32) * 4;
    const uint32_t xorSize = uint32_t(w) * h * 4;
    const uint32_t andSize = uint32_t(maskStride) * h;

    QByteArray out;
    put32(out, 40);
    put32(out, uint32_t(w));
    put32(out, uint32_t(h * 2)); // colour bitmap + mask
    put16(out, 1); // planes
    put16(out, 32); // bits per pixel
    put32(out, 0); // BI_RGB
    put32(out, xorSize + andSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = qAlpha(line[x]) ? line[x] : 0u;
            out.append(char(qBlue(p)));
            out.append(char(qGreen(p)));
            out.append(char(qRed(p)));
            out.append(char(qAlpha(p)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

} // namespace

QByteArray curFile(const QImage &image, QPoint hotspot)
{
    return iconFile(2, {{dibWithMask(image), hotspot, image.size()}});
}
