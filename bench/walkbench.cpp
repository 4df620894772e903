// The capacitance search of the ignition capacitor window, timed:
//   PlainWalk    the reference walk, every pass checked, in the window's
//                chunks, on a walk of about 7.4 million passes (step
//                0.000001 µF);
//   BareLoop     the same walk as a loop written out here from the formulas,
//                with nothing but the arithmetic and the two tests: what the
//                checks of the reference walk cost, for information;
//   JumpWalk     the walk the window runs, which skips passes it proves
//                uneventful, in one call, at steps of 0.001, 0.0000001 and
//                0.000000001 µF (7 437 to 7.4 billion passes; target under
//                1 ms each), with the passes it evaluated and the ranges it
//                tried to prove;
//   WindowChunks the same, driven in the window's chunks of passes with a
//                look at the clock between them;
//   WindowSearch the whole search the window runs, in its chunks: that walk
//                and the two at the mains' bounds.
#include "calculators/core/ignitionsearch.h"
#include "calculators/core/margins.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using circuit::IgnitionWalk;
using circuit::PlainIgnitionWalk;

// 220 V supply, lamp ignites at 300 V, capacitor 630 V, choke 990 V, 20 ohm,
// 1 H; the step in µF.
circuit::IgnitionInputs lampCircuit(double stepMicrofarads)
{
    return {{220, 20, 1}, {990, 630}, 300, stepMicrofarads / 1000000};
}

const circuit::IgnitionInputs longWalk = lampCircuit(0.000001);

struct Outcome {
    std::int64_t passes = 0;
    std::int64_t evaluations = 0;
    double largest = 0; // µF
    double smallest = 0; // µF
};

// Drives a walk as the window does: chunk by chunk, looking at the clock
// (and, on a long walk, at its progress dialog) between chunks.
template<class Walk> Outcome walkInChunks(const circuit::IgnitionInputs &inputs, std::int64_t chunk)
{
    Walk walk(inputs);
    Outcome outcome;
    while (!walk.hasEnded()) {
        if (walk.advance(chunk) == Walk::State::MetLargest) {
            outcome.largest = walk.largestMicrofarads();
            continue;
        }
        auto lastLook = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(lastLook);
    }
    outcome.passes = walk.passes();
    outcome.smallest = walk.smallestMicrofarads();
    if constexpr (std::is_same_v<Walk, IgnitionWalk>)
        outcome.evaluations = walk.evaluations();
    return outcome;
}

// The walk written out from the formulas, independent of the project's
// functions: X = 314 L − 1/(314 C), Z = (X² + R²)^0.5, UL = 314 L U / Z,
// UC = U / (314 C Z), squares and roots as powers.
Outcome bareLoop(circuit::IgnitionInputs in)
{
    benchmark::DoNotOptimize(in); // no folding of the inputs into the loop
    const double u = in.circuit.usupply;
    const double r = in.circuit.rchoke;
    const double l = in.circuit.lchoke;
    Outcome outcome;
    double c = 1 / (std::pow(314.0, 2) * l);
    bool found = false;
    for (;;) {
        ++outcome.passes;
        const double xc = 1 / (c * 314);
        const double x = l * 314 - xc;
        const double z = std::pow(std::pow(x, 2) + std::pow(r, 2), 0.5);
        const double ul = l * 314 * u / z;
        const double uc = xc * u / z;
        const double sqrt2 = std::pow(2.0, 0.5);
        const bool within = sqrt2 * ul < in.limits.ubreakdown && sqrt2 * uc < in.limits.ucapMax;
        if (within && uc < in.uignition) {
            outcome.smallest = (c + in.cstep) * 1000000;
            break;
        }
        if (within && uc > in.uignition && !found) {
            found = true;
            outcome.largest = c * 1000000;
        }
        c -= in.cstep;
    }
    return outcome;
}

void count(benchmark::State &state, std::int64_t passes, const Outcome &last)
{
    state.SetItemsProcessed(passes);
    state.counters["evaluations"] = static_cast<double>(last.evaluations);
    state.counters["passes"] = static_cast<double>(last.passes);
}

void plainWalk(benchmark::State &state)
{
    std::int64_t passes = 0;
    Outcome outcome;
    for (auto _ : state) {
        outcome = walkInChunks<PlainIgnitionWalk>(longWalk, circuit::passesPerChunk);
        benchmark::DoNotOptimize(outcome);
        passes += outcome.passes;
    }
    count(state, passes, outcome);
}

void bare(benchmark::State &state)
{
    std::int64_t passes = 0;
    Outcome outcome;
    for (auto _ : state) {
        outcome = bareLoop(longWalk);
        benchmark::DoNotOptimize(outcome);
        passes += outcome.passes;
    }
    count(state, passes, outcome);
}

void jumpWalk(benchmark::State &state, double stepMicrofarads, std::int64_t chunk)
{
    const auto inputs = lampCircuit(stepMicrofarads);
    std::int64_t passes = 0;
    Outcome outcome;
    for (auto _ : state) {
        outcome = walkInChunks<IgnitionWalk>(inputs, chunk);
        benchmark::DoNotOptimize(outcome);
        passes += outcome.passes;
    }
    count(state, passes, outcome);
}

