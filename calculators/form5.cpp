#include "form5.h"

#include "app/controls.h"
#include "app/datafiles.h"

Form5::Form5(const Form1 &form1)
    : FormWindow(QStringLiteral("Расчет емкости С"), clientSize(7320, 7560))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form5"));
}

void Form5::Form_Load()
{
    setWindowIcon(datafiles::windowIcon());
}
