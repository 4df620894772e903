#include "margins.h"

#include "app/core/numericinput.h"
#include "e12series.h"
#include "quantitytext.h"

#include <QStringList>
#include <cmath>

namespace circuit {

namespace {
QString twoDecimals(double value)
{
    return numeric::formatFixed(value, 2);
}
} // namespace

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
    AmplitudeMargin margin {amplitude(rms), limit, 0, amplitude(*rmsHigh)};
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
