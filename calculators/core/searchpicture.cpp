#include "searchpicture.h"

#include "app/core/numericinput.h"
#include "e12series.h"
#include "nominalchecks.h"
#include "quantitytext.h"

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

const QString beforeSearch = QStringLiteral(
    "Сначала рассчитайте емкость: кнопка «Рассчитать емкость зажигающего конденсатора».");
const QString noResonance
    = QStringLiteral("Для такой индуктивности дросселя нет резонансной емкости: графика нет.");

std::vector<double> sampled(const SeriesCircuit &circuit, const std::vector<double> &capacitances,
                            double SeriesVoltages::*voltage)
{
    const SeriesArithmetic arithmetic(circuit);
    std::vector<double> volts;
    volts.reserve(capacitances.size());
    for (const double microfarads : capacitances) {
        const auto v = seriesVoltages(arithmetic, microfarads / microfaradsPerFarad);
        volts.push_back(v ? amplitude((*v).*voltage) : notANumber);
    }
    return volts;
}

void placeAxes(SearchPicture &p, const SearchRecord &search, double resonance)
{
    const bool rangeOnAxis = search.found && search.rangeLow() > 0 && search.rangeLow() < resonance;
    p.cLow = rangeOnAxis ? belowSmallest * search.rangeLow() : nearZero * resonance;
    p.cHigh = resonance + pastResonance * (resonance - p.cLow);
    for (int i = 0; i <= samples; ++i)
        p.capacitances.push_back(p.cLow + (p.cHigh - p.cLow) * i / samples);
    p.capacitances.insert(std::lower_bound(p.capacitances.begin(), p.capacitances.end(), resonance),
                          resonance);

    const IgnitionInputs &in = search.inputs;
    // Limits of 0 or below leave the axis to the supply's amplitude.
    const double candidates[]
        = {aboveHighestLimit
               * std::max({in.limits.ucapMax, in.limits.ubreakdown, amplitude(in.uignition)}),
           aboveHighestLimit * amplitude(std::abs(in.circuit.usupply)), 1.0};
    p.uHigh = *std::find_if(std::begin(candidates), std::end(candidates),
                            [](double u) { return std::isfinite(u) && u > 0; });
}

void addCurves(SearchPicture &p, const SearchRecord &search)
{
    const SeriesCircuit &circuit = search.inputs.circuit;
    const QString mains = percentText(mainsTolerance);
    const auto add = [&](CurveKind kind, const QString &name, const SeriesCircuit &at,
                         double SeriesVoltages::*voltage) {
        p.curves.push_back({kind, name, sampled(at, p.capacitances, voltage)});
    };
    add(CurveKind::Capacitor, QStringLiteral("UC, конденсатор"), circuit, &SeriesVoltages::uc);
    add(CurveKind::Choke, QStringLiteral("UL, дроссель"), circuit, &SeriesVoltages::ul);
    add(CurveKind::CapacitorLowMains, QStringLiteral("UC при сети −%1 %").arg(mains),
        atSupplyTimes(circuit, 1 - mainsTolerance), &SeriesVoltages::uc);
    add(CurveKind::CapacitorHighMains, QStringLiteral("UC при сети +%1 %").arg(mains),
        atSupplyTimes(circuit, 1 + mainsTolerance), &SeriesVoltages::uc);
}

void addLimits(SearchPicture &p, const IgnitionInputs &in)
{
    const auto add = [&](LimitKind kind, const QString &name, double volts) {
        p.limits.push_back({kind, volts, name + QStringLiteral(" ") + voltsText(volts, 2)});
    };
    add(LimitKind::Capacitor, QStringLiteral("Предел конденсатора"), in.limits.ucapMax);
    add(LimitKind::Choke, QStringLiteral("Пробой дросселя"), in.limits.ubreakdown);
    add(LimitKind::Ignition, QStringLiteral("Зажигание лампы"), amplitude(in.uignition));
}

