#include "data/corvi_data.h"

#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

// A signal of n points with I[k] = k and Q[k] = q(k).
template <class F> void FillSignal(CCorviData& d, int n, F q) {
    d.RemoveAll();
    for (int k = 0; k < n; ++k) {
        d.m_pI->Add(k);
        d.m_pQ->Add(q(k));
    }
    d.ResetRange();
}

void FillReal(CCorviData& d, int n) {
    FillSignal(d, n, [](int) { return 0.0; });
}

// Frequency data of n bins with spacing delta.
void MakeSpectrum(CCorviData& d, int n, bool real, double delta) {
    FillReal(d, n);
    d.m_bTime = 0;
    d.m_bReal = real ? 1 : 0;
    d.ResetRange();
    d.ApplyFs(CFs(delta * n, 0));
}

} // namespace

TEST(CorviData, Defaults) {
    CCorviData d;
    ASSERT_NE(d.m_pI, nullptr);
    ASSERT_NE(d.m_pQ, nullptr);
    EXPECT_EQ(d.Columns().GetColumnCount(), 2);
    EXPECT_EQ(d.Columns().GetColumn(0), d.m_pI);
    EXPECT_EQ(d.Columns().GetColumn(1), d.m_pQ);
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_EQ(d.m_bTime, 1);
    EXPECT_TRUE(d.IsReal());
    EXPECT_EQ(d.m_dFs, 1.0);
    EXPECT_EQ(d.m_dNyquist, 0.5);
    EXPECT_EQ(d.m_dDelta, 1.0);
    EXPECT_EQ(d.m_nWindow, -1);
    EXPECT_EQ(d.m_nFirst, 0);
    EXPECT_EQ(d.m_nLast, 0);
    EXPECT_EQ(d.m_nPoints, 0);
    EXPECT_EQ(d.m_nMinSpan, 4);
    EXPECT_EQ(d.m_fDbFloor, -130.0f);
    EXPECT_EQ(d.m_Fs, CFs(1.0, 0));
    EXPECT_EQ(d.m_strUnits, "dB");
    EXPECT_EQ(d.m_bQuantized, 0);
    EXPECT_EQ(d.m_File.m_FormatOpts.m_nFormat, -1);
    EXPECT_EQ(d.m_File.m_bReportOpenErrors, 0);
    EXPECT_TRUE(d.m_File.m_strPath.empty());
}

TEST(CorviData, RemoveAllRecreatesEmptyColumns) {
    CCorviData d;
    FillSignal(d, 10, [](int k) { return k * 0.5; });
    d.m_bReal = 0;
    d.m_nWindow = 3;
    d.Columns().AddColumn();
    d.RemoveAll();
    EXPECT_EQ(d.Columns().GetColumnCount(), 2);
    EXPECT_EQ(d.m_pI, d.Columns().GetColumn(0));
    EXPECT_EQ(d.m_pQ, d.Columns().GetColumn(1));
    EXPECT_EQ(d.m_pI->GetSize(), 0);
    EXPECT_EQ(d.m_pQ->GetSize(), 0);
    EXPECT_EQ(d.m_nWindow, -1);
    EXPECT_EQ(d.m_bReal, 1);
    EXPECT_EQ(d.m_nFirst, 0);
    EXPECT_EQ(d.m_nLast, 0);
    EXPECT_EQ(d.m_nPoints, 0);
    EXPECT_EQ(d.m_nHalf, 0);
}

TEST(CorviData, ResetRangeByDomain) {
    CCorviData d;
    FillReal(d, 9);
    EXPECT_EQ(d.m_nFirst, 0);
    EXPECT_EQ(d.m_nLast, 8);
    EXPECT_EQ(d.m_nPoints, 9);
    EXPECT_EQ(d.m_nHalf, 4);
    d.m_bTime = 0;
    d.ResetRange();
    EXPECT_EQ(d.m_nFirst, 0);
    EXPECT_EQ(d.m_nLast, 3);
    d.m_bReal = 0;
    d.ResetRange();
    EXPECT_EQ(d.m_nFirst, -4);
    EXPECT_EQ(d.m_nLast, 3);
    FillReal(d, 1);
    d.m_bTime = 0;
    d.ResetRange();
    EXPECT_EQ(d.m_nLast, 0); // N/2 - 1 = -1 is raised to 0
}

