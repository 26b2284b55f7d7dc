#include "io/data_file_writer.h"

#include "io/fpga_files.h"
#include "io/io_messages.h"
#include "io/number_text.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cmath>
#include <cstring>
#include <limits>

bool WriteOrder(int n, int step, std::vector<int>& order) {
    order.clear();
    if (n <= 0)
        return true;
    int64_t s = step == 0 ? 1 : step;
    const int64_t magnitude = s < 0 ? -s : s;
    if (n % magnitude != 0)
        return false;
    order.reserve(static_cast<size_t>(n));
    int64_t i = s > 0 ? 0 : n + s;
    for (int k = 0; k < n; ++k) {
        order.push_back(static_cast<int>(i));
        i += s;
        if (i >= n)
            i = i - n + 1;
        else if (i < 0)
            i = i + n + 1;
    }
    return true;
}

bool ConfirmOverflow(double fullScale, double minAll, double maxAll, CHost& host) {
    if (fullScale == 1.0)
        return true;
    if (minAll < -1.0 || maxAll > 1.0)
        return host.Ask(kMsgOverflowQuestion, false, EAnswer::Yes) == EAnswer::Yes;
    return true;
}

namespace {

// Appends every piece to out.
template <typename... Pieces> void Append(std::string& out, const Pieces&... pieces) {
    (out.append(pieces), ...);
}

// The last `width` characters of text.
std::string LastChars(const std::string& text, size_t width) {
    return text.size() > width ? text.substr(text.size() - width) : text;
}

std::string FixedPointText(int code, int64_t v, int bits, int width) {
    switch (code) {
    case kFormatFract: {
        std::string t = StrPrintf("%*lld", width, static_cast<long long>(v));
        return LastChars(t, static_cast<size_t>(width));
    }
    case kFormatHex: {
        std::string t = StrPrintf("%0*llX", width, static_cast<unsigned long long>(v));
        return LastChars(t, static_cast<size_t>(width));
    }
    case kFormatAdiPm: {
        std::string t = StrPrintf("%04X00", static_cast<unsigned>(static_cast<uint64_t>(v)));
        return LastChars(t, 6);
    }
    default: { // Text:Binary: the last `bits` binary digits, most significant first
        std::string t;
        const auto u = static_cast<uint64_t>(v);
        for (int k = bits - 1; k >= 0; --k)
            t.push_back(((u >> k) & 1u) ? '1' : '0');
        return t;
    }
    }
}

// x in single precision; beyond its range the conversion gives an infinity.
float ToFloat(double x) {
    if (x > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (x < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(x);
}

template <typename T> void AppendLittleEndian(std::string& out, T v) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    out.append(bytes, sizeof(T));
}

void AppendWaveSample(std::string& out, int code, double v) {
    if (code == kFormatWave8) {
        const auto word = static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(v)) + 0x8000u);
        out.push_back(static_cast<char>(word >> 8));
    } else {
        const auto word =
            static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(std::trunc(v + 0.5))));
        out.push_back(static_cast<char>(word & 0xFF));
        out.push_back(static_cast<char>(word >> 8));
    }
}

// How the points of one write are spelled: the format actually written, its word length and
// the field widths of the text formats; line counts the points written so far.
struct SPointText {
    int code = 0;
    int bits = 0;
    int decWidth = 0;
    int decDigits = 0;
    int fixedWidth = 0;
    int line = 0;
    int count = 0; // points in the file
};

// Appends point i of value a (and b when not null), already scaled to the format's full scale.
using PointWriter = void (*)(std::string& out, const SPointText& text, int i, double a,
                             const double* b);

void WriteDecimalPoint(std::string& out, const SPointText& text, int, double a, const double* b) {
    out += FormatFixed(a, text.decWidth, text.decDigits);
    if (b)
        Append(out, " ", FormatFixed(*b, text.decWidth, text.decDigits));
    out += "\r\n";
}

void WritePlotPoint(std::string& out, const SPointText& text, int, double a, const double* b) {
    Append(out, std::to_string(text.line), " ", FormatFixed(a, text.decWidth, text.decDigits));
    if (b)
        Append(out, " ", FormatFixed(*b, text.decWidth, text.decDigits));
    out += "\r\n";
}

void WriteFixedPoint(std::string& out, const SPointText& text, int, double a, const double* b) {
    out += FixedPointText(text.code, RoundToInt64(a), text.bits, text.fixedWidth);
    if (b)
        Append(out, " ", FixedPointText(text.code, RoundToInt64(*b), text.bits, text.fixedWidth));
    out += "\r\n";
}

void WriteFpgaPoint(std::string& out, const SPointText& text, int, double a, const double*) {
    out += FpgaFileWord(text.code, text.bits, text.line, text.count, RoundToInt64(a));
}

void WriteFloatPoint(std::string& out, const SPointText&, int, double a, const double* b) {
    AppendLittleEndian(out, ToFloat(a));
    if (b)
        AppendLittleEndian(out, ToFloat(*b));
}

void WriteDoublePoint(std::string& out, const SPointText&, int, double a, const double* b) {
    AppendLittleEndian(out, a);
    if (b)
        AppendLittleEndian(out, *b);
}

