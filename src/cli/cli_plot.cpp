#include "cli_plot.h"

#include "cli.h"
#include "cli_design_common.h"
#include "cli_host.h"
#include "cli_plot_render.h"
#include "doc/project_file.h"
#include "io/io_messages.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_plot_request.h"
#include "plot/fir_time_plot_model.h"
#include "plot/graph.h"
#include "plot/plot_messages.h"
#include "plot/pole_zero_plot_model.h"
#include "response/response_types.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/paths.h"

#include <algorithm>
#include <vector>

const char* const kPlotUsage =
    "  plot PROJECT --view magnitude|phase|unwrapped-phase|phase-delay|group-delay|\n"
    "                      impulse|step|impulse-step|pole-zero\n"
    "       [--channel inphase|quadrature|both|complex] [--linear] [--x-range A B]\n"
    "       [--y-range A B] [--style auto|line|dot|line-dot|bar|stem|vline|stair]\n"
    "       [--size WxH] [--titles] [--compare OTHER.cfp [--difference]] -o FILE\n"
    "      Draws a response of the project's filter as the desktop program's views do.\n"
    "      FILE's extension chooses the output: .png, .bmp, .svg, .pdf, or .plt for the\n"
    "      plot file text of the points drawn at that size (--titles adds the main, Y and X\n"
    "      titles first). Frequencies are in the project's unit, times in its time unit.\n"
    "      --channel defaults to inphase for a real filter, complex (both for time views)\n"
    "      otherwise; --linear shows magnitudes as gains; --size defaults to 800x600.\n"
    "      pole-zero draws the zeros of the transfer function (all of the filter; no\n"
    "      --channel) with the unit circle and the poles at the origin; its .plt has one\n"
    "      zero per line, the real and imaginary parts.\n"
    "      --compare draws another project's filter over this one in a frequency or time\n"
    "      view, as its own view draws it (a time view at the other's own sample times),\n"
    "      with a legend naming both; in .plt its points follow a line '# compare NAME'.\n"
    "      --difference plots this magnitude minus the other's in dB.\n"
    "      --compare unquantized draws the coefficients the project had before it was\n"
    "      quantized (Quantize or the design options' quantization), which the project file\n"
    "      keeps until the coefficients change otherwise. --compare previous draws the state\n"
    "      before the last change: in a plot step of run the state Undo would restore (run\n"
    "      lp.cfp \"quantize inphase\" \"plot --view magnitude --compare previous -o q.png\");\n"
    "      for a project file, which keeps no undo states, its unquantized coefficients.\n";

const char* const kMsgNoUnquantized =
    "The project keeps no unquantized coefficients: it was not quantized, or its coefficients "
    "changed after the quantization.";

namespace {

constexpr const char* kCommand = "plot";
constexpr const char* kMsgNoPreviousInFile =
    "a project file keeps no previous state but the coefficients before a quantization, and "
    "this one keeps none: --compare needs another project, or a plot step of run "
    "(corvifir-cli run PROJECT \"plot ... --compare previous\")";
constexpr const char* kExtensions[] = {".png", ".bmp", ".svg", ".pdf", ".plt"};

std::string Extension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

std::optional<std::pair<double, double>> Range(CCliArgs& args, const std::string& name) {
    const auto values = args.Repeated(name, 2);
    if (values.empty())
        return std::nullopt;
    const auto a = ParseWholeNumber(values.back()[0]), b = ParseWholeNumber(values.back()[1]);
    if (!a || !b || !(*b > *a)) {
        args.Fail("option '" + name + "' takes two numbers A < B");
        return std::nullopt;
    }
    return std::make_pair(*a, *b);
}

bool ParseSize(const std::string& text, int& w, int& h) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    const auto a = ParseWholeNumber(text.substr(0, x)), b = ParseWholeNumber(text.substr(x + 1));
    if (!a || !b || *a < 50 || *b < 40 || *a > 20000 || *b > 20000)
        return false;
    w = static_cast<int>(*a);
    h = static_cast<int>(*b);
    return true;
}

bool WritePlotText(const CGraph& plot, bool titles, const std::string& path, CHost& host) {
    return WriteFileReported(path, plot.GetPlotFileText(titles), host);
}

} // namespace

std::string ReportWithoutPicturesWarning(const std::string& reportPath, const std::string& why) {
    return "the report " + reportPath + " has no pictures: " + why;
}

