#include "design/fir_data.h"
#include "doc/project_file.h"
#include "plot/fir_freq_plot_model.h"
#include "plot/fir_plot_request.h"
#include "plot/fir_time_plot_model.h"
#include "plot_test_util.h"
#include "response/response_types.h"
#include "support/change_notice.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The designed lowpass of the test data: 41 taps at 48 kHz, passband to 6 kHz with 1 dB
// ripple, stopband from 9 kHz with 60 dB attenuation.
struct LowpassFixture : ::testing::Test {
    CScriptedHost host;
    CFirProject project{&host};
    CFixedMeasurer measurer;
    const SDeviceRect area{0, 0, 1000, 600};
    void SetUp() override {
        ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", project, host),
                  ELoadResult::Ok);
    }
    CFirData& Filter() { return project.m_Filter; }
};

} // namespace

TEST_F(LowpassFixture, FrequencyViewComputesOnePointPerColumn) {
    CFirFreqPlotModel view(&host);
    view.OnUpdate(SChangeNotice::FromCode(67), Filter()); // magnitude of the inphase filter
    const CPlotLayout& l = view.Prepare(measurer, area);
    ASSERT_TRUE(l.m_bDrawn);
    EXPECT_EQ(view.m_strXTitle, "Frequency in kHz");
    EXPECT_EQ(view.m_strYTitle, "Magnitude in dB");
    EXPECT_EQ(view.m_strTitle, "Inphase Filter Frequency Response");
    EXPECT_EQ(l.m_xLabels.back().m_strText, "25.0"); // labels 0, 2.5, ... kHz
    // Columns from 0 Hz to the one of 24 kHz, one frequency each.
    const CAxisMap& x = view.Map(true);
    const std::vector<double>& f = view.XColumn();
    ASSERT_EQ(static_cast<int>(f.size()), x.ToDeviceX(24000) - x.ToDeviceX(0) + 1);
    for (size_t i = 0; i < f.size(); ++i)
        EXPECT_EQ(x.ToDeviceX(f[i]), x.ToDeviceX(0) + static_cast<int>(i));
    for (size_t i = 0; i < f.size(); ++i) {
        const double db = view.Curves()[0][i];
        if (f[i] <= 6000) {
            EXPECT_NEAR(db, 0, 0.5) << f[i];
        } else if (f[i] >= 9000) {
            EXPECT_LT(db, -60) << f[i];
        }
    }
    // A zoom into 1..2 kHz computes that range only, one point per column.
    ASSERT_TRUE(view.ZoomTo(true, false, true, 1000, 2000, 0, 0));
    view.Prepare(measurer, area);
    EXPECT_GE(view.XColumn().front(), 1000);
    EXPECT_LE(view.XColumn().back(), 2000);
    EXPECT_EQ(static_cast<int>(view.XColumn().size()),
              view.Map(true).ToDeviceX(2000) - view.Map(true).ToDeviceX(1000) + 1);
}

// Both ranges of a request hold after the layout that follows them.
TEST_F(LowpassFixture, RequestedRangesOfBothAxesHold) {
    SFirPlotRequest request;
    request.xRange = std::pair{1000.0, 2000.0};
    request.yRange = std::pair{-2.0, 1.0};
    std::string error;
    const std::unique_ptr<CGraph> plot = MakeFirPlot(Filter(), request, &host, error);
    ASSERT_TRUE(plot);
    plot->Prepare(measurer, area);
    ASSERT_TRUE(ApplyFirPlotRanges(*plot, request));
    plot->Prepare(measurer, area);
    EXPECT_LE(plot->m_X.m_dAxisMin, 1000.0);
    EXPECT_GE(plot->m_X.m_dAxisMin, 900.0);
    EXPECT_GE(plot->m_X.m_dAxisMax, 2000.0);
    EXPECT_LE(plot->m_X.m_dAxisMax, 2100.0);
    EXPECT_LE(plot->m_Y.m_dAxisMin, -2.0);
    EXPECT_GE(plot->m_Y.m_dAxisMin, -2.5);
    EXPECT_GE(plot->m_Y.m_dAxisMax, 1.0);
    EXPECT_LE(plot->m_Y.m_dAxisMax, 1.5);
}

