// The capacitance walk that skips passes against the plain walk, pass for
// pass: the same states, pass counts, trial capacitances and results, bit for
// bit, after every chunk.
//
// By default a few thousand walks, quick enough for every build. The
// environment sets a longer run (make verify-walk):
//   KORINDO_WALKS        how many random walks (default 3000)
//   KORINDO_WALK_PASSES  the plain walk's passes per walk at most (default 5000)
//   KORINDO_WALK_SEED    the seed of the random inputs (default 1)
#include "calculators/core/ignitionsearch.h"
#include "support/testcase.h"

#include <QRandomGenerator>
#include <QTest>

#include <cfloat>
#include <cstring>
#include <limits>

using circuit::IgnitionInputs;
using circuit::IgnitionWalk;
using circuit::PlainIgnitionWalk;
using State = circuit::IgnitionWalkState;

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
int fromEnvironment(const char *name, int byDefault)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : byDefault;
}

// The plain walk's passes per random walk: bounds the time of a comparison.
const std::int64_t passLimit = fromEnvironment("KORINDO_WALK_PASSES", 5000);

// memcmp rather than std::bit_cast, which the libc++ of Debian's emscripten lacks.
bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QString describe(const IgnitionInputs &in)
{
    return QString::asprintf("U %a, R %a, L %a, Ub %a, Ucm %a, Ui %a, step %a", in.circuit.usupply,
                             in.circuit.rchoke, in.circuit.lchoke, in.limits.ubreakdown,
                             in.limits.ucapMax, in.uignition, in.cstep);
}

class Comparison {
public:
    explicit Comparison(QRandomGenerator &random)
        : random_(random)
    {
    }

    // Walks both walks in the same random chunks; true when they agree
    // throughout. The plain walk runs at most the given number of passes.
    bool agree(const IgnitionInputs &in, std::int64_t limit, QString &why)
    {
        PlainIgnitionWalk plain(in);
        IgnitionWalk jump(in);
        while (!plain.hasEnded() && plain.passes() < limit) {
            const std::int64_t chunk = std::min(randomChunk(), limit - plain.passes());
            const State expected = plain.advance(chunk);
            const State got = jump.advance(chunk);
            const bool same = got == expected && jump.passes() == plain.passes()
                && sameBits(jump.trialFarads(), plain.trialFarads())
                && sameBits(jump.largestMicrofarads(), plain.largestMicrofarads())
                && sameBits(jump.smallestMicrofarads(), plain.smallestMicrofarads());
            if (!same) {
                why = QString::asprintf(
                    "%s: after %lld passes, state %d at C %a, the plain walk "
                    "state %d after %lld passes at C %a",
                    qPrintable(describe(in)), static_cast<long long>(jump.passes()), int(got),
                    jump.trialFarads(), int(expected), static_cast<long long>(plain.passes()),
                    plain.trialFarads());
                passes_ += plain.passes();
                evaluations_ += jump.evaluations();
                return false;
            }
        }
        passes_ += plain.passes();
        evaluations_ += jump.evaluations();
        return true;
    }

    std::int64_t passesCompared() const { return passes_; }
    std::int64_t evaluations() const { return evaluations_; }

private:
    std::int64_t randomChunk()
    {
        switch (random_.bounded(8)) {
        case 0:
            return random_.bounded(3); // 0, 1 or 2
        case 1:
            return 1 + random_.bounded(100);
        case 2:
            return 1 + random_.bounded(100000);
        case 3:
            return circuit::passesPerChunk;
        default:
            return std::numeric_limits<std::int64_t>::max();
        }
    }

    QRandomGenerator &random_;
    std::int64_t passes_ = 0;
    std::int64_t evaluations_ = 0; // of the walk that skips passes
};

// Random inputs: mostly lamp circuits, some with a threshold set to a value
// a pass computes, some with steps that round on a tie, some that walk onto
// zero or past it, and values at the edges of the doubles.
class InputMaker {
public:
    explicit InputMaker(QRandomGenerator &random)
        : random_(random)
    {
    }

