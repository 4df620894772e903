#pragma once

#include "circuit.h"

#include <cstdint>

// The search for the range of ignition capacitances: a walk from the
// resonance capacitance downward in fixed steps. The walk runs in chunks of
// passes so that the window can look up between them (write a result, keep
// its windows painted, notice a cancel).
//
// Two walks give the same results to the last bit, pass for pass:
//   PlainIgnitionWalk evaluates every trial capacitance; it is the reference;
//   IgnitionWalk      proves whole ranges of passes uneventful and skips them,
//                     so that any step answers at once.
namespace circuit {

struct PassArithmetic;

// Passes of the walk between two looks at the clock and the cancel button.
inline constexpr std::int64_t passesPerChunk = 100000;

// What one search reads: the circuit, its voltage limits, the lamp's ignition
// voltage and the step.
struct IgnitionInputs {
    SeriesCircuit circuit;
    VoltageLimits limits;
    double uignition = 0; // V RMS
    double cstep = 0; // F
};

enum class IgnitionWalkState {
    Walking, // more passes to go
    MetLargest, // the pass just run met the largest admissible capacitance;
                // more passes to go
    Found, // stopped after meeting a largest capacitance
    NotFound, // stopped with nothing met
    Stuck, // C − step equals C: the walk can no longer move
    Fault, // a quantity was not a finite number (L = 0, C = 0, overflow)
};

class PlainIgnitionWalk {
public:
    using State = IgnitionWalkState;

    explicit PlainIgnitionWalk(const IgnitionInputs &inputs);

    // Runs up to maxPasses passes. Returns at once after a pass that meets the
    // largest capacitance, and for good once the walk has ended; calling it
    // again after the end changes nothing.
    State advance(std::int64_t maxPasses);

    State state() const { return state_; }
    bool hasEnded() const { return state_ != State::Walking && state_ != State::MetLargest; }
    // Trial capacitances evaluated so far.
    std::int64_t passes() const { return passes_; }
    // The capacitance of the last pass, F.
    double trialFarads() const { return c_; }

    // The largest admissible capacitance, µF: once MetLargest has been returned.
    double largestMicrofarads() const { return largestMicrofarads_; }
    // The smallest one, the stop capacitance plus one step, µF: on Found.
    double smallestMicrofarads() const { return smallestMicrofarads_; }

private:
    friend class IgnitionWalk; // moves the walk on over the passes it skips

    enum class Pass { Quiet, Stop, Largest, Fault, Stuck };
    std::int64_t uncheckedPasses(const PassArithmetic &a, std::int64_t maxPasses) const;
    Pass runUnchecked(const PassArithmetic &a, std::int64_t count, std::int64_t &ran);
    Pass runChecked();
    State finish(Pass pass);

    IgnitionInputs inputs_;
    double c_ = 0; // the trial capacitance, F
    bool stepDue_ = false; // c_ has been evaluated; the next pass first steps down
    bool found_ = false;
    State state_ = State::Walking;
    std::int64_t passes_ = 0;
    double largestMicrofarads_ = 0;
    double smallestMicrofarads_ = 0;
};

// The walk the window runs: the same passes, states and results as the plain
// walk, with the uneventful passes skipped in closed form.
class IgnitionWalk {
public:
    using State = IgnitionWalkState;

    explicit IgnitionWalk(const IgnitionInputs &inputs)
        : plain_(inputs)
    {
    }

    // As PlainIgnitionWalk::advance: maxPasses counts the skipped passes too,
    // so a chunk covers as many trial capacitances as the plain walk's.
    State advance(std::int64_t maxPasses);

    State state() const { return plain_.state(); }
    bool hasEnded() const { return plain_.hasEnded(); }
    std::int64_t passes() const { return plain_.passes(); }
    double trialFarads() const { return plain_.trialFarads(); }
    double largestMicrofarads() const { return plain_.largestMicrofarads(); }
    double smallestMicrofarads() const { return plain_.smallestMicrofarads(); }

    // Work done so far: passes evaluated one by one plus ranges of passes
    // proven uneventful or not.
    std::int64_t evaluations() const { return evaluations_; }

private:
    std::int64_t skipQuietPasses(std::int64_t maxPasses);
    std::int64_t runPlainPasses(std::int64_t maxPasses);

    PlainIgnitionWalk plain_;
    std::int64_t evaluations_ = 0;
    std::int64_t span_ = 32; // passes the next proof tries to cover
    std::int64_t plainRun_ = 16; // passes run one by one where a proof failed
};

} // namespace circuit
