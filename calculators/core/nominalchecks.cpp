#include "nominalchecks.h"

#include "e12series.h"
#include "quantitytext.h"

#include <QStringList>

namespace circuit {

namespace {
// The corners of one nominal value, or nothing where one is not finite.
void computeCorners(NominalCheck &check, const IgnitionInputs &in)
{
    const auto atLow
        = seriesVoltages(atSupplyTimes(in.circuit, 1 - mainsTolerance),
                         check.microfarads * (1 - capacitanceTolerance) / microfaradsPerFarad);
    const auto atHigh
        = seriesVoltages(atSupplyTimes(in.circuit, 1 + mainsTolerance),
                         check.microfarads * (1 + capacitanceTolerance) / microfaradsPerFarad);
    if (!atLow || !atHigh)
        return;
    check.computed = true;
    check.ucLowRms = atLow->uc;
    check.ucHighAmplitude = amplitude(atHigh->uc);
    check.ulHighAmplitude = amplitude(atHigh->ul);
    // The search's own comparisons, all strict.
    check.ignites = check.ucLowRms > in.uignition;
    check.capacitorHolds = check.ucHighAmplitude < in.limits.ucapMax;
    check.chokeHolds = check.ulHighAmplitude < in.limits.ubreakdown;
}
} // namespace

std::vector<NominalCheck> nominalChecks(const SearchRecord &search)
{
    std::vector<NominalCheck> checks;
    if (!search.found)
        return checks;
    for (const double nominal : e12Values(search.rangeLow(), search.rangeHigh())) {
        NominalCheck check;
        check.microfarads = nominal;
        computeCorners(check, search.inputs);
        check.inGuaranteedRange = search.guaranteed && nominal >= search.guaranteed->lowMicrofarads
            && nominal <= search.guaranteed->highMicrofarads;
        checks.push_back(check);
    }
    return checks;
}

QString verdictText(const NominalCheck &check)
{
    if (!check.computed)
        return QStringLiteral("не удалось рассчитать");
    if (check.fits())
        return QStringLiteral("подходит");
    const QString low = QStringLiteral("−%1 %").arg(percentText(mainsTolerance));
    const QString high = QStringLiteral("+%1 %").arg(percentText(mainsTolerance));
    QStringList fails;
    if (!check.ignites)
        fails.append(QStringLiteral("не зажигает лампу при сети %1").arg(low));
    if (!check.capacitorHolds)
        fails.append(QStringLiteral("конденсатор перегружен при сети %1").arg(high));
    if (!check.chokeHolds)
        fails.append(QStringLiteral("дроссель перегружен при сети %1").arg(high));
    return fails.join(QStringLiteral("; "));
}

} // namespace circuit
