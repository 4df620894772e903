#pragma once

#include "circuit.h"

#include <cstdint>
#include <optional>

// What lets the capacitance walk skip passes without changing a bit of its
// results: the trial capacitances of a stretch in closed form, and a proof
// that a range of them neither faults, stops the walk nor meets the largest
// capacitance.
namespace circuit {

// The trial capacitances that follow c, while they stay among the doubles of
// one spacing u (one binade, or the band around zero where every double is a
// multiple of the smallest subnormal).
//
// There every trial value is m·u with a whole m, and fl(m·u − step) =
// (m − d)·u: the rounding of m − step/u to a whole number. Away from a tie
// that rounding does not depend on m. On a tie it goes to the even
// neighbour: the result is even, and from an even m every later tie goes the
// same way. So d is read off the second step inside the band and holds for
// every later one. A result that could round into a neighbouring band is
// kept out of the stretch by a margin of one u at both ends.
struct TrialStretch {
    // Trial capacitance t passes after c, t = 1 … passes.
    double at(std::int64_t t) const;

    std::int64_t first = 0; // the next trial value, in units of u
    std::int64_t stride = 0; // d: what every step takes off, in units of u
    int exponent = 0; // u = 2^exponent
    std::int64_t passes = 0; // how many trial values stay inside the band
};

// No stretch where c or the step is not finite, where the next two trial
// values leave c's band, or where the walk stands still.
std::optional<TrialStretch> trialStretch(double c, double step);

// True when it is proven that no trial capacitance in [cLow, cHigh] makes a
// quantity non-finite, stops the walk, or (before the largest capacitance
// was met, found = false) meets the largest capacitance. False says nothing.
// The series arithmetic is the walk's own, made from in.circuit.
bool provesQuiet(const SeriesArithmetic &series, const IgnitionInputs &in, double cLow,
                 double cHigh, bool found);

} // namespace circuit
