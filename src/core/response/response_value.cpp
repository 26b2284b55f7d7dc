#include "response/response_value.h"

#include "data/corvi_data.h"
#include "response/phase_curves.h"
#include "response/response_evaluator.h"
#include "response/response_types.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double FreqResponseAt(const CCorviData& filter, int channel, bool phase, double freq,
                      bool normalized) {
    const int n = filter.GetN();
    if (n <= 0) {
        return 1.0;
    }
    const double f = normalized ? freq : freq / filter.GetFs();
    const double w = -2.0 * std::numbers::pi * f;
    double re = 0.0;
    double im = 0.0;
    switch (channel) {
    case kChannelInphase:
        EvaluateRealResponse(filter.m_pI->GetData(), w, n, &im, &re);
        break;
    case kChannelQuadrature:
        EvaluateRealResponse(filter.m_pQ->GetData(), w, n, &im, &re);
        break;
    case kChannelComplex:
        EvaluateComplexResponse(filter.m_pI->GetData(), filter.m_pQ->GetData(), w, n, &re, &im);
        break;
    default:
        return 0.0;
    }
    if (!phase) {
        return re * re + im * im;
    }
    const double degrees = std::atan2(im, re) * (180.0 / std::numbers::pi);
    // atan2 gives -180 for a negative real part with a negative zero imaginary part.
    return degrees <= -180.0 ? 180.0 : degrees;
}

double ResponseValue(bool inDb, double freq, int channel, bool phase, const CCorviData& filter,
                     double minDb) {
    if (channel != kChannelInphase && channel != kChannelQuadrature && channel != kChannelComplex) {
        return 0.0;
    }
    const double value = FreqResponseAt(filter, channel, phase, freq, false);
    if (phase) {
        return value;
    }
    if (!inDb) {
        return std::sqrt(value);
    }
    if (value <= 0.0) {
        return minDb;
    }
    return std::max(10.0 * std::log10(value), minDb);
}

namespace {

// The first empty column of the set at or after index from, added when there is none.
int FirstEmptyCurve(CDataSet& curves, int from) {
    for (int i = from; i < curves.GetColumnCount(); ++i) {
        if (curves.GetColumn(i)->IsEmpty()) {
            return i;
        }
    }
    curves.AddColumn();
    return curves.GetColumnCount() - 1;
}

void FillCurve(const CDataColumn& freqs, CDataColumn& curve, const CCorviData& filter, int channel,
               const SResponseCurveOptions& options) {
    const bool phase = options.nKind != kResponseMagnitude;
    const int n = freqs.GetSize();
    curve.SetSize(n);
    for (int i = 0; i < n; ++i) {
        curve[i] = ResponseValue(options.bInDb, freqs[i], channel, phase, filter, options.dMinDb);
    }
    switch (options.nKind) {
    case kResponseUnwrappedPhase:
        UnwrapPhase(curve);
        break;
    case kResponsePhaseDelay:
        UnwrapPhase(curve);
        PhaseToPhaseDelay(curve, freqs);
        break;
    case kResponseGroupDelay:
        UnwrapPhase(curve);
        PhaseToGroupDelay(freqs, curve);
        break;
    default:
        break;
    }
}

} // namespace

void ComputeCurves(const CDataColumn& freqs, CDataSet& curves, const CCorviData& filter,
                   const SResponseCurveOptions& options) {
    const bool both = options.nChannel == kChannelIAndQ;
    const int first = FirstEmptyCurve(curves, 0);
    FillCurve(freqs, *curves.GetColumn(first), filter, both ? kChannelInphase : options.nChannel,
              options);
    if (both) {
        const int second = FirstEmptyCurve(curves, first + 1);
        FillCurve(freqs, *curves.GetColumn(second), filter, kChannelQuadrature, options);
    }
}
