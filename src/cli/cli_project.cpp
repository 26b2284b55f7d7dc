#include "cli_project.h"

#include "cli_data_files.h"
#include "cli_design_common.h"
#include "cli_hdl.h"

#include "cli.h"
#include "cli_host.h"
#include "cli_plot_render.h"
#include "cli_run_dialogs.h"
#include "design/design_flow.h"
#include "design/design_messages.h"
#include "design/design_summary.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "doc/doc_messages.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/project_file.h"
#include "fixed/fixed_messages.h"
#include "hdl/hdl_export.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/file_access.h"
#include "support/format_number.h"
#include "support/paths.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

const char* const kShowUsage =
    "  show PROJECT [--json | --hdl [--bits B] [implementation options]]\n"
    "      The project's method, sampling frequency, taps, design summary, margin and the\n"
    "      results of each band. With --json one JSON object with designType, method, fs,\n"
    "      fsUnit, taps, real, coefficients {i, q}, bands [{lower, upper, desired, attn}]\n"
    "      (frequencies in the unit of Fs, desired and attn in dB) and margin (dB, null\n"
    "      without coefficients or bands); a quantized project that keeps its unquantized\n"
    "      coefficients also has worstStopbandDb {unquantized, quantized}, the quantization\n"
    "      loss the summary states. With --hdl the summary of the fixed-point\n"
    "      implementation that \"HDL:Verilog\" writes: accumulator width, multipliers and\n"
    "      adders after folding, latency and worst-case output (options as for export).\n";

const char* const kExportUsage =
    "  export PROJECT --format NAME -o FILE [--quadrature-file FILE2]\n"
    "         [--quadrature-format NAME2] [--complex] [--bits B]\n"
    "         [--interleave none|forward|reverse --factor K]\n"
    "         [--c-name N --c-type T --c-suffix S] [--wave-bits 8|16]\n"
    "         [--wave-rate 11025|22050|44100] [--force] [--input-bits N]\n"
    "         [--output-bits N] [--output-shift S] [--rounding truncate|round]\n"
    "         [--overflow saturate|wrap] [--hdl-structure transposed|systolic]\n"
    "         [--hdl-name NAME]\n"
    "      Writes the coefficients in the data file format NAME (a name of the format list,\n"
    "      e.g. \"Text:Decimal\", \"Text:Hex\", \"Text:C\", \"HTML:Report\", \"Binary:Wave\").\n"
    "      A complex filter needs --complex (I and Q in FILE) or --quadrature-file (Q in\n"
    "      FILE2, format NAME2, default NAME). --bits sets the fixed-point word length\n"
    "      (default: the project's, 16 for a new one). --interleave writes the polyphase\n"
    "      components one after another (default none). Text:C takes the array name\n"
    "      (default the project's file name with \".\" as \"_\"), type (default float) and\n"
    "      the suffix after each value (default f). Binary:Wave takes the sample size\n"
    "      --wave-bits and the rate --wave-rate (default: the project's, 8 bits at 11025).\n"
    "      Data that overflows a fixed-point format is not written unless --force.\n"
    "      HTML:Report also writes the pictures it names beside the report: NAME_spec.bmp\n"
    "      (the design summary), NAME_freq_rsp.bmp (magnitude) and NAME_imp_rsp.bmp\n"
    "      (impulse response).\n"
    "      HDL:Verilog writes a synthesizable Verilog-2001 module and beside it a\n"
    "      self-checking testbench NAME_tb.v with its vectors NAME_in.txt and the bit-true\n"
    "      model's words NAME_out.txt (NAME: FILE without its extension), all or none.\n"
    "      Fixed-point implementation (FPGA:COE, FPGA:MIF take --bits only): --bits is the\n"
    "      coefficient word length, --input-bits the input's (default 16), --output-bits\n"
    "      the output's (default: the accumulator width, full precision), --output-shift\n"
    "      the low accumulator bits the output drops (default: accumulator width less\n"
    "      output width), --rounding truncate|round, --overflow saturate|wrap,\n"
    "      --hdl-structure transposed|systolic (default transposed), --hdl-name the module\n"
    "      name (default: the file name).\n";

