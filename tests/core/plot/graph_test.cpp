#include "data/corvi_data.h"
#include "plot/graph.h"
#include "plot_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A time signal of n samples at 1 kHz: I a ramp with a spike, Q zero.
void MakeSignal(CCorviData& d, int n) {
    d.RemoveAll();
    for (int i = 0; i < n; ++i) {
        d.m_pI->Add(i == 4321 ? 1e6 : std::sin(i * 0.01));
        d.m_pQ->Add(0.0);
    }
    d.m_bTime = 1;
    d.ApplyFs(CFs(1000, 0));
    d.ResetRange();
}

} // namespace

TEST(PlotGraph, ReductionToPlotWidth) {
    CCorviData signal;
    MakeSignal(signal, 10000);
    struct Case {
        bool integer;
        int points;
        std::string suffix;
    };
    for (const Case& c :
         {Case{false, 500, " (20.0:1, Peak Mode)"}, Case{true, 500, " (20:1, Peak Mode)"}}) {
        CGraph g;
        g.AttachSignal(&signal);
        g.m_nType = kGraphInphase;
        g.m_bIntegerReduction = c.integer;
        g.AutoScale();
        int width = 500;
        g.BuildPoints(width);
        EXPECT_EQ(width, c.points);
        EXPECT_EQ(g.XColumn().size(), static_cast<size_t>(c.points));
        EXPECT_EQ(g.ReductionSuffix(), c.suffix);
        // Every sample belongs to one point, and the spike survives the reduction.
        int total = 0;
        for (int n : g.PointCounts())
            total += n;
        EXPECT_EQ(total, 10000);
        EXPECT_DOUBLE_EQ(*std::max_element(g.Curves()[0].begin(), g.Curves()[0].end()), 1e6);
    }
    // A plot wider than the data: one point per sample.
    CCorviData small;
    MakeSignal(small, 100);
    CGraph g;
    g.AttachSignal(&small);
    g.m_nType = kGraphInphase;
    g.AutoScale();
    int width = 500;
    g.BuildPoints(width);
    EXPECT_EQ(g.XColumn().size(), 100u);
    EXPECT_EQ(g.ReductionSuffix(), "");
}

TEST(PlotGraph, SumModeAddsThePowersOfAColumn) {
    CCorviData spectrum;
    for (int i = 0; i < 1000; ++i) {
        spectrum.m_pI->Add(1.0);
        spectrum.m_pQ->Add(0.0);
    }
    spectrum.m_bTime = 0;
    spectrum.m_nPoints = 1000;
    spectrum.ApplyFs(CFs(1000, 0));
    spectrum.ResetRange();
    for (int sum : {0, 1}) {
        CGraph g;
        g.AttachSignal(&spectrum);
        g.m_nType = kGraphMagnitude;
        g.m_bDb = 0;
        g.m_bSumMode = sum;
        g.m_bIntegerReduction = 1;
        g.AutoScale();
        int width = 100;
        g.BuildPoints(width);
        ASSERT_EQ(g.XColumn().size(), 100u);
        // The 500 bins of 0..Fs/2, five unit powers per point: magnitude 1 at the peak,
        // sqrt(5) summed.
        EXPECT_NEAR(g.Curves()[0][5], sum ? std::sqrt(5.0) : 1.0, 1e-12);
        EXPECT_EQ(g.ReductionSuffix(),
                  sum ? " (Line Spacing = 5.000, Sum Mode)" : " (Line Spacing = 5.000, Peak Mode)");
    }
}

TEST(PlotGraph, AutomaticStyleByPointCount) {
    for (int n : {256, 257}) {
        CCorviData s;
        MakeSignal(s, n);
        CGraph g;
        g.AttachSignal(&s);
        EXPECT_EQ(g.GetStyle(), n == 256 ? kStyleLineDot : kStyleLine) << n;
    }
}

TEST(PlotGraph, PlotFileAndClipboardText) {
    CCorviData s;
    s.m_pI->Add(0.0), s.m_pI->Add(0.5), s.m_pI->Add(-2.0);
    s.m_pQ->Add(1.0), s.m_pQ->Add(0.0), s.m_pQ->Add(1234567.0);
    s.m_bTime = 1;
    s.m_bReal = 0;
    s.ApplyFs(CFs(2, 0));
    s.ResetRange();
    s.m_strName = "Sig";
    CGraph g;
    g.AttachSignal(&s);
    g.m_nType = kGraphIAndQ;
    CFixedMeasurer m;
    ASSERT_TRUE(g.Prepare(m, {0, 0, 600, 400}).m_bDrawn);
    EXPECT_EQ(g.GetPlotFileText(false), "0   0   1\r\n0.5   0.5   0\r\n1   -2   1.23457e+06\r\n");
    EXPECT_EQ(g.GetPlotFileText(true).substr(0, 36), "Sig\r\nI and Q Amplitudes\r\nTime in sec");
    EXPECT_EQ(g.GetCopyDataText().substr(0, 40), " 0.000000000\t 0.000000000\t 1.000000000\r\n");
    // On a log Y axis the points with a Y of 0 or less are left out.
    g.m_Y.m_bLog = 1;
    g.m_Y.Refit(0.1, 10);
    g.ApplyAxisSettings();
    EXPECT_EQ(g.GetPlotFileText(false), "");
}

