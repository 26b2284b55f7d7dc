#include "design/design_messages.h"
#include "design/design_method.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Store(const CFirData& f) {
    CArchiveWriter w;
    f.Serialize(w, CFirData::kCurrentVersion);
    return w.Bytes();
}

} // namespace

// Every method's Validate answers with the message a design would show, and leaves the
// specification exactly as it was, also where the design's own checks go on to store derived
// values (the raised-cosine length, the Lth-band transition band and ripple magnitude).
TEST(DesignMethod, ValidateReturnsTheMessageAndChangesNothing) {
    struct Case {
        const char* name;
        int type;
        std::function<void(CFirData&)> set;
        std::string message;
        EMsgIcon icon = EMsgIcon::Stop;
    };
    const Case cases[] = {
        {"cic", kDesignCic, [](CFirData& f) { f.m_Cic.m_nStages = 0; }, kMsgCicAllPositive},
        {"raised cosine", kDesignRaisedCos, [](CFirData& f) { f.m_Rc.m_dRolloff = 1.5; },
         kMsgRolloffRange},
        {"raised cosine by symbols", kDesignRaisedCos,
         [](CFirData& f) {
             f.m_Rc.m_bLengthInTaps = 0;
             f.m_Rc.m_bRateGiven = 1;
             f.m_Rc.m_dSymbolRate = 0.125;
             f.m_Rc.m_dSymbols = 6.0;
             f.m_Rc.m_bZeroPad = 0;
         },
         ""},
        {"windowed sinc corners", kDesignWinSinc,
         [](CFirData& f) {
             f.m_Ws.m_nFilterType = 2;
             f.m_Ws.m_dCorner1 = 0.2;
             f.m_Ws.m_dCorner2 = 0.2;
         },
         kMsgCornersEqual},
        {"windowed sinc above Fs/2", kDesignWinSinc, [](CFirData& f) { f.m_Ws.m_dCorner1 = 0.7; },
         "Bad corner frequency at 0.700.\nThe corner must be greater than zero and less than Fs/2.",
         EMsgIcon::None},
        {"simple pm", kDesignSimplePm,
         [](CFirData& f) {
             f.ResetSpec(PmResponseType::Filter, 16, 21);
             f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
         },
         kMsgNeedPassAndStop},
        {"lth band", kDesignLthBand, [](CFirData& f) { f.m_Lth.m_nL = 1; }, kMsgLthL},
        {"lth band negative ripple", kDesignLthBand,
         [](CFirData& f) {
             f.m_Lth.m_nL = 4;
             f.m_Lth.m_dCutoff = 0.1;
             f.m_Lth.m_bSpecifyAttn = 0;
             f.m_Lth.m_dRipple = -0.5;
         },
         ""},
        {"maxflat", kDesignMaxflat, [](CFirData& f) { f.m_Maxflat.m_dGamma = 0.0; }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(c.type);
        f.ApplyFs(CFs(1.0, 0));
        f.SetNumTaps(31);
        c.set(f);
        const std::vector<uint8_t> before = Store(f);
        const CDesignMethodImpl* method = DesignMethodOfKind(f.m_nKind);
        ASSERT_NE(method, nullptr);
        const SMethodMessage message = method->Validate(f);
        EXPECT_EQ(message.text, c.message);
        EXPECT_EQ(message.icon, c.icon);
        EXPECT_EQ(Store(f), before);
        EXPECT_TRUE(host.messages.empty());
        // The design's checks show the same message through the host.
        if (!c.message.empty()) {
            EXPECT_FALSE(f.ValidateSpecs());
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.message);
            EXPECT_EQ(host.messages[0].icon, c.icon);
        }
    }
}

// Imported filters and "no method" have no routines: nothing validates, designs or estimates.
TEST(DesignMethod, TypesWithoutAMethodDesignNothing) {
    for (int type : {kDesignImport, kDesignMultirate, kDesignNone}) {
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(type);
        EXPECT_EQ(DesignMethodOfKind(f.m_nKind), nullptr) << type;
        EXPECT_FALSE(f.ValidateSpecs()) << type;
        EXPECT_FALSE(f.DesignFilter("")) << type;
        EXPECT_FALSE(f.CanEstimateNumTaps(true)) << type;
        EXPECT_TRUE(host.messages.empty()) << type;
    }
}
