#include "plot/plot.h"
#include "plot/plot_messages.h"
#include "plot/rubber_band.h"
#include "plot/zoom_list.h"
#include "plot_test_util.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A plot of the line y = x over its visible X range.
class CLinePlot : public CPlot {
public:
    using CPlot::CPlot;
    bool HasData() const override { return true; }
    void AutoScale() override { SetAxisRanges(m_dXMin, m_dXMax, m_dXMin, m_dXMax); }
    void BuildPoints(int& width) override {
        for (int i = 0; i <= width; ++i)
            m_x.push_back(m_mapX.FromDeviceX(m_mapX.Edge() + i));
        m_curves.assign(1, m_x);
    }
};

struct ZoomFixture : ::testing::Test {
    CScriptedHost host;
    CLinePlot plot{&host};
    CFixedMeasurer measurer;
    void Draw() { plot.Prepare(measurer, {0, 0, 800, 600}); }
    void SetUp() override {
        plot.SetXRange(0, 1000);
        Draw();
    }
};

} // namespace

TEST_F(ZoomFixture, LevelsWalkBackAndForth) {
    EXPECT_EQ(plot.GetZoomStatusText(), "Ready");
    ASSERT_TRUE(plot.ZoomTo(true, false, true, 100, 500, 0, 0));
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Zoom Level 1 of 1");
    ASSERT_TRUE(plot.ZoomTo(true, false, true, 200, 300, 0, 0));
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Zoom Level 2 of 2");
    EXPECT_FALSE(plot.CanNavigate(kZoomIn));

    plot.Navigate(kZoomOut); // back to the view before the second zoom
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Zoom Level 1 of 2");
    EXPECT_DOUBLE_EQ(plot.XRangeMin(), 100);
    EXPECT_DOUBLE_EQ(plot.XRangeMax(), 500);
    EXPECT_TRUE(plot.CanNavigate(kZoomIn));

    plot.Navigate(kZoomIn); // the second zoom again
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Zoom Level 2 of 2");
    EXPECT_DOUBLE_EQ(plot.XRangeMin(), 200);
    EXPECT_TRUE(plot.Zoom().IsAtBottom());

    plot.Navigate(kZoomNext); // from the deepest level: wraps to the top
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Top Zoom Level of 2");
    EXPECT_DOUBLE_EQ(plot.XRangeMax(), 1000);
    EXPECT_TRUE(plot.Zoom().IsAtTop());
    EXPECT_FALSE(plot.CanNavigate(kZoomOut));
    EXPECT_FALSE(plot.CanNavigate(kZoomTop));

    // A new zoom from the top drops every level after it.
    ASSERT_TRUE(plot.ZoomTo(true, false, true, 600, 700, 0, 0));
    Draw();
    EXPECT_EQ(plot.GetZoomStatusText(), "Zoom Level 1 of 1");
    plot.Navigate(kZoomOut);
    EXPECT_DOUBLE_EQ(plot.XRangeMax(), 1000);
}

TEST_F(ZoomFixture, ZoomRefusals) {
    // No width, no zoom, no level.
    EXPECT_FALSE(plot.ZoomTo(true, false, true, 300, 300, 0, 0));
    EXPECT_FALSE(plot.ZoomTo(false, true, true, 0, 0, 5, 5));
    EXPECT_TRUE(plot.Zoom().IsEmpty());
    EXPECT_TRUE(host.messages.empty());
    // Walking an empty list changes nothing.
    plot.Navigate(kZoomIn);
    EXPECT_DOUBLE_EQ(plot.XRangeMax(), 1000);
    for (int kind = kZoomNext; kind <= kZoomPrevious; ++kind)
        EXPECT_FALSE(plot.CanNavigate(kind));
    // Deeper than 35 levels: ignored.
    for (int i = 0; i < 40; ++i) {
        plot.ZoomTo(true, false, false, i, 1000 - i, 0, 0);
        Draw();
    }
    EXPECT_EQ(plot.Zoom().GetLevelCount(), 35);
}

TEST_F(ZoomFixture, YZoomStaysWhileXFollowsData) {
    ASSERT_TRUE(plot.ZoomTo(false, true, true, 0, 0, 200, 400));
    Draw();
    EXPECT_DOUBLE_EQ(plot.WorkingAxis(false).dMin, 200);
    EXPECT_DOUBLE_EQ(plot.WorkingAxis(false).dMax, 400);
    EXPECT_DOUBLE_EQ(plot.WorkingAxis(true).dMax, 1000);
}

