#include "formwindow.h"

#include "controls.h"
#include "datafiles.h"

#include <QCloseEvent>
#include <QPointer>

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
    // The control that loading gave the focus keeps it once the window
    // shows: on the page, Qt 6.8 moves it on to the next control as it
    // activates the window.
    const QPointer<QWidget> chosen = focusWidget();
    showInFront(this);
    if (chosen)
        chosen->setFocus(Qt::OtherFocusReason);
}

void showInFront(QWidget *window)
{
    // Not show(): a page would show a window that is no dialog filling the
    // page, without its title bar and close box.
    window->setVisible(true);
    window->raise();
    window->activateWindow();
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (loaded_) {
        unloadControls();
        loaded_ = false;
    }
    emit closed();
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    // A key that the focused control leaves unused arrives here.
    if (pressFocusedButtonOnEnter(this, *event))
        return;
    // Escape leaves a window as its close box does: a page has no Alt+F4,
    // and a keyboard user no other way back.
    if (closesOnEscape() && event->key() == Qt::Key_Escape
        && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
