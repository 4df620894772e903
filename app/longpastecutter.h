#pragma once

#include <QObject>

class QContextMenuEvent;
class QDropEvent;
class QLineEdit;

// A text box cuts a paste that is longer than the room left in it one
// character at a time, copying the rest of the paste at each step, so a paste
// far past a long maxLength takes minutes. This cuts such pastes in one step
// before they reach the box; shorter ones take the box's own way.
// Installed on a box as an event filter, a child of the box.
class LongPasteCutter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // False where the box can take the text whole and may paste it itself.
    static bool pasteCut(QLineEdit *box, const QString &text);
    static bool dropCut(QLineEdit *box, QDropEvent *drop);
    // The box's own menu, whose paste cuts as a key does.
    static void showMenu(QLineEdit *box, QContextMenuEvent *event);
};
