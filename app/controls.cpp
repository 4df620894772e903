#include "controls.h"

#include "fieldinput.h"
#include "numericinput.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <vector>

QSize clientSize(int widthTwips, int heightTwips)
{
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

ControlsArea::ControlsArea(QWidget *window)
    : client(new QWidget(window))
{
    client->setGeometry(window->rect());
    client->show();
}

ControlsArea::~ControlsArea()
{
    delete client;
}

namespace {
template<typename W> W *place(W *widget, const char *name, Twips where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(where.pixels());
    return widget;
}
} // namespace

QLabel *makeCaption(QWidget *parent, const char *name, const QString &caption, Twips where,
                    bool forResult)
{
    auto *label = place(new QLabel(caption, parent), name, where);
    label->setAlignment(Qt::AlignCenter);
    if (forResult) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, resultCaptionColour);
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    return label;
}

QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &caption, Twips where)
{
    auto *label = place(new QLabel(caption, parent), name, where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

namespace {
// A text box cuts a paste that is longer than the room left in it one
// character at a time, copying the rest of the paste at each step, so a paste
// far past a long maxLength takes minutes. This cuts such pastes in one step
// before they reach the box; shorter ones take the box's own way.
class LongPasteCutter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
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

private:
    static QString clipboardText(QClipboard::Mode mode)
    {
        return QGuiApplication::clipboard()->text(mode);
    }

    static qsizetype room(const QLineEdit *box)
    {
        return box->maxLength() - (box->text().size() - box->selectedText().size());
    }

    // False where the box can take the text whole and may paste it itself.
    static bool pasteCut(QLineEdit *box, const QString &text)
    {
        const qsizetype fits = room(box);
        if (text.size() <= fits)
            return false;
        box->insert(text.left(qMax<qsizetype>(fits, 0)));
        return true;
    }

    static bool dropCut(QLineEdit *box, QDropEvent *drop)
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

    static void showMenu(QLineEdit *box, QContextMenuEvent *event)
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
};
} // namespace

QLineEdit *makeTextBox(QWidget *parent, const char *name, Twips where, bool readOnly)
{
    auto *box = place(new QLineEdit(parent), name, where);
    box->setReadOnly(readOnly);
    box->setMaxLength(numeric::maxFieldLength + 1);
    box->installEventFilter(new LongPasteCutter(box));
    return box;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, Twips where)
{
    auto *button = place(new QPushButton(caption, parent), name, where);
    button->setAutoDefault(false);
    return button;
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, Twips where)
{
    return place(new QGroupBox(caption, parent), name, where);
}

QLineEdit *makeFieldRow(QWidget *parent, const char *labelName, const QString &caption,
                        Twips labelPlace, const char *boxName, Twips boxPlace, bool result)
{
    QLabel *label = makeCaption(parent, labelName, caption, labelPlace, result);
    QLineEdit *box = makeTextBox(parent, boxName, boxPlace, result);
    label->setBuddy(box);
    box->setAccessibleName(caption);
    return box;
}

QLineEdit *makeFieldRow(QWidget *parent, RowColumns columns, int top, const char *labelName,
                        const QString &caption, const char *boxName, bool result)
{
    return makeFieldRow(parent, labelName, caption,
                        {columns.labelLeft, top, columns.labelWidth, 255}, boxName,
                        {columns.boxLeft, top, columns.boxWidth, 285}, result);
}

void setTabOrderByIndex(std::initializer_list<std::pair<int, QWidget *>> widgets)
{
    std::vector<std::pair<int, QWidget *>> ordered(widgets);
    std::sort(ordered.begin(), ordered.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QWidget *previous = nullptr;
    for (const auto &[index, widget] : ordered) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

bool pressFocusedButtonOnEnter(QWidget *window, const QKeyEvent &event)
{
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    auto *button = qobject_cast<QPushButton *>(window->focusWidget());
    if (!enter || modifiers != Qt::NoModifier || !button || !button->isEnabled())
        return false;
    // A held key presses once, as Space does.
    if (!event.isAutoRepeat())
        button->click();
    return true;
}
