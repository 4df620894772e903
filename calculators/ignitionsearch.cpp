#include "ignitionsearch.h"

#include "walkarithmetic.h"
#include "walkproof.h"

#include <algorithm>

namespace circuit {

PlainIgnitionWalk::PlainIgnitionWalk(const IgnitionInputs &inputs)
    : inputs_(inputs)
{
    const auto resonance = resonanceCapacitance(inputs.circuit.lchoke);
    if (!resonance) {
        state_ = State::Fault;
        return;
    }
    c_ = *resonance;
}

namespace {
// Within these bounds no pass can produce a value that is not finite:
// with |XL|, |U| ≤ 2^400, 2^-400 ≤ R² ≤ 2^800 and 2^-400 ≤ |C| ≤ 2^400,
// |C · 314| lies in [2^-400, 2^409], |XC| in [2^-409, 2^400], |X| ≤ 2^401,
// X² + R² in [2^-400, 2^803], Z in about [2^-200, 2^402], |UL| and |UC| below
// 2^1001 and √2 times either below 2^1002.
constexpr double wide = 0x1p400;
constexpr double narrow = 0x1p-400;

bool constantsBounded(const PassArithmetic &a)
{
    return std::abs(a.xl) <= wide && std::abs(a.usupply) <= wide && a.r2 >= narrow
        && a.r2 <= wide * wide && std::abs(a.step) > 0 && std::abs(a.step) <= wide;
}
} // namespace

// How many of the next passes are certain neither to fault nor to stick,
// each stepping C by at most 1.25 |step| (the step exceeds four units in the
// last place of C, so rounding adds at most a quarter of it). These passes
// can run without the checks.
std::int64_t PlainIgnitionWalk::uncheckedPasses(const PassArithmetic &a,
                                                std::int64_t maxPasses) const
{
    if (!stepDue_ || !constantsBounded(a))
        return 0;
    const double size = std::abs(c_);
    if (!(size >= 2 * narrow && size <= wide / 2))
        return 0;
    const int binade = std::ilogb(c_);
    const double step = std::abs(a.step);
    if (step < std::ldexp(1.0, binade - 50))
        return 0;
    // Shrinking, |C| stops short of 2^-399; growing, it stays below
    // 2^(binade + 2), where the step still exceeds two units in the last place.
    const bool shrinking = (a.step > 0) == (c_ > 0);
    const double room
        = shrinking ? size - 2 * narrow : std::min(wide / 2, std::ldexp(1.0, binade + 2)) - size;
    const double passes = std::floor(room / (2 * step));
    return passes >= static_cast<double>(maxPasses) ? maxPasses : static_cast<std::int64_t>(passes);
}

// The passes of the plain walk where nothing can fault: the same arithmetic
// as seriesVoltages, with UC left out where UL alone rules a pass out.
PlainIgnitionWalk::Pass PlainIgnitionWalk::runUnchecked(const PassArithmetic &a, std::int64_t count,
                                                        std::int64_t &ran)
{
    double c = c_;
    const bool found = found_;
    Pass pass = Pass::Quiet;
    std::int64_t i = 0;
    while (i < count) {
        ++i;
        c -= a.step;
        const double xc = 1 / (c * omega);
        const double z = a.z(xc);
        if (!(a.sqrt2 * a.ul(z) < a.ubreakdown))
            continue;
        const double uc = a.uc(xc, z);
        if (!(a.sqrt2 * uc < a.ucapMax))
            continue;
        if (uc < a.uignition) {
            pass = Pass::Stop;
            break;
        }
        if (uc > a.uignition && !found) {
            pass = Pass::Largest;
            break;
        }
    }
    c_ = c;
    ran = i;
    return pass;
}

PlainIgnitionWalk::Pass PlainIgnitionWalk::runChecked()
{
    if (stepDue_) {
        // C is carried from pass to pass by subtraction.
        const double next = c_ - inputs_.cstep;
        if (!std::isfinite(next))
            return Pass::Fault;
        if (next == c_)
            return Pass::Stuck;
        c_ = next;
    }
    stepDue_ = true;

    const auto v = seriesVoltages(inputs_.circuit, c_);
    if (!v)
        return Pass::Fault;
    const bool within = withinLimits(*v, inputs_.limits);
    // Both comparisons are strict: UC equal to the ignition voltage neither
    // stops the walk nor records a capacitance.
    if (within && v->uc < inputs_.uignition)
        return Pass::Stop;
    if (within && v->uc > inputs_.uignition && !found_)
        return Pass::Largest;
    return Pass::Quiet;
}

PlainIgnitionWalk::State PlainIgnitionWalk::finish(Pass pass)
{
    switch (pass) {
    case Pass::Quiet:
        return State::Walking;
    case Pass::Stop: {
        if (!found_)
            return State::NotFound;
        // The smallest admissible capacitance is the stop value plus one
        // step, added back rather than remembered.
        const double smallest = c_ + inputs_.cstep;
        smallestMicrofarads_ = smallest * microfaradsPerFarad;
        return std::isfinite(smallest) && std::isfinite(smallestMicrofarads_) ? State::Found
                                                                              : State::Fault;
    }
    case Pass::Largest:
        largestMicrofarads_ = c_ * microfaradsPerFarad;
        found_ = true;
        return std::isfinite(largestMicrofarads_) ? State::MetLargest : State::Fault;
    case Pass::Fault:
        return State::Fault;
    case Pass::Stuck:
        return State::Stuck;
    }
    return State::Fault;
}

PlainIgnitionWalk::State PlainIgnitionWalk::advance(std::int64_t maxPasses)
{
    if (hasEnded())
        return state_;
    const PassArithmetic arithmetic(inputs_);
    Pass pass = Pass::Quiet;
    std::int64_t done = 0;
    while (done < maxPasses && pass == Pass::Quiet) {
        const std::int64_t unchecked = uncheckedPasses(arithmetic, maxPasses - done);
        if (unchecked > 0) {
            std::int64_t ran = 0;
            pass = runUnchecked(arithmetic, unchecked, ran);
            done += ran;
            continue;
        }
        pass = runChecked();
        // A pass that faults or cannot move is not counted.
        if (pass != Pass::Fault && pass != Pass::Stuck)
            ++done;
    }
    passes_ += done;
    state_ = finish(pass);
    return state_;
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
    if (!plain_.stepDue_)
        return 0;
    const PassArithmetic arithmetic(plain_.inputs_);
    std::int64_t skipped = 0;
    while (skipped < maxPasses) {
        const auto stretch = trialStretch(plain_.c_, plain_.inputs_.cstep);
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
        if (!provesQuiet(arithmetic, std::min(first, last), std::max(first, last), plain_.found_)) {
            span_ = reach / 2;
            if (span_ > shortestProof)
                continue;
            span_ = 2 * shortestProof;
            break;
        }
        plain_.c_ = last;
        plain_.passes_ += reach;
        skipped += reach;
        if (reach == span_)
            span_ *= 2;
        plainRun_ = shortestProof;
    }
    return skipped;
}

IgnitionWalk::State IgnitionWalk::advance(std::int64_t maxPasses)
{
    if (plain_.hasEnded() || maxPasses <= 0)
        return plain_.advance(maxPasses);
    std::int64_t left = maxPasses;
    for (;;) {
        left -= skipQuietPasses(left);
        if (left == 0) {
            plain_.state_ = State::Walking;
            return State::Walking;
        }
        // Where no proof holds (close to where the walk meets or stops, or
        // at the edge of a binade), the passes are taken one by one; the
        // longer proofs keep failing, the longer the plain runs get.
        const std::int64_t before = plain_.passes();
        const State state = plain_.advance(std::min(left, plainRun_));
        const std::int64_t ran = plain_.passes() - before;
        evaluations_ += ran;
        left -= ran;
        plainRun_ = std::min(2 * plainRun_, longestPlainRun);
        if (state != State::Walking || left == 0)
            return state;
    }
}

} // namespace circuit
