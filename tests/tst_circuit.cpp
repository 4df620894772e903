#include "app/core/numericinput.h"
#include "calculators/core/circuit.h"
#include "support/testcase.h"

#include <limits>

using circuit::SeriesCircuit;
using circuit::VoltageLimits;
using circuit::WorkingCircuit;
Q_DECLARE_METATYPE(SeriesCircuit)
Q_DECLARE_METATYPE(VoltageLimits)
Q_DECLARE_METATYPE(WorkingCircuit)

namespace {
constexpr double big = std::numeric_limits<double>::max();
constexpr double infinity = std::numeric_limits<double>::infinity();

// The choke of the worked example: 220 V supply, 20 ohm, 1 H.
const SeriesCircuit worked {220, 20, 1};
const VoltageLimits workedLimits {990, 630};

// Values as a result field shows them; an empty list for no result.
QStringList shown(std::initializer_list<double> values)
{
    QStringList texts;
    for (double value : values)
        texts.append(numeric::formatResult(value));
    return texts;
}

circuit::SeriesVoltages workedVoltages(double microfarads)
{
    return circuit::seriesVoltages(worked, microfarads / circuit::microfaradsPerFarad).value();
}
} // namespace

// The arithmetic of the lamp circuit, without windows.
class TestCircuit : public TestCase {
    Q_OBJECT
private slots:
    void chokeInductance_data();
    void chokeInductance();
    void seriesVoltages_data();
    void seriesVoltages();
    void resonanceCapacitance_data();
    void resonanceCapacitance();
    void checkCapacitor_data();
    void checkCapacitor();
    void compensate_data();
    void compensate();
};

void TestCircuit::chokeInductance_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("i");
    QTest::addColumn<bool>("isValue");
    QTest::addColumn<double>("henries");
    QTest::newRow("314 V at 1 A") << 0.0 << 314.0 << 1.0 << true << 1.0;
    QTest::newRow("with resistance")
        << 10.0 << 220.0 << 0.5 << true << std::pow(440.0 * 440.0 - 100.0, 0.5) / 314;
    QTest::newRow("Z equals R") << 100.0 << 100.0 << 1.0 << true << 0.0;
    QTest::newRow("negative U") << 0.0 << -220.0 << 1.0 << true << 220.0 / 314;
    QTest::newRow("negative R") << -10.0 << 220.0 << 0.5 << true
                                << std::pow(440.0 * 440.0 - 100.0, 0.5) / 314;
    QTest::newRow("R above Z") << 101.0 << 100.0 << 1.0 << false << 0.0;
    QTest::newRow("no current") << 0.0 << 220.0 << 0.0 << false << 0.0;
    QTest::newRow("negative zero current") << 0.0 << 220.0 << -0.0 << false << 0.0;
    QTest::newRow("U / I overflows") << 0.0 << 1e300 << 1e-300 << false << 0.0;
    QTest::newRow("Z squared overflows") << 0.0 << 1e200 << 1.0 << false << 0.0;
    QTest::newRow("R squared overflows") << 1e200 << 1e200 << 1.0 << false << 0.0;
    QTest::newRow("largest inputs") << big << big << big << false << 0.0;
}

void TestCircuit::chokeInductance()
{
    QFETCH(double, r);
    QFETCH(double, u);
    QFETCH(double, i);
    QFETCH(bool, isValue);
    QFETCH(double, henries);
    const auto l = circuit::chokeInductance({.resistance = r, .voltage = u, .current = i});
    QCOMPARE(l.has_value(), isValue);
    if (isValue)
        QCOMPARE(*l, henries);
}

void TestCircuit::seriesVoltages_data()
{
    QTest::addColumn<SeriesCircuit>("circuit");
    QTest::addColumn<double>("c"); // F
    QTest::addColumn<QStringList>("xzulUc");
    QTest::newRow("4.7 µF") << worked << 4.7e-6
                            << QStringList {"-363,59859059", "364,14823229", "189,70296674",
                                            "409,37090094"};
    QTest::newRow("30 µF, beyond resonance")
        << worked << 30e-6
        << QStringList {"207,84288747", "208,80293550", "330,83826065", "111,84979129"};
    // Only the winding resistance holds the current back.
    QTest::newRow("at resonance") << worked << *circuit::resonanceCapacitance(1)
                                  << QStringList {"0,00000000", "20,00000000", "3454,00000000",
                                                  "3454,00000000"};
    QTest::newRow("C = 0") << worked << 0.0 << QStringList();
    QTest::newRow("C = -0") << worked << -0.0 << QStringList();
    QTest::newRow("X squared overflows") << worked << 1e-300 << QStringList();
    QTest::newRow("R squared overflows")
        << SeriesCircuit {220, 1e200, 1} << 4.7e-6 << QStringList();
    QTest::newRow("UL overflows") << SeriesCircuit {big, 0, 1} << 4.7e-6 << QStringList();
    // UL itself is finite; the amplitude the limits are compared with is not.
    QTest::newRow("amplitude of UL overflows")
        << SeriesCircuit {big, 0.8, 1.0 / 314} << 1.0 << QStringList();
}

void TestCircuit::seriesVoltages()
{
    QFETCH(SeriesCircuit, circuit);
    QFETCH(double, c);
    QFETCH(QStringList, xzulUc);
    const auto v = circuit::seriesVoltages(circuit, c);
    QCOMPARE(v.has_value(), !xzulUc.isEmpty());
    if (v)
        QCOMPARE(shown({v->x, v->z, v->ul, v->uc}), xzulUc);
}