// The bands and their notes: what the search found, and what holds within
// the tolerances.
QStringList addRanges(SearchPicture &p, const SearchRecord &search)
{
    if (!search.found) {
        p.banners.push_back(
            {(p.cLow + p.cHigh) / 2, QStringLiteral("Подходящей емкости нет"), true});
        return {QStringLiteral("Поиск не нашел емкости, при которой лампа зажигается, а "
                               "напряжения остаются в допустимых пределах.")};
    }
    p.bands.push_back({search.rangeLow(), search.rangeHigh(), false});
    QStringList notes {
        QStringLiteral("Светлая полоса — найденный диапазон: от %1 до %2 мкФ.")
            .arg(capacitanceText(search.rangeLow()), capacitanceText(search.rangeHigh()))};
    if (const auto &guaranteed = search.guaranteed) {
        p.bands.push_back({guaranteed->lowMicrofarads, guaranteed->highMicrofarads, true});
        notes.append(QStringLiteral("Темная — диапазон с запасом."));
    } else {
        p.banners.push_back({(search.rangeLow() + search.rangeHigh()) / 2,
                             QStringLiteral("С запасом подходящей емкости нет"), false});
    }
    notes.append(guaranteedRangeText(search.inputs.circuit.usupply, search.guaranteed));
    for (const double value : e12Values(search.rangeLow(), search.rangeHigh()))
        p.ticks.push_back({value, nominalText(value)});
    return notes;
}

// The table of the E12 values, and a note on each whose verdict differs
// from the guaranteed range's.
QStringList addTable(SearchPicture &p, const SearchRecord &search,
                     const std::vector<NominalCheck> &checks)
{
    const double usupply = search.inputs.circuit.usupply;
    const QString tolerance = percentText(capacitanceTolerance);
    const QString low = numeric::formatTrimmed(usupply * (1 - mainsTolerance), 2);
    const QString high = numeric::formatTrimmed(usupply * (1 + mainsTolerance), 2);
    p.tableHeader = QStringList {
        QStringLiteral("C, мкФ"), QStringLiteral("UC при %1 В, −%2 % (RMS)").arg(low, tolerance),
        QStringLiteral("UC при %1 В, +%2 % (амп)").arg(high, tolerance),
        QStringLiteral("UL при %1 В, +%2 % (амп)").arg(high, tolerance), QStringLiteral("Вывод")};
    QStringList notes;
    for (const NominalCheck &check : checks) {
        const auto volts = [&](double value) {
            return check.computed ? voltsText(value, 1) : QStringLiteral("—");
        };
        p.tableRows.push_back({nominalText(check.microfarads), volts(check.ucLowRms),
                               volts(check.ucHighAmplitude), volts(check.ulHighAmplitude),
                               verdictText(check)});
        if (check.computed && check.fits() != check.inGuaranteedRange)
            notes.append(QStringLiteral("Номинал %1 мкФ лежит в пределах шага поиска от края "
                                        "диапазона с запасом: таблица, рассчитанная прямо для "
                                        "него, точнее.")
                             .arg(nominalText(check.microfarads)));
    }
    return notes;
}

bool checkMatchesSearch(const CheckRecord &check, const SearchRecord &search)
{
    const SeriesCircuit &a = check.circuit;
    const SeriesCircuit &b = search.inputs.circuit;
    return a.usupply == b.usupply && a.rchoke == b.rchoke && a.lchoke == b.lchoke
        && check.limits.ubreakdown == search.inputs.limits.ubreakdown
        && check.limits.ucapMax == search.inputs.limits.ucapMax;
}

