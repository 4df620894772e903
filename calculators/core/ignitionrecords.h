#pragma once

#include "circuit.h"
#include "margins.h"

#include <algorithm>
#include <optional>

// The last search and the last check of the ignition capacitor window, as
// the window showed them; what its plot is drawn from. Capacitances in µF.
namespace circuit {

// A search that ran to its end, found or not.
struct SearchRecord {
    IgnitionInputs inputs;
    bool found = false;
    double largestMicrofarads = 0; // Text8, where found
    double smallestMicrofarads = 0; // Text12, where found
    std::optional<GuaranteedRange> guaranteed;

    // The ends of the found range, low first whichever way the walk went.
    double rangeLow() const { return std::min(smallestMicrofarads, largestMicrofarads); }
    double rangeHigh() const { return std::max(smallestMicrofarads, largestMicrofarads); }
};

// A check of a real capacitor.
struct CheckRecord {
    SeriesCircuit circuit;
    VoltageLimits limits;
    double crealMicrofarads = 0;
    SeriesVoltages voltages; // RMS
};

} // namespace circuit
