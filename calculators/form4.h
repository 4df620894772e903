#pragma once

#include "app/formwindow.h"

#include <memory>

class Form1;

// The choke inductance calculator: from a voltmeter reading, an ammeter
// reading and the winding resistance to the choke's inductance.
class Form4 : public FormWindow {
    Q_OBJECT
public:
    explicit Form4(const Form1 &form1);
    ~Form4() override;

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
