#include "calculators/core/searchpicture.h"
#include "support/testcase.h"

#include <algorithm>
#include <cmath>

using namespace circuit;
using OptionalSearch = std::optional<SearchRecord>;
using OptionalCheck = std::optional<CheckRecord>;
Q_DECLARE_METATYPE(OptionalSearch)
Q_DECLARE_METATYPE(OptionalCheck)

namespace {
const SeriesCircuit workedCircuit {220, 20, 1};
const VoltageLimits workedLimits {990, 630};

SearchRecord notFound(SeriesCircuit circuit, VoltageLimits limits, double uignition = 300)
{
    return {{circuit, limits, uignition, 0.001 / microfaradsPerFarad}, false, 0, 0, std::nullopt};
}

// The worked example's search: Text8, Text12 and the tooltip's range.
SearchRecord workedSearch()
{
    return {{workedCircuit, workedLimits, 300, 0.001 / microfaradsPerFarad},
            true,
            5.14339929,
            2.70739929,
            GuaranteedRange {3.634104511552777, 4.419427891404646}};
}

CheckRecord checkOf(double microfarads, SeriesCircuit circuit = workedCircuit)
{
    return {circuit, workedLimits, microfarads,
            *seriesVoltages(circuit, microfarads / microfaradsPerFarad)};
}
} // namespace

// What the plot window draws, worked out without a window: each row a case
// where the picture has to give way.
class TestSearchPicture : public TestCase {
    Q_OBJECT
private slots:
    void fallbacks_data();
    void fallbacks();
};

void TestSearchPicture::fallbacks_data()
{
    QTest::addColumn<OptionalSearch>("search");
    QTest::addColumn<OptionalCheck>("check");
    QTest::addColumn<bool>("fieldsDiffer");
    QTest::addColumn<QString>("message"); // empty: drawn
    QTest::addColumn<double>("uHigh");
    QTest::addColumn<QStringList>("banners");
    QTest::addColumn<QStringList>("verdicts");
    QTest::addColumn<QString>("note"); // a sentence of the notes
    QTest::addColumn<bool>("checkDrawn");
    QTest::addColumn<bool>("gapAtResonance"); // in the capacitor's curve
    const double sqrt2 = std::pow(2.0, 0.5);
    const QStringList workedVerdicts {"не зажигает лампу при сети −10 %", "подходит",
                                      "конденсатор перегружен при сети +10 %"};
    const QString none;

    QTest::newRow("before any search")
        << OptionalSearch() << OptionalCheck() << false
        << "Сначала рассчитайте емкость: кнопка «Рассчитать емкость зажигающего конденсатора»."
        << 0.0 << QStringList() << QStringList() << none << false << false;
    QTest::newRow("no resonance capacitance")
        << OptionalSearch(notFound({220, 20, -1}, workedLimits)) << OptionalCheck() << false
        << "Для такой индуктивности дросселя нет резонансной емкости: графика нет." << 0.0
        << QStringList() << QStringList() << none << false << false;
    QTest::newRow("no range found")
        << OptionalSearch(notFound(workedCircuit, {990, 400})) << OptionalCheck() << false << none
        << 1485.0 << QStringList {"Подходящей емкости нет"} << QStringList()
        << "Поиск не нашел емкости, при которой лампа зажигается, а напряжения остаются в "
           "допустимых пределах."
        << false << false;
    // The y axis then follows the supply's amplitude.
    QTest::newRow("limits of 0") << OptionalSearch(notFound(workedCircuit, {0, 0}, 0))
                                 << OptionalCheck() << false << none << 1.5 * sqrt2 * 220
                                 << QStringList {"Подходящей емкости нет"} << QStringList() << none
                                 << false << false;
    // A choke without resistance: the voltages at resonance are unbounded.
    QTest::newRow("R = 0") << OptionalSearch(notFound({220, 0, 1}, workedLimits)) << OptionalCheck()
                           << false << none << 1485.0 << QStringList {"Подходящей емкости нет"}
                           << QStringList() << none << false << true;
    // At the mains +10 % (L · 314) · U overflows.
    SearchRecord overflowing = workedSearch();
    overflowing.inputs.circuit.usupply = 5.6e305;
    overflowing.guaranteed.reset();
    QTest::newRow("corners not finite")
        << OptionalSearch(overflowing) << OptionalCheck() << false << none << 1485.0
        << QStringList {"С запасом подходящей емкости нет"}
        << QStringList(3, QStringLiteral("не удалось рассчитать")) << none << false << false;
    // Only 3,3 µF's corner at the mains +10 % overflows, in XC · U; its
    // corner at −10 % and the larger values are finite.
    SearchRecord oneCornerOver = overflowing;
    oneCornerOver.inputs.circuit.usupply = 1.85e305;
    const QString overloaded = "конденсатор перегружен при сети +10 %; "
                               "дроссель перегружен при сети +10 %";
    QTest::newRow("one corner not finite")
        << OptionalSearch(oneCornerOver) << OptionalCheck() << false << none << 1485.0
        << QStringList {"С запасом подходящей емкости нет"}
        << QStringList {"не удалось рассчитать", overloaded, overloaded} << none << false << false;
    QTest::newRow("a check on the plot")
        << OptionalSearch(workedSearch()) << OptionalCheck(checkOf(4.7)) << false << none << 1485.0
        << QStringList() << workedVerdicts << "Темная — диапазон с запасом." << true << false;
    QTest::newRow("a check past the resonance")
        << OptionalSearch(workedSearch()) << OptionalCheck(checkOf(30)) << false << none << 1485.0
        << QStringList() << workedVerdicts
        << "Проверенная емкость 30 мкФ лежит за пределами графика." << false << false;
    QTest::newRow("a check of another choke")
        << OptionalSearch(workedSearch()) << OptionalCheck(checkOf(4.7, {220, 20, 2})) << false
        << none << 1485.0 << QStringList() << workedVerdicts
        << "Проверка выполнена для других исходных данных, чем расчет: ее на графике нет." << false
        << false;
    QTest::newRow("the fields show another search")
        << OptionalSearch(notFound(workedCircuit, {990, 400})) << OptionalCheck() << true << none
        << 1485.0 << QStringList {"Подходящей емкости нет"} << QStringList()
        << "Поля окна показывают другой поиск — предыдущий или прерванный." << false << false;
}

