// Timings of the Vibration tab's buttons: each must finish far inside one frame (16 ms).
#include "vibration/vibration_procedures.h"

#include <benchmark/benchmark.h>

namespace {

// One entry per pair block, English and metric alike.
const mx::SineEntries kSinePairs[] = {
    {{"10", "0.1", "", ""}, true},       {{"10", "", "0.511", ""}, true},      {{"10", "", "", "3.1416"}, true},
    {{"", "0.254", "0.511", ""}, false}, {{"", "", "0.511", "0.0798"}, false}, {{"", "0.254", "", "0.0798"}, false},
};

void sineCalculate(benchmark::State& state)
{
    const mx::SineEntries& entries = kSinePairs[state.range(0)];
    for (auto _ : state) {
        auto outcome = mx::calculateSine(entries);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(sineCalculate)->DenseRange(0, 5);

void sineCalculateFailing(benchmark::State& state)
{
    const mx::SineEntries entries{{"", "0.1", "-1", ""}, true}; // two faults, two messages
    for (auto _ : state) {
        auto outcome = mx::calculateSine(entries);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(sineCalculateFailing);

void randomCalculate(benchmark::State& state)
{
    const mx::RandomTexts entries = {"", "0.04", "2"}; // the bandwidth passes through a picture's text
    for (auto _ : state) {
        auto outcome = mx::calculateRandom(entries);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(randomCalculate);

void unitSwitch(benchmark::State& state)
{
    const mx::SineEntries entries{{"10", "0.1", ".5110", "3.1416"}, true};
    for (auto _ : state) {
        auto outcome = mx::switchUnits(entries, false);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(unitSwitch);

} // namespace

BENCHMARK_MAIN();
