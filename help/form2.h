#pragma once

#include "app/formwindow.h"

#include <memory>

class Form1;

// The principle-of-operation window: the text of "P.txt", read afresh each
// time the window loads, and two buttons.
class Form2 : public FormWindow {
    Q_OBJECT
public:
    explicit Form2(const Form1 &form1);
    ~Form2() override;

protected:
    void buildControls() override;
    void destroyControls() override;
    void Form_Load() override;

private:
    void Command1_Click();
    void Command2_Click();

    struct Controls;
    std::unique_ptr<Controls> ui_;
};
