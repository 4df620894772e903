#pragma once

#include "circuit.h"
#include "ignitionsearch.h"

#include <QString>
#include <optional>
#include <vector>

// How much room the answers of the ignition capacitor window leave: the
// capacitances that still hold when the mains and the capacitor stray, and
// how far each voltage of a check stays from its limit.
namespace circuit {

// The mains may stray by ±10 % (GOST 32144-2013); a film motor-run capacitor
// may differ from its marking by ±5 % (IEC 60252-1 parts are commonly ±5 %).
inline constexpr double mainsTolerance = 0.1;
inline constexpr double capacitanceTolerance = 0.05;

// Nominal capacitances, µF, that stay admissible wherever the mains and the
// real capacitance are within their tolerances.
struct GuaranteedRange {
    double lowMicrofarads = 0;
    double highMicrofarads = 0;
};

// The search the window runs: the walk at the typed mains voltage and, once
// that has found its range, the same walk at the mains' upper bound, then at
// its lower one, each to its end. advance() takes one chunk of one walk at a
// time, so that the window looks up between chunks as ever.
class CapacitanceSearch {
public:
    using State = IgnitionWalkState;

    explicit CapacitanceSearch(const IgnitionInputs &inputs);

    // As IgnitionWalk::advance. MetLargest is the typed-voltage walk's;
    // Found comes once all three walks have ended; any other end is the
    // typed-voltage walk's own, and the other two are then never taken.
    State advance(std::int64_t maxPasses);
    State state() const;
    bool hasEnded() const { return state() != State::Walking && state() != State::MetLargest; }

    // The walk at the typed mains voltage, whose results the window shows.
    const IgnitionWalk &walk() const { return walk_; }

    // On Found: the guaranteed range, or none where a walk at a bound of the
    // mains found nothing or the range is empty.
    std::optional<GuaranteedRange> guaranteedRange() const;

private:
    IgnitionWalk walk_;
    IgnitionWalk highMains_;
    IgnitionWalk lowMains_;
};

// The E12 values (IEC 60063) from low to high, both included, in µF,
// ascending. Only values a capacitor is sold in are listed: 1 pF to 1 F.
std::vector<double> e12Values(double lowMicrofarads, double highMicrofarads);

// What the search's results say of the guaranteed range, for the supply
// voltage typed.
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
CheckMargins checkMargins(const SeriesCircuit &circuit, const VoltageLimits &limits, double creal);

// What a check's results say of their margins; empty for no margin.
QString capacitorMarginText(const std::optional<AmplitudeMargin> &margin);
QString chokeMarginText(const std::optional<AmplitudeMargin> &margin);

} // namespace circuit
