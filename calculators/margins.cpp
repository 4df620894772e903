#include "margins.h"

#include "app/numericinput.h"

#include <QStringList>
#include <array>
#include <cmath>

namespace circuit {

namespace {
QString percentText(double fraction)
{
    return numeric::formatTrimmed(fraction * 100, 2);
}

QString twoDecimals(double value)
{
    return numeric::formatFixed(value, 2);
}

} // namespace

QString capacitanceText(double microfarads)
{
    const double magnitude = std::abs(microfarads);
    if (magnitude >= 1 || magnitude == 0)
        return twoDecimals(microfarads);
    int leadingDigit = static_cast<int>(std::floor(std::log10(magnitude)));
    // 0,0009996 rounds to 0,00100: the leading digit moves up one place.
    if (std::round(magnitude / std::pow(10.0, leadingDigit - 2)) >= 1000)
        ++leadingDigit;
    return numeric::formatFixed(microfarads, 2 - leadingDigit);
}

std::optional<GuaranteedRange> guaranteedRange(const CapacitanceSearch &search)
{
    using State = IgnitionWalkState;
    if (search.state() != State::Found || search.highMains().state() != State::Found
        || search.lowMains().state() != State::Found)
        return std::nullopt;
    // A nominal value C is admissible when C · (1 − tolerance) is not below
    // the smallest admissible capacitance and C · (1 + tolerance) not above
    // the largest.
    const GuaranteedRange range {
        search.lowMains().smallestMicrofarads() / (1 - capacitanceTolerance),
        search.highMains().largestMicrofarads() / (1 + capacitanceTolerance)};
    if (!std::isfinite(range.lowMicrofarads) || !std::isfinite(range.highMicrofarads)
        || range.lowMicrofarads > range.highMicrofarads)
        return std::nullopt;
    return range;
}

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

namespace {
QString e12Text(const GuaranteedRange &range)
{
    QStringList texts;
    for (const double value : e12Values(range.lowMicrofarads, range.highMicrofarads))
        texts.append(nominalText(value));
    if (texts.isEmpty())
        return QStringLiteral("нет.");
    return texts.join(QStringLiteral("; ")) + QStringLiteral(" мкФ.");
}
} // namespace

QString guaranteedRangeText(double usupply, const std::optional<GuaranteedRange> &range)
{
    const QString mainsBand = usupply > 0
        ? QStringLiteral(" (%1–%2 В)")
              .arg(numeric::formatTrimmed(usupply * (1 - mainsTolerance), 2),
                   numeric::formatTrimmed(usupply * (1 + mainsTolerance), 2))
        : QString();
    const QString tolerances
        = QStringLiteral("С запасом на колебания сети ±%1 %%2 и разброс емкости ±%3 %")
              .arg(percentText(mainsTolerance), mainsBand, percentText(capacitanceTolerance));
    if (!range)
        return tolerances + QStringLiteral(" подходящей емкости нет.");
    return tolerances
        + QStringLiteral(": от %1 до %2 мкФ. Номиналы ряда E12 в этом диапазоне: %3")
              .arg(capacitanceText(range->lowMicrofarads), capacitanceText(range->highMicrofarads),
                   e12Text(*range));
}

namespace {
std::optional<AmplitudeMargin> marginOf(double rms, double limit, std::optional<double> rmsHigh)
{
    if (!rmsHigh)
        return std::nullopt;
    const double sqrt2 = squareRootOfTwo();
    AmplitudeMargin margin {sqrt2 * rms, limit, 0, sqrt2 * *rmsHigh};
    margin.marginPercent = (limit - margin.amplitude) / limit * 100;
    if (!std::isfinite(margin.marginPercent) || !std::isfinite(margin.atHighMains))
        return std::nullopt;
    return margin;
}

QString marginText(const std::optional<AmplitudeMargin> &margin, const QString &limitName)
{
    if (!margin)
        return QString();
    // The check's own comparison: an amplitude equal to its limit fails.
    const QString ending = margin->atHighMains < margin->limit
        ? QStringLiteral(".")
        : QStringLiteral(" — больше допустимого.");
    return QStringLiteral("Амплитуда %1 В при %2 %3 В: запас %4 %. При напряжении сети выше на "
                          "%5 % — %6 В")
               .arg(twoDecimals(margin->amplitude), limitName, twoDecimals(margin->limit),
                    numeric::formatFixed(margin->marginPercent, 1), percentText(mainsTolerance),
                    twoDecimals(margin->atHighMains))
        + ending;
}
} // namespace

// The amplitudes at the higher mains voltage come from the check's own
// formulas at that voltage, as the capacitor would meet them.
CheckMargins checkMargins(const CapacitorCheck &check, const SeriesCircuit &circuit,
                          const VoltageLimits &limits, double creal)
{
    const auto high = seriesVoltages(atSupplyTimes(circuit, 1 + mainsTolerance), creal);
    const auto highUc = high ? std::optional(high->uc) : std::nullopt;
    const auto highUl = high ? std::optional(high->ul) : std::nullopt;
    return {marginOf(check.voltages.uc, limits.ucapMax, highUc),
            marginOf(check.voltages.ul, limits.ubreakdown, highUl)};
}

QString capacitorMarginText(const std::optional<AmplitudeMargin> &margin)
{
    return marginText(margin, QStringLiteral("допустимых"));
}

QString chokeMarginText(const std::optional<AmplitudeMargin> &margin)
{
    return marginText(margin, QStringLiteral("пробивном"));
}

} // namespace circuit
