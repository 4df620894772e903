#include "fieldinput.h"

#include "app/core/numericinput.h"
#include "form1.h"

#include <QLineEdit>

std::optional<double> readField(const Form1 &form1, const QLineEdit &field)
{
    return numeric::readFieldText(field.text(), form1);
}

bool readFields(const Form1 &form1, std::initializer_list<FieldTarget> fields)
{
    bool allRead = true;
    for (const FieldTarget &target : fields) {
        if (const auto value = readField(form1, target.field))
            target.value = *value;
        else
            allRead = false;
    }
    return allRead;
}

void writeResult(QLineEdit &field, double value)
{
    field.setText(numeric::formatResult(value));
}

void describeResult(QLineEdit &field, const QString &description)
{
    // A plain-text tooltip runs on in one line as wide as the screen, and Qt
    // wraps rich text into a narrow column when it is short; a table of a
    // fixed width holds the words in lines of about 60 characters.
    const QString wrapped = QStringLiteral("<table width=\"320\"><tr><td>%1</td></tr></table>")
                                .arg(description.toHtmlEscaped());
    field.setToolTip(description.isEmpty() ? QString() : wrapped);
    field.setAccessibleDescription(description);
}
