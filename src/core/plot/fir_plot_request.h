#pragma once

#include "support/view_settings.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CFirData;
class CGraph;
class CHost;

// One view a filter can be plotted in: its command-line word, whether it is a frequency view,
// and its response kind (EResponseKind), time mode (EFirTimeMode) or kPoleZeroView.
struct SFirPlotView {
    const char* word;
    bool bFrequency;
    int nKindOrMode;
};
const std::vector<SFirPlotView>& FirPlotViews();
// Command-line words of the channels (inphase, quadrature, both, complex) and of the styles
// (auto, line, ... in the order of the style codes).
const std::vector<std::string>& FirPlotChannelWords();
const std::vector<std::string>& FirPlotStyleWords();

// What a plot of a filter shows, as the command line asks for it.
struct SFirPlotRequest {
    int nView = 0;     // index into FirPlotViews()
    int nChannel = -1; // index into FirPlotChannelWords(); -1 by the filter's real flag
    bool bLinear = false;
    int nStyle = 0;
    std::optional<std::pair<double, double>> xRange; // unit of Fs (time unit for time views)
    std::optional<std::pair<double, double>> yRange;
    SViewSettings viewSettings; // the project's settings of its views
};

// A plot of filter bound as the request asks (the filter must outlive it). Empty, with the
// reason in error, when the filter is real and another channel than inphase is asked for.
std::unique_ptr<CGraph> MakeFirPlot(const CFirData& filter, const SFirPlotRequest& request,
                                    CHost* pHost, std::string& error);
// Zooms a laid-out plot to the requested ranges; false (reported through the host) when a
// range cannot be shown.
bool ApplyFirPlotRanges(CGraph& plot, const SFirPlotRequest& request);
