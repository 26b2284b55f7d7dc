// Undo points of a project document: CheckPoint, Undo and Redo of a 16384-tap complex project.
#include "doc/fir_doc.h"
#include "dsp/signal_ops.h"
#include "support/scripted_host.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kTaps = 16384;

// A complex project of kTaps taps with a computed frequency response, and a full history.
void FillProject(CFirDoc& doc) {
    CFirData& f = doc.Filter();
    f.SetDesignType(kDesignImport);
    Fill(f, kTaps, true, true, 0.0);
    for (int i = 0; i < kTaps; ++i) {
        (*f.m_pI)[i] = std::sin(0.001 * i);
        (*f.m_pQ)[i] = std::cos(0.003 * i);
    }
    f.m_bReal = 0;
    for (int i = 0; i <= CFirDoc::kMaxUndoDepth; ++i)
        doc.CheckPoint();
}

void BM_CheckPoint(benchmark::State& state) {
    CScriptedHost host;
    CFirDoc doc(host);
    FillProject(doc);
    for (auto _ : state)
        doc.CheckPoint();
}
BENCHMARK(BM_CheckPoint)->Unit(benchmark::kMillisecond);

void BM_Undo(benchmark::State& state) {
    CScriptedHost host;
    CFirDoc doc(host);
    FillProject(doc);
    for (auto _ : state) {
        if (!doc.CanUndo()) {
            state.PauseTiming();
            while (doc.CanRedo())
                doc.OnRedo();
            state.ResumeTiming();
        }
        doc.OnUndo();
    }
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);

void BM_Redo(benchmark::State& state) {
    CScriptedHost host;
    CFirDoc doc(host);
    FillProject(doc);
    for (auto _ : state) {
        if (!doc.CanRedo()) {
            state.PauseTiming();
            while (doc.CanUndo())
                doc.OnUndo();
            state.ResumeTiming();
        }
        doc.OnRedo();
    }
}
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
