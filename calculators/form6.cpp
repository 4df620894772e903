#include "form6.h"

#include "app/controls.h"
#include "app/datafiles.h"

Form6::Form6(const Form1 &form1)
    : FormWindow(QStringLiteral("Компенсация реактивной мощности"), clientSize(7455, 4320))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form6"));
}

void Form6::Form_Load()
{
    setWindowIcon(datafiles::windowIcon());
}
