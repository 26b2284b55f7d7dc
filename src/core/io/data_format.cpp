#include "io/data_format.h"

#include "io/data_formats.h"
#include "io/io_messages.h"
#include "io/number_text.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>

namespace {

// Whether the line or any line after it holds more than white space.
bool TextRemains(const std::string& line, CLineReader& reader) {
    std::string rest = line;
    do {
        if (rest.find_first_not_of(" \t\r\n\f\v") != std::string::npos)
            return true;
    } while (reader.ReadLine(rest));
    return false;
}

// The formats that have a reader and writer, by code.
struct SDataFormatRow {
    int code;
    const CDataFormat& format;
};

} // namespace

bool CDataFormat::AcceptColumns(int, bool, CHost&) const {
    return true;
}

bool CDataFormat::PrepareWrite(SFormatState&, int, int, CHost&) const {
    return true;
}

void CDataFormat::WriteHeader(SFormatState&, int, std::string&) const {}

int CDataFormat::FixedWidth(int, double) const {
    return 0;
}

void CDataFormat::WritePoint(std::string&, const SPointText&, int, double, const double*) const {}

void CDataFormat::WriteFooter(const SPointText&, std::string&) const {}

bool CDataFormat::MakeFiles(const CFileFormatOpts&, const SColumnsToWrite&, const std::string&,
                            std::vector<SFileToWrite>&, CHost&) const {
    return false;
}

bool CDataFormat::ReadHeader(SFormatState&, CLineReader&, SFileBytes&, CHost&) const {
    return true;
}

// Reads lines until one does not scan; a value that is not a finite number ends the read with
// its line in badLine.
bool CDataFormat::ReadPoints(SFormatState& state, CLineReader& reader, const SFileBytes&,
                             SReadColumns& columns, CHost&) const {
    const int bits = state.WordLength();
    const double scale = 1.0 / FormatFullScale(state.code, state.fixedBits, false);
    const bool wantB = columns.b != nullptr;
    std::string line;
    while (reader.ReadLine(line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        double values[2] = {0.0, 0.0};
        if (!ScanLine(line, bits, scale, wantB, values)) {
            const int number = reader.LineNumber();
            if (TextRemains(line, reader))
                columns.stoppedAt = number;
            break;
        }
        if (!std::isfinite(values[0]) || (wantB && !std::isfinite(values[1]))) {
            columns.badLine = reader.LineNumber();
            break;
        }
        columns.a->push_back(values[0]);
        if (wantB)
            columns.b->push_back(values[1]);
    }
    return true;
}

bool CDataFormat::ScanLine(const std::string&, int, double, bool, double[2]) const {
    return false;
}

const CDataFormat& DataFormatOf(int code) {
    static const CDataFormat none;
    static const SDataFormatRow rows[] = {
        {kFormatDecimal, DecimalTextFormat()},
        {kFormatPlot, PlotTextFormat()},
        {kFormatFir, FirTextFormat()},
        {kFormatFract, FractTextFormat()},
        {kFormatHex, HexTextFormat()},
        {kFormatBinary, BinaryTextFormat()},
        {kFormatAnalyzer, AnalyzerFormat()},
        {kFormatFloat, FloatFormat()},
        {kFormatDouble, DoubleFormat()},
        {kFormatWave, WaveFormat()},
        {kFormatWave8, WaveFormat()},
        {kFormatWave16, WaveFormat()},
        {kFormatAdiPm, AdiPmFormat()},
        {kFormatHtml, HtmlTableFormat()},
        {kFormatCoe, FpgaFormat()},
        {kFormatMif, FpgaFormat()},
        {kFormatC, CSourceFormat()},
        {kFormatTiAsm, TiAsmFormat()},
        {kFormatVerilog, VerilogFormat()},
    };
    for (const SDataFormatRow& row : rows)
        if (row.code == code)
            return row.format;
    return none;
}
