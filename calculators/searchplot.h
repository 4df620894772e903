#pragma once

#include "circuit.h"
#include "margins.h"

#include <QString>
#include <optional>
#include <vector>

// What the plot of the ignition capacitor window draws, worked out without a
// window or a plotting library: the voltages against the capacitance from the
// circuit arithmetic the search itself uses, the limits, the ranges the
// search found, and the capacitors one can buy in them. Capacitances in µF,
// voltages in volts.
namespace circuit {

// A search that ran to its end (found or not), as the window last showed it.
struct SearchRecord {
    IgnitionInputs inputs;
    bool found = false;
    double largestMicrofarads = 0; // Text8, where found
    double smallestMicrofarads = 0; // Text12, where found
    std::optional<GuaranteedRange> guaranteed;
};

// A check of a real capacitor, as the window last showed it.
struct CheckRecord {
    SeriesCircuit circuit;
    VoltageLimits limits;
    double crealMicrofarads = 0;
    SeriesVoltages voltages; // RMS
};

// One E12 value of the found range, worked out at the corners of the
// tolerances: the capacitor voltage at its lowest (mains and part low) for
// ignition, the amplitudes at their highest (mains and part high) for the
// limits.
struct NominalCheck {
    double microfarads = 0;
    double ucLowRms = 0; // at the mains −10 %, the part −5 %
    double ucHighAmplitude = 0; // at the mains +10 %, the part +5 %
    double ulHighAmplitude = 0; // likewise
    bool ignites = false; // ucLowRms above the ignition voltage
    bool capacitorHolds = false; // ucHighAmplitude below its limit
    bool chokeHolds = false; // ulHighAmplitude below the breakdown
    bool inGuaranteedRange = false;

    bool fits() const { return ignites && capacitorHolds && chokeHolds; }
};

// The E12 values of the found range, ascending, each checked.
std::vector<NominalCheck> nominalChecks(const SearchRecord &search);

// «подходит», or what fails.
QString verdictText(const NominalCheck &check);

// The amplitudes at one capacitance (µF) of the search's circuit: none where
// they are not finite numbers.
struct Amplitudes {
    double uc = 0;
    double ul = 0;
};
std::optional<Amplitudes> amplitudesAt(const SeriesCircuit &circuit, double microfarads);

// A curve as sampled: where a point is not a finite number, its voltage is
// NaN, which a plot leaves as a gap.
struct Curve {
    std::vector<double> voltages; // at SearchPlot::capacitances
};

struct SearchPlot {
    double cLow = 0; // the x axis
    double cHigh = 0;
    double uHigh = 0; // the y axis, from 0
    double resonance = 0; // 1 / (314² · L)

    std::vector<double> capacitances; // ascending, the resonance among them
    Curve capacitor; // UC amplitude at the typed mains
    Curve choke; // UL amplitude at the typed mains
    Curve capacitorLowMains; // UC amplitude at the mains −10 %
    Curve capacitorHighMains; // UC amplitude at the mains +10 %

    double ucapMax = 0; // the limits, amplitudes
    double ubreakdown = 0;
    double ignitionAmplitude = 0;

    bool found = false;
    double foundLow = 0; // Text12 to Text8, where found
    double foundHigh = 0;
    std::optional<GuaranteedRange> guaranteed;
    std::vector<double> e12; // the E12 values of the found range
};

// No plot where the inductance gives no resonance capacitance.
std::optional<SearchPlot> searchPlot(const SearchRecord &search);

// What the plot shows, in words, for a screen reader.
QString plotSummary(const SearchRecord &search);

// Whether a check was made with the search's circuit and limits, so that its
// marker stands on the plotted curves.
bool checkMatchesSearch(const CheckRecord &check, const SearchRecord &search);

} // namespace circuit
