#include "data/corvi_data.h"

#include "support/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Little-endian bytes assembled field by field from the stream layout.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& raw(const void* p, size_t n) {
        const auto* c = static_cast<const uint8_t*>(p);
        b.insert(b.end(), c, c + n);
        return *this;
    }
    Bytes& i16(int16_t v) { return raw(&v, 2); }
    Bytes& i32(int32_t v) { return raw(&v, 4); }
    Bytes& f64(double v) { return raw(&v, 8); }
    Bytes& str(const std::string& s) { // short strings only
        b.push_back(static_cast<uint8_t>(s.size()));
        return raw(s.data(), s.size());
    }
    Bytes& bytes(std::initializer_list<uint8_t> list) {
        b.insert(b.end(), list);
        return *this;
    }
};

// The default assembler options record.
void DefaultAsm(Bytes& x) {
    x.str("").str("").i32(1).str("   .text").i32(1).i32(0).str("").i32(0).i32(1).i32(1);
}

std::vector<uint8_t> Write(const CCorviData& d, int version) {
    CArchiveWriter ar;
    d.Serialize(ar, version);
    return ar.TakeBytes();
}

// A time signal of two points, real, 8 kHz, display range 0..1.
void MakeTwoPoints(CCorviData& d) {
    d.m_pI->Add(0.5);
    d.m_pI->Add(-0.25);
    d.m_pQ->Add(0.0);
    d.m_pQ->Add(0.0);
    d.ResetRange();
    d.ApplyFs(CFs(8.0, 1));
    d.m_nWindow = 4;
}

} // namespace

TEST(DataArchive, CorviDataBytesCurrentVersion) {
    CCorviData d;
    MakeTwoPoints(d);
    d.m_strName = "h";
    d.m_File.m_strPath = "C:\\f";

    Bytes x;
    x.str("h").i32(2);
    x.i32(2).f64(0.5).f64(-0.25);
    x.i32(2).f64(0.0).f64(0.0);
    x.i16(0).i16(0).bytes({0xFF, 0xFF}); // WAVE size, WAVE rate, format code -1
    DefaultAsm(x);
    x.str("").str("float").str("f"); // C options
    x.i32(16);                       // word length
    x.str("C:\\f").i32(0);           // path, report flag
    x.i32(1).i32(1).f64(8.0).f64(4.0).f64(0.125).i16(4);
    x.i32(0).i32(1).i32(2).i32(1);
    x.str("kHz,ms");
    EXPECT_EQ(Write(d, 20), x.b);
}

TEST(DataArchive, CorviDataReadsOldVersion) {
    // Version 3: no assembler, C or word-length fields; window code 1 of that time is 3 now.
    Bytes x;
    x.str("").i32(2);
    x.i32(3).f64(1.0).f64(2.0).f64(3.0);
    x.i32(3).f64(0.0).f64(0.5).f64(0.0);
    x.i16(1).i16(2).i16(8);
    x.str("d:\\dir\\").i32(1);
    x.i32(1).i32(0).f64(2.5).f64(1.25).f64(0.4).i16(1);
    x.i32(0).i32(2).i32(3).i32(1);
    x.str("mhz,us");

    CCorviData d;
    CArchiveReader ar(x.b);
    d.Serialize(ar, 3);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(d.Columns().GetColumnCount(), 2);
    EXPECT_EQ(d.m_pI, d.Columns().GetColumn(0));
    EXPECT_EQ(d.m_pQ, d.Columns().GetColumn(1));
    EXPECT_EQ((*d.m_pI)[2], 3.0);
    EXPECT_EQ((*d.m_pQ)[1], 0.5);
    EXPECT_EQ(d.m_pI->GetMaxSize(), 1025); // as if appended one by one
    EXPECT_EQ(d.m_File.m_FormatOpts.m_WavFmt.m_nSampleSize, 1);
    EXPECT_EQ(d.m_File.m_FormatOpts.m_WavFmt.m_nSampleRate, 2);
    EXPECT_EQ(d.m_File.m_FormatOpts.m_nFormat, 8);
    EXPECT_EQ(d.m_File.m_FormatOpts.m_FixedPoint.m_nBits, 16);
    EXPECT_EQ(d.m_File.m_strPath, "d:\\dir\\");
    EXPECT_EQ(d.m_File.m_bReportOpenErrors, 1);
    EXPECT_EQ(d.m_bReal, 0);
    EXPECT_EQ(d.m_dFs, 2.5);
    EXPECT_EQ(d.m_Fs, CFs(2.5, 2));
    EXPECT_EQ(d.m_dNyquist, 1.25);
    EXPECT_EQ(d.m_dDelta, 0.4);
    EXPECT_EQ(d.m_nWindow, 3);
    EXPECT_EQ(d.m_nLast, 2);
    EXPECT_EQ(d.m_nPoints, 3);
    EXPECT_EQ(d.m_nHalf, 1);
}