// The check's mark, or the note that says why there is none.
QStringList addCheck(SearchPicture &p, const SearchRecord &search, const CheckRecord &check)
{
    const double c = check.crealMicrofarads;
    if (!checkMatchesSearch(check, search))
        return {QStringLiteral("Проверка выполнена для других исходных данных, чем расчет: ее на "
                               "графике нет.")};
    if (!(c >= p.cLow && c <= p.cHigh))
        return {QStringLiteral("Проверенная емкость %1 мкФ лежит за пределами графика.")
                    .arg(numeric::formatTrimmed(c, 6))};
    const double uc = amplitude(check.voltages.uc);
    const double ul = amplitude(check.voltages.ul);
    p.check = PictureCheck {c,
                            uc,
                            ul,
                            QStringLiteral("проверка %1 мкФ").arg(numeric::formatTrimmed(c, 6)),
                            QStringLiteral(" UC ") + voltsText(uc, 2),
                            QStringLiteral(" UL ") + voltsText(ul, 2)};
    return {};
}

QString summaryOf(const SearchRecord &search, const std::vector<NominalCheck> &checks)
{
    if (!search.found)
        return QStringLiteral("Подходящей емкости нет: ни одна емкость не зажигает лампу "
                              "в допустимых пределах напряжений.");
    QStringList fitting;
    for (const NominalCheck &check : checks) {
        if (check.fits())
            fitting.append(nominalText(check.microfarads));
    }
    return QStringLiteral("Найденный диапазон емкости: от %1 до %2 мкФ. ")
               .arg(capacitanceText(search.rangeLow()), capacitanceText(search.rangeHigh()))
        + guaranteedRangeText(search.inputs.circuit.usupply, search.guaranteed)
        + (fitting.isEmpty() ? QStringLiteral(" Подходящих номиналов ряда E12 нет.")
                             : QStringLiteral(" Подходящие номиналы ряда E12: %1 мкФ.")
                                   .arg(fitting.join(QStringLiteral("; "))));
}

QString inputsText(const IgnitionInputs &in)
{
    const auto number = [](double value) { return numeric::formatTrimmed(value, 6); };
    return QStringLiteral("Сеть %1 В, зажигание %2 В, конденсатор до %3 В (амп), пробой "
                          "дросселя %4 В (амп), R = %5 Ом, L = %6 Гн, шаг %7 мкФ.")
        .arg(number(in.circuit.usupply), number(in.uignition), number(in.limits.ucapMax),
             number(in.limits.ubreakdown), number(in.circuit.rchoke), number(in.circuit.lchoke),
             number(in.cstep * microfaradsPerFarad));
}
} // namespace

SearchPicture searchPicture(const std::optional<SearchRecord> &search,
                            const std::optional<CheckRecord> &check, bool fieldsDiffer)
{
    SearchPicture p;
    if (!search) {
        p.message = beforeSearch;
        return p;
    }
    const auto resonance = resonanceCapacitance(search->inputs.circuit.lchoke);
    if (!resonance || *resonance <= 0) {
        p.message = noResonance;
        return p;
    }
    p.circuit = search->inputs.circuit;
    placeAxes(p, *search, *resonance * microfaradsPerFarad);
    addCurves(p, *search);
    addLimits(p, search->inputs);
    QStringList notes = addRanges(p, *search);
    const std::vector<NominalCheck> checks = nominalChecks(*search);
    notes += addTable(p, *search, checks);
    if (check)
        notes += addCheck(p, *search, *check);
    if (fieldsDiffer)
        notes.append(
            QStringLiteral("Поля окна показывают другой поиск — предыдущий или прерванный."));
    p.notes = notes.join(u' ');
    p.summary = summaryOf(*search, checks);
    p.inputs = inputsText(search->inputs);
    return p;
}

QString readoutHint()
{
    return QStringLiteral("Наведите указатель на график: здесь будут емкость и амплитуды UC и UL.");
}

QString pointerReadout(const SeriesCircuit &circuit, double microfarads)
{
    const auto v = seriesVoltages(circuit, microfarads / microfaradsPerFarad);
    if (!v || microfarads <= 0)
        return readoutHint();
    return QStringLiteral("Под указателем: C = %1 мкФ, UC = %2, UL = %3 (амплитуды)")
        .arg(capacitanceText(microfarads), voltsText(amplitude(v->uc), 1),
             voltsText(amplitude(v->ul), 1));
}

} // namespace circuit