void WriteWavePoint(std::string& out, const SPointText& text, int, double a, const double* b) {
    AppendWaveSample(out, text.code, a);
    if (b)
        AppendWaveSample(out, text.code, *b);
}

void WriteHtmlPoint(std::string& out, const SPointText& text, int i, double a, const double* b) {
    Append(out, "  h[", std::to_string(i), "] = ", FormatFixed(a, text.decWidth, text.decDigits));
    if (b) {
        const double v = *b;
        out += " ";
        Append(out, v < 0 ? "- " : "+ ",
               FormatFixed(v < 0 ? -v : v, text.decWidth, text.decDigits));
        out += "i";
    }
    out += "\r\n";
}

// The point writer of each format that WriteDataBytes writes point by point.
struct SPointWriterRow {
    int code;
    PointWriter write;
};

constexpr SPointWriterRow kPointWriters[] = {
    {kFormatDecimal, WriteDecimalPoint}, {kFormatFir, WriteDecimalPoint},
    {kFormatPlot, WritePlotPoint},       {kFormatFract, WriteFixedPoint},
    {kFormatHex, WriteFixedPoint},       {kFormatAdiPm, WriteFixedPoint},
    {kFormatBinary, WriteFixedPoint},    {kFormatFloat, WriteFloatPoint},
    {kFormatDouble, WriteDoublePoint},   {kFormatWave8, WriteWavePoint},
    {kFormatWave16, WriteWavePoint},     {kFormatHtml, WriteHtmlPoint},
    {kFormatCoe, WriteFpgaPoint},        {kFormatMif, WriteFpgaPoint},
};

PointWriter PointWriterOf(int code) {
    for (const SPointWriterRow& row : kPointWriters)
        if (row.code == code)
            return row.write;
    return nullptr;
}
} // namespace

int WriteDataBytes(SFormatState& state, std::string& out, const double* a, const double* b, int n,
                   double minAll, double maxAll, int step, CHost& host) {
    if (n < 0)
        n = 0;
    const int code = state.code;
    if (!FormatCanWrite(code) || code == kFormatC || code == kFormatTiAsm) {
        const std::string name = FileFormatName(code);
        host.Error(
            FormatMessage(kMsgFormatCannotBeWritten, {name.empty() ? std::to_string(code) : name}));
        return 0;
    }
    if (b && (code == kFormatCoe || code == kFormatMif)) {
        host.Error(FormatMessage(kMsgFpgaOneColumn, {FileFormatName(code)}));
        return 0;
    }
    std::vector<int> order;
    if (!WriteOrder(n, step, order)) {
        host.Error(FormatMessage(
            kMsgStepDoesNotDivide,
            {std::to_string(n), std::to_string(step < 0 ? -static_cast<int64_t>(step) : step)}));
        return 0;
    }
    const int channels = b ? 2 : 1;
    SWaveHeader header;
    if (IsWaveFormat(code) &&
        !MakeWaveHeader(channels, state.waveSize == 0 ? 1 : 2, WaveRateOfOption(state.waveRate),
                        static_cast<uint64_t>(n), header)) {
        host.Error(kMsgWaveTooLong);
        return 0;
    }

    // Header.
    switch (code) {
    case kFormatPlot:
        if (!state.titles[0].empty() || !state.titles[1].empty() || !state.titles[2].empty())
            for (const std::string& t : state.titles)
                out += t + "\r\n";
        break;
    case kFormatFir:
        out += std::to_string(n) + "\r\n";
        break;
    case kFormatCoe:
    case kFormatMif:
        out += FpgaFileHeader(code, state.WordLength(), n);
        break;
    case kFormatWave:
    case kFormatWave8:
    case kFormatWave16: {
        const auto bytes = header.Bytes();
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        state.wave = header;
        state.code = state.waveSize == 0 ? kFormatWave8 : kFormatWave16;
        break;
    }
    default:
        break;
    }

    const int writeCode = state.code;
    const int bits = state.WordLength();
    const double fullScale = FormatFullScale(writeCode, state.fixedBits, true);
    if (!ConfirmOverflow(fullScale, minAll, maxAll, host))
        return 0;

    SPointText text;
    text.code = writeCode;
    text.bits = bits;
    text.count = n;
    const bool longData = n >= 2500;
    text.decWidth = longData ? 24 : 21;
    text.decDigits = longData ? 21 : 18;
    if (writeCode == kFormatFract)
        text.fixedWidth = static_cast<int>(std::trunc(std::log10(fullScale) + 2.0));
    else if (writeCode == kFormatHex)
        text.fixedWidth = (bits + 3) / 4;
    else if (writeCode == kFormatAdiPm)
        text.fixedWidth = 6;

    const PointWriter write = PointWriterOf(writeCode);
    if (!write)
        return 1;
    for (const int i : order) {
        const double va = a[i] * fullScale;
        const double vb = b ? b[i] * fullScale : 0.0;
        write(out, text, i, va, b ? &vb : nullptr);
        ++text.line;
    }
    if (writeCode == kFormatCoe || writeCode == kFormatMif)
        out += FpgaFileFooter(writeCode);
    return 1;
}
