// The text formats: decimal, FIR, plot and analyzer texts, the fixed-point texts (fractional,
// hexadecimal, binary digits, the DSP assembler's PM words) and the HTML coefficient table.
#include "io/data_formats.h"

#include "io/number_text.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {

// Appends every piece to out.
template <typename... Pieces> void Append(std::string& out, const Pieces&... pieces) {
    (out.append(pieces), ...);
}

// The last `width` characters of text.
std::string LastChars(const std::string& text, size_t width) {
    return text.size() > width ? text.substr(text.size() - width) : text;
}

// The low `bits` bits of v read as a two's complement integer.
int64_t SignExtend(uint64_t v, int bits) {
    if (bits >= 64)
        return static_cast<int64_t>(v);
    const uint64_t mask = (uint64_t{1} << bits) - 1;
    v &= mask;
    if ((v >> (bits - 1)) & 1u)
        v |= ~mask;
    return static_cast<int64_t>(v);
}

// One group of binary digits: leading spaces skipped, then every character up to a space or
// the end of the line, "0" and "1" shifting into the value and anything else skipped. Only the
// first 256 characters of the line count; a group not ended within them, or an empty one, is
// not scanned.
bool ScanBinaryGroup(const std::string& line, size_t& pos, uint64_t& value) {
    const size_t limit = std::min<size_t>(line.size(), 256);
    while (pos < limit && line[pos] == ' ')
        ++pos;
    const size_t start = pos;
    uint64_t v = 0;
    while (pos < limit && line[pos] != ' ') {
        if (line[pos] == '0' || line[pos] == '1')
            v = (v << 1) | static_cast<uint64_t>(line[pos] - '0');
        ++pos;
    }
    if (pos == start)
        return false;
    if (pos == limit && line.size() > limit)
        return false;
    value = v;
    return true;
}

// Scans `needed` decimal numbers, after skipping `skip` leading ones (the x column).
bool ScanDoubles(const std::string& line, int skip, bool wantB, double values[2]) {
    CNumberScanner scan(line);
    double x = 0.0;
    for (int i = 0; i < skip; ++i)
        if (!scan.ScanDouble(x))
            return false;
    for (int i = 0; i < (wantB ? 2 : 1); ++i)
        if (!scan.ScanDouble(values[i]))
            return false;
    return true;
}

void SkipLines(CLineReader& reader, int count) {
    std::string skipped;
    for (int i = 0; i < count; ++i)
        reader.ReadLine(skipped);
}

// Text:Decimal: one or two decimal numbers a line.
class CDecimalText : public CDataFormat {
public:
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int, double a,
                    const double* b) const override {
        out += FormatFixed(a, text.decWidth, text.decDigits);
        if (b)
            Append(out, " ", FormatFixed(*b, text.decWidth, text.decDigits));
        out += "\r\n";
    }
    bool ScanLine(const std::string& line, int, double, bool wantB,
                  double values[2]) const override {
        return ScanDoubles(line, 0, wantB, values);
    }
};

// Text:FIR: the decimal text after a line with the point count.
class CFirText : public CDecimalText {
public:
    void WriteHeader(SFormatState&, int n, std::string& out) const override {
        out += std::to_string(n) + "\r\n";
    }
    bool ReadHeader(SFormatState&, CLineReader& reader, SFileBytes&, CHost&) const override {
        SkipLines(reader, 1);
        return true;
    }
};

// Text:Plot: three title lines (unless all are empty), then the line number and the values.
class CPlotText : public CDataFormat {
public:
    void WriteHeader(SFormatState& state, int, std::string& out) const override {
        if (!state.titles[0].empty() || !state.titles[1].empty() || !state.titles[2].empty())
            for (const std::string& t : state.titles)
                out += t + "\r\n";
    }
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int, double a,
                    const double* b) const override {
        Append(out, std::to_string(text.line), " ", FormatFixed(a, text.decWidth, text.decDigits));
        if (b)
            Append(out, " ", FormatFixed(*b, text.decWidth, text.decDigits));
        out += "\r\n";
    }
    // Three title lines, unless every line that is there holds two numbers, which means the
    // file starts with its data.
    bool ReadHeader(SFormatState& state, CLineReader& reader, SFileBytes&, CHost&) const override {
        std::string lines[3];
        int present = 0;
        bool allNumeric = true;
        for (std::string& line : lines) {
            if (!reader.ReadLine(line))
                break;
            ++present;
            CNumberScanner scan(line);
            double x = 0.0;
            if (!(scan.ScanDouble(x) && scan.ScanDouble(x)))
                allNumeric = false;
        }
        if (present > 0 && allNumeric) {
            for (std::string& t : state.titles)
                t.clear();
            reader.Rewind();
            return true;
        }
        for (int i = 0; i < 3; ++i)
            state.titles[i] = lines[i];
        return true;
    }
    bool ScanLine(const std::string& line, int, double, bool wantB,
                  double values[2]) const override {
        return ScanDoubles(line, 1, wantB, values);
    }
};

// The analyzer text (read only): seven header lines, then x and the values.
class CAnalyzerText : public CDataFormat {
public:
    bool ReadHeader(SFormatState&, CLineReader& reader, SFileBytes&, CHost&) const override {
        SkipLines(reader, 7);
        return true;
    }
    bool ScanLine(const std::string& line, int, double, bool wantB,
                  double values[2]) const override {
        return ScanDoubles(line, 1, wantB, values);
    }
};

