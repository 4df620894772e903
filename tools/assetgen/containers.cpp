#include "containers.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <unordered_map>

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

QByteArray iconContainer(const std::vector<QImage> &images, int type, QPoint hotspot)
{
    QByteArray out;
    put16(out, 0);
    put16(out, unsigned(type));
    put16(out, unsigned(images.size()));
    std::vector<QByteArray> bodies;
    for (const QImage &img : images)
        bodies.push_back(dibWithMask(img));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const QImage &img = images[i];
        if (img.width() > 256 || img.height() > 256)
            throw std::runtime_error("icon image too large");
        out.append(char(img.width() & 0xff)); // 256 is stored as 0
        out.append(char(img.height() & 0xff));
        out.append(char(0)); // no colour table
        out.append(char(0)); // reserved
        if (type == 2) {
            put16(out, unsigned(hotspot.x()));
            put16(out, unsigned(hotspot.y()));
        } else {
            put16(out, 1); // planes
            put16(out, 32); // bits per pixel
        }
        put32(out, uint32_t(bodies[i].size()));
        put32(out, offset);
        offset += uint32_t(bodies[i].size());
    }
    for (const QByteArray &b : bodies)
        out.append(b);
    return out;
}

} // namespace

QByteArray icoFile(const std::vector<QImage> &images)
{
    return iconContainer(images, 1, {});
}

QByteArray curFile(const QImage &image, QPoint hotspot)
{
    return iconContainer({image}, 2, hotspot);
}

// ---------------------------------------------------------------- palette

namespace {

struct Entry {
    std::array<int, 3> c;
    long long weight;
};

struct Box {
    std::vector<Entry> entries;
    int widestChannel() const
    {
        int best = 0, bestRange = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry &e : entries) {
                lo = std::min(lo, e.c[ch]);
                hi = std::max(hi, e.c[ch]);
            }
            if (hi - lo > bestRange) {
                bestRange = hi - lo;
                best = ch;
            }
        }
        return best;
    }
    int range() const
    {
        int best = 0;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Entry &e : entries) {
                lo = std::min(lo, e.c[ch]);
                hi = std::max(hi, e.c[ch]);
            }
            best = std::max(best, hi - lo);
        }
        return best;
    }
};

int distance2(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    // Green weighs most for the eye; keeps text edges from jumping hue.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

} // namespace

int nearestIndex(const std::vector<QRgb> &palette, QRgb c, int first)
{
    int best = first, bestD = INT32_MAX;
    for (int i = first; i < int(palette.size()); ++i) {
        const int d = distance2(palette[i], c);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::vector<QRgb> choosePalette(const std::vector<QImage> &images, int count)
{
    std::map<QRgb, long long> histogram; // ordered: keeps the result deterministic
    for (const QImage &src : images) {
        const QImage img = src.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(line[x]) >= 128)
                    ++histogram[line[x] | 0xff000000u];
        }
    }
    if (int(histogram.size()) < count)
        throw std::runtime_error("pictures have fewer distinct colours than the palette size");

    std::vector<Box> boxes(1);
    for (const auto &[rgb, n] : histogram)
        boxes[0].entries.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, n});

    while (int(boxes.size()) < count) {
        // Split the box with the widest colour range (ties: the heavier one).
        int pick = -1;
        long long pickScore = -1;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].entries.size() < 2)
                continue;
            long long weight = 0;
            for (const Entry &e : boxes[i].entries)
                weight += e.weight;
            const long long score
                = (long long)boxes[i].range() * (1 << 20) + std::min(weight, (1LL << 20) - 1);
            if (score > pickScore) {
                pickScore = score;
                pick = i;
            }
        }
        if (pick < 0)
            break;
        Box &box = boxes[pick];
        const int ch = box.widestChannel();
        std::stable_sort(box.entries.begin(), box.entries.end(),
                         [ch](const Entry &a, const Entry &b) { return a.c[ch] < b.c[ch]; });
        long long total = 0;
        for (const Entry &e : box.entries)
            total += e.weight;
        long long acc = 0;
        size_t cut = 1;
        for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
            acc += box.entries[i].weight;
            cut = i + 1;
            if (acc * 2 >= total)
                break;
        }
        Box second;
        second.entries.assign(box.entries.begin() + long(cut), box.entries.end());
        box.entries.resize(cut);
        boxes.push_back(std::move(second));
    }

    std::vector<QRgb> palette;
    for (const Box &b : boxes) {
        long long s[3] = {0, 0, 0}, w = 0;
        for (const Entry &e : b.entries) {
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += e.c[ch] * e.weight;
            w += e.weight;
        }
        palette.push_back(
            qRgb(int((s[0] + w / 2) / w), int((s[1] + w / 2) / w), int((s[2] + w / 2) / w)));
    }

    // A few k-means passes over the distinct colours.
    for (int pass = 0; pass < 6; ++pass) {
        std::vector<std::array<long long, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const auto &[rgb, n] : histogram) {
            auto &s = sums[size_t(nearestIndex(palette, rgb, 0))];
            s[0] += qRed(rgb) * n;
            s[1] += qGreen(rgb) * n;
            s[2] += qBlue(rgb) * n;
            s[3] += n;
        }
        for (size_t i = 0; i < palette.size(); ++i) {
            const auto &s = sums[i];
            if (s[3] > 0)
                palette[i] = qRgb(int((s[0] + s[3] / 2) / s[3]), int((s[1] + s[3] / 2) / s[3]),
                                  int((s[2] + s[3] / 2) / s[3]));
        }
    }
    // An entry that no colour maps to is wasted: move it onto the colour that is
    // worst served, until every entry is used.
    for (int round = 0; round < 64; ++round) {
        std::vector<bool> used(palette.size(), false);
        std::vector<std::pair<int, QRgb>> worst; // (error, colour)
        for (const auto &[rgb, n] : histogram) {
            const int i = nearestIndex(palette, rgb, 0);
            used[size_t(i)] = true;
            worst.emplace_back(distance2(palette[size_t(i)], rgb), rgb);
        }
        std::stable_sort(worst.begin(), worst.end(),
                         [](const auto &a, const auto &b) { return a.first > b.first; });
        size_t next = 0;
        bool moved = false;
        for (size_t i = 0; i < palette.size(); ++i)
            if (!used[i] && next < worst.size() && worst[next].first > 0) {
                palette[i] = worst[next++].second | 0xff000000u;
                moved = true;
            }
        if (!moved)
            break;
    }
    std::sort(palette.begin(), palette.end(), [](QRgb a, QRgb b) {
        const int la = qGray(a), lb = qGray(b);
        return la != lb ? la < lb : (a & 0xffffff) < (b & 0xffffff);
    });
    return palette;
}