const char* const kImportUsage =
    "  import FILE --format NAME [--quadrature-file FILE2] [--quadrature-format NAME2]\n"
    "         [--complex] [--bits B] [--fs F] [--fs-unit Hz|kHz|MHz|GHz] -o PROJECT\n"
    "      Creates an Import project holding the coefficients read from FILE (I; both I\n"
    "      and Q with --complex) and FILE2 (Q, format NAME2, default NAME). --bits is the\n"
    "      word length of the fixed-point formats (default 16). Fs is --fs in --fs-unit\n"
    "      (default Hz); without --fs, a WAVE file's rate, otherwise 1 Hz.\n";

namespace {

constexpr const char* kMsgNothingWritten = "No file was written.";
constexpr const char* kMsgNoDesign = "A project of the method \"%1\" has no design to run.";
constexpr const char* kMsgCannotOptimize =
    "Only Parks-McClellan and Lth-band projects can be optimized.";
constexpr const char* kMsgQuadratureNotWritten = "The quadrature file \"%1\" was not written.";
constexpr const char* kMsgRealHasNoQuadrature =
    "The filter is real: it has no quadrature coefficients to write.";

constexpr const char* kProjectExtensions[] = {".cfp", ".cfa", ".cfs"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool HasProjectExtension(const std::string& path) {
    const std::string lower = Lower(path);
    for (const char* ext : kProjectExtensions) {
        const std::string e(ext);
        if (lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0)
            return true;
    }
    return false;
}

// ---- text and JSON output ------------------------------------------------------------------

// Method, taps, the design summary, and for a band list the margin and each band's result.
void WriteDesignReport(CFirData& f, std::ostream& os) {
    std::string text, method;
    GetDesignSummary(f, text, method);
    const double fs = f.GetFs();
    os << "method: " << DesignTypeName(f.m_nDesignType) << " (" << method << ")\n";
    os << "fs: " << StrPrintf("%.9g", fs) << " " << f.m_Fs.GetFreqUnitName() << "\n";
    os << "taps: " << f.GetN() << (f.IsReal() ? " real" : " complex") << ", next design "
       << f.GetNumTaps() << "\n";
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            os << line << "\n";
    WriteBandResults(f, os);
}

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20)
                out += StrPrintf("\\u%04x", c);
            else
                out += ch;
        }
    }
    return out + "\"";
}

// Full precision; JSON has no infinities, so a value that is not finite is null.
std::string JsonNumber(double v) {
    return std::isfinite(v) ? StrPrintf("%.17g", v) : std::string("null");
}

std::string JsonArray(const CDataColumn& column, int n) {
    std::string out = "[";
    for (int i = 0; i < n; ++i)
        out += (i ? ", " : "") + JsonNumber(column.GetAt(i));
    return out + "]";
}

} // namespace

