#pragma once

#include "app/formwindow.h"

#include <memory>

class Form1;

// The reactive power compensation calculator: from the measured supply
// voltage, lamp voltage and current of the working circuit and the choke's
// resistance to the compensating capacitor, the efficiency and the power
// factor.
class Form6 : public FormWindow {
    Q_OBJECT
public:
    explicit Form6(const Form1 &form1);
    ~Form6() override;

protected:
    void buildControls() override;
    void destroyControls() override;
    void Form_Load() override;

private:
    void Command1_Click();

    struct Controls;
    const Form1 &form1_;
    std::unique_ptr<Controls> ui_;
};
