#include "commandline.h"
#include "form1.h"
#include "startup.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Answered before the application object exists, so that no display is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = commandLineAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    setUpApplication(application);
    Form1 form1;
    form1.showLoaded();
    return QApplication::exec();
}
