#include "design/design_job.h"
#include "design/design_method.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "design/raised_cosine.h"
#include "dsp/signal_ops.h"
#include "method_reference.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

// The method's design of the filter's specification, through the registry, without the
// driver's steps after a design.
void DesignByMethod(CFirData& f) {
    CDesignControl control;
    const std::string caption;
    DesignMethodOfKind(f.m_nKind)->Design(f, {control, caption});
}

void MakeRaisedCosine(CFirData& f, int taps, double sps, double beta, bool root) {
    f.SetDesignType(kDesignRaisedCos);
    f.ApplyFs(CFs(1.0, 0));
    f.m_Rc.m_bLengthInTaps = 1;
    f.m_Rc.m_nRcTaps = taps;
    f.m_Rc.m_bRateGiven = 0;
    f.m_Rc.m_dSamplesPerSymbol = sps;
    f.m_Rc.m_dRolloff = beta;
    f.m_Rc.m_bRoot = root ? 1 : 0;
    f.m_Rc.m_bZeroPad = 0;
    f.m_bUnityGain = 0;
}

} // namespace

TEST(RaisedCosine, MatchesTheClosedForms) {
    const auto ref = LoadMethodReference();
    int cases = 0;
    for (const auto& [name, design] : ref) {
        if (name.rfind("rc_", 0) != 0 && name.rfind("rrc_", 0) != 0)
            continue;
        SCOPED_TRACE(name);
        const std::vector<double>& p = design.params;
        CScriptedHost host;
        CFirData f(&host);
        MakeRaisedCosine(f, static_cast<int>(p[0]), p[1], p[2], p[3] != 0.0);
        ASSERT_TRUE(f.ValidateSpecs());
        ASSERT_TRUE(f.DesignFilter(""));
        const std::vector<double> h = Taps(f);
        ASSERT_EQ(h.size(), design.taps.size());
        for (size_t i = 0; i < h.size(); ++i)
            EXPECT_NEAR(h[i], design.taps[i], 1e-12) << i;
        EXPECT_EQ(f.GetNumTaps(), static_cast<int>(h.size()));
        EXPECT_TRUE(host.messages.empty());
        ++cases;
    }
    EXPECT_EQ(cases, 7);
}

TEST(RaisedCosine, SingularPointAndCentreTap) {
    // beta 0.5 at 8 samples per symbol: t = +-1 symbol (taps 16 and 32 of 49) is where
    // 1 - (2 beta t)^2 vanishes; the factor there is pi/4, times sinc(pi) = 0.
    CFirData rc;
    MakeRaisedCosine(rc, 49, 8.0, 0.5, false);
    DesignByMethod(rc);
    EXPECT_NEAR(rc.m_pI->GetAt(16), 0.0, 1e-17);
    EXPECT_EQ(rc.m_pI->GetAt(16), rc.m_pI->GetAt(32));
    // beta 0.25 puts the singular point at t = 2 (taps 8 and 40), where sinc(2 pi) = 0 again;
    // at 0.4 it lies at t = 1.25, tap 34 of 49: (1/8) sinc(1.25 pi) pi/4.
    CFirData off;
    MakeRaisedCosine(off, 49, 8.0, 0.4, false);
    DesignByMethod(off);
    const double x = 1.25 * std::numbers::pi;
    EXPECT_NEAR(off.m_pI->GetAt(34), std::sin(x) / x * std::numbers::pi / 4.0 / 8.0, 1e-15);
    EXPECT_NEAR(off.m_pI->GetAt(24), 1.0 / 8.0, 1e-15);

    for (double beta : {0.1, 0.35, 0.9}) {
        CFirData rrc;
        MakeRaisedCosine(rrc, 41, 8.0, beta, true);
        DesignByMethod(rrc);
        EXPECT_NEAR(rrc.m_pI->GetAt(20), (1.0 - beta + 4.0 * beta / std::numbers::pi) / 8.0, 1e-15)
            << beta;
    }
}

