#pragma once

#include "circuit.h"

#include <cstdint>

// The search for the range of ignition capacitances: a walk from the
// resonance capacitance downward in fixed steps. The walk runs in chunks of
// passes so that the window can look up between them (write a result, keep
// its windows painted, notice a cancel); within a chunk it is a plain loop
// over doubles.
namespace circuit {

// What one search reads: the circuit, its voltage limits, the lamp's ignition
// voltage and the step.
struct IgnitionInputs {
    SeriesCircuit circuit;
    VoltageLimits limits;
    double uignition = 0; // V RMS
    double cstep = 0; // F
};

class IgnitionWalk {
public:
    enum class State {
        Walking, // more passes to go
        MetLargest, // the pass just run met the largest admissible capacitance;
                    // more passes to go
        Found, // stopped after meeting a largest capacitance
        NotFound, // stopped with nothing met
        Stuck, // C − step equals C: the walk can no longer move
        Fault, // a quantity was not a finite number (L = 0, C = 0, overflow)
    };

    explicit IgnitionWalk(const IgnitionInputs &inputs);

    // Runs up to maxPasses passes. Returns at once after a pass that meets the
    // largest capacitance, and for good once the walk has ended; calling it
    // again after the end changes nothing.
    State advance(std::int64_t maxPasses);

    State state() const { return state_; }
    bool hasEnded() const { return state_ != State::Walking && state_ != State::MetLargest; }
    // Trial capacitances evaluated so far.
    std::int64_t passes() const { return passes_; }

    // The largest admissible capacitance, µF: once MetLargest has been returned.
    double largestMicrofarads() const { return largestMicrofarads_; }
    // The smallest one, the stop capacitance plus one step, µF: on Found.
    double smallestMicrofarads() const { return smallestMicrofarads_; }

private:
    IgnitionInputs inputs_;
    double c_ = 0; // the trial capacitance, F
    bool stepDue_ = false; // c_ has been evaluated; the next pass first steps down
    bool found_ = false;
    State state_ = State::Walking;
    std::int64_t passes_ = 0;
    double largestMicrofarads_ = 0;
    double smallestMicrofarads_ = 0;
};

} // namespace circuit