// The curve colour is the project's: it travels with the project file, not with the filter, and
// the plot drawn for a request takes it from the request's view settings.
TEST_F(LowpassFixture, FrequencyPlotDrawsInTheProjectsCurveColour) {
    project.m_View.m_nCurveColor = 0x123456;
    CFirProject reopened(&host);
    const std::vector<uint8_t> bytes = project.ToBytes();
    CArchiveReader in(bytes);
    reopened.Serialize(in);
    EXPECT_EQ(reopened.m_View.m_nCurveColor, 0x123456);

    for (const SViewSettings& settings : {reopened.m_View, SViewSettings()}) {
        SFirPlotRequest request;
        request.viewSettings = settings;
        std::string error;
        const std::unique_ptr<CGraph> plot = MakeFirPlot(reopened.m_Filter, request, &host, error);
        ASSERT_TRUE(plot);
        const CPlotLayout& l = plot->Prepare(measurer, area);
        ASSERT_EQ(l.m_curveAttributes.size(), 1u);
        EXPECT_EQ(l.m_curveAttributes[0].m_color, RgbFromColorRef(settings.m_nCurveColor));
    }
}

TEST_F(LowpassFixture, SpecificationMaskAndReadout) {
    CFirFreqPlotModel view(&host);
    view.OnUpdate(SChangeNotice::FromCode(67), Filter());
    const CPlotLayout& l = view.Prepare(measurer, area);
    const CAxisMap& x = view.Map(true);
    const CAxisMap& y = view.Map(false);
    ASSERT_EQ(l.m_overlay.size(), 3u);
    EXPECT_EQ(l.m_overlay[0].y1, y.ToDeviceY(0.5));
    EXPECT_EQ(l.m_overlay[1].y1, y.ToDeviceY(-0.5));
    EXPECT_EQ(l.m_overlay[1].x2, x.ToDeviceX(6000));
    EXPECT_EQ(l.m_overlay[2].y1, y.ToDeviceY(-60));
    EXPECT_EQ(l.m_overlay[2].x1, x.ToDeviceX(9000));
    // Phase shows no mask.
    view.SetKind(kResponsePhase);
    EXPECT_TRUE(view.Prepare(measurer, area).m_overlay.empty());

    view.SetKind(kResponseMagnitude);
    view.Prepare(measurer, area);
    int curve = -1;
    const int i = view.HitTest(x.ToDeviceX(1500), 100, curve);
    const double f = view.XColumn()[i];
    EXPECT_EQ(view.ReadoutText(i, curve), StrPrintf("At %0.6f kHz, Inphase filter gain is %0.3f dB",
                                                    f / 1000, view.Curves()[0][i]));
    EXPECT_NEAR(f, 1500, 30);
}

