#pragma once

#include "app/controls.h"
#include "app/core/calculationlink.h"
#include "app/formwindow.h"

class Form1;
class QLabel;
class QLineEdit;
class QPushButton;

// The controls of a loaded Form4.
struct Form4Controls : ControlsArea {
    using ControlsArea::ControlsArea;

    QLabel *Image1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QPushButton *Command1 = nullptr;
};

// The choke inductance calculator: from a voltmeter reading, an ammeter
// reading and the winding resistance to the choke's inductance.
class Form4 : public FormWindowWith<Form4Controls> {
    Q_OBJECT
public:
    explicit Form4(const Form1 &form1);
    ~Form4() override;

    // Fills the fields from a link and calculates, as a press of Command1 does.
    void openCalculation(const calculationlink::Calculation &calculation);

protected:
    void buildControls(Form4Controls &c) override;
    void Form_Load() override;

private:
    void Command1_Click();
    QList<QLineEdit *> inputFields() const;

    const Form1 &form1_;
};
