// Plot speed: the magnitude view of a long filter drawn 2048 device units wide (with its
// per-column response), a redraw from the computed points, and a long signal reduced to one
// point per column.
#include "data/corvi_data.h"
#include "design/fir_data.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/graph.h"
#include "render/plot_painter.h"
#include "response/response_types.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kTaps = 16384;

// A windowed-sinc lowpass of kTaps taps at 48 kHz.
void MakeLongFilter(CFirData& f) {
    f.RemoveAll();
    const double fc = 0.1;
    for (int n = 0; n < kTaps; ++n) {
        const double m = n - (kTaps - 1) / 2.0;
        const double sinc = m == 0 ? 2 * fc : std::sin(2 * M_PI * fc * m) / (M_PI * m);
        const double w = 0.54 - 0.46 * std::cos(2 * M_PI * n / (kTaps - 1));
        f.m_pI->Add(sinc * w);
        f.m_pQ->Add(0.0);
    }
    f.m_bTime = 1;
    f.m_bReal = 1;
    f.ApplyFs(CFs(48000, 0));
    f.ResetRange();
}

// An image whose plot rectangle is 2048 device units wide.
QImage PlotImage(CPlot& plot) {
    int width = 2300;
    for (int i = 0; i < 4; ++i) {
        QImage probe(width, 1000, QImage::Format_RGB32);
        QPainter p(&probe);
        plot.Refresh();
        CPlotPainter(plot).Draw(p, probe.rect());
        const CPlotLayout& l = plot.Layout();
        width += 2048 - (l.m_plot.right - l.m_plot.left);
    }
    QImage image(width, 1000, QImage::Format_RGB32);
    return image;
}

void BM_DrawMagnitudeWithResponse(benchmark::State& state) {
    CFirData filter;
    MakeLongFilter(filter);
    CFirFreqPlotModel plot;
    plot.Bind(filter, kResponseMagnitude, kChannelInphase);
    QImage image = PlotImage(plot);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        plot.Refresh(); // the filter changed: the points are computed again
        CPlotPainter(plot).Draw(painter, image.rect());
    }
    state.counters["columns"] = static_cast<double>(plot.XColumn().size());
}
BENCHMARK(BM_DrawMagnitudeWithResponse)->Unit(benchmark::kMillisecond);

void BM_RedrawFromPoints(benchmark::State& state) {
    CFirData filter;
    MakeLongFilter(filter);
    CFirFreqPlotModel plot;
    plot.Bind(filter, kResponseMagnitude, kChannelInphase);
    QImage image = PlotImage(plot);
    {
        QPainter painter(&image);
        CPlotPainter(plot).Draw(painter, image.rect());
    }
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CPlotPainter(plot).Paint(painter);
    }
    state.counters["columns"] = static_cast<double>(plot.XColumn().size());
}
BENCHMARK(BM_RedrawFromPoints)->Unit(benchmark::kMillisecond);

void BM_Reduce1e7To2000(benchmark::State& state) {
    CCorviData signal;
    const int n = 10000000;
    signal.m_pI->SetSize(n);
    signal.m_pQ->SetSize(n);
    for (int i = 0; i < n; ++i) {
        (*signal.m_pI)[i] = std::sin(i * 1e-3) + ((static_cast<long long>(i) * 7919) % 1000) * 1e-4;
        (*signal.m_pQ)[i] = 0.0;
    }
    signal.m_bTime = 1;
    signal.ApplyFs(CFs(1, 2));
    signal.ResetRange();
    CGraph graph;
    graph.AttachSignal(&signal);
    graph.m_nType = kGraphInphase;
    graph.AutoScale();
    for (auto _ : state) {
        int width = 2000;
        graph.BuildPoints(width);
        benchmark::DoNotOptimize(graph.Curves());
    }
    state.counters["points"] = static_cast<double>(graph.XColumn().size());
}
BENCHMARK(BM_Reduce1e7To2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
