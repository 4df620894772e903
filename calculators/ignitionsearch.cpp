#include "ignitionsearch.h"

namespace circuit {

IgnitionWalk::IgnitionWalk(const IgnitionInputs &inputs)
    : inputs_(inputs)
{
    const auto resonance = resonanceCapacitance(inputs.circuit.lchoke);
    if (!resonance) {
        state_ = State::Fault;
        return;
    }
    c_ = *resonance;
}

IgnitionWalk::State IgnitionWalk::advance(std::int64_t maxPasses)
{
    if (hasEnded())
        return state_;

    // The loop works on locals; the members are brought up to date whenever
    // it returns.
    const SeriesCircuit circuit = inputs_.circuit;
    const VoltageLimits limits = inputs_.limits;
    const double uignition = inputs_.uignition;
    const double cstep = inputs_.cstep;
    double c = c_;
    bool stepDue = stepDue_;
    const bool found = found_;
    std::int64_t pass = 0;
    State outcome = State::Walking;

    for (; pass < maxPasses; ++pass) {
        if (stepDue) {
            // C is carried from pass to pass by subtraction.
            const double next = c - cstep;
            if (!std::isfinite(next)) {
                outcome = State::Fault;
                break;
            }
            if (next == c) {
                outcome = State::Stuck;
                break;
            }
            c = next;
        }
        stepDue = true;

        const auto v = seriesVoltages(circuit, c);
        if (!v) {
            outcome = State::Fault;
            break;
        }
        const bool within = withinLimits(*v, limits);
        // Both comparisons are strict: UC equal to the ignition voltage
        // neither stops the walk nor records a capacitance.
        if (within && v->uc < uignition) {
            ++pass;
            if (!found) {
                outcome = State::NotFound;
                break;
            }
            // The smallest admissible capacitance is the stop value plus one
            // step, added back rather than remembered.
            const double smallest = c + cstep;
            smallestMicrofarads_ = smallest * microfaradsPerFarad;
            outcome = std::isfinite(smallest) && std::isfinite(smallestMicrofarads_) ? State::Found
                                                                                     : State::Fault;
            break;
        }
        if (within && v->uc > uignition && !found) {
            ++pass;
            largestMicrofarads_ = c * microfaradsPerFarad;
            found_ = true;
            outcome = std::isfinite(largestMicrofarads_) ? State::MetLargest : State::Fault;
            break;
        }
    }

    c_ = c;
    stepDue_ = stepDue;
    passes_ += pass;
    state_ = outcome;
    return outcome;
}

} // namespace circuit