TEST_F(ZoomFixture, FullDecadeOnLogAxis) {
    plot.SetXRange(1, 10000);
    plot.m_X.m_bLog = 1;
    plot.RequestRefit(true, true);
    plot.Refresh();
    Draw();
    ASSERT_TRUE(plot.ZoomTo(true, false, true, 150, 3000, 0, 0));
    EXPECT_DOUBLE_EQ(plot.XRangeMin(), 100);
    EXPECT_DOUBLE_EQ(plot.XRangeMax(), 10000);
}

TEST(PlotRubberBand, PressPlaceAndDragSizeDecideTheZoom) {
    const SDeviceRect plot{100, 50, 700, 450};
    struct Case {
        int px, py, rx, ry, mode;
    };
    const Case cases[] = {
        {200, 100, 208, 300, kBandClick}, // 8 units wide: a click
        {200, 100, 240, 103, kBandX},     // 40 wide, 3 high: X only
        {200, 100, 400, 300, kBandBoth},  // a rectangle
        {300, 470, 500, 480, kBandX},     // below the plot: X range
        {300, 470, 305, 480, kBandClick}, // X range under 10 units
        {50, 200, 60, 300, kBandY},       // left of the plot: Y range
        {50, 200, 60, 203, kBandNothing}, // Y range under 5 units
        {50, 20, 300, 300, kBandBoth},    // a corner: a rectangle
    };
    for (const Case& c : cases) {
        CRubberBand band;
        band.Press(c.px, c.py, plot);
        band.Move(c.rx, c.ry);
        const SBandResult r = band.Release(c.rx, c.ry);
        EXPECT_EQ(r.nMode, c.mode) << c.px << "," << c.py << " -> " << c.rx << "," << c.ry;
    }
    CRubberBand band;
    band.Press(650, 400, plot);
    const SBandResult r = band.Release(900, 10); // clamped into the plot, ordered
    EXPECT_EQ(r.x1, 650);
    EXPECT_EQ(r.x2, 700);
    EXPECT_EQ(r.y1, 50);
    EXPECT_EQ(r.y2, 400);
}

TEST(PlotCrosshair, KeepsTwoLinesOfEachKindAndAClickAgainTakesAPointsLinesAway) {
    CCrosshair c;
    c.Show(100, 50);
    c.Show(200, 80);
    EXPECT_EQ(c.VerticalLines(), (std::vector<int>{100, 200}));
    EXPECT_EQ(c.HorizontalLines(), (std::vector<int>{50, 80}));
    // A third point replaces the older lines.
    c.Show(300, 90);
    EXPECT_EQ(c.VerticalLines(), (std::vector<int>{200, 300}));
    EXPECT_EQ(c.HorizontalLines(), (std::vector<int>{80, 90}));
    // The same point again takes its lines away; a point sharing one line takes that one.
    c.Show(300, 90);
    EXPECT_EQ(c.VerticalLines(), (std::vector<int>{200}));
    EXPECT_EQ(c.HorizontalLines(), (std::vector<int>{80}));
    c.Show(250, 80);
    EXPECT_EQ(c.VerticalLines(), (std::vector<int>{200, 250}));
    EXPECT_TRUE(c.HorizontalLines().empty());
    c.Clear();
    EXPECT_TRUE(c.IsEmpty());
}

TEST_F(ZoomFixture, TheValueUnderTheMouseOfACentredZoomIsWhereThePointerGoes) {
    const SDeviceRect p = plot.Layout().m_plot;
    const int x = p.left + (p.right - p.left) / 3, y = p.top + (p.bottom - p.top) / 3;
    const double valueX = plot.Map(true).FromDeviceX(x), valueY = plot.Map(false).FromDeviceY(y);
    int tx = 0, ty = 0;
    EXPECT_FALSE(plot.TakeWheelTarget(tx, ty)); // no centred zoom yet
    ASSERT_TRUE(plot.CenteredZoom(x, y));
    Draw();
    ASSERT_TRUE(plot.TakeWheelTarget(tx, ty));
    EXPECT_EQ(tx, plot.Map(true).ToDeviceX(valueX));
    EXPECT_EQ(ty, plot.Map(false).ToDeviceY(valueY));
    EXPECT_GT(std::abs(tx - x) + std::abs(ty - y), 20); // the zoom moved the value
    EXPECT_FALSE(plot.TakeWheelTarget(tx, ty));         // once
}
