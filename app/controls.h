#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <utility>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Window layouts are given in twips, 15 to a logical pixel; Qt scales logical
// pixels on high-density screens by itself.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

struct Twips {
    int left, top, width, height;
    QRect pixels() const
    {
        return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                twipsToPixels(height)};
    }
};

QSize clientSize(int widthTwips, int heightTwips);

// The controls of a loaded window stand on one client widget that fills the
// window, so that unloading the window removes them all at once. Not named
// ClientArea: Qt's platform for the page has a class of that name, and
// linked statically into one program the two destructors would be taken
// for one.
struct ControlsArea {
    explicit ControlsArea(QWidget *window);
    ~ControlsArea();
    ControlsArea(const ControlsArea &) = delete;
    ControlsArea &operator=(const ControlsArea &) = delete;

    QWidget *const client;
};

// The background of the caption of a result field.
inline constexpr QColor resultCaptionColour(255, 128, 0);

// A caption beside a text box: centred; orange for a result field.
QLabel *makeCaption(QWidget *parent, const char *name, const QString &caption, Twips place,
                    bool forResult = false);
// A left-aligned caption that wraps at word boundaries, such as an instruction.
QLabel *makeWrappedText(QWidget *parent, const char *name, const QString &caption, Twips place);
// A single-line, left-aligned text box; a read-only one still takes focus and
// lets its text be selected.
QLineEdit *makeTextBox(QWidget *parent, const char *name, Twips place, bool readOnly = false);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, Twips place);
QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, Twips place);
// A text box and its caption on one row: the caption is the text box's buddy,
// so a screen reader announces the field by it.
QLineEdit *makeFieldRow(QWidget *parent, const char *labelName, const QString &caption,
                        Twips labelPlace, const char *boxName, Twips boxPlace, bool result = false);

// Where the rows of a calculator window put their captions and text boxes,
// in twips. Captions are 255 twips high, text boxes 285.
struct RowColumns {
    int labelLeft, labelWidth, boxLeft, boxWidth;
};
// A row at the given top, as makeFieldRow above.
QLineEdit *makeFieldRow(QWidget *parent, RowColumns columns, int top, const char *labelName,
                        const QString &caption, const char *boxName, bool result = false);

// Keyboard focus moves through the widgets in the order of their tab indexes;
// widgets that take no focus (labels, frames) are skipped.
void setTabOrderByIndex(std::initializer_list<std::pair<int, QWidget *>> widgets);

// Return and keypad Enter press the focused button of a window, as on the
// desktops the program runs on; in a text field they do nothing, since no
// window has a default button. True where the key pressed a button.
bool pressFocusedButtonOnEnter(QWidget *window, const QKeyEvent &event);
