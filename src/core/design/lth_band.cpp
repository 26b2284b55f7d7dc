#include "design/lth_band.h"

#include "design/design_flow.h"
#include "design/design_job.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "design/optimizer.h"
#include "design/pm_method.h"
#include "design/windowed_sinc.h"
#include "response/response_types.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Window code of the Kaiser-Bessel window, whose parameter is alpha.
constexpr int kKaiserBesselWindow = 2;
// Coefficients of a sinc design smaller than this are the Lth-band zeros.
constexpr double kSincZero = 1e-12;

} // namespace

WindowedSincParams LthTransitionBand(const LthBandParams& lth, WindowedSincParams ws, double fs) {
    const double pivot = fs / (2.0 * lth.m_nL);
    const double cutoff = lth.m_dCutoff;
    if (pivot > cutoff) {
        ws.m_nFilterType = 0;
        ws.m_dCorner1 = cutoff;
        ws.m_dCorner2 = 2.0 * pivot - cutoff;
    } else {
        ws.m_nFilterType = 1;
        ws.m_dCorner1 = 2.0 * pivot - cutoff;
        ws.m_dCorner2 = cutoff;
    }
    return ws;
}

void SetLthTransitionBand(CFirData& filter) {
    filter.m_Ws = LthTransitionBand(filter.m_Lth, filter.m_Ws, filter.GetFs());
}

SMethodMessage LthCutoffProblem(const LthBandParams& lth, double fs) {
    if (lth.m_nL <= 1)
        return {kMsgLthL};
    if (!(lth.m_dCutoff > 0.0))
        return {kMsgLthCutoffPositive};
    if (!(lth.m_dCutoff < fs / 2.0))
        return {kMsgLthCutoffBelowNyquist};
    if (std::abs(lth.m_dCutoff - fs / (2.0 * lth.m_nL)) / fs < 1e-7)
        return {kMsgLthCutoffAtPivot};
    if (lth.m_dCutoff > fs / lth.m_nL - 1e-7)
        return {kMsgLthCutoffAboveFsL};
    return {};
}

SMethodMessage LthMethodProblem(const LthBandParams& lth, const SWindowedSincSpec& band) {
    switch (lth.m_nLthMethod) {
    case LthBandParams::kMethodWindowedSinc:
        if (const char* problem = WindowParamProblem(band.ws))
            return {problem};
        return {};
    case LthBandParams::kMethodSplineSinc:
        return ValidateSplineSinc(band);
    default:
        if (lth.m_bSpecifyAttn ? lth.m_dAttn == 0.0 : lth.m_dRipple == 0.0)
            return {lth.m_bSpecifyAttn ? kMsgLthAttnZero : kMsgLthRippleZero};
        return {};
    }
}

SMethodMessage LthProblem(const CFirData& filter) {
    const double fs = filter.GetFs();
    SMethodMessage problem = LthCutoffProblem(filter.m_Lth, fs);
    if (!problem.Empty())
        return problem;
    return LthMethodProblem(
        filter.m_Lth, {LthTransitionBand(filter.m_Lth, filter.m_Ws, fs), filter.GetNumTaps(), fs});
}

bool IsLthSpecValid(const CFirData& filter) {
    const double fs = filter.GetFs();
    const LthBandParams& lth = filter.m_Lth;
    const WindowedSincParams& ws = filter.m_Ws;
    if (!LthCutoffProblem(lth, fs).Empty())
        return false;
    switch (lth.m_nLthMethod) {
    case LthBandParams::kMethodWindowedSinc:
        return ws.m_nWindowType != kKaiserBesselWindow ||
               (ws.m_dWindowParam > 0.0 && ws.m_dWindowParam < 50.0);
    case LthBandParams::kMethodSplineSinc:
        return ws.m_bAutoOrder || ws.m_nSplineOrder > 0;
    default:
        return (lth.m_bSpecifyAttn ? lth.m_dAttn : lth.m_dRipple) != 0.0;
    }
}

