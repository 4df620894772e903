// libFuzzer target over the principle text: the bytes of P.txt to its lines.
// It must never crash, and where nothing is cut it must agree with a reading
// built on codectable.h, which holds what Python's cp1251 and utf-8 codecs
// make of every byte: UTF-8 where the whole file is valid UTF-8 (a leading
// byte-order mark dropped), Windows-1251 otherwise, then the lines split at
// CR and CR LF. With small bounds it checks the cut instead.
#include "codectable.h"
#include "help/core/principletext.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

void appendCodePoint(std::u16string &text, char32_t c)
{
    if (c < 0x10000) {
        text += char16_t(c);
        return;
    }
    c -= 0x10000;
    text += char16_t(0xD800 + (c >> 10));
    text += char16_t(0xDC00 + (c & 0x3FF));
}

std::optional<std::u16string> fromUtf8(const uint8_t *data, size_t size)
{
    std::u16string text;
    size_t i = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        i = 3;
    while (i < size) {
        const uint8_t lead = data[i];
        const size_t length = codectable::utf8Length[lead];
        if (length == 0 || i + length > size)
            return std::nullopt;
        if (length == 1) {
            text += char16_t(lead);
            ++i;
            continue;
        }
        const auto [low, high] = codectable::utf8Second[lead];
        if (data[i + 1] < low || data[i + 1] > high)
            return std::nullopt;
        char32_t c = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (data[i + k] & 0x3F);
        }
        appendCodePoint(text, c);
        i += length;
    }
    return text;
}

std::u16string decoded(const uint8_t *data, size_t size)
{
    if (auto text = fromUtf8(data, size))
        return *text;
    std::u16string text;
    for (size_t i = 0; i < size; ++i)
        text += codectable::cp1251[data[i]];
    return text;
}

// The lines, each followed by CR LF, at most maxLines of them; cut tells
// whether more followed.
std::u16string lines(const std::u16string &text, size_t maxLines, bool &cut)
{
    std::u16string result;
    std::u16string line;
    size_t count = 0;
    cut = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            line += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (count == maxLines) {
            cut = true;
            return result;
        }
        result += line + u"\r\n";
        ++count;
        line.clear();
    }
    if (!line.empty()) {
        if (count == maxLines)
            cut = true;
        else
            result += line + u"\r\n";
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the bounds: the real ones, or small ones.
    const bool smallBounds = data[0] & 1;
    principletext::Limits limits;
    if (smallBounds)
        limits = {qsizetype(data[0] >> 1), qsizetype(1 + (data[0] >> 4))};
    ++data;
    --size;
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::u16string shown = principletext::read(file, limits).toStdU16String();
    const std::u16string notice
        = (principletext::leftOutNotice() + QLatin1String("\r\n")).toStdU16String();

    bool moreLines = false;
    const std::u16string expected = lines(decoded(data, size), size_t(limits.lines), moreLines);
    const bool tooLong = qsizetype(size) > limits.bytes;
    if (!tooLong && !moreLines) {
        if (shown != expected)
            __builtin_trap();
        return 0;
    }
    // Cut: the lines within the bounds, then the notice.
    const bool endsWithNotice = shown.size() >= notice.size()
        && shown.compare(shown.size() - notice.size(), notice.size(), notice) == 0;
    if (!endsWithNotice)
        __builtin_trap();
    if (!tooLong && shown != expected + notice)
        __builtin_trap();
    size_t lineEnds = 0;
    for (size_t i = 0; i + 1 < shown.size(); ++i)
        lineEnds += shown[i] == u'\r' && shown[i + 1] == u'\n';
    if (lineEnds > size_t(limits.lines) + 1)
        __builtin_trap();
    return 0;
}
