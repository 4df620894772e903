#pragma once

#include "app/controls.h"
#include "app/core/calculationlink.h"
#include "app/formwindow.h"
#include "calculators/core/ignitionrecords.h"
#include "calculators/core/ignitionsearch.h"

#include <memory>
#include <optional>

class Form1;
class Form5Plot;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The controls of a loaded Form5.
struct Form5Controls : ControlsArea {
    using ControlsArea::ControlsArea;

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLineEdit *Text7 = nullptr;
    QLineEdit *Text8 = nullptr;
    QLineEdit *Text12 = nullptr;
    QPushButton *Command1 = nullptr;
    QLineEdit *Text9 = nullptr;
    QLineEdit *Text10 = nullptr;
    QLineEdit *Text11 = nullptr;
    QPushButton *Command2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *Command3 = nullptr;
};

// The ignition capacitor window: the range of admissible ignition
// capacitances for a choke (Command1) and the voltages a real capacitor sees
// at ignition (Command2), from one set of inputs. The results' tooltips tell
// the margins they leave as the mains and the capacitor stray, and Command3
// shows the last search and check drawn in a window of their own.
class Form5 : public FormWindowWith<Form5Controls> {
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
    // A search has started and not yet ended: once its progress dialog shows,
    // its walk goes on between turns of the event loop.
    bool isSearching() const { return run_ != nullptr; }

    // Fills the fields from a link and searches, as a press of Command1 does;
    // once the search has ended, checks the real capacitance as Command2
    // does, where the link holds one.
    void openCalculation(const calculationlink::Calculation &calculation);

protected:
    void buildControls(Form5Controls &c) override;
    void Form_Load() override;
    void hideEvent(QHideEvent *event) override;

private:
    bool ReadInputs();
    QList<QLineEdit *> inputFields() const;
    void Command1_Click();
    void continueSearch();
    void endSearch(bool cancelled);
    void showSearchEnd(const circuit::IgnitionInputs &inputs,
                       const circuit::CapacitanceSearch &search);
    void Command2_Click();
    void Command3_Click();
    // Shows the last search and check in the plot window, where it is open.
    void updatePlot();
    bool fieldsShowAnotherSearch() const;

    const Form1 &form1_;
    StoredValues stored_;
    // The last search that ran to its end, and the last check; they outlive
    // the window's controls, as the stored values do.
    std::optional<circuit::SearchRecord> lastSearch_;
    std::optional<circuit::CheckRecord> lastCheck_;
    Form5Plot *plot_ = nullptr; // made on the first press of Command3
    // A search in progress: no other search or check starts meanwhile.
    struct SearchRun;
    std::unique_ptr<SearchRun> run_;
    // The search was started by a link that holds a real capacitance.
    bool checkAfterSearch_ = false;
};
