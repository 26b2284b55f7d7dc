#include "data/format_options.h"

#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Bytes {
    std::vector<uint8_t> b;
    Bytes& raw(const void* p, size_t n) {
        const auto* c = static_cast<const uint8_t*>(p);
        b.insert(b.end(), c, c + n);
        return *this;
    }
    Bytes& i16(int16_t v) { return raw(&v, 2); }
    Bytes& u16(uint16_t v) { return raw(&v, 2); }
    Bytes& i32(int32_t v) { return raw(&v, 4); }
    Bytes& str(const std::string& s) { // short strings only
        b.push_back(static_cast<uint8_t>(s.size()));
        return raw(s.data(), s.size());
    }
};

// A record with every field away from its default.
CFileFormatOpts Sample() {
    CFileFormatOpts r;
    r.m_nFormat = 101;
    r.m_WavFmt.m_nSampleSize = 1;
    r.m_WavFmt.m_nSampleRate = 2;
    r.m_FixedPoint.m_nBits = 12;
    CAsmOpts& a = r.m_AsmOpts;
    a.m_strBaseName = "LPF";
    a.m_bShowLength = 0;
    a.m_bShowRatio = 1;
    a.m_strRatio = "4";
    a.m_nDataFormat = CAsmOpts::HexInt;
    a.m_bShowOtherFormat = 0;
    a.m_bShowFloat = 2; // stored as given, to tell the two flags apart
    a.m_bShowGraph = 0;
    a.m_strInitialText = ".data";
    a.m_strFinalText = "; end";
    r.m_OptionsC.m_strName = "h";
    r.m_OptionsC.m_strType = "double";
    r.m_OptionsC.m_strSuffix = "L";
    return r;
}

// The bytes of Sample() at a stream version.
std::vector<uint8_t> SampleBytes(int version) {
    Bytes x;
    x.i16(1).i16(2).u16(101);
    if (version >= 4) // name, final text, graph, initial text, length, ratio, ratio text,
                      // data format, floating point, other format
        x.str("LPF").str("; end").i32(0).str(".data").i32(0).i32(1).str("4").i32(1).i32(2).i32(0);
    if (version >= 5) {
        x.str("h").str("double");
        if (version >= 16)
            x.str("L");
    }
    if (version >= 12)
        x.i32(12);
    return x.b;
}

} // namespace

TEST(FormatOptions, Defaults) {
    const CFileFormatOpts r;
    EXPECT_EQ(r.m_nFormat, -1);
    EXPECT_EQ(r.m_FixedPoint.m_nBits, 16);
    EXPECT_EQ(r.m_WavFmt.m_nSampleSize, 0);
    EXPECT_EQ(r.m_WavFmt.m_nSampleRate, 0);
    EXPECT_EQ(r.m_AsmOpts.m_strInitialText, "   .text");
    EXPECT_EQ(r.m_AsmOpts.m_bShowLength, 1);
    EXPECT_EQ(r.m_AsmOpts.m_bShowRatio, 0);
    EXPECT_EQ(r.m_AsmOpts.m_nDataFormat, CAsmOpts::DecimalInt);
    EXPECT_EQ(r.m_AsmOpts.m_bShowOtherFormat, 1);
    EXPECT_EQ(r.m_AsmOpts.m_bShowFloat, 1);
    EXPECT_EQ(r.m_AsmOpts.m_bShowGraph, 1);
    EXPECT_EQ(r.m_OptionsC.m_strType, "float");
    EXPECT_EQ(r.m_OptionsC.m_strSuffix, "f");
    EXPECT_TRUE(r.m_OptionsC.m_strName.empty());

    CArchiveWriter ar; // -1 is stored as 0xFFFF and reads back as 65535
    r.Serialize(ar, 20);
    EXPECT_EQ(ar.Bytes()[4], 0xFF);
    EXPECT_EQ(ar.Bytes()[5], 0xFF);
    CFileFormatOpts back;
    CArchiveReader in(ar.Bytes());
    back.Serialize(in, 20);
    EXPECT_EQ(back.m_nFormat, 65535);
}

