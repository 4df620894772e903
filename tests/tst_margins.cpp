#include "calculators/core/margins.h"
#include "support/testcase.h"

using circuit::VoltageLimits;
Q_DECLARE_METATYPE(VoltageLimits)

namespace {
const QString tolerances
    = QStringLiteral("С запасом на колебания сети ±10 % (198–242 В) и разброс емкости ±5 %");
const QString noCapacitance = tolerances + QStringLiteral(" подходящей емкости нет.");

QString range(const char *boundsAndValues)
{
    return tolerances + QStringLiteral(": от ") + QString::fromUtf8(boundsAndValues);
}
} // namespace

// The room the answers of the ignition capacitor window leave, without a
// window. The expected values were worked out apart from this code, by a
// walk written afresh from the circuit's formulas.
class TestMargins : public TestCase {
    Q_OBJECT
private slots:
    void guaranteedRange_data();
    void guaranteedRange();
    void mainsBandNeedsAPositiveSupply();
    void checkMargins_data();
    void checkMargins();
};

// A 220 V supply, a 20 ohm choke that breaks down at 990 V; the range in µF,
// 0 to 0 where there is none.
void TestMargins::guaranteedRange_data()
{
    QTest::addColumn<double>("lchoke"); // H
    QTest::addColumn<double>("ucapMax");
    QTest::addColumn<double>("uignition");
    QTest::addColumn<double>("step"); // µF
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<QString>("text");
    QTest::newRow("worked example")
        << 1.0 << 630.0 << 300.0 << 0.001 << 3.634104511552777 << 4.419427891404646
        << range("3,63 до 4,42 мкФ. Номиналы ряда E12 в этом диапазоне: 3,9 мкФ.");
    QTest::newRow("no E12 value within")
        << 1.0 << 630.0 << 320.0 << 0.001 << 4.076209774710679 << 4.419427891404646
        << range("4,08 до 4,42 мкФ. Номиналы ряда E12 в этом диапазоне: нет.");
    // The lower bound, 4,466 µF, lies above the upper one.
    QTest::newRow("empty") << 1.0 << 630.0 << 340.0 << 0.001 << 0.0 << 0.0 << noCapacitance;
    // √2 · 242 V is above the capacitor's 340 V whatever the capacitance.
    QTest::newRow("nothing at the high mains")
        << 1.0 << 340.0 << 200.0 << 0.001 << 0.0 << 0.0 << noCapacitance;
    // UC stays above the ignition voltage down to C = 0, even on the low
    // mains. A choke of 1000 H keeps the range in picofarads, its lower end
    // below 1 pF, where the listing begins.
    QTest::newRow("past zero")
        << 1000.0 << 345.0 << 150.0 << 0.000001 << 4.2030102679667164e-07 << 7.657074854805413e-05
        << range("0,000000420 до 0,0000766 мкФ. Номиналы ряда E12 в этом диапазоне: "
                 "0,000001; 0,0000012; 0,0000015; 0,0000018; 0,0000022; 0,0000027; 0,0000033; "
                 "0,0000039; 0,0000047; 0,0000056; 0,0000068; 0,0000082; 0,00001; 0,000012; "
                 "0,000015; 0,000018; 0,000022; 0,000027; 0,000033; 0,000039; 0,000047; "
                 "0,000056; 0,000068 мкФ.");
}

void TestMargins::guaranteedRange()
{
    QFETCH(double, lchoke);
    QFETCH(double, ucapMax);
    QFETCH(double, uignition);
    QFETCH(double, step);
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(QString, text);
    circuit::CapacitanceSearch search({{220, 20, lchoke}, {990, ucapMax}, uignition, step / 1e6});
    while (!search.hasEnded())
        search.advance(circuit::passesPerChunk);
    QCOMPARE(search.state(), circuit::IgnitionWalkState::Found);
    const auto range = circuit::guaranteedRange(search);
    QCOMPARE(range.has_value(), high > 0);
    if (range) {
        QVERIFY(std::abs(range->lowMicrofarads - low) <= 1e-12 * high);
        QVERIFY(std::abs(range->highMicrofarads - high) <= 1e-12 * high);
    }
    QCOMPARE(circuit::guaranteedRangeText(220, range), text);
}

void TestMargins::mainsBandNeedsAPositiveSupply()
{
    const QString text = QStringLiteral(
        "С запасом на колебания сети ±10 % и разброс емкости ±5 %: от 3,63 до 4,42 мкФ. "
        "Номиналы ряда E12 в этом диапазоне: 3,9 мкФ.");
    for (const double usupply : {-220.0, 0.0})
        QCOMPARE(circuit::guaranteedRangeText(usupply, circuit::GuaranteedRange {3.63, 4.42}),
                 text);
}

// The worked circuit: 220 V, 20 ohm, 1 H, capacitor 630 V, choke 990 V.
void TestMargins::checkMargins_data()
{
    QTest::addColumn<double>("c"); // µF
    QTest::addColumn<VoltageLimits>("limits");
    QTest::addColumn<QString>("capacitor");
    QTest::addColumn<QString>("choke");
    const VoltageLimits worked {990, 630};
    QTest::newRow("4,7 µF") << 4.7 << worked
                            << "Амплитуда 578,94 В при допустимых 630,00 В: запас 8,1 %. При "
                               "напряжении сети выше на 10 % — 636,83 В — больше допустимого."
                            << "Амплитуда 268,28 В при пробивном 990,00 В: запас 72,9 %. При "
                               "напряжении сети выше на 10 % — 295,11 В.";
    QTest::newRow("6 µF") << 6.0 << worked
                          << "Амплитуда 758,55 В при допустимых 630,00 В: запас -20,4 %. При "
                             "напряжении сети выше на 10 % — 834,41 В — больше допустимого."
                          << "Амплитуда 448,74 В при пробивном 990,00 В: запас 54,7 %. При "
                             "напряжении сети выше на 10 % — 493,62 В.";
    // As in the check, an amplitude equal to its limit is too much.
    const double highAmplitude
        = circuit::squareRootOfTwo() * circuit::seriesVoltages({220 * 1.1, 20, 1}, 4.7e-6)->uc;
    QTest::newRow("4,7 µF, limit equal at the high mains")
        << 4.7 << VoltageLimits {990, highAmplitude}
        << "Амплитуда 578,94 В при допустимых 636,83 В: запас 9,1 %. При напряжении сети выше "
           "на 10 % — 636,83 В — больше допустимого."
        << "Амплитуда 268,28 В при пробивном 990,00 В: запас 72,9 %. При напряжении сети выше на "
           "10 % — 295,11 В.";
    QTest::newRow("limits of 0: no margin") << 4.7 << VoltageLimits {0, 0} << ""
                                            << "";
}

void TestMargins::checkMargins()
{
    QFETCH(double, c);
    QFETCH(VoltageLimits, limits);
    QFETCH(QString, capacitor);
    QFETCH(QString, choke);
    const circuit::SeriesCircuit series {220, 20, 1};
    const auto check = circuit::checkCapacitor(series, limits, c / 1e6);
    const auto margins = circuit::checkMargins(*check, series, limits, c / 1e6);
    QCOMPARE(circuit::capacitorMarginText(margins.capacitor), capacitor);
    QCOMPARE(circuit::chokeMarginText(margins.choke), choke);
}

QTEST_GUILESS_MAIN(TestMargins)
#include "tst_margins.moc"