TEST(CorviData, SetRangeRules) {
    CCorviData d;
    FillReal(d, 100);
    struct Case {
        int first, last;
        bool strict;
        bool ok;
        int wantFirst, wantLast;
    };
    const Case cases[] = {
        {10, 14, true, false, 0, 99},  // span 4 = m_nMinSpan: too narrow
        {10, 15, true, true, 10, 15},  //
        {-1, 50, false, false, 0, 99}, // negative index on time data
        {10, -5, false, false, 0, 99}, //
        {50, 10, true, false, 0, 99},  // reversed, strict
        {50, 10, false, true, 0, 10},  // reversed: first becomes 0
        {10, 100, true, false, 0, 99}, // past the end, strict
        {10, 500, false, true, 10, 99},
    };
    for (const Case& c : cases) {
        d.ResetRange();
        EXPECT_EQ(d.SetRange(c.first, c.last, c.strict), c.ok) << c.first << " " << c.last;
        EXPECT_EQ(d.m_nFirst, c.wantFirst) << c.first << " " << c.last;
        EXPECT_EQ(d.m_nLast, c.wantLast) << c.first << " " << c.last;
    }

    FillReal(d, 4); // no more points than the minimum span: everything is shown
    d.m_nFirst = 2;
    EXPECT_TRUE(d.SetRange(1, 2, true));
    EXPECT_EQ(d.m_nFirst, 0);
    EXPECT_EQ(d.m_nLast, 3);

    MakeSpectrum(d, 64, false, 1.0);
    EXPECT_TRUE(d.SetRange(-20, -1, true)); // last -1 on frequency data is bin 63
    EXPECT_EQ(d.m_nFirst, -20);
    EXPECT_EQ(d.m_nLast, 63);
}

