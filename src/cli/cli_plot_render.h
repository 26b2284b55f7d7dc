#pragma once

#include <memory>
#include <string>

class CFirData;
class CHost;
struct SViewSettings;
class CPlot;
class CTextMeasurer;

// Plot pictures for the command line. Without Qt in the build only the plot file text is
// available: HasPlotPictures is false and the others refuse.

bool HasPlotPictures();
// Begins making the pictures ready (loading the toolkit) on a thread of its own, so that work
// done before the first picture overlaps it; the functions here wait for it. Nothing where the
// pictures are linked in.
void StartLoadingPlotPictures();
// Why no picture can be drawn, when HasPlotPictures is false.
std::string PlotPicturesUnavailable();
// The text measurer that the pictures are drawn with (a fixed-width estimate without Qt).
std::unique_ptr<CTextMeasurer> MakePlotMeasurer();
// Draws plot at width x height device units into path: ".png", ".bmp", ".svg" or ".pdf".
// False with the reason in error.
bool WritePlotPicture(CPlot& plot, int width, int height, const std::string& path,
                      std::string& error);
// The pictures a report names, beside it: the design summary, the frequency response and the
// impulse response (drawn with the project's view settings), each in a grey frame. Failures are
// reported through the host.
bool WriteReportPictures(const CFirData& filter, const SViewSettings& settings,
                         const std::string& reportPath, CHost& host);
