#pragma once

#include "app/formwindow.h"

class Form1;

// The reactive power compensation calculator.
class Form6 : public FormWindow
{
    Q_OBJECT
public:
    explicit Form6(const Form1 &form1);

protected:
    void buildControls() override {}
    void destroyControls() override {}
    void Form_Load() override;

private:
    const Form1 &form1_;
};
