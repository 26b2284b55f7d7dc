#include "plot/fir_plot_request.h"

#include "design/fir_data.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_time_plot_model.h"
#include "plot/pole_zero_plot_model.h"
#include "response/response_types.h"

namespace {
constexpr const char* kRealFilterChannel =
    "The filter is real: only its inphase channel can be plotted.";
} // namespace

const std::vector<SFirPlotView>& FirPlotViews() {
    static const std::vector<SFirPlotView> views = {
        {"magnitude", true, kResponseMagnitude},
        {"phase", true, kResponsePhase},
        {"unwrapped-phase", true, kResponseUnwrappedPhase},
        {"phase-delay", true, kResponsePhaseDelay},
        {"group-delay", true, kResponseGroupDelay},
        {"impulse", false, kTimeImpulse},
        {"step", false, kTimeStep},
        {"impulse-step", false, kTimeImpulseAndStep},
        {"pole-zero", false, kPoleZeroView},
    };
    return views;
}

const std::vector<std::string>& FirPlotChannelWords() {
    static const std::vector<std::string> words = {"inphase", "quadrature", "both", "complex"};
    return words;
}

const std::vector<std::string>& FirPlotStyleWords() {
    static const std::vector<std::string> words = {"auto", "line", "dot",   "line-dot",
                                                   "bar",  "stem", "vline", "stair"};
    return words;
}

std::unique_ptr<CGraph> MakeFirPlot(const CFirData& filter, const SFirPlotRequest& request,
                                    CHost* pHost, std::string& error) {
    const SFirPlotView& view = FirPlotViews().at(static_cast<size_t>(request.nView));
    if (view.nKindOrMode == kPoleZeroView) {
        // The zeros are those of the whole (complex) filter: there is no channel to choose.
        auto zeros = std::make_unique<CPoleZeroPlotModel>(pHost);
        zeros->Bind(filter);
        return zeros;
    }
    int channel = request.nChannel;
    if (channel < 0)
        channel = filter.IsReal() ? 0 : (view.bFrequency ? 3 : 2);
    if (channel > 0 && filter.IsReal()) {
        error = kRealFilterChannel;
        return nullptr;
    }
    std::unique_ptr<CGraph> plot;
    if (view.bFrequency) {
        auto freq = std::make_unique<CFirFreqPlotModel>(pHost);
        freq->Bind(filter, view.nKindOrMode, channel + 1);
        freq->SetCurveColor(request.viewSettings.m_nCurveColor);
        plot = std::move(freq);
    } else {
        auto time = std::make_unique<CFirTimePlotModel>(pHost);
        // inphase, quadrature, both, complex: the amplitude types and the complex magnitude.
        time->Bind(filter, view.nKindOrMode, channel, request.nStyle);
        plot = std::move(time);
    }
    plot->m_bDb = request.bLinear ? 0 : 1;
    plot->m_nStyle = request.nStyle;
    return plot;
}

bool ApplyFirPlotRanges(CGraph& plot, const SFirPlotRequest& request) {
    if (!request.xRange && !request.yRange)
        return true;
    // One zoom for both ranges: a zoom of X alone refits Y, which would undo a Y zoom before it
    // and outlive one after it only until the next layout.
    const std::pair<double, double> x = request.xRange.value_or(std::pair{0.0, 0.0});
    const std::pair<double, double> y = request.yRange.value_or(std::pair{0.0, 0.0});
    return plot.ZoomTo(request.xRange.has_value(), request.yRange.has_value(), true, x.first,
                       x.second, y.first, y.second);
}
