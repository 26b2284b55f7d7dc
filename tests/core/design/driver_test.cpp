#include "design/constraint_rules.h"
#include "design/design_flow.h"
#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "design/pm_method.h"
#include "dsp/min_phase.h"
#include "dsp/windows.h"
#include "response/response_value.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

NTapsConstraints MakeConstraints(int parity, int multiple, int min = 3, int max = 16384) {
    NTapsConstraints c;
    c.m_nAbsMin = 3;
    c.m_nAbsMax = 16384;
    c.m_nMin = min;
    c.m_nMax = max;
    c.m_nParity = parity;
    c.m_nMultiple = multiple;
    return c;
}

constexpr int kOdd = NTapsConstraints::kParityOdd;
constexpr int kEven = NTapsConstraints::kParityEven;
constexpr int kEither = NTapsConstraints::kParityEither;

// A Simple PM filter of the given type; e1, e2 and center as fractions of Fs = 1.
void MakeSimple(CFirData& f, int type, int taps, double e1, double ripple, double e2, double atten,
                double center = 0.0) {
    f.SetDesignType(kDesignSimplePm);
    ASSERT_TRUE(f.SetSimpleSpec(taps, e1, ripple, e2, atten, center, 0.0, 16, type));
}

// The 60 dB lowpass: passband 0..0.1 with 0.5 dB ripple, stopband 0.13..0.5.
void MakeLowpass60(CFirData& f, int taps) {
    MakeSimple(f, 0, taps, 0.1, 0.5, 0.13, 60.0);
}

} // namespace

TEST(Driver, AdjustTapsMovesOntoParityAndMultiple) {
    struct Case {
        int parity, multiple, min, max;
        bool up;
        int n;
        bool clamp;
        int expected;
    };
    const Case cases[] = {
        {kOdd, -4, 3, 16384, true, 40, true, 41}, // multiple inactive: parity steps by 1
        {kOdd, -4, 3, 16384, false, 40, true, 39},
        {kEither, 4, 3, 16384, true, 41, true, 44}, // multiple active: rounded to it
        {kEither, 4, 3, 16384, false, 41, true, 40},
        {kEven, 3, 3, 16384, true, 7, false, 12},   // multiple of 3, then even: 9 + 3
        {kEven, 3, 3, 16384, false, 7, false, 6},   // multiple of 3, already even
        {kEither, -2, 10, 20, true, 5, true, 10},   // clamped up to the minimum
        {kEither, -2, 10, 20, true, 25, false, 25}, // no clamp: left outside the limits
        {kOdd, -2, 10, 20, true, 20, true, 20},     // 21 clamped back to the maximum
        {kOdd, 4, 3, 16384, true, 10, false, 16},   // even multiple cannot reach odd
    };
    for (const Case& c : cases) {
        NTapsConstraints k = MakeConstraints(c.parity, c.multiple, c.min, c.max);
        int n = c.n;
        const bool changed = k.AdjustTaps(c.up, n, c.clamp);
        EXPECT_EQ(n, c.expected) << "parity " << c.parity << " multiple " << c.multiple << " n "
                                 << c.n << (c.up ? " up" : " down");
        EXPECT_EQ(changed, c.expected != c.n);
    }
}

TEST(Driver, TapStepsLimitsAndMembership) {
    EXPECT_EQ(MakeConstraints(kEither, -4).GetTapStep(), 1);
    EXPECT_EQ(MakeConstraints(kOdd, -4).GetTapStep(), 2);
    EXPECT_EQ(MakeConstraints(kOdd, 3).GetTapStep(), 3);

    NTapsConstraints c = MakeConstraints(kOdd, -2, 10, 20);
    c.NormalizeLimits();
    EXPECT_EQ(c.m_nMin, 11);
    EXPECT_EQ(c.m_nMax, 19);
    int n = 17;
    c.StepUp(n);
    EXPECT_EQ(n, 19);
    c.StepUp(n); // 21 would pass the maximum
    EXPECT_EQ(n, 19);
    EXPECT_TRUE(c.MeetsConstraints(13));
    EXPECT_FALSE(c.MeetsConstraints(14));
    EXPECT_FALSE(c.MeetsConstraints(9)); // below the minimum
}

