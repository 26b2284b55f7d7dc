#include "dsp/histogram.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void LoadReal(CCorviData& d, const std::vector<double>& i) {
    d.RemoveAll();
    const int n = static_cast<int>(i.size());
    d.m_pI->SetSize(n);
    d.m_pQ->SetSize(n);
    for (int k = 0; k < n; ++k) {
        (*d.m_pI)[k] = i[k];
        (*d.m_pQ)[k] = 0.0;
    }
    d.ResetRange();
}

std::vector<double> Col(const CDataColumn& c) {
    return std::vector<double>(c.begin(), c.end());
}

} // namespace

TEST(Histogram, AutomaticBinCountFollowsTheLength) {
    const struct {
        int n;
        int bins;
    } cases[] = {{0, 17}, {5, 5}, {9, 9}, {100, 9}, {1000, 11}, {100000, 18}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        CCorviData src;
        std::vector<double> v(static_cast<size_t>(c.n));
        for (int k = 0; k < c.n; ++k)
            v[k] = k % 7;
        LoadReal(src, v);
        CHistogramData h;
        h.m_nBins = 3; // ignored while automatic
        h.BuildHistogram(src, CCorviData::Inphase, CHistogramData::kNone);
        EXPECT_EQ(h.m_nBins, c.bins);
        EXPECT_EQ(h.GetN(), c.bins);
        double total = 0;
        for (double b : *h.m_pI)
            total += b;
        EXPECT_EQ(total, c.n);
    }
}

TEST(Histogram, CountsBinsOverTheCombinedRange) {
    CCorviData src;
    LoadReal(src, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    CHistogramData h;
    h.BuildHistogram(src, CCorviData::Inphase, CCorviData::Quadrature);
    // 9 bins of width 1 over 0..9; the top edge belongs to the last bin.
    EXPECT_EQ(h.m_nBins, 9);
    EXPECT_EQ(h.m_dMin, 0.0);
    EXPECT_EQ(h.m_dMax, 9.0);
    EXPECT_EQ(h.m_dBinWidth, 1.0);
    EXPECT_EQ(Col(*h.m_pI), (std::vector<double>{1, 1, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(Col(*h.m_pQ), (std::vector<double>{10, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(h.IndexToX(0), 0.5);
    EXPECT_EQ(h.IndexToX(8), 8.5);
    EXPECT_EQ(h.XToIndex(-3.0), 0);
    EXPECT_EQ(h.XToIndex(4.99), 4);
    EXPECT_EQ(h.XToIndex(100.0), 8);
    EXPECT_EQ(h.m_nLast, 8);

    // A fixed range and bin count: values outside the range are not counted.
    h.m_bAutoBins = 0;
    h.m_bAutoRange = 0;
    h.m_nBins = 4;
    h.m_dMin = 2.0;
    h.m_dMax = 6.0;
    h.BuildHistogram(src, CCorviData::Magnitude, CHistogramData::kNone);
    EXPECT_EQ(Col(*h.m_pI), (std::vector<double>{1, 1, 1, 2}));
    EXPECT_EQ(Col(*h.m_pQ), (std::vector<double>{0, 0, 0, 0}));
}

TEST(Histogram, ConstantDataFallsIntoTheFirstBin) {
    CCorviData src;
    LoadReal(src, {3, 3, 3, 3, 3, 3, 3, 3, 3, 3});
    CHistogramData h;
    h.BuildHistogram(src, CHistogramData::kNone, CCorviData::Inphase);
    EXPECT_EQ(h.m_dMin, 3.0);
    EXPECT_EQ(h.m_dMax, 3.0);
    EXPECT_EQ((*h.m_pQ)[0], 10.0);
    EXPECT_EQ((*h.m_pI)[0], 0.0);
}
