#include "design/coefficient_messages.h"
#include "design/design_types.h"
#include "design/fir_data.h"
#include "dsp/signal_messages.h"
#include "dsp/signal_ops.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

void SetTaps(CCorviData& f, const std::vector<double>& i, const std::vector<double>& q = {}) {
    f.m_pI->SetSize(0);
    f.m_pQ->SetSize(0);
    for (size_t k = 0; k < i.size(); ++k) {
        f.m_pI->Add(i[k]);
        f.m_pQ->Add(q.empty() ? 0.0 : q[k]);
    }
    f.m_bReal = q.empty() ? 1 : 0;
    f.ResetRange();
}

std::vector<double> Column(const CDataColumn& c) {
    return std::vector<double>(c.begin(), c.end());
}

std::vector<double> Times(std::vector<double> v, double factor) {
    for (double& x : v)
        x *= factor;
    return v;
}

void ExpectNear(const std::vector<double>& a, const std::vector<double>& b, const char* what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t k = 0; k < a.size(); ++k)
        EXPECT_NEAR(a[k], b[k], 1e-12) << what << " [" << k << "]";
}

} // namespace

TEST(CoefficientOps, ScaleMethodsOnARealFilter) {
    // 1, -2, 0.5 with Fs = 1: |H(0)| = 0.5, |H(Fs/2)| = 1 + 2 + 0.5 = 3.5, |H(Fs/4)| =
    // |1 + 2j - 0.5| = sqrt(4.25), signed maximum 1 (not the magnitude 2), sum of magnitudes 3.5,
    // sum of squares 5.25 (not its root).
    const std::vector<double> h{1.0, -2.0, 0.5};
    struct Case {
        int method;
        double freq;
        double reference;
    };
    const Case cases[] = {
        {CFirData::kScaleGainAtDc, 0.4, 0.5},
        {CFirData::kScaleGainAt, 0.5, 3.5},
        {CFirData::kScaleGainAt, 0.25, std::sqrt(4.25)},
        {CFirData::kScaleMaxCoefficient, 0.0, 1.0},
        {CFirData::kScaleSumAbs, 0.0, 3.5},
        {CFirData::kScaleSumSquares, 0.0, 5.25},
        {CFirData::kScaleMultiply, 0.0, 1.0},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        SetTaps(f, h);
        ASSERT_TRUE(f.ScaleFilter(true, false, 3.0, c.freq, c.method, true)) << c.method;
        ExpectNear(Column(*f.m_pI), Times(h, 3.0 / c.reference), kScaleMethodNames[c.method]);
        EXPECT_TRUE(host.messages.empty());
    }

    // Rounding the products to integers.
    CFirData f;
    SetTaps(f, h);
    ASSERT_TRUE(f.ScaleFilter(true, true, 1.3, 0.0, CFirData::kScaleMultiply, false));
    EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{1.0, -3.0, 1.0}));
}

TEST(CoefficientOps, ScaleComplexFilterByItsComplexResponse) {
    // I = 1, 0 and Q = 0, 1: at DC the inphase gain is 1, the quadrature gain 1 and the
    // complex gain |1 + j| = sqrt 2.
    const std::vector<double> i{1.0, 0.0};
    const std::vector<double> q{0.0, 1.0};
    struct Case {
        bool scaleI;
        bool scaleQ;
        double factorI;
        double factorQ;
    };
    const Case cases[] = {
        {true, true, 2.0 / std::sqrt(2.0), 2.0 / std::sqrt(2.0)},
        {true, false, 2.0, 1.0},
        {false, true, 1.0, 2.0},
    };
    for (const Case& c : cases) {
        CFirData f;
        SetTaps(f, i, q);
        ASSERT_TRUE(f.ScaleFilter(c.scaleI, false, 2.0, 0.0, CFirData::kScaleGainAt, c.scaleQ));
        ExpectNear(Column(*f.m_pI), Times(i, c.factorI), "I");
        ExpectNear(Column(*f.m_pQ), Times(q, c.factorQ), "Q");
    }

    // With a measure of the columns the larger of I's and Q's is the reference.
    CFirData f;
    SetTaps(f, {1.0, 0.5}, {0.0, 4.0});
    ASSERT_TRUE(f.ScaleFilter(true, false, 1.0, 0.0, CFirData::kScaleSumAbs, true));
    ExpectNear(Column(*f.m_pQ), {0.0, 1.0}, "Q");
}

