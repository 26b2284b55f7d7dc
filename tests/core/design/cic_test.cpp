#include "design/cic.h"
#include "design/design_job.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "dsp/signal_ops.h"
#include "method_reference.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace {

void MakeCic(CFirData& f, int stages, int rate, int delay, bool unity) {
    f.SetDesignType(kDesignCic);
    f.m_Cic.m_nStages = stages;
    f.m_Cic.m_nRate = rate;
    f.m_Cic.m_nDelay = delay;
    f.m_bUnityGain = unity ? 1 : 0;
}

} // namespace

TEST(Cic, MatchesRepeatedBoxcarConvolution) {
    const auto ref = LoadMethodReference();
    int cases = 0;
    for (const auto& [name, design] : ref) {
        if (name.rfind("cic_", 0) != 0)
            continue;
        SCOPED_TRACE(name);
        const std::vector<double>& p = design.params;
        for (bool unity : {false, true}) {
            CScriptedHost host;
            CFirData f(&host);
            MakeCic(f, static_cast<int>(p[0]), static_cast<int>(p[1]), static_cast<int>(p[2]),
                    unity);
            ASSERT_TRUE(f.ValidateSpecs());
            ASSERT_TRUE(f.DesignFilter(""));
            const std::vector<double> h = Taps(f);
            ASSERT_EQ(h.size(), design.taps.size());
            const double scale = unity ? std::pow(p[1] * p[2], -p[0]) : 1.0;
            for (size_t i = 0; i < h.size(); ++i)
                EXPECT_NEAR(h[i], design.taps[i] * scale, 1e-12 * design.taps[i] * scale) << i;
            EXPECT_EQ(f.GetNumTaps(), static_cast<int>(h.size()));
            EXPECT_TRUE(f.IsReal());
            EXPECT_EQ(f.m_pQ->GetSize(), f.m_pI->GetSize());
            EXPECT_TRUE(host.messages.empty());
        }
        ++cases;
    }
    EXPECT_EQ(cases, 5);
}

TEST(Cic, WorkedSums) {
    struct Case {
        int n, r, m;
        bool unity;
        std::vector<double> taps;
    };
    const Case cases[] = {
        {1, 8, 1, true, std::vector<double>(8, 0.125)},
        {1, 8, 1, false, std::vector<double>(8, 1.0)},
        {3, 2, 1, false, {1, 3, 3, 1}},
        {3, 2, 1, true, {0.125, 0.375, 0.375, 0.125}},
        {2, 1, 3, false, {1, 2, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.r << " " << c.m << " " << c.unity);
        const SDesignOutcome outcome = DesignCic({{c.n, c.r, c.m}, CFirData::kMaxTaps, c.unity});
        EXPECT_TRUE(outcome.Designed());
        EXPECT_EQ(outcome.taps, c.taps);
    }

    // Through the registry, the filter gets the taps and their count.
    CFirData f;
    MakeCic(f, 5, 8, 1, false);
    CDesignControl control;
    const std::string caption;
    ASSERT_TRUE(CicMethod().Design(f, {control, caption}).Designed());
    const std::vector<double> h = Taps(f);
    EXPECT_EQ(h.size(), 36u);
    EXPECT_EQ(f.GetNumTaps(), 36);
    EXPECT_EQ(std::accumulate(h.begin(), h.end(), 0.0), 32768.0);
}

TEST(Cic, ParameterLimits) {
    struct Case {
        int n, r, m;
        const char* message;
    };
    const Case cases[] = {
        {0, 8, 1, kMsgCicAllPositive}, {5, -1, 1, kMsgCicAllPositive},
        {5, 8, 0, kMsgCicAllPositive}, {101, 1, 1, kMsgCicTooManyStages},
        {100, 164, 1, kMsgCicTooLong}, {100, 65536, 65536, kMsgCicTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CScriptedHost host;
        CFirData f(&host);
        MakeCic(f, c.n, c.r, c.m, true);
        const CicParams before = f.m_Cic;
        EXPECT_EQ(ValidateCic(CicSpecOf(f)).text, c.message);
        EXPECT_EQ(f.m_Cic.m_nStages, before.m_nStages);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(f.ValidateSpecs());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
    }
    // The largest accepted product; the tap count is never asked about.
    CScriptedHost host;
    CFirData f(&host);
    MakeCic(f, 4, 4096, 1, true);
    f.m_Constraints.m_nParity = NTapsConstraints::kParityEven;
    EXPECT_TRUE(f.ValidateSpecs());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.questions.empty());

    // Designed without validation, parameters beyond the limits give no taps at all.
    CFirData g;
    Fill(g, 3, true, false, 1.0);
    MakeCic(g, 100, 65536, 65536, true);
    const int taps = g.GetNumTaps();
    CDesignControl control;
    const std::string caption;
    EXPECT_FALSE(CicMethod().Design(g, {control, caption}).Designed());
    EXPECT_FALSE(g.HasCoefficients());
    EXPECT_EQ(g.GetNumTaps(), taps);
}
