#include "form1.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    setUpApplication(application);
    Form1 form1;
    form1.showLoaded();
    return QApplication::exec();
}
