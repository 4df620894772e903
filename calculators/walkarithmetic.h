#pragma once

#include "circuit.h"

// The constants of one pass of the capacitance walk, worked out once, as the
// proofs that let the walk skip passes use them.
//
// Exactness: the walk that skips passes gives the plain walk's results to the
// last bit. That rests on these assumptions:
//   - doubles are IEEE 754 binary64, every +, −, ×, / rounds to nearest even,
//     with no wider intermediate precision (SSE2 on x86-64, not the x87), no
//     flush of subnormals to zero, and no contraction of a × b + c into one
//     fused operation: the core is compiled with -ffp-contract=off, so that an
//     x86-64, an ARM and a Windows build give the same bits;
//   - std::pow(y, 0.5) and std::pow(x, 2) are within 2^-49 of the exact
//     power, relatively, or within 2^-1072 where the result is subnormal
//     (glibc's pow is within one unit in the last place; the pow of other C
//     libraries is checked by the walk comparison test);
//   - each constant below is the very value that seriesVoltages computes on
//     every pass: the same operations on the same operands.
namespace circuit {

struct PassArithmetic {
    explicit PassArithmetic(const IgnitionInputs &in)
        : xl(in.circuit.lchoke * omega)
        , r2(std::pow(in.circuit.rchoke, 2))
        , usupply(in.circuit.usupply)
        , xlTimesSupply(xl * in.circuit.usupply)
        , sqrt2(squareRootOfTwo())
        , ubreakdown(in.limits.ubreakdown)
        , ucapMax(in.limits.ucapMax)
        , uignition(in.uignition)
    {
    }

    double xl; // X of the choke, L · 314
    double r2; // R²
    double usupply;
    double xlTimesSupply;
    double sqrt2;
    double ubreakdown;
    double ucapMax;
    double uignition;
};

} // namespace circuit
