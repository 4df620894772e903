#pragma once

#include <optional>

class Form1;
class QLineEdit;
class QString;

// One numeric field read the way every calculator reads it, with the main
// window's IsNumber and ChangeDots (numeric::readFieldText). No value means an
// input error.
std::optional<double> readField(const Form1 &form1, const QLineEdit &field);

// Writes a result in the fixed result form.
void writeResult(QLineEdit &field, double value);

// Says more about a result than its field holds: as a tooltip, and as the
// field's accessible description, which a screen reader reads. An empty text
// takes both away.
void describeResult(QLineEdit &field, const QString &description);