void windowSearch(benchmark::State &state, double stepMicrofarads)
{
    const auto inputs = lampCircuit(stepMicrofarads);
    for (auto _ : state) {
        circuit::CapacitanceSearch search(inputs);
        while (!search.hasEnded())
            search.advance(circuit::passesPerChunk);
        const auto range = circuit::guaranteedRange(search);
        benchmark::DoNotOptimize(range);
    }
}

constexpr std::int64_t oneCall = std::numeric_limits<std::int64_t>::max();
const double steps[] = {0.001, 0.0000001, 0.000000001}; // µF

// 0.0000001, not 1e-07.
std::string stepName(double step)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9f", step);
    std::string name = text;
    return name.substr(0, name.find_last_not_of('0') + 1);
}

void registerBenchmarks()
{
    benchmark::RegisterBenchmark("PlainWalk", plainWalk)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);
    benchmark::RegisterBenchmark("BareLoop", bare)->Unit(benchmark::kMillisecond)->Repetitions(5);
    for (const double step : steps) {
        const std::string name = stepName(step);
        benchmark::RegisterBenchmark(("JumpWalk/" + name).c_str(), jumpWalk, step, oneCall)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("WindowChunks/" + name).c_str(), jumpWalk, step,
                                     circuit::passesPerChunk)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("WindowSearch/" + name).c_str(), windowSearch, step)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5);
    }
}

// Shows the usual table, without colour, and keeps the medians.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    MedianReporter()
        : ConsoleReporter(OO_Tabular)
    {
    }

    struct Median {
        double rate = 0; // passes per second
        double seconds = 0; // of CPU time per walk, as the rates count it
        double evaluations = 0;
    };
    std::map<std::string, Median> medians;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.aggregate_name != "median")
                continue;
            Median &median = medians[run.run_name.function_name];
            median.seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const auto counter = [&](const char *name) {
                const auto found = run.counters.find(name);
                return found == run.counters.end() ? 0.0 : found->second.value;
            };
            median.rate = counter("items_per_second");
            median.evaluations = counter("evaluations");
        }
    }
};

bool sameOutcome(const Outcome &a, const Outcome &b)
{
    return a.passes == b.passes && a.largest == b.largest && a.smallest == b.smallest;
}

void printSummary(const std::map<std::string, MedianReporter::Median> &medians)
{
    std::printf("\nmedians, in CPU time:\n");
    const auto plain = medians.find("PlainWalk");
    const auto bareRate = medians.find("BareLoop");
    if (plain != medians.end() && bareRate != medians.end()) {
        std::printf("plain walk: %.1f Mpasses/s\n", plain->second.rate / 1e6);
        std::printf("bare loop:  %.1f Mpasses/s\n", bareRate->second.rate / 1e6);
        std::printf("ratio:      %.3f\n", plain->second.rate / bareRate->second.rate);
    }
    for (const double step : steps) {
        const std::string name = stepName(step);
        const auto jump = medians.find("JumpWalk/" + name);
        const auto chunks = medians.find("WindowChunks/" + name);
        if (jump == medians.end() || chunks == medians.end())
            continue;
        const Outcome walked = walkInChunks<IgnitionWalk>(lampCircuit(step), oneCall);
        std::printf("step %s µF: %lld passes, largest %.8f µF, smallest %.8f µF; jump walk "
                    "%.3f ms, %.0f evaluations; in chunks of %lld passes %.3f ms\n",
                    name.c_str(), static_cast<long long>(walked.passes), walked.largest,
                    walked.smallest, jump->second.seconds * 1e3, jump->second.evaluations,
                    static_cast<long long>(circuit::passesPerChunk), chunks->second.seconds * 1e3);
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Interleaving the repetitions spreads a busy neighbour on the machine
    // over all loops alike; a flag given on the command line still wins.
    std::vector<char *> args {argv[0]};
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    // The loops timed must agree before their times mean anything.
    const Outcome plain = walkInChunks<PlainIgnitionWalk>(longWalk, circuit::passesPerChunk);
    const Outcome bare = bareLoop(longWalk);
    const Outcome jump = walkInChunks<IgnitionWalk>(longWalk, circuit::passesPerChunk);
    if (!sameOutcome(plain, bare) || !sameOutcome(plain, jump)) {
        std::fprintf(stderr,
                     "the loops disagree: plain %lld passes, %.8f .. %.8f µF; bare %lld "
                     "passes, %.8f .. %.8f µF; jump %lld passes, %.8f .. %.8f µF\n",
                     static_cast<long long>(plain.passes), plain.smallest, plain.largest,
                     static_cast<long long>(bare.passes), bare.smallest, bare.largest,
                     static_cast<long long>(jump.passes), jump.smallest, jump.largest);
        return 1;
    }

    registerBenchmarks();
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter.medians);
    return 0;
}
