#pragma once

#include <cmath>
#include <optional>

// The arithmetic of the lamp circuit: a choke (inductance and winding
// resistance) in series with a capacitor on the mains. The mains angular
// frequency is taken as 314 rad/s throughout, squares and roots are taken as
// powers, and every result is checked for being a finite number: a result
// that is not is no result at all (std::nullopt) rather than "inf" on screen.
namespace circuit {

inline constexpr double omega = 314.0;
inline constexpr double microfaradsPerFarad = 1000000.0;

// A choke on the mains with a voltmeter across it and an ammeter in series.
struct ChokeMeasurement {
    double resistance = 0; // R, the winding's, ohm
    double voltage = 0; // U, volts
    double current = 0; // I, amperes
};

// Inductance of the choke, in henries: L = (Z² − R²)^0.5 / 314 with
// Z = U / I. No result for I = 0 or Z² < R².
std::optional<double> chokeInductance(const ChokeMeasurement &m);

// The choke and supply that the ignition capacitor works with.
struct SeriesCircuit {
    double usupply = 0; // V RMS
    double rchoke = 0; // ohm
    double lchoke = 0; // H
};

// Voltage limits, both amplitudes.
struct VoltageLimits {
    double ubreakdown = 0; // of the choke
    double ucapMax = 0; // of the capacitor
};

// What one search for the ignition capacitance reads: the circuit, its
// voltage limits, the lamp's ignition voltage and the step.
struct IgnitionInputs {
    SeriesCircuit circuit;
    VoltageLimits limits;
    double uignition = 0; // V RMS
    double cstep = 0; // F
};

// Series-circuit quantities for one capacitance.
struct SeriesVoltages {
    double x = 0; // reactance, ohm
    double z = 0; // impedance, ohm
    double ul = 0; // choke voltage, V RMS
    double uc = 0; // capacitor voltage, V RMS
};

inline double squareRootOfTwo()
{
    return std::pow(2.0, 0.5);
}

// The amplitude of a sine wave of this RMS value: √2 × rms.
inline double amplitude(double rms)
{
    return squareRootOfTwo() * rms;
}

// The circuit with its supply voltage times factor: the mains as it strays.
inline SeriesCircuit atSupplyTimes(SeriesCircuit circuit, double factor)
{
    circuit.usupply *= factor;
    return circuit;
}

// What every evaluation of the series circuit starts from, worked out once
// per circuit: the check of a real capacitor, each pass of the capacitance
// walk, and the proofs that let the walk skip passes all compute the voltages
// from these, with the same operations in the same order, so that they agree
// to the last bit.
//
// Exactness: the walk that skips passes gives the plain walk's results to the
// last bit. That rests on these assumptions:
//   - doubles are IEEE 754 binary64, every +, −, ×, / rounds to nearest even,
//     with no wider intermediate precision (SSE2 on x86-64, not the x87), no
//     flush of subnormals to zero, and no contraction of a × b + c into one
//     fused operation: the core is compiled with -ffp-contract=off, so that an
//     x86-64, an ARM and a Windows build give the same bits;
//   - std::pow(y, 0.5) and std::pow(x, 2) are within 2^-49 of the exact
//     power, relatively, or within 2^-1072 where the result is subnormal
//     (glibc's pow is within one unit in the last place; the walk comparison
//     test holds the pow of the library it is built with to these bounds,
//     normal and subnormal results alike).
struct SeriesArithmetic {
    explicit SeriesArithmetic(const SeriesCircuit &circuit)
        : xl(circuit.lchoke * omega)
        , r2(std::pow(circuit.rchoke, 2))
        , usupply(circuit.usupply)
        , xlTimesSupply(xl * circuit.usupply)
    {
    }

    double xl; // X of the choke, L · 314
    double r2; // R²
    double usupply;
    double xlTimesSupply; // (L · 314) · Usupply
};

// X, Z, UL and UC for capacitance c (farads), in the order the circuit
// defines them. No result when an intermediate is not finite (c = 0, say).
// Defined here so that the capacitance search, which evaluates it billions of
// times, has it inlined.
inline std::optional<SeriesVoltages> seriesVoltages(const SeriesArithmetic &k, double c)
{
    const double cOmega = c * omega;
    const double xc = 1 / cOmega;
    SeriesVoltages v;
    v.x = k.xl - xc;
    v.z = std::pow(std::pow(v.x, 2) + k.r2, 0.5);
    v.ul = k.xlTimesSupply / v.z;
    v.uc = (xc * k.usupply) / v.z;
    // & rather than &&: every value is there already, and one branch is
    // cheaper than nine. The int tells clang that & is meant.
    const bool finite = int(std::isfinite(k.xl)) & std::isfinite(cOmega) & std::isfinite(xc)
        & std::isfinite(v.x) & std::isfinite(v.z) & std::isfinite(v.ul) & std::isfinite(v.uc)
        & std::isfinite(amplitude(v.ul)) & std::isfinite(amplitude(v.uc));
    if (!finite)
        return std::nullopt;
    return v;
}

inline std::optional<SeriesVoltages> seriesVoltages(const SeriesCircuit &circuit, double c)
{
    return seriesVoltages(SeriesArithmetic(circuit), c);
}

// Both amplitudes strictly below their limits.
inline bool withinLimits(const SeriesVoltages &v, const VoltageLimits &limits)
{
    return amplitude(v.ul) < limits.ubreakdown && amplitude(v.uc) < limits.ucapMax;
}

// The capacitance at which the choke resonates at 314 rad/s, 1 / (314² · L).
// No result for L = 0.
std::optional<double> resonanceCapacitance(double lchoke);

// The verdict on a real capacitor: the voltages it sees at ignition.
struct CapacitorCheck {
    SeriesVoltages voltages;
    bool passes = false; // within limits and UC above UL
};
std::optional<CapacitorCheck> checkCapacitor(const SeriesCircuit &circuit,
                                             const VoltageLimits &limits, double creal);

// The working lamp circuit, measured without a compensating capacitor; all RMS.
struct WorkingCircuit {
    double usupply = 0; // U, volts
    double ulamp = 0; // the lamp's operating voltage, volts
    double current = 0; // I, amperes
    double rchoke = 0; // R, the choke's, ohm
};

// Reactive power compensation of the working lamp circuit.
struct Compensation {
    double capacitanceMicrofarads = 0; // Ck
    double efficiencyPercent = 0;
    double powerFactorPercent = 0;
};
std::optional<Compensation> compensate(const WorkingCircuit &w);

} // namespace circuit
