#include "design/optimizer.h"

#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/pm_method.h"
#include "response/response_types.h"
#include "support/format_number.h"

#include <algorithm>
#include <string>

namespace {

// First counts from which the downward and upward searches start with a step of 4 taps.
constexpr int kLargeStepTaps = 101;
// Smallest range of steps the upward search doubles through.
constexpr int kMinUpwardStepLimit = 128;

} // namespace

SOptimizeOutcome ComposeOptimizeOutcome(bool cancelled, bool quantized, double margin, int taps) {
    SOptimizeOutcome out;
    out.text = kMsgOptimizationPrefix;
    if (quantized)
        out.text += kMsgWithQuantization;
    const std::string marginText = FormatNumber(margin, 3, false);
    if (cancelled) {
        out.text += kMsgOptimizeAborted;
        out.restoreTaps = true;
        out.showMessage = false;
    } else if (margin < 0.0) {
        out.text += kMsgOptimizeNoConvergence;
        out.restoreTaps = true;
        out.icon = EMsgIcon::Stop;
    } else if (margin > 1.0 && taps > 10) {
        out.text += FormatMessage(kMsgOptimizeNotOptimum, {marginText});
    } else {
        out.text += FormatMessage(kMsgOptimizeSucceeded, {std::to_string(taps), marginText});
    }
    return out;
}

std::string FormatOptimizeStatus(const CDesignControl& control, const OptimizerState& state) {
    if (control.CancelRequested())
        return kMsgCancellingStatus;
    std::string text = StrPrintf(kFmtDesignStatus, state.m_nTaps.load(), control.Iterations());
    const int progress = control.QuantProgress();
    text += progress != 0 ? StrPrintf(kFmtQuantizingStatus, progress) : std::string("\n");
    text += "\n";
    text += StrPrintf(kFmtOptimizerStatus, state.m_nTrial.load());
    const int low = state.m_nLow;
    const int high = state.m_nHigh;
    if (low != high)
        text += StrPrintf(kFmtOptimizerRange, low, high);
    return text;
}

bool OptimizerState::Cancelled() const {
    return m_pControl->CancelRequested();
}

bool OptimizerState::Adjust(bool up, std::atomic<int>& value) const {
    int n = value;
    const bool changed = m_C.AdjustTaps(up, n, true);
    value = n;
    return changed;
}

bool OptimizerState::OptimizeSearch(const NTapsConstraints& constraints) {
    CFirData& f = *m_pFilter;
    m_C = constraints;
    if (m_bOddOnly)
        m_C.m_nParity = NTapsConstraints::kParityOdd;
    m_C.NormalizeLimits();

    // With quantization, first find the count without it; the quantized search then looks
    // between 1.25 and 1.85 times that count.
    if (f.m_Quant.m_nBits > 0) {
        f.m_Quant.m_nBits = -f.m_Quant.m_nBits;
        const NTapsConstraints outer = m_C;
        const bool found = OptimizeSearch(outer);
        f.m_Quant.m_nBits = -f.m_Quant.m_nBits;
        m_C = outer;
        if (!found)
            return false;
        const int c = f.GetNumTaps();
        m_C.m_nMin = c;
        m_C.m_nMax = static_cast<int>(2.25 * c);
        m_nLow = static_cast<int>(1.25 * c);
        m_nHigh = static_cast<int>(1.85 * c);
        m_C.NormalizeLimits();
    }

    Adjust(false, m_nLow);
    Adjust(true, m_nHigh);
    int cur = f.GetNumTaps();
    Adjust(true, cur);
    int step = m_nLow < kLargeStepTaps ? 2 : 4;
    m_C.AdjustTaps(true, step, false);

    m_nTrial = 1;
    bool ok = TryTaps(m_nLow);
    if (!ok && !Cancelled() && f.GetNumTaps() != cur)
        ok = TryTaps(cur);

    if (ok) {
        m_nLow = f.GetNumTaps();
        m_nHigh = f.GetNumTaps();
        SearchDown(step);
    } else {
        SearchUp(step);
    }

    Adjust(false, m_nLow);
    Adjust(true, m_nHigh);
    Bisect();

    bool met = f.GetMargin() >= 0.0;
    if (Cancelled() || (f.GetNumTaps() != m_nHigh && !met)) {
        if (m_Best.GetN() > 0)
            RestoreBest();
        met = f.GetMargin() >= 0.0;
    }
    m_Best.RemoveAll();
    return met;
}

void OptimizerState::RestoreBest() {
    CFirData& f = *m_pFilter;
    const int n = m_Best.GetN();
    f.RemoveAll();
    for (int i = 0; i < n; ++i) {
        f.m_pI->Add(m_Best.m_pI->GetAt(i));
        f.m_pQ->Add(m_Best.m_pQ->GetAt(i));
    }
    f.m_nTaps = n;
    f.m_bReal = 1;
    const CFs fs = f.m_Fs;
    f.ApplyFs(fs);
    f.ResetRange();
    f.m_nWindow = -1;
    f.m_Response.ComputeResponse(kDefaultResponseResolution);
}

bool OptimizerState::TryTaps(int n) {
    CFirData& f = *m_pFilter;
    ++m_nTrial;
    f.SetNumTaps(std::max(n, f.m_Constraints.m_nMin));
    m_nTaps = f.GetNumTaps();
    m_Trials.push_back(f.GetNumTaps());
    const SRemezResult result = RunPm(f, *m_pControl);
    if (m_strMathFunction.empty())
        m_strMathFunction = result.mathFunction;
    if (f.GetMargin() < 0.0)
        return false;
    m_Best.Copy(f, f.GetN());
    return true;
}

void OptimizerState::SearchDown(int step) {
    CFirData& f = *m_pFilter;
    int prev = 0;
    for (;;) {
        m_nLow -= step;
        step *= 2;
        if (m_nLow <= m_C.m_nMin) {
            m_nLow = m_C.m_nMin;
            m_nHigh = m_C.m_nMin + 4;
            break;
        }
        if (Adjust(false, m_nLow) && m_nLow == prev)
            break;
        prev = m_nLow;
        if (!TryTaps(m_nLow))
            break;
        m_nHigh = m_nLow.load();
        if (Cancelled())
            break;
        if (f.GetNumTaps() <= m_C.m_nMin)
            break;
    }
    int low = m_nLow;
    m_C.StepUp(low);
    m_nLow = low;
}

void OptimizerState::SearchUp(int step) {
    CFirData& f = *m_pFilter;
    int prev = 0;
    const int limit = std::max(kMinUpwardStepLimit, m_nLow / 2);
    if (f.GetNumTaps() > m_nLimit)
        m_nLimit = f.GetNumTaps();
    if (m_nHigh % 2 == 0)
        ++m_nLimit;
    while (step <= limit) {
        m_nHigh += step;
        step *= 2;
        if (m_nHigh > m_nLimit) {
            m_nHigh = m_nLimit.load();
            break;
        }
        if (Adjust(true, m_nHigh) && m_nHigh == prev)
            break;
        prev = m_nHigh;
        if (TryTaps(m_nHigh))
            break;
        m_nLow = m_nHigh.load();
        if (Cancelled())
            break;
    }
}

void OptimizerState::Bisect() {
    CFirData& f = *m_pFilter;
    if (m_nLow >= m_nHigh)
        return;
    int prev = 0;
    while (!Cancelled()) {
        int mid = (m_nLow + m_nHigh) / 2;
        Adjust(false, mid);
        if (mid == prev)
            break;
        prev = mid;
        if (TryTaps(mid))
            m_nHigh = f.GetNumTaps();
        else
            m_nLow = f.GetNumTaps();
    }
}
