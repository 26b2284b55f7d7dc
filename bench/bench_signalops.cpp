// Window weights and in-place signal operations at filter-sized lengths.
#include "data/corvi_data.h"
#include "dsp/signal_ops.h"
#include "dsp/windows.h"

#include <benchmark/benchmark.h>

#include <cmath>

static void BM_DolphChebyshevWindow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeWindow(1, 60.0, n));
}
BENCHMARK(BM_DolphChebyshevWindow)->Arg(1001)->Arg(1024)->Arg(10007)->Unit(benchmark::kMicrosecond);

static void BM_KaiserBesselWindow(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeWindow(2, 4.0, n));
}
BENCHMARK(BM_KaiserBesselWindow)->Arg(1001)->Arg(10007)->Unit(benchmark::kMicrosecond);

static void BM_ConvolveComplex(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCorviData a, b;
    Generate(a, n, true, true, 0.1, 0.0);
    Generate(b, n, true, true, 0.2, 0.0);
    for (auto _ : state) {
        CCorviData c;
        c.Copy(a, a.GetN());
        Convolve(c, b);
        benchmark::DoNotOptimize(c.m_pI->GetData());
    }
}
BENCHMARK(BM_ConvolveComplex)->Arg(101)->Arg(1001)->Unit(benchmark::kMicrosecond);

static void BM_Generate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCorviData d;
    for (auto _ : state) {
        Generate(d, n, true, true, 0.123, 0.0);
        benchmark::DoNotOptimize(d.m_pI->GetData());
    }
}
BENCHMARK(BM_Generate)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
