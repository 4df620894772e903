#include "walkproof.h"

#include <algorithm>
#include <cfloat>
#include <limits>

namespace circuit {

namespace {
constexpr std::int64_t mantissaSpan = std::int64_t(1) << 52; // 2^52: doubles per binade
constexpr int smallestNormalExponent = DBL_MIN_EXP - 1; // −1022
constexpr int significandBits = DBL_MANT_DIG - 1; // 52
} // namespace

double TrialStretch::at(std::int64_t t) const
{
    // Below 2^53 in magnitude, so the conversion and the scaling are exact.
    return std::ldexp(static_cast<double>(first - (t - 1) * stride), exponent);
}

std::optional<TrialStretch> trialStretch(double c, double step)
{
    if (!std::isfinite(c) || !std::isfinite(step))
        return std::nullopt;
    // From 2^-1022 down through the subnormals to zero and on to −2^-1021
    // every double is a multiple of 2^-1074: one band around zero.
    const int binade
        = c == 0 ? smallestNormalExponent : std::max(std::ilogb(c), smallestNormalExponent);
    const bool aroundZero = binade == smallestNormalExponent;
    const std::int64_t low = aroundZero || c < 0 ? -2 * mantissaSpan : mantissaSpan;
    const std::int64_t high = aroundZero || c > 0 ? 2 * mantissaSpan : -mantissaSpan;

    TrialStretch stretch;
    stretch.exponent = binade - significandBits;
    const double next = c - step;
    const double afterNext = next - step;
    const double nextUnits = std::ldexp(next, -stretch.exponent);
    const double afterNextUnits = std::ldexp(afterNext, -stretch.exponent);
    const auto inside = [&](double units) { return units > low && units < high; };
    if (!inside(nextUnits) || !inside(afterNextUnits))
        return std::nullopt;
    stretch.first = static_cast<std::int64_t>(nextUnits);
    stretch.stride = stretch.first - static_cast<std::int64_t>(afterNextUnits);
    if (stretch.stride > 0)
        stretch.passes = (stretch.first - (low + 1)) / stretch.stride + 1;
    else if (stretch.stride < 0)
        stretch.passes = ((high - 1) - stretch.first) / -stretch.stride + 1;
    else
        return std::nullopt;
    return stretch;
}

namespace {
// Bounds on the values that one formula takes over the trial capacitances of
// a range of passes. Rounding to nearest never reverses an order, so for a
// +, −, × or / the rounded result at any operands within intervals lies
// between the rounded results at their corners: the bounds enclose every
// value a pass computes, without widening. Only pow, which is not correctly
// rounded, needs a margin.
struct Interval {
    double low;
    double high;

    bool finite() const { return std::isfinite(low) && std::isfinite(high); }
    bool positive() const { return low > 0; }
    bool signDefinite() const { return low > 0 || high < 0; }
};

Interval ordered(double a, double b)
{
    return a <= b ? Interval {a, b} : Interval {b, a};
}

Interval times(Interval a, double k)
{
    return ordered(a.low * k, a.high * k);
}

// a / b for b finite and of one sign: the extremes lie at the corners.
Interval quotient(Interval a, Interval b)
{
    if (!a.finite())
        return a; // min and max would pass over a NaN
    const auto corners = {a.low / b.low, a.low / b.high, a.high / b.low, a.high / b.high};
    return {std::min(corners), std::max(corners)};
}

Interval quotient(double k, Interval b)
{
    return ordered(k / b.low, k / b.high);
}

// pow's error: 2^-49 relative allowed at the bound and again at the pass,
// hence 2^-47 with room to spare, and 16 units of the last subnormal place.
constexpr double powRelativeMargin = 0x1p-47;
constexpr double powAbsoluteMargin = 0x1p-1070;
constexpr double infinity = std::numeric_limits<double>::infinity();

double belowPow(double p)
{
    return std::nextafter(p - p * powRelativeMargin, -infinity) - powAbsoluteMargin;
}

double abovePow(double p)
{
    return std::nextafter(p + p * powRelativeMargin, infinity) + powAbsoluteMargin;
}

Interval squared(Interval x)
{
    const double atLow = std::pow(x.low, 2);
    const double atHigh = std::pow(x.high, 2);
    if (x.low >= 0)
        return {std::max(0.0, belowPow(atLow)), abovePow(atHigh)};
    if (x.high <= 0)
        return {std::max(0.0, belowPow(atHigh)), abovePow(atLow)};
    return {0, abovePow(std::max(atLow, atHigh))};
}

Interval squareRoot(Interval y)
{
    return {belowPow(std::pow(y.low, 0.5)), abovePow(std::pow(y.high, 0.5))};
}
} // namespace

bool provesQuiet(const SeriesArithmetic &series, const IgnitionInputs &in, double cLow,
                 double cHigh, bool found)
{
    const Interval c {cLow, cHigh};
    if (!c.finite() || !c.signDefinite())
        return false;
    const Interval cOmega = times(c, omega);
    if (!cOmega.finite() || !cOmega.signDefinite())
        return false;
    const Interval xc = quotient(1.0, cOmega);
    const Interval x = ordered(series.xl - xc.high, series.xl - xc.low);
    if (!std::isfinite(series.xl) || !xc.finite() || !x.finite())
        return false;
    const Interval x2 = squared(x);
    const Interval sum {x2.low + series.r2, x2.high + series.r2};
    const Interval z = squareRoot(sum);
    if (!sum.finite() || !z.finite() || !z.positive())
        return false;
    const Interval ul = quotient(series.xlTimesSupply, z);
    const Interval uc = quotient(times(xc, series.usupply), z);
    const double sqrt2 = squareRootOfTwo();
    const Interval ulAmplitude = times(ul, sqrt2);
    const Interval ucAmplitude = times(uc, sqrt2);
    if (!ul.finite() || !uc.finite() || !ulAmplitude.finite() || !ucAmplitude.finite())
        return false;

    // Each test is written as the negation of the walk's own comparison, so
    // that a limit that is not a number (every comparison false) counts as
    // the walk counts it.
    const bool neverWithin
        = !(ulAmplitude.low < in.limits.ubreakdown) || !(ucAmplitude.low < in.limits.ucapMax);
    const bool neverBelow = !(uc.low < in.uignition);
    const bool neverAbove = !(uc.high > in.uignition);
    return neverWithin || (neverBelow && (found || neverAbove));
}

} // namespace circuit
