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
    const double edges[] = {0.0, 0.2, 0.2 + c.transition, 0.5};
    const double desired[] = {1.0, 0.0};
    const double weights[] = {100.0, std::pow(10.0, 95.0 / 20.0)};
    std::vector<double> h(static_cast<std::size_t>(c.taps));
    CPmFir pmfir;
    CRemezContext context;
    for (auto _ : state) {
        const int ok = context.PMFir(edges, 2, pmfir, 1, c.taps, 16, desired, weights, h.data(),
                                     nullptr, nullptr);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(h.data());
        if (ok != 1) {
            state.SkipWithError("design failed");
            break;
        }
    }
    state.SetLabel(std::to_string(c.taps) + " taps, " + std::to_string(context.Passes()) +
                   " passes");
}

} // namespace

BENCHMARK(BM_RemezLowpass)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
