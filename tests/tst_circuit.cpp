#include "calculators/circuit.h"
#include "support/testsupport.h"

#include <limits>

class TestCircuit : public QObject {
    Q_OBJECT
private slots:
    void chokeInductance_data();
    void chokeInductance();
};

void TestCircuit::chokeInductance_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<double>("u");
    QTest::addColumn<double>("i");
    QTest::addColumn<bool>("isValue");
    QTest::addColumn<double>("henries");
    const double big = std::numeric_limits<double>::max();
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
    const auto l = circuit::chokeInductance(r, u, i);
    QCOMPARE(l.has_value(), isValue);
    if (isValue)
        QCOMPARE(*l, henries);
}

KORINDO_TEST_MAIN(TestCircuit)
#include "tst_circuit.moc"
