#include "cli_design_methods.h"

#include "cli_design_common.h"

#include "cli.h"
#include "cli_design.h"
#include "cli_host.h"
#include "cli_project.h"
#include "design/coefficient_messages.h"
#include "design/constraint_rules.h"
#include "design/design_flow.h"
#include "design/design_messages.h"
#include "design/design_summary.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/maxflat.h"
#include "design/method_messages.h"
#include "design/optimizer.h"
#include "design/windowed_sinc.h"
#include "forms/lth_form_fields.h"
#include "support/format_number.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

const char* const kMethodDesignUsage =
    "  design windowed-sinc --fs F --type lowpass|highpass|bandpass|bandstop --corner1 X\n"
    "         [--corner2 Y] --taps N [--window W] [--param P] [--spline ORDER|auto]\n"
    "         [method options]\n"
    "      Truncated ideal response with corner X (and Y for bandpass and bandstop), times\n"
    "      the window W: none (default), dolph-chebyshev (P: sidelobe level in dB, default\n"
    "      40), kaiser-bessel (P: alpha, default 2.5), blackman-harris-4, blackman-harris-7,\n"
    "      hanning, gaussian, hamming. With --spline, a lowpass or highpass with no window\n"
    "      whose transition band X..Y is shaped by a spline of that order.\n"
    "  design raised-cosine --fs F --rolloff B (--sps S | --symbol-rate R)\n"
    "         (--taps N | --symbols K) [--root] [--zero-pad-to M] [method options]\n"
    "      Raised-cosine (or root-raised-cosine) pulse of N taps or K symbols, rolloff B,\n"
    "      S samples per symbol or R symbols per unit of F, zero-padded to M taps.\n"
    "  design lth-band --fs F --l L --cutoff C [--taps N] [--method pm|windowed-sinc|\n"
    "         spline-sinc] [--atten DB | --ripple DB] [--linear] [--zeroize] [--grid G]\n"
    "         [--engine auto|classic|robust]\n"
    "         [--window W --param P] [--order P | --auto-order] [--optimize]\n"
    "         [--if-even add|keep|cancel] [method options]\n"
    "      Lth-band (Nyquist) filter for a rate change by L with its transition band from C\n"
    "      to F/L - C. Parks-McClellan (default) with the stopband attenuation (default 60\n"
    "      dB) or the passband ripple, as a factor 1/delta with --linear; --zeroize forces\n"
    "      the zeros of every L-th tap; --optimize searches for the fewest taps; without\n"
    "      --taps the count is estimated. Windowed sinc with the window W (default\n"
    "      dolph-chebyshev), spline sinc of order P (default automatic). An even count\n"
    "      gets one tap more, or is kept or cancels the design (--if-even).\n"
    "  design maxflat --fs F --center C (--taps N | --gamma G) [method options]\n"
    "      Maximally flat lowpass with its transition band centred on C, G wide, or as\n"
    "      wide as N taps allow (N odd, 3 to 1299: G = sqrt(1/(2(N-1))) of F). The taps\n"
    "      are as many as the flatness orders for C and G need: N-4 to N+6 for --taps N.\n"
    "  design cic --stages N --rate R --delay M [--fs F] [--no-unity-gain]\n"
    "      Cascaded integrator-comb response: N boxcars of R*M ones convolved, scaled to\n"
    "      unit gain at DC unless --no-unity-gain.\n"
    "    Method options:\n"
    "      --min-phase [--max-db-error E]   convert to minimum phase (accepted when its\n"
    "                        magnitude differs by at most E dB, default 0.05)\n"
    "      --no-unity-gain   keep the gain the method gives (windowed sinc, CIC)\n"
    "      --min-taps N, --max-taps N, --parity P (--odd | --even), --multiple K,\n"
    "      -o FILE, -p FILE,\n"
    "      --if-even-at-nyquist, --if-unconstrained, --quantize BITS [--quant-algorithm A]\n"
    "                        as for the Parks-McClellan designs\n"
    "    Frequencies in the unit of F. Coefficients and summary as above.\n";

