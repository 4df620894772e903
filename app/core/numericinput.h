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

// The longest text a numeric field takes. The number code reads texts of any
// length, but a text box lays out its whole line on every keystroke: at this
// length a keystroke takes about 80 ms, at a million characters 0,7 s. A text
// box keeps one character more, so that a longer paste is an input error
// rather than a number cut short.
inline constexpr int maxFieldLength = 120'000;

// The character check and the decimal-point normalisation that every
// calculator runs on its fields: public routines of the main window, which is
// the one FieldRoutines of the program.
class FieldRoutines {
public:
    bool IsNumber(const QString &text) const { return isNumber(text); }
    QString ChangeDots(const QString &text) const { return changeDots(text); }
};

// A numeric field's text read the way every calculator reads it: a text
// longer than maxFieldLength, or one that IsNumber refuses, is an input error
// (no value); otherwise ChangeDots, then convert.
std::optional<double> readFieldText(const QString &text, const FieldRoutines &routines);

// The fixed result form "0.00000000": eight decimals, ",", no grouping, no
// exponent. A value that rounds to zero is written without a minus sign.
// The value must be finite.
QString formatResult(double value);

// As formatResult, with the given number of decimals.
QString formatFixed(double value, int decimals);

// As formatFixed, with trailing zeros and a trailing "," dropped: 198, 202,5.
QString formatTrimmed(double value, int decimals);

} // namespace numeric
