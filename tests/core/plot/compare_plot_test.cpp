#include "design/fir_data.h"
#include "doc/project_file.h"
#include "dsp/signal_ops.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_time_plot_model.h"
#include "plot_test_util.h"
#include "response/response_types.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The points of a plot file: those before the line "# compare NAME" (the project's own curve)
// and those after it (the compared filter's), and whether that line was there.
struct SPlotFilePoints {
    std::vector<std::pair<double, double>> own, compared;
    bool hasCompareLine = false;
};

SPlotFilePoints ReadPlotFilePoints(const std::string& text, const std::string& compareName) {
    SPlotFilePoints points;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "# compare " + compareName + "\r") {
            points.hasCompareLine = true;
            continue;
        }
        double x = 0, y = 0;
        std::istringstream(line) >> x >> y;
        (points.hasCompareLine ? points.compared : points.own).emplace_back(x, y);
    }
    return points;
}

// The designed lowpass and a copy of it at half the gain, with another dB floor.
struct CompareFixture : ::testing::Test {
    CScriptedHost host;
    CFirProject project{&host}, half{&host};
    CFixedMeasurer measurer;
    const SDeviceRect area{0, 0, 1000, 600};
    void SetUp() override {
        for (CFirProject* p : {&project, &half})
            ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", *p, host),
                      ELoadResult::Ok);
        ASSERT_TRUE(Scale(half.m_Filter, true, true, false, 0.5));
        half.m_Filter.m_dMinDb = -90.0;
    }
};

} // namespace

// For every response kind the second curve holds exactly what a view of the other filter
// computes at the same frequencies, and the legend names both filters.
TEST_F(CompareFixture, SecondCurveIsTheOtherFiltersOwnResponse) {
    for (const int kind : {kResponseMagnitude, kResponsePhase, kResponseUnwrappedPhase,
                           kResponsePhaseDelay, kResponseGroupDelay}) {
        CFirFreqPlotModel view(&host), other(&host);
        view.Bind(project.m_Filter, kind, kChannelInphase);
        other.Bind(half.m_Filter, kind, kChannelInphase);
        view.SetCompare(&half.m_Filter, "lowpass", "half");
        const CPlotLayout& l = view.Prepare(measurer, area);
        ASSERT_TRUE(l.m_bDrawn);
        ASSERT_EQ(view.Curves().size(), 2u) << kind;
        std::vector<std::vector<double>> expected;
        other.ComputeCurves(view.XColumn(), expected);
        ASSERT_EQ(expected.size(), 1u);
        EXPECT_EQ(view.Curves()[1], expected[0]) << kind;
        ASSERT_EQ(l.m_legend.size(), 2u) << kind;
        EXPECT_EQ(l.m_legend[0].m_strName, "lowpass");
        EXPECT_EQ(l.m_legend[1].m_strName, "half");
        EXPECT_NE(l.m_legend[0].m_color, l.m_legend[1].m_color);
    }
}

TEST_F(CompareFixture, DifferenceIsTheMagnitudeDifferenceInDb) {
    CFirFreqPlotModel view(&host);
    view.Bind(project.m_Filter, kResponseMagnitude, kChannelInphase);
    view.SetCompare(&half.m_Filter, "lowpass", "half");
    EXPECT_FALSE(view.Prepare(measurer, area).m_overlay.empty()); // the mask of the design
    view.SetDifference(true);
    view.Prepare(measurer, area);
    EXPECT_EQ(view.m_strYTitle, "Magnitude Difference in dB");
    EXPECT_TRUE(view.Layout().m_overlay.empty()); // no specification mask over a difference
    ASSERT_EQ(view.Curves().size(), 1u);
    // Twice the gain is 6.02 dB more wherever neither response reaches its floor.
    for (size_t i = 0; i < view.XColumn().size(); ++i) {
        if (view.XColumn()[i] < 6000) {
            EXPECT_NEAR(view.Curves()[0][i], 20 * std::log10(2.0), 1e-9) << view.XColumn()[i];
        }
    }
    // The difference is offered for the magnitude in dB only.
    view.SetKind(kResponsePhase);
    view.Prepare(measurer, area);
    EXPECT_EQ(view.Curves().size(), 2u);
}

TEST_F(CompareFixture, PlotFileHasTheSecondCurveAfterACompareLine) {
    CFirFreqPlotModel view(&host);
    view.Bind(project.m_Filter, kResponseMagnitude, kChannelInphase);
    view.SetCompare(&half.m_Filter, "lowpass", "half");
    view.Prepare(measurer, area);
    const SPlotFilePoints points = ReadPlotFilePoints(view.GetPlotFileText(false), "half");
    for (int curve = 0; curve < 2; ++curve) {
        const auto& section = curve == 0 ? points.own : points.compared;
        for (size_t i = 0; i < section.size(); ++i) {
            const auto [f, db] = section[i];
            ASSERT_LT(i, view.XColumn().size());
            EXPECT_NEAR(f, view.XColumn()[i], 1e-5 * std::max(1.0, std::fabs(f)));
            EXPECT_NEAR(db, view.Curves()[curve][i], 1e-4 * std::max(1.0, std::fabs(db)));
        }
    }
    EXPECT_TRUE(points.hasCompareLine);
    EXPECT_EQ(points.own.size(), view.XColumn().size());
    EXPECT_EQ(points.compared.size(), view.XColumn().size());
    // Without a filter to compare the text is as before.
    view.SetCompare(nullptr, "", "");
    view.Prepare(measurer, area);
    EXPECT_EQ(view.GetPlotFileText(false).find('#'), std::string::npos);
}