TEST(Driver, ConstraintPageRules) {
    struct Case {
        int min, max, parity;
        bool multipleOn;
        int multiple;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {20, 10, kEither, false, 2, kMsgMinAboveMax},
        {2, 10, kEither, false, 2, "The minimum cannot be less than 3."},
        {10, 10, kOdd, false, 2, kMsgParityConflictsLimits},
        {11, 11, kOdd, false, 2, nullptr},
        {3, 100, kOdd, true, 4, kMsgMultipleEvenWhenOdd},
        {3, 100, kEither, true, 1, kMsgMultipleTooSmall},
        {9, 14, kEither, true, 8, kMsgMultipleOutsideLimits},
        {9, 16, kEither, true, 8, nullptr}, // the maximum is a multiple
        {8, 14, kEither, true, 8, nullptr}, // the minimum is a multiple
        {8, 12, kEither, true, 5, nullptr}, // 10 lies between, neither limit is a multiple
        {11, 14, kEither, true, 5, kMsgMultipleOutsideLimits},
        {3, 100, kOdd, true, 3, nullptr},
        {3, 16384, kEither, false, 2, nullptr},
        {3, 16385, kEither, false, 2, "The maximum cannot be greater than 16384."},
    };
    for (const Case& k : cases) {
        CScriptedHost host;
        NTapsConstraints c = MakeConstraints(kEither, -2);
        const NTapsConstraints before = c;
        SConstraintPageValues v;
        v.m_nMin = k.min;
        v.m_nMax = k.max;
        v.m_nParity = k.parity;
        v.m_bMultipleOn = k.multipleOn;
        v.m_nMultiple = k.multiple;
        const bool ok = ApplyConstraintPage(v, c, &host);
        SCOPED_TRACE(std::to_string(k.min) + ".." + std::to_string(k.max));
        if (k.message) {
            EXPECT_FALSE(ok);
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, k.message);
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
            EXPECT_EQ(c.m_nMin, before.m_nMin);
            EXPECT_EQ(c.m_nMultiple, before.m_nMultiple);
        } else {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(host.messages.empty());
            EXPECT_EQ(c.m_nMin, k.min);
            EXPECT_EQ(c.m_nMax, k.max);
            EXPECT_EQ(c.m_nParity, k.parity);
            EXPECT_EQ(c.m_nMultiple, k.multipleOn ? k.multiple : -k.multiple);
        }
    }
    // A minimum below the absolute minimum is put back to it on the page.
    CScriptedHost host;
    NTapsConstraints c = MakeConstraints(kEither, -2);
    SConstraintPageValues v = GetConstraintPageValues(c);
    v.m_nMin = 1;
    EXPECT_FALSE(ApplyConstraintPage(v, c, &host));
    EXPECT_EQ(v.m_nMin, 3);
    // Switching the multiple off keeps its magnitude.
    v = GetConstraintPageValues(MakeConstraints(kEither, 6));
    v.m_bMultipleOn = false;
    EXPECT_TRUE(ApplyConstraintPage(v, c, &host));
    EXPECT_EQ(c.m_nMultiple, -6);
}

TEST(Driver, TapLimitsAndTheAdjustQuestion) {
    struct Case {
        int taps;
        std::vector<EAnswer> answers;
        bool ok;
        int tapsAfter;
        const char* message;
        bool asked;
    };
    const Case cases[] = {
        {5, {}, false, 5, kMsgTapsBelowMinimum, false},
        {200, {}, false, 200, kMsgTapsAboveMaximum, false},
        {21, {}, true, 21, nullptr, false},
        {20, {EAnswer::Yes}, true, 21, nullptr, true},
        {20, {EAnswer::No}, true, 20, nullptr, true},
        {20, {EAnswer::Cancel}, false, 20, nullptr, true},
    };
    for (const Case& k : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.SetDesignType(kDesignAdvancedPm);
        f.m_Constraints.m_nMin = 11;
        f.m_Constraints.m_nMax = 101;
        f.m_Constraints.m_nParity = kOdd;
        f.SetNumTaps(k.taps);
        for (EAnswer a : k.answers)
            host.QueueAnswer(a);
        SCOPED_TRACE(k.taps);
        EXPECT_EQ(f.CheckTapLimits(), k.ok);
        EXPECT_EQ(f.GetNumTaps(), k.tapsAfter);
        EXPECT_EQ(host.LastMessage(), k.message ? k.message : "");
        ASSERT_EQ(host.questions.size(), k.asked ? 1u : 0u);
        if (k.asked) {
            EXPECT_EQ(host.questions[0], kMsgAskAdjustTaps);
        }
    }
    // The CIC kind keeps its count without asking.
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignCic);
    f.m_Constraints.m_nParity = kOdd;
    int n = 20;
    EXPECT_TRUE(f.AskAdjustTaps(n));
    EXPECT_EQ(n, 20);
    EXPECT_TRUE(host.questions.empty());
}

