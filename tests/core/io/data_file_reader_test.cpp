#include "io/data_file_reader.h"
#include "io/io_messages.h"
#include "io_test_bytes.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Read {
    bool ok = false;
    std::vector<double> a, b;
    int stoppedAt = 0; // the line a warning says the read stopped at
};

// The line number of a warning that a read stopped early, 0 for any other message.
int StoppedAt(const std::string& message) {
    const std::string prefix = "Reading \"\" stopped at line ";
    return message.rfind(prefix, 0) == 0 ? std::atoi(message.c_str() + prefix.size()) : 0;
}

Read ReadAs(SFormatState& state, const std::string& bytes, bool complex, CScriptedHost& host) {
    Read r;
    r.a = {99.0}; // the reader empties its columns first
    r.b = {99.0};
    r.ok = ReadDataBytes(state, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), r.a,
                         complex ? &r.b : nullptr, host);
    return r;
}

Read ReadAs(int code, int bits, const std::string& bytes, bool complex) {
    SFormatState state;
    state.code = code;
    state.fixedBits = bits;
    CScriptedHost host;
    Read r = ReadAs(state, bytes, complex, host);
    for (const auto& m : host.messages) {
        r.stoppedAt = StoppedAt(m.text);
        EXPECT_GT(r.stoppedAt, 0) << m.text;
    }
    return r;
}

} // namespace

// The line at which a case's read stops early with text after it (a warning says so).
int StopLine(const std::string& what) {
    for (const char* stops : {"decimal stops at blank", "decimal needs both", "binary blank ends"})
        if (what == stops)
            return 2;
    return 0;
}

TEST(DataFileReader, TextStyles) {
    using V = std::vector<double>;
    struct Case {
        const char* what;
        int code;
        int bits;
        const char* text;
        bool complex;
        V a, b;
    };
    const Case cases[] = {
        {"decimal, comma", 0, 16, "1.5, -2\r\n", true, {1.5}, {-2}},
        {"decimal real", 0, 16, "0.25\n-0.5 7\n", false, {0.25, -0.5}, {}},
        {"decimal word first", 0, 16, "abc\n1\n", false, {}, {}},
        {"decimal stops at blank", 0, 16, "1\n\n2\n", false, {1}, {}},
        {"decimal needs both", 0, 16, "1 2\n3\n4 5\n", true, {1}, {2}},
        {"decimal last line open", 0, 16, "1\n2", false, {1, 2}, {}},
        {"FIR count ignored", 2, 16, "7\n1\n2\n", false, {1, 2}, {}},
        {"analyzer",
         6,
         16,
         "a\nb\nc\nd\ne\nf\ng\n0 0.5 0.25\n1 1.5 2.5\n",
         true,
         {0.5, 1.5},
         {0.25, 2.5}},
        {"analyzer needs x", 6, 16, "\n\n\n\n\n\n\n0.5\n", false, {}, {}},
        {"fract",
         3,
         16,
         "16384 -16384\n0x4000 -0x4000\n",
         true,
         {16384 / 32767.0, 16384 / 32767.0},
         {-16384 / 32767.0, -16384 / 32767.0}},
        {"fract low bits", 3, 8, "255\n384\n", false, {-1 / 127.0, -128 / 127.0}, {}},
        {"hex",
         4,
         16,
         "4000 C000\nFFFFC000 0x7fff\n",
         true,
         {16384 / 32767.0, -16384 / 32767.0},
         {-16384 / 32767.0, 1.0}},
        {"binary 4 bits",
         5,
         4,
         "0100 1100\n  10x1  0111\n",
         true,
         {4 / 7.0, 5 / 7.0},
         {-4 / 7.0, 1.0}},
        {"binary blank ends", 5, 4, "0100\n\n0001\n", false, {4 / 7.0}, {}},
        {"binary needs two groups", 5, 4, "0100 \n", true, {}, {}},
        {"ADI PM",
         12,
         16,
         "800100 7FFF00\n400000, C00000\n",
         true,
         {-1.0, 16384 / 32767.0},
         {1.0, -16384 / 32767.0}},
        {"plot no header",
         1,
         16,
         "0 0.5\n1 0.25\n2 0.125\n3 1\n",
         false,
         {0.5, 0.25, 0.125, 1},
         {}},
        {"plot header", 1, 16, "Main\nY\nX\n0 0.5 -1\n", true, {0.5}, {-1}},
        {"plot two points", 1, 16, "0 0.5\n1 0.25\n", false, {0.5, 0.25}, {}},
        {"not readable", 7, 16, "1\n2\n", false, {}, {}},
    };
    for (const Case& c : cases) {
        const Read r = ReadAs(c.code, c.bits, c.text, c.complex);
        EXPECT_EQ(r.ok, !c.a.empty()) << c.what;
        EXPECT_EQ(r.stoppedAt, StopLine(c.what)) << c.what;
        ASSERT_EQ(r.a.size(), c.a.size()) << c.what;
        for (size_t i = 0; i < c.a.size(); ++i)
            EXPECT_DOUBLE_EQ(r.a[i], c.a[i]) << c.what << " a[" << i << "]";
        if (c.complex) {
            ASSERT_EQ(r.b.size(), c.b.size()) << c.what;
            for (size_t i = 0; i < c.b.size(); ++i)
                EXPECT_DOUBLE_EQ(r.b[i], c.b[i]) << c.what << " b[" << i << "]";
        }
    }
}