// ---- impulse view ------------------------------------------------------------------------------

namespace {

// The designed lowpass (41 taps) and, to compare with, filters of other lengths.
struct TimeCompareFixture : CompareFixture {
    // The lowpass with zeros appended up to count taps, scaled by 0.5.
    void Lengthen(CFirProject& p, int count) {
        AppendZeros(p.m_Filter, count - p.m_Filter.GetN());
        ASSERT_TRUE(Scale(p.m_Filter, true, true, false, 0.5));
        p.m_Filter.ResetRange();
    }
    // The curves and X columns a view of the other filter alone draws at this size.
    static void OwnView(const CFirProject& p, int mode, int type, CFixedMeasurer& m,
                        const SDeviceRect& area, CScriptedHost& host,
                        std::vector<std::vector<double>>& curves, std::vector<double>& xs) {
        CFirTimePlotModel view(&host);
        view.Bind(p.m_Filter, mode, type, 0);
        view.m_bLegend = 0;
        ASSERT_TRUE(view.Prepare(m, area).m_bDrawn);
        curves = view.Curves();
        xs = view.XColumn();
    }
};

} // namespace

// In every mode the other filter's curves are exactly what its own view draws, at its own
// sample times, whether it is shorter, longer (reduced per device column) or complex.
TEST_F(TimeCompareFixture, SecondCurvesAreTheOtherFiltersOwnView) {
    struct Case {
        int taps, mode, type;
    } cases[] = {{25, kTimeImpulse, kGraphInphase},        {25, kTimeStep, kGraphInphase},
                 {80, kTimeImpulseAndStep, kGraphInphase}, {80, kTimeImpulse, kGraphMagnitude},
                 {6000, kTimeImpulse, kGraphInphase},      {6000, kTimeStep, kGraphInphase}};
    for (const Case& c : cases) {
        CFirProject other(&host);
        ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", other, host),
                  ELoadResult::Ok);
        if (c.taps < other.m_Filter.GetN())
            RemovePoints(other.m_Filter, RemoveEnd, other.m_Filter.GetN() - c.taps);
        else
            Lengthen(other, c.taps);
        CFirTimePlotModel view(&host);
        view.Bind(project.m_Filter, c.mode, c.type, 0);
        view.SetCompare(&other.m_Filter, "lowpass", "other");
        // Without the legend the plot is as wide as the other's own view, so that a long
        // filter is reduced alike.
        view.m_bLegend = 0;
        ASSERT_TRUE(view.Prepare(measurer, area).m_bDrawn);
        std::vector<std::vector<double>> expected;
        std::vector<double> xs;
        OwnView(other, c.mode, c.type, measurer, area, host, expected, xs);
        ASSERT_FALSE(xs.empty());
        const size_t own = static_cast<size_t>(view.OwnCurveCount());
        ASSERT_EQ(view.Curves().size(), 2 * own) << c.taps << " " << c.mode;
        ASSERT_EQ(expected.size(), own);
        for (size_t k = 0; k < own; ++k) {
            EXPECT_EQ(view.Curves()[own + k], expected[k]) << c.taps << " " << c.mode << " " << k;
            EXPECT_EQ(view.XColumnOf(own + k), xs) << c.taps << " " << c.mode << " " << k;
        }
        // The filter's own curve keeps its 41 samples (when nothing needs reducing).
        if (c.taps < 1000) {
            EXPECT_EQ(view.XColumn().size(), 41u);
        }
        // The axis spans both filters.
        EXPECT_NEAR(view.XRangeMax(), std::max(40, c.taps - 1) / 48000.0, 1e-12);
        ASSERT_EQ(view.Layout().m_curves[own].size(), xs.size());
        view.m_bLegend = 1;
        view.Refresh();
        const CPlotLayout& l = view.Prepare(measurer, area);
        ASSERT_EQ(l.m_legend.size(), 2 * own);
        EXPECT_EQ(l.m_legend[0].m_strName.rfind("lowpass", 0), 0u);
        EXPECT_EQ(l.m_legend[own].m_strName.rfind("other", 0), 0u);
        EXPECT_NE(l.m_legend[0].m_color, l.m_legend[own].m_color);
    }
}

