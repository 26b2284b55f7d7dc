#pragma once

#include "cli_args.h"

#include "plot/fir_plot_request.h"

#include <iosfwd>
#include <optional>
#include <string>

class CFirData;
class CFirProject;
class CHost;

extern const char* const kPlotUsage;
// The --compare words for the state before the last change and for the coefficients before
// their quantization.
inline constexpr const char* kComparePrevious = "previous";
inline constexpr const char* kCompareUnquantized = "unquantized";
// The reason a filter has no unquantized coefficients to compare with.
extern const char* const kMsgNoUnquantized;

// A plot the command line draws: what it shows, the picture's size, the titles of a plot file,
// the filter to compare with (a project file or a word) and the output file.
struct SPlotJob {
    SFirPlotRequest request;
    int width = 800, height = 600;
    bool titles = false;
    std::optional<std::string> compare;
    bool difference = false;
    std::string output, ext;
};
// Reads the plot options (all but the project); false with the reason in args.
bool ParsePlotJob(CCliArgs& args, SPlotJob& job);

// The filter drawn over a plot's own and the names of both (other nullptr: none).
struct SPlotCompare {
    const CFirData* other = nullptr;
    std::string ownName, otherName;
};
// Draws the project's filter as job asks, with the project's view settings, writing its output;
// the exit status. A view that does not fit the filter leaves its reason in refusal
// (kExitUsage); other failures are reported through host.
int DrawPlot(const CFirProject& project, const SPlotCompare& compare, const SPlotJob& job,
             CHost& host, std::string& refusal);

// corvifir-cli plot PROJECT --view VIEW ... -o FILE: a plot of the project's filter as a
// picture (.png, .bmp, .svg, .pdf) or as the plot file text of the points drawn (.plt).
int RunPlotCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
