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

void describeResult(QLineEdit &field, const QString &description)
{
    const QString paragraph = QStringLiteral("<p>%1</p>").arg(description.toHtmlEscaped());
    field.setToolTip(description.isEmpty() ? QString() : paragraph);
    field.setAccessibleDescription(description);
}