TEST(DataFileReader, PlotTitlesAreKeptOrCleared) {
    SFormatState state;
    state.code = 1;
    CScriptedHost host;
    Read r = ReadAs(state, "Response\nGain\nTime\n0 1\n", false, host);
    EXPECT_EQ(r.a, std::vector<double>{1});
    EXPECT_EQ(state.titles[0], "Response");
    EXPECT_EQ(state.titles[1], "Gain");
    EXPECT_EQ(state.titles[2], "Time");
    r = ReadAs(state, "0 1\n1 2\n2 3\n", false, host);
    EXPECT_EQ(r.a, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(state.titles[0], "");
    EXPECT_EQ(state.titles[2], "");
}

TEST(DataFileReader, BinaryLongLineGroupsMustEndWithinTheLine) {
    // The second group starts within the first 256 characters but does not end there.
    const std::string line = "0111 " + std::string(300, '1') + "\n";
    EXPECT_TRUE(ReadAs(5, 4, line, true).a.empty());
    EXPECT_EQ(ReadAs(5, 4, line, false).a, std::vector<double>{1.0});
}

TEST(DataFileReader, BinaryFloatingPoint) {
    const float f[] = {0.5f, -1.25f, 3.0f};
    const double d[] = {0.1, -2.0, 1e-300};
    CBytes fb, db;
    fb.Raw(f, sizeof f).U8(0x12); // a trailing partial value is not read
    db.Raw(d, sizeof d);
    Read r = ReadAs(8, 16, fb.Str(), false);
    EXPECT_EQ(r.a, (std::vector<double>{0.5, -1.25, 3.0}));
    r = ReadAs(8, 16, fb.Str(), true); // the third value has no partner
    EXPECT_EQ(r.a, std::vector<double>{0.5});
    EXPECT_EQ(r.b, std::vector<double>{-1.25});
    r = ReadAs(9, 16, db.Str(), false);
    EXPECT_EQ(r.a, (std::vector<double>{0.1, -2.0, 1e-300}));
    EXPECT_FALSE(ReadAs(9, 16, "1234567", false).ok);
}

TEST(DataFileReader, WaveSamples) {
    CScriptedHost host;
    {
        // 16-bit stereo read as real keeps the first channel; the header rate is imported.
        CBytes b = WaveHeader46(2, 48000, 16, 12);
        b.U16(0x4000).U16(0x0001).U16(0x8001).U16(0x0002).U16(0x7FFF).U16(0x0003);
        SFormatState state;
        state.code = 10;
        Read r = ReadAs(state, b.Str(), false, host);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.a, (std::vector<double>{16384 / 32767.0, -1.0, 1.0}));
        EXPECT_EQ(state.code, 101);
        EXPECT_EQ(state.waveSize, 1);
        EXPECT_EQ(state.waveRate, 2);
        EXPECT_EQ(state.wave.sampleRate, 48000u);
        EXPECT_EQ(state.wave.channels, 2);
        // Read again as complex: both channels.
        r = ReadAs(state, b.Str(), true, host);
        EXPECT_EQ(r.b, (std::vector<double>{1 / 32767.0, 2 / 32767.0, 3 / 32767.0}));
    }
    {
        // 8-bit mono, the header announcing more points than the file holds.
        CBytes b = WaveHeader46(1, 11025, 8, 1000000);
        b.U8(0x80).U8(0xFF).U8(0x00);
        SFormatState state;
        state.code = 100;
        Read r = ReadAs(state, b.Str(), false, host);
        EXPECT_EQ(r.a, (std::vector<double>{0.0, 127 / 128.0, -1.0}));
        EXPECT_LT(r.a.capacity(), 100u);
        EXPECT_EQ(state.code, 100);
        EXPECT_EQ(state.waveSize, 0);
        EXPECT_EQ(state.waveRate, 0);
        // What the file holds is read, with how much of the announced data that is.
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, FormatMessage(kMsgWaveEndsEarly, {"3", "1000000"}));
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Exclamation);
        // Complex from a one-channel file: the warning, then the real part alone.
        host.messages.clear();
        r = ReadAs(state, b.Str(), true, host);
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[0].text, kMsgOneChannelOnly);
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Exclamation);
        EXPECT_EQ(r.a.size(), 3u);
        EXPECT_TRUE(r.b.empty());
    }
}

TEST(DataFileReader, BadWaveHeaderIsReportedTwice) {
    CScriptedHost host;
    SFormatState state;
    state.code = 10;
    Read r = ReadAs(state, "RIFF....WAVEfmt \x10", false, host);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, kMsgNotWaveFile);
    EXPECT_EQ(host.messages[1].text, kMsgInvalidHeader);
    EXPECT_EQ(host.messages[1].icon, EMsgIcon::Stop);
    EXPECT_EQ(state.code, 10);
    EXPECT_EQ(r.a, std::vector<double>{99.0}); // nothing read, nothing emptied
}
