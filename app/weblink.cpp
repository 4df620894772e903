#include "weblink.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>
#else
#include <QDesktopServices>
#endif

void openWebAddress(QWidget *owner, const QUrl &address)
{
#ifdef Q_OS_WIN
    const QByteArray file = address.toString().toLocal8Bit();
    // SW_HIDE: the browser decides how its own window appears.
    ShellExecuteA(owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr, "OPEN",
                  file.constData(), "", "", SW_HIDE);
#else
    Q_UNUSED(owner);
    QDesktopServices::openUrl(address);
#endif
}
