#include "design/fir_data.h"
#include "doc/project_file.h"
#include "dsp/signal_messages.h"
#include "plot/fir_plot_request.h"
#include "plot/plot_messages.h"
#include "plot/pole_zero_plot_model.h"
#include "plot_test_util.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <sstream>

namespace {

struct PoleZeroFixture : ::testing::Test {
    CScriptedHost host;
    CFirData filter{&host};
    CFixedMeasurer measurer;
    const SDeviceRect area{0, 0, 900, 600};

    // A filter of the given taps at 8 kHz.
    void Load(const std::vector<std::complex<double>>& taps) {
        filter.LoadComplex(taps);
        filter.DetectReal();
        filter.ApplyFs(CFs(8.0, 1));
    }
    static std::vector<std::complex<double>> Convolve(const std::vector<std::complex<double>>& a,
                                                      const std::vector<std::complex<double>>& b) {
        std::vector<std::complex<double>> out(a.size() + b.size() - 1);
        for (size_t i = 0; i < a.size(); ++i)
            for (size_t j = 0; j < b.size(); ++j)
                out[i + j] += a[i] * b[j];
        return out;
    }
    std::vector<SPlotMark> MarksOf(const CPlotLayout& l, SPlotMark::EShape shape) const {
        std::vector<SPlotMark> out;
        std::copy_if(l.m_marks.begin(), l.m_marks.end(), std::back_inserter(out),
                     [&](const SPlotMark& m) { return m.nShape == shape; });
        return out;
    }
};

// Zeros at exp(+-j pi/4), each twice, and one at -0.5: 1 kHz at Fs = 8 kHz.
const double kRoot2 = std::sqrt(2.0);

} // namespace

TEST_F(PoleZeroFixture, DrawsZerosPolesAndUnitCircleOnEqualScales) {
    const std::vector<std::complex<double>> pair{1.0, -kRoot2, 1.0};
    Load(Convolve(Convolve(pair, pair), {1.0, 0.5}));
    CPoleZeroPlotModel plot(&host);
    plot.Bind(filter);
    const CPlotLayout& l = plot.Prepare(measurer, area);
    ASSERT_TRUE(l.m_bDrawn);
    EXPECT_EQ(plot.m_strTitle, "Pole-Zero Plot");
    // Equal aspect: a unit is as many device units across as up, and the unit circle is round.
    const CAxisMap &x = plot.Map(true), &y = plot.Map(false);
    EXPECT_NEAR(x.ToDeviceX(1.0) - x.ToDeviceX(0.0), y.ToDeviceY(0.0) - y.ToDeviceY(1.0), 1);
    const std::vector<SPlotMark> circle = MarksOf(l, SPlotMark::kOutline);
    ASSERT_EQ(circle.size(), size_t{1});
    EXPECT_EQ(circle[0].x, x.ToDeviceX(0.0));
    EXPECT_NEAR(circle[0].rx, circle[0].ry, 1);
    EXPECT_EQ(circle[0].rx, x.ToDeviceX(1.0) - x.ToDeviceX(0.0));
    // Five zeros drawn as three rings, the double ones labelled 2; four poles as one cross.
    const std::vector<SPlotMark> rings = MarksOf(l, SPlotMark::kRing);
    ASSERT_EQ(rings.size(), size_t{3});
    EXPECT_EQ(std::count_if(rings.begin(), rings.end(),
                            [](const SPlotMark& m) { return m.m_strText == "2"; }),
              2);
    const std::vector<SPlotMark> poles = MarksOf(l, SPlotMark::kCross);
    ASSERT_EQ(poles.size(), size_t{1});
    EXPECT_EQ(poles[0].m_strText, "5");
    EXPECT_EQ(poles[0].y, y.ToDeviceY(0.0));
    EXPECT_TRUE(l.m_strMessage.empty());

    // The readout of a clicked zero: radius, angle as a frequency in kHz and multiplicity.
    int curve = -1;
    const int hit =
        plot.HitTest(x.ToDeviceX(std::sqrt(0.5)) + 2, y.ToDeviceY(std::sqrt(0.5)) - 1, curve);
    ASSERT_GE(hit, 0);
    EXPECT_EQ(plot.ReadoutText(hit, curve),
              "Zero at radius 1.000000, angle 1.000000 kHz, multiplicity 2");
    const int real = plot.HitTest(x.ToDeviceX(-0.5), y.ToDeviceY(0.0), curve);
    EXPECT_EQ(plot.ReadoutText(real, curve), "Zero at radius 0.500000, angle 4.000000 kHz");
}

