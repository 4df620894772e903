#pragma once

#include "circuit.h"

#include <cstdint>

// The search for the range of ignition capacitances: a walk from the
// resonance capacitance downward in fixed steps. The walk runs in chunks of
// passes so that the window can look up between them (write a result, keep
// its windows painted, notice a cancel).
//
// Two walks give the same results to the last bit, pass for pass:
//   PlainIgnitionWalk takes every pass, one after another; it is the
//                     reference;
//   IgnitionWalk      proves whole ranges of passes uneventful and skips them,
//                     so that any step answers at once.
// Both take their passes through the one pass routine.
namespace circuit {

// Passes of the walk between two looks at the clock and the cancel button.
inline constexpr std::int64_t passesPerChunk = 100000;

enum class IgnitionWalkState {
    Walking, // more passes to go
    MetLargest, // the pass just run met the largest admissible capacitance;
                // more passes to go
    Found, // stopped after meeting a largest capacitance
    NotFound, // stopped with nothing met
    Stuck, // C − step equals C: the walk can no longer move
    Fault, // a quantity was not a finite number (L = 0, C = 0, overflow)
};

inline bool hasEnded(IgnitionWalkState state)
{
    return state != IgnitionWalkState::Walking && state != IgnitionWalkState::MetLargest;
}

// What a walk carries from pass to pass, and what it has found so far.
struct WalkPosition {
    double c = 0; // the trial capacitance of the last pass, F
    bool stepDue = false; // c has been evaluated; the next pass first steps down
    bool found = false; // the largest admissible capacitance has been met
    IgnitionWalkState state = IgnitionWalkState::Walking;
    std::int64_t passes = 0; // trial capacitances evaluated
    double largestMicrofarads = 0;
    double smallestMicrofarads = 0;
};

// What both walks show of themselves.
class IgnitionWalkBase {
public:
    using State = IgnitionWalkState;

    State state() const { return at_.state; }
    bool hasEnded() const { return circuit::hasEnded(state()); }
    // Trial capacitances evaluated so far.
    std::int64_t passes() const { return at_.passes; }
    // The capacitance of the last pass, F.
    double trialFarads() const { return at_.c; }

    // The largest admissible capacitance, µF: once MetLargest has been returned.
    double largestMicrofarads() const { return at_.largestMicrofarads; }
    // The smallest one, the stop capacitance plus one step, µF: on Found.
    double smallestMicrofarads() const { return at_.smallestMicrofarads; }

protected:
    explicit IgnitionWalkBase(const IgnitionInputs &inputs);

    // Takes up to maxPasses passes one by one, returning at once after a
    // pass that meets the largest capacitance or ends the walk.
    State takePasses(std::int64_t maxPasses);

    IgnitionInputs inputs_;
    SeriesArithmetic arithmetic_; // of inputs_.circuit
    WalkPosition at_;
};

class PlainIgnitionWalk : public IgnitionWalkBase {
public:
    explicit PlainIgnitionWalk(const IgnitionInputs &inputs)
        : IgnitionWalkBase(inputs)
    {
    }

    // Runs up to maxPasses passes. Returns at once after a pass that meets the
    // largest capacitance, and for good once the walk has ended; calling it
    // again after the end changes nothing.
    State advance(std::int64_t maxPasses) { return takePasses(maxPasses); }
};

// The walk the window runs: the same passes, states and results as the plain
// walk, with the uneventful passes skipped in closed form.
class IgnitionWalk : public IgnitionWalkBase {
public:
    explicit IgnitionWalk(const IgnitionInputs &inputs)
        : IgnitionWalkBase(inputs)
    {
    }

    // As PlainIgnitionWalk::advance: maxPasses counts the skipped passes too,
    // so a chunk covers as many trial capacitances as the plain walk's.
    State advance(std::int64_t maxPasses);

    // Work done so far: passes evaluated one by one plus ranges of passes
    // proven uneventful or not.
    std::int64_t evaluations() const { return evaluations_; }

private:
    std::int64_t skipQuietPasses(std::int64_t maxPasses);

    std::int64_t evaluations_ = 0;
    std::int64_t span_ = 32; // passes the next proof tries to cover
    std::int64_t plainRun_ = 16; // passes run one by one where a proof failed
};

// The mains may stray by ±10 % (GOST 32144-2013).
inline constexpr double mainsTolerance = 0.1;

// The search the window runs: the walk at the typed mains voltage and, once
// that has found its range, the same walk at the mains' upper bound, then at
// its lower one, each to its end. UC and UL are both in proportion to the
// supply voltage: the voltage limits bind hardest on the high mains, and the
// ignition voltage on the low mains. advance() takes one chunk of one walk at
// a time, so that the window looks up between chunks as ever.
class CapacitanceSearch {
public:
    using State = IgnitionWalkState;

    explicit CapacitanceSearch(const IgnitionInputs &inputs);

    // As IgnitionWalk::advance. MetLargest is the typed-voltage walk's;
    // Found comes once all three walks have ended; any other end is the
    // typed-voltage walk's own, and the other two are then never taken.
    State advance(std::int64_t maxPasses);
    State state() const;
    bool hasEnded() const { return circuit::hasEnded(state()); }

    // The walk at the typed mains voltage, whose results the window shows.
    const IgnitionWalk &walk() const { return walk_; }
    // The walks at the mains' upper and lower bounds.
    const IgnitionWalk &highMains() const { return highMains_; }
    const IgnitionWalk &lowMains() const { return lowMains_; }

private:
    IgnitionWalk walk_;
    IgnitionWalk highMains_;
    IgnitionWalk lowMains_;
};

} // namespace circuit