TEST(Driver, ValidateSpecsByKind) {
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 40);
    EXPECT_TRUE(f.ValidateSpecs());
    EXPECT_TRUE(host.messages.empty());

    // Parks-McClellan: the band checks follow the tap limits; an even count with a passband
    // at Fs/2 asks about the odd tap.
    MakeSimple(f, 1, 40, 0.2, 1.0, 0.25, 40.0);
    host.QueueAnswer(EAnswer::Cancel);
    EXPECT_FALSE(f.ValidateSpecs());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], kMsgAskOddTaps);
    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(f.ValidateSpecs());
    EXPECT_EQ(f.GetNumTaps(), 41);

    // Imported filters and "no method" have nothing to design: refused without a message.
    for (int type : {kDesignImport, kDesignMultirate}) {
        CScriptedHost h;
        CFirData g(&h);
        g.SetDesignType(type);
        g.SetNumTaps(21);
        EXPECT_FALSE(g.ValidateSpecs());
        EXPECT_TRUE(h.messages.empty());
    }
    CFirData maxflat(&host);
    maxflat.SetDesignType(kDesignMaxflat);
    maxflat.SetNumTaps(21);
    EXPECT_TRUE(maxflat.ValidateSpecs());
}

TEST(Driver, EstimateAndDesignQuestion) {
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 0);
    f.m_Constraints.m_nParity = kOdd;

    int taps = 2;
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(f.AskEstimateTaps(taps));
    EXPECT_EQ(taps, 2);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], kMsgAskEstimateTaps);

    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(f.AskEstimateTaps(taps));
    EXPECT_EQ(taps, 77); // the estimate, already odd

    // Enough taps, or a band list that cannot be estimated: no question.
    taps = 3;
    EXPECT_TRUE(f.AskEstimateTaps(taps));
    MakeSimple(f, 2, 0, 0.1, 1.0, 0.3, 40.0, 0.25);
    taps = 0;
    EXPECT_TRUE(f.AskEstimateTaps(taps));
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_FALSE(f.CanEstimateNumTaps(false));
    EXPECT_TRUE(host.messages.empty());
}

TEST(Driver, DesignReportsItsMarginInTheStatusText) {
    CScriptedHost host;
    CFirData f(&host);
    for (int taps : {79, 61}) {
        MakeLowpass60(f, taps);
        const SDesignResult result = RunDesignFlow(f, host, "lowpass");
        ASSERT_EQ(result.end, EDesignEnd::Designed);
        ASSERT_TRUE(result.measured);
        const double margin = f.GetMargin();
        EXPECT_EQ(result.margin, margin);
        EXPECT_EQ(host.statusTexts.back(), result.statusText);
        SCOPED_TRACE(taps);
        if (taps == 79) {
            ASSERT_GE(margin, 0.0);
            EXPECT_EQ(result.statusText, "Design succeeded, with a margin of " +
                                             FormatNumber(margin, 3, false) + " dB.");
        } else {
            ASSERT_LT(margin, 0.0);
            EXPECT_EQ(result.statusText, kMsgDesignFailedSpec);
        }
    }
    f.RemoveAll();
    EXPECT_EQ(DesignStatusText(f), kReadyText);
}