TEST(FormatOptions, BytesByVersion) {
    const CFileFormatOpts sample = Sample();
    for (int version : {3, 4, 5, 11, 12, 15, 16, 20}) {
        CArchiveWriter ar;
        sample.Serialize(ar, version);
        EXPECT_EQ(ar.Bytes(), SampleBytes(version)) << version;

        // Reading keeps the values of the fields an older stream does not have.
        const std::vector<uint8_t> bytes = SampleBytes(version);
        CFileFormatOpts r;
        CArchiveReader in(bytes);
        r.Serialize(in, version);
        EXPECT_TRUE(in.AtEnd()) << version;
        EXPECT_EQ(r.m_nFormat, 101);
        EXPECT_EQ(r.m_WavFmt.m_nSampleSize, 1);
        EXPECT_EQ(r.m_WavFmt.m_nSampleRate, 2);
        EXPECT_EQ(r.m_AsmOpts == sample.m_AsmOpts, version >= 4) << version;
        EXPECT_EQ(r.m_OptionsC.m_strType, version >= 5 ? "double" : "float") << version;
        EXPECT_EQ(r.m_FixedPoint.m_nBits, version >= 12 ? 12 : 16) << version;
    }
}

TEST(FormatOptions, SuffixOfOlderStreams) {
    struct Case {
        int version;
        const char* type;
        const char* storedSuffix; // nullptr: none in the stream
        const char* suffix;
    };
    const Case cases[] = {
        {15, "float", nullptr, "f"}, {15, "double", nullptr, ""}, {15, "Float", nullptr, ""},
        {16, "float", "", ""},       {16, "int", "L", "L"},
    };
    for (const Case& c : cases) {
        Bytes x;
        x.str("coef").str(c.type);
        if (c.storedSuffix)
            x.str(c.storedSuffix);
        COptionsC o;
        o.m_strSuffix = "x";
        CArchiveReader in(x.b);
        o.Serialize(in, c.version);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(o.m_strName, "coef");
        EXPECT_EQ(o.m_strType, c.type);
        EXPECT_EQ(o.m_strSuffix, c.suffix) << c.version << " " << c.type;
    }
}

TEST(FormatOptions, UnusableWordLengthTakesTheDefault) {
    for (int32_t bits : {0, -5, 65, 1000}) {
        Bytes x;
        x.i16(0).i16(0).u16(3);
        x.str("").str("").i32(1).str("").i32(1).i32(0).str("").i32(0).i32(1).i32(1);
        x.str("").str("float").str("f").i32(bits);
        CFileFormatOpts r;
        r.m_FixedPoint.m_nBits = 24;
        CArchiveReader in(x.b);
        r.Serialize(in, 20);
        EXPECT_EQ(r.m_FixedPoint.m_nBits, 16) << bits;
    }
}

TEST(FormatOptions, ShortStreamLeavesRecordUnchanged) {
    const std::vector<uint8_t> bytes = SampleBytes(20);
    for (size_t n = 0; n < bytes.size(); ++n) {
        CFileFormatOpts r;
        CArchiveReader in(bytes.data(), n);
        EXPECT_THROW(r.Serialize(in, 20), CArchiveException) << n;
        ASSERT_EQ(r, CFileFormatOpts()) << n;
    }
}

TEST(FormatOptions, WaveOptionValues) {
    CWavFmt w;
    const int rates[] = {11025, 22050, 44100, 44100};
    for (int i = 0; i < 4; ++i) {
        w.m_nSampleRate = i;
        EXPECT_EQ(w.GetSamplesPerSecond(), rates[i]);
    }
    EXPECT_EQ(w.GetBitsPerSample(), 8);
    w.m_nSampleSize = 1;
    EXPECT_EQ(w.GetBitsPerSample(), 16);
}

TEST(CodeExportOptions, AssemblerBaseNameOnOk) {
    CScriptedHost host;
    CAsmOpts a;
    a.m_strBaseName = "  LPF_1 \t";
    EXPECT_TRUE(a.ValidateOnOk(host));
    EXPECT_EQ(a.m_strBaseName, "LPF_1");
    EXPECT_TRUE(host.messages.empty());

    a.m_strBaseName = " \t ";
    EXPECT_FALSE(a.ValidateOnOk(host));
    EXPECT_EQ(a.m_strBaseName, "FIR");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "The Base Name, Equate Command, and Data Command fields cannot be empty.\n");
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
}

TEST(CodeExportOptions, DefaultNamesFromTheDocument) {
    CAsmOpts a;
    COptionsC c;
    a.SetDefaultName("low.pass.v2");
    c.SetDefaultName("low.pass.v2");
    EXPECT_EQ(a.m_strBaseName, "low_pass_v2");
    EXPECT_EQ(c.m_strName, "low_pass_v2");
    a.SetDefaultName("other"); // a name already chosen stays
    c.SetDefaultName("other");
    EXPECT_EQ(a.m_strBaseName, "low_pass_v2");
    EXPECT_EQ(c.m_strName, "low_pass_v2");
}