    IgnitionInputs make()
    {
        IgnitionInputs in = lampCircuit();
        const double resonance = 1 / (std::pow(314.0, 2) * in.circuit.lchoke);
        switch (random_.bounded(12)) {
        case 0:
            in.cstep = tieStep(resonance);
            break;
        case 1:
            crossBinadeEdge(in);
            break;
        case 2:
            landOnZero(in);
            break;
        case 3:
            makeExtreme(in);
            break;
        case 4:
        case 5:
            nearIntervalEdges(in);
            break;
        default:
            in.cstep = lampStep(resonance);
            break;
        }
        if (random_.bounded(3) == 0)
            setThresholdAtAPass(in);
        return in;
    }

private:
    double uniform(double low, double high)
    {
        return low + random_.generateDouble() * (high - low);
    }
    double logUniform(double low, double high)
    {
        return std::exp(uniform(std::log(low), std::log(high)));
    }
    double nudge(double x, int ulps)
    {
        for (; ulps > 0; --ulps)
            x = std::nextafter(x, inf);
        for (; ulps < 0; ++ulps)
            x = std::nextafter(x, -inf);
        return x;
    }

    IgnitionInputs lampCircuit()
    {
        IgnitionInputs in;
        in.circuit = {uniform(100, 400), random_.bounded(8) == 0 ? 0 : uniform(0, 100),
                      logUniform(0.05, 5)};
        in.limits = {uniform(200, 3000), uniform(200, 2000)};
        in.uignition = uniform(50, 700);
        return in;
    }

    // Some thousands of passes down to a few volts, or a step as typed
    // (a whole number of 10^-k µF), now and then negative or 0.
    double lampStep(double resonance)
    {
        const int kind = random_.bounded(20);
        if (kind == 0)
            return 0;
        const double sign = kind == 1 ? -1 : 1;
        if (kind < 8) {
            const double microfarads
                = (1 + random_.bounded(9)) * std::pow(10.0, -random_.bounded(2, 7));
            return sign * microfarads / circuit::microfaradsPerFarad;
        }
        return sign * resonance / logUniform(10, 8000);
    }

    // An odd number of half units in the last place of a binade at or below
    // the resonance capacitance: every step inside that binade is a tie.
    double tieStep(double resonance)
    {
        const int binade = std::ilogb(resonance) - random_.bounded(3);
        const double halfUnit = std::ldexp(1.0, binade - 53);
        const auto odd = 2 * static_cast<std::int64_t>(logUniform(1, 1 << 30)) + 1;
        return static_cast<double>(odd) * halfUnit;
    }

    // A resonance capacitance a few thousand units in the last place from a
    // power of two, and a step of a few units: the walk crosses into the
    // next binade, downward or upward, landing on the power of two or not.
    void crossBinadeEdge(IgnitionInputs &in)
    {
        const int binade = -random_.bounded(10, 30);
        const double unit = std::ldexp(1.0, binade - 52);
        const double units = random_.bounded(5000);
        const bool upward = random_.bounded(2) == 0;
        const double target = upward ? std::ldexp(1.0, binade + 1) - units * unit
                                     : std::ldexp(1.0, binade) + units * unit;
        in.circuit.lchoke = 1 / (std::pow(314.0, 2) * target);
        const double fractions[] = {0, 0.25, 0.5, 0.75, random_.generateDouble()};
        const double step = (random_.bounded(5) + fractions[random_.bounded(5)]) * unit;
        in.cstep = upward ? -step : step;
    }

    // A choke whose resonance capacitance is a power of two, and a step that
    // divides it: the walk lands on C = 0 exactly, unless the lamp ignites
    // below the supply voltage and the walk stops on the way. Or a step that
    // does not divide it, and the walk passes zero.
    void landOnZero(IgnitionInputs &in)
    {
        const int exponent = -random_.bounded(12, 30);
        const double guess = std::ldexp(1.0, -exponent) / std::pow(314.0, 2);
        in.circuit.lchoke = guess;
        for (int tries = 0; tries < 64; ++tries) {
            const double l = nudge(guess, tries % 2 ? (tries + 1) / 2 : -(tries / 2));
            if (1 / (std::pow(314.0, 2) * l) == std::ldexp(1.0, exponent)) {
                in.circuit.lchoke = l;
                break;
            }
        }
        in.uignition = uniform(0, 2) * in.circuit.usupply;
        in.limits = {1e300, 1e300};
        const int quarters = random_.bounded(4, 14);
        in.cstep = std::ldexp(1.0, exponent - quarters);
        if (random_.bounded(2) == 0)
            in.cstep *= uniform(0.9, 1.1);
    }

