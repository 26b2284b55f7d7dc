#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/design_method.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "design/pm_method.h"
#include "dsp/complex_vector.h"
#include "dsp/min_phase.h"
#include "dsp/signal_ops.h"
#include "response/response_types.h"
#include "support/format_number.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Window code of the Dolph-Chebyshev window, whose parameter is the sidelobe level.
constexpr int kDolphChebyshevWindow = 1;

} // namespace

EAnswer CFirData::AskHost(const std::string& text, bool withCancel, EAnswer def) const {
    CHost* host = GetHost();
    return host ? host->Ask(text, withCancel, def) : def;
}

// ---- tap-count checks -----------------------------------------------------------------------

bool CFirData::AskAdjustTaps(int& n) {
    if (m_nKind == kKindCic)
        return true;
    int adjusted = n;
    if (!m_Constraints.AdjustTaps(true, adjusted, true))
        return true;
    switch (AskHost(kMsgAskAdjustTaps, true, EAnswer::Yes)) {
    case EAnswer::Yes:
        n = adjusted;
        return true;
    case EAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CFirData::CheckTapMaximum(long long n) {
    if (n <= kMaxTaps)
        return true;
    Report(FormatMessage(kMsgTapsAboveAbsMax, {std::to_string(kMaxTaps)}));
    return false;
}

bool CFirData::CheckTapLimits() {
    int n = GetNumTaps();
    if (!CheckTapMaximum(n))
        return false;
    if (n < m_Constraints.m_nMin) {
        Report(kMsgTapsBelowMinimum);
        return false;
    }
    if (n > m_Constraints.m_nMax) {
        Report(kMsgTapsAboveMaximum);
        return false;
    }
    if (!AskAdjustTaps(n))
        return false;
    if (n != GetNumTaps())
        SetNumTaps(n);
    return true;
}

bool CFirData::CanEstimateNumTaps(bool showMessage) const {
    const CDesignMethodImpl* method = DesignMethodOfKind(m_nKind);
    if (!method || !KindEstimates(m_nKind))
        return false;
    const std::optional<SMethodMessage> reason = method->CannotEstimate(*this);
    if (reason && showMessage)
        ShowMethodMessage(*this, *reason);
    return !reason;
}

bool CFirData::AskEstimateTaps(int& taps) {
    if (taps >= m_Constraints.m_nMin || !CanEstimateNumTaps(false))
        return true;
    if (AskHost(kMsgAskEstimateTaps, false, EAnswer::Yes) != EAnswer::Yes)
        return false;
    const int estimate = EstimateNumTaps();
    if (estimate == 0)
        return false;
    taps = estimate;
    return true;
}

// ---- validation and design by kind ----------------------------------------------------------

bool CFirData::ValidateSpecs() {
    // Imported filters and "no method" have nothing to design.
    const CDesignMethodImpl* method = DesignMethodOfKind(m_nKind);
    if (!method)
        return false;
    if (method->ChecksTapCount() && !CheckTapLimits())
        return false;
    return method->Check(*this);
}

bool CFirData::DesignFilter(const std::string& caption, CDesignControl* control) {
    const CDesignRun run(control);
    m_bDesignedFromSpec = 0;
    m_bQuantized = 0;
    // Imported filters and "no method" have nothing to design.
    const CDesignMethodImpl* method = DesignMethodOfKind(m_nKind);
    if (!method)
        return false;
    const SDesignOutcome outcome = method->Design(*this, {run.Control(), caption});
    ShowMethodMessage(*this, outcome.failure);
    FinishDesign(&run.Control());
    if (outcome.Designed() && QuantizedToZero()) {
        Report(FormatMessage(kMsgQuantizedToZero, {std::to_string(m_Quant.m_nBits)}));
        return false;
    }
    return outcome.Designed();
}

bool CFirData::QuantizedToZero() const {
    if (m_Quant.m_nBits <= 0 || !HasCoefficients())
        return false;
    const int n = GetN();
    for (int i = 0; i < n; ++i)
        if (m_pI->GetAt(i) != 0.0 || m_pQ->GetAt(i) != 0.0)
            return false;
    return true;
}

bool CFirData::OptimizeFilter(const std::string& caption, OptimizerState* pState,
                              CDesignControl* control) {
    const CDesignRun run(control);
    m_bDesignedFromSpec = 0;
    const CDesignMethodImpl* method = DesignMethodOfKind(m_nKind);
    const bool done = method && method->Optimize(*this, {run.Control(), caption}, pState);
    // An optimisation that could not start has left the coefficients as they were.
    if (done)
        FinishDesign(&run.Control());
    return done;
}

void CFirData::FinishDesign(CDesignControl* control) {
    if (!HasCoefficients())
        return;
    bool changed = false;
    if (m_bWindowAfterDesign && m_Ws.m_nWindowType != 0) {
        const double parameter =
            m_Ws.m_nWindowType == kDolphChebyshevWindow ? m_Ws.m_dChebyParam : m_Ws.m_dWindowParam;
        ApplyWindow(*this, m_Ws.m_nWindowType, parameter, true, true);
        changed = true;
    }

    m_bMinPhaseDone = 0;
    if (m_MinPhase.m_bEnabled && GetListedNumTaps() <= m_MinPhase.m_nMaxTaps) {
        const int n = GetN();
        mvect h(std::vector<double>(m_pI->begin(), m_pI->begin() + n),
                std::vector<double>(m_pQ->begin(), m_pQ->begin() + n));
        double errorDb = kMinPhaseNotDoneDb;
        if (ConvertToMinPhase(h, errorDb) && errorDb <= m_MinPhase.m_dMaxDbError) {
            for (int i = 0; i < n; ++i) {
                (*m_pI)[i] = h[static_cast<size_t>(i)].real();
                (*m_pQ)[i] = h[static_cast<size_t>(i)].imag();
            }
            m_bMinPhaseDone = 1;
            changed = true;
        }
    }
    if (m_MinPhase.m_bEnabled && !m_bMinPhaseDone && m_MinPhase.m_bWarn)
        Report(kMsgMinPhaseFailed);

    if (ScaleToUnityGain())
        changed = true;

    const bool fromSpec = m_bDesignedFromSpec != 0;
    if (!fromSpec)
        PostDesign(control);

    if (TruncateQuantizedZeros() != 0)
        changed = true;

    // The margin and the response list are measured on the gridded response, which must show
    // the final coefficients; only a design from the band list has computed it already.
    if (changed || !fromSpec)
        m_Response.ComputeResponse(kDefaultResponseResolution);
}

// ---- optimisation ---------------------------------------------------------------------------

namespace {

// The status display of an optimisation: the design status and the optimiser's counters.
class COptimizeJob : public CDesignJob {
public:
    COptimizeJob(CFirData& filter, OptimizerState& state, std::string title)
        : CDesignJob(
              *state.m_pControl, filter.GetNumTaps(), std::move(title),
              [&state, &filter] { state.OptimizeSearch(filter.m_Constraints); }, true),
          m_state(state) {}

    std::string StatusText() const override { return FormatOptimizeStatus(m_control, m_state); }

private:
    OptimizerState& m_state;
};

} // namespace

bool CFirData::Optimize(bool oddOnly, const std::string& caption) {
    OptimizerState state(this);
    return Optimize(state, oddOnly, caption);
}

bool CFirData::Optimize(OptimizerState& state, bool oddOnly, const std::string& caption,
                        CDesignControl* control) {
    if (!CheckPmForOptimize(*this))
        return false;
    CHost* host = GetHost();
    if (host)
        host->SetStatusText(kMsgOptimizingStatus);

    const int n0 = GetNumTaps();
    state.m_nLimit = GetMaxTaps();
    if (n0 < m_Constraints.m_nMin)
        SetNumTaps(m_Constraints.m_nMin);

    if (CanEstimatePm(*this, false)) {
        state.m_nLow = static_cast<int>(1.15 * EstimateNumTaps());
        if (state.m_nLow > state.m_nLimit)
            state.m_nLimit = static_cast<int>(1.25 * state.m_nLow);
    } else if (GetNumTaps() <= 8 && GetMargin() < 0.0) {
        state.m_nLow = 9;
    } else {
        state.m_nLow = GetNumTaps();
    }
    state.m_nHigh = state.m_nLow.load();
    state.m_nTaps = GetNumTaps();
    state.m_bOddOnly = (HasPassbandAtNyquist() || oddOnly) ? 1 : 0;

    const CDesignRun run(control);
    state.m_pControl = &run.Control();
    if (host) {
        COptimizeJob job(*this, state, kMsgOptimizingPrefix + caption);
        host->RunLongJob(job);
    } else {
        state.OptimizeSearch(m_Constraints);
    }
    state.m_pControl = nullptr;
    if (!state.m_strMathFunction.empty() && host)
        ReportMathError(*host, state.m_strMathFunction);
    TruncateQuantizedZeros();

    const double margin = GetMargin();
    m_bMeetsSpec = margin >= 0.0 ? 1 : 0;
    const bool cancelled = run.Control().CancelRequested();
    const SOptimizeOutcome outcome =
        ComposeOptimizeOutcome(cancelled, m_Quant.m_nBits > 0, margin, GetNumTaps());
    if (outcome.restoreTaps)
        SetNumTaps(n0);
    if (host) {
        if (outcome.showMessage)
            host->ShowMessage(outcome.text, outcome.icon);
        host->SetStatusText(outcome.text);
    }
    if (m_Quant.m_nBits > 0)
        m_bQuantized = 1;
    return true;
}
