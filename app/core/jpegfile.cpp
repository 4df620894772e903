#include "jpegfile.h"

namespace {
bool isStandaloneMarker(uchar marker)
{
    // The restart markers RST0..RST7 and TEM carry no length.
    return (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01;
}

// Within the coded data after a start-of-scan, a 0xFF is followed by 0x00
// (a stuffed byte), a restart marker or more 0xFF fill bytes; anything else
// is the next marker.
bool isMarkerInScan(const uchar *bytes, qsizetype i)
{
    const uchar next = bytes[i + 1];
    return bytes[i] == 0xFF && next != 0x00 && next != 0xFF && !isStandaloneMarker(next);
}
} // namespace

bool looksLikeJpeg(const QByteArray &file)
{
    return file.startsWith("\xFF\xD8");
}

bool jpegRunsToEnd(const QByteArray &file)
{
    if (!looksLikeJpeg(file))
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype n = file.size();
    bool inScan = false;
    qsizetype i = 2;
    while (i + 1 < n) {
        if (inScan) {
            inScan = !isMarkerInScan(bytes, i);
            if (inScan)
                ++i;
            continue;
        }
        if (bytes[i] != 0xFF)
            return false;
        const uchar marker = bytes[i + 1];
        if (marker == 0xD9)
            return true;
        if (marker == 0xFF || isStandaloneMarker(marker)) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (i + 3 >= n)
            return false;
        const int length = (bytes[i + 2] << 8) | bytes[i + 3];
        if (length < 2)
            return false;
        i += 2 + length;
        inScan = marker == 0xDA;
    }
    return false;
}
