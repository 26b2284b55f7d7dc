#include "plot/axis_labels.h"
#include "plot/axis_map.h"
#include "plot/axis_settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<std::string> Texts(const CLabelArray& labels) {
    std::vector<std::string> t;
    for (const CLabel& l : labels)
        t.push_back(l.m_strText);
    return t;
}

} // namespace

TEST(PlotAxis, NiceScaleOfDataRanges) {
    struct Case {
        double lo, hi;
        bool log;
        double min, max, label;
    };
    const Case cases[] = {
        {0, 7.3, false, 0, 8, 1},
        {-1, 1, false, -1, 1, 0.2},
        {0, 10, false, 0, 10, 1},
        {3, 4500, true, 1, 10000, 1},
        {0, 0, false, -0.5, 0.5, 0.1},
        {-37, -2, false, -40, 0, 4},
        {0.001, 0.0173, false, 0, 0.018, 0.002},
    };
    for (const Case& c : cases) {
        const SNiceScale s = NiceScale(c.lo, c.hi, c.log);
        EXPECT_NEAR(s.dMin, c.min, 1e-12) << c.lo << ".." << c.hi;
        EXPECT_NEAR(s.dMax, c.max, 1e-12) << c.lo << ".." << c.hi;
        EXPECT_NEAR(s.dLabel, c.label, 1e-12) << c.lo << ".." << c.hi;
    }
}

TEST(PlotAxis, DataRangeFitsOnlyWhenAutomaticOrOutside) {
    CAxisSettings a;
    a.SetDataRange(5, 5); // a single value: 0 to twice it
    EXPECT_DOUBLE_EQ(a.m_dAxisMin, 0);
    EXPECT_DOUBLE_EQ(a.m_dAxisMax, 10);
    a.SetDataRange(0, 0.0005);
    EXPECT_EQ(a.m_nPower, -6); // the label spacing's engineering power
    a.m_bAutoScale = 0;
    const CAxisSettings before = a;
    a.SetDataRange(0.0001, 0.0002); // inside the fitted range: kept
    EXPECT_EQ(a, before);
    a.SetDataRange(std::nan(""), 1); // never fitted to something undefined
    EXPECT_EQ(a, before);
    a.SetDataRange(7, 9); // wholly outside: refitted
    EXPECT_DOUBLE_EQ(a.m_dDataMin, 7);
    EXPECT_FALSE(a.ExtendDataRange(7.5, 8));
    EXPECT_TRUE(a.ExtendDataRange(6, 8));
    EXPECT_DOUBLE_EQ(a.m_dDataMin, 6);
}

TEST(PlotAxis, LabelTextsSharePowerAndTrailingZeros) {
    // Spacing 0.0005 with power -6: 500, 1000, ...
    EXPECT_EQ(Texts(GenerateLabels({3, 0.0005, -6, false, 0, 0.002, 1})),
              (std::vector<std::string>{"0", "500", "1000", "1500", "2000"}));
    // Power -3 is not used: plain decimals, the common zero removed.
    EXPECT_EQ(Texts(GenerateLabels({3, 0.05, -3, false, 0.05, 0.15, 1})),
              (std::vector<std::string>{"0.05", "0.10", "0.15"}));
    EXPECT_EQ(Texts(GenerateLabels({2, 1, 0, false, 0, 2, 1})),
              (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(Texts(GenerateLabels({2, 0.5, 0, false, -1, 0.5, 1})),
              (std::vector<std::string>{"-1.0", "-0.5", "0.0", "0.5"}));
    // A point near zero is printed as an exact zero.
    const CLabelArray z = GenerateLabels({1, 0.1, 0, false, -0.3, 0.3, 1});
    EXPECT_EQ(z[3].m_strText, "0.0");
    EXPECT_EQ(z[3].m_dValue, 0.0);
    EXPECT_EQ(Texts(GenerateLabels({3, 1, 0, true, 1, 10000, 1})),
              (std::vector<std::string>{"1.0E+0", "1.0E+1", "1.0E+2", "1.0E+3", "1.0E+4"}));
}

TEST(PlotAxis, LabelLimits) {
    bool tooMany = false;
    double spacing = 0;
    const CLabelArray many = GenerateLabels({3, 5, 0, false, 0, 1000, 1}, &spacing, &tooMany);
    EXPECT_TRUE(tooMany);
    EXPECT_DOUBLE_EQ(spacing, 100);
    EXPECT_EQ(many.size(), 11u);
    // Never more than 100 labels, whatever the spacing.
    EXPECT_LE(GenerateLabels({3, 10, 0, false, 0, 1000, 1}).size(), 101u);
    // Nothing for a spacing of zero, a negative or undefined one, or a reversed range.
    EXPECT_TRUE(GenerateLabels({3, 0, 0, false, 0, 1, 1}).empty());
    EXPECT_TRUE(GenerateLabels({3, -1, 0, false, 0, 1, 1}).empty());
    EXPECT_TRUE(GenerateLabels({3, std::nan(""), 0, false, 0, 1, 1}).empty());
    EXPECT_TRUE(GenerateLabels({3, 1, 0, false, 2, 1, 1}).empty());
}

TEST(PlotAxis, GridAndTicPositions) {
    EXPECT_EQ(ScaleLineValues(false, 0, 1, 0.25), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    const std::vector<double> log = ScaleLineValues(true, 1, 100, 0.1);
    ASSERT_EQ(log.size(), 19u); // 1..9, 10..90, 100
    EXPECT_DOUBLE_EQ(log[1], 2);
    EXPECT_DOUBLE_EQ(log[10], 20);
    EXPECT_EQ(ScaleLineValues(true, 1, 1e4, 2), (std::vector<double>{1, 100, 1e4}));
    // Increments that would never end the drawing give no lines.
    for (double d : {0.0, -1.0, std::nan(""), static_cast<double>(INFINITY)})
        EXPECT_TRUE(ScaleLineValues(false, 0, 1, d).empty()) << d;
    EXPECT_TRUE(ScaleLineValues(true, 0, 0, 0.1).empty());
    EXPECT_LE(ScaleLineValues(false, 0, 1, 1e-12).size(), static_cast<size_t>(kMaxScaleLines));
}

TEST(PlotAxis, MapBothWays) {
    CAxisMap x, y;
    ASSERT_TRUE(x.Set(0, 100, false, 50, 400));
    EXPECT_EQ(x.ToDeviceX(0), 50);
    EXPECT_EQ(x.ToDeviceX(50), 250);
    EXPECT_EQ(x.ToDeviceX(100), 450);
    EXPECT_DOUBLE_EQ(x.FromDeviceX(250), 50);
    ASSERT_TRUE(y.Set(1, 1000, true, 300, 300)); // bottom edge at 300
    EXPECT_EQ(y.ToDeviceY(1), 300);
    EXPECT_EQ(y.ToDeviceY(10), 200);
    EXPECT_EQ(y.ToDeviceY(0), 300); // <= 0 on a log axis: the bottom edge
    EXPECT_NEAR(y.FromDeviceY(100), 100, 1e-9);
    // Ranges that would divide by zero or take the log of zero keep the previous map.
    EXPECT_FALSE(x.Set(5, 5, false, 0, 100));
    EXPECT_FALSE(x.Set(0, 1, false, 0, 0));
    EXPECT_FALSE(y.Set(-1, 0, true, 0, 100));
    EXPECT_EQ(x.ToDeviceX(50), 250);
    EXPECT_EQ(y.ToDeviceY(10), 200);
}
