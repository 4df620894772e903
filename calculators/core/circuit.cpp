#include "circuit.h"

namespace circuit {

namespace {
bool allFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}
} // namespace

std::optional<double> chokeInductance(const ChokeMeasurement &m)
{
    if (m.current == 0)
        return std::nullopt;
    const double z = m.voltage / m.current;
    const double zSquared = std::pow(z, 2);
    const double rSquared = std::pow(m.resistance, 2);
    const double d = zSquared - rSquared;
    if (!allFinite({z, zSquared, rSquared, d}) || d < 0)
        return std::nullopt;
    const double l = std::pow(d, 0.5) / omega;
    if (!std::isfinite(l))
        return std::nullopt;
    return l;
}

std::optional<double> resonanceCapacitance(double lchoke)
{
    const double denominator = std::pow(omega, 2) * lchoke;
    const double c = 1 / denominator;
    if (!std::isfinite(denominator) || !std::isfinite(c))
        return std::nullopt;
    return c;
}

std::optional<CapacitorCheck> checkCapacitor(const SeriesCircuit &circuit,
                                             const VoltageLimits &limits, double creal)
{
    const auto v = seriesVoltages(circuit, creal);
    if (!v)
        return std::nullopt;
    return CapacitorCheck {*v, withinLimits(*v, limits) && v->uc > v->ul};
}

std::optional<Compensation> compensate(const WorkingCircuit &w)
{
    const double s = w.usupply * w.current;
    const double p = std::pow(w.current, 2) * w.rchoke + w.ulamp * w.current;
    const double q = std::pow(std::pow(s, 2) - std::pow(p, 2), 0.5);
    const double denominator = std::pow(w.usupply, 2) * omega;
    const double ck = q / denominator * microfaradsPerFarad;
    const double efficiency = (w.ulamp * w.current) / p * 100;
    const double powerFactor = p / s * 100;
    if (!allFinite({s, p, q, denominator, ck, efficiency, powerFactor}))
        return std::nullopt;
    return Compensation {ck, efficiency, powerFactor};
}

} // namespace circuit