namespace {

void WriteSummary(CFirData& f, std::ostream& err) {
    std::string text;
    std::string method;
    GetDesignSummary(f, text, method);
    err << "method: " << DesignTypeName(f.m_nDesignType) << " (" << method << ")\n";
    err << "taps: " << f.GetN() << "\n";
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            err << line << "\n";
    if (f.m_MinPhase.m_bEnabled)
        err << "minimum phase: " << (f.m_bMinPhaseDone ? "yes" : "no") << "\n";
    WriteQuantization(f, err);
    WriteBandResults(f, err);
}

// Every option of every method, read at once so that a misplaced one is reported.
struct SMethodOptions {
    std::string method;
    std::optional<double> fs, corner1, corner2, param, rolloff, sps, symbolRate, symbols, cutoff,
        atten, ripple, center, gamma;
    std::optional<int> type, window, taps, zeroPadTo, l, lthMethod, grid, order, stages, rate,
        delay;
    std::optional<std::string> spline;
    bool root = false, linear = false, zeroize = false, autoOrder = false;
    SDesignOptionArgs common;
};

void ReadOptions(CCliArgs& args, SMethodOptions& o) {
    o.fs = args.Number("--fs");
    o.type = ParseChoice(args, "--type", {"lowpass", "highpass", "bandpass", "bandstop"}, -1);
    o.corner1 = args.Number("--corner1");
    o.corner2 = args.Number("--corner2");
    o.taps = SmallInteger(args, "--taps");
    o.window = ParseChoice(args, "--window", WindowWords(), -1);
    o.param = args.Number("--param");
    o.spline = args.Value("--spline");
    o.rolloff = args.Number("--rolloff");
    o.sps = args.Number("--sps");
    o.symbolRate = args.Number("--symbol-rate");
    o.symbols = args.Number("--symbols");
    o.root = args.Flag("--root");
    o.zeroPadTo = SmallInteger(args, "--zero-pad-to");
    o.l = SmallInteger(args, "--l");
    o.cutoff = args.Number("--cutoff");
    o.lthMethod = ParseChoice(args, "--method", LthMethodWords(), -1);
    o.atten = args.Number("--atten");
    o.ripple = args.Number("--ripple");
    o.linear = args.Flag("--linear");
    o.zeroize = args.Flag("--zeroize");
    o.grid = SmallInteger(args, "--grid");
    o.order = SmallInteger(args, "--order");
    o.autoOrder = args.Flag("--auto-order");
    o.center = args.Number("--center");
    o.gamma = args.Number("--gamma");
    o.stages = SmallInteger(args, "--stages");
    o.rate = SmallInteger(args, "--rate");
    o.delay = SmallInteger(args, "--delay");
    o.common = ReadDesignOptionArgs(args);
}

struct SGiven {
    const char* name;
    bool given;
};

// Whether each method option was given.
std::vector<SGiven> GivenOptions(const SMethodOptions& o) {
    return {
        {"--type", o.type && *o.type >= 0},
        {"--corner1", o.corner1.has_value()},
        {"--corner2", o.corner2.has_value()},
        {"--taps", o.taps.has_value()},
        {"--window", o.window && *o.window >= 0},
        {"--param", o.param.has_value()},
        {"--spline", o.spline.has_value()},
        {"--rolloff", o.rolloff.has_value()},
        {"--sps", o.sps.has_value()},
        {"--symbol-rate", o.symbolRate.has_value()},
        {"--symbols", o.symbols.has_value()},
        {"--root", o.root},
        {"--zero-pad-to", o.zeroPadTo.has_value()},
        {"--l", o.l.has_value()},
        {"--cutoff", o.cutoff.has_value()},
        {"--method", o.lthMethod && *o.lthMethod >= 0},
        {"--atten", o.atten.has_value()},
        {"--ripple", o.ripple.has_value()},
        {"--linear", o.linear},
        {"--zeroize", o.zeroize},
        {"--grid", o.grid.has_value()},
        {"--engine", o.common.engineGiven},
        {"--order", o.order.has_value()},
        {"--auto-order", o.autoOrder},
        {"--optimize", o.common.optimize},
        {"--center", o.center.has_value()},
        {"--gamma", o.gamma.has_value()},
        {"--stages", o.stages.has_value()},
        {"--rate", o.rate.has_value()},
        {"--delay", o.delay.has_value()},
    };
}

bool Given(const SMethodOptions& o, std::string_view name) {
    for (const SGiven& g : GivenOptions(o))
        if (name == g.name)
            return g.given;
    return false;
}

// The options a method accepts besides the common ones; anything else given is an error.
bool CheckMethodOptions(CCliArgs& args, const SMethodOptions& o) {
    const std::string& m = o.method;
    const std::vector<std::string> allowed =
        m == "windowed-sinc"
            ? std::vector<std::string>{"--type",   "--corner1", "--corner2", "--taps",
                                       "--window", "--param",   "--spline"}
        : m == "raised-cosine"
            ? std::vector<std::string>{"--rolloff", "--sps",  "--symbol-rate", "--taps",
                                       "--symbols", "--root", "--zero-pad-to"}
        : m == "lth-band"
            ? std::vector<std::string>{"--l",          "--cutoff",   "--taps",   "--method",
                                       "--atten",      "--ripple",   "--linear", "--zeroize",
                                       "--grid",       "--window",   "--param",  "--order",
                                       "--auto-order", "--optimize", "--engine"}
        : m == "maxflat" ? std::vector<std::string>{"--center", "--taps", "--gamma"}
                         : std::vector<std::string>{"--stages", "--rate", "--delay"};
    for (const SGiven& g : GivenOptions(o)) {
        if (g.given && std::find(allowed.begin(), allowed.end(), g.name) == allowed.end()) {
            args.Fail(std::string("option '") + g.name + "' does not belong to " + m);
            return false;
        }
    }
    return true;
}

// The window parameter: the sidelobe level of the Dolph-Chebyshev window, otherwise alpha.
void StoreWindowParam(const SMethodOptions& o, CFirData& f) {
    if (!o.param)
        return;
    if (f.m_Ws.m_nWindowType == 1)
        f.m_Ws.m_dChebyParam = *o.param;
    else
        f.m_Ws.m_dWindowParam = *o.param;
}

// Puts the method's parameters into the filter; false (a usage error) when a required one is
// missing or the method's own rules refuse them (those have said why).
bool StoreMethod(CCliArgs& args, const SMethodOptions& o, CFirData& f) {
    const std::string& m = o.method;
    if (m == "windowed-sinc") {
        if (!o.type || *o.type < 0 || !o.corner1 || !o.taps) {
            args.Fail("windowed-sinc needs --type, --corner1 and --taps");
            return false;
        }
        if ((*o.type >= 2 || o.spline) && !o.corner2) {
            args.Fail("bandpass, bandstop and --spline need --corner2");
            return false;
        }
        if (o.spline && *o.type >= 2) {
            args.Fail("--spline designs a lowpass or a highpass");
            return false;
        }
        if (o.spline && !(*o.corner2 > *o.corner1)) {
            args.Fail("--spline needs --corner2 above --corner1");
            return false;
        }
        f.SetDesignType(kDesignWinSinc);
        f.m_Ws.m_nFilterType = *o.type;
        f.m_Ws.m_dCorner1 = *o.corner1;
        f.m_Ws.m_dCorner2 = o.corner2.value_or(0.0);
        f.m_Ws.m_nWindowType = o.window && *o.window >= 0 ? *o.window : 0;
        f.m_bWindowAfterDesign = !o.spline && f.m_Ws.m_nWindowType != 0;
        StoreWindowParam(o, f);
        if (o.spline) {
            if (*o.spline == "auto") {
                f.m_Ws.m_bAutoOrder = 1;
            } else {
                const auto order = ParseWholeNumber(*o.spline);
                if (!order || *order != static_cast<int>(*order)) {
                    args.Fail("--spline takes an order or auto");
                    return false;
                }
                f.m_Ws.m_bAutoOrder = 0;
                f.m_Ws.m_nSplineOrder = static_cast<int>(*order);
            }
        }
        f.SetNumTaps(*o.taps);
    } else if (m == "raised-cosine") {
        if (!o.rolloff || o.sps.has_value() == o.symbolRate.has_value() ||
            o.taps.has_value() == o.symbols.has_value()) {
            args.Fail("raised-cosine needs --rolloff, one of --sps and --symbol-rate, and one of "
                      "--taps and --symbols");
            return false;
        }
        f.SetDesignType(kDesignRaisedCos);
        RaisedCosineParams& rc = f.m_Rc;
        rc.m_dRolloff = *o.rolloff;
        rc.m_bRateGiven = o.symbolRate ? 1 : 0;
        if (o.symbolRate)
            rc.m_dSymbolRate = *o.symbolRate;
        else
            rc.m_dSamplesPerSymbol = *o.sps;
        rc.m_bLengthInTaps = o.taps ? 1 : 0;
        if (o.taps)
            rc.m_nRcTaps = *o.taps;
        else
            rc.m_dSymbols = *o.symbols;
        rc.m_bRoot = o.root ? 1 : 0;
        rc.m_bZeroPad = o.zeroPadTo ? 1 : 0;
        if (o.zeroPadTo)
            rc.m_nZeroPadTaps = *o.zeroPadTo;
    } else if (m == "lth-band") {
        if (!o.l || !o.cutoff) {
            args.Fail("lth-band needs --l and --cutoff");
            return false;
        }
        const int method = o.lthMethod && *o.lthMethod >= 0 ? *o.lthMethod : 0;
        if (o.atten && o.ripple) {
            args.Fail("--atten and --ripple exclude each other");
            return false;
        }
        for (int other = 0; other < static_cast<int>(LthMethodWords().size()); ++other) {
            if (other == method)
                continue;
            for (const SLthField& field : LthFields()) {
                if (field.method == other && *field.option && Given(o, field.option)) {
                    args.Fail(LthOptionsBelongText(other));
                    return false;
                }
            }
        }
        if (method != LthBandParams::kMethodPm && !o.taps) {
            args.Fail("the windowed-sinc and spline-sinc methods need --taps");
            return false;
        }
        f.SetDesignType(kDesignLthBand);
        LthBandParams& lth = f.m_Lth;
        lth.m_nL = *o.l;
        lth.m_dCutoff = *o.cutoff;
        lth.m_nLthMethod = method;
        lth.m_bZeroize = o.zeroize ? 1 : 0;
        lth.m_bSpecifyAttn = o.ripple ? 0 : 1;
        if (o.ripple) {
            lth.m_dRipple = *o.ripple;
            lth.m_bRippleInDb = o.linear ? 0 : 1;
        } else {
            lth.m_dAttn = o.atten.value_or(60.0);
            lth.m_bAttnDb = o.linear ? 0 : 1;
        }
        f.m_Ws.m_nWindowType = o.window && *o.window >= 0 ? *o.window : 1;
        f.m_bWindowAfterDesign =
            method == LthBandParams::kMethodWindowedSinc && f.m_Ws.m_nWindowType != 0;
        StoreWindowParam(o, f);
        f.m_Ws.m_bAutoOrder = o.order ? 0 : 1;
        if (o.order)
            f.m_Ws.m_nSplineOrder = *o.order;
        f.m_nGridDensity = o.grid.value_or(16);
        f.SetNumTaps(o.taps.value_or(0));
    } else if (m == "maxflat") {
        if (!o.center || o.taps.has_value() == o.gamma.has_value()) {
            args.Fail("maxflat needs --center and one of --taps and --gamma");
            return false;
        }
        f.SetDesignType(kDesignMaxflat);
        const double fs = f.GetFs();
        if (!StoreMaxflatSpec(f, *o.center / fs, o.gamma.has_value(), o.gamma.value_or(0.0) / fs,
                              o.taps.value_or(0)))
            return false;
    } else {
        if (!o.stages || !o.rate || !o.delay) {
            args.Fail("cic needs --stages, --rate and --delay");
            return false;
        }
        f.SetDesignType(kDesignCic);
        f.m_Cic.m_nStages = *o.stages;
        f.m_Cic.m_nRate = *o.rate;
        f.m_Cic.m_nDelay = *o.delay;
    }
    return true;
}

} // namespace