void WriteProjectJson(CFirProject& project, std::ostream& os,
                      const std::vector<std::pair<std::string, std::string>>& extra) {
    CFirData& f = project.m_Filter;
    std::string text, method;
    GetDesignSummary(f, text, method);
    const double fs = f.GetFs();
    const int n = f.GetN();
    const bool measured = f.HasCoefficients() && f.GetNumBands() > 0;
    os << "{\n";
    os << "  \"title\": " << JsonString(project.m_strTitle) << ",\n";
    os << "  \"designType\": " << f.m_nDesignType << ",\n";
    os << "  \"method\": " << JsonString(DesignTypeName(f.m_nDesignType)) << ",\n";
    os << "  \"designKind\": " << JsonString(method) << ",\n";
    os << "  \"fs\": " << JsonNumber(fs) << ",\n";
    os << "  \"fsUnit\": " << JsonString(f.m_Fs.GetFreqUnitName()) << ",\n";
    os << "  \"taps\": " << f.GetNumTaps() << ",\n";
    os << "  \"coefficientCount\": " << n << ",\n";
    os << "  \"real\": " << (f.IsReal() ? "true" : "false") << ",\n";
    os << "  \"summary\": " << JsonString(text) << ",\n";
    os << "  \"margin\": " << (measured ? JsonNumber(f.GetMargin()) : "null") << ",\n";
    if (const auto loss = MeasureQuantizationLoss(f))
        os << "  \"worstStopbandDb\": {\"unquantized\": " << JsonNumber(loss->dUnquantizedDb)
           << ", \"quantized\": " << JsonNumber(loss->dQuantizedDb) << "},\n";
    os << "  \"bands\": [";
    for (int i = 0; i < f.GetNumBands(); ++i) {
        os << (i ? ",\n" : "\n") << "    {\"lower\": " << JsonNumber(f.Band(i).lower * fs)
           << ", \"upper\": " << JsonNumber(f.Band(i).upper * fs)
           << ", \"desired\": " << JsonNumber(f.GetBandGain(i, true))
           << ", \"attn\": " << JsonNumber(f.GetBandAttn(i, true))
           << ", \"passband\": " << (f.IsPassband(i) ? "true" : "false")
           << ", \"actual\": " << (measured ? JsonNumber(f.GetBandActual(i)) : "null")
           << ", \"margin\": " << (measured ? JsonNumber(f.GetBandMargin(i)) : "null") << "}";
    }
    os << (f.GetNumBands() ? "\n  ],\n" : "],\n");
    for (const auto& [name, value] : extra)
        os << "  " << JsonString(name) << ": " << value << ",\n";
    os << "  \"coefficients\": {\"i\": " << JsonArray(*f.m_pI, n)
       << ", \"q\": " << JsonArray(*f.m_pQ, n) << "}\n";
    os << "}\n";
}

// ---- show ------------------------------------------------------------------------------------

namespace {

std::vector<double> TapsOf(const CFirData& filter) {
    const CDataColumn* taps = filter.Columns().GetColumn(0);
    return {taps->GetData(), taps->GetData() + filter.GetN()};
}

// The implementation summary of the project's filter; the coefficient word length is --bits
// or the project's.
int ShowHdlSummary(CFirProject& project, SHdlOptions options, std::optional<long long> bits,
                   std::ostream& out, CCliHost& host) {
    const CFirData& filter = project.m_Filter;
    options.format.coefBits =
        bits ? static_cast<int>(*bits) : project.m_DataFiles.m_FormatI.m_FixedPoint.m_nBits;
    std::vector<std::string> lines;
    std::string error;
    if (!filter.IsReal())
        error = kMsgFixedNeedsRealFilter;
    else if (!MakeHdlSummary(TapsOf(filter), options, lines, error))
        lines.clear();
    if (!error.empty()) {
        host.Error(error);
        return kExitFailed;
    }
    for (const std::string& line : lines)
        out << line << "\n";
    return kExitOk;
}

} // namespace

void WriteProjectText(CFirProject& project, std::ostream& os) {
    os << "project: " << project.m_strTitle << "\n";
    WriteDesignReport(project.m_Filter, os);
}

int RunShowCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    const bool json = args.Flag("--json");
    const bool hdl = args.Flag("--hdl");
    const auto bits = args.Integer("--bits");
    SHdlOptions hdlOptions;
    const bool hdlGiven = ParseHdlOptions(args, hdlOptions);
    const std::vector<std::string> positionals = args.Positionals();
    if (args.Ok() && positionals.size() != 1)
        args.Fail("show needs one project file");
    else if (args.Ok() && json && hdl)
        args.Fail("--json and --hdl exclude each other");
    else if (args.Ok() && !hdl && (bits || hdlGiven))
        args.Fail("--bits and the implementation options need --hdl");
    args.Finish();
    if (!args.Ok())
        return UsageError("show", args.Error(), err);

    CCliHost host(err);
    CFirProject project(&host);
    if (LoadProject(positionals[0], project, host) != ELoadResult::Ok)
        return kExitFailed;
    if (hdl)
        return ShowHdlSummary(project, hdlOptions, bits, out, host);
    if (json)
        WriteProjectJson(project, out, {});
    else
        WriteProjectText(project, out);
    return kExitOk;
}

// ---- export ----------------------------------------------------------------------------------