TEST(CoefficientOps, ScaleRefusesAZeroReference) {
    CScriptedHost host;
    CFirData f(&host);
    SetTaps(f, {1.0, -1.0});
    EXPECT_FALSE(f.ScaleFilter(true, false, 1.0, 0.0, CFirData::kScaleGainAtDc, true));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgScaleAllZero);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
    EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{1.0, -1.0}));
}

// A scale whose reference or result is not finite is refused and changes nothing.
TEST(CoefficientOps, ScaleRefusesResultsThatAreNotFinite) {
    struct SCase {
        std::vector<double> taps;
        int method;
        double target;
    };
    const SCase cases[] = {
        {{1e308, 1e308}, CFirData::kScaleMultiply, 1e308}, // the product overflows
        {{1e308, 1e308}, CFirData::kScaleGainAtDc, 1.0},   // the reference sum overflows
        {{0.5, 0.25}, CFirData::kScaleMultiply, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const SCase& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        SetTaps(f, c.taps);
        EXPECT_FALSE(f.ScaleFilter(true, false, c.target, 0.0, c.method, true)) << c.method;
        EXPECT_EQ(host.LastMessage(), SignalMsg::kNotFinite);
        EXPECT_EQ(Column(*f.m_pI), c.taps);
    }
}

TEST(CoefficientOps, UnityGainAtTheGainFrequency) {
    CFirData f;
    f.ApplyFs(CFs(8.0, 1)); // 8 kHz: the gain frequency is in kHz
    SetTaps(f, {1.0, 2.0, 1.0});
    EXPECT_FALSE(f.ScaleToUnityGain()); // no gain frequency
    f.m_dGainFreq = 2.0;                // Fs/4: |1 - 1 - 2j| = 2
    f.m_bUnityGain = 0;
    EXPECT_FALSE(f.ScaleToUnityGain());
    f.m_bUnityGain = 1;
    ASSERT_TRUE(f.ScaleToUnityGain());
    ExpectNear(Column(*f.m_pI), {0.5, 1.0, 0.5}, "unity gain");
}

TEST(CoefficientOps, TruncateEndZerosUnderTheConstraints) {
    struct Case {
        int parity;
        std::vector<double> in;
        std::vector<double> out;
        int removed;
    };
    const Case cases[] = {
        {NTapsConstraints::kParityOdd, {0, 0, 1, 2, 1, 0}, {1, 2, 1}, 3},
        {NTapsConstraints::kParityEven, {0, 0, 1, 2, 1, 0}, {1, 2, 1, 0}, 2},
        {NTapsConstraints::kParityEither, {1, 2, 0, 1}, {1, 2, 0, 1}, 0},
        // Removing one zero and padding one back would only move the taps: nothing changes.
        {NTapsConstraints::kParityEven, {0, 1, 2, 1}, {0, 1, 2, 1}, 0},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(kDesignAdvancedPm);
        f.m_Constraints.m_nParity = c.parity;
        SetTaps(f, c.in);
        EXPECT_EQ(f.TruncateEndZeros(), c.removed);
        EXPECT_EQ(Column(*f.m_pI), c.out);
        EXPECT_EQ(f.GetN(), static_cast<int>(c.out.size()));
        if (c.removed == 0) {
            EXPECT_TRUE(host.messages.empty());
        } else {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text,
                      "The filter was truncated to " + std::to_string(c.out.size()) + " taps.");
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::None);
        }
    }

    // After quantization only when it is on and asks for it.
    CFirData f;
    f.SetDesignType(kDesignAdvancedPm);
    SetTaps(f, {0, 1, 2, 1, 0});
    f.m_Quant.m_nBits = -16;
    EXPECT_EQ(f.TruncateQuantizedZeros(), 0);
    f.m_Quant.m_nBits = 16;
    f.m_Quant.m_bTruncateZeros = 0;
    EXPECT_EQ(f.TruncateQuantizedZeros(), 0);
    f.m_Quant.m_bTruncateZeros = 1;
    EXPECT_EQ(f.TruncateQuantizedZeros(), 2);
    EXPECT_EQ(f.GetN(), 3);
}

