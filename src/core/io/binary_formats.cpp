// The binary formats (single and double precision floats, WAVE audio) and the FPGA coefficient
// and memory files.
#include "io/data_formats.h"

#include "io/fpga_files.h"
#include "io/io_messages.h"
#include "io/number_text.h"
#include "io/wave_header.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

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

template <typename T> T LoadLittleEndian(const uint8_t* p) {
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, p, sizeof(T));
    T v;
    std::memcpy(&v, bytes, sizeof(T));
    return v;
}

// The 1-based position of the first point whose value (or either value of a pair) is not a
// finite number; 0 when every one is.
size_t FirstNonFinite(const std::vector<double>& a, const std::vector<double>* b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (!std::isfinite(a[i]) || (b && !std::isfinite((*b)[i])))
            return i + 1;
    return 0;
}

// Float:Single and Float:Double: the values in the processor's little-endian layout, I and Q
// interleaved for two columns.
template <typename T> class CFloatFormat : public CDataFormat {
public:
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText&, int, double a,
                    const double* b) const override {
        AppendLittleEndian(out, Value(a));
        if (b)
            AppendLittleEndian(out, Value(*b));
    }
    bool ReadPoints(SFormatState&, CLineReader&, const SFileBytes& file, SReadColumns& columns,
                    CHost&) const override {
        std::vector<double>& a = *columns.a;
        std::vector<double>* b = columns.b;
        const size_t perPoint = sizeof(T) * (b ? 2 : 1);
        const size_t points = file.size / perPoint;
        a.reserve(points);
        if (b)
            b->reserve(points);
        for (size_t i = 0; i < points; ++i) {
            const uint8_t* p = file.data + i * perPoint;
            a.push_back(static_cast<double>(LoadLittleEndian<T>(p)));
            if (b)
                b->push_back(static_cast<double>(LoadLittleEndian<T>(p + sizeof(T))));
        }
        columns.badSample = FirstNonFinite(a, b);
        return true;
    }

private:
    static T Value(double x) {
        if constexpr (sizeof(T) == sizeof(float))
            return ToFloat(x);
        else
            return x;
    }
};

// WAVE audio of 8-bit or 16-bit samples, one or two channels.
class CWaveFormat : public CDataFormat {
public:
    bool PrepareWrite(SFormatState& state, int n, int channels, CHost& host) const override {
        SWaveHeader header;
        if (!MakeWaveHeader(channels, state.waveSize == 0 ? 1 : 2, WaveRateOfOption(state.waveRate),
                            static_cast<uint64_t>(n), header)) {
            host.Error(kMsgWaveTooLong);
            return false;
        }
        state.wave = header;
        return true;
    }
    void WriteHeader(SFormatState& state, int, std::string& out) const override {
        const auto bytes = state.wave.Bytes();
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        state.code = state.waveSize == 0 ? kFormatWave8 : kFormatWave16;
    }
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int, double a,
                    const double* b) const override {
        AppendSample(out, text.code, a);
        if (b)
            AppendSample(out, text.code, *b);
    }
    bool ReadHeader(SFormatState& state, CLineReader&, SFileBytes& file,
                    CHost& host) const override {
        SWaveHeader header;
        if (const char* error = ReadWaveHeader(file.data, file.size, header, file.dataOffset)) {
            host.Error(error);
            host.Error(kMsgInvalidHeader);
            return false;
        }
        state.wave = header;
        state.waveSize = header.BytesPerSample() - 1;
        state.waveRate = WaveOptionOfRate(header.sampleRate);
        state.code = header.BytesPerSample() == 1 ? kFormatWave8 : kFormatWave16;
        return true;
    }
    bool ReadPoints(SFormatState& state, CLineReader&, const SFileBytes& file,
                    SReadColumns& columns, CHost& host) const override {
        ReadSamples(state, file.data + file.dataOffset, file.size - file.dataOffset, *columns.a,
                    columns.b);
        if (columns.a->size() < state.wave.PointCount())
            host.Warning(
                FormatMessage(kMsgWaveEndsEarly, {std::to_string(columns.a->size()),
                                                  std::to_string(state.wave.PointCount())}));
        return true;
    }

