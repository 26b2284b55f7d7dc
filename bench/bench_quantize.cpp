// Search quantization of equiripple lowpass filters to 16-bit coefficients.
#include "design/fir_data.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

// SciPy's equiripple lowpass of taps taps (passband 0 to 0.1 Fs, 0.1 dB ripple, 90 dB
// attenuation weight), read from the reference data.
const CFirData& Lowpass(int taps) {
    static std::map<int, CFirData> designs;
    auto it = designs.find(taps);
    if (it != designs.end())
        return it->second;
    CFirData& f = designs[taps];
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/quant/lowpass" + std::to_string(taps) +
                     ".txt");
    double v = 0.0;
    while (in >> v) {
        f.m_pI->Add(v);
        f.m_pQ->Add(0.0);
    }
    f.ResetRange();
    f.SetNumTaps(f.GetN());
    if (f.GetN() != taps)
        std::fprintf(stderr, "lowpass%d.txt holds %d taps\n", taps, f.GetN());
    return f;
}

void Quantize(benchmark::State& state, int algorithm) {
    const CFirData& design = Lowpass(static_cast<int>(state.range(0)));
    QuantOptions options;
    options.m_nBits = 16;
    options.m_nAlgorithm = algorithm;
    for (auto _ : state) {
        state.PauseTiming();
        CFirData f(design);
        state.ResumeTiming();
        benchmark::DoNotOptimize(f.Quantize(options));
    }
}

void BM_SymmetricSearch(benchmark::State& state) {
    Quantize(state, 2);
}
void BM_AsymmetricSearch(benchmark::State& state) {
    Quantize(state, 3);
}
void BM_Round(benchmark::State& state) {
    Quantize(state, 1);
}

BENCHMARK(BM_SymmetricSearch)->Arg(255)->Arg(2001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsymmetricSearch)->Arg(255)->Arg(2001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Round)->Arg(2001)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
