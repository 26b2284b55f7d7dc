// Design times of the windowed-sinc, raised-cosine, maxflat, CIC and Lth-band methods through
// DesignFilter (design, post-design steps and the gridded response), and of the design routines
// alone where the post-design steps dominate. tools/bench/methods_scipy.py times the SciPy
// counterparts of the windowed sinc and the CIC.
#include "design/cic.h"
#include "design/fir_data.h"
#include "design/maxflat.h"
#include "design/windowed_sinc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

void MakeKaiserLowpass(CFirData& f, int taps) {
    f.SetDesignType(kDesignWinSinc);
    f.m_Ws.m_nFilterType = 0;
    f.m_Ws.m_dCorner1 = 0.2;
    f.m_Ws.m_nWindowType = 2;
    f.m_Ws.m_dWindowParam = 2.5;
    f.m_bWindowAfterDesign = true;
    f.SetNumTaps(taps);
}

// Kaiser-windowed lowpass with unit gain, as DesignFilter makes it.
void BM_WindowedSincDesignFilter(benchmark::State& state) {
    const int taps = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CFirData f;
        MakeKaiserLowpass(f, taps);
        f.DesignFilter("bench");
        benchmark::DoNotOptimize(f.m_pI->GetAt(taps / 2));
    }
}
BENCHMARK(BM_WindowedSincDesignFilter)
    ->Arg(101)
    ->Arg(1001)
    ->Arg(4001)
    ->Unit(benchmark::kMillisecond);

// The truncated sinc alone (with the gridded response of the taps).
void BM_WindowedSincTaps(benchmark::State& state) {
    const int taps = static_cast<int>(state.range(0));
    CFirData f;
    MakeKaiserLowpass(f, taps);
    for (auto _ : state) {
        ApplyWindowedSinc(f);
        benchmark::DoNotOptimize(f.m_pI->GetAt(taps / 2));
    }
}
BENCHMARK(BM_WindowedSincTaps)->Arg(101)->Arg(1001)->Arg(4001)->Unit(benchmark::kMillisecond);

void BM_RootRaisedCosine(benchmark::State& state) {
    for (auto _ : state) {
        CFirData f;
        f.SetDesignType(kDesignRaisedCos);
        f.m_Rc.m_nRcTaps = static_cast<int>(state.range(0));
        f.m_Rc.m_bRoot = 1;
        f.m_Rc.m_bZeroPad = 0;
        f.ValidateSpecs();
        f.DesignFilter("bench");
        benchmark::DoNotOptimize(f.m_pI->GetAt(0));
    }
}
BENCHMARK(BM_RootRaisedCosine)->Arg(129)->Arg(1025)->Unit(benchmark::kMillisecond);

// The response computation of the longest maxflat filters (1299 taps).
void BM_MaxflatResponse(benchmark::State& state) {
    const double beta = static_cast<double>(state.range(0)) / 100.0;
    const double gamma = std::sqrt(1.0 / (2.0 * 1298.0));
    std::vector<double> half;
    int nt = 0;
    for (auto _ : state) {
        MaxflatResponse(beta, gamma, 4 + static_cast<int>(1.0 / (4.0 * gamma * gamma)), half, nt);
        benchmark::DoNotOptimize(half.data());
    }
    state.counters["taps"] = 2 * nt - 1;
}
BENCHMARK(BM_MaxflatResponse)->Arg(10)->Arg(25)->Unit(benchmark::kMillisecond);

// The longest CIC the limits allow: 100 stages of 163 ones, 16201 taps.
void BM_CicLongest(benchmark::State& state) {
    for (auto _ : state) {
        CFirData f;
        f.SetDesignType(kDesignCic);
        f.m_Cic.m_nStages = 100;
        f.m_Cic.m_nRate = 163;
        f.m_Cic.m_nDelay = 1;
        f.LoadDesignedTaps(DesignCic(CicSpecOf(f)).taps);
        benchmark::DoNotOptimize(f.m_pI->GetAt(8100));
    }
}
BENCHMARK(BM_CicLongest)->Unit(benchmark::kMillisecond);

// Zeroized Parks-McClellan Lth-band designs; for L > 2 the fix-up searches the neighbours of
// every forced zero.
void BM_LthBandZeroized(benchmark::State& state) {
    const int l = static_cast<int>(state.range(0));
    const int taps = static_cast<int>(state.range(1));
    for (auto _ : state) {
        CFirData f;
        f.SetDesignType(kDesignLthBand);
        f.m_Lth.m_nL = l;
        f.m_Lth.m_dCutoff = 0.8 / (2.0 * l);
        f.m_Lth.m_bZeroize = 1;
        f.m_Lth.m_dAttn = 60.0;
        f.SetNumTaps(taps);
        f.DesignFilter("bench");
        benchmark::DoNotOptimize(f.m_pI->GetAt(taps / 2));
    }
}
BENCHMARK(BM_LthBandZeroized)
    ->Args({2, 61})
    ->Args({4, 121})
    ->Args({8, 241})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
