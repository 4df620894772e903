// libFuzzer target over the icon and cursor file reader. It must never crash;
// the hotspot must agree with a plain reading of the file written out here
// byte by byte; and every image it hands on must be a small one whose data
// is a slice of the file.
#include "app/core/cursorfile.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace {

uint32_t little(const uint8_t *p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

uint32_t big32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// Width and height of the first entry's image as its data states them.
std::optional<std::pair<int64_t, int64_t>> firstImageSize(const uint8_t *file, size_t size)
{
    const uint64_t length = little(file + 6 + 8, 4);
    const uint64_t offset = little(file + 6 + 12, 4);
    if (offset + length > size)
        return std::nullopt;
    const uint8_t *data = file + offset;
    static const uint8_t png[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (length >= 24 && std::memcmp(data, png, 8) == 0) {
        const uint32_t w = big32(data + 16), h = big32(data + 20);
        if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
            return std::nullopt;
        return std::pair<int64_t, int64_t>(w, h);
    }
    if (length < 40 || little(data, 4) < 40)
        return std::nullopt;
    const auto w = int32_t(little(data + 4, 4)), h2 = int32_t(little(data + 8, 4));
    if (w <= 0 || h2 <= 1)
        return std::nullopt;
    return std::pair<int64_t, int64_t>(w, h2 / 2);
}

std::optional<QPoint> expectedHotspot(const uint8_t *file, size_t size)
{
    if (size < 6 || little(file, 2) != 0 || little(file + 2, 2) != 2)
        return std::nullopt;
    const uint32_t count = little(file + 4, 2);
    if (count == 0 || size < 6 + 16 * size_t(count))
        return std::nullopt;
    const auto picture = firstImageSize(file, size);
    if (!picture || picture->first > maxIconSide || picture->second > maxIconSide)
        return std::nullopt;
    const int x = int(little(file + 10, 2)), y = int(little(file + 12, 2));
    if (x >= picture->first || y >= picture->second)
        return std::nullopt;
    return QPoint(x, y);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    if (cursorHotspot(file) != expectedHotspot(data, size))
        __builtin_trap();
    for (const QByteArray &single : smallIconImages(file, 4)) {
        const std::optional<QSize> imageSize = iconImageSize(single, 0);
        if (!imageSize || imageSize->width() > maxIconSide || imageSize->height() > maxIconSide)
            __builtin_trap();
        const qsizetype dataSize = single.size() - 22;
        if (dataSize < 0 || file.indexOf(single.sliced(22)) < 0)
            __builtin_trap();
    }
    return 0;
}