bool ParsePlotJob(CCliArgs& args, SPlotJob& job) {
    std::vector<std::string> viewWords;
    for (const SFirPlotView& v : FirPlotViews())
        viewWords.push_back(v.word);
    SFirPlotRequest& request = job.request;
    const auto view = ParseChoice(args, "--view", viewWords, -1);
    const auto channel = ParseChoice(args, "--channel", FirPlotChannelWords(), -1);
    const auto style = ParseChoice(args, "--style", FirPlotStyleWords(), 0);
    request.bLinear = args.Flag("--linear");
    request.xRange = Range(args, "--x-range");
    request.yRange = Range(args, "--y-range");
    const auto size = args.Value("--size");
    job.titles = args.Flag("--titles");
    job.compare = args.Value("--compare");
    job.difference = args.Flag("--difference");
    const auto output = args.Value("--output", "-o");
    if (!args.Ok())
        return false;
    const std::string ext = output ? Extension(*output) : std::string();
    if (!view || *view < 0)
        args.Fail("plot needs --view VIEW");
    else if (!output || output->empty())
        args.Fail("plot needs -o FILE");
    else if (std::find(std::begin(kExtensions), std::end(kExtensions), ext) ==
             std::end(kExtensions))
        args.Fail("the output file must end in .png, .bmp, .svg, .pdf or .plt");
    else if (size && !ParseSize(*size, job.width, job.height))
        args.Fail("option '--size' takes WxH, from 50x40 to 20000x20000");
    else if (ext != ".plt" && !HasPlotPictures())
        args.Fail(PlotPicturesUnavailable());
    else if (job.compare && FirPlotViews()[static_cast<size_t>(*view)].nKindOrMode == kPoleZeroView)
        args.Fail("--compare needs a frequency or time view (not pole-zero)");
    else if (job.difference && !job.compare)
        args.Fail("--difference needs --compare");
    else if (job.difference &&
             (FirPlotViews()[static_cast<size_t>(*view)].nKindOrMode != kResponseMagnitude ||
              request.bLinear))
        args.Fail("--difference needs the magnitude view in dB");
    if (!args.Ok())
        return false;
    request.nView = *view;
    request.nChannel = channel.value_or(-1);
    request.nStyle = style.value_or(0);
    job.output = *output;
    job.ext = ext;
    return true;
}

int DrawPlot(const CFirProject& project, const SPlotCompare& compare, const SPlotJob& job,
             CHost& host, std::string& refusal) {
    SFirPlotRequest request = job.request;
    request.viewSettings = project.m_View;
    std::unique_ptr<CGraph> plot = MakeFirPlot(project.m_Filter, request, &host, refusal);
    if (!plot)
        return kExitUsage;
    if (compare.other) {
        if (auto* freq = dynamic_cast<CFirFreqPlotModel*>(plot.get())) {
            freq->SetCompare(compare.other, compare.ownName, compare.otherName);
            freq->SetDifference(job.difference);
        } else if (auto* time = dynamic_cast<CFirTimePlotModel*>(plot.get())) {
            time->SetCompare(compare.other, compare.ownName, compare.otherName);
        }
    }
    if (!plot->HasData()) {
        host.Error("The filter has no coefficients to plot.");
        return kExitFailed;
    }
    // A first layout fits the axes to the data; the ranges asked for then zoom into it.
    const std::unique_ptr<CTextMeasurer> measurer = MakePlotMeasurer();
    const SDeviceRect area{0, 0, job.width, job.height};
    plot->Prepare(*measurer, area);
    if (!ApplyFirPlotRanges(*plot, job.request))
        return kExitUsage;
    // A plot that cannot show its data (zeros that cannot be trusted) writes nothing.
    if (const std::string why = plot->PlotMessage(); !why.empty()) {
        host.Error(why);
        return kExitFailed;
    }
    if (job.ext == ".plt") {
        plot->Prepare(*measurer, area);
        return WritePlotText(*plot, job.titles, job.output, host) ? kExitOk : kExitFailed;
    }
    std::string error;
    if (!WritePlotPicture(*plot, job.width, job.height, job.output, error)) {
        host.Error(error);
        return kExitFailed;
    }
    return kExitOk;
}

int RunPlotCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    (void)out;
    SPlotJob job;
    const bool parsed = ParsePlotJob(args, job);
    const std::vector<std::string> positionals = args.Positionals();
    if (parsed && positionals.size() != 1)
        args.Fail("plot needs one project file");
    args.Finish();
    if (!args.Ok())
        return UsageError(kCommand, args.Error(), err);

    CCliHost host(err);
    CFirProject project(&host);
    if (LoadProject(positionals[0], project, host) != ELoadResult::Ok)
        return kExitFailed;
    CFirProject other(&host);
    SPlotCompare compare{nullptr, NameWithoutExtension(positionals[0]), std::string()};
    const bool previous = job.compare && *job.compare == kComparePrevious;
    if (previous || (job.compare && *job.compare == kCompareUnquantized)) {
        // The file's only earlier state is the one before its quantization.
        if (!project.m_Filter.HasUnquantized())
            return UsageError(
                kCommand, previous ? std::string(kMsgNoPreviousInFile) : kMsgNoUnquantized, err);
        other.m_Filter = project.m_Filter.UnquantizedFilter();
        compare.otherName = PlotMenus::kCompareUnquantized;
    } else if (job.compare) {
        if (LoadProject(*job.compare, other, host) != ELoadResult::Ok)
            return kExitFailed;
        compare.otherName = NameWithoutExtension(*job.compare);
    }
    if (job.compare)
        compare.other = &other.m_Filter;
    std::string refusal;
    const int status = DrawPlot(project, compare, job, host, refusal);
    return refusal.empty() ? status : UsageError(kCommand, refusal, err);
}