TEST_F(LowpassFixture, ChannelsFollowTheFilter) {
    CFirData& filter = Filter();
    filter.ApplyFs(CFs(8, 1)); // 8 kHz
    CFirFreqPlotModel view(&host);
    view.OnUpdate(SChangeNotice::FromCode(67), filter);
    EXPECT_FALSE(view.CanChooseChannel(kChannelComplex));
    view.Prepare(measurer, area);
    EXPECT_DOUBLE_EQ(view.XRangeMax(), 4);
    EXPECT_EQ(view.m_strXTitle, "Frequency in kHz");
    // Filling Q makes the filter complex: the complex filter over -4..4 kHz.
    for (int n = 0; n < filter.GetN(); ++n)
        filter.m_pQ->SetAt(n, 0.01 * n);
    filter.m_bReal = 0;
    view.OnUpdate(Notice::kCoefficients, filter);
    EXPECT_EQ(view.GetChannel(), kChannelComplex);
    view.Prepare(measurer, area);
    EXPECT_DOUBLE_EQ(view.XRangeMin(), -4);
    EXPECT_EQ(view.m_strTitle, "Complex Filter Frequency Response");

    // Hint 0x243: magnitude of I and Q, two curves in the project's curve colour, Q dotted.
    CFirFreqPlotModel both(&host);
    both.SetCurveColor(0x00FF00);
    both.OnUpdate(SChangeNotice::FromCode(0x243), filter);
    const CPlotLayout& l = both.Prepare(measurer, area);
    ASSERT_EQ(l.m_curves.size(), 2u);
    ASSERT_EQ(l.m_legend.size(), 2u);
    EXPECT_EQ(l.m_legend[0].m_strName, "I");
    EXPECT_EQ(l.m_legend[1].m_strName, "Q");
    EXPECT_TRUE(l.m_curveAttributes[1].m_bDotted);
    EXPECT_EQ(l.m_curveAttributes[0].m_color, RgbFromColorRef(0x00FF00));
    EXPECT_EQ(l.m_curveAttributes[1].m_color, RgbFromColorRef(0x00FF00));
}

TEST_F(LowpassFixture, TimeViewImpulseAndStep) {
    CFirTimePlotModel view(&host);
    view.OnUpdate(SChangeNotice::FromCode(1), Filter()); // automatic type
    view.SetMode(kTimeImpulseAndStep);
    const CPlotLayout& l = view.Prepare(measurer, area);
    ASSERT_TRUE(l.m_bDrawn);
    ASSERT_EQ(l.m_legend.size(), 2u);
    EXPECT_EQ(l.m_legend[0].m_strName, "Impulse");
    EXPECT_EQ(l.m_legend[1].m_strName, "Step");
    EXPECT_EQ(l.m_legend[0].m_color, PaletteColor(0));
    EXPECT_EQ(l.m_legend[1].m_color, PaletteColor(1));
    EXPECT_EQ(view.m_strTitle, "Impulse and Step Response");
    EXPECT_EQ(view.m_strXTitle, "Time in us");
    // The step curve ends at the sum of the taps (the gain at 0 Hz, near 1).
    EXPECT_NEAR(view.Curves()[1].back(), 1.0, 0.06);
    ASSERT_EQ(view.XColumn().size(), 41u);
}

TEST_F(LowpassFixture, TimeViewKeepsItsZoomOnNewCoefficientsWhileTheyHoldIt) {
    struct Case {
        const char* change;
        int taps;       // the length after the change
        bool keepsZoom; // samples 5..30 still lie within the new coefficients
    };
    const Case cases[] = {{"scaled", 41, true}, {"longer", 60, true}, {"shorter", 20, false}};
    const double dt = 1.0 / 48000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        CFirData filter(Filter());
        CFirTimePlotModel view(&host);
        view.OnUpdate(SChangeNotice::FromCode(1), filter);
        view.Prepare(measurer, area);
        ASSERT_TRUE(view.ZoomTo(true, false, true, 5 * dt, 30 * dt, 0, 0));
        view.Prepare(measurer, area);
        ASSERT_EQ(view.GetZoomStatusText(), "Zoom Level 1 of 1");

        std::vector<double> taps(static_cast<size_t>(c.taps));
        for (int i = 0; i < c.taps; ++i)
            taps[static_cast<size_t>(i)] = 0.5 * filter.m_pI->GetAt(i % filter.GetN());
        filter.m_pI->SetSize(c.taps);
        filter.m_pQ->SetSize(c.taps);
        for (int i = 0; i < c.taps; ++i) {
            filter.m_pI->SetAt(i, taps[static_cast<size_t>(i)]);
            filter.m_pQ->SetAt(i, 0.0);
        }
        view.OnUpdate(Notice::kCoefficients, filter);
        view.Prepare(measurer, area);
        const std::vector<double>& x = view.XColumn();
        ASSERT_FALSE(x.empty());
        if (c.keepsZoom) {
            // (longer data also adds a wider top level: the zoom shown stays the deepest)
            const int levels = view.Zoom().GetLevelCount();
            EXPECT_EQ(view.Zoom().GetCurrentLevelNumber(), levels);
            EXPECT_EQ(levels, c.taps > 41 ? 2 : 1);
            EXPECT_NEAR(x.front(), 5 * dt, 1e-12);
            EXPECT_NEAR(x.back(), 30 * dt, 1e-12);
            // The curve is of the new coefficients.
            EXPECT_DOUBLE_EQ(view.Curves()[0][0], taps[5]);
        } else {
            EXPECT_EQ(view.GetZoomStatusText(), "Ready");
            EXPECT_NEAR(x.front(), 0.0, 1e-12);
            EXPECT_NEAR(x.back(), (c.taps - 1) * dt, 1e-12);
        }
    }
}

