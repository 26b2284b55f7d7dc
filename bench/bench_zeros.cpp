// Zeros of the longest filters the pole-zero view shows (2048 taps): a linear-phase lowpass, a
// random real filter and a random complex one. Each must take well under a second.
#include "dsp/filter_zeros.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

mvect Lowpass(int n) {
    mvect h(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i - (n - 1) / 2.0;
        const double w = 0.54 - 0.46 * std::cos(2 * std::numbers::pi * i / (n - 1));
        h[static_cast<size_t>(i)] =
            w * std::sin(2 * std::numbers::pi * 0.1 * t) / (std::numbers::pi * t);
    }
    return h;
}

mvect Random(int n, bool complex) {
    std::mt19937_64 rng(2048);
    std::normal_distribution<double> g;
    mvect h(static_cast<size_t>(n));
    for (mcplx& v : h)
        v = complex ? mcplx(g(rng), g(rng)) : mcplx(g(rng), 0.0);
    return h;
}

void Run(benchmark::State& state, const mvect& h) {
    for (auto _ : state) {
        const SFilterZeros z = FindFilterZeros(h);
        if (!z.bOk)
            state.SkipWithError(z.error.c_str());
        benchmark::DoNotOptimize(z.zeros.data());
    }
}

void BM_ZerosLowpass(benchmark::State& state) {
    Run(state, Lowpass(static_cast<int>(state.range(0))));
}
void BM_ZerosRandomReal(benchmark::State& state) {
    Run(state, Random(static_cast<int>(state.range(0)), false));
}
void BM_ZerosRandomComplex(benchmark::State& state) {
    Run(state, Random(static_cast<int>(state.range(0)), true));
}

} // namespace

BENCHMARK(BM_ZerosLowpass)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZerosRandomReal)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZerosRandomComplex)->Arg(2048)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
