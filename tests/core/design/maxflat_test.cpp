#include "design/fir_data.h"
#include "design/maxflat.h"
#include "design/method_messages.h"
#include "dsp/signal_ops.h"
#include "method_reference.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

namespace {

void MakeMaxflat(CFirData& f, double beta, double gamma) {
    f.SetDesignType(kDesignMaxflat);
    f.ApplyFs(CFs(1.0, 0));
    f.m_Maxflat.m_dBeta = beta;
    f.m_Maxflat.m_dGamma = gamma;
    f.m_Maxflat.m_bGammaGiven = 1;
}

double Binomial(int n, int k) {
    double c = 1.0;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

} // namespace

TEST(Maxflat, RationalApproximationOfTheHalfPowerPoint) {
    int np = 16;
    int na = 0;
    int nt = 0;
    RationalApprox((1.0 + std::cos(2.0 * std::numbers::pi * 0.2)) / 2.0, 20, np, na, nt);
    EXPECT_EQ(nt, 20);
    EXPECT_EQ(na, 13);
    EXPECT_EQ(np, 19);

    // The later denominator wins a tie: 0.5 is 2/4, 3/6 and 4/8 exactly.
    np = 4;
    RationalApprox(0.5, 100, np, na, nt);
    EXPECT_EQ(nt, 8);
    EXPECT_EQ(na, 4);
    EXPECT_EQ(np, 7);
    // An integer part and a sign: -2.25 = -9/4 from denominators 3 .. 6.
    np = 3;
    RationalApprox(-2.25, 100, np, na, nt);
    EXPECT_EQ(nt, 4);
    EXPECT_EQ(na, -9);
    // No order asked for.
    np = 0;
    RationalApprox(0.3, 100, np, na, nt);
    EXPECT_EQ(np, -1);
    EXPECT_EQ(na, 0);
    EXPECT_EQ(nt, 0);
    // A value that rounds to 1 becomes (lim - 1)/lim.
    np = 5;
    RationalApprox(0.999, 8, np, na, nt);
    EXPECT_EQ(nt, 8);
    EXPECT_EQ(na, 7);
    EXPECT_EQ(np, 7);
}

TEST(Maxflat, ThirtyNineTapsMatchTheClosedForm) {
    CScriptedHost host;
    CFirData f(&host);
    MakeMaxflat(f, 0.2, 0.125);
    ASSERT_TRUE(f.ValidateSpecs());
    ASSERT_TRUE(f.DesignFilter(""));
    EXPECT_TRUE(host.messages.empty());
    const std::vector<double> h = Taps(f);
    ASSERT_EQ(h.size(), 39u);
    EXPECT_EQ(f.GetNumTaps(), 39);
    EXPECT_NEAR(std::accumulate(h.begin(), h.end(), 0.0), 1.0, 1e-12);

    // Herrmann's closed form with NA = 13 zeros at Fs/2 and K = 6:
    // A(w) = (1 - x)^13 sum_{i=0}^{6} C(12 + i, i) x^i, x = sin^2(w/2).
    for (int k = 0; k <= 200; ++k) {
        const double f0 = 0.5 * k / 200.0;
        const double x = std::pow(std::sin(std::numbers::pi * f0), 2);
        double p = 0.0;
        for (int i = 0; i <= 6; ++i)
            p += Binomial(12 + i, i) * std::pow(x, i);
        EXPECT_NEAR(Amplitude(h, f0), std::pow(1.0 - x, 13) * p, 1e-13) << f0;
    }
    // Flatness: the even derivatives of A(w) = sum a_k cos(k w) vanish at DC up to order
    // 2 K = 12 and at Fs/2 up to order 2 (NA - 1) = 24.
    const int c = 19;
    for (int j = 1; j <= 6; ++j) {
        double sum = 0.0;
        double scale = 0.0;
        for (int k = 1; k <= c; ++k) {
            const double term = 2.0 * h[static_cast<size_t>(c + k)] * std::pow(k, 2 * j);
            sum += term;
            scale += std::abs(term);
        }
        EXPECT_LT(std::abs(sum), 1e-9 * scale) << "DC order " << 2 * j;
    }
    for (int j = 0; j <= 12; ++j) {
        double sum = j == 0 ? h[c] : 0.0;
        double scale = std::abs(sum);
        for (int k = 1; k <= c; ++k) {
            const double term =
                2.0 * h[static_cast<size_t>(c + k)] * std::pow(k, 2 * j) * (k % 2 ? -1.0 : 1.0);
            sum += term;
            scale += std::abs(term);
        }
        EXPECT_LT(std::abs(sum), 1e-9 * scale) << "Nyquist order " << 2 * j;
    }
    // The half-power point lies in the transition band around beta.
    EXPECT_NEAR(Amplitude(h, 0.2), 0.5, 0.05);
}

TEST(Maxflat, OutOfRangeParametersFailTheDesign) {
    std::vector<double> half;
    int nt = 0;
    EXPECT_EQ(MaxflatResponse(0.5, 0.1, 10, half, nt), kMaxflatBadBeta);
    EXPECT_EQ(MaxflatResponse(0.0, 0.1, 10, half, nt), kMaxflatBadBeta);
    EXPECT_EQ(MaxflatResponse(0.2, 0.4, 10, half, nt), kMaxflatBadGamma);
    EXPECT_EQ(MaxflatResponse(0.2, 0.019, 700, half, nt), kMaxflatTooLong);
    EXPECT_TRUE(half.empty());

    for (double beta : {0.5, 0.0}) {
        CScriptedHost host;
        CFirData f(&host);
        MakeMaxflat(f, beta, 0.1);
        Fill(f, 5, true, false, 1.0);
        EXPECT_FALSE(f.DesignFilter(""));
        EXPECT_EQ(host.LastMessage(), kMsgMaxflatNoConvergence);
        EXPECT_FALSE(f.HasCoefficients());
    }
}

TEST(Maxflat, EnteredTapCountAndRolloffRules) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignMaxflat);
    ASSERT_TRUE(StoreMaxflatSpec(f, 0.2, false, 0.0, 51));
    EXPECT_EQ(f.m_Maxflat.m_dGamma, 0.1);
    EXPECT_EQ(f.m_Maxflat.m_bGammaGiven, 0);
    ASSERT_TRUE(StoreMaxflatSpec(f, 0.25, false, 0.0, 1299));
    EXPECT_EQ(f.m_Maxflat.m_dGamma, 0.019627);

    // An even count asks to add a tap: No stops, Yes goes on with 51.
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(StoreMaxflatSpec(f, 0.3, false, 0.0, 50));
    EXPECT_EQ(f.m_Maxflat.m_dBeta, 0.25);
    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(StoreMaxflatSpec(f, 0.3, false, 0.0, 50));
    EXPECT_EQ(f.m_Maxflat.m_dGamma, 0.1);
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[1], kMsgMaxflatAskOdd);

    struct Case {
        double beta;
        bool gammaGiven;
        double gamma;
        int taps;
        std::string message;
    };
    const Case cases[] = {
        {0.2, false, 0.0, 2, kMsgMaxflatTapsBelow3},
        {0.2, false, 0.0, 1301, FormatMessage(kMsgMaxflatTooManyTaps, {"1301"})},
        {0.0, true, 0.1, 0, kMsgMaxflatCenterPositive},
        {0.2, true, 0.0, 0, kMsgMaxflatRolloffPositive},
        {0.2, true, 0.4, 0, kMsgMaxflatRolloffTooBig},
        {0.45, true, 0.1, 0, kMsgMaxflatRolloffTooBig},
        {0.2, true, 0.019, 0, kMsgMaxflatRolloffTooSmall},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CScriptedHost h;
        CFirData g(&h);
        g.SetDesignType(kDesignMaxflat);
        h.QueueAnswer(EAnswer::No); // keep a count below the minimum as entered
        EXPECT_FALSE(StoreMaxflatSpec(g, c.beta, c.gammaGiven, c.gamma, c.taps));
        EXPECT_EQ(h.LastMessage(), c.message);
        EXPECT_EQ(g.m_Maxflat.m_dBeta, 0.2);
        EXPECT_EQ(g.m_Maxflat.m_dGamma, 0.1);
    }
    // 0.0196 asks for 650 conditions, the most accepted, and designs.
    CScriptedHost h;
    CFirData g(&h);
    MakeMaxflat(g, 0.25, 0.0196);
    ASSERT_TRUE(StoreMaxflatSpec(g, 0.25, true, 0.0196, 0));
    ASSERT_TRUE(g.DesignFilter(""));
    EXPECT_TRUE(h.messages.empty());
    EXPECT_NEAR(Amplitude(Taps(g), 0.0), 1.0, 1e-9);
    EXPECT_NEAR(Amplitude(Taps(g), 0.5), 0.0, 1e-9);
}
