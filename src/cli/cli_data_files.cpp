#include "cli_data_files.h"

#include "cli_args.h"
#include "cli_design_common.h"
#include "cli_hdl.h"
#include "hdl/hdl_export.h"
#include "io/data_files.h"
#include "io/file_formats.h"
#include "support/format_number.h"

#include <filesystem>

namespace {

constexpr const char* kMsgUnknownFormat = "Unknown data file format \"%1\".";
constexpr const char* kMsgCannotWriteFormat = "The format \"%1\" cannot be written.";
constexpr const char* kMsgCannotReadFormat = "The format \"%1\" cannot be read.";

// A format of the table by its name, checked for reading or writing; the refusal is returned.
std::optional<int> FormatByName(const std::string& name, bool writing, std::string& refusal) {
    const SFileFormat* format = FindFileFormat(name);
    if (!format) {
        refusal = FormatMessage(kMsgUnknownFormat, {name});
        return std::nullopt;
    }
    if (writing ? !FormatCanWrite(format->code) : !FormatCanRead(format->code)) {
        refusal = FormatMessage(writing ? kMsgCannotWriteFormat : kMsgCannotReadFormat, {name});
        return std::nullopt;
    }
    return format->code;
}

// The formats of the first and the second file, where named; a refusal fails the arguments.
void ResolveFormats(CCliArgs& args, bool writing, SDataFileArgs& e) {
    std::string refusal;
    if (e.formatName)
        e.format = FormatByName(*e.formatName, writing, refusal);
    if (refusal.empty() && e.quadFormatName)
        e.quadFormat = FormatByName(*e.quadFormatName, writing, refusal);
    if (!refusal.empty())
        args.Fail(refusal);
}

// --wave-bits and --wave-rate belong to a WAVE file; --bits to the fixed-point formats only.
// Without a format named the dialog's stored one decides, when the file is written.
void CheckWaveOptions(CCliArgs& args, const SDataFileArgs& e) {
    if (!e.format)
        return;
    const bool waveI = IsWaveFormat(*e.format);
    const bool waveQ = IsWaveFormat(e.quadFormat.value_or(*e.format));
    if ((e.waveBits >= 0 || e.waveRate >= 0) && !waveI && !waveQ)
        args.Fail("--wave-bits and --wave-rate belong to the format Binary:Wave");
    else if (e.bits && waveI && waveQ)
        args.Fail("--bits does not apply to Binary:Wave (its samples take --wave-bits)");
}

} // namespace

void ReadDataFileArgs(CCliArgs& args, bool writing, SDataFileArgs& e) {
    e.formatName = args.Value("--format");
    e.quadFile = args.Value("--quadrature-file");
    e.quadFormatName = args.Value("--quadrature-format");
    e.complex = args.Flag("--complex");
    e.bits = args.Integer("--bits");
    if (!writing)
        return;
    e.interleave =
        ParseChoice(args, "--interleave", {"none", "forward", "reverse"}, -1).value_or(-1);
    e.factor = args.Integer("--factor");
    e.cName = args.Value("--c-name");
    e.cType = args.Value("--c-type");
    e.cSuffix = args.Value("--c-suffix");
    e.waveBits = ParseChoice(args, "--wave-bits", {"8", "16"}, -1).value_or(-1);
    e.waveRate = ParseChoice(args, "--wave-rate", {"11025", "22050", "44100"}, -1).value_or(-1);
    e.hdlGiven = ParseHdlOptions(args, e.hdl);
}

void CheckDataFileArgs(CCliArgs& args, bool writing, SDataFileArgs& e) {
    if (!args.Ok())
        return;
    if (e.bits && (*e.bits < 1 || *e.bits > 64))
        args.Fail("option '--bits' takes 1 to 64");
    else if (e.factor && (*e.factor < -1000000 || *e.factor > 1000000))
        args.Fail("option '--factor' is out of range");
    else if (e.interleave > 0 && !e.factor)
        args.Fail("--interleave needs --factor K");
    else if (e.complex && e.quadFile)
        args.Fail("--complex and --quadrature-file exclude each other");
    if (args.Ok())
        ResolveFormats(args, writing, e);
    if (args.Ok() && writing)
        CheckWaveOptions(args, e);
    if (args.Ok() && e.hdlGiven && e.format != kFormatVerilog)
        args.Fail("the implementation options are for \"HDL:Verilog\"");
}

std::vector<std::string> DataFileOutputs(const SDataFileArgs& e, const std::string& path) {
    if (e.format == kFormatVerilog && !path.empty())
        return VerilogExportPaths(path);
    return {path, e.quadFile.value_or("")};
}

void FillDataFilesDialog(const SDataFileArgs& e, const std::string& path, CDataFiles& files) {
    files.SetPaths(FullPath(path), FullPath(e.quadFile.value_or("")));
    if (e.format)
        files.m_FormatI.m_nFormat = *e.format;
    if (e.format || e.quadFormat)
        files.m_FormatQ.m_nFormat = e.quadFormat ? *e.quadFormat : *e.format;
    files.m_bComplex = e.complex ? 1 : 0;
    if (e.interleave >= 0)
        files.m_nInterleave = e.interleave;
    if (e.factor)
        files.m_nFactor = static_cast<int>(*e.factor);
    if (e.bits)
        files.SetWordLength(static_cast<int>(*e.bits));
    for (CFileFormatOpts* opts : {&files.m_FormatI, &files.m_FormatQ}) {
        if (e.waveBits >= 0)
            opts->m_WavFmt.m_nSampleSize = e.waveBits;
        if (e.waveRate >= 0)
            opts->m_WavFmt.m_nSampleRate = e.waveRate;
        if (e.cName)
            opts->m_OptionsC.m_strName = *e.cName;
        if (e.cType)
            opts->m_OptionsC.m_strType = *e.cType;
        if (e.cSuffix)
            opts->m_OptionsC.m_strSuffix = *e.cSuffix;
        if (e.hdlGiven)
            opts->m_FixedPoint.m_Hdl = e.hdl;
    }
}

std::string FullPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}
