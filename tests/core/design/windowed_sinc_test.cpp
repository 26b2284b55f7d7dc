#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "design/windowed_sinc.h"
#include "method_reference.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

void MakeWindowedSinc(CFirData& f, double fs, int type, double c1, double c2, int taps,
                      int window = 0, double param = 0.0) {
    f.SetDesignType(kDesignWinSinc);
    f.ApplyFs(CFs(fs, 0));
    f.m_Ws.m_nFilterType = type;
    f.m_Ws.m_dCorner1 = c1;
    f.m_Ws.m_dCorner2 = c2;
    f.m_Ws.m_nWindowType = window;
    if (window == 1)
        f.m_Ws.m_dChebyParam = param;
    else
        f.m_Ws.m_dWindowParam = param;
    f.m_bWindowAfterDesign = true;
    f.SetNumTaps(taps);
}

} // namespace

TEST(WindowedSinc, MatchesFirwinWithTheSameWindow) {
    const auto ref = LoadMethodReference();
    int cases = 0;
    for (const auto& [name, design] : ref) {
        if (name.rfind("ws_", 0) != 0 || name.find("_unity") != std::string::npos)
            continue;
        SCOPED_TRACE(name);
        const std::vector<double>& p = design.params;
        CScriptedHost host;
        CFirData f(&host);
        MakeWindowedSinc(f, p[0], static_cast<int>(p[1]), p[2], p[3], static_cast<int>(p[4]),
                         static_cast<int>(p[5]), p[6]);
        f.m_bUnityGain = 0;
        ASSERT_TRUE(f.ValidateSpecs());
        ASSERT_TRUE(f.DesignFilter(""));
        const std::vector<double> h = Taps(f);
        ASSERT_EQ(h.size(), design.taps.size());
        for (size_t i = 0; i < h.size(); ++i)
            EXPECT_NEAR(h[i], design.taps[i], 1e-12) << i;
        for (int i = 0; i < f.GetN(); ++i)
            EXPECT_EQ(f.m_pQ->GetAt(i), 0.0);
        EXPECT_TRUE(host.messages.empty());
        ++cases;
    }
    EXPECT_EQ(cases, 8);
}

TEST(WindowedSinc, ElevenTapQuarterBandLowpass) {
    CFirData f;
    MakeWindowedSinc(f, 1.0, 0, 0.25, 0.0, 11);
    ApplyWindowedSinc(f);
    const std::vector<double> h = Taps(f);
    ASSERT_EQ(h.size(), 11u);
    EXPECT_DOUBLE_EQ(h[5], 0.5);
    for (int m : {-4, -2, 2, 4})
        EXPECT_NEAR(h[static_cast<size_t>(5 + m)], 0.0, 1e-16) << m;
    EXPECT_NEAR(h[4], 1.0 / std::numbers::pi, 1e-15);
    EXPECT_EQ(f.m_dGainFreq, 0.0);
}

TEST(WindowedSinc, GainFrequencyAndCentreTapByType) {
    struct Case {
        int type;
        double c1, c2;
        double gainFreq; // Hz
        double centre;
    };
    // Fs = 1000 Hz; centre taps of the ideal responses.
    const Case cases[] = {
        {1, 100.0, 0.0, 500.0, 0.8},
        {2, 300.0, 100.0, 200.0, 0.4},
        {3, 100.0, 300.0, 0.0, 0.6},
    };
    for (const Case& c : cases) {
        CFirData f;
        MakeWindowedSinc(f, 1000.0, c.type, c.c1, c.c2, 21);
        ApplyWindowedSinc(f);
        ASSERT_EQ(f.GetN(), 21);
        EXPECT_NEAR(f.m_pI->GetAt(10), c.centre, 1e-15) << c.type;
        EXPECT_EQ(f.m_dGainFreq, c.gainFreq) << c.type;
    }
}

TEST(WindowedSinc, SwappedBandpassCornersDesignTheSameFilter) {
    CFirData a;
    CFirData b;
    MakeWindowedSinc(a, 1.0, 2, 0.1, 0.3, 33, 2, 3.0);
    MakeWindowedSinc(b, 1.0, 2, 0.3, 0.1, 33, 2, 3.0);
    ASSERT_TRUE(a.DesignFilter(""));
    ASSERT_TRUE(b.DesignFilter(""));
    EXPECT_EQ(Taps(a), Taps(b));
    EXPECT_EQ(a.m_dGainFreq, b.m_dGainFreq);
}