bool CheckLth(CFirData& filter, bool showMessages, bool full) {
    const auto refused = [&](const SMethodMessage& problem) {
        if (showMessages)
            ShowMethodMessage(filter, problem);
        return !problem.Empty();
    };
    const double fs = filter.GetFs();
    LthBandParams& lth = filter.m_Lth;
    if (refused(LthCutoffProblem(lth, fs)))
        return false;
    SetLthTransitionBand(filter);
    if (full && filter.GetNumTaps() % 2 == 0 && filter.m_Ws.m_nFilterType == 1 &&
        !filter.AskOddTaps())
        return false;
    // The band list takes the ripple or attenuation as a magnitude.
    if (lth.m_nLthMethod != LthBandParams::kMethodWindowedSinc &&
        lth.m_nLthMethod != LthBandParams::kMethodSplineSinc) {
        if (lth.m_bSpecifyAttn)
            lth.m_dAttn = std::abs(lth.m_dAttn);
        else
            lth.m_dRipple = std::abs(lth.m_dRipple);
    }
    if (refused(LthMethodProblem(lth, WindowedSincSpecOf(filter))))
        return false;
    return !full || filter.CheckMinTaps();
}

bool BuildLthBands(CFirData& filter) {
    const LthBandParams& lth = filter.m_Lth;
    double w = 0.0;
    if (lth.m_bSpecifyAttn) {
        w = lth.m_bAttnDb ? std::pow(10.0, lth.m_dAttn / 20.0) : lth.m_dAttn;
    } else if (lth.m_bRippleInDb) {
        const double a = std::pow(10.0, lth.m_dRipple / 20.0);
        w = (a + 1.0) / (a - 1.0);
    } else {
        w = lth.m_dRipple;
    }
    const double half = filter.GetFs() / 2.0;
    filter.ResetSpec(PmResponseType::Filter, filter.m_nGridDensity, filter.GetNumTaps());
    const WindowedSincParams& ws = filter.m_Ws;
    bool added = false;
    if (ws.m_nFilterType == 0)
        added = filter.AddBand(false, true, 0.0, ws.m_dCorner1, 1.0, w, 1.0, false) &&
                filter.AddBand(false, true, ws.m_dCorner2, half, 0.0, w, 1.0, false);
    else
        added = filter.AddBand(false, true, 0.0, ws.m_dCorner1, 0.0, w, 1.0, false) &&
                filter.AddBand(false, true, ws.m_dCorner2, half, 1.0, w, 1.0, false);
    filter.m_bAttnInDb = 1;
    return added;
}

bool DesignLth(CFirData& filter, const SDesignJob& job, bool optimize, OptimizerState* pState) {
    SetLthTransitionBand(filter);
    const LthBandParams& lth = filter.m_Lth;
    switch (lth.m_nLthMethod) {
    case LthBandParams::kMethodWindowedSinc:
        filter.ResetSpec(filter.m_nResponseType, filter.m_nGridDensity, filter.GetNumTaps());
        filter.m_Ws.m_dCorner1 = filter.GetFs() / (2.0 * lth.m_nL);
        ApplyWindowedSinc(filter);
        LthFixup(filter);
        return filter.HasCoefficients();
    case LthBandParams::kMethodSplineSinc:
        filter.ResetSpec(filter.m_nResponseType, filter.m_nGridDensity, filter.GetNumTaps());
        ApplySplineSinc(filter);
        LthFixup(filter);
        return filter.HasCoefficients();
    default:
        break;
    }
    if (!BuildLthBands(filter))
        return false;
    bool done = false;
    if (optimize) {
        OptimizerState local(&filter);
        done = filter.Optimize(pState ? *pState : local, filter.HasPassbandAtNyquist(), job.caption,
                               &job.control);
    } else {
        filter.SetNumTaps(std::max(filter.GetNumTaps(), filter.m_Constraints.m_nMin));
        done = DesignPm(filter, job.caption, &job.control);
    }
    if (filter.HasCoefficients() && lth.m_bZeroize) {
        LthFixup(filter);
        // The margin is read from the gridded response, which must show the fixed-up taps.
        filter.m_Response.ComputeResponse(kDefaultResponseResolution);
    }
    return done;
}

