#pragma once

#include "ignitionrecords.h"

#include <QString>
#include <vector>

// The E12 values of a search's found range, each worked out at the corners
// of the tolerances: the capacitor voltage at its lowest (mains and part
// low) for ignition, the amplitudes at their highest (mains and part high)
// for the limits.
namespace circuit {

struct NominalCheck {
    double microfarads = 0;
    bool computed = false; // every corner a finite number; else nothing below holds
    double ucLowRms = 0; // at the mains −10 %, the part −5 %
    double ucHighAmplitude = 0; // at the mains +10 %, the part +5 %
    double ulHighAmplitude = 0; // likewise
    bool ignites = false; // ucLowRms above the ignition voltage
    bool capacitorHolds = false; // ucHighAmplitude below its limit
    bool chokeHolds = false; // ulHighAmplitude below the breakdown
    bool inGuaranteedRange = false;

    bool fits() const { return computed && ignites && capacitorHolds && chokeHolds; }
};

// The E12 values of the found range, ascending, each checked; none where
// nothing was found.
std::vector<NominalCheck> nominalChecks(const SearchRecord &search);

// «подходит», what fails, or that the corners could not be computed.
QString verdictText(const NominalCheck &check);

} // namespace circuit