// ---------------------------------------------------------------- GIF

namespace {

class BitWriter {
public:
    void put(unsigned code, int bits)
    {
        acc_ |= uint32_t(code) << nbits_;
        nbits_ += bits;
        while (nbits_ >= 8) {
            bytes.push_back(uint8_t(acc_ & 0xff));
            acc_ >>= 8;
            nbits_ -= 8;
        }
    }
    void flush()
    {
        if (nbits_ > 0)
            bytes.push_back(uint8_t(acc_ & 0xff));
        acc_ = 0;
        nbits_ = 0;
    }
    std::vector<uint8_t> bytes;

private:
    uint32_t acc_ = 0;
    int nbits_ = 0;
};

// Variable-length LZW as GIF uses it: code width grows when the next free code
// reaches the current width's limit; a clear code restarts a full table.
std::vector<uint8_t> lzw(const std::vector<uint8_t> &indices, int minCodeSize)
{
    const unsigned clear = 1u << minCodeSize, end = clear + 1;
    unsigned next = end + 1;
    int width = minCodeSize + 1;
    std::unordered_map<uint32_t, unsigned> table;
    BitWriter out;

    auto writeCode = [&](unsigned code) {
        out.put(code, width);
        if (next >= (1u << width) && width < 12)
            ++width;
    };

    writeCode(clear);
    if (indices.empty()) {
        writeCode(end);
        out.flush();
        return out.bytes;
    }
    unsigned prefix = indices[0];
    for (size_t i = 1; i < indices.size(); ++i) {
        const unsigned k = indices[i];
        const uint32_t key = (prefix << 8) | k;
        const auto it = table.find(key);
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        writeCode(prefix);
        if (next >= 4095) {
            writeCode(clear);
            table.clear();
            next = end + 1;
            width = minCodeSize + 1;
        } else {
            table.emplace(key, next++);
        }
        prefix = k;
    }
    writeCode(prefix);
    writeCode(end);
    out.flush();
    return out.bytes;
}

} // namespace

QByteArray gifFile(int width, int height, const std::vector<QRgb> &palette, int transparentIndex,
                   const std::vector<GifFrame> &frames)
{
    int sizeBits = 1; // table holds 2^sizeBits entries
    while ((1 << sizeBits) < int(palette.size()))
        ++sizeBits;
    if ((1 << sizeBits) != int(palette.size()) || sizeBits > 8)
        throw std::runtime_error("GIF palette size must be a power of two up to 256");
    const int minCodeSize = std::max(2, sizeBits);

    QByteArray out("GIF89a");
    put16(out, unsigned(width));
    put16(out, unsigned(height));
    // Global table present, 8 bits of colour resolution, unsorted, size field.
    out.append(char(0x80 | 0x70 | (sizeBits - 1)));
    out.append(char(transparentIndex)); // background colour index
    out.append(char(0)); // pixel aspect: not given
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }

    // NETSCAPE2.0 application extension: loop count 0 = forever.
    out.append("\x21\xff\x0b", 3);
    out.append("NETSCAPE2.0", 11);
    out.append("\x03\x01\x00\x00\x00", 5);

    for (const GifFrame &f : frames) {
        if (int(f.indices.size()) != f.width * f.height)
            throw std::runtime_error("GIF frame size mismatch");
        for (uint8_t i : f.indices)
            if (i >= palette.size())
                throw std::runtime_error("GIF frame index outside palette");
        // Graphic control extension: disposal 1 (leave in place), transparency on.
        out.append("\x21\xf9\x04", 3);
        out.append(char((1 << 2) | 1));
        put16(out, unsigned(f.delayCs));
        out.append(char(transparentIndex));
        out.append(char(0));
        // Image descriptor, no local colour table, not interlaced.
        out.append(char(0x2c));
        put16(out, unsigned(f.left));
        put16(out, unsigned(f.top));
        put16(out, unsigned(f.width));
        put16(out, unsigned(f.height));
        out.append(char(0));
        out.append(char(minCodeSize));
        const std::vector<uint8_t> data = lzw(f.indices, minCodeSize);
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(255, data.size() - at);
            out.append(char(n));
            out.append(reinterpret_cast<const char *>(data.data() + at), qsizetype(n));
        }
        out.append(char(0));
    }
    out.append(char(0x3b));
    return out;
}
