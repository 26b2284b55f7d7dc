#include "response/response_value.h"

#include "data/corvi_data.h"
#include "response/phase_curves.h"
#include "response/response_evaluator.h"
#include "response/response_types.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

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

double RealTapsPowerAt(const std::vector<double>& taps, double freq) {
    const int n = static_cast<int>(taps.size());
    if (n <= 0)
        return 1.0;
    const double w = -2.0 * std::numbers::pi * freq;
    double re = 0.0;
    double im = 0.0;
    EvaluateRealResponse(taps.data(), w, n, &im, &re);
    return re * re + im * im;
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

// The exact group delay of one channel's coefficients x[n], n = 0..N-1, in the time unit of the
// sampling frequency's unit. With c = (N - 1) / 2, H(w) = sum x[n] e^(-jwn) and
// G(w) = sum (n - c) x[n] e^(-jwn), the delay in samples is c + Re(G conj(H)) / |H|^2 (the
// derivative of the phase of H, as the usual group-delay formula takes it). Measuring n from the
// middle keeps G, and so its rounding, near zero for a linear-phase filter, whose delay is then c
// to rounding at every frequency, also deep in a stopband.
class CGroupDelay {
public:
    CGroupDelay(const CCorviData& filter, int channel) : m_fs(filter.GetFs()) {
        const int n = filter.GetN();
        m_centre = (n - 1) / 2.0;
        const bool quadratureOnly = channel == kChannelQuadrature;
        const double* xi = (quadratureOnly ? filter.m_pQ : filter.m_pI)->GetData();
        const double* xq = channel == kChannelComplex ? filter.m_pQ->GetData() : nullptr;
        m_i.assign(xi, xi + n);
        if (xq)
            m_q.assign(xq, xq + n);
        double scale = 0.0;
        for (int k = 0; k < n; ++k) {
            const double d = k - m_centre;
            m_wi.push_back(d * m_i[k]);
            scale += std::fabs(m_i[k]);
            if (xq) {
                m_wq.push_back(d * m_q[k]);
                scale += std::fabs(m_q[k]);
            }
        }
        // |H| below this counts as a zero of the response, where the delay is not defined.
        m_minMagnitude = 1e-9 * scale;
        m_linearPhase = !xq && IsSymmetricOrAntisymmetric(m_i);
    }

    // The delay at freq (unit of the sampling frequency); false where |H| is (near) zero.
    bool At(double freq, double* pDelay) const {
        const int n = static_cast<int>(m_i.size());
        if (n == 0 || !(m_fs > 0.0))
            return false;
        const double w = -2.0 * std::numbers::pi * freq / m_fs;
        double hr = 0.0, hi = 0.0, gr = 0.0, gi = 0.0;
        if (m_q.empty()) {
            EvaluateRealResponse(m_i.data(), w, n, &hi, &hr);
            EvaluateRealResponse(m_wi.data(), w, n, &gi, &gr);
        } else {
            EvaluateComplexResponse(m_i.data(), m_q.data(), w, n, &hr, &hi);
            EvaluateComplexResponse(m_wi.data(), m_wq.data(), w, n, &gr, &gi);
        }
        const double power = hr * hr + hi * hi;
        if (!(std::sqrt(power) > m_minMagnitude))
            return false;
        // Real (anti)symmetric coefficients: H is e^(-jwc) times a real (imaginary) function, so
        // the delay is c exactly wherever H is not zero.
        const double samples = m_linearPhase ? m_centre : m_centre + (gr * hr + gi * hi) / power;
        *pDelay = samples / m_fs;
        return std::isfinite(*pDelay);
    }

private:
    static bool IsSymmetricOrAntisymmetric(const std::vector<double>& x) {
        const std::size_t n = x.size();
        bool symmetric = true;
        bool antisymmetric = true;
        for (std::size_t k = 0; k < n && (symmetric || antisymmetric); ++k) {
            symmetric = symmetric && x[k] == x[n - 1 - k];
            antisymmetric = antisymmetric && x[k] == -x[n - 1 - k];
        }
        return symmetric || antisymmetric;
    }

    double m_fs;
    bool m_linearPhase = false;
    double m_centre = 0.0;
    double m_minMagnitude = 0.0;
    std::vector<double> m_i, m_q, m_wi, m_wq;
};

// The group delay at every frequency; a point where it is not defined (a zero of the response)
// holds the delay of the nearest defined point before it (after it, at the start), so the curve
// shows no spike there. Returns whether each point was defined.
std::vector<bool> FillGroupDelay(const CDataColumn& freqs, CDataColumn& curve,
                                 const CGroupDelay& delay) {
    const int n = freqs.GetSize();
    std::vector<bool> defined(n, false);
    int firstDefined = -1;
    for (int i = 0; i < n; ++i) {
        double d = 0.0;
        defined[i] = delay.At(freqs[i], &d);
        if (defined[i]) {
            curve[i] = d;
            if (firstDefined < 0)
                firstDefined = i;
        } else {
            curve[i] = i > 0 ? curve[i - 1] : 0.0;
        }
    }
    for (int i = 0; i < firstDefined; ++i)
        curve[i] = curve[firstDefined];
    return defined;
}

void FillCurve(const CDataColumn& freqs, CDataColumn& curve, const CCorviData& filter, int channel,
               const SResponseCurveOptions& options) {
    const bool phase = options.nKind != kResponseMagnitude;
    const int n = freqs.GetSize();
    curve.SetSize(n);
    if (options.nKind == kResponseGroupDelay && filter.GetN() > 0) {
        FillGroupDelay(freqs, curve, CGroupDelay(filter, channel));
        return;
    }
    for (int i = 0; i < n; ++i) {
        curve[i] = ResponseValue(options.bInDb, freqs[i], channel, phase, filter, options.dMinDb);
    }
    if (options.nKind != kResponseUnwrappedPhase && options.nKind != kResponsePhaseDelay)
        return;
    if (filter.GetN() > 0) {
        CDataColumn delays;
        delays.SetSize(n);
        const std::vector<bool> defined =
            FillGroupDelay(freqs, delays, CGroupDelay(filter, channel));
        UnwrapPhaseByDelay(curve, freqs, delays, defined);
    } else {
        UnwrapPhase(curve);
    }
    if (options.nKind == kResponsePhaseDelay)
        PhaseToPhaseDelay(curve, freqs);
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
