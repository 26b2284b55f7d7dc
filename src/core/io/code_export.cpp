#include "io/code_export.h"

#include "data/code_export_options.h"
#include "io/number_text.h"
#include "support/format_number.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const kEol = "\r\n";

void WriteCArray(std::string& out, int n, const double* v, const std::string& suffix,
                 const std::string& upperName, const COptionsC& opts) {
    out += opts.m_strType + " " + opts.m_strName + suffix + "[" + upperName + "_LENGTH] = {" + kEol;
    for (int k = 0; k < n; ++k) {
        out += "   " + FormatFixed(v[k], 15, 12) + opts.m_strSuffix;
        if (k + 1 < n)
            out += ",";
        out += kEol;
    }
    out += std::string("};") + kEol + kEol;
}

std::string EquateLine(const std::string& base, const std::string& key, const std::string& value) {
    if (base.empty())
        return kEol;
    return base + "_" + key + "   .equ   " + value + kEol;
}

// The bar graph of a value line: w + 1 characters with "*" at the value and "|" at zero, the
// largest value at the left end.
std::string BarGraph(double x, double lo, double hi, int lineLength) {
    const int w = 78 - lineLength - 2;
    if (hi == lo || w < 0 || !(hi > lo))
        return "";
    std::string graph(static_cast<size_t>(w) + 1, ' ');
    const int64_t p = RoundToInt64(w - w * (x - lo) / (hi - lo));
    const int64_t z = RoundToInt64(w + w * lo / (hi - lo));
    if (z >= 0 && z <= w && z != p)
        graph[static_cast<size_t>(z)] = '|';
    if (p >= 0 && p <= w)
        graph[static_cast<size_t>(p)] = '*';
    return graph;
}

} // namespace

void WriteC(std::string& out, int n, const double* i, const double* q, const COptionsC& opts) {
    std::string upper = opts.m_strName;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    out += "#define " + upper + "_LENGTH " + std::to_string(n) + kEol + kEol;
    WriteCArray(out, n, i, q ? "_I" : "", upper, opts);
    if (q) {
        out += kEol;
        WriteCArray(out, n, q, "_Q", upper, opts);
    }
}

std::string TiAsmValueLine(double x, double lo, double hi, const CAsmOpts& opts) {
    const int64_t m = std::clamp<int64_t>(RoundToInt64(x * 32768.0), -32768, 32767);
    const std::string dec = StrPrintf("%6d", static_cast<int>(m));
    const std::string hex = StrPrintf("0%04Xh", static_cast<unsigned>(m & 0xFFFF));
    std::string text;
    switch (opts.m_nDataFormat) {
    case CAsmOpts::HexInt:
        text = ".hex " + hex;
        if (opts.m_bShowOtherFormat)
            text += "      ; = " + dec;
        break;
    case CAsmOpts::Float:
        text = ".float " + FormatFixed(x, 14, 9);
        break;
    default:
        text = ".int " + dec;
        if (opts.m_bShowOtherFormat)
            text += "      ; = " + hex;
        break;
    }
    if (opts.m_nDataFormat != CAsmOpts::Float && opts.m_bShowFloat) {
        if (text.find(';') == std::string::npos)
            text += "      ; ";
        text += "   " + FormatFixed(static_cast<double>(m) / 32768.0, 9, 6);
    }
    std::string line = "   " + text;
    if (opts.m_bShowGraph) {
        if (line.find(';') == std::string::npos)
            line += "      ; ";
        line += "           ";
        line += BarGraph(x, lo, hi, static_cast<int>(line.size()));
    }
    return line;
}

void WriteTiAsm(std::string& out, int n, const double* i, const double* q, const CAsmOpts& opts) {
    double lo = 0.0;
    double hi = 0.0;
    if (n > 0) {
        lo = hi = i[0];
        for (int k = 0; k < n; ++k) {
            lo = std::min(lo, i[k]);
            hi = std::max(hi, i[k]);
            if (q) {
                lo = std::min(lo, q[k]);
                hi = std::max(hi, q[k]);
            }
        }
    }
    const std::string& base = opts.m_strBaseName;
    if (!opts.m_strInitialText.empty())
        out += opts.m_strInitialText + kEol + kEol;
    if (opts.m_bShowLength)
        out += EquateLine(base, "LENGTH", std::to_string(n));
    if (opts.m_bShowRatio && !opts.m_strRatio.empty())
        out += EquateLine(base, "RATIO ", opts.m_strRatio);
    out += kEol;
    auto values = [&](const double* v) {
        for (int k = 0; k < n; ++k)
            out += TiAsmValueLine(v[k], lo, hi, opts) + kEol;
    };
    if (q) {
        out += base + "_COEFFS_I:" + kEol;
        values(i);
        out += kEol;
        out += base + "_COEFFS_Q:" + kEol;
        values(q);
    } else {
        out += base + "_COEFFS:" + kEol;
        values(i);
    }
    out += opts.m_strFinalText + kEol;
}
