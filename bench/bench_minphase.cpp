// Minimum-phase conversion of windowed-sinc lowpass filters (Hamming window, cutoff 0.225 Fs).
#include "dsp/min_phase.h"
#include "dsp/poly_roots.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Windowed-sinc lowpass of nTaps taps with cutoff fc (fraction of Fs), Hamming window.
mvect Lowpass(int nTaps, double fc) {
    mvect h;
    const double mid = 0.5 * (nTaps - 1);
    for (int k = 0; k < nTaps; ++k) {
        const double t = k - mid;
        const double sinc =
            t == 0.0 ? 2.0 * fc
                     : std::sin(2.0 * std::numbers::pi * fc * t) / (std::numbers::pi * t);
        const double w = 0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * k / (nTaps - 1));
        h.Append(sinc * w);
    }
    return h;
}

void BM_MinPhaseLowpass(benchmark::State& state) {
    const mvect input = Lowpass(static_cast<int>(state.range(0)), 0.225);
    double errorDb = 0.0;
    for (auto _ : state) {
        mvect h = input;
        benchmark::DoNotOptimize(ConvertToMinPhase(h, errorDb));
        benchmark::DoNotOptimize(h.data());
    }
    state.counters["error_dB"] = errorDb;
}
BENCHMARK(BM_MinPhaseLowpass)->Arg(31)->Arg(101)->Arg(128)->Unit(benchmark::kMicrosecond);

// The root search alone (Jenkins-Traub followed by the refinement).
void BM_FindRootsLowpass(benchmark::State& state) {
    mvect g = Lowpass(static_cast<int>(state.range(0)), 0.225);
    g /= g[0];
    for (auto _ : state) {
        mvect roots = FindRoots(g);
        benchmark::DoNotOptimize(roots.data());
    }
}
BENCHMARK(BM_FindRootsLowpass)->Arg(101)->Arg(128)->Unit(benchmark::kMicrosecond);

// The Jenkins-Traub search alone, without the refinement.
void BM_JenkinsTraubLowpass(benchmark::State& state) {
    mvect g = Lowpass(static_cast<int>(state.range(0)), 0.225);
    g /= g[0];
    for (auto _ : state) {
        mvect roots;
        FindRealPolyRoots(g.Real(), roots);
        benchmark::DoNotOptimize(roots.data());
    }
}
BENCHMARK(BM_JenkinsTraubLowpass)->Arg(101)->Arg(128)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
