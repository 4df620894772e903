#pragma once

#include <optional>

class Form1;
class QLineEdit;
class QString;

// The longest text a numeric field takes. The number code reads texts of any
// length, but a text box lays out its whole line on every keystroke: at this
// length a keystroke takes about 80 ms, at a million characters 0,7 s. A text
// box keeps one character more, so that a longer paste is an input error
// rather than a number cut short.
inline constexpr int maxFieldLength = 120'000;

// One numeric field read the way every calculator reads it: the character
// check and the decimal-point normalisation of the main window, then the
// conversion. No value means an input error, and so does a text longer than
// maxFieldLength.
std::optional<double> readField(const Form1 &form1, const QLineEdit &field);

// Writes a result in the fixed result form.
void writeResult(QLineEdit &field, double value);

// Says more about a result than its field holds: as a tooltip, and as the
// field's accessible description, which a screen reader reads. An empty text
// takes both away.
void describeResult(QLineEdit &field, const QString &description);
