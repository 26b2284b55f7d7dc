#include "io/io_messages.h"
#include "io/wave_header.h"
#include "io_test_bytes.h"

#include <gtest/gtest.h>

TEST(WaveHeader, WrittenHeaderMatchesLayout) {
    SWaveHeader h;
    ASSERT_TRUE(MakeWaveHeader(2, 2, 22050, 5, h));
    const auto bytes = h.Bytes();
    const CBytes expected = WaveHeader46(2, 22050, 16, 20);
    ASSERT_EQ(expected.Size(), 46u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected.Str());
    EXPECT_EQ(h.PointCount(), 5u);
    const SWaveHeader back = SWaveHeader::FromBytes(bytes);
    EXPECT_EQ(back.Bytes(), bytes);

    EXPECT_FALSE(MakeWaveHeader(2, 2, 44100, 0x40000000ull, h)); // data bytes beyond 32 bits
    EXPECT_EQ(WaveRateOfOption(0), 11025u);
    EXPECT_EQ(WaveRateOfOption(1), 22050u);
    EXPECT_EQ(WaveRateOfOption(2), 44100u);
    EXPECT_EQ(WaveRateOfOption(-7), 44100u);
    EXPECT_EQ(WaveOptionOfRate(11025), 0);
    EXPECT_EQ(WaveOptionOfRate(22050), 1);
    EXPECT_EQ(WaveOptionOfRate(48000), 2);
}

TEST(WaveHeader, ReadsHeadersOfOtherWriters) {
    // A 16-byte format chunk and a LIST chunk of odd size (with its pad byte) before the data.
    CBytes b;
    b.Text("RIFF").U32(0).Text("WAVE").Text("fmt ").U32(16);
    b.U16(1).U16(1).U32(48000).U32(96000).U16(2).U16(16);
    b.Text("LIST").U32(3).Text("abc").U8(0);
    b.Text("data").U32(4).U16(1).U16(2);
    SWaveHeader h;
    size_t offset = 0;
    ASSERT_EQ(ReadWaveHeader(b.Data(), b.Size(), h, offset), nullptr);
    EXPECT_EQ(offset, b.Size() - 4);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.sampleRate, 48000u);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.dataBytes, 4u);
    EXPECT_EQ(h.PointCount(), 2u);
}

TEST(WaveHeader, MalformedHeadersGiveTheirMessage) {
    auto withFormat = [](uint32_t size, unsigned tag, unsigned channels, unsigned bits,
                         unsigned extra) {
        CBytes b;
        b.Text("RIFF").U32(0).Text("WAVE").Text("fmt ").U32(size);
        b.U16(tag).U16(channels).U32(8000).U32(8000).U16(1).U16(bits);
        if (size >= 18)
            b.U16(extra);
        b.Text("data").U32(0);
        return b.Str();
    };
    const std::string good = WaveHeader46(1, 8000, 8, 0).Str();
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", kMsgNotWaveFile},
        {"19 bytes", good.substr(0, 19), kMsgNotWaveFile},
        {"not RIFF", "RIFX" + good.substr(4), kMsgNotWaveFile},
        {"not WAVE", good.substr(0, 8) + "AVI " + good.substr(12), kMsgNotWaveFile},
        {"no fmt", good.substr(0, 12) + "fmtX" + good.substr(16), kMsgNotWaveFile},
        {"format chunk 19", withFormat(19, 1, 1, 8, 0), kMsgUnknownWaveFormatting},
        {"format chunk 40", withFormat(40, 1, 1, 8, 0), kMsgUnknownWaveFormatting},
        {"format chunk 12", withFormat(12, 1, 1, 8, 0), kMsgUnknownWaveFormatting},
        {"format chunk cut", good.substr(0, 30), kMsgNotWaveFile},
        {"float samples", withFormat(18, 3, 1, 32, 0), kMsgUnsupportedWaveFormat},
        {"extra bytes", withFormat(18, 1, 1, 8, 2), kMsgUnsupportedWaveFormat},
        {"24-bit", withFormat(16, 1, 1, 24, 0), kMsgUnsupportedWaveFormat},
        {"no channels", withFormat(16, 1, 0, 16, 0), kMsgUnsupportedWaveFormat},
        {"no data chunk", good.substr(0, 38), kMsgWaveDataChunkMissing},
        {"cut chunk name", good.substr(0, 42), kMsgWaveDataChunkMissing},
        {"chunk past end",
         good.substr(0, 38) + CBytes().Text("JUNK").U32(0xFFFFFFF0u).Str() + good.substr(38),
         kMsgWaveDataChunkMissing},
    };
    for (const Case& c : cases) {
        SWaveHeader h;
        size_t offset = 0;
        const char* msg = ReadWaveHeader(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                         c.bytes.size(), h, offset);
        ASSERT_NE(msg, nullptr) << c.what;
        EXPECT_STREQ(msg, c.message) << c.what;
    }
}
