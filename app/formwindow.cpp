#include "formwindow.h"

#include "controls.h"
#include "datafiles.h"

#include <QCloseEvent>
#include <QScreen>
#include <QStyle>

FormWindow::FormWindow(const QString &caption, QSize client)
    : QWidget(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setFixedSize(client);
}

void FormWindow::showLoaded()
{
    if (!loaded_) {
        loadControls();
        loaded_ = true;
        setWindowIcon(datafiles::windowIcon());
        Form_Load();
    }
#ifdef Q_OS_WASM
    // A page has no window manager to place a new window, which would open in
    // its top left corner: it opens in the middle of the page instead.
    if (!testAttribute(Qt::WA_Moved) && screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen()->availableGeometry()));
#endif
    show();
    raise();
    activateWindow();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (loaded_) {
        unloadControls();
        loaded_ = false;
    }
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    // A key that the focused control leaves unused arrives here.
    if (!pressFocusedButtonOnEnter(this, *event))
        QWidget::keyPressEvent(event);
}