TEST(WindowedSinc, ValidationRefusals) {
    struct Case {
        int type;
        double c1, c2;
        int window;
        double param;
        std::string message;
        EMsgIcon icon;
    };
    const std::string corner0 = FormatMessage(kMsgBadCorner, {"0.000"});
    const std::string cornerHalf = FormatMessage(kMsgBadCorner, {"4000.000"});
    const Case cases[] = {
        {0, 0.0, 0.0, 0, 0.0, corner0, EMsgIcon::None},
        {0, 4000.0, 0.0, 0, 0.0, cornerHalf, EMsgIcon::None},
        {1, -10.0, 0.0, 0, 0.0, FormatMessage(kMsgBadCorner, {"-10.000"}), EMsgIcon::None},
        {2, 0.0, 1000.0, 0, 0.0, corner0, EMsgIcon::None},
        {3, 1000.0, 4000.0, 0, 0.0, cornerHalf, EMsgIcon::None},
        {2, 1000.0, 1000.0, 0, 0.0, kMsgCornersEqual, EMsgIcon::Stop},
        {0, 1000.0, 0.0, 2, 0.0, kMsgAlphaRange, EMsgIcon::Stop},
        {0, 1000.0, 0.0, 2, 50.0, kMsgAlphaRange, EMsgIcon::Stop},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CScriptedHost host;
        CFirData f(&host);
        MakeWindowedSinc(f, 8000.0, c.type, c.c1, c.c2, 31, c.window, c.param);
        EXPECT_FALSE(f.ValidateSpecs());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].icon, c.icon);
    }
    // A valid Kaiser alpha and corners pass.
    CScriptedHost host;
    CFirData f(&host);
    MakeWindowedSinc(f, 8000.0, 2, 1000.0, 3999.0, 31, 2, 49.9);
    EXPECT_TRUE(f.ValidateSpecs());
    EXPECT_TRUE(host.messages.empty());
}

TEST(WindowedSinc, EvenHighpassAndBandstopAskForAnOddCount) {
    for (int type : {1, 3}) {
        CScriptedHost host;
        CFirData f(&host);
        MakeWindowedSinc(f, 1.0, type, 0.2, 0.3, 30);
        host.QueueAnswer(EAnswer::Cancel);
        EXPECT_FALSE(f.ValidateSpecs());
        ASSERT_EQ(host.questions.size(), 1u);
        EXPECT_EQ(host.questions[0], kMsgAskOddTaps);
        host.QueueAnswer(EAnswer::Yes);
        EXPECT_TRUE(f.ValidateSpecs());
        EXPECT_EQ(f.GetNumTaps(), 31);
    }
    // An even lowpass or bandpass is designed as asked.
    CScriptedHost host;
    CFirData f(&host);
    MakeWindowedSinc(f, 1.0, 2, 0.2, 0.3, 30);
    EXPECT_TRUE(f.ValidateSpecs());
    EXPECT_TRUE(host.questions.empty());
    // An even highpass designed without validation has no taps.
    f.m_Ws.m_nFilterType = 1;
    ApplyWindowedSinc(f);
    EXPECT_FALSE(f.HasCoefficients());
}

TEST(WindowedSinc, LoadedDesignWindowsAsItsEditorWould) {
    CFirData f;
    MakeWindowedSinc(f, 1.0, 0, 0.2, 0.0, 31, 7);
    ASSERT_TRUE(f.DesignFilter(""));
    // The flag is not archived: a copy made through the archive designs without the window
    // until the flag is set again from the method.
    CFirData copy(f);
    EXPECT_FALSE(copy.m_bWindowAfterDesign);
    copy.SetWindowAfterDesignByMethod();
    ASSERT_TRUE(copy.DesignFilter(""));
    EXPECT_EQ(Taps(copy), Taps(f));

    for (int method : {0, 1, 2}) {
        CFirData lth;
        lth.SetDesignType(kDesignLthBand);
        lth.m_Lth.m_nLthMethod = method;
        lth.m_bWindowAfterDesign = true;
        lth.SetWindowAfterDesignByMethod();
        EXPECT_EQ(lth.m_bWindowAfterDesign, method == LthBandParams::kMethodWindowedSinc);
    }
    CFirData cic;
    cic.SetDesignType(kDesignCic);
    cic.m_bWindowAfterDesign = true;
    cic.SetWindowAfterDesignByMethod();
    EXPECT_FALSE(cic.m_bWindowAfterDesign);
}