// Another sample-rate unit: the other filter's times are converted into the filter's unit.
TEST_F(TimeCompareFixture, OtherTimeUnitIsConverted) {
    CFirProject other(&host);
    ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", other, host), ELoadResult::Ok);
    other.m_Filter.ApplyFs(CFs(48, 1)); // 48 kHz: times in ms
    ASSERT_DOUBLE_EQ(other.m_Filter.IndexToX(48), 1.0);
    CFirTimePlotModel view(&host);
    view.Bind(project.m_Filter, kTimeImpulse, kGraphInphase, 0);
    view.SetCompare(&other.m_Filter, "lowpass", "kHz");
    view.Prepare(measurer, area);
    ASSERT_EQ(view.XColumnOf(1).size(), view.XColumn().size());
    for (size_t i = 0; i < view.XColumn().size(); ++i)
        EXPECT_NEAR(view.XColumnOf(1)[i], view.XColumn()[i], 1e-15);
    EXPECT_EQ(view.Curves()[1], view.Curves()[0]);
}

// A zoom past the end of the shorter filter shows the longer one alone; the plot file has the
// second filter's points after a compare line; polar and histogram types draw the filter only.
TEST_F(TimeCompareFixture, ZoomPlotFileAndTypesWithoutCompare) {
    CFirProject other(&host);
    ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", other, host), ELoadResult::Ok);
    Lengthen(other, 100);
    CFirTimePlotModel view(&host);
    view.Bind(project.m_Filter, kTimeImpulse, kGraphInphase, 0);
    view.SetCompare(&other.m_Filter, "lowpass", "long");
    view.Prepare(measurer, area);

    const SPlotFilePoints points = ReadPlotFilePoints(view.GetPlotFileText(false), "long");
    for (int curve = 0; curve < 2; ++curve) {
        const auto& section = curve == 0 ? points.own : points.compared;
        const std::vector<double>& xs = view.XColumnOf(curve);
        for (size_t i = 0; i < section.size(); ++i) {
            const auto [x, y] = section[i];
            ASSERT_LT(i, xs.size());
            EXPECT_NEAR(x, xs[i], 1e-5 * std::fabs(xs[i]) + 1e-12);
            EXPECT_NEAR(y, view.Curves()[curve][i], 1e-5);
        }
    }
    EXPECT_TRUE(points.hasCompareLine);
    EXPECT_EQ(points.own.size(), 41u);
    EXPECT_EQ(points.compared.size(), 100u);

    ASSERT_TRUE(view.ZoomTo(true, false, true, 60 / 48000.0, 90 / 48000.0, 0, 0));
    view.Prepare(measurer, area);
    EXPECT_TRUE(view.Curves()[0].empty());
    EXPECT_EQ(view.Curves()[1].size(), 31u);
    EXPECT_NEAR(view.XColumnOf(1).front(), 60 / 48000.0, 1e-12);
    view.ResetZoom();
    view.Refresh();
    view.Prepare(measurer, area);
    EXPECT_EQ(view.Curves()[0].size(), 41u);
    EXPECT_EQ(view.Curves()[1].size(), 100u);

    view.SetType(kGraphPolar);
    view.Prepare(measurer, area);
    EXPECT_FALSE(view.ShowsCompare());
    view.SetType(kGraphInphase);
    view.SetHistogram(true);
    view.Prepare(measurer, area);
    EXPECT_EQ(view.Curves().size(), 1u);
    view.SetHistogram(false);
    view.SetCompare(nullptr, "", "");
    view.Prepare(measurer, area);
    EXPECT_EQ(view.Curves().size(), 1u);
    EXPECT_EQ(view.GetPlotFileText(false).find('#'), std::string::npos);
}

// The ordinary legend is left out of a plot narrower than three legend widths; a comparison
// keeps its legend there, in a smaller font and with names shortened in the middle so that
// their distinct ends stay.
TEST_F(TimeCompareFixture, NarrowPlotKeepsACompactLegendForAComparison) {
    const SDeviceRect narrow{0, 0, 800, 600};
    CFirTimePlotModel view(&host);
    view.Bind(project.m_Filter, kTimeImpulseAndStep, kGraphIAndQ, 0);
    EXPECT_TRUE(view.Prepare(measurer, narrow).m_legend.empty());

    view.SetCompare(&half.m_Filter, "a_long_project_name_of_filters_v1",
                    "a_long_project_name_of_filters_v2");
    const CPlotLayout& l = view.Prepare(measurer, narrow);
    ASSERT_EQ(l.m_legend.size(), 8u);
    EXPECT_LT(l.m_dLegendFontHeight, l.m_dFontHeight);
    EXPECT_GT(l.m_dLegendFontHeight, 0.0);
    const double sample = measurer.TextWidth("****", l.m_dLegendFontHeight);
    for (const SLegendEntry& e : l.m_legend)
        EXPECT_LE(measurer.TextWidth(e.m_strName, l.m_dLegendFontHeight),
                  narrow.right / 4.0 - 2.5 * sample)
            << e.m_strName;
    // The start the names share gives way to "..".
    EXPECT_EQ(l.m_legend[0].m_strName.substr(0, 3), "..1");
    EXPECT_EQ(l.m_legend[4].m_strName.substr(0, 3), "..2");
    EXPECT_EQ(l.m_legend[0].m_strName.substr(l.m_legend[0].m_strName.size() - 2), " I");
    // The curves keep most of the width.
    EXPECT_GT(l.m_plot.right - l.m_plot.left, narrow.right / 2);
}