TEST(PlotGraph, ReadoutTextsOfTwoClicks) {
    CCorviData s;
    MakeSignal(s, 100);
    s.m_bReal = 0;
    s.m_pQ->SetAt(10, 0.5);
    CGraph g;
    g.AttachSignal(&s);
    g.m_nType = kGraphIAndQ;
    CFixedMeasurer m;
    g.Prepare(m, {0, 0, 800, 600});
    EXPECT_EQ(
        g.ReadoutText(10, 0),
        "X=10.000000E-3, Y1=99.833417E-3, Y2=500.000000E-3, Width=1.000000E-3 sec, Max Bin=10");
    EXPECT_EQ(g.ReadoutText(10, 0),
              "Bin 10: I=99.833E-3, Q=500.000E-3, Mag=0.51, Phase=78.708 deg");
    EXPECT_EQ(g.ReadoutText(10, 0).substr(0, 5), "X=10.");
}

namespace {

// A spectrum of n bins 1 Hz apart (Fs = n Hz), all of power 1 but one peak.
void MakeSpectrum(CCorviData& d, int n) {
    d.RemoveAll();
    for (int i = 0; i < n; ++i) {
        d.m_pI->Add(i == n / 3 ? 100.0 : 1.0);
        d.m_pQ->Add(0.0);
    }
    d.m_bTime = 0;
    d.m_nPoints = n;
    d.ApplyFs(CFs(n, 0));
    d.ResetRange();
}

} // namespace

TEST(PlotGraph, LogXReductionGroupsTheSamplesAndSaysHow) {
    CCorviData spectrum;
    MakeSpectrum(spectrum, 100000);
    struct Case {
        bool integer;
        std::string suffix;
    };
    // 0.1 Hz to 100 kHz on the axis: 40 % along is 10^1.4 Hz, one column of 100 further is
    // 10^1.46 Hz, 3.7 bins later: three bins a point.
    for (const Case& c : {Case{true, " (Line Spacing = 3.000, Peak Mode)"},
                          Case{false, " (Variable Spacing, Peak Mode)"}}) {
        CGraph g;
        g.AttachSignal(&spectrum);
        g.m_nType = kGraphMagnitude;
        g.m_bDb = 0;
        g.m_bSumMode = 0;
        g.m_bIntegerReduction = c.integer;
        g.m_X.m_bLog = 1;
        CFixedMeasurer m;
        const CPlotLayout& l = g.Prepare(m, {0, 0, 160, 300});
        ASSERT_TRUE(l.m_bDrawn);
        EXPECT_EQ(g.ReductionSuffix(), c.suffix);
        EXPECT_EQ(l.m_xTitle.m_strText.substr(l.m_xTitle.m_strText.find(" (")), c.suffix);
        // Every bin belongs to one point and the peak survives.
        int total = 0;
        for (int n : g.PointCounts())
            total += n;
        EXPECT_EQ(total, spectrum.m_nLast - spectrum.m_nFirst + 1);
        EXPECT_DOUBLE_EQ(*std::max_element(g.Curves()[0].begin(), g.Curves()[0].end()), 100.0);
        if (!c.integer) { // grouped by column: no more points than columns
            EXPECT_LE(g.XColumn().size(), static_cast<size_t>(l.m_plot.right - l.m_plot.left + 1));
        }
    }
}

TEST(PlotGraph, TitlesDescribeThePointsOfTheirOwnPaint) {
    CCorviData signal;
    MakeSignal(signal, 10000);
    CGraph g;
    g.AttachSignal(&signal);
    g.m_nType = kGraphInphase;
    CFixedMeasurer m;
    // Wide enough for every sample, then too narrow, then wide again.
    for (const auto& [width, reduced] : {std::pair{12000, false}, {600, true}, {12000, false}}) {
        const CPlotLayout& l = g.Prepare(m, {0, 0, width, 400});
        ASSERT_TRUE(l.m_bDrawn);
        EXPECT_EQ(l.m_xTitle.m_strText.find(":1, Peak Mode)") != std::string::npos, reduced)
            << width << ": " << l.m_xTitle.m_strText;
        // The main title stands a full line above the plot.
        EXPECT_NEAR(l.m_mainTitle.y, l.m_plot.top - l.m_dLineHeight, 0.5);
    }
    // A printed X-Y plot takes a square of the page.
    EXPECT_EQ(g.PrintArea(1000, 700).right, 1000);
    g.m_nType = kGraphPolar;
    g.AutoScale();
    const SDeviceRect page = g.PrintArea(1000, 700);
    EXPECT_EQ(page.right - page.left, 700);
    EXPECT_EQ(page.bottom - page.top, 700);
}

TEST(PlotGraph, ShiftWheelStepsTheHistogramBinsWithinFiveAndTheSampleCount) {
    CCorviData signal;
    MakeSignal(signal, 40);
    CGraph g;
    g.AttachSignal(&signal);
    g.m_nType = kGraphInphase;
    EXPECT_FALSE(g.StepHistogramBins(true)); // not a histogram yet
    g.SetHistogram(true);
    g.m_Histogram.m_nBins = 17;
    struct Step {
        bool more;
        int bins;
    };
    // 17 x 1.25 = 21.25, then 26, 32, 40 (the samples), 40; 40 x 0.8 = 32, ... 6, then 5.
    for (const Step& s : {Step{true, 21},
                          {true, 26},
                          {true, 32},
                          {true, 40},
                          {true, 40},
                          {false, 32},
                          {false, 25},
                          {false, 20},
                          {false, 16},
                          {false, 12},
                          {false, 9},
                          {false, 7},
                          {false, 5},
                          {false, 5}}) {
        ASSERT_TRUE(g.StepHistogramBins(s.more));
        EXPECT_EQ(g.m_Histogram.m_nBins, s.bins);
        EXPECT_EQ(g.m_Histogram.GetN(), s.bins); // one bar a bin
        EXPECT_EQ(g.m_Histogram.m_bAutoBins, 0);
    }
}
