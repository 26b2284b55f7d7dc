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
// reported through the host. Where no picture can be drawn, the host is warned that the report
// has none and why, and the report stands without them (true).
bool WriteReportPictures(const CFirData& filter, const SViewSettings& settings,
                         const std::string& reportPath, CHost& host);

// The warning of a report written where its pictures cannot be drawn; why says what is missing.
std::string ReportWithoutPicturesWarning(const std::string& reportPath, const std::string& why);
