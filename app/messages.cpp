#include "messages.h"

#include "seam.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <deque>

namespace {
Seam<void(const Message &)> messageSeam;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

#ifdef Q_OS_WASM
// A page waits for no answer: a nested event loop there needs asyncify, which
// costs a quarter of the download and of the start-up. Each box opens and
// returns at once, and the next one opens when the one before it closes;
// whatever a message reports is in its fields before it is shown. Once a box
// closes, its window is active again with the focus where it was, as a
// desktop's window manager does it.
struct PendingBox {
    QPointer<QWidget> parent;
    Message message;
};
std::deque<PendingBox> pendingBoxes;
bool boxOpen = false;

void openNextBox()
{
    if (boxOpen || pendingBoxes.empty())
        return;
    const PendingBox next = pendingBoxes.front();
    pendingBoxes.pop_front();
    auto *box = new QMessageBox(boxIcon(next.message.icon), next.message.title, next.message.prompt,
                                QMessageBox::Ok, next.parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QPointer<QWidget> window = next.parent ? next.parent->window() : nullptr;
    QObject::connect(box, &QMessageBox::finished, [focus, window] {
        boxOpen = false;
        if (window) {
            window->activateWindow();
            if (focus && focus->window() == window)
                focus->setFocus(Qt::OtherFocusReason);
        }
        openNextBox();
    });
    boxOpen = true;
    box->show();
}
#endif
} // namespace

QString applicationTitle()
{
    // Not given to Qt as the application's display name: Qt would append that
    // to the caption of every window.
    return QStringLiteral("Кориндо");
}

void showMessage(QWidget *parent, const Message &message)
{
    Message shown = message;
    if (shown.title.isEmpty())
        shown.title = applicationTitle();
    if (const auto &standIn = messageSeam.standIn()) {
        standIn(shown);
        return;
    }
#ifdef Q_OS_WASM
    pendingBoxes.push_back({parent, shown});
    openNextBox();
#else
    QMessageBox box(boxIcon(shown.icon), shown.title, shown.prompt, QMessageBox::Ok, parent);
    box.exec();
#endif
}

Message inputErrorMessage()
{
    return {QStringLiteral("Введите верные данные"), QStringLiteral("Ошибка ввода данных"),
            MessageIcon::Warning};
}

void showInputError(QWidget *parent)
{
    showMessage(parent, inputErrorMessage());
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    return messageSeam.replace(std::move(handler));
}