// Lth-band (Nyquist) structure: the centre tap of a half-band filter is 1/2 and every L-th tap
// from the centre is 0. For a Parks-McClellan design the taps next to each forced zero are then
// moved together by the offset, among seven steps of a third of the removed value divided by
// L - 1, that leaves the best stopband margin.
void LthFixup(CFirData& filter) {
    const int c = filter.GetN();
    if (c == 0 || c % 2 == 0)
        return;
    const LthBandParams& lth = filter.m_Lth;
    if (lth.m_nLthMethod != LthBandParams::kMethodPm) {
        filter.m_pI->ZeroBelow(kSincZero);
        filter.m_pQ->ZeroBelow(kSincZero);
        return;
    }
    if (!lth.m_bZeroize)
        return;
    // Without an L of at least 2 there is no Lth-band structure to force (a damaged project).
    if (lth.m_nL < 2)
        return;
    const long long k = (c - 1) / 2;
    const long long l = lth.m_nL;
    CDataColumn& h = *filter.m_pI;
    if (l == 2)
        h[static_cast<int>(k)] = 0.5;
    double delta = 0.0;
    for (long long s = 0; s <= k + l; s += l) {
        if (k + s < c)
            delta = std::abs(h[static_cast<int>(k + s)]) / static_cast<double>(l - 1);
        if (s > 0 && k - s >= 0) {
            h[static_cast<int>(k + s)] = 0.0;
            h[static_cast<int>(k - s)] = 0.0;
        }
        if (delta == 0.0 || l <= 2)
            continue;
        // The pairs k + m, k - m for m = s - 1 down to s - L + 1, as far as both lie in the filter.
        for (long long m = std::min(s - 1, k); m >= std::max(s - l + 1, -k); --m) {
            const int a = static_cast<int>(k + m);
            const int b = static_cast<int>(k - m);
            const double a0 = h[a];
            const double b0 = h[b];
            double bestMargin = filter.GetStopbandMargin();
            double bestOffset = 0.0;
            for (double u = -delta; u <= delta; u += delta / 3.0) {
                h[a] = a0 + u;
                h[b] = b0 + u;
                const double margin = filter.GetStopbandMargin();
                if (margin > bestMargin) {
                    bestMargin = margin;
                    bestOffset = u;
                }
            }
            h[a] = a0 + bestOffset;
            h[b] = b0 + bestOffset;
        }
    }
}

// ---- the method's steps of the design flows --------------------------------------------------

int EstimateLthTaps(CFirData& filter) {
    if (!filter.CanEstimateNumTaps(false))
        return 0;
    CheckLth(filter, false, false);
    BuildLthBands(filter);
    return filter.EstimateNumTaps();
}

bool PrepareLthDesign(CFirData& filter, CHost& host, const SDesignFlowSteps& steps) {
    if (filter.GetNumTaps() <= 0) {
        const int estimate = EstimateLthTaps(filter);
        if (estimate != 0 && !StoreFlowTaps(filter, steps, estimate))
            return false;
        const int minimum = filter.m_Constraints.m_nMin;
        if (minimum >= filter.GetNumTaps()) {
            host.Error(FormatMessage(kMsgLthTapsConstrained, {std::to_string(minimum)}));
            return false;
        }
    }
    if (filter.GetNumTaps() % 2 == 0) {
        const EAnswer answer = host.Ask(kMsgLthAskOddTaps, true, EAnswer::Yes);
        if (answer == EAnswer::Cancel)
            return false;
        if (answer == EAnswer::Yes && !StoreFlowTaps(filter, steps, filter.GetNumTaps() + 1))
            return false;
    }
    return true;
}

namespace {

class CLthMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Lth Band"; }
    SMethodMessage Validate(const CFirData& filter) const override { return LthProblem(filter); }
    // The cutoff, the transition band that follows from it, the odd-taps question for a
    // highpass of an even count, the method's parameters, the tap minimum.
    bool Check(CFirData& filter) const override { return CheckLth(filter, true, true); }
    std::optional<SMethodMessage> CannotEstimate(const CFirData& filter) const override {
        if (IsLthSpecValid(filter))
            return std::nullopt;
        return SMethodMessage{};
    }
    // The estimate of the band list that the specification builds (EstimateLthTaps).
    int Estimate(const CFirData& filter) const override { return EstimatePmTaps(filter); }
    SDesignOutcome Design(CFirData& filter, const SDesignJob& job) const override {
        SDesignOutcome outcome;
        if (DesignLth(filter, job, false, nullptr))
            outcome.end = SDesignOutcome::EEnd::Designed;
        else if (job.control.CancelRequested())
            outcome.end = SDesignOutcome::EEnd::Cancelled;
        return outcome;
    }
    bool Optimize(CFirData& filter, const SDesignJob& job, OptimizerState* pState) const override {
        return DesignLth(filter, job, true, pState);
    }
};

} // namespace

const CDesignMethodImpl& LthMethod() {
    static const CLthMethod method;
    return method;
}

bool RunLthDesign(CFirData& filter, const std::function<bool()>& design) {
    const int window = filter.m_Ws.m_nWindowType;
    if (filter.m_Lth.m_nLthMethod != LthBandParams::kMethodWindowedSinc)
        filter.m_Ws.m_nWindowType = 0;
    const bool designed = design();
    filter.m_Ws.m_nWindowType = window;
    return designed;
}
