#pragma once

#include "app/formwindow.h"

class Form1;

// The principle-of-operation window.
class Form2 : public FormWindow
{
    Q_OBJECT
public:
    explicit Form2(const Form1 &form1);

protected:
    void buildControls() override {}
    void destroyControls() override {}
    void Form_Load() override;

private:
    const Form1 &form1_;
};
