#include "cursorfile.h"

#include <QtEndian>

std::optional<QPoint> cursorHotspot(const QByteArray &file)
{
    // Header: reserved, type, count (16 bits each); then 16-byte entries whose
    // bytes 4..7 hold the hotspot in a cursor file.
    constexpr qsizetype headerSize = 6;
    constexpr qsizetype entrySize = 16;
    if (file.size() < headerSize + entrySize)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const quint16 reserved = qFromLittleEndian<quint16>(bytes);
    const quint16 type = qFromLittleEndian<quint16>(bytes + 2);
    const quint16 count = qFromLittleEndian<quint16>(bytes + 4);
    if (reserved != 0 || type != 2 || count == 0)
        return std::nullopt;
    const uchar *entry = bytes + headerSize;
    return QPoint(qFromLittleEndian<quint16>(entry + 4), qFromLittleEndian<quint16>(entry + 6));
}
