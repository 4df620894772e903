#pragma once

#include "app/controls.h"
#include "app/core/calculationlink.h"
#include "app/formwindow.h"

class Form1;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The controls of a loaded Form6.
struct Form6Controls : ControlsArea {
    using ControlsArea::ControlsArea;

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLineEdit *Text7 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
};

// The reactive power compensation calculator: from the measured supply
// voltage, lamp voltage and current of the working circuit and the choke's
// resistance to the compensating capacitor, the efficiency and the power
// factor.
class Form6 : public FormWindowWith<Form6Controls> {
    Q_OBJECT
public:
    explicit Form6(const Form1 &form1);
    ~Form6() override;

    // Fills the fields from a link and calculates, as a press of Command1 does.
    void openCalculation(const calculationlink::Calculation &calculation);

protected:
    void buildControls(Form6Controls &c) override;

private:
    void Command1_Click();
    QList<QLineEdit *> inputFields() const;

    const Form1 &form1_;
};
