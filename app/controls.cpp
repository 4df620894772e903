#include "controls.h"

#include "app/core/numericinput.h"
#include "fieldinput.h"
#include "longpastecutter.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
