#include "weblink.h"

#include "seam.h"

#include <QWidget>

#ifdef Q_OS_WIN
// shellapi.h needs the types of windows.h; the blank line keeps the two in
// this order when the includes are sorted.
#include <windows.h>

#include <shellapi.h>
#else
#include <QDesktopServices>
#endif

namespace {
Seam<void(const QUrl &)> webAddressSeam;
} // namespace

WebAddressHandler setWebAddressHandler(WebAddressHandler handler)
{
    return webAddressSeam.replace(std::move(handler));
}

void openWebAddress(QWidget *owner, const QUrl &address)
{
    if (const auto &standIn = webAddressSeam.standIn()) {
        standIn(address);
        return;
    }
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
