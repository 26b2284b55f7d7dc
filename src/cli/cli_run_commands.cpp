#include "cli_run_commands.h"

#include "cli.h"
#include "cli_data_files.h"
#include "cli_design_common.h"
#include "cli_plot.h"
#include "cli_run_dialogs.h"
#include "design/design_flow.h"
#include "design/design_types.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "doc/command_catalogue.h"
#include "doc/command_messages.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/project_file.h"
#include "dsp/windows.h"
#include "hdl/hdl_export.h"
#include "io/data_files.h"
#include "io/file_formats.h"
#include "plot/plot_messages.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/paths.h"

#include <optional>

namespace {

const std::vector<std::string> kYesNo = {"yes", "no"};
const std::vector<std::string> kUnitWords = {"Hz", "kHz", "MHz", "GHz"};
const std::vector<std::string> kScaleWords = {"dc",      "gain-at",     "max",
                                              "sum-abs", "sum-squares", "multiply"};
const std::vector<std::string> kTruncateWords = {"quantity", "magnitude", "below-peak-db",
                                                 "below-sum-db"};
const std::vector<std::string> kEndWords = {"each", "beginning", "end"};

constexpr const char* kUsage =
    "    sampling-frequency VALUE Hz|kHz|MHz|GHz\n"
    "    min-db VALUE\n"
    "    fill-constant PARTS [--taps N] [--value V | --one-over-n]\n"
    "    fill-sine PARTS [--samples N] [--cycles C | --frequency F] [--phase DEG]\n"
    "    window PARTS [--type dolph-chebyshev|kaiser-bessel|blackman-harris-4|\n"
    "                  blackman-harris-7|hanning|gaussian|hamming] [--param P]\n"
    "    scale PARTS [--method dc|gain-at|max|sum-abs|sum-squares|multiply] [--value V]\n"
    "                [--db|--linear] [--frequency F] [--round|--no-round]\n"
    "    quantize PARTS [--bits B] [--algorithm round-multiple|round|symmetric-search|\n"
    "                   asymmetric-search] [--save yes|no] [--truncate-end-zeros yes|no]\n"
    "                   [--grid-from N] [--grid-to N]\n"
    "    mix [--frequency F | --divisor D | --multiplier M] [--phase DEG | --auto-phase]\n"
    "    zero-stuff [--stuff K] [--prepend N] [--append M] [--scale-fs|--no-scale-fs]\n"
    "    convolve WITH.cfp\n"
    "    truncate [--method quantity|magnitude|below-peak-db|below-sum-db] [--value V]\n"
    "             [--end each|beginning|end]\n"
    "    polyphase [--phases P] [--select K] [--scale-values|--no-scale-values]\n"
    "              [--scale-fs|--no-scale-fs]\n"
    "    min-phase | reverse | copy-i-to-q | copy-q-to-i | swap-iq | undo | redo\n"
    "    import FILE --format NAME [--quadrature-file FILE2] [--quadrature-format NAME2]\n"
    "           [--complex] [--bits B]\n"
    "    export FILE --format NAME [--quadrature-file FILE2] [--quadrature-format NAME2]\n"
    "           [--complex] [--bits B] [--interleave none|forward|reverse --factor K]\n"
    "           [--c-name N --c-type T --c-suffix S] [--wave-bits 8|16]\n"
    "           [--wave-rate 11025|22050|44100] [implementation options, as export's]\n"
    "           (an overflow is written or not as --answer says)\n"
    "    design-options [--fs F --fs-unit U] [--min-taps N] [--max-taps N]\n"
    "           [--parity either|odd|even] [--multiple M (0: none)]\n"
    "           [--constrain-estimates yes|no] [--min-phase yes|no] [--min-phase-max-taps N]\n"
    "           [--min-phase-max-error DB] [--min-phase-notify yes|no] [--quantize BITS\n"
    "           (0: off)] [--quant-save yes|no] [--quant-algorithm A]\n"
    "           [--quant-truncate yes|no] [--grid-from N] [--grid-to N]\n"
    "    design | optimize\n"
    "    plot --view VIEW [the options of the plot command] [--compare previous|\n"
    "         unquantized|OTHER.cfp] -o FILE\n"
    "      Draws the project as it stands at this step; --compare previous draws the state\n"
    "      Undo would restore (before the last command that changed the filter) over it.\n"
    "  PARTS is inphase, quadrature or complex. Options left out keep the values the\n"
    "  project remembers from the last use of the dialog.\n";

// ---- option helpers ----------------------------------------------------------------------------

// A choice that is absent gives nullopt without an error.
std::optional<int> Choice(CCliArgs& args, const std::string& name,
                          const std::vector<std::string>& words) {
    const auto v = ParseChoice(args, name, words, -1);
    if (!v || *v < 0)
        return std::nullopt;
    return v;
}

std::optional<int> Int(CCliArgs& args, const std::string& name) {
    const auto v = args.Integer(name);
    if (v && (*v < -1000000000LL || *v > 1000000000LL)) {
        args.Fail("option '" + name + "' is out of range");
        return std::nullopt;
    }
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

// "--name" on, "--no-name" off, neither: absent.
std::optional<int> OnOff(CCliArgs& args, const std::string& name) {
    const bool on = args.Flag("--" + name);
    const bool off = args.Flag("--no-" + name);
    if (on && off)
        args.Fail("--" + name + " and --no-" + name + " exclude each other");
    if (on || off)
        return on ? 1 : 0;
    return std::nullopt;
}

std::optional<int> YesNo(CCliArgs& args, const std::string& name) {
    const auto v = Choice(args, name, kYesNo);
    return v ? std::optional<int>(*v == 0 ? 1 : 0) : std::nullopt;
}

template <class T, class U> void Set(T& field, const std::optional<U>& v) {
    if (v)
        field = static_cast<T>(*v);
}

// The one positional word naming the parts of a variant command.
std::optional<EParts> Parts(CCliArgs& args, std::vector<std::string>& positionals) {
    if (positionals.empty()) {
        args.Fail("the command needs inphase, quadrature or complex");
        return std::nullopt;
    }
    for (const SPartsVariant& variant : PartsVariants()) {
        if (positionals.front() == variant.word) {
            positionals.erase(positionals.begin());
            return variant.parts;
        }
    }
    args.Fail("'" + positionals.front() + "' is not inphase, quadrature or complex");
    return std::nullopt;
}

// ---- running
// -------------------------------------------------------------------------------------

// The menu item's enabling: a disabled one is refused with the reason.
bool Enabled(CRunContext& ctx, const std::string& name, ECommand cmd,
             EParts parts = EParts::Inphase) {
    if (const char* reason = CommandDisabledReason(ctx.doc, cmd, parts)) {
        ctx.host.Error(FormatMessage(CmdMsg::kCommandDisabled, {name, reason}));
        return false;
    }
    return true;
}

// The design or optimisation of the project's method, as its editor runs it, then the steps
// after a design.
bool RunDesign(CRunContext& ctx, bool optimize) {
    CFirData& filter = ctx.doc.Filter();
    filter.SetWindowAfterDesignByMethod();
    const int kind = filter.m_nKind;
    const std::string caption = DesignTypeName(filter.m_nDesignType);
    if (kind == kKindImport || kind == kKindNone || (optimize && !KindOptimises(kind))) {
        ctx.host.Error(FormatMessage(
            CmdMsg::kCommandDisabled,
            {optimize ? "optimize" : "design", "the project's method has nothing to " +
                                                   std::string(optimize ? "optimize" : "design")}));
        return false;
    }
    SDesignFlowSteps steps;
    steps.afterDesign = [&ctx] { FirCommand::AfterDesign(ctx.doc, ctx.dialogs); };
    const SDesignResult result = optimize ? RunOptimizeFlow(filter, ctx.host, caption, steps)
                                          : RunDesignFlow(filter, ctx.host, caption, steps);
    return result.end == EDesignEnd::Designed && result.hasCoefficients;
}

// ---- parsers: each reads its options and gives what to run
// ---------------------------------------

using FParse = FRunCommand (*)(CCliArgs& args, std::vector<std::string>& positionals);

FRunCommand ParseSamplingFrequency(CCliArgs& args, std::vector<std::string>& pos) {
    if (pos.size() != 2) {
        args.Fail("sampling-frequency needs VALUE and UNIT");
        return {};
    }
    const auto value = ParseWholeNumber(pos[0]);
    int unit = -1;
    for (size_t i = 0; i < kUnitWords.size(); ++i)
        if (pos[1] == kUnitWords[i])
            unit = static_cast<int>(i);
    if (!value || !(*value > 0.0) || unit < 0) {
        args.Fail("sampling-frequency needs a positive VALUE and Hz, kHz, MHz or GHz");
        return {};
    }
    pos.clear();
    const CFs fs(*value, unit);
    return [fs](CRunContext& ctx) {
        ctx.dialogs.samplingFrequency = [fs](CFs& v) {
            v = fs;
            return true;
        };
        return FirCommand::SamplingFrequency(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseMinDb(CCliArgs& args, std::vector<std::string>& pos) {
    const auto value = pos.size() == 1 ? ParseWholeNumber(pos[0]) : std::nullopt;
    if (!value) {
        args.Fail("min-db needs one VALUE in dB");
        return {};
    }
    pos.clear();
    const double db = *value;
    return [db](CRunContext& ctx) {
        ctx.dialogs.minimumDb = [db](double& v) {
            v = db;
            return true;
        };
        return FirCommand::MinimumDb(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseFillConstant(CCliArgs& args, std::vector<std::string>& pos) {
    const auto parts = Parts(args, pos);
    const auto taps = Int(args, "--taps");
    const auto value = args.Number("--value");
    const bool oneOverN = args.Flag("--one-over-n");
    if (value && oneOverN)
        args.Fail("--value and --one-over-n exclude each other");
    if (!parts)
        return {};
    return [=](CRunContext& ctx) {
        ctx.dialogs.fillConstant = [=](CCombFillSettings& s) {
            Set(s.m_nTaps, taps);
            if (value) {
                s.m_bOneOverN = 0;
                s.m_dConstant = *value;
            }
            if (oneOverN)
                s.m_bOneOverN = 1;
            return true;
        };
        return FirCommand::FillConstant(ctx.doc, ctx.dialogs, *parts);
    };
}

FRunCommand ParseFillSine(CCliArgs& args, std::vector<std::string>& pos) {
    const auto parts = Parts(args, pos);
    const auto samples = Int(args, "--samples");
    const auto cycles = args.Number("--cycles");
    const auto frequency = args.Number("--frequency");
    const auto phase = args.Number("--phase");
    if (cycles && frequency)
        args.Fail("--cycles and --frequency exclude each other");
    if (samples && *samples < 1)
        args.Fail("option '--samples' takes a count above 0");
    if (!parts)
        return {};
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "fill-sine", ECommand::FillSine, *parts))
            return false;
        ctx.dialogs.generate = [=](CGenerateSettings& s) {
            Set(s.m_nSamples, samples);
            if (cycles) {
                s.m_nRateMode = 1;
                s.m_fCycles = static_cast<float>(*cycles);
            }
            if (frequency) {
                s.m_nRateMode = 0;
                s.m_fFrequency = static_cast<float>(*frequency);
            }
            Set(s.m_dPhaseDegrees, phase);
            return true;
        };
        return FirCommand::FillSine(ctx.doc, ctx.dialogs, *parts);
    };
}

FRunCommand ParseWindow(CCliArgs& args, std::vector<std::string>& pos) {
    const auto parts = Parts(args, pos);
    const auto type = Choice(args, "--type", WindowTypeWords());
    const auto param = args.Number("--param");
    if (!parts)
        return {};
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "window", ECommand::Window, *parts))
            return false;
        ctx.dialogs.window = [=](CWindowSettings& s) {
            if (type)
                s.m_nCode = *type + 1;
            if (param && s.m_nCode == static_cast<int>(EWindow::DolphChebyshev))
                s.m_fGamma = static_cast<float>(*param);
            if (param && s.m_nCode == static_cast<int>(EWindow::KaiserBessel))
                s.m_fAlpha = static_cast<float>(*param);
            return true;
        };
        return FirCommand::Window(ctx.doc, ctx.dialogs, *parts);
    };
}

FRunCommand ParseScale(CCliArgs& args, std::vector<std::string>& pos) {
    const auto parts = Parts(args, pos);
    const auto method = Choice(args, "--method", kScaleWords);
    const auto value = args.Number("--value");
    const bool db = args.Flag("--db");
    const bool linear = args.Flag("--linear");
    const auto frequency = args.Number("--frequency");
    const auto round = OnOff(args, "round");
    if (db && linear)
        args.Fail("--db and --linear exclude each other");
    if (!parts)
        return {};
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "scale", ECommand::Scale, *parts))
            return false;
        ctx.dialogs.scale = [=](CScaleSettings& s) {
            Set(s.m_nMethod, method);
            Set(s.m_dTarget, value);
            if (db || linear)
                s.m_bInDb = db ? 1 : 0;
            Set(s.m_dFrequency, frequency);
            Set(s.m_bRound, round);
            return true;
        };
        return FirCommand::Scale(ctx.doc, ctx.dialogs, *parts);
    };
}

