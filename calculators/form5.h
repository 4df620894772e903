#pragma once

#include "app/formwindow.h"

class Form1;

// The ignition capacitor window.
class Form5 : public FormWindow
{
    Q_OBJECT
public:
    explicit Form5(const Form1 &form1);

protected:
    void buildControls() override {}
    void destroyControls() override {}
    void Form_Load() override;

private:
    const Form1 &form1_;
};