TEST(Driver, WindowAndMinimumPhaseAfterDesign) {
    CScriptedHost host;
    CFirData plain(&host);
    MakeLowpass60(plain, 41);
    ASSERT_TRUE(plain.DesignFilter("plain"));

    CFirData windowed(&host);
    MakeLowpass60(windowed, 41);
    windowed.m_bWindowAfterDesign = true;
    windowed.m_Ws.m_nWindowType = static_cast<int>(EWindow::Hamming);
    ASSERT_TRUE(windowed.DesignFilter("windowed"));
    const std::vector<double> w = ComputeWindow(static_cast<int>(EWindow::Hamming), 0.0, 41);
    for (int i = 0; i < 41; ++i)
        EXPECT_NEAR((*windowed.m_pI)[i], (*plain.m_pI)[i] * w[static_cast<size_t>(i)], 1e-15);
    // The margin is measured on the windowed coefficients (the window widens the transition
    // band into the stopband).
    double peak = 0.0;
    for (int i = 0; i <= 4000; ++i)
        peak = std::max(peak, FreqResponseAt(windowed, 1, false, 0.13 + 0.37 * i / 4000.0, true));
    EXPECT_NEAR(windowed.GetBandActual(1), -10.0 * std::log10(peak), 0.05);
    EXPECT_LT(windowed.GetBandActual(1), plain.GetBandActual(1) - 10.0);

    CFirData minPhase(&host);
    MakeLowpass60(minPhase, 41);
    minPhase.m_MinPhase.m_bEnabled = 1;
    minPhase.m_MinPhase.m_dMaxDbError = 0.5;
    ASSERT_TRUE(minPhase.DesignFilter("minphase"));
    EXPECT_EQ(minPhase.m_bMinPhaseDone, 1);
    // Same magnitude, energy moved to the front.
    for (double freq : {0.0, 0.05, 0.2, 0.4})
        EXPECT_NEAR(std::sqrt(FreqResponseAt(minPhase, 1, false, freq, true)),
                    std::sqrt(FreqResponseAt(plain, 1, false, freq, true)), 0.01);
    double frontMin = 0.0, frontPlain = 0.0;
    for (int i = 0; i < 10; ++i) {
        frontMin += (*minPhase.m_pI)[i] * (*minPhase.m_pI)[i];
        frontPlain += (*plain.m_pI)[i] * (*plain.m_pI)[i];
    }
    EXPECT_GT(frontMin, 10.0 * frontPlain);
    EXPECT_TRUE(host.messages.empty());

    // Too long to convert: warned, coefficients kept.
    minPhase.m_MinPhase.m_nMaxTaps = 40;
    ASSERT_TRUE(minPhase.DesignFilter("minphase"));
    EXPECT_EQ(minPhase.m_bMinPhaseDone, 0);
    EXPECT_EQ(host.LastMessage(), kMsgMinPhaseFailed);
    EXPECT_NEAR((*minPhase.m_pI)[20], (*plain.m_pI)[20], 1e-15);
}

TEST(Driver, UnityGainAfterDesign) {
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 41);
    f.m_dGainFreq = 0.05; // inside the passband, unit of Fs (Fs = 1)
    ASSERT_TRUE(f.DesignFilter("unity"));
    EXPECT_NEAR(FreqResponseAt(f, 1, false, 0.05, true), 1.0, 1e-12);
    f.m_bUnityGain = 0;
    ASSERT_TRUE(f.DesignFilter("as designed"));
    EXPECT_GT(std::fabs(FreqResponseAt(f, 1, false, 0.05, true) - 1.0), 1e-3);
}

TEST(Driver, OptimizeOutcomeTexts) {
    struct Case {
        bool cancelled, quantized;
        double margin;
        int taps;
        const char* text;
        EMsgIcon icon;
        bool shown, restore;
    };
    const Case cases[] = {
        {false, false, 1.0, 20, "Optimization succeeded using 20 taps.\nDesign margin is 1.000 dB.",
         EMsgIcon::Information, true, false},
        {false, false, 1.001, 20,
         "Optimization converged, but the design may not be optimum.\nDesign margin is 1.001 dB.",
         EMsgIcon::Information, true, false},
        {false, false, 1.5, 10, "Optimization succeeded using 10 taps.\nDesign margin is 1.500 dB.",
         EMsgIcon::Information, true, false},
        {false, true, 0.0, 33,
         "Optimization with quantization succeeded using 33 taps.\nDesign margin is 0.000 dB.",
         EMsgIcon::Information, true, false},
        {false, false, -0.2, 33, "Optimization failed to converge.", EMsgIcon::Stop, true, true},
        {true, true, 0.5, 33, "Optimization with quantization was aborted.", EMsgIcon::Information,
         false, true},
    };
    for (const Case& k : cases) {
        const SOptimizeOutcome o =
            ComposeOptimizeOutcome(k.cancelled, k.quantized, k.margin, k.taps);
        EXPECT_EQ(o.text, k.text);
        EXPECT_EQ(o.icon, k.icon) << k.text;
        EXPECT_EQ(o.showMessage, k.shown) << k.text;
        EXPECT_EQ(o.restoreTaps, k.restore) << k.text;
    }
}