TEST(RaisedCosine, DerivedRateLengthAndZeroPad) {
    CScriptedHost host;
    CFirData f(&host);
    MakeRaisedCosine(f, 47, 8.0, 0.5, false);
    f.ApplyFs(CFs(8000.0, 0));
    f.m_Rc.m_bRateGiven = 1;
    f.m_Rc.m_dSymbolRate = 1000.0;
    f.m_Rc.m_dSamplesPerSymbol = 3.0;
    f.m_Rc.m_bZeroPad = 1;
    f.m_Rc.m_nZeroPadTaps = 48;
    // The checks change nothing; the design stores the values that follow.
    ASSERT_TRUE(f.ValidateSpecs());
    EXPECT_EQ(f.m_Rc.m_dSamplesPerSymbol, 3.0);
    ASSERT_TRUE(f.DesignFilter(""));
    EXPECT_EQ(f.m_Rc.m_dSamplesPerSymbol, 8.0);
    EXPECT_EQ(f.m_Rc.m_dSymbols, 47.0 / 8.0);
    ASSERT_EQ(f.GetN(), 48);
    EXPECT_EQ(f.m_pI->GetAt(47), 0.0);
    EXPECT_EQ(f.m_pQ->GetAt(47), 0.0);
    EXPECT_NE(f.m_pI->GetAt(46), 0.0);
    EXPECT_EQ(f.m_pI->GetAt(23), 1.0 / 8.0);

    // Samples per symbol given: the symbol rate follows from Fs.
    f.m_Rc.m_bRateGiven = 0;
    f.m_Rc.m_dSamplesPerSymbol = 4.0;
    ASSERT_TRUE(ValidateRaisedCosine(RaisedCosineSpecOf(f)).Empty());
    EXPECT_EQ(CompleteRaisedCosine(f.m_Rc, f.GetFs()).m_dSymbolRate, 2000.0);

    // Six symbols at 8 samples per symbol are trunc(48.5) = 48 taps.
    f.m_Rc.m_bLengthInTaps = 0;
    f.m_Rc.m_dSymbols = 6.0;
    f.m_Rc.m_dSamplesPerSymbol = 8.0;
    f.m_Rc.m_bZeroPad = 0;
    ASSERT_TRUE(ValidateRaisedCosine(RaisedCosineSpecOf(f)).Empty());
    EXPECT_EQ(CompleteRaisedCosine(f.m_Rc, f.GetFs()).m_nRcTaps, 48);
    // Refused: the parameters stay as they were given.
    f.m_Constraints.m_nParity = NTapsConstraints::kParityOdd;
    EXPECT_FALSE(f.ValidateSpecs());
    EXPECT_EQ(host.LastMessage(), kMsgRcSymbolsConstraints);
    EXPECT_EQ(f.m_Rc.m_nRcTaps, 47);
    EXPECT_EQ(f.m_Rc.m_dSymbols, 6.0);
}

TEST(RaisedCosine, ValidationRefusals) {
    struct Case {
        const char* message;
        void (*set)(RaisedCosineParams&);
    };
    const Case cases[] = {
        {kMsgRolloffRange, [](RaisedCosineParams& r) { r.m_dRolloff = 0.0; }},
        {kMsgRolloffRange, [](RaisedCosineParams& r) { r.m_dRolloff = 1.0; }},
        {kMsgSymbolRatePositive,
         [](RaisedCosineParams& r) {
             r.m_bRateGiven = 1;
             r.m_dSymbolRate = 0.0;
         }},
        {kMsgSamplesPerSymbol, [](RaisedCosineParams& r) { r.m_dSamplesPerSymbol = 1.0; }},
        {kMsgRcFourTaps, [](RaisedCosineParams& r) { r.m_nRcTaps = 3; }},
        {kMsgRcTapsConstraints, [](RaisedCosineParams& r) { r.m_nRcTaps = 16385; }},
        {kMsgRcTwoSymbols,
         [](RaisedCosineParams& r) {
             r.m_bLengthInTaps = 0;
             r.m_dSymbols = 1.9;
         }},
        {kMsgRcZeroPadShort,
         [](RaisedCosineParams& r) {
             r.m_bZeroPad = 1;
             r.m_nZeroPadTaps = 40;
         }},
        {kMsgRcZeroPadConstraints,
         [](RaisedCosineParams& r) {
             r.m_bZeroPad = 1;
             r.m_nZeroPadTaps = 20000;
         }},
        {kMsgRcSpanTwoSymbols, [](RaisedCosineParams& r) { r.m_nRcTaps = 15; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CScriptedHost host;
        CFirData f(&host);
        MakeRaisedCosine(f, 41, 8.0, 0.5, false);
        Fill(f, 5, true, false, 1.0);
        c.set(f.m_Rc);
        EXPECT_FALSE(f.ValidateSpecs());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        EXPECT_EQ(f.GetN(), 5);
    }
}