TEST(CorviData, XToIndexFrequencyData) {
    CCorviData d;
    MakeSpectrum(d, 8, false, 1.0);
    ASSERT_EQ(d.m_dDelta, 1.0);
    struct Case {
        double x;
        int index;
    };
    const Case cases[] = {{10.0, 3}, {-10.0, -4}, {-0.4, 0}, {2.5, 3}, {-2.5, -3}, {1.49, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(d.XToIndex(c.x), c.index) << c.x;
    EXPECT_DOUBLE_EQ(d.IndexToX(-4), -4.0);
    EXPECT_DOUBLE_EQ(d.IndexToX(6), -2.0); // above N/2 with a negative first index
    d.m_bReal = 1;
    d.ResetRange();
    EXPECT_DOUBLE_EQ(d.IndexToX(6), 6.0);
}

TEST(CorviData, XToIndexTimeData) {
    CCorviData d;
    FillReal(d, 10);
    d.ApplyFs(CFs(2.0, 1)); // 2 kHz: points 0.5 ms apart
    EXPECT_DOUBLE_EQ(d.m_dDelta, 0.5);
    EXPECT_EQ(d.XToIndex(1.25), 3);
    EXPECT_EQ(d.XToIndex(-3.0), 0);
    EXPECT_EQ(d.XToIndex(100.0), 9);
    EXPECT_DOUBLE_EQ(d.IndexToX(-2), 0.0);
    EXPECT_DOUBLE_EQ(d.IndexToX(4), 2.0);
    EXPECT_TRUE(d.SetRangeX(0.5, 3.0, true));
    double x1 = 0.0, x2 = 0.0;
    d.GetRangeX(x1, x2);
    EXPECT_EQ(d.m_nFirst, 1);
    EXPECT_EQ(d.m_nLast, 6);
    EXPECT_DOUBLE_EQ(x1, 0.5);
    EXPECT_DOUBLE_EQ(x2, 3.0);

    CCorviData empty;
    EXPECT_EQ(empty.XToIndex(5.0), 0);
}

TEST(CorviData, ApplyFsAndScaleFs) {
    CCorviData d;
    MakeSpectrum(d, 16, true, 1.0);
    d.ApplyFs(CFs(8.0, 2));
    EXPECT_EQ(d.m_Fs, CFs(8.0, 2));
    EXPECT_EQ(d.m_dFs, 8.0);
    EXPECT_EQ(d.m_dNyquist, 4.0);
    EXPECT_EQ(d.m_dDelta, 0.5); // Fs / N for frequency data
    d.ScaleFs(0.5);
    EXPECT_EQ(d.m_Fs, CFs(4.0, 2));
    EXPECT_EQ(d.m_dDelta, 0.25);
    EXPECT_EQ(d.GetFs(), 4.0);

    CCorviData none; // frequency data without points has no spacing
    none.m_bTime = 0;
    none.ApplyFs(CFs(8.0, 0));
    EXPECT_EQ(none.m_dDelta, 0.0);
}

TEST(CorviData, DetectReal) {
    CCorviData d;
    // I spans 0..1, Q within +-1e-7 with non-zero extremes: real, Q zeroed.
    FillSignal(d, 11, [](int k) { return k % 2 ? 1e-7 : -1e-7; });
    for (int k = 0; k < 11; ++k)
        (*d.m_pI)[k] = k / 10.0;
    EXPECT_TRUE(d.DetectReal());
    for (double q : *d.m_pQ)
        EXPECT_EQ(q, 0.0);

    // Q zero except one 1e-7: real, but Q is kept (its minimum is 0).
    FillSignal(d, 11, [](int k) { return k == 4 ? 1e-7 : 0.0; });
    for (int k = 0; k < 11; ++k)
        (*d.m_pI)[k] = k / 10.0;
    EXPECT_TRUE(d.DetectReal());
    EXPECT_EQ((*d.m_pQ)[4], 1e-7);

    // Q beyond the threshold: complex, Q untouched.
    FillSignal(d, 11, [](int k) { return k == 4 ? 1e-5 : -1e-7; });
    for (int k = 0; k < 11; ++k)
        (*d.m_pI)[k] = k / 10.0;
    EXPECT_FALSE(d.DetectReal());
    EXPECT_EQ(d.m_bReal, 0);
    EXPECT_EQ((*d.m_pQ)[4], 1e-5);

    // Frequency data keep their flag.
    d.m_bTime = 0;
    d.m_bReal = 1;
    EXPECT_TRUE(d.DetectReal());
    EXPECT_EQ((*d.m_pQ)[4], 1e-5);
}

TEST(CorviData, EqualizeLengths) {
    CCorviData d;
    for (double v : {1.0, 2.0, 3.0})
        d.m_pI->Add(v);
    d.m_bReal = 0;
    EXPECT_TRUE(d.EqualizeLengths(0.0)); // Q was empty: real
    EXPECT_EQ(d.m_pQ->GetSize(), 3);
    EXPECT_EQ(d.m_nLast, 2);

    d.RemoveAll();
    d.m_pI->Add(1.0);
    for (double v : {0.5, 0.25, -1.0})
        d.m_pQ->Add(v);
    EXPECT_FALSE(d.EqualizeLengths(7.0)); // Q held points: detected complex
    EXPECT_EQ(std::vector<double>(d.m_pI->begin(), d.m_pI->end()),
              (std::vector<double>{1.0, 7.0, 7.0}));
    EXPECT_EQ(d.m_nPoints, 3);
}

TEST(CorviData, CopyTakesSettingsAndPrefix) {
    CCorviData src;
    FillSignal(src, 6, [](int k) { return -k; });
    src.m_bReal = 0;
    src.m_nWindow = 5;
    src.m_fDbFloor = -90.0f;
    src.m_dDbOffset = 3.0;
    src.m_strUnits = "dBm";
    src.m_bQuantized = 1;
    src.ApplyFs(CFs(48.0, 1));

    CCorviData d;
    d.Copy(src, 4);
    EXPECT_EQ(d.GetN(), 4);
    EXPECT_EQ((*d.m_pQ)[3], -3.0);
    EXPECT_EQ(d.m_bReal, 0);
    EXPECT_EQ(d.m_nWindow, 5);
    EXPECT_EQ(d.m_fDbFloor, -90.0f);
    EXPECT_EQ(d.m_dDbOffset, 3.0);
    EXPECT_EQ(d.m_strUnits, "dBm");
    EXPECT_EQ(d.m_bQuantized, 1);
    EXPECT_EQ(d.m_Fs, CFs(48.0, 1));
    EXPECT_EQ(d.m_dDelta, src.m_dDelta);
    EXPECT_EQ(d.m_nLast, 3);

    d.Copy(src, 100); // at most the length of src
    EXPECT_EQ(d.GetN(), 6);
    d.Copy(d, 2); // a signal may copy a prefix of itself
    EXPECT_EQ(d.GetN(), 2);
    EXPECT_EQ((*d.m_pQ)[1], -1.0);
}

TEST(CorviData, LoadComplex) {
    CCorviData d;
    const std::vector<std::complex<double>> v = {{1.0, 0.0}, {0.5, 2.0}, {-1.0, -2.0}};
    d.LoadComplex(v);
    EXPECT_EQ(d.GetN(), 3);
    EXPECT_EQ((*d.m_pI)[1], 0.5);
    EXPECT_EQ((*d.m_pQ)[2], -2.0);
    EXPECT_FALSE(d.IsReal());
    EXPECT_EQ(d.m_nLast, 2);
    d.LoadComplex(std::vector<std::complex<double>>{{1.0, 0.0}, {-1.0, 0.0}});
    EXPECT_TRUE(d.IsReal());
}

TEST(CorviData, QuantitiesAndDecibels) {
    CCorviData d;
    d.LoadComplex(std::vector<std::complex<double>>{{3.0, 4.0}, {0.0, 0.0}, {-1.0, 0.0}});
    struct Case {
        int index, kind;
        double value;
    };
    const Case cases[] = {
        {0, 0, 3.0}, {0, 1, 4.0},   {0, 2, 25.0}, {0, 4, 5.0},  {0, 3, 53.13010235415598},
        {1, 3, 0.0}, {2, 3, 180.0}, {0, 5, 0.0},  {0, -1, 0.0}, {-1, 0, 3.0}, // time: -1 is 0
    };
    for (const Case& c : cases)
        EXPECT_NEAR(d.GetQuantity(c.index, c.kind), c.value, 1e-12) << c.index << " " << c.kind;
    double lo = 0.0, hi = 0.0;
    d.GetQuantityRange(CCorviData::Power, lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 25.0);

    d.m_bTime = 0; // frequency data: -1 is the last bin
    EXPECT_EQ(d.GetQuantity(-1, CCorviData::Inphase), -1.0);

    EXPECT_NEAR(d.ToDb(100.0, true), 20.0, 1e-12);
    d.m_dDbOffset = -3.0;
    EXPECT_NEAR(d.ToDb(1.0, false), -3.0, 1e-12);
    EXPECT_NEAR(d.ToDb(0.0, false), 10.0 * std::log10(static_cast<double>(1e-30f)) - 3.0, 1e-9);
    EXPECT_EQ(d.ToDb(0.0, true), -130.0);
    EXPECT_EQ(d.ToDb(1e-20, true), -130.0);
}

TEST(CorviData, XUnitLabel) {
    CCorviData d;
    d.ApplyFs(CFs(44.1, 1));
    int p = 0;
    EXPECT_EQ(d.GetXUnitLabel(p), "ms");
    p = -3;
    EXPECT_EQ(d.GetXUnitLabel(p), "us");
    EXPECT_EQ(p, 0);
    d.m_bTime = 0;
    p = 3;
    EXPECT_EQ(d.GetXUnitLabel(p), "MHz");
    EXPECT_EQ(p, 0);
}

TEST(CorviData, ClipboardText) {
    CScriptedHost host;
    CCorviData d(&host);
    d.LoadComplex(std::vector<std::complex<double>>{{0.5, 0.0}, {-0.25, 0.0}, {1.0, 0.0}});
    d.CopyToClipboard();
    ASSERT_EQ(host.clipboardTexts.size(), 1u);
    EXPECT_EQ(host.clipboardTexts[0], " 0.500000000\r\n-0.250000000\r\n 1.000000000\r\n");

    d.LoadComplex(std::vector<std::complex<double>>{{0.5, 1.5}, {-0.25, -2.0}, {12.0, 3.0}});
    d.m_nFirst = 1;
    d.m_nLast = 2;
    EXPECT_EQ(d.GetClipboardText(), "-0.250000000\t-2.000000000\r\n12.000000000\t 3.000000000\r\n");

    // Nothing is copied for a single point, a reversed range or one past the data.
    const int ranges[][2] = {{1, 1}, {2, 1}, {0, 3}};
    for (const auto& r : ranges) {
        d.m_nFirst = r[0];
        d.m_nLast = r[1];
        d.CopyToClipboard();
        EXPECT_EQ(d.GetClipboardText(), "");
    }
    d.m_bTime = 0;
    d.ResetRange(); // first -1 on complex frequency data
    EXPECT_EQ(d.GetClipboardText(), "");
    EXPECT_EQ(host.clipboardTexts.size(), 1u);
}