TEST(Driver, OptimizerSearchOrder) {
    // The estimate is 77, so the search starts at trunc(1.15 * 77) = 88, which passes; it
    // steps down by 2, 4, 8 until 74 fails, then bisects between 75 and 82. 78 is the fewest
    // taps that pass.
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 20);
    OptimizerState state(&f);
    ASSERT_TRUE(f.Optimize(state, false, "lowpass"));
    EXPECT_EQ(state.m_Trials, (std::vector<int>{88, 86, 82, 74, 78, 76, 77}));
    EXPECT_EQ(f.GetNumTaps(), 78);
    EXPECT_EQ(f.GetN(), 78);
    const double margin = f.GetMargin();
    EXPECT_GE(margin, 0.0);
    EXPECT_EQ(f.m_bMeetsSpec, 1);
    const std::string text = "Optimization succeeded using 78 taps.\nDesign margin is " +
                             FormatNumber(margin, 3, false) + " dB.";
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, text);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Information);
    EXPECT_EQ(host.statusTexts, (std::vector<std::string>{kMsgOptimizingStatus, text}));
    EXPECT_TRUE(state.m_Best.IsEmpty());
    EXPECT_EQ(state.m_pControl, nullptr); // the run has ended
    // Each display shows the count of a trial (or the count the search started from).
    for (const std::string& polled : host.polledTexts) {
        int taps = 0, iteration = 0;
        ASSERT_EQ(std::sscanf(polled.c_str(), "\n   Design Status:\n      NTaps = %d, Iteration %d",
                              &taps, &iteration),
                  2)
            << polled;
        EXPECT_TRUE(taps == 20 || std::count(state.m_Trials.begin(), state.m_Trials.end(), taps))
            << polled;
    }

    // Independently: one tap fewer misses the specification.
    CDesignControl control;
    f.SetNumTaps(77);
    RunPm(f, control);
    EXPECT_LT(f.GetMargin(), 0.0);
}

TEST(Driver, OptimizerStatusText) {
    CFirData f;
    OptimizerState state(&f);
    CDesignControl control;
    control.m_nIteration = 7;
    state.m_nTaps = 82;
    state.m_nTrial = 4;
    state.m_nLow = 82;
    state.m_nHigh = 86;
    EXPECT_EQ(FormatOptimizeStatus(control, state),
              "\n   Design Status:\n      NTaps = 82, Iteration 7\n"
              "\n\n   Optimization Status:\n      Trial 4, "
              "Range = 82 - 86");
    state.m_nLow = 86;
    control.m_nQuantProgress = 35;
    EXPECT_EQ(FormatOptimizeStatus(control, state),
              "\n   Design Status:\n      NTaps = 82, Iteration 7\n      Quantizing: 35% "
              "complete\n\n   Optimization Status:\n      Trial 4");
    control.RequestCancel();
    EXPECT_EQ(FormatOptimizeStatus(control, state), "\n   Cancelling, please wait...");
}

TEST(Driver, QuantizedSearchStartsFromTheUnquantizedCount) {
    // The unquantized search finds 78 taps; the quantized one then starts at 1.25 * 78 = 97
    // and steps down within [78, 175]: 95, 91, 83, then below the minimum (assumed range
    // 79..82 without a trial), 80 and 81 fail and the best design, 83 taps, is kept.
    CScriptedHost host;
    CFirData f(&host);
    MakeLowpass60(f, 20);
    f.m_Quant.m_nBits = 16;
    OptimizerState state(&f);
    ASSERT_TRUE(f.Optimize(state, false, "quantized"));
    EXPECT_EQ(state.m_Trials,
              (std::vector<int>{88, 86, 82, 74, 78, 76, 77, 97, 95, 91, 83, 80, 81}));
    EXPECT_EQ(f.m_Quant.m_nBits, 16);
    EXPECT_EQ(f.GetNumTaps(), 83);
    EXPECT_GE(f.GetMargin(), 0.0);
    EXPECT_EQ(f.m_bQuantized, 1);
    for (int i = 0; i < f.GetN(); ++i) {
        const double q = (*f.m_pI)[i] * 32768.0; // 16-bit fractions
        EXPECT_NEAR(q, std::round(q), 1e-6) << i;
    }
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().text.rfind(
                  "Optimization with quantization succeeded using 83 taps.\nDesign margin is ", 0),
              0u);
}

