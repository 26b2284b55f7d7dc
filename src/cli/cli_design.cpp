#include "cli_design.h"

#include "cli.h"
#include "cli_design_common.h"
#include "cli_design_methods.h"
#include "cli_host.h"
#include "cli_project.h"
#include "design/coefficient_messages.h"
#include "design/constraint_rules.h"
#include "design/design_flow.h"
#include "design/design_messages.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "support/format_number.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

const char* const kDesignUsage =
    "  design simple-pm --fs F --type lowpass|highpass|bandpass|bandstop --edge1 X --edge2 Y\n"
    "         [--center C] --ripple DB --atten DB [common options]\n"
    "      Equiripple lowpass (passband 0..X, stopband Y..F/2), highpass (stopband 0..X,\n"
    "      passband Y..F/2), bandpass (passband X wide, stopband gap Y wide, around C) or\n"
    "      bandstop (stopband Y wide, passband gap X wide, around C). Frequencies in the\n"
    "      unit of F; ripple peak to peak and attenuation in dB.\n"
    "  design advanced-pm --fs F [--response filter|differentiator|hilbert]\n"
    "         --band LOWER UPPER DESIRED ATTN [--band ...] [--desired-db] [--attn-linear]\n"
    "         [common options]\n"
    "      Equiripple design of a band list in ascending order. DESIRED is the linear gain\n"
    "      (0: stopband), in dB with --desired-db; ATTN is the ripple (passband) or the\n"
    "      attenuation (stopband) in dB, or with --attn-linear the factor 1/delta.\n"
    "    Common options:\n"
    "      --taps N          number of taps; without it, or below the minimum, the estimate\n"
    "      --grid G          grid density (default 16)\n"
    "      --engine E        exchange engine: auto (default), classic or robust (long filters)\n"
    "      --optimize        search for the fewest taps that meet the specification\n"
    "      --min-phase [--max-db-error E]   convert to minimum phase (accepted when its\n"
    "                        magnitude differs by at most E dB, default 0.05)\n"
    "      --min-taps N, --max-taps N, --parity either|odd|even (or --odd | --even),\n"
    "      --multiple K      tap-count constraints\n"
    "      -o, --output FILE write the coefficients to FILE (Text:Decimal) instead of stdout\n"
    "      -p, --project FILE   also save the design as the project FILE (.cfp)\n"
    "      --if-even-at-nyquist add|remove|cancel   even count with a passband at F/2\n"
    "                        (default add: one tap more)\n"
    "      --if-unconstrained adjust|keep|cancel    count that misses the constraints\n"
    "                        (default adjust: moved up onto them)\n"
    "      --if-too-few estimate|stop               count below the minimum (default estimate)\n"
    "      --quantize BITS   quantize the coefficients to BITS-bit fractions (1 to 63)\n"
    "      --quant-algorithm round-multiple|round|symmetric-search|asymmetric-search\n"
    "                        quantization algorithm (default round-multiple; also\n"
    "                        --algorithm)\n"
    "      --no-unity-gain   keep the gain the method gives instead of unit gain\n"
    "    Coefficients one per line (\"I Q\" when complex); the summary goes to stderr.\n"
    "    Ctrl+C cancels a running design or optimisation.\n"
    "  design PROJECT.cfp [--optimize] [-o FILE] [-p OUT.cfp] [--if-... as above]\n"
    "      Runs the design stored in the project again (--optimize: the search for the\n"
    "      fewest taps, Parks-McClellan and Lth-band projects); -p saves the result as the\n"
    "      project OUT.cfp (which may be PROJECT.cfp itself). Output and exit status as\n"
    "      above.\n";

namespace {

// The specification as the command line gives it; Store puts it into the filter.
struct SDesignSpec {
    bool simple = true;
    // simple-pm
    int type = 0;
    double e1 = 0.0, e2 = 0.0, center = 0.0, ripple = 0.0, atten = 0.0;
    // advanced-pm
    int responseType = PmResponseType::Filter;
    std::vector<std::vector<double>> bands;
    bool desiredDb = false;
    bool attnLinear = false;
    int grid = 16;

