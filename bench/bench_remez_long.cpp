// Long Parks-McClellan lowpass designs (transition 5 / taps, 95 dB stopband) with the classical
// exchange, the long-filter exchange and the automatic choice side by side. A design that fails, or
// that the engine reports as designed but is not equiripple on its grid, is shown as an error. Also
// the wait from a cancel request until a long design has stopped.
#include "design/remez/remez_engine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <string>
#include <thread>
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

SRemezSpec LowpassSpec(int taps, ERemezEngine engine) {
    const double transition = 5.0 / taps;
    SRemezSpec spec;
    spec.bands = {{0.0, 0.2, 1.0, 100.0},
                  {0.2 + transition, 0.5, 0.0, std::pow(10.0, 95.0 / 20.0)}};
    spec.taps = taps;
    spec.engine = engine;
    return spec;
}

void BM_RemezLongLowpass(benchmark::State& state) {
    const int taps = kTaps[state.range(0)];
    const ERemezEngine engine = kEngines[state.range(1)];
    const SRemezSpec spec = LowpassSpec(taps, engine);
    CRemezContext context;
    int passes = 0;
    for (auto _ : state) {
        const SRemezResult result = context.Design(spec);
        benchmark::DoNotOptimize(result.taps.data());
        if (!result.Succeeded()) {
            state.SkipWithError("design failed");
            break;
        }
        if (!(context.MaxGridError() <= 1.01 * result.deviation)) {
            state.SkipWithError("not equiripple");
            break;
        }
        passes = result.passes;
    }
    state.SetLabel(std::string(EngineName(engine)) + std::to_string(taps) + " taps, " +
                   std::to_string(passes) + " passes");
}

// Hilbert transformers and differentiators with a stopband at DC or at Fs/2 (edges in reference
// spacings 1 / taps from the end), weights 1e4 apart, through the automatic choice.
struct SEndBandCase {
    const char* name;
    int jtype;
    int taps;
    bool nyquist; // stopband at Fs/2 rather than at DC
};

constexpr SEndBandCase kEndBandCases[] = {
    {"hilbert dc", 3, 2001, false},
    {"hilbert dc", 3, 8000, false},
    {"hilbert nyquist", 3, 2000, true},
    {"hilbert nyquist", 3, 8001, true},
    {"differentiator dc", 2, 2001, false},
    {"differentiator dc", 2, 8000, false},
    {"differentiator nyquist", 2, 2000, true},
    {"differentiator nyquist", 2, 8001, true},
};

void BM_RemezLongEndBand(benchmark::State& state) {
    const SEndBandCase& c = kEndBandCases[state.range(0)];
    const double s = 1.0 / c.taps;
    const bool hilbert = c.jtype == 3;
    // Passband weight 1 for a differentiator (relative error), 0.01 for a Hilbert transformer.
    const double pass = hilbert ? 0.01 : 1.0;
    const double stop = pass * 1e4;
    SRemezSpec spec;
    if (c.nyquist)
        spec.bands = {{hilbert ? 5 * s : 0.0, 0.5 - 8 * s, 1.0, pass},
                      {0.5 - 5 * s, 0.5, 0.0, stop}};
    else
        spec.bands = {{0.0, 3 * s, 0.0, stop},
                      {6 * s, c.taps % 2 == 1 ? 0.5 - 5 * s : 0.5, 1.0, pass}};
    spec.responseType = c.jtype;
    spec.taps = c.taps;
    spec.engine = ERemezEngine::Auto;
    CRemezContext context;
    SRemezResult result;
    for (auto _ : state) {
        result = context.Design(spec);
        benchmark::DoNotOptimize(result.taps.data());
        if (!result.Succeeded()) {
            state.SkipWithError("design failed");
            break;
        }
    }
    state.SetLabel(std::string(c.name) + " " + std::to_string(c.taps) + " taps, " +
                   std::string(EngineName(result.usedEngine)) + std::to_string(result.passes) +
                   " passes");
}

// How long a 16001-tap design takes to stop after its cancel request, the request made at
// several moments of the run (the longest and the mean wait are the counters). The first design
// of the process also builds the transform plans that later designs take from the cache: its
// wait is first_ms (this benchmark runs first, so that it is a process's first design).
void BM_RemezLongCancel(benchmark::State& state) {
    const SRemezSpec spec = LowpassSpec(16001, kEngines[state.range(0)]);
    double longest = 0.0;
    double total = 0.0;
    double first = -1.0;
    int runs = 0;
    for (auto _ : state) {
        for (const int afterMs : {20, 90, 170, 260, 410, 630, 880}) {
            std::atomic<int> cancel{0};
            std::thread design([&] {
                CRemezContext context;
                benchmark::DoNotOptimize(context.Design(spec, {nullptr, &cancel}));
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
            const auto asked = std::chrono::steady_clock::now();
            cancel.store(1);
            design.join();
            const double waited =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked)
                    .count();
            longest = std::max(longest, waited);
            first = first < 0.0 ? waited : first;
            total += waited;
            ++runs;
        }
    }
    state.counters["longest_ms"] = longest;
    state.counters["mean_ms"] = total / runs;
    state.counters["first_ms"] = first;
    state.SetLabel(EngineName(spec.engine));
}

} // namespace

BENCHMARK(BM_RemezLongCancel)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_RemezLongEndBand)->DenseRange(0, 7)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_RemezLongLowpass)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
