#include "io/data_file_reader.h"

#include "io/fpga_files.h"
#include "io/io_messages.h"
#include "io/number_text.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

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

// The title header of a Text:Plot file: three lines, unless every line that is there holds two
// numbers, which means the file starts with its data.
void ReadPlotTitles(SFormatState& state, CLineReader& reader) {
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
        return;
    }
    for (int i = 0; i < 3; ++i)
        state.titles[i] = lines[i];
}

// Scans one text line by format code into va (and vb when wanted). False when the line does
// not hold the values needed.
bool ScanTextLine(int code, int bits, double scale, std::string& line, bool wantB, double& va,
                  double& vb) {
    std::replace(line.begin(), line.end(), ',', ' ');
    const int needed = wantB ? 2 : 1;
    double values[2] = {0.0, 0.0};
    CNumberScanner scan(line);
    switch (code) {
    case kFormatDecimal:
    case kFormatFir:
        for (int i = 0; i < needed; ++i)
            if (!scan.ScanDouble(values[i]))
                return false;
        break;
    case kFormatPlot:
    case kFormatAnalyzer: {
        double x = 0.0;
        if (!scan.ScanDouble(x))
            return false;
        for (int i = 0; i < needed; ++i)
            if (!scan.ScanDouble(values[i]))
                return false;
        break;
    }
    case kFormatFract:
    case kFormatHex:
        for (int i = 0; i < needed; ++i) {
            uint64_t v = 0;
            if (!scan.ScanInteger(v, code == kFormatFract ? 0 : 16))
                return false;
            values[i] = static_cast<double>(SignExtend(v, bits)) * scale;
        }
        break;
    case kFormatBinary: {
        size_t pos = 0;
        for (int i = 0; i < needed; ++i) {
            uint64_t v = 0;
            if (!ScanBinaryGroup(line, pos, v))
                return false;
            values[i] = static_cast<double>(SignExtend(v, bits)) * scale;
        }
        break;
    }
    case kFormatAdiPm:
        for (int i = 0; i < needed; ++i) {
            uint64_t v = 0;
            if (!scan.ScanInteger(v, 16))
                return false;
            const auto word = static_cast<int16_t>(static_cast<uint16_t>((v >> 8) & 0xFFFFu));
            values[i] = static_cast<double>(word) * scale;
        }
        break;
    default:
        return false;
    }
    va = values[0];
    vb = values[1];
    return true;
}

// The 1-based position of the first point whose value (or either value of a pair) is not a
// finite number, counted from `first`; 0 when every one is.
size_t FirstNonFinite(const std::vector<double>& a, const std::vector<double>* b, size_t first) {
    for (size_t i = first; i < a.size(); ++i)
        if (!std::isfinite(a[i]) || (b && !std::isfinite((*b)[i])))
            return i + 1;
    return 0;
}

// Whether the line or any line after it holds more than white space.
bool TextRemains(const std::string& line, CLineReader& reader) {
    std::string rest = line;
    do {
        if (rest.find_first_not_of(" \t\r\n\f\v") != std::string::npos)
            return true;
    } while (reader.ReadLine(rest));
    return false;
}

// Reads lines until one does not scan. Returns the line number of the first value that is not
// a finite number (the read stops there), 0 when there is none. stoppedAt is the number of a
// line that did not scan with text at or after it, 0 when the read went to the end.
int ReadText(const SFormatState& state, CLineReader& reader, std::vector<double>& a,
             std::vector<double>* b, int& stoppedAt) {
    const int bits = state.WordLength();
    const double scale = 1.0 / FormatFullScale(state.code, state.fixedBits, false);
    std::string line;
    double va = 0.0;
    double vb = 0.0;
    stoppedAt = 0;
    while (reader.ReadLine(line)) {
        if (!ScanTextLine(state.code, bits, scale, line, b != nullptr, va, vb)) {
            const int number = reader.LineNumber();
            if (TextRemains(line, reader))
                stoppedAt = number;
            break;
        }
        if (!std::isfinite(va) || (b && !std::isfinite(vb)))
            return reader.LineNumber();
        a.push_back(va);
        if (b)
            b->push_back(vb);
    }
    return 0;
}

template <typename T> T LoadLittleEndian(const uint8_t* p) {
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, p, sizeof(T));
    T v;
    std::memcpy(&v, bytes, sizeof(T));
    return v;
}