    bool Store(CFirData& f, int taps) const {
        if (simple)
            return f.SetSimpleSpec(taps, e1, ripple, e2, atten, center, 0.0, grid, type);
        f.ResetSpec(responseType, grid, taps);
        const double neutralWeight = attnLinear ? 1.0 : 0.0;
        for (const std::vector<double>& b : bands)
            if (!f.AddBand(!attnLinear, true, b[0], b[1], b[2], b[3], neutralWeight, desiredDb))
                return false;
        return true;
    }
};

// The options of the band-list methods, read for both methods so that a misplaced one is
// reported.
struct SPmOptionArgs {
    std::optional<int> type, response;
    std::optional<double> e1, e2, center, ripple, atten;
    std::vector<std::vector<std::string>> bands;
    bool desiredDb = false, attnLinear = false;
};

SPmOptionArgs ReadPmOptionArgs(CCliArgs& args) {
    SPmOptionArgs p;
    p.type = ParseChoice(args, "--type", {"lowpass", "highpass", "bandpass", "bandstop"}, -1);
    p.e1 = args.Number("--edge1");
    p.e2 = args.Number("--edge2");
    p.center = args.Number("--center");
    p.ripple = args.Number("--ripple");
    p.atten = args.Number("--atten");
    p.response = ParseChoice(args, "--response", {"filter", "differentiator", "hilbert"}, 0);
    p.bands = args.Repeated("--band", 4);
    p.desiredDb = args.Flag("--desired-db");
    p.attnLinear = args.Flag("--attn-linear");
    return p;
}

// Fails the arguments when an option the method needs is missing or one of the other method
// is given.
void CheckPmOptions(CCliArgs& args, const SPmOptionArgs& p, bool simple) {
    if (simple) {
        if (!p.type || *p.type < 0 || !p.e1 || !p.e2 || !p.ripple || !p.atten)
            args.Fail("simple-pm needs --type, --edge1, --edge2, --ripple and --atten");
        else if (*p.type >= 2 && !p.center)
            args.Fail("bandpass and bandstop need --center");
        else if (!p.bands.empty() || p.desiredDb || p.attnLinear)
            args.Fail("--band, --desired-db and --attn-linear belong to advanced-pm");
    } else if (p.bands.empty()) {
        args.Fail("advanced-pm needs at least one --band");
    } else if ((p.type && *p.type >= 0) || p.e1 || p.e2 || p.center || p.ripple || p.atten) {
        args.Fail("--type, --edge1, --edge2, --center, --ripple and --atten belong to "
                  "simple-pm");
    }
}

// Checks the options for the method and puts them into the specification.
void TakePmSpec(CCliArgs& args, const SPmOptionArgs& p, bool simple, SDesignSpec& spec) {
    CheckPmOptions(args, p, simple);
    if (!args.Ok())
        return;
    spec.simple = simple;
    spec.desiredDb = p.desiredDb;
    spec.attnLinear = p.attnLinear;
    spec.responseType = *p.response + 1;
    if (simple) {
        spec.type = *p.type;
        spec.e1 = *p.e1;
        spec.e2 = *p.e2;
        spec.center = p.center.value_or(0.0);
        spec.ripple = *p.ripple;
        spec.atten = *p.atten;
    }
    for (const std::vector<std::string>& b : p.bands) {
        std::vector<double> values;
        for (const std::string& text : b) {
            const auto v = ParseWholeNumber(text);
            if (!v) {
                args.Fail("--band needs four numbers, not '" + text + "'");
                return;
            }
            values.push_back(*v);
        }
        spec.bands.push_back(values);
    }
}

void WriteSummary(CFirData& f, const SDesignResult& result, const OptimizerState* state,
                  std::ostream& err) {
    err << "method: " << DesignTypeName(f.m_nDesignType) << " (Parks-McClellan)\n";
    err << "taps: " << f.GetN() << "\n";
    err << "iterations: " << result.iterations << "\n";
    if (state)
        err << "trials: " << state->m_Trials.size() << "\n";
    WriteQuantization(f, err);
    WriteBandResults(f, err);
}

} // namespace

int RunDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    if (IsProjectDesign(args.Arguments()))
        return RunProjectDesignCommand(args, out, err);
    if (IsMethodDesign(args.Arguments()))
        return RunMethodDesignCommand(args, out, err);
    SDesignSpec spec;
    CDesignCliHost host(err);

    const auto fs = args.Number("--fs");
    const auto taps = args.Integer("--taps");
    const auto grid = args.Integer("--grid");
    const SDesignOptionArgs common = ReadDesignOptionArgs(args);
    host.ReadAnswerOptions(args);

    const SPmOptionArgs pm = ReadPmOptionArgs(args);
    const std::vector<std::string> positionals = args.Positionals();

    if (args.Ok()) {
        if (positionals.size() != 1 ||
            (positionals[0] != "simple-pm" && positionals[0] != "advanced-pm"))
            args.Fail(MissingMethodText());
        else if (!fs || !(*fs > 0.0))
            args.Fail("design needs --fs with a positive sampling frequency");
        else if (grid && (*grid < -1000000 || *grid > 1000000))
            args.Fail("option '--grid' is out of range");
        else if (taps && (*taps < 0 || *taps > 1000000))
            args.Fail("option '--taps' is out of range");
        CheckDesignOptionArgs(args, common);
    }
    if (args.Ok())
        TakePmSpec(args, pm, positionals[0] == "simple-pm", spec);
    RefuseFileClash(args, {}, {common.output.value_or(""), common.project.value_or("")});
    args.Finish();
    if (!args.Ok()) {
        err << "corvifir-cli design: " << args.Error() << "\n"
            << "Try 'corvifir-cli design --help' for more information.\n";
        return kExitUsage;
    }
    spec.grid = static_cast<int>(grid.value_or(16));

    CFirData filter(&host);
    filter.SetDesignType(spec.simple ? kDesignSimplePm : kDesignAdvancedPm);
    filter.ApplyFs(CFs(*fs, 0));
    if (!ApplyDesignOptionArgs(common, filter, host))
        return kExitUsage;
    if (!spec.Store(filter, static_cast<int>(taps.value_or(0))))
        return kExitUsage;

    const std::string caption = DesignTypeName(filter.m_nDesignType);
    OptimizerState state(&filter);
    SDesignFlowSteps steps;
    steps.storeTaps = [&](int n) { return spec.Store(filter, n); };
    const SDesignResult result = common.optimize
                                     ? RunOptimizeFlow(filter, host, caption, steps, &state)
                                     : RunDesignFlow(filter, host, caption, steps);
    if (const int status = FlowExitStatus(result); status != kExitOk)
        return status;

    if (const int status = WriteDesignOutput(result, filter, host, common.output, out);
        status != kExitOk)
        return status;
    WriteSummary(filter, result, common.optimize ? &state : nullptr, err);
    if (common.project && !SaveDesignAsProject(filter, *common.project, host))
        return kExitFailed;
    return DesignExitStatus(filter);
}
