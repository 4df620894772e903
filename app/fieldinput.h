#pragma once

#include <optional>

class Form1;
class QLineEdit;

// One numeric field read the way every calculator reads it: the character
// check and the decimal-point normalisation of the main window, then the
// conversion. No value means an input error.
std::optional<double> readField(const Form1 &form1, const QLineEdit &field);

// Writes a result in the fixed result form.
void writeResult(QLineEdit &field, double value);
