#include "ignitionsearch.h"

#include "walkproof.h"

#include <algorithm>

namespace circuit {

namespace {
enum class Pass { Quiet, Stop, Largest, Fault, Stuck };

// Steps C down by one step (from the second pass on), evaluates it and tells
// what the pass found. A pass that faults or cannot move is not counted.
Pass evaluatePass(const IgnitionInputs &in, const SeriesArithmetic &arithmetic, WalkPosition &at)
{
    if (at.stepDue) {
        // C is carried from pass to pass by subtraction.
        const double next = at.c - in.cstep;
        if (!std::isfinite(next))
            return Pass::Fault;
        if (next == at.c)
            return Pass::Stuck;
        at.c = next;
    }
    at.stepDue = true;

    const auto v = seriesVoltages(arithmetic, at.c);
    if (!v)
        return Pass::Fault;
    ++at.passes;
    const bool within = withinLimits(*v, in.limits);
    // Both comparisons are strict: UC equal to the ignition voltage neither
    // stops the walk nor records a capacitance.
    if (within && v->uc < in.uignition)
        return Pass::Stop;
    if (within && v->uc > in.uignition && !at.found)
        return Pass::Largest;
    return Pass::Quiet;
}

// The state of the walk after a pass, with what the pass found recorded.
IgnitionWalkState record(const IgnitionInputs &in, WalkPosition &at, Pass pass)
{
    using State = IgnitionWalkState;
    switch (pass) {
    case Pass::Quiet:
        return State::Walking;
    case Pass::Stop: {
        if (!at.found)
            return State::NotFound;
        // The smallest admissible capacitance is the stop value plus one
        // step, added back rather than remembered.
        const double smallest = at.c + in.cstep;
        at.smallestMicrofarads = smallest * microfaradsPerFarad;
        return std::isfinite(smallest) && std::isfinite(at.smallestMicrofarads) ? State::Found
                                                                                : State::Fault;
    }
    case Pass::Largest:
        at.largestMicrofarads = at.c * microfaradsPerFarad;
        at.found = true;
        return std::isfinite(at.largestMicrofarads) ? State::MetLargest : State::Fault;
    case Pass::Fault:
        return State::Fault;
    case Pass::Stuck:
        return State::Stuck;
    }
    return State::Fault;
}
} // namespace

IgnitionWalkBase::IgnitionWalkBase(const IgnitionInputs &inputs)
    : inputs_(inputs)
    , arithmetic_(inputs.circuit)
{
    const auto resonance = resonanceCapacitance(inputs.circuit.lchoke);
    if (!resonance) {
        at_.state = State::Fault;
        return;
    }
    at_.c = *resonance;
}

IgnitionWalkState IgnitionWalkBase::takePasses(std::int64_t maxPasses)
{
    if (hasEnded())
        return state();
    at_.state = State::Walking;
    for (std::int64_t taken = 0; taken < maxPasses && at_.state == State::Walking; ++taken)
        at_.state = record(inputs_, at_, evaluatePass(inputs_, arithmetic_, at_));
    return at_.state;
}

namespace {
// Ranges this short are not worth a proof: the plain walk runs them.
constexpr std::int64_t shortestProof = 16;
constexpr std::int64_t longestPlainRun = 65536;
} // namespace

// Skips as many of the next passes as can be proven uneventful, up to
// maxPasses. A proof covers a range of passes from the next one on; ranges
// grow by doubling while proofs hold and halve where one fails.
std::int64_t IgnitionWalk::skipQuietPasses(std::int64_t maxPasses)
{
    if (!at_.stepDue)
        return 0;
    std::int64_t skipped = 0;
    while (skipped < maxPasses) {
        const auto stretch = trialStretch(at_.c, inputs_.cstep);
        if (!stretch)
            break;
        const std::int64_t room = std::min(maxPasses - skipped, stretch->passes);
        if (room <= shortestProof)
            break;
        const std::int64_t reach = std::min(room, span_);
        // C falls (or rises) from the first pass of the range to the last.
        const double first = stretch->at(1);
        const double last = stretch->at(reach);
        ++evaluations_;
        if (!provesQuiet(arithmetic_, inputs_, std::min(first, last), std::max(first, last),
                         at_.found)) {
            span_ = reach / 2;
            if (span_ > shortestProof)
                continue;
            span_ = 2 * shortestProof;
            break;
        }
        at_.c = last;
        at_.passes += reach;
        skipped += reach;
        if (reach == span_)
            span_ *= 2;
        plainRun_ = shortestProof;
    }
    return skipped;
}

IgnitionWalk::State IgnitionWalk::advance(std::int64_t maxPasses)
{
    if (hasEnded() || maxPasses <= 0)
        return takePasses(maxPasses);
    std::int64_t left = maxPasses;
    for (;;) {
        left -= skipQuietPasses(left);
        if (left == 0) {
            at_.state = State::Walking;
            return State::Walking;
        }
        // Where no proof holds (close to where the walk meets or stops, or
        // at the edge of a binade), the passes are taken one by one; the
        // longer proofs keep failing, the longer the plain runs get.
        const std::int64_t before = passes();
        const State state = takePasses(std::min(left, plainRun_));
        const std::int64_t ran = passes() - before;
        evaluations_ += ran;
        left -= ran;
        plainRun_ = std::min(2 * plainRun_, longestPlainRun);
        if (state != State::Walking || left == 0)
            return state;
    }
}

namespace {
IgnitionInputs atSupplyTimes(IgnitionInputs inputs, double factor)
{
    inputs.circuit = atSupplyTimes(inputs.circuit, factor);
    return inputs;
}
} // namespace

CapacitanceSearch::CapacitanceSearch(const IgnitionInputs &inputs)
    : walk_(inputs)
    , highMains_(atSupplyTimes(inputs, 1 + mainsTolerance))
    , lowMains_(atSupplyTimes(inputs, 1 - mainsTolerance))
{
}

CapacitanceSearch::State CapacitanceSearch::state() const
{
    if (walk_.state() != State::Found)
        return walk_.state();
    return highMains_.hasEnded() && lowMains_.hasEnded() ? State::Found : State::Walking;
}

CapacitanceSearch::State CapacitanceSearch::advance(std::int64_t maxPasses)
{
    if (!walk_.hasEnded())
        walk_.advance(maxPasses);
    else if (walk_.state() == State::Found)
        (highMains_.hasEnded() ? lowMains_ : highMains_).advance(maxPasses);
    return state();
}

} // namespace circuit