TEST(CoefficientOps, FillAsksToMeetTheConstraints) {
    struct Case {
        int designType;
        std::vector<EAnswer> answers;
        bool result;
        int taps;
        size_t questions;
    };
    const Case cases[] = {
        {kDesignAdvancedPm, {EAnswer::Yes}, true, 5, 1},
        {kDesignAdvancedPm, {EAnswer::No}, true, 4, 1},
        {kDesignAdvancedPm, {EAnswer::Cancel}, false, 2, 1},
        {kDesignCic, {}, true, 4, 0},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        for (EAnswer a : c.answers)
            host.QueueAnswer(a);
        CFirData f(&host);
        f.SetDesignType(c.designType);
        f.m_Constraints.m_nParity = NTapsConstraints::kParityOdd;
        SetTaps(f, {0.5, 0.25});
        f.SetNumTaps(2);
        f.m_bDesignedFromSpec = 1;
        EXPECT_EQ(f.FillCoefficients(4, 0.125, true, false), c.result);
        EXPECT_EQ(host.questions.size(), c.questions);
        EXPECT_EQ(f.GetNumTaps(), c.taps);
        if (c.result) {
            EXPECT_EQ(Column(*f.m_pI), std::vector<double>(static_cast<size_t>(c.taps), 0.125));
            EXPECT_EQ(Column(*f.m_pQ), std::vector<double>(static_cast<size_t>(c.taps), 0.0));
            EXPECT_EQ(f.m_bDesignedFromSpec, 0);
        } else {
            EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{0.5, 0.25}));
            EXPECT_EQ(f.m_bDesignedFromSpec, 1);
        }
    }

    // Q alone: I is zero and the data complex.
    CFirData f;
    f.SetDesignType(kDesignAdvancedPm);
    ASSERT_TRUE(f.FillCoefficients(3, -0.5, false, true));
    EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{0.0, 0.0, 0.0}));
    EXPECT_EQ(Column(*f.m_pQ), (std::vector<double>{-0.5, -0.5, -0.5}));
    EXPECT_FALSE(f.IsReal());
}

TEST(CoefficientOps, SelectPolyphaseKeepsTheBandsInStep) {
    CFirData f;
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Filter, 16, 6);
    f.AddBand(true, false, 0.0, 0.1, 1.0, 1.0, 0.0, false);
    f.AddBand(true, false, 0.3, 0.5, 0.0, 40.0, 0.0, false);
    f.ApplyFs(CFs(8.0, 1));
    SetTaps(f, {1, 2, 3, 4, 5, 6});

    EXPECT_FALSE(f.SelectPolyphase(2, 2, true, true));
    EXPECT_EQ(f.GetN(), 6);
    EXPECT_EQ(f.GetNumTaps(), 6);

    ASSERT_TRUE(f.SelectPolyphase(1, 2, true, true));
    EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{4, 8, 12}));
    EXPECT_EQ(f.GetNumTaps(), 3);
    EXPECT_DOUBLE_EQ(f.GetFs(), 4.0);
    EXPECT_DOUBLE_EQ(f.Band(0).upper, 0.2);
    EXPECT_DOUBLE_EQ(f.Band(1).lower, 0.5); // 0.6 clamped to Fs/2
    EXPECT_DOUBLE_EQ(f.Band(1).upper, 0.5);

    // Without Fs scaling the band edges stay.
    ASSERT_TRUE(f.SelectPolyphase(0, 3, false, false));
    EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{4}));
    EXPECT_DOUBLE_EQ(f.Band(0).upper, 0.2);
    EXPECT_DOUBLE_EQ(f.GetFs(), 4.0);
}
