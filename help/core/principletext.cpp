#include "principletext.h"

#include <QStringDecoder>
#include <array>

namespace principletext {

namespace {
// Windows-1251 from 0x80 to 0xBF; 0xC0 to 0xFF are А to я in alphabetical
// order (U+0410 to U+044F), and below 0x80 it is ASCII. Written out here
// because Qt knows this code page only when it is built with ICU.
constexpr std::array<char16_t, 64> upperHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u0098', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',
};

QString decode(const QByteArray &file)
{
    // The decoder drops a leading byte-order mark and reports any byte
    // sequence that is not UTF-8 (overlong forms and surrogates included).
    // Stateless, it also reports a sequence cut short at the end, which it
    // would otherwise keep back, waiting for more bytes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(file);
    if (!utf8.hasError())
        return text;
    return fromWindows1251(file);
}
} // namespace

QString fromWindows1251(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            text.append(QLatin1Char(char(b)));
        else if (b < 0xC0)
            text.append(QChar(upperHalf[b - 0x80]));
        else
            text.append(QChar(char16_t(0x0410 + (b - 0xC0))));
    }
    return text;
}

namespace {
// The first bytes of a file, cut back to the start of a character where the
// cut would split a UTF-8 sequence, so that a cut leaves UTF-8 text UTF-8.
QByteArray headOf(const QByteArray &file, qsizetype bytes)
{
    qsizetype end = bytes;
    const auto isContinuation = [&](qsizetype i) { return (uchar(file[i]) & 0xC0) == 0x80; };
    for (int step = 0; step < 3 && end > 0 && isContinuation(end); ++step)
        --end;
    return file.first(end);
}
} // namespace

QString leftOutNotice()
{
    return QStringLiteral("[…] Дальше текст не показан: файл слишком длинный.");
}

QString read(const QByteArray &file, Limits limits)
{
    bool cut = file.size() > limits.bytes;
    const QString decoded = decode(cut ? headOf(file, limits.bytes) : file);
    const QLatin1String lineEnd("\r\n");
    QString text;
    text.reserve(decoded.size() + decoded.size() / 32);
    qsizetype lines = 0;
    qsizetype lineStart = 0;
    qsizetype pos = 0;
    while (pos < decoded.size() && lines < limits.lines) {
        if (decoded[pos] != u'\r') {
            ++pos;
            continue;
        }
        text += QStringView(decoded).sliced(lineStart, pos - lineStart);
        text += lineEnd;
        ++lines;
        ++pos;
        if (pos < decoded.size() && decoded[pos] == u'\n')
            ++pos;
        lineStart = pos;
    }
    if (lineStart < decoded.size()) {
        if (lines < limits.lines) {
            text += QStringView(decoded).sliced(lineStart);
            text += lineEnd;
        } else {
            cut = true;
        }
    }
    if (cut)
        text += leftOutNotice() + lineEnd;
    return text;
}

QString toDisplayText(const QString &text)
{
    QString shown = text;
    if (shown.endsWith(QLatin1String("\r\n")))
        shown.chop(2);
    // Every CR of the text is the first half of a line end; what LFs remain
    // stood alone in the file.
    shown.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    shown.replace(u'\n', QChar::LineSeparator);
    shown.replace(u'\r', u'\n');
    return shown;
}

} // namespace principletext
