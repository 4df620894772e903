// The capacitance search of the ignition capacitor window, timed two ways on
// a long walk (about 7.4 million passes):
//   ChunkedWalk  IgnitionWalk driven chunk by chunk as the window drives it,
//                with a look at the clock between chunks;
//   BareLoop     the same arithmetic per pass in one loop with nothing else.
// Prints passes per second for both and their ratio (target: 0.9 or more).
#include "calculators/ignitionsearch.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using circuit::IgnitionWalk;

// 220 V supply, lamp ignites at 300 V, capacitor 630 V, choke 990 V, 20 ohm,
// 1 H; a step of 0.000001 µF.
const circuit::IgnitionInputs longWalk {{220, 20, 1}, {990, 630}, 300, 0.000001 / 1000000};

constexpr std::int64_t passesPerChunk = 100000; // as in the window

struct Outcome {
    std::int64_t passes = 0;
    double largest = 0; // µF
    double smallest = 0; // µF
};

Outcome chunkedWalk()
{
    IgnitionWalk walk(longWalk);
    Outcome outcome;
    auto lastLook = std::chrono::steady_clock::now();
    while (!walk.hasEnded()) {
        if (walk.advance(passesPerChunk) == IgnitionWalk::State::MetLargest) {
            outcome.largest = walk.largestMicrofarads();
            continue;
        }
        // The window looks at the clock (and, on a long walk, at its progress
        // dialog) here.
        lastLook = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(lastLook);
    }
    outcome.passes = walk.passes();
    outcome.smallest = walk.smallestMicrofarads();
    return outcome;
}

Outcome bareLoop()
{
    const auto &in = longWalk;
    Outcome outcome;
    double c = *circuit::resonanceCapacitance(in.circuit.lchoke);
    bool found = false;
    for (;;) {
        ++outcome.passes;
        const auto v = circuit::seriesVoltages(in.circuit, c);
        if (!v)
            break;
        const bool within = circuit::withinLimits(*v, in.limits);
        if (within && v->uc < in.uignition) {
            outcome.smallest = (c + in.cstep) * circuit::microfaradsPerFarad;
            break;
        }
        if (within && v->uc > in.uignition && !found) {
            found = true;
            outcome.largest = c * circuit::microfaradsPerFarad;
        }
        c -= in.cstep;
    }
    return outcome;
}

template<Outcome (*walk)()> void passesPerSecond(benchmark::State &state)
{
    std::int64_t passes = 0;
    for (auto _ : state) {
        const Outcome outcome = walk();
        benchmark::DoNotOptimize(outcome);
        passes += outcome.passes;
    }
    state.SetItemsProcessed(passes);
}

BENCHMARK(passesPerSecond<chunkedWalk>)
    ->Name("ChunkedWalk")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);
BENCHMARK(passesPerSecond<bareLoop>)
    ->Name("BareLoop")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

// Shows the usual table and keeps the median rate of each benchmark.
class RateReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medianRate;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (run.aggregate_name == "median" && rate != run.counters.end())
                medianRate[run.run_name.function_name] = rate->second.value;
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    // Interleaving the repetitions spreads a busy neighbour on the machine
    // over both loops alike; a flag given on the command line still wins.
    std::vector<char *> args {argv[0]};
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;

    const Outcome chunked = chunkedWalk();
    const Outcome bare = bareLoop();
    if (chunked.passes != bare.passes || chunked.largest != bare.largest
        || chunked.smallest != bare.smallest) {
        std::fprintf(stderr,
                     "the two loops disagree: %lld passes, %.8f .. %.8f µF against "
                     "%lld passes, %.8f .. %.8f µF\n",
                     static_cast<long long>(chunked.passes), chunked.smallest, chunked.largest,
                     static_cast<long long>(bare.passes), bare.smallest, bare.largest);
        return 1;
    }

    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nwalk of %lld passes: largest C %.8f µF, smallest %.8f µF\n",
                static_cast<long long>(chunked.passes), chunked.largest, chunked.smallest);
    const auto walkRate = reporter.medianRate.find("ChunkedWalk");
    const auto bareRate = reporter.medianRate.find("BareLoop");
    if (walkRate == reporter.medianRate.end() || bareRate == reporter.medianRate.end())
        return 0; // a filter left one of them out
    std::printf("chunked walk: %.0f passes/s (median)\n", walkRate->second);
    std::printf("bare loop:    %.0f passes/s (median)\n", bareRate->second);
    std::printf("ratio:        %.3f (target 0.9 or more)\n", walkRate->second / bareRate->second);
    return 0;
}
