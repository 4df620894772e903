#include "fieldinput.h"

#include "form1.h"
#include "numericinput.h"

#include <QLineEdit>

std::optional<double> readField(const Form1 &form1, const QLineEdit &field)
{
    const QString text = field.text();
    if (text.size() > maxFieldLength || !form1.IsNumber(text))
        return std::nullopt;
    return numeric::convert(form1.ChangeDots(text));
}

void writeResult(QLineEdit &field, double value)
{
    field.setText(numeric::formatResult(value));
}
