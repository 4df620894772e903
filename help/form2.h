#pragma once

#include "app/controls.h"
#include "app/formwindow.h"

class QPlainTextEdit;
class QPushButton;

// The controls of a loaded Form2.
struct Form2Controls : ControlsArea {
    using ControlsArea::ControlsArea;

    QPlainTextEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

// The principle-of-operation window: the text of "P.txt", read afresh each
// time the window loads, and two buttons.
class Form2 : public FormWindowWith<Form2Controls> {
    Q_OBJECT
public:
    Form2();
    ~Form2() override;

protected:
    void buildControls(Form2Controls &c) override;
    void Form_Load() override;

private:
    void Command1_Click();
    void Command2_Click();
};
