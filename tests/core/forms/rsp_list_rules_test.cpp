#include "design/cic.h"
#include "design/fir_data.h"
#include "forms/rsp_list_rules.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

TEST(RspListRules, FormatsFrequencyAndResponse) {
    EXPECT_EQ(FormatRspFreq(0.25), "0.25");
    EXPECT_EQ(FormatRspFreq(1000.0), "1000.0");
    EXPECT_EQ(FormatRspFreq(0.1234567), "0.123457");
    CFirData filter;
    filter.LoadDesignedTaps({1.0, 1.0, 1.0, 1.0});
    EXPECT_EQ(FormatRspDb(filter, 0.0), "12.04");
    EXPECT_EQ(FormatRspDb(filter, 0.25), "-300.00"); // an exact zero is floored at 1e-30
}

TEST(RspListRules, AutomaticListOnlyWithCoefficientsAndTheFlag) {
    CFirData filter;
    filter.ApplyFs(CFs(48.0, 1));
    EXPECT_FALSE(ApplyAutoRspFreqs(filter));
    filter.LoadDesignedTaps({0.5, 0.5});
    filter.m_RspFreqs.Add(3.0);
    filter.m_bRspAuto = 0;
    EXPECT_FALSE(ApplyAutoRspFreqs(filter));
    filter.m_bRspAuto = 1;
    ASSERT_TRUE(ApplyAutoRspFreqs(filter));
    ASSERT_EQ(filter.m_RspFreqs.GetSize(), 2);
    EXPECT_EQ(filter.m_RspFreqs[1], 24.0);
}

TEST(RspListRules, MethodFrequencies) {
    CFirData ws;
    ws.SetDesignType(kDesignWinSinc);
    ws.m_Ws.m_nFilterType = 2;
    ws.m_Ws.m_dCorner1 = 0.1;
    ws.m_Ws.m_dCorner2 = 0.3;
    EXPECT_EQ(AutoRspFreqs(ws), (std::vector<double>{0.0, 0.1, 0.2, 0.3, 0.5}));

    CFirData rc;
    rc.ApplyFs(CFs(8000.0, 0));
    rc.SetDesignType(kDesignRaisedCos);
    rc.m_Rc.m_dRolloff = 0.5;
    rc.m_Rc.m_dSamplesPerSymbol = 8.0;
    // f2 = 750; 2 f2 = 1500 < 4000 is listed.
    EXPECT_EQ(AutoRspFreqs(rc), (std::vector<double>{0.0, 250.0, 750.0, 1500.0, 4000.0}));
}

TEST(RspListRules, CicPeaksAndTheNyquistEntry) {
    struct Case {
        int rate;
        size_t peaks;
        bool nyquist;
    };
    for (const Case& c : {Case{8, 3, false}, Case{5, 1, true}}) {
        CFirData f;
        f.SetDesignType(kDesignCic);
        f.m_Cic = CicParams{3, c.rate, 1};
        f.LoadDesignedTaps(DesignCic(CicSpecOf(f)).taps);
        const std::vector<double> list = CicRspFreqs(f);
        ASSERT_EQ(list.size(), 1 + c.peaks + (c.nyquist ? 1 : 0)) << c.rate;
        EXPECT_EQ(list.back() == 0.5, c.nyquist);
        // Each peak is a local maximum of the magnitude between two nulls.
        const double h = 1.0 / c.rate;
        for (size_t i = 1; i <= c.peaks; ++i) {
            const double p = list[i];
            EXPECT_GT(p, h * static_cast<double>(i));
            EXPECT_LT(p, h * static_cast<double>(i + 1));
            const double at = FreqResponseAt(f, kChannelInphase, false, p, false);
            EXPECT_GE(at, FreqResponseAt(f, kChannelInphase, false, p + 0.002 * h, false));
            EXPECT_GE(at, FreqResponseAt(f, kChannelInphase, false, p - 0.002 * h, false));
        }
    }
}
