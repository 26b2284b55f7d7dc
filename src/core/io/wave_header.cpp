#include "io/wave_header.h"

#include "io/io_messages.h"

#include <cstring>

namespace {
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
bool Tag(const uint8_t* p, const char* name) {
    return std::memcmp(p, name, 4) == 0;
}
} // namespace

uint32_t SWaveHeader::PointCount() const {
    const uint32_t bytes = static_cast<uint32_t>(BytesPerSample());
    if (channels == 0 || bytes == 0)
        return 0;
    return dataBytes / channels / bytes;
}

std::array<uint8_t, SWaveHeader::kSize> SWaveHeader::Bytes() const {
    std::array<uint8_t, kSize> b{};
    std::memcpy(&b[0], "RIFF", 4);
    Put32(&b[4], riffSize);
    std::memcpy(&b[8], "WAVE", 4);
    std::memcpy(&b[12], "fmt ", 4);
    Put32(&b[16], formatSize);
    Put16(&b[20], formatTag);
    Put16(&b[22], channels);
    Put32(&b[24], sampleRate);
    Put32(&b[28], byteRate);
    Put16(&b[32], blockAlign);
    Put16(&b[34], bitsPerSample);
    Put16(&b[36], extraBytes);
    std::memcpy(&b[38], "data", 4);
    Put32(&b[42], dataBytes);
    return b;
}

SWaveHeader SWaveHeader::FromBytes(const std::array<uint8_t, kSize>& b) {
    SWaveHeader h;
    h.riffSize = Get32(&b[4]);
    h.formatSize = Get32(&b[16]);
    h.formatTag = Get16(&b[20]);
    h.channels = Get16(&b[22]);
    h.sampleRate = Get32(&b[24]);
    h.byteRate = Get32(&b[28]);
    h.blockAlign = Get16(&b[32]);
    h.bitsPerSample = Get16(&b[34]);
    h.extraBytes = Get16(&b[36]);
    h.dataBytes = Get32(&b[42]);
    return h;
}

bool MakeWaveHeader(int channels, int bytesPerSample, uint32_t sampleRate, uint64_t points,
                    SWaveHeader& header) {
    const uint64_t block = static_cast<uint64_t>(channels) * static_cast<uint64_t>(bytesPerSample);
    const uint64_t dataBytes = block * points;
    if (dataBytes > 0xFFFFFFFFull - 38)
        return false;
    header = SWaveHeader{};
    header.channels = static_cast<uint16_t>(channels);
    header.sampleRate = sampleRate;
    header.blockAlign = static_cast<uint16_t>(block);
    header.byteRate = static_cast<uint32_t>(sampleRate * block);
    header.bitsPerSample = static_cast<uint16_t>(8 * bytesPerSample);
    header.dataBytes = static_cast<uint32_t>(dataBytes);
    header.riffSize = header.dataBytes + 38;
    return true;
}

uint32_t WaveRateOfOption(int option) {
    return option == 0 ? 11025u : (option == 1 ? 22050u : 44100u);
}

int WaveOptionOfRate(uint32_t sampleRate) {
    return sampleRate == 11025u ? 0 : (sampleRate == 22050u ? 1 : 2);
}

const char* ReadWaveHeader(const uint8_t* data, size_t size, SWaveHeader& header,
                           size_t& dataOffset) {
    if (size < 20 || !Tag(data, "RIFF") || !Tag(data + 8, "WAVE") || !Tag(data + 12, "fmt "))
        return kMsgNotWaveFile;
    SWaveHeader h;
    h.riffSize = Get32(data + 4);
    h.formatSize = Get32(data + 16);
    // A PCM format chunk has 16 bytes, or 18 with the count of extra bytes.
    if (h.formatSize >= 19 || h.formatSize < 16)
        return kMsgUnknownWaveFormatting;
    size_t pos = 20;
    if (size - pos < h.formatSize)
        return kMsgNotWaveFile;
    const uint8_t* fmt = data + pos;
    h.formatTag = Get16(fmt);
    h.channels = Get16(fmt + 2);
    h.sampleRate = Get32(fmt + 4);
    h.byteRate = Get32(fmt + 8);
    h.blockAlign = Get16(fmt + 12);
    h.bitsPerSample = Get16(fmt + 14);
    h.extraBytes = h.formatSize == 18 ? Get16(fmt + 16) : 0;
    if (h.formatTag != 1 || h.extraBytes != 0)
        return kMsgUnsupportedWaveFormat;
    // Only 8- and 16-bit samples of at least one channel can be decoded.
    if (h.channels == 0 || (h.bitsPerSample != 8 && h.bitsPerSample != 16))
        return kMsgUnsupportedWaveFormat;
    pos += h.formatSize + (h.formatSize & 1);
    // Chunks before "data" are skipped; a chunk of odd size is followed by a pad byte.
    for (;;) {
        if (pos > size || size - pos < 8)
            return kMsgWaveDataChunkMissing;
        const uint8_t* chunk = data + pos;
        const uint32_t chunkSize = Get32(chunk + 4);
        pos += 8;
        if (Tag(chunk, "data")) {
            h.dataBytes = chunkSize;
            break;
        }
        const uint64_t skip = static_cast<uint64_t>(chunkSize) + (chunkSize & 1u);
        if (skip > size - pos)
            return kMsgWaveDataChunkMissing;
        pos += static_cast<size_t>(skip);
    }
    header = h;
    dataOffset = pos;
    return nullptr;
}
