#include "io/file_formats.h"

#include <cmath>

const std::vector<SFileFormat>& FileFormatTable() {
    static const std::vector<SFileFormat> table = {
        {"Text:Decimal", kFormatDecimal, kFormatCanRead | kFormatCanWrite, false, ".txt"},
        {"Text:Plot", kFormatPlot, kFormatCanRead | kFormatCanWrite, false, ".plt"},
        {"Text:FIR", kFormatFir, kFormatCanRead | kFormatCanWrite, false, ".fir"},
        {"Text:Fract", kFormatFract, kFormatCanRead | kFormatCanWrite, false, ".txt"},
        {"Text:Hex", kFormatHex, kFormatCanRead | kFormatCanWrite, false, ".hex"},
        {"Text:Binary", kFormatBinary, kFormatCanRead | kFormatCanWrite, false, ".txt"},
        {"Text:C", kFormatC, kFormatCanWrite, false, ".h"},
        {"Text:Analyzer", kFormatAnalyzer, kFormatCanRead, false, ".txt"},
        {"HTML:Report", kFormatHtml, kFormatCanWrite, false, ".htm"},
        {"Asm:TI Asm", kFormatTiAsm, kFormatCanWrite, false, ".asm"},
        {"Asm:ADI PM", kFormatAdiPm, kFormatCanRead | kFormatCanWrite, false, ".dsp"},
        {"Binary:float", kFormatFloat, kFormatCanRead | kFormatCanWrite, true, ".bin"},
        {"Binary:double", kFormatDouble, kFormatCanRead | kFormatCanWrite, true, ".dat"},
        {"Binary:Wave", kFormatWave, kFormatCanRead | kFormatCanWrite, true, ".wav"},
        {"FPGA:COE", kFormatCoe, kFormatCanRead | kFormatCanWrite | kFormatHardware, false, ".coe"},
        {"FPGA:MIF", kFormatMif, kFormatCanRead | kFormatCanWrite | kFormatHardware, false, ".mif"},
        {"HDL:Verilog", kFormatVerilog, kFormatCanWrite | kFormatHardware, false, ".v"},
    };
    return table;
}

int FileFormatListCode(int code) {
    return (code == kFormatWave8 || code == kFormatWave16) ? kFormatWave : code;
}

const SFileFormat* FindFileFormat(int code) {
    code = FileFormatListCode(code);
    for (const SFileFormat& f : FileFormatTable())
        if (f.code == code)
            return &f;
    return nullptr;
}

const SFileFormat* FindFileFormat(const std::string& name) {
    for (const SFileFormat& f : FileFormatTable())
        if (name == f.name)
            return &f;
    return nullptr;
}

std::string FileFormatName(int code) {
    const SFileFormat* f = FindFileFormat(code);
    return f ? f->name : "";
}

bool FormatCanRead(int code) {
    const SFileFormat* f = FindFileFormat(code);
    return f && (f->flags & kFormatCanRead);
}

bool FormatCanWrite(int code) {
    const SFileFormat* f = FindFileFormat(code);
    return f && (f->flags & kFormatCanWrite);
}

bool FormatHasOptions(int code) {
    switch (FileFormatListCode(code)) {
    case kFormatPlot:
    case kFormatFract:
    case kFormatHex:
    case kFormatBinary:
    case kFormatC:
    case kFormatTiAsm:
    case kFormatWave:
    case kFormatCoe:
    case kFormatMif:
    case kFormatVerilog:
        return true;
    default:
        return false;
    }
}

bool IsWaveFormat(int code) {
    return FileFormatListCode(code) == kFormatWave;
}

namespace {
std::vector<std::string> NamesWhere(bool (*keep)(const SFileFormat&)) {
    std::vector<std::string> names;
    for (const SFileFormat& f : FileFormatTable())
        if (keep(f))
            names.emplace_back(f.name);
    return names;
}
} // namespace

std::vector<std::string> ReadFormatNames() {
    return NamesWhere([](const SFileFormat& f) { return (f.flags & kFormatCanRead) != 0; });
}

std::vector<std::string> WriteFormatNames() {
    return NamesWhere([](const SFileFormat& f) { return (f.flags & kFormatCanWrite) != 0; });
}

std::vector<std::string> DataViewFormatNames() {
    return NamesWhere([](const SFileFormat& f) {
        return !f.binary && f.flags == (kFormatCanRead | kFormatCanWrite); // not for hardware
    });
}

int FormatChannels(int code, int waveChannels) {
    if (code == kFormatCoe || code == kFormatMif || code == kFormatVerilog)
        return 1;
    return IsWaveFormat(code) ? waveChannels : 2;
}

int FormatWordLength(int code, int fixedBits) {
    switch (code) {
    case kFormatFract:
    case kFormatHex:
    case kFormatBinary:
    case kFormatCoe:
    case kFormatMif:
    case kFormatVerilog:
        return fixedBits < 1 ? 1 : (fixedBits > 64 ? 64 : fixedBits);
    case kFormatAdiPm:
    case kFormatWave16:
        return 16;
    default:
        return 0;
    }
}

double FormatFullScale(int code, int fixedBits, bool writing) {
    if (code == kFormatWave8)
        return writing ? FullScaleOfWordLength(16) : 1.0;
    return FullScaleOfWordLength(FormatWordLength(code, fixedBits));
}
