#include "design/design_flow.h"
#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// The 60 dB lowpass: passband 0..0.1 with 0.5 dB ripple, stopband 0.13..0.5.
void MakeLowpass60(CFirData& f, int taps) {
    f.SetDesignType(kDesignSimplePm);
    ASSERT_TRUE(f.SetSimpleSpec(taps, 0.1, 0.5, 0.13, 60.0, 0.0, 0.0, 16, 0));
}

// The project stream of a filter.
std::vector<uint8_t> Stored(const CFirData& f) {
    CArchiveWriter w;
    f.Serialize(w, CFirData::kCurrentVersion);
    return w.Bytes();
}

// The steps an editor adds, recording what the flow asked of it.
struct SRecorder {
    std::vector<int> stored;
    int afterDesign = 0;
    SDesignFlowSteps Steps(CFirData& f) {
        SDesignFlowSteps steps;
        steps.storeTaps = [this, &f](int n) {
            stored.push_back(n);
            return f.SetSimpleSpec(n, 0.1, 0.5, 0.13, 60.0, 0.0, 0.0, 16, 0);
        };
        steps.afterDesign = [this] { ++afterDesign; };
        return steps;
    }
};

} // namespace

TEST(DesignFlow, TooFewTapsAsksToEstimateAndStoresTheEstimate) {
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 0);
    f.m_pI->Add(0.5);
    f.m_pQ->Add(0.0);

    // No: nothing designed, nothing stored, no after-design step, no status text.
    SRecorder editor;
    host.QueueAnswer(EAnswer::No);
    SDesignResult result = RunDesignFlow(f, host, "lowpass", editor.Steps(f));
    EXPECT_EQ(result.end, EDesignEnd::Refused);
    EXPECT_EQ(host.questions, std::vector<std::string>{kMsgAskEstimateTaps});
    EXPECT_TRUE(editor.stored.empty());
    EXPECT_EQ(editor.afterDesign, 0);
    EXPECT_EQ(f.GetN(), 1);
    EXPECT_TRUE(host.statusTexts.empty());

    // Yes: the estimate goes back to the editor, which stores it; the design meets its
    // specification or misses it by the little an estimate may.
    host.QueueAnswer(EAnswer::Yes);
    result = RunDesignFlow(f, host, "lowpass", editor.Steps(f));
    ASSERT_EQ(editor.stored.size(), 1u);
    EXPECT_EQ(editor.stored[0], f.GetNumTaps());
    EXPECT_EQ(f.GetN(), editor.stored[0]);
    EXPECT_EQ(result.end, EDesignEnd::Designed);
    EXPECT_EQ(editor.afterDesign, 1);
    EXPECT_TRUE(result.measured);
    EXPECT_EQ(result.margin, f.GetMargin());
    EXPECT_EQ(host.statusTexts.back(), result.statusText);
}

TEST(DesignFlow, CancelledDesignRunsTheAfterDesignStepAndShowsReady) {
    CScriptedHost host;
    host.CancelAfterPolls(1);
    CFirData f(&host);
    MakeLowpass60(f, 3001);
    SRecorder editor;
    const SDesignResult result = RunDesignFlow(f, host, "lowpass", editor.Steps(f));
    EXPECT_EQ(result.end, EDesignEnd::Cancelled);
    EXPECT_EQ(editor.afterDesign, 1); // the filter changed: it was emptied
    EXPECT_FALSE(result.hasCoefficients);
    EXPECT_EQ(result.statusText, kReadyText);
    EXPECT_TRUE(host.messages.empty());

    // The next run starts with the cancel request cleared.
    host.CancelAfterPolls(-1);
    f.SetNumTaps(79);
    EXPECT_EQ(RunDesignFlow(f, host, "lowpass").end, EDesignEnd::Designed);
}