TEST(DataArchive, WindowCodeRemap) {
    struct Case {
        int version, stored, loaded;
    };
    const Case cases[] = {
        {9, 0, 0},  {9, 1, 3},  {9, 2, 5},  {9, 4, 7},  {9, 5, 3},  {9, -3, -1},  {10, 1, 1},
        {10, 4, 5}, {12, 6, 7}, {12, 7, 3}, {13, 1, 1}, {20, 9, 9}, {20, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCorviData::RemapWindowCode(c.stored, c.version), c.loaded)
            << c.version << " " << c.stored;
    }

    CCorviData d; // the remap is applied on load
    MakeTwoPoints(d);
    d.m_nWindow = 1;
    const std::vector<uint8_t> bytes = Write(d, 9);
    CCorviData loaded;
    CArchiveReader ar(bytes);
    loaded.Serialize(ar, 9);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(loaded.m_nWindow, 3);
    EXPECT_EQ(loaded.m_Fs, CFs(8.0, 1));
}

TEST(DataArchive, RoundTrip) {
    CCorviData d;
    for (int k = 0; k < 1500; ++k) {
        d.m_pI->Add(std::sin(k * 0.01));
        d.m_pQ->Add(std::cos(k * 0.03));
    }
    d.m_bReal = 0;
    d.m_bTime = 0;
    d.ResetRange();
    d.ApplyFs(CFs(125.0, 3));
    d.m_File.m_FormatOpts.m_nFormat = 4;
    d.m_File.m_FormatOpts.m_FixedPoint.m_nBits = 24;
    d.m_File.m_FormatOpts.m_AsmOpts.m_strBaseName = "LPF";
    d.m_File.m_FormatOpts.m_OptionsC.m_strType = "double";
    d.m_File.m_FormatOpts.m_OptionsC.m_strSuffix = "";
    d.m_strName = std::string(300, 'n'); // a name with a long length prefix
    d.Columns().AddColumn()->Add(42.0);  // further columns travel too

    const std::vector<uint8_t> bytes = Write(d, 20);
    CCorviData loaded;
    CArchiveReader ar(bytes);
    loaded.Serialize(ar, 20);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(Write(loaded, 20), bytes);
    EXPECT_EQ(loaded.Columns().GetColumnCount(), 3);
    EXPECT_EQ(loaded.Columns().GetColumn(2)->GetAt(0), 42.0);
    EXPECT_EQ(loaded.m_Fs, CFs(125.0, 3));
    EXPECT_EQ(loaded.m_nFirst, -750);
    EXPECT_EQ(loaded.m_File.m_FormatOpts, d.m_File.m_FormatOpts);
}

TEST(DataArchive, ShortStreamLeavesSignalUnchanged) {
    CCorviData src;
    MakeTwoPoints(src);
    const std::vector<uint8_t> bytes = Write(src, 20);

    CCorviData d;
    for (double v : {9.0, 8.0, 7.0, 6.0, 5.0, 4.0})
        d.m_pI->Add(v);
    d.EqualizeLengths(0.0);
    d.m_File.m_strPath = "keep";
    d.m_File.m_FormatOpts.m_nFormat = 2;
    const std::vector<uint8_t> before = Write(d, 20);
    const CDataColumn* columnI = d.m_pI;

    for (size_t n = 0; n < bytes.size(); ++n) {
        CArchiveReader ar(bytes.data(), n);
        EXPECT_THROW(d.Serialize(ar, 20), CArchiveException) << n;
        ASSERT_EQ(Write(d, 20), before) << n;
        ASSERT_EQ(d.m_pI, columnI) << n;
    }
}

TEST(DataArchive, CorruptCountsAreRefused) {
    const int32_t counts[] = {-1, 0x7FFFFFFF};
    for (int32_t count : counts) {
        Bytes columns; // a column count, then a column claiming `count` elements
        columns.i32(count);
        Bytes elements;
        elements.i32(1).i32(count).f64(1.0);
        for (const Bytes* x : {&columns, &elements}) {
            CDataSet set;
            set.AddColumn()->Add(3.0);
            CArchiveReader ar(x->b);
            EXPECT_THROW(set.Serialize(ar), CArchiveException);
            ASSERT_EQ(set.GetColumnCount(), 1);
            EXPECT_EQ(set.GetValue(0, 0), 3.0);
        }
    }
}

TEST(DataArchive, DataSetAndColumnLayout) {
    CDataSet set;
    set.AddColumn()->Add(1.5);
    set.AddColumn();
    CArchiveWriter ar;
    set.Serialize(ar);
    Bytes x;
    x.i32(2).i32(1).f64(1.5).i32(0);
    EXPECT_EQ(ar.Bytes(), x.b);

    // A signal stored with fewer than two columns still gets its I and Q.
    Bytes one;
    one.str("").i32(1).i32(1).f64(2.0);
    one.i16(0).i16(0).bytes({0xFF, 0xFF}).str("").i32(0);
    one.i32(1).i32(1).f64(1.0).f64(0.5).f64(1.0).i16(-1);
    one.i32(0).i32(0).i32(1).i32(0).str("Hz,sec");
    CCorviData d;
    CArchiveReader in(one.b);
    d.Serialize(in, 3);
    EXPECT_EQ(d.Columns().GetColumnCount(), 2);
    EXPECT_EQ(d.m_pQ, d.Columns().GetColumn(1));
    EXPECT_EQ(d.m_pQ->GetSize(), 0);
    EXPECT_EQ((*d.m_pI)[0], 2.0);
}
