#include "quantitytext.h"

#include "app/core/numericinput.h"

#include <cmath>

namespace circuit {

QString percentText(double fraction)
{
    return numeric::formatTrimmed(fraction * 100, 2);
}

QString capacitanceText(double microfarads)
{
    const double magnitude = std::abs(microfarads);
    if (magnitude >= 1 || magnitude == 0)
        return numeric::formatFixed(microfarads, 2);
    int leadingDigit = static_cast<int>(std::floor(std::log10(magnitude)));
    // 0,0009996 rounds to 0,00100: the leading digit moves up one place.
    if (std::round(magnitude / std::pow(10.0, leadingDigit - 2)) >= 1000)
        ++leadingDigit;
    return numeric::formatFixed(microfarads, 2 - leadingDigit);
}

QString voltsText(double volts, int decimals)
{
    return numeric::formatTrimmed(volts, decimals) + QStringLiteral(" В");
}

} // namespace circuit
