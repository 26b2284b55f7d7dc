#include "cli_plot_render.h"

#include "plot/plot.h"

namespace {
constexpr const char* kNoPictures = "This build draws no pictures (it was built without Qt).";

// Glyphs 0.6 of the font height wide, lines 1.2 high.
class CEstimatedMeasurer : public CTextMeasurer {
public:
    double TextWidth(const std::string& text, double h) const override {
        return 0.6 * h * static_cast<double>(text.size());
    }
    double LineHeight(double h) const override { return 1.2 * h; }
};
} // namespace

bool HasPlotPictures() {
    return false;
}

std::unique_ptr<CTextMeasurer> MakePlotMeasurer() {
    return std::make_unique<CEstimatedMeasurer>();
}

bool WritePlotPicture(CPlot&, int, int, const std::string&, std::string& error) {
    error = kNoPictures;
    return false;
}

bool WriteReportPictures(const CFirData&, const std::string&, CHost&) {
    return true;
}
