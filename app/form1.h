#pragma once

#include "app/core/numericinput.h"
#include "controls.h"
#include "formwindow.h"

#include <memory>

class Form2;
class Form4;
class Form5;
class Form6;
class ClickableImage;
class QLabel;
class QPushButton;

// The controls of a loaded Form1.
struct Form1Controls : ControlsArea {
    using ControlsArea::ControlsArea;

    QLabel *Image1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    ClickableImage *Image2 = nullptr;
};

// The main window: the circuit picture, the buttons that open the other
// windows, the About message and the link to the discussion page. Its life is
// the program's life. It also carries IsNumber and ChangeDots, which every
// calculator runs on its fields.
class Form1 : public FormWindowWith<Form1Controls>, public numeric::FieldRoutines {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // Opens the window that a calculation's link names, fills it and runs its
    // calculation; a link that cannot be read gets one message instead.
    void openLink(const QString &link);

protected:
    void buildControls(Form1Controls &c) override;
    void Form_Load() override;
    void closeEvent(QCloseEvent *event) override;
    // Escape would end the program.
    bool closesOnEscape() const override { return false; }

private:
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Image2_Click();
    void Form_Unload();

    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<Form5> form5_;
    std::unique_ptr<Form6> form6_;
};
