#include "design/coefficient_messages.h"
#include "design/fir_data.h"
#include "dsp/signal_messages.h"
#include "dsp/signal_ops.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Magnitude of the response of channel at freq (unit of Fs).
double GainAt(const CFirData& filter, int channel, double freq) {
    return std::sqrt(FreqResponseAt(filter, channel, false, freq, false));
}

// The gridded response follows the coefficients once it has been computed.
void RefreshResponse(CFirData& filter) {
    if (filter.m_Response.IsEmpty())
        return;
    if (filter.HasCoefficients())
        filter.m_Response.ComputeResponse(filter.m_Response.m_nResolution);
    else
        filter.m_Response.RemoveAll();
}

} // namespace

bool CFirData::ScaleFilter(bool scaleI, bool round, double target, double freq, int method,
                           bool scaleQ) {
    double f = 1.0; // measure of I
    double h = 1.0; // measure of Q
    double g = 1.0; // measure of I + jQ
    switch (method) {
    case kScaleGainAtDc:
    case kScaleGainAt: {
        const double at = method == kScaleGainAtDc ? 0.0 : freq;
        f = GainAt(*this, kChannelInphase, at);
        h = GainAt(*this, kChannelQuadrature, at);
        g = GainAt(*this, kChannelComplex, at);
        break;
    }
    case kScaleMaxCoefficient:
        f = m_pI->Max();
        h = m_pQ->Max();
        g = 0.0;
        break;
    case kScaleSumAbs:
        f = m_pI->SumAbs();
        h = m_pQ->SumAbs();
        g = 0.0;
        break;
    case kScaleSumSquares:
        f = m_pI->SumSquares();
        h = m_pQ->SumSquares();
        g = 0.0;
        break;
    default:
        break;
    }

    // Q takes part only in complex data; a real filter is measured on I alone.
    const bool withQ = scaleQ && !IsReal();
    double r = h;
    if (scaleI) {
        r = f;
        if (withQ) {
            if (g != 0.0)
                r = g;
            else if (h >= f)
                r = h;
        }
    }
    if (r == 0.0) {
        Report(kMsgScaleAllZero);
        return false;
    }
    if (!std::isfinite(r)) {
        Report(SignalMsg::kNotFinite);
        return false;
    }
    if (!Scale(*this, scaleI, withQ, round, target / r))
        return false;
    RefreshResponse(*this);
    return true;
}

bool CFirData::ScaleToUnityGain() {
    if (!m_bUnityGain || m_dGainFreq < 0.0 || !HasCoefficients())
        return false;
    return ScaleFilter(true, false, 1.0, m_dGainFreq, kScaleGainAt, true);
}

bool CFirData::FillCoefficients(int n, double value, bool fillI, bool fillQ) {
    if (!CheckTapMaximum(n) || !AskAdjustTaps(n))
        return false;
    RemoveAll();
    Fill(*this, n, fillI, fillQ, value);
    SetNumTaps(n);
    m_bDesignedFromSpec = 0;
    return true;
}

int CFirData::TruncateEndZeros() {
    const int n0 = GetN();
    if (n0 == 0)
        return 0;
    const std::vector<double> oldI(m_pI->begin(), m_pI->begin() + n0);
    const std::vector<double> oldQ(m_pQ->begin(), m_pQ->begin() + n0);
    if (TrimZeros(*this) == 0)
        return 0;

    const int trimmed = GetN();
    int n = trimmed;
    // Limits never filled (no design type set yet) would clamp every count to 0.
    m_Constraints.AdjustTaps(true, n, m_Constraints.m_nMax > 0);
    // Padding only lengthens: coefficients that are not zero are never dropped.
    n = std::max(n, trimmed);
    if (n >= n0) {
        // Nothing to remove net: the taps keep their places.
        m_pI->SetSize(0);
        m_pQ->SetSize(0);
        for (int k = 0; k < n0; ++k) {
            m_pI->Add(oldI[static_cast<size_t>(k)]);
            m_pQ->Add(oldQ[static_cast<size_t>(k)]);
        }
        ResetRange();
        return 0;
    }
    if (n > trimmed)
        AppendZeros(*this, n - trimmed);
    RefreshResponse(*this);
    Report(FormatMessage(kMsgTruncatedTo, {std::to_string(n)}), EMsgIcon::None);
    return n0 - n;
}

int CFirData::TruncateQuantizedZeros() {
    if (m_Quant.m_nBits > 0 && m_Quant.m_bTruncateZeros)
        return TruncateEndZeros();
    return 0;
}

bool CFirData::SelectPolyphase(int phase, int phases, bool scaleValues, bool scaleFs) {
    if (!SelectPhase(*this, phase, phases, scaleValues, scaleFs))
        return false;
    if (scaleFs)
        ScaleBandEdges(phases);
    m_nTaps = GetN();
    RefreshResponse(*this);
    return true;
}