    // Chokes that take the interval arithmetic of the proofs to its edges:
    // a few millihenries with under an ohm, where |Z| falls below one ohm
    // near resonance and a square root lies above its operand; and chokes
    // whose resonance capacitance is tiny or huge. A quarter without any
    // resistance.
    void nearIntervalEdges(IgnitionInputs &in)
    {
        switch (random_.bounded(3)) {
        case 0:
            in.circuit.lchoke = logUniform(1e-4, 1e-2);
            in.circuit.rchoke = uniform(0, 1);
            break;
        case 1:
            in.circuit.lchoke = logUniform(1e3, 1e15); // picofarads and below
            break;
        default:
            in.circuit.lchoke = logUniform(1e-15, 1e-5); // farads and above
            break;
        }
        if (random_.bounded(4) == 0)
            in.circuit.rchoke = 0;
        in.cstep = lampStep(1 / (std::pow(314.0, 2) * in.circuit.lchoke));
    }

    // One or two inputs at the edges of the doubles.
    void makeExtreme(IgnitionInputs &in)
    {
        static const double edges[] = {
            0,     -0.0,  DBL_TRUE_MIN, 1e-310,  DBL_MIN, 1e-200, 1e-100, 1e-20, 1e100,  1.3e154,
            1e200, 1e300, 1e305,        DBL_MAX, inf,     -inf,   nan,    -1,    -1e300, 4.9e-300};
        double *fields[]
            = {&in.circuit.usupply, &in.circuit.rchoke, &in.circuit.lchoke, &in.limits.ubreakdown,
               &in.limits.ucapMax,  &in.uignition,      &in.cstep};
        in.cstep = lampStep(1 / (std::pow(314.0, 2) * in.circuit.lchoke));
        for (int i = 1 + random_.bounded(2); i > 0; --i) {
            double *field = fields[random_.bounded(int(std::size(fields)))];
            *field = edges[random_.bounded(int(std::size(edges)))];
        }
    }

    // The ignition voltage or a limit equal to (or within ulps of) a value
    // that one of the first passes computes: the peak of UC near resonance,
    // or any pass on the way.
    void setThresholdAtAPass(IgnitionInputs &in)
    {
        double c = 1 / (std::pow(314.0, 2) * in.circuit.lchoke);
        for (int k = random_.bounded(2) ? random_.bounded(50) : random_.bounded(int(passLimit));
             k > 0; --k)
            c -= in.cstep;
        const auto v = circuit::seriesVoltages(in.circuit, c);
        if (!v)
            return;
        const int ulps = random_.bounded(-3, 4);
        switch (random_.bounded(3)) {
        case 0:
            in.uignition = nudge(v->uc, ulps);
            break;
        case 1:
            in.limits.ucapMax = nudge(circuit::amplitude(v->uc), ulps);
            break;
        default:
            in.limits.ubreakdown = nudge(circuit::amplitude(v->ul), ulps);
            break;
        }
    }

    QRandomGenerator &random_;
};
} // namespace

class TestWalkComparison : public TestCase {
    Q_OBJECT
private slots:
    void powWithinAssumedError();
    void randomWalks();
    void walksToTheEnd_data();
    void walksToTheEnd();
};

// The proofs allow pow an error of 2^-49 relatively, or 2^-1072 where the
// result is subnormal; the square and the square root are correctly rounded,
// so pow is held against them, over normal and subnormal results alike.
void TestWalkComparison::powWithinAssumedError()
{
    QRandomGenerator random(7);
    const auto within = [](double got, double exact) {
        return std::abs(got - exact) <= 0x1p-49 * exact + 0x1p-1072;
    };
    for (int i = 0; i < 100000; ++i) {
        // y down into the subnormals; x down to where x² is subnormal.
        const double y = std::ldexp(1 + random.generateDouble(), random.bounded(-1074, 1024));
        const double x = std::ldexp(1 + random.generateDouble(), random.bounded(-560, 511));
        if (!within(std::pow(y, 0.5), std::sqrt(y)) || !within(std::pow(x, 2), x * x))
            QFAIL(qPrintable(QString::asprintf("pow(%a, 0.5) or pow(%a, 2)", y, x)));
    }
}