void TestSearchPicture::fallbacks()
{
    QFETCH(OptionalSearch, search);
    QFETCH(OptionalCheck, check);
    QFETCH(bool, fieldsDiffer);
    QFETCH(QString, message);
    QFETCH(double, uHigh);
    QFETCH(QStringList, banners);
    QFETCH(QStringList, verdicts);
    QFETCH(QString, note);
    QFETCH(bool, checkDrawn);
    QFETCH(bool, gapAtResonance);
    const SearchPicture p = searchPicture(search, check, fieldsDiffer);
    QCOMPARE(p.message, message);
    if (!p.drawn())
        return;
    QCOMPARE(p.uHigh, uHigh);
    QStringList shownBanners, shownVerdicts;
    for (const PictureBanner &banner : p.banners)
        shownBanners.append(banner.text);
    for (const QStringList &row : p.tableRows)
        shownVerdicts.append(row.last());
    QCOMPARE(shownBanners, banners);
    QCOMPARE(shownVerdicts, verdicts);
    QVERIFY2(p.notes.contains(note), qPrintable(p.notes));
    QCOMPARE(p.check.has_value(), checkDrawn);

    const double resonance
        = *resonanceCapacitance(search->inputs.circuit.lchoke) * microfaradsPerFarad;
    const auto at = std::find(p.capacitances.begin(), p.capacitances.end(), resonance);
    QVERIFY(at != p.capacitances.end());
    const std::size_t index = std::size_t(at - p.capacitances.begin());
    const std::vector<double> &capacitor = p.curves.at(0).volts; // at the typed mains
    QCOMPARE(std::isnan(capacitor[index]), gapAtResonance);
    QVERIFY(std::isfinite(capacitor[index - 1]));
}

QTEST_GUILESS_MAIN(TestSearchPicture)
#include "tst_searchpicture.moc"
