#pragma once

#include "circuit.h"
#include "ignitionsearch.h"

#include <QString>
#include <optional>

// How much room the answers of the ignition capacitor window leave: the
// capacitances that still hold when the mains and the capacitor stray, and
// how far each voltage of a check stays from its limit.
namespace circuit {

// A film motor-run capacitor may differ from its marking by ±5 % (IEC 60252-1
// parts are commonly ±5 %); the mains' tolerance is the search's own.
inline constexpr double capacitanceTolerance = 0.05;

// Nominal capacitances, µF, that stay admissible wherever the mains and the
// real capacitance are within their tolerances.
struct GuaranteedRange {
    double lowMicrofarads = 0;
    double highMicrofarads = 0;
};

// Of a search that has found its range: the guaranteed range, or none where a
// walk at a bound of the mains found nothing or the range is empty.
std::optional<GuaranteedRange> guaranteedRange(const CapacitanceSearch &search);

// What the search's results say of the guaranteed range, for the supply
// voltage typed. The band of the mains is left out for a supply that is not
// positive, where it would name no voltages a mains has.
QString guaranteedRangeText(double usupply, const std::optional<GuaranteedRange> &range);

// One amplitude of a check against its limit.
struct AmplitudeMargin {
    double amplitude = 0; // V, at the typed mains voltage
    double limit = 0; // V
    double marginPercent = 0; // (limit − amplitude) / limit · 100
    double atHighMains = 0; // V, the amplitude with the mains mainsTolerance high
};

// The margins of a check; none for a quantity that is not a finite number
// (a limit of 0, an overflow at the higher mains voltage).
struct CheckMargins {
    std::optional<AmplitudeMargin> capacitor; // UC against UcapMax
    std::optional<AmplitudeMargin> choke; // UL against Ubreakdown
};
// check is the check of creal at the typed mains voltage.
CheckMargins checkMargins(const CapacitorCheck &check, const SeriesCircuit &circuit,
                          const VoltageLimits &limits, double creal);

// What a check's results say of their margins; empty for no margin.
QString capacitorMarginText(const std::optional<AmplitudeMargin> &margin);
QString chokeMarginText(const std::optional<AmplitudeMargin> &margin);

} // namespace circuit
