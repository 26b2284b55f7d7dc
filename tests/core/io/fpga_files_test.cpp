#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "io/fpga_files.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 0.5, -0.5 and -1.0 in 6-bit words (full scale 31), and 1.5, beyond the word, which keeps its
// low bits as in the other fixed-point formats.
const std::vector<double> kTaps = {0.5, -0.5, -1.0, 1.5};

std::string Write(int code, const std::vector<double>& taps, CScriptedHost& host) {
    SFormatState state;
    state.code = code;
    state.fixedBits = 6;
    std::string out;
    EXPECT_EQ(WriteDataBytes(state, out, taps.data(), nullptr, static_cast<int>(taps.size()), -1.0,
                             1.5, 1, host),
              1);
    return out;
}

struct SRead {
    bool ok = false;
    std::vector<double> words; // the values read, in words of the file's width
    int bits = 0;
    std::string message;
};

SRead Read(int code, const std::string& text, int bits = 16) {
    SFormatState state;
    state.code = code;
    state.fixedBits = bits;
    std::vector<double> a;
    CScriptedHost host;
    SRead r;
    r.ok = ReadDataBytes(state, reinterpret_cast<const uint8_t*>(text.data()), text.size(), a,
                         nullptr, host, "f");
    r.bits = state.fixedBits;
    for (const double v : a)
        r.words.push_back(std::round(v * FullScaleOfWordLength(state.fixedBits)));
    r.message = host.LastMessage();
    return r;
}

} // namespace

TEST(FpgaFiles, WrittenByteExactAndReadBack) {
    CScriptedHost host;
    host.QueueAnswer(EAnswer::Yes); // write the value beyond -1..1
    const std::string coe = Write(kFormatCoe, kTaps, host);
    EXPECT_EQ(coe, "radix=10;\r\ncoefdata=\r\n16,\r\n-16,\r\n-31,\r\n-17;\r\n");
    host.QueueAnswer(EAnswer::Yes);
    const std::string mif = Write(kFormatMif, kTaps, host);
    EXPECT_EQ(mif, "WIDTH=6;\r\nDEPTH=4;\r\n\r\nADDRESS_RADIX=UNS;\r\nDATA_RADIX=DEC;\r\n\r\n"
                   "CONTENT BEGIN\r\n\t0 : 16;\r\n\t1 : 48;\r\n\t2 : 33;\r\n\t3 : 47;\r\nEND;\r\n");

    const std::vector<double> words = {16, -16, -31, -17};
    const SRead coeBack = Read(kFormatCoe, coe, 6);
    EXPECT_TRUE(coeBack.ok);
    EXPECT_EQ(coeBack.words, words);
    // A MIF file carries its word length.
    const SRead mifBack = Read(kFormatMif, mif, 16);
    EXPECT_TRUE(mifBack.ok);
    EXPECT_EQ(mifBack.bits, 6);
    EXPECT_EQ(mifBack.words, words);
}

TEST(FpgaFiles, ReadsTheSpellingsOfOtherTools) {
    struct Case {
        const char* what;
        int code;
        const char* text;
        std::vector<double> words;
    };
    const Case cases[] = {
        {"COE: comments, several words a line",
         kFormatCoe,
         "; filter\nRadix = 10 ;\nCoefData = 1, -2, 3,\n 4 -5;\n",
         {1, -2, 3, 4, -5}},
        {"COE: memory form in hexadecimal",
         kFormatCoe,
         "memory_initialization_radix=16;\nmemory_initialization_vector=7fff 8000 FFFF;",
         {32767, -32768, -1}},
        {"MIF: ranges, several words at an address, comments",
         kFormatMif,
         "-- made elsewhere\nWIDTH=8; DEPTH=6; % block comment %\nADDRESS_RADIX=HEX;\n"
         "DATA_RADIX=DEC;\nCONTENT BEGIN\n [0..1] : -3;\n 2 : 4 5;\n 5 : 255;\nEND;\n",
         {-3, -3, 4, 5, 0, -1}},
        {"MIF: hexadecimal data by default",
         kFormatMif,
         "WIDTH=16;\nDEPTH=2;\nCONTENT BEGIN\n0 : 8001;\n1 : 0002;\nEND;",
         {-32767, 2}},
    };
    for (const Case& c : cases) {
        const SRead r = Read(c.code, c.text);
        EXPECT_TRUE(r.ok) << c.what << ": " << r.message;
        EXPECT_EQ(r.words, c.words) << c.what;
    }
}

TEST(FpgaFiles, RefusesWhatIsNotSuchAFile) {
    struct Case {
        int code;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {kFormatCoe, "radix=7;\ncoefdata=1;", "Radix \"7\" is not one the reader knows."},
        {kFormatCoe, "radix=10;\ncoefdata=1,x2;",
         "\"x2\" is not a word of the file's radix and width."},
        {kFormatCoe, "radix=10;\ncoefdata=70000;",
         "\"70000\" is not a word of the file's radix and width."},
        {kFormatCoe, "radix=10;", kMsgFpgaNoWords},
        {kFormatCoe, "1.5 2.5", "\"1.5 2.5\" is not a statement of this file format."},
        {kFormatMif, "WIDTH=8;\nDEPTH=2;\nCONTENT BEGIN\n2 : 1;\nEND;",
         "Address \"2\" is beyond the file's depth."},
        {kFormatMif, "WIDTH=8;\nDEPTH=2;\nCONTENT BEGIN\n1 : 1 2;\nEND;",
         "Address \"1\" is beyond the file's depth."},
        {kFormatMif, "DEPTH=2;\nCONTENT BEGIN\n0 : 1;\nEND;",
         "\"CONTENT BEGIN\n0 : 1\" is not a statement of this file format."},
        {kFormatMif, "WIDTH=8;\nDEPTH=99999999;",
         "\"DEPTH=99999999\" is not a statement of this "
         "file format."},
    };
    for (const Case& c : cases) {
        const SRead r = Read(c.code, c.text);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_TRUE(r.words.empty()) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
}

TEST(FpgaFiles, OneColumnOnly) {
    SFormatState state;
    state.code = kFormatCoe;
    const std::vector<double> a = {0.5}, b = {0.25};
    std::string out;
    CScriptedHost host;
    EXPECT_EQ(WriteDataBytes(state, out, a.data(), b.data(), 1, 0.0, 0.5, 1, host), 0);
    EXPECT_EQ(host.LastMessage(), "A FPGA:COE file holds one column of words: write the quadrature "
                                  "part to a file of its own.");
    EXPECT_TRUE(out.empty());
}
