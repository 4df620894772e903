#include "longpastecutter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace {
QString clipboardText(QClipboard::Mode mode)
{
    return QGuiApplication::clipboard()->text(mode);
}

qsizetype room(const QLineEdit *box)
{
    return box->maxLength() - (box->text().size() - box->selectedText().size());
}
} // namespace

bool LongPasteCutter::eventFilter(QObject *watched, QEvent *event)
{
    // A box being destroyed is a QLineEdit no longer, and its last focus
    // change still comes here.
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || box->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)
            && pasteCut(box, clipboardText(QClipboard::Clipboard));
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection where the system has one.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
            && QGuiApplication::clipboard()->supportsSelection()
            && (box->deselect(), pasteCut(box, clipboardText(QClipboard::Selection)));
    case QEvent::Drop:
        return dropCut(box, static_cast<QDropEvent *>(event));
    case QEvent::ContextMenu:
        showMenu(box, static_cast<QContextMenuEvent *>(event));
        return true;
    default:
        return false;
    }
}

bool LongPasteCutter::pasteCut(QLineEdit *box, const QString &text)
{
    const qsizetype fits = room(box);
    if (text.size() <= fits)
        return false;
    box->insert(text.left(qMax<qsizetype>(fits, 0)));
    return true;
}

bool LongPasteCutter::dropCut(QLineEdit *box, QDropEvent *drop)
{
    const QString text = drop->mimeData() ? drop->mimeData()->text() : QString();
    if (text.size() <= room(box))
        return false;
    box->deselect();
    box->setCursorPosition(box->cursorPositionAt(drop->position().toPoint()));
    pasteCut(box, text);
    drop->acceptProposedAction();
    return true;
}

void LongPasteCutter::showMenu(QLineEdit *box, QContextMenuEvent *event)
{
    QMenu *menu = box->createStandardContextMenu();
    if (auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        QObject::disconnect(paste, &QAction::triggered, box, &QLineEdit::paste);
        QObject::connect(paste, &QAction::triggered, box, [box] {
            if (!pasteCut(box, clipboardText(QClipboard::Clipboard)))
                box->paste();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
