#pragma once

#include <initializer_list>
#include <optional>

class Form1;
class QLineEdit;
class QString;

// One numeric field read the way every calculator reads it, with the main
// window's IsNumber and ChangeDots (numeric::readFieldText). No value means an
// input error.
std::optional<double> readField(const Form1 &form1, const QLineEdit &field);

// A field and the value it is read into.
struct FieldTarget {
    const QLineEdit &field;
    double &value;
};

// Reads every field into its value, each whatever became of the ones before;
// a field that is not a number leaves its value as it was. False where any
// was not a number, for the window to show its input error.
bool readFields(const Form1 &form1, std::initializer_list<FieldTarget> fields);

// Writes a result in the fixed result form.
void writeResult(QLineEdit &field, double value);

// Says more about a result than its field holds: as a tooltip, and as the
// field's accessible description, which a screen reader reads. An empty text
// takes both away.
void describeResult(QLineEdit &field, const QString &description);