// A fixed-point text: one or two words a line, each spelled by the format.
class CFixedText : public CDataFormat {
public:
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int, double a,
                    const double* b) const override {
        out += Word(RoundToInt64(a), text.bits, text.fixedWidth);
        if (b)
            Append(out, " ", Word(RoundToInt64(*b), text.bits, text.fixedWidth));
        out += "\r\n";
    }
    bool ScanLine(const std::string& line, int bits, double scale, bool wantB,
                  double values[2]) const override {
        CNumberScanner scan(line);
        size_t pos = 0;
        for (int i = 0; i < (wantB ? 2 : 1); ++i)
            if (!ScanWord(line, scan, pos, bits, scale, values[i]))
                return false;
        return true;
    }

protected:
    // The text of word v.
    virtual std::string Word(int64_t v, int bits, int width) const = 0;
    // The next word of the line as a fraction (scale: 1 / full scale).
    virtual bool ScanWord(const std::string& line, CNumberScanner& scan, size_t& pos, int bits,
                          double scale, double& value) const = 0;
};

// Text:Fractional and Text:Hex: signed decimal or two's complement hexadecimal integers.
class CIntegerText : public CFixedText {
public:
    explicit CIntegerText(int base) : m_nBase(base) {}
    int FixedWidth(int bits, double fullScale) const override {
        return m_nBase == 16 ? (bits + 3) / 4
                             : static_cast<int>(std::trunc(std::log10(fullScale) + 2.0));
    }

protected:
    std::string Word(int64_t v, int, int width) const override {
        const std::string t = m_nBase == 16
                                  ? StrPrintf("%0*llX", width, static_cast<unsigned long long>(v))
                                  : StrPrintf("%*lld", width, static_cast<long long>(v));
        return LastChars(t, static_cast<size_t>(width));
    }
    bool ScanWord(const std::string&, CNumberScanner& scan, size_t&, int bits, double scale,
                  double& value) const override {
        uint64_t v = 0;
        if (!scan.ScanInteger(v, m_nBase == 16 ? 16 : 0))
            return false;
        value = static_cast<double>(SignExtend(v, bits)) * scale;
        return true;
    }

private:
    int m_nBase;
};

// Text:Binary: the word's binary digits, most significant first.
class CBinaryText : public CFixedText {
protected:
    std::string Word(int64_t v, int bits, int) const override {
        std::string t;
        const auto u = static_cast<uint64_t>(v);
        for (int k = bits - 1; k >= 0; --k)
            t.push_back(((u >> k) & 1u) ? '1' : '0');
        return t;
    }
    bool ScanWord(const std::string& line, CNumberScanner&, size_t& pos, int bits, double scale,
                  double& value) const override {
        uint64_t v = 0;
        if (!ScanBinaryGroup(line, pos, v))
            return false;
        value = static_cast<double>(SignExtend(v, bits)) * scale;
        return true;
    }
};

// The DSP assembler's program-memory words: a 16-bit word in hexadecimal followed by "00".
class CAdiPmText : public CFixedText {
public:
    int FixedWidth(int, double) const override { return 6; }

protected:
    std::string Word(int64_t v, int, int) const override {
        return LastChars(StrPrintf("%04X00", static_cast<unsigned>(static_cast<uint64_t>(v))), 6);
    }
    bool ScanWord(const std::string&, CNumberScanner& scan, size_t&, int, double scale,
                  double& value) const override {
        uint64_t v = 0;
        if (!scan.ScanInteger(v, 16))
            return false;
        const auto word = static_cast<int16_t>(static_cast<uint16_t>((v >> 8) & 0xFFFFu));
        value = static_cast<double>(word) * scale;
        return true;
    }
};

// The coefficient lines of the HTML report ("h[i] = a" or "h[i] = a + bi"); not read.
class CHtmlTable : public CDataFormat {
public:
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int i, double a,
                    const double* b) const override {
        Append(out, "  h[", std::to_string(i),
               "] = ", FormatFixed(a, text.decWidth, text.decDigits));
        if (b) {
            const double v = *b;
            out += " ";
            Append(out, v < 0 ? "- " : "+ ",
                   FormatFixed(v < 0 ? -v : v, text.decWidth, text.decDigits));
            out += "i";
        }
        out += "\r\n";
    }
};

} // namespace

const CDataFormat& DecimalTextFormat() {
    static const CDecimalText format;
    return format;
}

const CDataFormat& FirTextFormat() {
    static const CFirText format;
    return format;
}

const CDataFormat& PlotTextFormat() {
    static const CPlotText format;
    return format;
}

const CDataFormat& AnalyzerFormat() {
    static const CAnalyzerText format;
    return format;
}

const CDataFormat& FractTextFormat() {
    static const CIntegerText format(10);
    return format;
}

const CDataFormat& HexTextFormat() {
    static const CIntegerText format(16);
    return format;
}

const CDataFormat& BinaryTextFormat() {
    static const CBinaryText format;
    return format;
}

const CDataFormat& AdiPmFormat() {
    static const CAdiPmText format;
    return format;
}

const CDataFormat& HtmlTableFormat() {
    static const CHtmlTable format;
    return format;
}
