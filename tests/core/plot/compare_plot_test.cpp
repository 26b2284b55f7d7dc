#include "design/fir_data.h"
#include "doc/project_file.h"
#include "plot/fir_freq_plot_model.h"
#include "plot_test_util.h"
#include "response/response_types.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

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
        ASSERT_TRUE(half.m_Filter.Scale(true, true, false, 0.5));
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
    std::istringstream text(view.GetPlotFileText(false));
    std::string line;
    size_t before = 0, after = 0;
    bool compared = false;
    while (std::getline(text, line)) {
        if (line == "# compare half\r") {
            compared = true;
            continue;
        }
        double f = 0, db = 0;
        std::istringstream(line) >> f >> db;
        const size_t i = compared ? after++ : before++;
        ASSERT_LT(i, view.XColumn().size());
        EXPECT_NEAR(f, view.XColumn()[i], 1e-5 * std::max(1.0, std::fabs(f)));
        EXPECT_NEAR(db, view.Curves()[compared ? 1 : 0][i], 1e-4 * std::max(1.0, std::fabs(db)));
    }
    EXPECT_TRUE(compared);
    EXPECT_EQ(before, view.XColumn().size());
    EXPECT_EQ(after, view.XColumn().size());
    // Without a filter to compare the text is as before.
    view.SetCompare(nullptr, "", "");
    view.Prepare(measurer, area);
    EXPECT_EQ(view.GetPlotFileText(false).find('#'), std::string::npos);
}
