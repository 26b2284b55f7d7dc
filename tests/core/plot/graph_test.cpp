#include "data/corvi_data.h"
#include "plot/graph.h"
#include "plot_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

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
