#include "cursorfile.h"

#include <QtEndian>

#include <algorithm>
#include <iterator>

namespace {
// Header: reserved, type, count (16 bits each); then 16-byte entries: width,
// height (a byte each, 0 meaning 256), colours, reserved, two 16-bit fields
// (the hotspot in a cursor file), then the data's length and offset.
constexpr qsizetype headerSize = 6;
constexpr qsizetype entrySize = 16;

const uchar *bytesOf(const QByteArray &file)
{
    return reinterpret_cast<const uchar *>(file.constData());
}

// The number of entries, or 0 where the file is neither an icon nor a cursor
// file or is too short for its directory.
int entryCount(const QByteArray &file)
{
    if (file.size() < headerSize)
        return 0;
    const uchar *bytes = bytesOf(file);
    const quint16 reserved = qFromLittleEndian<quint16>(bytes);
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    const quint16 count = qFromLittleEndian<quint16>(bytes + 4);
    if (reserved != 0 || (type != 1 && type != 2))
        return 0;
    if (file.size() < headerSize + count * entrySize)
        return 0;
    return count;
}

const uchar *entryAt(const QByteArray &file, int entry)
{
    return bytesOf(file) + headerSize + entry * entrySize;
}

struct DataSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
};

std::optional<DataSpan> dataOf(const QByteArray &file, int entry)
{
    const uchar *e = entryAt(file, entry);
    const qint64 length = qFromLittleEndian<quint32>(e + 8);
    const qint64 offset = qFromLittleEndian<quint32>(e + 12);
    if (offset > file.size() || length > file.size() - offset)
        return std::nullopt;
    return DataSpan {qsizetype(offset), qsizetype(length)};
}

bool isPng(const uchar *data, qsizetype length)
{
    static const uchar signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return length >= qsizetype(sizeof signature)
        && std::equal(std::begin(signature), std::end(signature), data);
}

std::optional<QSize> pngSize(const uchar *data, qsizetype length)
{
    // After the signature, the IHDR chunk: length, "IHDR", width, height
    // (big-endian). PNG allows neither side to be 0 or above 2^31 − 1.
    if (length < 24)
        return std::nullopt;
    const quint32 width = qFromBigEndian<quint32>(data + 16);
    const quint32 height = qFromBigEndian<quint32>(data + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return std::nullopt;
    return QSize(int(width), int(height));
}

std::optional<QSize> bmpSize(const uchar *data, qsizetype length)
{
    // BITMAPINFOHEADER: its size (40 at least), width, height; the height
    // counts the colour image and the mask above it, so it is twice the picture's.
    if (length < 40 || qFromLittleEndian<quint32>(data) < 40)
        return std::nullopt;
    const qint32 width = qFromLittleEndian<qint32>(data + 4);
    const qint32 doubleHeight = qFromLittleEndian<qint32>(data + 8);
    if (width <= 0 || doubleHeight <= 1)
        return std::nullopt;
    return QSize(width, doubleHeight / 2);
}

bool isSmall(QSize size)
{
    return size.width() <= maxIconSide && size.height() <= maxIconSide;
}

QByteArray alone(const QByteArray &file, int entry, DataSpan data)
{
    QByteArray single = file.first(headerSize);
    qToLittleEndian<quint16>(1, single.data() + 4);
    single.append(reinterpret_cast<const char *>(entryAt(file, entry)), entrySize);
    qToLittleEndian<quint32>(quint32(headerSize + entrySize), single.data() + headerSize + 12);
    single.append(file.constData() + data.offset, data.length);
    return single;
}
} // namespace

std::optional<QSize> iconImageSize(const QByteArray &file, int entry)
{
    if (entry < 0 || entry >= entryCount(file))
        return std::nullopt;
    const std::optional<DataSpan> data = dataOf(file, entry);
    if (!data)
        return std::nullopt;
    const uchar *start = bytesOf(file) + data->offset;
    return isPng(start, data->length) ? pngSize(start, data->length) : bmpSize(start, data->length);
}

std::optional<QPoint> cursorHotspot(const QByteArray &file)
{
    if (entryCount(file) == 0 || qFromLittleEndian<quint16>(bytesOf(file) + 2) != 2)
        return std::nullopt;
    const std::optional<QSize> size = iconImageSize(file, 0);
    if (!size || !isSmall(*size))
        return std::nullopt;
    const uchar *entry = entryAt(file, 0);
    const QPoint hotspot(qFromLittleEndian<quint16>(entry + 4),
                         qFromLittleEndian<quint16>(entry + 6));
    if (hotspot.x() >= size->width() || hotspot.y() >= size->height())
        return std::nullopt;
    return hotspot;
}

std::vector<QByteArray> smallIconImages(const QByteArray &file, int maxImages)
{
    std::vector<QByteArray> images;
    const int count = entryCount(file);
    for (int entry = 0; entry < count && int(images.size()) < maxImages; ++entry) {
        const std::optional<QSize> size = iconImageSize(file, entry);
        if (size && isSmall(*size))
            images.push_back(alone(file, entry, *dataOf(file, entry)));
    }
    return images;
}

QByteArray iconFile(int type, const std::vector<IconFileEntry> &entries)
{
    QByteArray head(headerSize + entrySize * qsizetype(entries.size()), '\0');
    qToLittleEndian<quint16>(quint16(type), head.data() + 2);
    qToLittleEndian<quint16>(quint16(entries.size()), head.data() + 4);
    QByteArray data;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IconFileEntry &image = entries[i];
        char *entry = head.data() + headerSize + entrySize * qsizetype(i);
        // A side of 256 is stored as 0, as is a size not given.
        const QSize size = image.size.isValid() ? image.size : QSize(0, 0);
        entry[0] = char(size.width() & 0xff);
        entry[1] = char(size.height() & 0xff);
        qToLittleEndian<quint16>(quint16(image.hotspot.x()), entry + 4);
        qToLittleEndian<quint16>(quint16(image.hotspot.y()), entry + 6);
        qToLittleEndian<quint32>(quint32(image.data.size()), entry + 8);
        qToLittleEndian<quint32>(quint32(head.size() + data.size()), entry + 12);
        data += image.data;
    }
    return head + data;
}
