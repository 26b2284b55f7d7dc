#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The fields of a PCM WAVE header as this program writes it: RIFF, a format chunk of 18 bytes
// and the data chunk's name and size, 46 bytes in all.
struct SWaveHeader {
    static constexpr size_t kSize = 46;

    uint32_t riffSize = 0; // bytes after the RIFF size field: data bytes + 38
    uint32_t formatSize = 18;
    uint16_t formatTag = 1; // PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0; // samples per second
    uint32_t byteRate = 0;   // bytes per second
    uint16_t blockAlign = 0; // bytes per sample of all channels
    uint16_t bitsPerSample = 0;
    uint16_t extraBytes = 0;
    uint32_t dataBytes = 0;

    int BytesPerSample() const { return bitsPerSample / 8; }
    // Points the data chunk announces: data bytes / channels / bytes per sample.
    uint32_t PointCount() const;

    // The 46 bytes, little-endian.
    std::array<uint8_t, kSize> Bytes() const;
    static SWaveHeader FromBytes(const std::array<uint8_t, kSize>& bytes);
};

// A header for `points` points of `channels` channels of 8- or 16-bit samples at `sampleRate`
// samples per second. False when the data bytes do not fit the 32-bit size fields.
bool MakeWaveHeader(int channels, int bytesPerSample, uint32_t sampleRate, uint64_t points,
                    SWaveHeader& header);

// The writer's three sample rates: option 0 is 11025, 1 is 22050, any other 44100 samples per
// second; and the option a rate maps to (0, 1, else 2).
uint32_t WaveRateOfOption(int option);
int WaveOptionOfRate(uint32_t sampleRate);

// Reads the header at the start of a WAVE file: RIFF, a PCM format chunk and any chunks up to
// the one named "data". On success `header` holds the fields, `dataOffset` the position of the
// first sample and the result is nullptr; otherwise the result is the message that says why.
const char* ReadWaveHeader(const uint8_t* data, size_t size, SWaveHeader& header,
                           size_t& dataOffset);
