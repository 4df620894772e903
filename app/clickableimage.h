#pragma once

#include <QLabel>

// An image box that reports a click of the left mouse button. It takes no
// keyboard focus; screen readers press it through its accessible "press"
// action instead.
class ClickableImage : public QLabel {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

    // What a click does, for callers other than the mouse.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