TEST_F(PoleZeroFixture, FindsZerosAgainOnlyWhenTheCoefficientsChange) {
    Load({1.0, -0.5});
    CPoleZeroPlotModel plot(&host);
    plot.Bind(filter);
    ASSERT_EQ(plot.Zeros().zeros.size(), size_t{1});
    EXPECT_DOUBLE_EQ(plot.Zeros().zeros[0].real(), 0.5);
    // A complex filter: the zeros of the complex polynomial.
    Load({1.0, std::complex<double>(0.0, -0.25)});
    plot.OnUpdate(Notice::kCoefficients, filter);
    ASSERT_EQ(plot.Zeros().zeros.size(), size_t{1});
    EXPECT_NEAR(std::abs(plot.Zeros().zeros[0] - std::complex<double>(0.0, 0.25)), 0, 1e-15);
    plot.Prepare(measurer, area);
    EXPECT_TRUE(plot.PointsValid());
    plot.OnUpdate(Notice::kCoefficients,
                  filter); // same coefficients: nothing to find, but a fresh drawing
    EXPECT_FALSE(plot.PointsValid());
    EXPECT_EQ(plot.Zeros().zeros.size(), size_t{1});
}

TEST_F(PoleZeroFixture, RefusedZerosShowTheReasonAndNoZeros) {
    Load(std::vector<std::complex<double>>(static_cast<size_t>(kMaxZeroTaps) + 1, 1.0));
    CPoleZeroPlotModel plot(&host);
    plot.Bind(filter);
    const CPlotLayout& l = plot.Prepare(measurer, area);
    ASSERT_TRUE(l.m_bDrawn);
    EXPECT_EQ(l.m_strMessage, SignalMsg::kNoZerosTooLong);
    EXPECT_TRUE(MarksOf(l, SPlotMark::kRing).empty());
    EXPECT_TRUE(MarksOf(l, SPlotMark::kCross).empty());
    EXPECT_EQ(plot.GetPlotFileText(false), "");
}

TEST_F(PoleZeroFixture, PlotFileHasOneZeroPerLine) {
    Load(Convolve({1.0, -kRoot2, 1.0}, {1.0, 0.5}));
    SFirPlotRequest request;
    const auto& views = FirPlotViews();
    request.nView = static_cast<int>(
        std::find_if(views.begin(), views.end(),
                     [](const SFirPlotView& v) { return std::string(v.word) == "pole-zero"; }) -
        views.begin());
    ASSERT_LT(request.nView, static_cast<int>(views.size()));
    std::string error;
    const std::unique_ptr<CGraph> plot = MakeFirPlot(filter, request, &host, error);
    ASSERT_TRUE(plot);
    plot->Prepare(measurer, area);
    std::istringstream text(plot->GetPlotFileText(true));
    std::string line;
    std::getline(text, line);
    EXPECT_EQ(line, "Pole-Zero Plot\r");
    std::getline(text, line);
    std::getline(text, line);
    std::vector<std::complex<double>> zeros;
    double re = 0, im = 0;
    while (text >> re >> im)
        zeros.emplace_back(re, im);
    ASSERT_EQ(zeros.size(), size_t{3});
    for (const std::complex<double> expected :
         {std::complex<double>(-0.5, 0), std::polar(1.0, M_PI / 4), std::polar(1.0, -M_PI / 4)})
        EXPECT_TRUE(std::any_of(zeros.begin(), zeros.end(), [&](auto z) {
            return std::abs(z - expected) < 1e-9;
        })) << expected;
}

// The pole-zero view binds at whatever notice comes first and forgets the filter when the
// document closes.
TEST_F(PoleZeroFixture, BindsAtTheFirstNoticeAndUnbindsAtClosing) {
    Load({1.0, -0.5});
    CPoleZeroPlotModel plot(&host);
    plot.OnUpdate(Notice::kNewTime, filter);
    EXPECT_EQ(plot.Filter(), &filter);
    EXPECT_EQ(plot.Zeros().zeros.size(), size_t{1});
    plot.OnUpdate(Notice::kClosing, filter);
    EXPECT_EQ(plot.Filter(), nullptr);
    EXPECT_TRUE(plot.Zeros().zeros.empty());
}
