#pragma once

#include <memory>
#include <string>

class CFirData;
class CHost;
class CPlot;
class CTextMeasurer;

// The picture functions of cli_plot_render.h as the loadable module of the command line hands
// them over. The program itself links no toolkit: it loads the module only when a command draws,
// so commands that draw nothing start without loading or initialising Qt.
struct SPlotPictureFunctions {
    int version;
    std::unique_ptr<CTextMeasurer> (*makeMeasurer)();
    bool (*writePlot)(CPlot& plot, int width, int height, const std::string& path,
                      std::string& error);
    bool (*writeReport)(const CFirData& filter, const std::string& reportPath, CHost& host);
};

// Raised whenever SPlotPictureFunctions or the types it passes change shape.
constexpr int kPlotPicturesVersion = 1;
// The module's one exported function: extern "C" const SPlotPictureFunctions* NAME().
constexpr const char* kPlotPicturesEntry = "CorviFirPlotPictures";
