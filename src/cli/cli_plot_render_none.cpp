#include "cli_plot_render.h"

#include "plot/plot.h"
#include "support/host.h"

namespace {
constexpr const char* kNoPictures = "This build draws no pictures (it was built without Qt).";

} // namespace

bool HasPlotPictures() {
    return false;
}

std::string PlotPicturesUnavailable() {
    return "this build writes plot files (.plt) only";
}

std::unique_ptr<CTextMeasurer> MakePlotMeasurer() {
    return std::make_unique<CEstimatedTextMeasurer>();
}

bool WritePlotPicture(CPlot&, int, int, const std::string&, std::string& error) {
    error = kNoPictures;
    return false;
}

bool WriteReportPictures(const CFirData&, const SViewSettings&, const std::string& reportPath,
                         CHost& host) {
    host.Warning(ReportWithoutPicturesWarning(reportPath, "this build draws no pictures"));
    return true;
}
