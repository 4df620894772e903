#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Reading numbers out of text fields and writing results back, with ","
// as the decimal separator whatever the user's regional settings are.
namespace numeric {

// The only characters a numeric field may hold.
inline constexpr QStringView allowedCharacters = u"-0123456789E,.";

// True when the text is not empty and every character is an allowed one.
// Structure (how many signs, separators or exponents) is not examined.
bool isNumber(QStringView text);

// A copy of the text with every "." turned into ",".
QString changeDots(QStringView text);

// Reads a text of the form [-]digits[,digits][E[-]digits] (at least one
// mantissa digit) as the nearest double. Anything else, and magnitudes beyond
// the range of a double, give no value; magnitudes too small for a double read
// as 0.
std::optional<double> convert(QStringView commaText);

// isNumber, changeDots and convert in a row: what a numeric field yields.
std::optional<double> readNumber(QStringView text);

// The fixed result form "0.00000000": eight decimals, ",", no grouping, no
// exponent. A value that rounds to zero is written without a minus sign.
// The value must be finite.
QString formatResult(double value);

// As formatResult, with the given number of decimals.
QString formatFixed(double value, int decimals);

// As formatFixed, with trailing zeros and a trailing "," dropped: 198, 202,5.
QString formatTrimmed(double value, int decimals);

// The shortest fixed-point text that reads back as the value: 0,47, 3,9,
// 120, 0,0000012. The value must be finite.
QString formatShortest(double value);

} // namespace numeric