TEST(SplineSinc, AutomaticOrderFollowsTapsAndTransition) {
    CFirData f;
    f.ApplyFs(CFs(1.0, 0));
    f.SetNumTaps(64);
    f.m_Ws.m_dCorner1 = 0.2;
    f.m_Ws.m_dCorner2 = 0.25;
    f.m_Ws.m_bAutoOrder = 1;
    f.m_Ws.m_nSplineOrder = 0;
    EXPECT_EQ(SplineSincOrder(WindowedSincSpecOf(f)), 13);
    EXPECT_EQ(AutoSplineOrder(64, 0.2, 0.25, 1.0), 13);
    // The check changes nothing; the design stores the order it used.
    EXPECT_TRUE(ValidateSplineSinc(WindowedSincSpecOf(f)).Empty());
    EXPECT_EQ(f.m_Ws.m_nSplineOrder, 0);
    ApplySplineSinc(f);
    EXPECT_EQ(f.m_Ws.m_nSplineOrder, 13);
    // Too short a filter still gets order 1.
    f.SetNumTaps(3);
    f.m_Ws.m_dCorner2 = 0.21;
    EXPECT_TRUE(ValidateSplineSinc(WindowedSincSpecOf(f)).Empty());
    EXPECT_EQ(SplineSincOrder(WindowedSincSpecOf(f)), 1);

    CFirData g;
    g.m_Ws.m_bAutoOrder = 0;
    g.m_Ws.m_nSplineOrder = 0;
    EXPECT_EQ(ValidateSplineSinc(WindowedSincSpecOf(g)).text, kMsgSplineOrder);
}

TEST(SplineSinc, LowpassAndHighpassAreComplementary) {
    CFirData lp;
    lp.ApplyFs(CFs(2.0, 0));
    lp.SetNumTaps(61);
    lp.m_Ws.m_dCorner1 = 0.4; // 0.2 of Fs
    lp.m_Ws.m_dCorner2 = 0.6; // 0.3 of Fs
    lp.m_Ws.m_nSplineOrder = 4;
    lp.m_Ws.m_bAutoOrder = 0;
    lp.m_Ws.m_nFilterType = 0;
    ApplySplineSinc(lp);
    CFirData hp(lp);
    hp.m_Ws.m_nFilterType = 1;
    ApplySplineSinc(hp);
    const std::vector<double> l = Taps(lp);
    const std::vector<double> h = Taps(hp);
    ASSERT_EQ(l.size(), 61u);
    ASSERT_EQ(h.size(), 61u);
    for (size_t i = 0; i < l.size(); ++i)
        EXPECT_NEAR(l[i], l[l.size() - 1 - i], 1e-15);
    // Passband near unit gain, stopband down past the transition band, and the highpass the
    // complement of the lowpass.
    for (double f = 0.0; f <= 0.5; f += 0.01) {
        if (f <= 0.18) {
            EXPECT_NEAR(Amplitude(l, f), 1.0, 0.01) << f;
        }
        if (f >= 0.32) {
            EXPECT_LT(std::abs(Amplitude(l, f)), 0.01) << f;
        }
        EXPECT_NEAR(Amplitude(l, f) + Amplitude(h, f), 1.0, 1e-12) << f;
    }
    // The middle of the transition band passes half the amplitude.
    EXPECT_NEAR(Amplitude(l, 0.25), 0.5, 0.01);
}

TEST(WindowedSinc, UnityGainMatchesScaledFirwin) {
    const auto ref = LoadMethodReference();
    int cases = 0;
    for (const auto& [name, design] : ref) {
        if (name.rfind("ws_", 0) != 0 || name.find("_unity") == std::string::npos)
            continue;
        SCOPED_TRACE(name);
        const std::vector<double>& p = design.params;
        CScriptedHost host;
        CFirData f(&host);
        MakeWindowedSinc(f, p[0], static_cast<int>(p[1]), p[2], p[3], static_cast<int>(p[4]),
                         static_cast<int>(p[5]), p[6]);
        ASSERT_TRUE(f.ValidateSpecs());
        ASSERT_TRUE(f.DesignFilter(""));
        const std::vector<double> h = Taps(f);
        ASSERT_EQ(h.size(), design.taps.size());
        for (size_t i = 0; i < h.size(); ++i)
            EXPECT_NEAR(h[i], design.taps[i], 1e-12) << i;
        ++cases;
    }
    EXPECT_EQ(cases, 8);
}
