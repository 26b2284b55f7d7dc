// Parks-McClellan lowpass designs of growing length with a stopband near 95 dB; the same
// specifications are timed for SciPy by tools/bench/remez_scipy.py.
#include "design/remez/remez_engine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Passband 0..0.2 of Fs with 1 % ripple, stopband from 0.2 + transition to 0.5 at 95 dB.
struct CLowpassCase {
    int taps;
    double transition; // fractions of Fs
};

constexpr CLowpassCase kCases[] = {{101, 0.0367}, {301, 0.01206}, {1001, 0.0036}, {2001, 0.0018}};

void BM_RemezLowpass(benchmark::State& state) {
    const CLowpassCase& c = kCases[state.range(0)];
    SRemezSpec spec;
    spec.bands = {{0.0, 0.2, 1.0, 100.0},
                  {0.2 + c.transition, 0.5, 0.0, std::pow(10.0, 95.0 / 20.0)}};
    spec.taps = c.taps;
    CRemezContext context;
    int passes = 0;
    for (auto _ : state) {
        const SRemezResult result = context.Design(spec);
        benchmark::DoNotOptimize(result.taps.data());
        if (!result.Succeeded()) {
            state.SkipWithError("design failed");
            break;
        }
        passes = result.passes;
    }
    state.SetLabel(std::to_string(c.taps) + " taps, " + std::to_string(passes) + " passes");
}

} // namespace

BENCHMARK(BM_RemezLowpass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
