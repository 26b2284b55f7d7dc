#include "io/data_file_writer.h"
#include "io/io_messages.h"
#include "io_test_bytes.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <limits>

using namespace std::string_literals;

namespace {

const std::vector<double> kA = {0.5, -0.5, 0.25};
const std::vector<double> kB = {0.125, -1.0, 0.0};

std::string Write(SFormatState& state, bool complex, CScriptedHost& host, int step = 1,
                  const std::vector<double>& a = kA, const std::vector<double>& b = kB) {
    std::string out;
    const int ok = WriteDataBytes(state, out, a.data(), complex ? b.data() : nullptr,
                                  static_cast<int>(a.size()), -1.0, 0.5, step, host);
    EXPECT_EQ(ok, 1) << host.LastMessage();
    return out;
}

std::string Write(int code, int bits, bool complex) {
    SFormatState state;
    state.code = code;
    state.fixedBits = bits;
    CScriptedHost host;
    std::string out = Write(state, complex, host);
    EXPECT_TRUE(host.messages.empty() && host.questions.empty());
    return out;
}

} // namespace

TEST(DataFileWriter, TextFormatsByteExact) {
    struct Case {
        const char* what;
        int code;
        int bits;
        bool complex;
        const char* expected;
    };
    const Case cases[] = {
        {"decimal", 0, 16, false,
         " 0.500000000000000000\r\n-0.500000000000000000\r\n 0.250000000000000000\r\n"},
        {"FIR", 2, 16, false,
         "3\r\n 0.500000000000000000\r\n-0.500000000000000000\r\n 0.250000000000000000\r\n"},
        {"plot complex", 1, 16, true,
         "0  0.500000000000000000  0.125000000000000000\r\n"
         "1 -0.500000000000000000 -1.000000000000000000\r\n"
         "2  0.250000000000000000  0.000000000000000000\r\n"},
        {"fract", 3, 16, true, " 16384   4096\r\n-16384 -32767\r\n  8192      0\r\n"},
        {"hex", 4, 16, true, "4000 1000\r\nC000 8001\r\n2000 0000\r\n"},
        {"hex 6 bits", 4, 6, false, "10\r\nF0\r\n08\r\n"},
        {"binary", 5, 4, true, "0100 0001\r\n1100 1001\r\n0010 0000\r\n"},
        {"ADI PM", 12, 16, true, "400000 100000\r\nC00000 800100\r\n200000 000000\r\n"},
        {"report", 13, 16, true,
         "  h[0] =  0.500000000000000000 +  0.125000000000000000i\r\n"
         "  h[1] = -0.500000000000000000 -  1.000000000000000000i\r\n"
         "  h[2] =  0.250000000000000000 +  0.000000000000000000i\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Write(c.code, c.bits, c.complex), c.expected) << c.what;
}

TEST(DataFileWriter, PlotTitlesAndLongDecimal) {
    SFormatState state;
    state.code = 1;
    state.titles[0] = "T";
    state.titles[2] = "X";
    CScriptedHost host;
    EXPECT_EQ(Write(state, false, host, 1, {1.0}), "T\r\n\r\nX\r\n0  1.000000000000000000\r\n");

    // From 2500 points on, three more decimals.
    state = SFormatState{};
    state.code = 0;
    const std::vector<double> many(2500, -0.5);
    const std::string out = Write(state, false, host, 1, many);
    EXPECT_EQ(out.substr(0, 26), "-0.500000000000000000000\r\n");
    EXPECT_EQ(out.size(), 2500u * 26);
}

TEST(DataFileWriter, BinaryFormatsByteExact) {
    CBytes f, d;
    for (size_t i = 0; i < kA.size(); ++i) {
        const float fa = static_cast<float>(kA[i]), fb = static_cast<float>(kB[i]);
        f.Raw(&fa, 4).Raw(&fb, 4);
        d.Raw(&kA[i], 8);
    }
    EXPECT_EQ(Write(8, 16, true), f.Str());
    EXPECT_EQ(Write(9, 16, false), d.Str());
}

TEST(DataFileWriter, WaveByteExact) {
    CScriptedHost host;
    SFormatState state;
    state.code = 10;
    state.waveSize = 0;
    state.waveRate = 0;
    CBytes eight = WaveHeader46(2, 11025, 8, 6);
    eight.U8(0xC0).U8(0x90).U8(0x40).U8(0x00).U8(0xA0).U8(0x80);
    EXPECT_EQ(Write(state, true, host), eight.Str());
    EXPECT_EQ(state.code, 100);
    EXPECT_EQ(state.wave.channels, 2);

    state.code = 100;
    state.waveSize = 1;
    state.waveRate = 1;
    CBytes sixteen = WaveHeader46(1, 22050, 16, 6);
    sixteen.U16(0x4000).U16(0xC001).U16(0x2000);
    EXPECT_EQ(Write(state, false, host), sixteen.Str());
    EXPECT_EQ(state.code, 101);

    // 0 becomes 0x80, 1.0 0xFF and -1.0 0x00 in 8-bit samples.
    state.code = 10;
    state.waveSize = 0;
    const std::string out = Write(state, false, host, 1, {0.0, 1.0, -1.0});
    EXPECT_EQ(out.substr(46), "\x80\xFF\x00"s);
}

TEST(DataFileWriter, OverflowQuestion) {
    const std::vector<double> big = {2.0, -0.5};
    {
        // Declined: the WAVE header is already written, no samples.
        CScriptedHost host;
        host.QueueAnswer(EAnswer::No);
        SFormatState state;
        state.code = 10;
        std::string out;
        EXPECT_EQ(WriteDataBytes(state, out, big.data(), nullptr, 2, -0.5, 2.0, 1, host), 0);
        ASSERT_EQ(host.questions, std::vector<std::string>{kMsgOverflowQuestion});
        EXPECT_EQ(out.size(), 46u);
    }
    {
        // Accepted: the values are written as they are, cut to the word.
        CScriptedHost host;
        host.QueueAnswer(EAnswer::Yes);
        SFormatState state;
        state.code = 4;
        state.fixedBits = 8;
        std::string out;
        EXPECT_EQ(WriteDataBytes(state, out, big.data(), nullptr, 2, -0.5, 2.0, 1, host), 1);
        EXPECT_EQ(out, "FE\r\nC0\r\n"); // 254 and -64 (two's complement)
    }
    {
        // Full scale 1: no question, whatever the values.
        CScriptedHost host;
        SFormatState state;
        state.code = 0;
        std::string out;
        EXPECT_EQ(WriteDataBytes(state, out, big.data(), nullptr, 2, -5.0, 5.0, 1, host), 1);
        EXPECT_TRUE(host.questions.empty());
    }
    {
        // The extremes of the whole data set count, not only the written column.
        CScriptedHost host;
        host.QueueAnswer(EAnswer::No);
        SFormatState state;
        state.code = 3;
        std::string out;
        EXPECT_EQ(WriteDataBytes(state, out, kA.data(), nullptr, 3, -1.5, 0.5, 1, host), 0);
        EXPECT_EQ(host.questions.size(), 1u);
        EXPECT_TRUE(out.empty());
    }
}

TEST(DataFileWriter, PolyphaseOrder) {
    struct Case {
        int n, step;
        std::vector<int> order;
    };
    const Case cases[] = {
        {9, 3, {0, 3, 6, 1, 4, 7, 2, 5, 8}},
        {9, -3, {6, 3, 0, 7, 4, 1, 8, 5, 2}},
        {4, 1, {0, 1, 2, 3}},
        {4, 0, {0, 1, 2, 3}},
        {4, -1, {3, 2, 1, 0}},
        {4, 4, {0, 1, 2, 3}},
        {4, -4, {0, 1, 2, 3}},
        {6, 2, {0, 2, 4, 1, 3, 5}},
        {0, 5, {}},
    };
    for (const Case& c : cases) {
        std::vector<int> order;
        EXPECT_TRUE(WriteOrder(c.n, c.step, order)) << c.n << " " << c.step;
        EXPECT_EQ(order, c.order) << c.n << " " << c.step;
    }
    std::vector<int> order;
    for (int step : {2, -2, 4, 6, -7, std::numeric_limits<int>::min()})
        EXPECT_FALSE(WriteOrder(5, step, order)) << step;
    EXPECT_TRUE(order.empty());
}

TEST(DataFileWriter, StepThatDoesNotDivideIsRefused) {
    CScriptedHost host;
    SFormatState state;
    state.code = 2;
    std::string out;
    EXPECT_EQ(WriteDataBytes(state, out, kA.data(), nullptr, 3, -1.0, 1.0, -2, host), 0);
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "The number of points (3) is not a multiple of the interleave factor (2).");
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);

    // Interleaved: the polyphase components one after the other.
    std::vector<double> v;
    for (int i = 0; i < 6; ++i)
        v.push_back(i / 127.0);
    state.code = 4;
    state.fixedBits = 8;
    host.messages.clear();
    EXPECT_EQ(WriteDataBytes(state, out, v.data(), nullptr, 6, 0, 0.5, 2, host), 1)
        << host.LastMessage();
    EXPECT_EQ(out, "00\r\n02\r\n04\r\n01\r\n03\r\n05\r\n");
}

TEST(DataFileWriter, FormatsThatCannotBeWrittenAreRefused) {
    for (int code : {-1, 6, 7, 11, 65535}) {
        CScriptedHost host;
        SFormatState state;
        state.code = code;
        std::string out;
        EXPECT_EQ(WriteDataBytes(state, out, kA.data(), nullptr, 3, -1.0, 1.0, 1, host), 0);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(host.messages.size(), 1u) << code;
    }
}