TEST_F(LowpassFixture, StepModeReadoutAndHistogramAreOfTheStepResponse) {
    CFirTimePlotModel view(&host);
    view.OnUpdate(SChangeNotice::FromCode(11), Filter()); // step mode
    ASSERT_EQ(view.GetMode(), kTimeStep);
    view.Prepare(measurer, area);
    std::vector<double> step;
    double sum = 0;
    for (int i = 0; i < Filter().GetN(); ++i)
        step.push_back(sum += Filter().m_pI->GetAt(i));

    // First click: the point; second click on the same sample: its I and Q.
    const int sample = 30;
    EXPECT_EQ(view.ReadoutText(sample, 0).rfind("X=", 0), 0u);
    const std::string bin = view.ReadoutText(sample, 0);
    EXPECT_EQ(bin.rfind("Bin 30: I=" + FormatNumber(step[sample], 3, true) + ",", 0), 0u) << bin;

    // The histogram counts the step samples: the highest bin holds values near the final sum,
    // far above any single tap.
    view.SetHistogram(true);
    view.Prepare(measurer, area);
    const CHistogramData& h = view.m_Histogram;
    ASSERT_GT(h.m_nBins, 0);
    EXPECT_NEAR(h.m_dMax, *std::max_element(step.begin(), step.end()), 0.1);
    EXPECT_NEAR(h.m_dMin, *std::min_element(step.begin(), step.end()), 0.1);
    double counted = 0;
    for (int i = 0; i < h.GetN(); ++i)
        counted += h.m_pI->GetAt(i);
    EXPECT_EQ(counted, Filter().GetN());
}

