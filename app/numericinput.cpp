#include "numericinput.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The libc++ of Debian's emscripten has no floating-point from_chars or
// to_chars; its C library's strtod and snprintf round exactly as well, and
// stand in there. Their locale is always "C", which has ".".
AsciiNumber readAscii(const std::string &ascii)
{
    AsciiNumber number;
#ifdef Q_OS_WASM
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

std::optional<double> readNumber(QStringView text)
{
    if (!isNumber(text))
        return std::nullopt;
    return convert(changeDots(text));
}

namespace {
// A double has at most 309 integer digits, and the smallest one, written
// shortest, has 323 zeros after the separator before its one digit; the room
// covers the sign, the separator and a few decimals beyond.
using NumberBuffer = std::array<char, 400>;

// The text to_chars wrote, with "," for "."; a value that rounds to zero
// loses its minus sign.
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

#ifdef Q_OS_WASM
// The fewest significant digits that read back as value, laid out without an
// exponent, as to_chars writes the shortest fixed form.
const char *writeShortest(NumberBuffer &buffer, double value)
{
    std::array<char, 32> scientific {};
    for (int precision = 0; precision <= 17; ++precision) {
        std::snprintf(scientific.data(), scientific.size(), "%.*e", precision, value);
        if (std::strtod(scientific.data(), nullptr) == value)
            break;
    }
    // "-d.ddde+x": the sign, the digits without the point, the exponent.
    char *e = std::strchr(scientific.data(), 'e');
    std::string digits(scientific.data(), e);
    const int exponent = std::atoi(e + 1);
    const bool negative = digits.front() == '-';
    std::erase(digits, '-');
    std::erase(digits, '.');
    std::string text = negative ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (exponent < 0)
        text += "0." + std::string(-exponent - 1, '0') + digits;
    else if (exponent + 1 >= count)
        text += digits + std::string(exponent + 1 - count, '0');
    else
        text += digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    if (text.size() >= buffer.size())
        return nullptr;
    return std::copy(text.begin(), text.end(), buffer.begin());
}
#endif

// Writes value in fixed form with the given decimals, or in the shortest
// fixed form that reads back as value; returns the end of the text, or null.
const char *writeFixed(NumberBuffer &buffer, double value, std::optional<int> decimals)
{
#ifdef Q_OS_WASM
    if (!decimals)
        return writeShortest(buffer, value);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", *decimals, value);
    return length >= 0 && length < static_cast<int>(buffer.size()) ? buffer.data() + length
                                                                   : nullptr;
#else
    const auto [end, error] = decimals ? std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                       value, std::chars_format::fixed, *decimals)
                                       : std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                                       value, std::chars_format::fixed);
    return error == std::errc() ? end : nullptr;
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

QString formatShortest(double value)
{
    Q_ASSERT(std::isfinite(value));
    NumberBuffer buffer {};
    const char *end = writeFixed(buffer, value, std::nullopt);
    return end ? withComma(buffer.data(), end) : QString();
}

} // namespace numeric
