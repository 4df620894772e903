#pragma once

#include "formwindow.h"

#include <memory>

class Form2;
class Form4;
class Form5;
class Form6;

// The main window: the circuit picture, the buttons that open the other
// windows, the About message and the link to the discussion page. Its life is
// the program's life.
class Form1 : public FormWindow {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // The character check and the decimal-point normalisation that every
    // calculator runs on its fields.
    bool IsNumber(const QString &text) const;
    QString ChangeDots(const QString &text) const;

    // True once the main window has been closed: the program is ending, and
    // long work in progress gives up at once.
    bool isEnding() const { return ending_; }

protected:
    void buildControls() override;
    void destroyControls() override;
    void Form_Load() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Image2_Click();
    void Form_Unload();

    struct Controls;
    std::unique_ptr<Controls> ui_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form4> form4_;
    std::unique_ptr<Form5> form5_;
    std::unique_ptr<Form6> form6_;
    bool ending_ = false;
};