void TestWalkComparison::randomWalks()
{
    const int walks = fromEnvironment("KORINDO_WALKS", 3000);
    const auto seed = quint32(fromEnvironment("KORINDO_WALK_SEED", 1));
    QRandomGenerator random(seed);
    InputMaker maker(random);
    Comparison comparison(random);
    int differences = 0;
    for (int i = 0; i < walks; ++i) {
        QString why;
        if (!comparison.agree(maker.make(), passLimit, why)) {
            // Told, not warned: the count below fails the test.
            if (++differences <= 10)
                qInfo("%s", qPrintable(why));
        }
    }
    qInfo("%d walks, %lld passes compared, %lld evaluated by the walk that skips (seed %u): "
          "%d differences",
          walks, static_cast<long long>(comparison.passesCompared()),
          static_cast<long long>(comparison.evaluations()), seed, differences);
    QCOMPARE(differences, 0);
}

void TestWalkComparison::walksToTheEnd_data()
{
    QTest::addColumn<double>("rchoke");
    QTest::addColumn<double>("lchoke");
    QTest::addColumn<double>("ucapMax");
    QTest::addColumn<double>("uignition");
    QTest::addColumn<double>("step"); // µF
    QTest::newRow("630 V, step 0.0001") << 20.0 << 1.0 << 630.0 << 300.0 << 0.0001;
    QTest::newRow("630 V, step 0.00002") << 20.0 << 1.0 << 630.0 << 300.0 << 0.00002;
    QTest::newRow("990 V, step 0.00007") << 20.0 << 1.0 << 990.0 << 300.0 << 0.00007;
    QTest::newRow("ignition 200 V, past zero, step 0.00009")
        << 20.0 << 1.0 << 630.0 << 200.0 << 0.00009;
    // Chokes of a few millihenries under an ohm: |Z| stays below one ohm for
    // thousands of passes, where the proofs' square root must not round the
    // impedance up.
    QTest::newRow("3 mH, 0,5 Ω") << 0.5 << 0.003 << 630.0 << 300.0 << 0.01;
    QTest::newRow("3,18 mH, 0,05 Ω, above the limits first")
        << 0.05 << 0.00318 << 990.0 << 300.0 << 0.05;
    QTest::newRow("1 mH, 0,2 Ω, ignition 200 V") << 0.2 << 0.001 << 630.0 << 200.0 << 0.1;
}

// Circuits walked to the end at small steps, in the window's chunks. The
// walk that skips evaluates a small share of the passes: a proof that holds
// too little would still agree with the plain walk, only slower.
void TestWalkComparison::walksToTheEnd()
{
    QFETCH(double, rchoke);
    QFETCH(double, lchoke);
    QFETCH(double, ucapMax);
    QFETCH(double, uignition);
    QFETCH(double, step);
    const IgnitionInputs in {{220, rchoke, lchoke}, {990, ucapMax}, uignition, step / 1000000};
    PlainIgnitionWalk plain(in);
    IgnitionWalk jump(in);
    while (!plain.hasEnded()) {
        QCOMPARE(jump.advance(circuit::passesPerChunk), plain.advance(circuit::passesPerChunk));
        QCOMPARE(jump.passes(), plain.passes());
    }
    QCOMPARE(plain.state(), State::Found);
    QVERIFY(sameBits(jump.largestMicrofarads(), plain.largestMicrofarads()));
    QVERIFY(sameBits(jump.smallestMicrofarads(), plain.smallestMicrofarads()));
    const std::int64_t passesPerEvaluation = 50;
    QVERIFY2(jump.evaluations() * passesPerEvaluation < plain.passes(),
             qPrintable(QString::asprintf("%lld evaluations for %lld passes",
                                          static_cast<long long>(jump.evaluations()),
                                          static_cast<long long>(plain.passes()))));
}

QTEST_GUILESS_MAIN(TestWalkComparison)
#include "tst_walkcomparison.moc"