namespace {

// The options of `export`: the project, the file and the fields of the export dialog.
struct SExportArgs {
    std::string project;
    std::optional<std::string> output;
    bool force = false;
    SDataFileArgs files;
};

// Reads and checks the options; false with the arguments failed when they are refused.
bool ReadExportArgs(CCliArgs& args, SExportArgs& e) {
    ReadDataFileArgs(args, true, e.files);
    e.output = args.Value("--output", "-o");
    e.force = args.Flag("--force");
    const std::vector<std::string> positionals = args.Positionals();
    if (args.Ok()) {
        if (positionals.size() != 1)
            args.Fail("export needs one project file");
        else if (!e.files.formatName)
            args.Fail("export needs --format NAME");
        else if (!e.output || e.output->empty())
            args.Fail("export needs -o FILE");
    }
    CheckDataFileArgs(args, true, e.files);
    const std::vector<std::string> outputs = DataFileOutputs(e.files, e.output.value_or(""));
    RefuseFileClash(args, positionals, outputs);
    args.Finish();
    if (args.Ok())
        e.project = positionals[0];
    return args.Ok();
}

// The export dialog as the options fill it, over the settings stored in the project; the
// interleave and the implementation options not given are the defaults, not the stored ones.
void FillExportDialog(const SExportArgs& e, CDataFiles& files) {
    files.m_nInterleave = CDataFiles::None;
    files.m_nFactor = 0;
    for (CFileFormatOpts* opts : {&files.m_FormatI, &files.m_FormatQ})
        opts->m_FixedPoint.m_Hdl = e.files.hdl;
    FillDataFilesDialog(e.files, *e.output, files);
}

} // namespace

int RunExportCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    (void)out;
    SExportArgs e;
    if (!ReadExportArgs(args, e))
        return UsageError("export", args.Error(), err);
    CCliHost host(err);
    CFirDoc doc(host);
    if (!doc.OnOpenDocument(e.project))
        return kExitFailed;
    if (e.files.quadFile && doc.Filter().IsReal()) {
        host.Error(kMsgRealHasNoQuadrature);
        return kExitUsage;
    }
    // The overflow question is the only one an export asks.
    host.SetForcedAnswer(e.force ? EAnswer::Yes : EAnswer::No);

    // The project menu's export, its dialog filled from the options. A refused dialog ends it.
    int refused = kExitFailed;
    CRunDialogs dialogs;
    dialogs.dataFiles = [&](CDataFiles& files) {
        FillExportDialog(e, files);
        std::string text;
        if (!files.CheckExport(doc.Filter().GetN(), text)) {
            host.Error(text);
            refused = kExitUsage;
            return false;
        }
        // A named quadrature file is written with the inphase one or not at all.
        if (e.files.quadFile && !files.GetControls().quadrature) {
            host.Error(FormatMessage(kMsgQuadratureNotWritten, {*e.files.quadFile}));
            return false;
        }
        return true;
    };
    switch (FirCommand::ExportFiles(doc, dialogs)) {
    case EExportEnd::Written:
        return kExitOk;
    case EExportEnd::Cancelled:
        return refused;
    case EExportEnd::NotWritten:
        host.Error(kMsgNothingWritten);
        return kExitFailed;
    case EExportEnd::NotFinished:
        break;
    }
    return kExitFailed;
}

// ---- import ----------------------------------------------------------------------------------

int RunImportCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    (void)out;
    SDataFileArgs e;
    ReadDataFileArgs(args, false, e);
    const auto output = args.Value("--output", "-o");
    const auto fs = args.Number("--fs");
    const auto fsUnit = ParseChoice(args, "--fs-unit", {"Hz", "kHz", "MHz", "GHz"}, 0);
    const std::vector<std::string> positionals = args.Positionals();
    if (args.Ok()) {
        if (positionals.size() != 1)
            args.Fail("import needs one data file");
        else if (!e.formatName)
            args.Fail("import needs --format NAME");
        else if (!output || output->empty())
            args.Fail("import needs -o PROJECT");
        else if (fs && !(*fs > 0.0 && std::isfinite(*fs)))
            args.Fail("option '--fs' takes a positive sampling frequency");
    }
    CheckDataFileArgs(args, false, e);
    RefuseFileClash(args, {positionals.empty() ? "" : positionals[0], e.quadFile.value_or("")},
                    {output.value_or("")});
    args.Finish();
    if (!args.Ok())
        return UsageError("import", args.Error(), err);

    CCliHost host(err);
    CFirProject project(&host);
    project.m_strTitle = FileNameOf(*output);
    CFirData& filter = project.m_Filter;
    filter.SetDesignType(kDesignImport);
    project.m_nDesignType = kDesignImport;
    filter.m_File.m_bReportOpenErrors = 1;

    CDataFiles& files = project.m_DataFiles;
    files.PrepareDialog("Import Coefficients", project.m_strTitle, true, filter.IsReal());
    FillDataFilesDialog(e, positionals[0], files);
    if (!files.RunImport(filter, host))
        return kExitFailed;

    filter.SetNumTaps(filter.GetN());
    double waveKHz = 0.0;
    if (fs)
        filter.ApplyFs(CFs(*fs, *fsUnit));
    else if (GetWaveFs(files.m_FormatI, waveKHz))
        filter.ApplyFs(CFs(waveKHz, 1));
    if (!SaveProject(*output, project, host))
        return kExitFailed;
    return kExitOk;
}

// ---- design of a stored project --------------------------------------------------------------

bool IsProjectDesign(const std::vector<std::string>& args) {
    return !args.empty() && !args[0].empty() && args[0][0] != '-' && HasProjectExtension(args[0]);
}

bool SaveDesignAsProject(const CFirData& filter, const std::string& path, CHost& host) {
    CFirProject project(&host);
    project.m_Filter.CopyFrom(filter);
    project.m_nDesignType = filter.m_nDesignType;
    project.m_strTitle = FileNameOf(path);
    // The design options given on the command line act as the options sheet's OK.
    KeepQuantBitsInFileOptions(project);
    return SaveProject(path, project, host);
}

int RunProjectDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    CDesignCliHost host(err);
    const bool optimize = args.Flag("--optimize");
    const auto engine = ParseEngine(args);
    const auto output = args.Value("--output", "-o");
    const auto saveAs = args.Value("--project", "-p");
    host.ReadAnswerOptions(args);
    const std::vector<std::string> positionals = args.Positionals();
    if (args.Ok() && positionals.size() != 1)
        args.Fail("design needs one project file");
    // The project may be saved over itself (-p), never overwritten by the coefficients.
    RefuseFileClash(args, positionals, {output.value_or("")});
    RefuseFileClash(args, {}, {output.value_or(""), saveAs.value_or("")});
    args.Finish();
    if (!args.Ok())
        return UsageError("design", args.Error(), err);

    CFirProject project(&host);
    if (LoadProject(positionals[0], project, host) != ELoadResult::Ok)
        return kExitFailed;
    CFirData& filter = project.m_Filter;
    filter.SetWindowAfterDesignByMethod();
    filter.m_eRemezEngine = engine.value_or(ERemezEngine::Auto);
    const int kind = filter.m_nKind;
    const std::string caption = DesignTypeName(filter.m_nDesignType);
    if (kind == kKindImport || kind == kKindNone) {
        host.Error(FormatMessage(kMsgNoDesign, {caption}));
        return kExitUsage;
    }
    if (optimize && !KindOptimises(kind)) {
        host.Error(kMsgCannotOptimize);
        return kExitUsage;
    }

    const SDesignResult result =
        optimize ? RunOptimizeFlow(filter, host, caption) : RunDesignFlow(filter, host, caption);
    if (const int status = FlowExitStatus(result); status != kExitOk)
        return status;
    if (const int status = WriteDesignOutput(result, filter, host, output, out); status != kExitOk)
        return status;
    WriteDesignReport(filter, err);
    if (saveAs) {
        project.m_strTitle = FileNameOf(*saveAs);
        if (!SaveProject(*saveAs, project, host))
            return kExitFailed;
    }
    return DesignExitStatus(filter);
}