// Whoever holds a design's control may cancel it from any thread: the running exchange stops,
// the flow ends as cancelled with the iterations it had reached, nothing is reported, and the
// project (a specification without coefficients) is stored exactly as before.
TEST(DesignFlow, CancelFromAnotherThreadStopsTheRunningDesign) {
    CScriptedHost host; // runs the design on its worker thread
    CFirData f(&host);
    MakeLowpass60(f, 3001);
    const std::vector<uint8_t> before = Stored(f);

    CDesignControl control;
    std::atomic<bool> flowEnded{false};
    std::thread canceller([&] {
        while (control.Iterations() < 1 && !flowEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        control.RequestCancel();
    });
    const SDesignResult result = RunDesignFlow(f, host, "lowpass", {}, &control);
    flowEnded = true;
    canceller.join();

    EXPECT_EQ(result.end, EDesignEnd::Cancelled);
    EXPECT_GE(result.iterations, 1);
    EXPECT_FALSE(result.hasCoefficients);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(Stored(f), before);

    // A control that was cancelled starts its next design afresh.
    f.SetNumTaps(79);
    EXPECT_EQ(RunDesignFlow(f, host, "lowpass", {}, &control).end, EDesignEnd::Designed);
    EXPECT_FALSE(control.CancelRequested());
}

TEST(DesignFlow, RefusedSpecificationsAndOptimisationsChangeNothing) {
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 79);
    ASSERT_EQ(RunDesignFlow(f, host, "lowpass").end, EDesignEnd::Designed);
    const std::vector<double> before(f.m_pI->begin(), f.m_pI->end());

    SRecorder editor;
    f.m_Constraints.m_nMax = 50; // 79 taps lie above the maximum
    EXPECT_EQ(RunDesignFlow(f, host, "lowpass", editor.Steps(f)).end, EDesignEnd::Refused);
    EXPECT_EQ(host.LastMessage(), kMsgTapsAboveMaximum);

    f.m_Constraints.m_nMax = CFirData::kMaxTaps;
    f.m_nResponseType = PmResponseType::Differentiator; // cannot be optimised
    EXPECT_EQ(RunOptimizeFlow(f, host, "lowpass", editor.Steps(f)).end, EDesignEnd::Refused);
    EXPECT_EQ(editor.afterDesign, 0);
    EXPECT_EQ(std::vector<double>(f.m_pI->begin(), f.m_pI->end()), before);
}

TEST(DesignFlow, OnlySymmetricEvenDesignsAreAskedToAddATapForABandAtFs2) {
    struct Case {
        int responseType;
        bool asked;
    };
    const Case cases[] = {
        {PmResponseType::Filter, true},
        {PmResponseType::Differentiator, false},
        {PmResponseType::Hilbert, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.responseType);
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(kDesignAdvancedPm);
        f.ResetSpec(c.responseType, 16, 20);
        ASSERT_TRUE(f.AddBand(false, false, 0.0, 0.1, 0.0, 10.0, 1.0, false));
        ASSERT_TRUE(f.AddBand(false, false, 0.15, 0.5, 1.0, 10.0, 1.0, false));
        const SDesignResult result = RunDesignFlow(f, host, "band at Fs/2");
        if (c.asked) {
            ASSERT_EQ(host.questions, std::vector<std::string>{kMsgAskOddTaps});
            EXPECT_EQ(host.questionIcons[0], EMsgIcon::Stop);
            EXPECT_EQ(f.GetNumTaps(), 21); // Yes adds one
        } else {
            EXPECT_TRUE(host.questions.empty());
            EXPECT_EQ(f.GetNumTaps(), 20);
            EXPECT_NE(result.end, EDesignEnd::Refused);
        }
        if (result.end == EDesignEnd::Designed) {
            EXPECT_EQ(f.GetN(), f.GetNumTaps());
        }
    }
}

TEST(DesignFlow, NoTapCountAboveTheAbsoluteMaximumIsDesignedOrFilled) {
    const std::string message = "A FIR filter cannot have more than 16384 taps.";
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 16385);
    f.m_Constraints.m_nMax = 20000; // as an unchecked project may hold
    EXPECT_EQ(RunDesignFlow(f, host, "lowpass").end, EDesignEnd::Refused);
    EXPECT_EQ(host.LastMessage(), message);
    EXPECT_FALSE(f.HasCoefficients());

    EXPECT_FALSE(f.FillCoefficients(16385, 1.0, true, false));
    EXPECT_EQ(host.LastMessage(), message);
    EXPECT_FALSE(f.HasCoefficients());

    CFirData rc(&host);
    rc.SetDesignType(kDesignRaisedCos);
    rc.m_Constraints.m_nMax = 20000;
    rc.m_Rc.m_dRolloff = 0.35;
    rc.m_Rc.m_dSamplesPerSymbol = 4.0;
    rc.m_Rc.m_bLengthInTaps = 1;
    rc.m_Rc.m_nRcTaps = 41;
    rc.m_Rc.m_bZeroPad = 1;
    rc.m_Rc.m_nZeroPadTaps = 17000;
    EXPECT_EQ(RunDesignFlow(rc, host, "raised cosine").end, EDesignEnd::Refused);
    EXPECT_EQ(host.LastMessage(), message);
    EXPECT_FALSE(rc.HasCoefficients());
}