const char* DesignCommandUsage() {
    static const std::string usage = std::string(kDesignUsage) + kMethodDesignUsage;
    return usage.c_str();
}

std::string MissingMethodText() {
    std::vector<std::string> names;
    for (const SDesignMethod& m : DesignMethods())
        if (*m.commandWord)
            names.emplace_back(m.commandWord);
    std::string text = "design needs one method: ";
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

bool IsMethodDesign(const std::vector<std::string>& args) {
    // The Parks-McClellan words belong to the band-list designs.
    for (const std::string& a : args)
        if (const SDesignMethod* m = FindDesignMethodByWord(a); m && m->kind != kKindParksMcClellan)
            return true;
    return false;
}

int RunMethodDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    CDesignCliHost host(err);
    SMethodOptions o;
    ReadOptions(args, o);
    host.ReadAnswerOptions(args);
    const std::vector<std::string> positionals = args.Positionals();
    if (args.Ok()) {
        if (positionals.size() != 1)
            args.Fail(MissingMethodText());
        else
            o.method = positionals[0];
    }
    if (args.Ok()) {
        if (o.method == "cic" && !o.fs)
            o.fs = 1.0;
        if (!o.fs || !(*o.fs > 0.0))
            args.Fail("design needs --fs with a positive sampling frequency");
        else if (o.spline && o.common.project)
            args.Fail("a --spline design cannot be saved as a project (no project method "
                      "holds it)");
        CheckDesignOptionArgs(args, o.common);
        if (args.Ok())
            CheckMethodOptions(args, o);
    }
    const SDesignOptionArgs& common = o.common;
    RefuseFileClash(args, {}, {common.output.value_or(""), common.project.value_or("")});
    args.Finish();
    CFirData filter(&host);
    filter.ApplyFs(CFs(o.fs.value_or(1.0), 0));
    if (args.Ok() && !StoreMethod(args, o, filter) && args.Ok())
        return kExitUsage; // the method's rules have said why
    if (!args.Ok()) {
        err << "corvifir-cli design: " << args.Error() << "\n"
            << "Try 'corvifir-cli design --help' for more information.\n";
        return kExitUsage;
    }

    if (!ApplyDesignOptionArgs(common, filter, host))
        return kExitUsage;

    const std::string caption = DesignTypeName(filter.m_nDesignType);
    SDesignFlowSteps steps;
    if (o.spline) {
        // No design type holds a spline design: it is checked and designed here.
        const SWindowedSincSpec spec = WindowedSincSpecOf(filter);
        if (ShowMethodMessage(filter, CornerProblem(spec.ws.m_dCorner2, 0.5, spec.fs)) ||
            ShowMethodMessage(filter, ValidateSplineSinc(spec)))
            return kExitUsage;
        steps.design = [&filter](CDesignControl& control) {
            ApplySplineSinc(filter);
            filter.FinishDesign(&control);
            return filter.HasCoefficients();
        };
    }
    const SDesignResult result = common.optimize ? RunOptimizeFlow(filter, host, caption, steps)
                                                 : RunDesignFlow(filter, host, caption, steps);
    if (const int status = FlowExitStatus(result); status != kExitOk)
        return status;
    if (const int status = WriteDesignOutput(result, filter, host, common.output, out);
        status != kExitOk)
        return status;
    WriteSummary(filter, err);
    if (common.project && !SaveDesignAsProject(filter, *common.project, host))
        return kExitFailed;
    return DesignExitStatus(filter);
}
