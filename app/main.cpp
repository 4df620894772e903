#include "app/core/commandline.h"
#include "form1.h"
#include "startup.h"
#include "weblink.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Answered before the application object exists, so that no display is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto answer = commandLineAnswer(arguments)) {
        // UTF-8 on every platform: a Windows program's output has no code
        // page worth trusting.
        std::fputs(answer->toUtf8().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    setUpApplication(application);
    Form1 form1;
    form1.showLoaded();
    // A calculation's link: the page's fragment, or the argument on the
    // command line (Qt has taken its own options out of it by now).
    QString link = pageFragment();
    if (link.isEmpty())
        link = linkArgument(QApplication::arguments().mid(1));
    if (!link.isEmpty())
        form1.openLink(link);
    return QApplication::exec();
}