FRunCommand ParseQuantize(CCliArgs& args, std::vector<std::string>& pos) {
    const auto parts = Parts(args, pos);
    const auto bits = Int(args, "--bits");
    const auto algorithm = Choice(args, "--algorithm", QuantAlgorithmWords());
    const auto save = YesNo(args, "--save");
    const auto truncate = YesNo(args, "--truncate-end-zeros");
    const auto gridFrom = Int(args, "--grid-from");
    const auto gridTo = Int(args, "--grid-to");
    if (parts && algorithm && *algorithm > 1 && *parts != EParts::Inphase)
        args.Fail("the search algorithms quantize the inphase part only");
    if (!parts)
        return {};
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "quantize", ECommand::Quantize, *parts))
            return false;
        ctx.dialogs.quantize = [=](CQuantizeSettings& s) {
            Set(s.m_nBits, bits);
            Set(s.m_nAlgorithm, algorithm);
            Set(s.m_bSave, save);
            Set(s.m_bTruncateZeros, truncate);
            Set(s.m_nSearchLow, gridFrom);
            Set(s.m_nSearchHigh, gridTo);
            return true;
        };
        return FirCommand::Quantize(ctx.doc, ctx.dialogs, *parts);
    };
}

FRunCommand ParseMix(CCliArgs& args, std::vector<std::string>&) {
    const auto frequency = args.Number("--frequency");
    const auto divisor = args.Number("--divisor");
    const auto multiplier = args.Number("--multiplier");
    const auto phase = args.Number("--phase");
    const bool autoPhase = args.Flag("--auto-phase");
    if ((frequency ? 1 : 0) + (divisor ? 1 : 0) + (multiplier ? 1 : 0) > 1)
        args.Fail("--frequency, --divisor and --multiplier exclude each other");
    if (phase && autoPhase)
        args.Fail("--phase and --auto-phase exclude each other");
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "mix", ECommand::Mix))
            return false;
        ctx.dialogs.mix = [=](SMixSettings& s) {
            if (frequency) {
                s.mode = static_cast<int>(EMixMode::Frequency);
                s.frequency = *frequency;
            }
            if (divisor) {
                s.mode = static_cast<int>(EMixMode::FsDivided);
                s.divisor = *divisor;
            }
            if (multiplier) {
                s.mode = static_cast<int>(EMixMode::FsMultiplied);
                s.multiplier = *multiplier;
            }
            if (phase) {
                s.phaseMode = static_cast<int>(EMixPhaseMode::Degrees);
                s.phaseDegrees = *phase;
            }
            if (autoPhase)
                s.phaseMode = static_cast<int>(EMixPhaseMode::Automatic);
            return true;
        };
        return FirCommand::Mix(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseZeroStuff(CCliArgs& args, std::vector<std::string>&) {
    const auto stuff = Int(args, "--stuff");
    const auto prepend = Int(args, "--prepend");
    const auto append = Int(args, "--append");
    const auto scaleFs = OnOff(args, "scale-fs");
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "zero-stuff", ECommand::ZeroStuff))
            return false;
        ctx.dialogs.zeroPad = [=](CZeroPadSettings& s) {
            Set(s.m_nStuff, stuff);
            Set(s.m_nPrepend, prepend);
            Set(s.m_nAppend, append);
            Set(s.m_bScaleFs, scaleFs);
            return true;
        };
        return FirCommand::ZeroStuff(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseConvolve(CCliArgs& args, std::vector<std::string>& pos) {
    if (pos.size() != 1) {
        args.Fail("convolve needs one project file");
        return {};
    }
    const std::string path = pos[0];
    pos.clear();
    return [path](CRunContext& ctx) {
        if (!Enabled(ctx, "convolve", ECommand::Convolve))
            return false;
        // The project to convolve with opens as another document, as File > Open would.
        auto other = std::make_unique<CFirDoc>(ctx.host);
        if (!other->OnOpenDocument(path))
            return false;
        const CFirDoc* with = other.get();
        ctx.others.push_back(std::move(other));
        ctx.dialogs.convolve = [with](SConvolveChoice& c) {
            c.selected = -1;
            for (size_t i = 0; i < c.documents.size(); ++i)
                if (c.documents[i] == with)
                    c.selected = static_cast<int>(i);
            return true;
        };
        return FirCommand::Convolve(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseTruncate(CCliArgs& args, std::vector<std::string>&) {
    const auto method = Choice(args, "--method", kTruncateWords);
    const auto value = args.Number("--value");
    const auto end = Choice(args, "--end", kEndWords);
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "truncate", ECommand::Truncate))
            return false;
        ctx.dialogs.truncate = [=](CTruncateSettings& s) {
            Set(s.m_nMethod, method);
            Set(s.m_dValue, value);
            Set(s.m_nWhere, end);
            return true;
        };
        return FirCommand::Truncate(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParsePolyphase(CCliArgs& args, std::vector<std::string>&) {
    const auto phases = Int(args, "--phases");
    const auto select = Int(args, "--select");
    const auto scaleValues = OnOff(args, "scale-values");
    const auto scaleFs = OnOff(args, "scale-fs");
    return [=](CRunContext& ctx) {
        if (!Enabled(ctx, "polyphase", ECommand::Polyphase))
            return false;
        ctx.dialogs.polyphase = [=](CPolyphaseSettings& s) {
            Set(s.m_nPhases, phases);
            Set(s.m_nPhase, select);
            Set(s.m_bScaleGain, scaleValues);
            Set(s.m_bScaleFs, scaleFs);
            return true;
        };
        return FirCommand::Polyphase(ctx.doc, ctx.dialogs);
    };
}

// The data file dialog's fields of import and export. The overflow question of an export is
// answered by run's --answer, as every question of a run.
FRunCommand ParseDataFiles(CCliArgs& args, std::vector<std::string>& pos, bool import) {
    SDataFileArgs e;
    ReadDataFileArgs(args, !import, e);
    if (!import && args.Flag("--force")) {
        args.Fail("run answers the overflow question with --answer yes|no; --force is export's");
        return {};
    }
    if (pos.size() != 1) {
        args.Fail(std::string(import ? "import" : "export") + " needs one data file");
        return {};
    }
    CheckDataFileArgs(args, !import, e);
    const std::string path = pos[0];
    pos.clear();
    return [=](CRunContext& ctx) {
        CRunContext* context = &ctx;
        ctx.dialogs.dataFiles = [=](CDataFiles& files) {
            FillDataFilesDialog(e, path, files);
            if (!import) {
                std::vector<std::string> outputs =
                    files.m_FormatI.m_nFormat == kFormatVerilog
                        ? VerilogExportPaths(files.m_strPathI)
                        : std::vector<std::string>{files.m_strPathI, files.m_strPathQ};
                std::string refusal = FindFileClash(context->projectFiles, outputs);
                if (!refusal.empty() || !files.CheckExport(context->doc.Filter().GetN(), refusal)) {
                    context->host.Error(refusal);
                    return false;
                }
            }
            return true;
        };
        return import ? FirCommand::Import(ctx.doc, ctx.dialogs)
                      : Enabled(ctx, "export", ECommand::Export) &&
                            FirCommand::Export(ctx.doc, ctx.dialogs);
    };
}

FRunCommand ParseImport(CCliArgs& args, std::vector<std::string>& pos) {
    return ParseDataFiles(args, pos, true);
}

FRunCommand ParseExport(CCliArgs& args, std::vector<std::string>& pos) {
    return ParseDataFiles(args, pos, false);
}

FRunCommand ParseDesignOptions(CCliArgs& args, std::vector<std::string>&) {
    const auto fs = args.Number("--fs");
    const auto unit = Choice(args, "--fs-unit", kUnitWords);
    const auto minTaps = Int(args, "--min-taps");
    const auto maxTaps = Int(args, "--max-taps");
    const auto parity = ReadParity(args);
    const auto multiple = Int(args, "--multiple");
    const auto constrain = YesNo(args, "--constrain-estimates");
    const auto minPhase = YesNo(args, "--min-phase");
    const auto mpTaps = Int(args, "--min-phase-max-taps");
    const auto mpError = args.Number("--min-phase-max-error");
    const auto mpNotify = YesNo(args, "--min-phase-notify");
    const auto quantize = Int(args, "--quantize");
    const auto qSave = YesNo(args, "--quant-save");
    const auto qAlgorithm = ReadQuantAlgorithm(args);
    const auto qTruncate = YesNo(args, "--quant-truncate");
    const auto gridFrom = Int(args, "--grid-from");
    const auto gridTo = Int(args, "--grid-to");
    if (fs && !(*fs > 0.0))
        args.Fail("option '--fs' takes a positive sampling frequency");
    return [=](CRunContext& ctx) {
        ctx.dialogs.designOptions = [=](CDesignOptions& o) {
            if (fs || unit)
                o.m_Fs = CFs(fs.value_or(o.m_Fs.m_dValue), unit.value_or(o.m_Fs.m_nUnit));
            Set(o.m_NTaps.m_nMin, minTaps);
            Set(o.m_NTaps.m_nMax, maxTaps);
            Set(o.m_NTaps.m_nParity, parity);
            if (multiple) {
                o.m_NTaps.m_bMultipleOn = *multiple > 0;
                if (*multiple > 0)
                    o.m_NTaps.m_nMultiple = *multiple;
            }
            if (constrain)
                o.m_NTaps.m_bConstrainEstimates = *constrain != 0;
            Set(o.m_MinPhase.m_bEnabled, minPhase);
            Set(o.m_MinPhase.m_nMaxTaps, mpTaps);
            Set(o.m_MinPhase.m_dMaxDbError, mpError);
            Set(o.m_MinPhase.m_bWarn, mpNotify);
            if (quantize) {
                o.m_Quant.m_bQuantize = *quantize > 0;
                if (*quantize > 0)
                    o.m_Quant.m_nBits = *quantize;
            }
            Set(o.m_Quant.m_bSave, qSave);
            Set(o.m_Quant.m_nAlgorithm, qAlgorithm);
            Set(o.m_Quant.m_bTruncateZeros, qTruncate);
            Set(o.m_Quant.m_nSearchLow, gridFrom);
            Set(o.m_Quant.m_nSearchHigh, gridTo);
            return true;
        };
        return FirCommand::DesignOptions(ctx.doc, ctx.dialogs);
    };
}

// Draws the project as it stands, as the plot command does; the previous state is the one Undo
// restores.
FRunCommand ParsePlotStep(CCliArgs& args, std::vector<std::string>&) {
    SPlotJob job;
    if (!ParsePlotJob(args, job))
        return {};
    return [job](CRunContext& ctx) {
        if (const std::string clash = FindFileClash(ctx.projectFiles, {job.output});
            !clash.empty()) {
            ctx.host.Error(clash);
            return false;
        }
        CFirProject other(&ctx.host);
        SPlotCompare compare{nullptr, NameWithoutExtension(ctx.projectFiles.front()), ""};
        if (job.compare && *job.compare == kComparePrevious) {
            if (!ctx.doc.ReadPreviousState(other)) {
                ctx.host.Error("There is no previous state to compare with: no command before "
                               "this plot changed the project.");
                return false;
            }
            compare.otherName = PlotMenus::kComparePrevious;
        } else if (job.compare && *job.compare == kCompareUnquantized) {
            if (!ctx.doc.Filter().HasUnquantized()) {
                ctx.host.Error(kMsgNoUnquantized);
                return false;
            }
            other.m_Filter = ctx.doc.Filter().UnquantizedFilter();
            compare.otherName = PlotMenus::kCompareUnquantized;
        } else if (job.compare) {
            if (LoadProject(*job.compare, other, ctx.host) != ELoadResult::Ok)
                return false;
            compare.otherName = NameWithoutExtension(*job.compare);
        }
        if (job.compare)
            compare.other = &other.m_Filter;
        std::string refusal;
        const int status = DrawPlot(ctx.doc, compare, job, ctx.host, refusal);
        if (!refusal.empty())
            ctx.host.Error(refusal);
        return status == kExitOk;
    };
}

// The parser of each `run` command that takes options. The catalogue gives every command's word,
// enabling and function; a command without a parser here runs as it is.
struct SRunParser {
    ECommand id;
    FParse parse;
};

constexpr SRunParser kParsers[] = {
    {ECommand::SamplingFrequency, ParseSamplingFrequency},
    {ECommand::MinimumDb, ParseMinDb},
    {ECommand::FillConstant, ParseFillConstant},
    {ECommand::FillSine, ParseFillSine},
    {ECommand::Window, ParseWindow},
    {ECommand::Scale, ParseScale},
    {ECommand::Quantize, ParseQuantize},
    {ECommand::Mix, ParseMix},
    {ECommand::ZeroStuff, ParseZeroStuff},
    {ECommand::Convolve, ParseConvolve},
    {ECommand::Truncate, ParseTruncate},
    {ECommand::Polyphase, ParsePolyphase},
    {ECommand::Import, ParseImport},
    {ECommand::Export, ParseExport},
    {ECommand::DesignOptions, ParseDesignOptions},
};

FParse ParserOf(ECommand id) {
    for (const SRunParser& p : kParsers)
        if (p.id == id)
            return p.parse;
    return nullptr;
}

FRunCommand ParseRunWords(const std::string& name, std::vector<std::string>& pos, CCliArgs& args);

} // namespace

FRunCommand ParseRunCommand(const std::string& name, std::vector<std::string> words,
                            std::string& error) {
    // The positional words come first, the options after them.
    std::vector<std::string> pos;
    while (!words.empty() &&
           (words[0].size() < 2 || words[0][0] != '-' || ParseWholeNumber(words[0]))) {
        pos.push_back(words[0]);
        words.erase(words.begin());
    }
    CCliArgs args(std::move(words));
    const FRunCommand run = ParseRunWords(name, pos, args);
    error = args.Error();
    return args.Ok() ? run : FRunCommand();
}

namespace {

FRunCommand ParseRunWords(const std::string& name, std::vector<std::string>& pos, CCliArgs& args) {
    FRunCommand run;
    if (name == "design" || name == "optimize") {
        const bool optimize = name == "optimize";
        run = [optimize](CRunContext& ctx) { return RunDesign(ctx, optimize); };
    } else if (name == "plot") {
        run = ParsePlotStep(args, pos);
    } else {
        const SCommandInfo* command = FindCommandByWord(name);
        if (!command) {
            args.Fail("unknown command '" + name + "'");
            return {};
        }
        if (const FParse parse = ParserOf(command->id)) {
            run = parse(args, pos);
        } else {
            run = [command](CRunContext& ctx) {
                return Enabled(ctx, command->word, command->id) &&
                       RunCommand(*command, ctx.doc, ctx.dialogs);
            };
        }
    }
    if (!pos.empty())
        args.Fail("unexpected argument '" + pos[0] + "'");
    args.Finish();
    return run;
}

} // namespace

std::string RunCommandsUsage() {
    return kUsage;
}

bool SplitCommandWords(const std::string& text, std::vector<std::string>& words) {
    words.clear();
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (const char c : text) {
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                word += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return quote == 0;
}