// Each plot view reacts to the notices meant for it: a frequency view binds at a frequency
// binding only, taking the response kind and channel from it; a time view at a time or step
// binding, taking its mode, graph type and style; a closing document unbinds both.
TEST_F(LowpassFixture, PlotViewsBindAtTheirOwnNoticesOnly) {
    using enum EViewShows;
    using C = EViewChannel;
    const SChangeNotice others[] = {Notice::kCoefficients, Notice::kSampleRate,
                                    Notice::kAboutToSave};
    CFirData& filter = Filter();
    {
        CFirFreqPlotModel freq(&host);
        for (const SChangeNotice& n : others)
            freq.OnUpdate(n, filter);
        freq.OnUpdate(SChangeNotice::BindTime(Phase, C::Quadrature), filter);
        freq.OnUpdate(SChangeNotice::BindTime(Phase, C::Quadrature, true), filter);
        EXPECT_EQ(freq.Filter(), nullptr);
        freq.OnUpdate(SChangeNotice::BindFreq(GroupDelay, C::Quadrature), filter);
        EXPECT_EQ(freq.Filter(), &filter);
        EXPECT_EQ(freq.GetKind(), kResponseGroupDelay);
        EXPECT_EQ(freq.GetChannel(), kChannelQuadrature);
        freq.OnUpdate(SChangeNotice::BindFreq(Phase, C::Inphase), filter); // bound already
        EXPECT_EQ(freq.GetKind(), kResponseGroupDelay);
        freq.OnUpdate(Notice::kClosing, filter);
        EXPECT_EQ(freq.Filter(), nullptr);
        // A kind that is not a response (a filter type) shows the magnitude.
        freq.OnUpdate(SChangeNotice::BindFreq(Lowpass, C::Inphase), filter);
        EXPECT_EQ(freq.GetKind(), kResponseMagnitude);
    }
    {
        CFirTimePlotModel time(&host);
        for (const SChangeNotice& n : others)
            time.OnUpdate(n, filter);
        time.OnUpdate(SChangeNotice::BindFreq(Magnitude, C::Complex), filter);
        EXPECT_EQ(time.Filter(), nullptr);
        SChangeNotice styled = SChangeNotice::BindTime(Magnitude, C::Complex);
        styled.style = 3;
        time.OnUpdate(styled, filter);
        EXPECT_EQ(time.Filter(), &filter);
        EXPECT_EQ(time.GetMode(), kTimeImpulse);
        EXPECT_EQ(time.m_nType, kGraphMagnitude);
        EXPECT_EQ(time.GetStyle(), 3);
        time.OnUpdate(Notice::kClosing, filter);
        EXPECT_EQ(time.Filter(), nullptr);
        // Step mode; a filter type is no graph type: the real filter's own (inphase).
        time.OnUpdate(SChangeNotice::BindTime(Bandstop, C::Complex, true), filter);
        EXPECT_EQ(time.GetMode(), kTimeStep);
        EXPECT_EQ(time.m_nType, kGraphInphase);
    }
}

// A change of the sampling frequency and a coefficients notice that asks for it reset the time
// view's zoom; a plain coefficients notice keeps it.
// The frequency-binding codes the project window sends (0x4S3, S what to show) name the
// response kind by its own number; anything else shows the magnitude.
TEST_F(LowpassFixture, FrequencyBindingCodesNameTheResponseKind) {
    const struct {
        int code;
        int kind;
        const char* yTitle;
    } cases[] = {
        {0x443, kResponseMagnitude, "Magnitude in dB"},
        {0x453, kResponsePhase, "Phase in Degrees"},
        {0x463, kResponseUnwrappedPhase, "Unwrapped Phase in Degrees"},
        {0x473, kResponsePhaseDelay, "Phase Delay in us"},
        {0x483, kResponseGroupDelay, "Group Delay in us"},
        {0x403, kResponseMagnitude, "Magnitude in dB"}, // automatic
        {0x433, kResponseMagnitude, "Magnitude in dB"}, // I and Q: a time view's type
        {0x493, kResponseMagnitude, "Magnitude in dB"}, // a Simple PM filter type
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CFirFreqPlotModel view(&host);
        view.OnUpdate(SChangeNotice::FromCode(c.code), Filter());
        EXPECT_EQ(view.GetKind(), c.kind);
        view.Prepare(measurer, area);
        EXPECT_EQ(view.m_strYTitle, c.yTitle);
    }
}

TEST_F(LowpassFixture, TimeViewResetsItsZoomWhenTheNoticeSaysSo) {
    const double dt = 1.0 / 48000;
    SChangeNotice reset = Notice::kCoefficients;
    reset.resetZoom = true;
    const struct {
        SChangeNotice notice;
        bool keepsZoom;
    } cases[] = {{Notice::kCoefficients, true}, {reset, false}, {Notice::kSampleRate, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notice.Code());
        CFirTimePlotModel view(&host);
        view.OnUpdate(Notice::kNewTime, Filter());
        view.Prepare(measurer, area);
        ASSERT_TRUE(view.ZoomTo(true, false, true, 5 * dt, 30 * dt, 0, 0));
        view.OnUpdate(c.notice, Filter());
        view.Prepare(measurer, area);
        EXPECT_EQ(view.GetZoomStatusText() == "Ready", !c.keepsZoom);
    }
}
