#pragma once

#include "app/formwindow.h"

#include <memory>

class Form1;

// The ignition capacitor window: the range of admissible ignition
// capacitances for a choke (Command1) and the voltages a real capacitor sees
// at ignition (Command2), from one set of inputs.
class Form5 : public FormWindow {
    Q_OBJECT
public:
    // The circuit values the window keeps for the whole run: they start at
    // zero and survive closing the window. Capacitances in farads.
    struct StoredValues {
        double Usupply = 0; // V RMS
        double Uignition = 0; // V RMS
        double UcapMax = 0; // V amplitude
        double Ubreakdown = 0; // V amplitude
        double Rchoke = 0; // ohm
        double Lchoke = 0; // H
        double Cstep = 0; // F
        double Creal = 0; // F
    };

    explicit Form5(const Form1 &form1);
    ~Form5() override;

    const StoredValues &storedValues() const { return stored_; }

protected:
    void buildControls() override;
    void destroyControls() override;
    void Form_Load() override;

private:
    bool ReadInputs();
    void Command1_Click();
    void Command2_Click();

    struct Controls;
    const Form1 &form1_;
    std::unique_ptr<Controls> ui_;
    StoredValues stored_;
    // A search in progress: no other search or check starts meanwhile.
    bool busy_ = false;
};
