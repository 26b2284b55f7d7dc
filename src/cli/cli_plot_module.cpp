#include "cli_plot_module.h"

#include "cli_plot_render.h"

#include "plot/plot.h"

extern "C" __attribute__((visibility("default"))) const SPlotPictureFunctions*
CorviFirPlotPictures() {
    static const SPlotPictureFunctions functions = {kPlotPicturesVersion, &MakePlotMeasurer,
                                                    &WritePlotPicture, &WriteReportPictures};
    return &functions;
}