TEST(Driver, OddOnlySearchStepsByThree) {
    // Highpass with its passband at Fs/2: odd counts only, and the first step of 2 becomes 3.
    // Estimate 39 -> start 44, adjusted down to 43 (passes); 43 - 3 = 40 -> 39 (passes);
    // 39 - 6 = 33 fails; bisection between 35 and 39.
    CScriptedHost host;
    CFirData f(&host);
    MakeSimple(f, 1, 21, 0.3, 1.0, 0.36, 60.0);
    OptimizerState state(&f);
    ASSERT_TRUE(f.Optimize(state, false, "highpass"));
    EXPECT_EQ(state.m_Trials, (std::vector<int>{43, 39, 33, 37, 35}));
    EXPECT_EQ(f.GetNumTaps(), 37);
    EXPECT_GE(f.GetMargin(), 0.0);
}

TEST(Driver, UnestimableEightTapFilterStartsAtNine) {
    // A bandpass cannot be estimated; a failing design of 8 taps starts the search at 9, then
    // tries its own count, then searches upwards by 2 and 4 and bisects.
    CScriptedHost host;
    CFirData f(&host);
    MakeSimple(f, 2, 8, 0.1, 1.0, 0.3, 20.0, 0.25);
    OptimizerState state(&f);
    ASSERT_TRUE(f.Optimize(state, false, "bandpass"));
    EXPECT_EQ(state.m_Trials, (std::vector<int>{9, 8, 11, 15, 13, 12}));
    EXPECT_EQ(f.GetNumTaps(), 13);
}

TEST(Driver, OptimizeRefusesOtherResponseTypes) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Differentiator, 16, 21);
    ASSERT_TRUE(f.AddBand(false, false, 0.0, 0.2, 1.0, 1.0, 1.0, false));
    ASSERT_TRUE(f.AddBand(false, false, 0.3, 0.5, 0.0, 1.0, 1.0, false));
    EXPECT_FALSE(f.OptimizeFilter("diff"));
    EXPECT_EQ(host.LastMessage(), kMsgCannotOptimizeType);
    EXPECT_EQ(host.jobsRun, 0);
    EXPECT_FALSE(f.HasCoefficients());
}

TEST(Driver, OptimizationReportsANonFiniteResultOnce) {
    // A stopband weight of zero makes the exchange divide by zero in every trial.
    ResetMathErrorReport();
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Filter, 16, 21);
    ASSERT_TRUE(f.AddBand(false, false, 0.0, 0.2, 1.0, 1.0, 1.0, false));
    ASSERT_TRUE(f.AddBand(false, false, 0.25, 0.5, 0.0, 0.0, 1.0, false));
    OptimizerState state(&f);
    ASSERT_TRUE(f.Optimize(state, false, "zero weight"));
    EXPECT_GT(state.m_Trials.size(), 3u);
    EXPECT_EQ(f.GetNumTaps(), 21);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "Math error in function Remez.");
    EXPECT_EQ(host.messages[1].text, "Optimization failed to converge.");
    EXPECT_EQ(host.messages[1].icon, EMsgIcon::Stop);
    ResetMathErrorReport();
}

TEST(Driver, CancelledOptimizationRestoresTheTapCountSilently) {
    CScriptedHost host;
    CFirData f(&host);
    // 90 dB with a narrow transition: several hundred taps per trial, far more than one 10 ms
    // poll lasts.
    MakeSimple(f, 0, 25, 0.1, 0.1, 0.105, 90.0);
    host.CancelAfterPolls(1);
    CDesignControl control;
    ASSERT_TRUE(f.OptimizeFilter("long", nullptr, &control));
    EXPECT_TRUE(host.jobCancelled);
    EXPECT_TRUE(control.CancelRequested());
    EXPECT_EQ(f.GetNumTaps(), 25);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.statusTexts.back(), "Optimization was aborted.");
    EXPECT_EQ(control.m_bDesignDone, 1);
    EXPECT_EQ(f.m_bMeetsSpec, 0);
}

TEST(Driver, CancelledLongDesignLeavesAnEmptyFilter) {
    CScriptedHost host;
    CFirData f(&host);
    // 2001 taps meet this specification when the design is not cancelled.
    MakeSimple(f, 0, 2001, 0.1, 0.1, 0.102, 80.0);
    host.CancelAfterPolls(2);
    ASSERT_TRUE(f.ValidateSpecs());
    EXPECT_FALSE(f.DesignFilter("long"));
    EXPECT_TRUE(host.jobCancelled);
    EXPECT_FALSE(f.HasCoefficients());
    EXPECT_EQ(f.GetNumTaps(), 2001);
    EXPECT_TRUE(host.messages.empty());
}
