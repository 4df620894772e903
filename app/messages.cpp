#include "messages.h"

#include "seam.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <optional>

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

// Nothing waits in a nested event loop for a box to close: on a page that
// would need asyncify, which costs a quarter of the download and of the
// start-up, and every target takes the page's way. Each box opens and returns
// at once, and the next one opens when the one before it has gone, however
// it went: closed, hidden, or destroyed with its parent; whatever a message
// reports is in its fields before it is shown. Once a box has gone, the
// window that asked for it is active again with the focus it had when it
// asked, as a desktop's window manager does it.
struct Asker {
    QPointer<QWidget> window;
    QPointer<QWidget> focus;
};

struct PendingBox {
    QPointer<QWidget> parent;
    bool hadParent = false;
    Asker asker;
    Message message;

    // Its window has gone, or has been hidden as the program ends, before
    // the box could open: it is dropped.
    bool orphaned() const
    {
        return hadParent && (!parent || !asker.window || !asker.window->isVisible());
    }
};
std::deque<PendingBox> pendingBoxes;

struct ShownBox {
    QPointer<QMessageBox> box;
    Asker asker;
};
std::optional<ShownBox> shownBox;

bool boxOnScreen()
{
    return shownBox && shownBox->box && shownBox->box->isVisible();
}

void giveBack(const Asker &asker)
{
    if (!asker.window || !asker.window->isVisible())
        return;
    asker.window->activateWindow();
    if (asker.focus && asker.focus->window() == asker.window)
        asker.focus->setFocus(Qt::OtherFocusReason);
}

void afterBoxGone();

// Told when the box it watches hides, however it is hidden: by its button,
// by a hide() of its own, or as it is destroyed with its parent.
class BoxWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            QTimer::singleShot(0, qApp, afterBoxGone);
        return false;
    }
};

void openNextBox()
{
    if (boxOnScreen())
        return;
    while (!pendingBoxes.empty() && pendingBoxes.front().orphaned())
        pendingBoxes.pop_front();
    if (pendingBoxes.empty())
        return;
    const PendingBox next = pendingBoxes.front();
    pendingBoxes.pop_front();
    auto *box = new QMessageBox(boxIcon(next.message.icon), next.message.title, next.message.prompt,
                                QMessageBox::Ok, next.parent);
    // A message may quote a link, which is a stranger's text: never markup.
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    box->installEventFilter(new BoxWatch(box));
    if (shownBox && shownBox->box)
        shownBox->box->deleteLater();
    shownBox = ShownBox {box, next.asker};
    box->show();
}

// Runs once the event loop is back, never while a window is being destroyed.
void afterBoxGone()
{
    if (!shownBox || boxOnScreen())
        return;
    const ShownBox gone = *std::exchange(shownBox, std::nullopt);
    if (gone.box)
        gone.box->deleteLater();
    giveBack(gone.asker);
    openNextBox();
}
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
    QWidget *window = parent ? parent->window() : nullptr;
    pendingBoxes.push_back(
        {parent, parent != nullptr, {window, window ? window->focusWidget() : nullptr}, shown});
    openNextBox();
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
