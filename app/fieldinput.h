#pragma once

#include <optional>

class Form1;
class QLineEdit;

// The longest text a numeric field takes. The number code reads texts of any
// length, and a field of this length still scrolls and edits without delay;
// a text box keeps one character more, so that a longer paste is an input
// error rather than a number cut short.
inline constexpr int maxFieldLength = 1'000'000;

// One numeric field read the way every calculator reads it: the character
// check and the decimal-point normalisation of the main window, then the
// conversion. No value means an input error, and so does a text longer than
// maxFieldLength.
std::optional<double> readField(const Form1 &form1, const QLineEdit &field);

// Writes a result in the fixed result form.
void writeResult(QLineEdit &field, double value);
