#include "numericinput.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

// Floating-point from_chars and to_chars where the C++ library has them; the
// C library's strtod and snprintf, which round exactly as well, where it has
// not (the libc++ of Debian's emscripten). KORINDO_C_LIBRARY_NUMBERS asks for
// the C library's everywhere, so that a desktop test build checks them too.
#if defined(__cpp_lib_to_chars) && !defined(KORINDO_C_LIBRARY_NUMBERS)
#define KORINDO_CHARCONV_NUMBERS 1
#else
#define KORINDO_CHARCONV_NUMBERS 0
#endif

namespace numeric {

bool isNumber(QStringView text)
{
    bool allAllowed = true;
    for (QChar c : text) {
        if (!allowedCharacters.contains(c))
            allAllowed = false;
    }
    return !text.isEmpty() && allAllowed;
}

QString changeDots(QStringView text)
{
    QString result = text.toString();
    result.replace(u'.', u',');
    return result;
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The pieces of a text that has the number's form.
struct NumberShape {
    bool valid = false;
    qsizetype integerDigits = 0; // digits before the ","
    qsizetype leadingZeros = 0; // zeros before the first significant digit
    bool anySignificant = false; // a non-zero mantissa digit
    qsizetype exponentStart = -1; // index of "E", or -1
};

NumberShape shapeOf(QStringView text)
{
    NumberShape shape;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'-')
        ++i;
    qsizetype digits = 0;
    bool comma = false;
    bool significant = false;
    for (; i < n && (isDigit(text[i]) || text[i] == u','); ++i) {
        if (text[i] == u',') {
            if (comma)
                return shape;
            comma = true;
            continue;
        }
        ++digits;
        if (!comma)
            ++shape.integerDigits;
        if (text[i] != u'0')
            significant = true;
        else if (!significant)
            ++shape.leadingZeros;
    }
    if (digits == 0)
        return shape;
    if (i < n) {
        if (text[i] != u'E')
            return shape;
        shape.exponentStart = i++;
        if (i < n && text[i] == u'-')
            ++i;
        if (i == n)
            return shape;
        for (; i < n; ++i) {
            if (!isDigit(text[i]))
                return shape;
        }
    }
    shape.anySignificant = significant;
    shape.valid = true;
    return shape;
}

// The power of ten written after "E", held at a bound far past any double.
long long exponentOf(QStringView text, const NumberShape &shape)
{
    if (shape.exponentStart < 0)
        return 0;
    qsizetype i = shape.exponentStart + 1;
    const bool negative = text[i] == u'-';
    if (negative)
        ++i;
    long long value = 0;
    for (; i < text.size(); ++i)
        value = std::min(value * 10 + (text[i].unicode() - u'0'), 1'000'000'000LL);
    return negative ? -value : value;
}

// A number from_chars could not hold: too large, or too close to zero. The
// first significant digit stands at 10^(integerDigits - leadingZeros - 1)
// before the exponent is applied.
bool isOverflow(QStringView text, const NumberShape &shape)
{
    const long long magnitude = static_cast<long long>(shape.integerDigits) - shape.leadingZeros
        + exponentOf(text, shape);
    return magnitude > 0;
}

struct AsciiNumber {
    double value = 0.0;
    const char *end = nullptr;
    bool outOfRange = false; // too large for a double, or too close to zero
};

// The C library's conversions read and write with the "C" locale's ".":
// the program never sets another.
AsciiNumber readAscii(const std::string &ascii)
{
    AsciiNumber number;
#if !KORINDO_CHARCONV_NUMBERS
    char *end = nullptr;
    errno = 0;
    number.value = std::strtod(ascii.c_str(), &end);
    number.end = end;
    // strtod also says ERANGE of a subnormal result, which from_chars reads.
    number.outOfRange = errno == ERANGE && (std::isinf(number.value) || number.value == 0.0);
#else
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(),
                                              number.value, std::chars_format::general);
    number.end = error == std::errc() ? end : nullptr;
    number.outOfRange = error == std::errc::result_out_of_range;
#endif
    return number;
}

} // namespace

std::optional<double> convert(QStringView commaText)
{
    const NumberShape shape = shapeOf(commaText);
    if (!shape.valid)
        return std::nullopt;

    std::string ascii = commaText.toLatin1().toStdString();
    for (char &c : ascii) {
        if (c == ',')
            c = '.';
    }
    const auto [value, end, outOfRange] = readAscii(ascii);
    if (outOfRange) {
        if (!shape.anySignificant || !isOverflow(commaText, shape))
            return 0.0;
        return std::nullopt;
    }
    if (end != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> readFieldText(const QString &text, const FieldRoutines &routines)
{
    if (text.size() > maxFieldLength || !routines.IsNumber(text))
        return std::nullopt;
    return convert(routines.ChangeDots(text));
}

namespace {
// A double has at most 309 integer digits; the room covers the sign, the
// separator and the decimals the program writes.
using NumberBuffer = std::array<char, 400>;

// The text written, with "," for "."; a value that rounds to zero loses its
// minus sign.
QString withComma(const char *begin, const char *end)
{
    QString text = QString::fromLatin1(begin, end - begin);
    const bool zero = std::all_of(text.cbegin(), text.cend(),
                                  [](QChar c) { return c == u'-' || c == u'0' || c == u'.'; });
    if (zero && text.startsWith(u'-'))
        text.remove(0, 1);
    text.replace(u'.', u',');
    return text;
}

// Writes value in fixed form with the given decimals; returns the end of the
// text, or null.
const char *writeFixed(NumberBuffer &buffer, double value, int decimals)
{
#if KORINDO_CHARCONV_NUMBERS
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    return error == std::errc() ? end : nullptr;
#else
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return length >= 0 && length < static_cast<int>(buffer.size()) ? buffer.data() + length
                                                                   : nullptr;
#endif
}
} // namespace

QString formatResult(double value)
{
    return formatFixed(value, 8);
}

QString formatFixed(double value, int decimals)
{
    Q_ASSERT(std::isfinite(value));
    NumberBuffer buffer {};
    const char *end = writeFixed(buffer, value, decimals);
    return end ? withComma(buffer.data(), end) : QString();
}

QString formatTrimmed(double value, int decimals)
{
    QString text = formatFixed(value, decimals);
    if (!text.contains(u','))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u','))
        text.chop(1);
    return text;
}

} // namespace numeric
