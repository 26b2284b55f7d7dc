// Long Parks-McClellan lowpass designs (transition 5 / taps, 95 dB stopband) with the classical
// exchange, the long-filter exchange and the automatic choice side by side. A design that fails, or
// that the engine reports as designed but is not equiripple on its grid, is shown as an error.
#include "design/remez/remez_engine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace {

constexpr int kTaps[] = {1001, 2001, 4001, 8001, 16001};
constexpr ERemezEngine kEngines[] = {ERemezEngine::Classic, ERemezEngine::Robust,
                                     ERemezEngine::Auto};

const char* EngineName(ERemezEngine engine) {
    switch (engine) {
    case ERemezEngine::Classic:
        return "classic ";
    case ERemezEngine::Robust:
        return "robust ";
    case ERemezEngine::Auto:
        break;
    }
    return "auto ";
}

void BM_RemezLongLowpass(benchmark::State& state) {
    const int taps = kTaps[state.range(0)];
    const ERemezEngine engine = kEngines[state.range(1)];
    const double transition = 5.0 / taps;
    const double edges[] = {0.0, 0.2, 0.2 + transition, 0.5};
    const double desired[] = {1.0, 0.0};
    const double weights[] = {100.0, std::pow(10.0, 95.0 / 20.0)};
    std::vector<double> h(static_cast<std::size_t>(taps));
    CPmFir pmfir;
    CRemezContext context;
    context.SetEngine(engine);
    for (auto _ : state) {
        const int ok = context.PMFir(edges, 2, pmfir, 1, taps, 16, desired, weights, h.data(),
                                     nullptr, nullptr);
        benchmark::DoNotOptimize(h.data());
        if (ok != 1) {
            state.SkipWithError("design failed");
            break;
        }
        if (!(context.MaxGridError() <= 1.01 * context.Deviation())) {
            state.SkipWithError("not equiripple");
            break;
        }
    }
    state.SetLabel(std::string(EngineName(engine)) + std::to_string(taps) + " taps, " +
                   std::to_string(context.Passes()) + " passes");
}

} // namespace

BENCHMARK(BM_RemezLongLowpass)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
