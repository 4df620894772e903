#include "searchplot.h"

#include "app/numericinput.h"
#include "ignitionsearch.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

namespace circuit {

namespace {
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
// Points of each curve across the x axis; the resonance comes on top.
constexpr int samples = 800;
// The axis begins a fifth below the smallest capacitance found, or near zero
// where nothing was found, and ends a little past the resonance.
constexpr double belowSmallest = 0.8;
constexpr double nearZero = 0.01; // of the resonance capacitance
constexpr double pastResonance = 0.02; // of the axis's span
// The resonance peak would flatten the rest: the y axis ends above the
// highest limit by half of it.
constexpr double aboveHighestLimit = 1.5;

QString percentText(double fraction)
{
    return numeric::formatTrimmed(fraction * 100, 2);
}

Curve sampled(const SeriesCircuit &circuit, const std::vector<double> &capacitances,
              double SeriesVoltages::*voltage)
{
    const SeriesArithmetic arithmetic(circuit);
    const double sqrt2 = squareRootOfTwo();
    Curve curve;
    curve.voltages.reserve(capacitances.size());
    for (const double microfarads : capacitances) {
        const auto v = seriesVoltages(arithmetic, microfarads / microfaradsPerFarad);
        curve.voltages.push_back(v ? sqrt2 * (*v).*voltage : notANumber);
    }
    return curve;
}
} // namespace

std::optional<Amplitudes> amplitudesAt(const SeriesCircuit &circuit, double microfarads)
{
    const auto v = seriesVoltages(circuit, microfarads / microfaradsPerFarad);
    if (!v)
        return std::nullopt;
    const double sqrt2 = squareRootOfTwo();
    return Amplitudes {sqrt2 * v->uc, sqrt2 * v->ul};
}

std::vector<NominalCheck> nominalChecks(const SearchRecord &search)
{
    std::vector<NominalCheck> checks;
    if (!search.found)
        return checks;
    const IgnitionInputs &in = search.inputs;
    const SeriesCircuit lowMains = atSupplyTimes(in.circuit, 1 - mainsTolerance);
    const SeriesCircuit highMains = atSupplyTimes(in.circuit, 1 + mainsTolerance);
    const double low = std::min(search.smallestMicrofarads, search.largestMicrofarads);
    const double high = std::max(search.smallestMicrofarads, search.largestMicrofarads);
    for (const double nominal : e12Values(low, high)) {
        NominalCheck check;
        check.microfarads = nominal;
        const auto atLow
            = seriesVoltages(lowMains, nominal * (1 - capacitanceTolerance) / microfaradsPerFarad);
        const auto atHigh = amplitudesAt(highMains, nominal * (1 + capacitanceTolerance));
        if (atLow && atHigh) {
            check.ucLowRms = atLow->uc;
            check.ucHighAmplitude = atHigh->uc;
            check.ulHighAmplitude = atHigh->ul;
            // The search's own comparisons, all strict.
            check.ignites = atLow->uc > in.uignition;
            check.capacitorHolds = atHigh->uc < in.limits.ucapMax;
            check.chokeHolds = atHigh->ul < in.limits.ubreakdown;
        }
        check.inGuaranteedRange = search.guaranteed && nominal >= search.guaranteed->lowMicrofarads
            && nominal <= search.guaranteed->highMicrofarads;
        checks.push_back(check);
    }
    return checks;
}

QString verdictText(const NominalCheck &check)
{
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

std::optional<SearchPlot> searchPlot(const SearchRecord &search)
{
    const IgnitionInputs &in = search.inputs;
    const auto resonance = resonanceCapacitance(in.circuit.lchoke);
    if (!resonance || *resonance <= 0)
        return std::nullopt;
    SearchPlot plot;
    plot.resonance = *resonance * microfaradsPerFarad;
    plot.found = search.found;
    if (search.found) {
        plot.foundLow = std::min(search.smallestMicrofarads, search.largestMicrofarads);
        plot.foundHigh = std::max(search.smallestMicrofarads, search.largestMicrofarads);
        plot.guaranteed = search.guaranteed;
        plot.e12 = e12Values(plot.foundLow, plot.foundHigh);
    }
    plot.cLow = search.found && plot.foundLow > 0 && plot.foundLow < plot.resonance
        ? belowSmallest * plot.foundLow
        : nearZero * plot.resonance;
    plot.cHigh = plot.resonance + pastResonance * (plot.resonance - plot.cLow);

    const double sqrt2 = squareRootOfTwo();
    plot.ucapMax = in.limits.ucapMax;
    plot.ubreakdown = in.limits.ubreakdown;
    plot.ignitionAmplitude = sqrt2 * in.uignition;
    plot.uHigh
        = aboveHighestLimit * std::max({plot.ucapMax, plot.ubreakdown, plot.ignitionAmplitude});
    if (!std::isfinite(plot.uHigh) || plot.uHigh <= 0)
        plot.uHigh = aboveHighestLimit * std::abs(in.circuit.usupply) * sqrt2;

    for (int i = 0; i <= samples; ++i)
        plot.capacitances.push_back(plot.cLow + (plot.cHigh - plot.cLow) * i / samples);
    plot.capacitances.insert(
        std::lower_bound(plot.capacitances.begin(), plot.capacitances.end(), plot.resonance),
        plot.resonance);
    plot.capacitor = sampled(in.circuit, plot.capacitances, &SeriesVoltages::uc);
    plot.choke = sampled(in.circuit, plot.capacitances, &SeriesVoltages::ul);
    plot.capacitorLowMains = sampled(atSupplyTimes(in.circuit, 1 - mainsTolerance),
                                     plot.capacitances, &SeriesVoltages::uc);
    plot.capacitorHighMains = sampled(atSupplyTimes(in.circuit, 1 + mainsTolerance),
                                      plot.capacitances, &SeriesVoltages::uc);
    return plot;
}

QString plotSummary(const SearchRecord &search)
{
    if (!search.found)
        return QStringLiteral("Подходящей емкости нет: ни одна емкость не зажигает лампу "
                              "в допустимых пределах напряжений.");
    const double low = std::min(search.smallestMicrofarads, search.largestMicrofarads);
    const double high = std::max(search.smallestMicrofarads, search.largestMicrofarads);
    QString text = QStringLiteral("Найденный диапазон емкости: от %1 до %2 мкФ. ")
                       .arg(capacitanceText(low), capacitanceText(high));
    if (search.guaranteed)
        text += QStringLiteral("С запасом на колебания сети и разброс емкости: от %1 до %2 мкФ. ")
                    .arg(capacitanceText(search.guaranteed->lowMicrofarads),
                         capacitanceText(search.guaranteed->highMicrofarads));
    else
        text += QStringLiteral("С запасом на колебания сети и разброс емкости подходящей "
                               "емкости нет. ");
    QStringList fitting;
    for (const NominalCheck &check : nominalChecks(search)) {
        if (check.fits())
            fitting.append(nominalText(check.microfarads));
    }
    return text
        + (fitting.isEmpty() ? QStringLiteral("Подходящих номиналов ряда E12 нет.")
                             : QStringLiteral("Подходящие номиналы ряда E12: %1 мкФ.")
                                   .arg(fitting.join(QStringLiteral("; "))));
}

bool checkMatchesSearch(const CheckRecord &check, const SearchRecord &search)
{
    const SeriesCircuit &a = check.circuit;
    const SeriesCircuit &b = search.inputs.circuit;
    return a.usupply == b.usupply && a.rchoke == b.rchoke && a.lchoke == b.lchoke
        && check.limits.ubreakdown == search.inputs.limits.ubreakdown
        && check.limits.ucapMax == search.inputs.limits.ucapMax;
}

} // namespace circuit