void TestCircuit::resonanceCapacitance_data()
{
    QTest::addColumn<double>("lchoke");
    QTest::addColumn<QString>("microfarads"); // empty: no result
    QTest::newRow("1 H") << 1.0 << "10,14239929";
    QTest::newRow("0,5 H") << 0.5 << "20,28479857";
    QTest::newRow("0 H") << 0.0 << "";
    QTest::newRow("-0 H") << -0.0 << "";
    QTest::newRow("314² L overflows") << 1e305 << "";
    QTest::newRow("1 / (314² L) overflows") << std::numeric_limits<double>::denorm_min() << "";
}

void TestCircuit::resonanceCapacitance()
{
    QFETCH(double, lchoke);
    QFETCH(QString, microfarads);
    const auto c = circuit::resonanceCapacitance(lchoke);
    QCOMPARE(c.has_value(), !microfarads.isEmpty());
    if (c)
        QCOMPARE(numeric::formatResult(*c * circuit::microfaradsPerFarad), microfarads);
}

// The worked circuit with a real capacitor. Every limit is a strict bound:
// an amplitude equal to its limit fails.
void TestCircuit::checkCapacitor_data()
{
    QTest::addColumn<double>("c"); // F
    QTest::addColumn<VoltageLimits>("limits");
    QTest::addColumn<QStringList>("ucUl"); // empty: no result
    QTest::addColumn<bool>("passes");
    const VoltageLimits limits = workedLimits;
    QTest::newRow("4.7 µF within the range")
        << 4.7e-6 << limits << QStringList {"409,37090094", "189,70296674"} << true;
    QTest::newRow("6 µF above the capacitor limit")
        << 6e-6 << limits << QStringList {"536,37808799", "317,30840378"} << false;
    // UC is compared with UL, not with the ignition voltage.
    QTest::newRow("2 µF, UC below ignition but above UL")
        << 2e-6 << limits << QStringList {"274,00459435", "54,03151397"} << true;
    QTest::newRow("30 µF, UC below UL") << 30e-6 << VoltageLimits {infinity, infinity}
                                        << QStringList {"111,84979129", "330,83826065"} << false;
    QTest::newRow("at resonance, UC equals UL")
        << *circuit::resonanceCapacitance(1) << VoltageLimits {infinity, infinity}
        << QStringList {"3454,00000000", "3454,00000000"} << false;
    QTest::newRow("0 µF") << 0.0 << limits << QStringList() << false;

    const circuit::SeriesVoltages v = workedVoltages(4.7);
    const double uc = circuit::amplitude(v.uc);
    const double ul = circuit::amplitude(v.ul);
    const QStringList voltages = shown({v.uc, v.ul});
    QTest::newRow("capacitor limit equal")
        << 4.7e-6 << VoltageLimits {990, uc} << voltages << false;
    QTest::newRow("capacitor limit just above")
        << 4.7e-6 << VoltageLimits {990, std::nextafter(uc, infinity)} << voltages << true;
    QTest::newRow("choke limit equal") << 4.7e-6 << VoltageLimits {ul, 630} << voltages << false;
    QTest::newRow("choke limit just above")
        << 4.7e-6 << VoltageLimits {std::nextafter(ul, infinity), 630} << voltages << true;
}

void TestCircuit::checkCapacitor()
{
    QFETCH(double, c);
    QFETCH(VoltageLimits, limits);
    QFETCH(QStringList, ucUl);
    QFETCH(bool, passes);
    const auto check = circuit::checkCapacitor(worked, limits, c);
    QCOMPARE(check.has_value(), !ucUl.isEmpty());
    if (!check)
        return;
    QCOMPARE(shown({check->voltages.uc, check->voltages.ul}), ucUl);
    QCOMPARE(check->passes, passes);
}

void TestCircuit::compensate_data()
{
    QTest::addColumn<WorkingCircuit>("working");
    QTest::addColumn<QStringList>("ckEfficiencyPowerFactor"); // empty: no result
    QTest::newRow("choke loss") << WorkingCircuit {220, 100, 0.5, 20}
                                << QStringList {"6,26827883", "90,90909091", "50,00000000"};
    QTest::newRow("lossless choke") << WorkingCircuit {220, 110, 0.4, 0}
                                    << QStringList {"5,01462307", "100,00000000", "50,00000000"};
    QTest::newRow("no reactive power") << WorkingCircuit {220, 100, 1, 120}
                                       << QStringList {"0,00000000", "45,45454545", "100,00000000"};
    QTest::newRow("supply voltage 0") << WorkingCircuit {0, 100, 0.5, 20} << QStringList();
    QTest::newRow("current 0") << WorkingCircuit {220, 100, 0, 20} << QStringList();
    QTest::newRow("active power 0") << WorkingCircuit {220, 0, 1, 0} << QStringList();
    QTest::newRow("active power 0, negative R")
        << WorkingCircuit {220, 100, 1, -100} << QStringList();
    QTest::newRow("active above apparent power")
        << WorkingCircuit {100, 100, 1, 10} << QStringList();
    QTest::newRow("S squared overflows") << WorkingCircuit {1e200, 100, 1, 0} << QStringList();
    // Every other intermediate is finite here, and Ck would come out as 0.
    QTest::newRow("U squared overflows")
        << WorkingCircuit {1e200, 1e199, 1e-200, 0} << QStringList();
}

void TestCircuit::compensate()
{
    QFETCH(WorkingCircuit, working);
    QFETCH(QStringList, ckEfficiencyPowerFactor);
    const auto result = circuit::compensate(working);
    QCOMPARE(result.has_value(), !ckEfficiencyPowerFactor.isEmpty());
    if (result)
        QCOMPARE(shown({result->capacitanceMicrofarads, result->efficiencyPercent,
                        result->powerFactorPercent}),
                 ckEfficiencyPowerFactor);
}

QTEST_GUILESS_MAIN(TestCircuit)
#include "tst_circuit.moc"
