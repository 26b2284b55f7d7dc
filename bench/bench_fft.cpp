// Complex double FFT speed for powers of two, lengths made of 2, 3, 5 and lengths with a large
// prime factor; when FFTW is present its FFTW_ESTIMATE plans run the same lengths side by side.
#include "dsp/fft.h"

#include <benchmark/benchmark.h>

#include <complex>
#include <random>
#include <vector>

#ifdef CORVIFIR_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

const std::vector<long> kLengths = {1024,    2048, 4096,  8192,    65536,
                                    1048576, 1000, 12000, 1000000, 2 * 10007};

std::vector<std::complex<double>> Signal(std::size_t n) {
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<std::complex<double>> x(n);
    for (auto& v : x) {
        v = {u(gen), u(gen)};
    }
    return x;
}

void SetCounters(benchmark::State& state, std::size_t n) {
    state.counters["ns_per_point"] = benchmark::Counter(
        static_cast<double>(n) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Fft(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto x = Signal(n);
    std::vector<std::complex<double>> y(n);
    CFft fft(n);
    for (auto _ : state) {
        fft.Forward(x.data(), y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    SetCounters(state, n);
}

#ifdef CORVIFIR_HAVE_FFTW
void BM_Fftw(benchmark::State& state) {
    const auto n = static_cast<int>(state.range(0));
    auto* in = fftw_alloc_complex(n);
    auto* out = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    const auto x = Signal(n);
    for (int i = 0; i < n; ++i) {
        in[i][0] = x[i].real();
        in[i][1] = x[i].imag();
    }
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    SetCounters(state, n);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
#endif

void Lengths(benchmark::internal::Benchmark* b) {
    for (long n : kLengths) {
        b->Arg(n);
    }
}

} // namespace

BENCHMARK(BM_Fft)->Apply(Lengths);
#ifdef CORVIFIR_HAVE_FFTW
BENCHMARK(BM_Fftw)->Apply(Lengths);
#endif

BENCHMARK_MAIN();