private:
    static void AppendSample(std::string& out, int code, double v) {
        if (code == kFormatWave8) {
            const auto word =
                static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(v)) + 0x8000u);
            out.push_back(static_cast<char>(word >> 8));
        } else {
            const auto word =
                static_cast<uint16_t>(static_cast<uint64_t>(RoundToInt64(std::trunc(v + 0.5))));
            out.push_back(static_cast<char>(word & 0xFF));
            out.push_back(static_cast<char>(word >> 8));
        }
    }
    static void ReadSamples(const SFormatState& state, const uint8_t* data, size_t size,
                            std::vector<double>& a, std::vector<double>* b) {
        const size_t bytes = static_cast<size_t>(state.wave.BytesPerSample());
        const size_t block = bytes * state.wave.channels;
        // The count in the header is trusted only as far as the file holds samples.
        const size_t points = std::min<size_t>(state.wave.PointCount(), size / block);
        a.reserve(points);
        if (b)
            b->reserve(points);
        const double scale = 1.0 / FormatFullScale(state.code, state.fixedBits, false);
        for (size_t i = 0; i < points; ++i) {
            const uint8_t* p = data + i * block;
            for (int ch = 0; ch < (b ? 2 : 1); ++ch) {
                const uint8_t* s = p + ch * bytes;
                double v = 0.0;
                if (bytes == 1)
                    v = (static_cast<int>(s[0]) - 128) * 0.0078125;
                else
                    v = static_cast<int16_t>(static_cast<uint16_t>(s[0] | (s[1] << 8))) * scale;
                (ch == 0 ? a : *b).push_back(v);
            }
        }
    }
};

// FPGA:COE and FPGA:MIF: one column of words between the file's header and footer.
class CFpgaFormat : public CDataFormat {
public:
    bool AcceptColumns(int code, bool twoColumns, CHost& host) const override {
        if (!twoColumns)
            return true;
        host.Error(FormatMessage(kMsgFpgaOneColumn, {FileFormatName(code)}));
        return false;
    }
    void WriteHeader(SFormatState& state, int n, std::string& out) const override {
        out += FpgaFileHeader(state.code, state.WordLength(), n);
    }
    bool WritesPoints() const override { return true; }
    void WritePoint(std::string& out, const SPointText& text, int, double a,
                    const double*) const override {
        out += FpgaFileWord(text.code, text.bits, text.line, text.count, RoundToInt64(a));
    }
    void WriteFooter(const SPointText& text, std::string& out) const override {
        out += FpgaFileFooter(text.code);
    }
    // The words as fractions of the word's full scale; a MIF file's WIDTH sets the word length.
    bool ReadPoints(SFormatState& state, CLineReader&, const SFileBytes& file,
                    SReadColumns& columns, CHost& host) const override {
        int bits = state.WordLength();
        std::vector<int64_t> words;
        std::string error;
        if (!ParseFpgaFile(state.code,
                           std::string(reinterpret_cast<const char*>(file.data), file.size), bits,
                           words, error)) {
            host.Error(error);
            return false;
        }
        if (state.code == kFormatMif)
            state.fixedBits = bits;
        const double fullScale = FullScaleOfWordLength(bits);
        for (const int64_t w : words)
            columns.a->push_back(static_cast<double>(w) / fullScale);
        return true;
    }
};

} // namespace

const CDataFormat& FloatFormat() {
    static const CFloatFormat<float> format;
    return format;
}

const CDataFormat& DoubleFormat() {
    static const CFloatFormat<double> format;
    return format;
}

const CDataFormat& WaveFormat() {
    static const CWaveFormat format;
    return format;
}

const CDataFormat& FpgaFormat() {
    static const CFpgaFormat format;
    return format;
}
