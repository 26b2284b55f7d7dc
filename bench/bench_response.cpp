// Frequency-response evaluation: the plot's workload (one direct evaluation per pixel column)
// and the gridded transform response.
#include "data/corvi_data.h"
#include "response/fir_freq_response.h"
#include "response/response_evaluator.h"
#include "response/response_types.h"
#include "response/response_value.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A Hann-windowed sinc lowpass of the given length, cutoff 0.1 Fs.
std::vector<double> Lowpass(int taps) {
    std::vector<double> h(static_cast<size_t>(taps));
    const double centre = (taps - 1) / 2.0;
    for (int n = 0; n < taps; ++n) {
        const double t = n - centre;
        const double sinc =
            t == 0.0 ? 0.2 : std::sin(0.2 * std::numbers::pi * t) / (std::numbers::pi * t);
        const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (n + 1) / (taps + 1));
        h[static_cast<size_t>(n)] = sinc * window;
    }
    return h;
}

void MakeFilter(CCorviData& filter, const std::vector<double>& h) {
    filter.RemoveAll();
    for (double v : h) {
        filter.m_pI->Add(v);
        filter.m_pQ->Add(0.0);
    }
    filter.ResetRange();
}

// |H| at `points` frequencies across 0..Fs/2 with the direct evaluator.
void BM_DirectMagnitude(benchmark::State& state) {
    const auto h = Lowpass(static_cast<int>(state.range(0)));
    const int points = static_cast<int>(state.range(1));
    std::vector<double> magnitude(static_cast<size_t>(points));
    for (auto _ : state) {
        for (int k = 0; k < points; ++k) {
            double re;
            double im;
            EvaluateRealResponse(h.data(), -std::numbers::pi * k / points,
                                 static_cast<int>(h.size()), &im, &re);
            magnitude[static_cast<size_t>(k)] = std::sqrt(re * re + im * im);
        }
        benchmark::DoNotOptimize(magnitude.data());
    }
    state.counters["ns/tap"] = benchmark::Counter(static_cast<double>(h.size()) * points,
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_DirectMagnitude)
    ->Args({16384, 2048})
    ->Args({10001, 1000})
    ->Unit(benchmark::kMillisecond);

// The same evaluation with a single phasor rotated once per tap (one long dependency chain).
void BM_PlainRotation(benchmark::State& state) {
    const auto h = Lowpass(static_cast<int>(state.range(0)));
    const int points = static_cast<int>(state.range(1));
    std::vector<double> magnitude(static_cast<size_t>(points));
    for (auto _ : state) {
        for (int k = 0; k < points; ++k) {
            const double w = -std::numbers::pi * k / points;
            const double c = std::cos(w);
            const double s = std::sin(w);
            double pr = 1.0;
            double pi = 0.0;
            double re = 0.0;
            double im = 0.0;
            for (double x : h) {
                re += x * pr;
                im += x * pi;
                const double nr = c * pr - s * pi;
                pi = c * pi + s * pr;
                pr = nr;
            }
            magnitude[static_cast<size_t>(k)] = std::sqrt(re * re + im * im);
        }
        benchmark::DoNotOptimize(magnitude.data());
    }
}
BENCHMARK(BM_PlainRotation)->Args({16384, 2048})->Unit(benchmark::kMillisecond);

// A plot's curve: magnitude in dB at one frequency per pixel column, through ComputeCurves.
void BM_ComputeCurvesMagnitudeDb(benchmark::State& state) {
    CCorviData filter;
    MakeFilter(filter, Lowpass(static_cast<int>(state.range(0))));
    const int points = static_cast<int>(state.range(1));
    CDataColumn freqs;
    for (int k = 0; k < points; ++k) {
        freqs.Add(0.5 * k / points);
    }
    for (auto _ : state) {
        CDataSet curves;
        ComputeCurves(freqs, curves, filter, {kChannelInphase, kResponseMagnitude, true, -130.0});
        benchmark::DoNotOptimize(curves.GetColumn(0)->GetData());
    }
}
BENCHMARK(BM_ComputeCurvesMagnitudeDb)->Args({16384, 2048})->Unit(benchmark::kMillisecond);

// The gridded response of the same filter with resolution 32 (2^20 bins).
void BM_ComputeResponse(benchmark::State& state) {
    CCorviData filter;
    MakeFilter(filter, Lowpass(static_cast<int>(state.range(0))));
    CFirFreqResponse response(&filter);
    for (auto _ : state) {
        response.ComputeResponse(static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(response.m_pI->GetData());
    }
    state.counters["bins"] = static_cast<double>(response.GetN());
}
BENCHMARK(BM_ComputeResponse)->Args({16384, 32})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