template <typename T>
void ReadFloats(const uint8_t* data, size_t size, std::vector<double>& a, std::vector<double>* b) {
    const size_t perPoint = sizeof(T) * (b ? 2 : 1);
    const size_t points = size / perPoint;
    a.reserve(points);
    if (b)
        b->reserve(points);
    for (size_t i = 0; i < points; ++i) {
        const uint8_t* p = data + i * perPoint;
        a.push_back(static_cast<double>(LoadLittleEndian<T>(p)));
        if (b)
            b->push_back(static_cast<double>(LoadLittleEndian<T>(p + sizeof(T))));
    }
}

void ReadWaveSamples(const SFormatState& state, const uint8_t* data, size_t size,
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

// The words of a COE or MIF file as fractions of the word's full scale; a MIF file's WIDTH
// sets the word length.
bool ReadFpgaWords(SFormatState& state, const uint8_t* data, size_t size, std::vector<double>& a,
                   CHost& host) {
    int bits = state.WordLength();
    std::vector<int64_t> words;
    std::string error;
    if (!ParseFpgaFile(state.code, std::string(reinterpret_cast<const char*>(data), size), bits,
                       words, error)) {
        host.Error(error);
        return false;
    }
    if (state.code == kFormatMif)
        state.fixedBits = bits;
    const double fullScale = FullScaleOfWordLength(bits);
    for (const int64_t w : words)
        a.push_back(static_cast<double>(w) / fullScale);
    return true;
}

} // namespace

bool ReadDataBytes(SFormatState& state, const uint8_t* data, size_t size, std::vector<double>& a,
                   std::vector<double>* b, CHost& host, const std::string& name) {
    static const uint8_t kNoBytes[1] = {0};
    if (data == nullptr) {
        data = kNoBytes;
        size = 0;
    }
    CLineReader reader(data, size);
    std::string skipped;
    size_t dataOffset = 0;
    switch (state.code) {
    case kFormatPlot:
        ReadPlotTitles(state, reader);
        break;
    case kFormatFir:
        reader.ReadLine(skipped);
        break;
    case kFormatAnalyzer:
        for (int i = 0; i < 7; ++i)
            reader.ReadLine(skipped);
        break;
    case kFormatWave:
    case kFormatWave8:
    case kFormatWave16: {
        SWaveHeader header;
        if (const char* error = ReadWaveHeader(data, size, header, dataOffset)) {
            host.Error(error);
            host.Error(kMsgInvalidHeader);
            return false;
        }
        state.wave = header;
        state.waveSize = header.BytesPerSample() - 1;
        state.waveRate = WaveOptionOfRate(header.sampleRate);
        state.code = header.BytesPerSample() == 1 ? kFormatWave8 : kFormatWave16;
        break;
    }
    default:
        break;
    }

    if (b && state.Channels() < 2) {
        host.Warning(kMsgOneChannelOnly);
        b->clear();
        b = nullptr;
    }
    a.clear();
    if (b)
        b->clear();

    int badLine = 0;
    int stoppedAt = 0;
    size_t badSample = 0;
    switch (state.code) {
    case kFormatFloat:
        ReadFloats<float>(data, size, a, b);
        badSample = FirstNonFinite(a, b, 0);
        break;
    case kFormatDouble:
        ReadFloats<double>(data, size, a, b);
        badSample = FirstNonFinite(a, b, 0);
        break;
    case kFormatCoe:
    case kFormatMif:
        if (!ReadFpgaWords(state, data, size, a, host))
            return false;
        break;
    case kFormatWave8:
    case kFormatWave16:
        ReadWaveSamples(state, data + dataOffset, size - dataOffset, a, b);
        if (a.size() < state.wave.PointCount())
            host.Warning(
                FormatMessage(kMsgWaveEndsEarly,
                              {std::to_string(a.size()), std::to_string(state.wave.PointCount())}));
        break;
    default:
        badLine = ReadText(state, reader, a, b, stoppedAt);
        break;
    }
    if (badLine > 0 || badSample > 0) {
        host.Error(badLine > 0
                       ? FormatMessage(kMsgNotFiniteAtLine, {name, std::to_string(badLine)})
                       : FormatMessage(kMsgNotFiniteAtSample, {name, std::to_string(badSample)}));
        a.clear();
        if (b)
            b->clear();
        return false;
    }
    if (stoppedAt > 0 && !a.empty())
        host.ShowMessage(FormatMessage(kMsgReadStoppedAtLine,
                                       {name, std::to_string(stoppedAt), std::to_string(a.size())}),
                         EMsgIcon::Exclamation);
    return !a.empty();
}
