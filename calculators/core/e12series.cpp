#include "e12series.h"

#include "app/core/numericinput.h"

#include <array>

namespace circuit {

namespace {
constexpr std::array<int, 12> e12Mantissas {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
// 1 pF is 10 · 10^-7 µF, 1 F is 10 · 10^5 µF.
constexpr int lowestExponent = -7;
constexpr int highestExponent = 5;
constexpr double onePicofarad = 0.000001; // µF
constexpr double oneFarad = 1000000; // µF
// Enough for 1,2 pF, 0,0000012 µF: every listed value is written exactly.
constexpr int e12Decimals = 7;

// Exact up to 10^22.
double powerOfTen(int exponent)
{
    double power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// mantissa · 10^exponent as the double nearest the decimal value, which is
// the double a field reads from the same digits: both operands are exact,
// so the one division or product rounds once.
double e12Value(int mantissa, int exponent)
{
    return exponent >= 0 ? mantissa * powerOfTen(exponent) : mantissa / powerOfTen(-exponent);
}
} // namespace

// The bounds are compared exactly, without a tolerance: they come from walks
// whose steps are far coarser than a double's rounding, so a tolerance would
// move an edge by a part in 10^15 that nothing else in the search resolves.
std::vector<double> e12Values(double lowMicrofarads, double highMicrofarads)
{
    std::vector<double> values;
    for (int exponent = lowestExponent; exponent <= highestExponent; ++exponent) {
        for (const int mantissa : e12Mantissas) {
            const double value = e12Value(mantissa, exponent);
            if (value >= onePicofarad && value <= oneFarad && value >= lowMicrofarads
                && value <= highMicrofarads)
                values.push_back(value);
        }
    }
    return values;
}

QString nominalText(double microfarads)
{
    return numeric::formatTrimmed(microfarads, e12Decimals);
}

} // namespace circuit
