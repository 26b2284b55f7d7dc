// Time of one optimisation of a 60 dB lowpass (passband 0..0.1 Fs with 0.5 dB ripple, stopband
// 0.13..0.5 Fs), with and without a host that runs the search on a worker thread, next to a
// single design at the count the search ends with.
#include "design/design_job.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "design/pm_method.h"
#include "support/scripted_host.h"

#include <benchmark/benchmark.h>

namespace {

void MakeLowpass(CFirData& f, int taps) {
    f.SetDesignType(kDesignSimplePm);
    f.SetSimpleSpec(taps, 0.1, 0.5, 0.13, 60.0, 0.0, 0.0, 16, 0);
}

// The search on the calling thread (no host): the optimiser's own cost.
void BM_Optimize60dBLowpass(benchmark::State& state) {
    int trials = 0;
    int taps = 0;
    for (auto _ : state) {
        CFirData f;
        MakeLowpass(f, 20);
        OptimizerState opt(&f);
        f.Optimize(opt, false, "bench");
        trials = static_cast<int>(opt.m_Trials.size());
        taps = f.GetNumTaps();
        benchmark::DoNotOptimize(f.GetMargin());
    }
    state.counters["trials"] = trials;
    state.counters["taps"] = taps;
}
BENCHMARK(BM_Optimize60dBLowpass)->Unit(benchmark::kMillisecond);

// The same through a host's worker thread and status display polling.
void BM_Optimize60dBLowpassOnWorker(benchmark::State& state) {
    for (auto _ : state) {
        CScriptedHost host;
        CFirData f(&host);
        MakeLowpass(f, 20);
        f.OptimizeFilter("bench");
        benchmark::DoNotOptimize(f.GetMargin());
    }
}
BENCHMARK(BM_Optimize60dBLowpassOnWorker)->Unit(benchmark::kMillisecond);

// One trial: a design at 78 taps and its margin.
void BM_Design78Taps(benchmark::State& state) {
    CFirData f;
    MakeLowpass(f, 78);
    CDesignControl control;
    for (auto _ : state) {
        RunPm(f, control);
        benchmark::DoNotOptimize(f.GetMargin());
    }
}
BENCHMARK(BM_Design78Taps)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
