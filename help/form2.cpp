#include "form2.h"

#include "app/controls.h"
#include "app/datafiles.h"

Form2::Form2(const Form1 &form1)
    : FormWindow(QStringLiteral("Принцип работы"), clientSize(9915, 5625))
    , form1_(form1)
{
    setObjectName(QStringLiteral("Form2"));
}

void Form2::Form_Load()
{
    setWindowIcon(datafiles::windowIcon());
}
