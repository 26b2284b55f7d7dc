#include "design/raised_cosine.h"

#include "design/fir_data.h"
#include "design/method_messages.h"

#include <cmath>
#include <numbers>
#include <vector>

RaisedCosineParams CompleteRaisedCosine(const RaisedCosineParams& given, double fs) {
    RaisedCosineParams rc = given;
    if (rc.m_bRateGiven)
        rc.m_dSamplesPerSymbol = fs / rc.m_dSymbolRate;
    else
        rc.m_dSymbolRate = fs / rc.m_dSamplesPerSymbol;
    if (!rc.m_bLengthInTaps) {
        const double taps = rc.m_dSymbols * rc.m_dSamplesPerSymbol + 0.5;
        // A length beyond any tap count a filter can have fails the constraints.
        rc.m_nRcTaps = taps < 2e9 ? static_cast<int>(taps) : 2000000000;
    }
    rc.m_dSymbols = rc.m_nRcTaps / rc.m_dSamplesPerSymbol;
    return rc;
}

bool CFirData::ValidateRaisedCosine() const {
    const RaisedCosineParams& given = m_Rc;
    if (!(given.m_dRolloff > 0.0 && given.m_dRolloff < 1.0)) {
        Report(kMsgRolloffRange);
        return false;
    }
    if (given.m_bRateGiven && !(given.m_dSymbolRate > 0.0)) {
        Report(kMsgSymbolRatePositive);
        return false;
    }
    if (!given.m_bRateGiven && !(given.m_dSamplesPerSymbol > 1.0)) {
        Report(kMsgSamplesPerSymbol);
        return false;
    }
    const RaisedCosineParams rc = CompleteRaisedCosine(given, GetFs());
    if (rc.m_bLengthInTaps) {
        if (rc.m_nRcTaps < 4) {
            Report(kMsgRcFourTaps);
            return false;
        }
        if (!rc.m_bZeroPad && !m_Constraints.MeetsConstraints(rc.m_nRcTaps)) {
            Report(kMsgRcTapsConstraints);
            return false;
        }
    } else {
        if (!(given.m_dSymbols >= 2.0)) {
            Report(kMsgRcTwoSymbols);
            return false;
        }
        if (!rc.m_bZeroPad && !m_Constraints.MeetsConstraints(rc.m_nRcTaps)) {
            Report(kMsgRcSymbolsConstraints);
            return false;
        }
    }
    if (rc.m_bZeroPad) {
        if (rc.m_nZeroPadTaps < rc.m_nRcTaps) {
            Report(kMsgRcZeroPadShort);
            return false;
        }
        if (!m_Constraints.MeetsConstraints(rc.m_nZeroPadTaps)) {
            Report(kMsgRcZeroPadConstraints);
            return false;
        }
    }
    if (!(rc.m_dSymbols >= 2.0)) {
        Report(kMsgRcSpanTwoSymbols);
        return false;
    }
    return true;
}

// Raised-cosine and root-raised-cosine Nyquist pulses sampled at t = (i - (N-1)/2)/sps symbols;
// at their removable singularities the limits (L'Hopital) are used.
void CFirData::DesignRaisedCosine() {
    m_Rc = CompleteRaisedCosine(m_Rc, GetFs());
    const RaisedCosineParams& rc = m_Rc;
    const int n = rc.m_nRcTaps;
    const double sps = rc.m_dSamplesPerSymbol;
    const double beta = rc.m_dRolloff;
    const double pi = std::numbers::pi;

    std::vector<double> h(static_cast<size_t>(std::max(n, 0)), 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = (i - (n - 1) / 2.0) / sps;
        double value = 0.0;
        if (rc.m_bRoot) {
            const double num =
                std::sin(pi * t * (1.0 - beta)) + 4.0 * beta * t * std::cos(pi * t * (1.0 + beta));
            const double den = pi * t * (1.0 - (4.0 * beta * t) * (4.0 * beta * t));
            if (t == 0.0 || std::abs(den) * std::pow(sps, 1.5) < 1e-10) {
                const double dnum =
                    pi * (1.0 - beta) * std::cos(pi * t * (1.0 - beta)) +
                    4.0 * beta * std::cos(pi * t * (1.0 + beta)) -
                    4.0 * beta * t * pi * (1.0 + beta) * std::sin(pi * t * (1.0 + beta));
                const double dden = pi * (1.0 - 48.0 * beta * beta * t * t);
                value = dnum / (dden * sps);
            } else {
                value = num / (den * sps);
            }
        } else {
            const double x = pi * t;
            const double sinc = std::abs(x) < 1e-20 ? 1.0 : std::sin(x) / x;
            const double q = 1.0 - (2.0 * beta * t) * (2.0 * beta * t);
            const double c = std::abs(q) < 1e-12 ? pi / 4.0 : std::cos(pi * beta * t) / q;
            value = sinc * c / sps;
        }
        h[static_cast<size_t>(i)] = value;
    }
    if (rc.m_bZeroPad && rc.m_nZeroPadTaps > n)
        h.resize(static_cast<size_t>(rc.m_nZeroPadTaps), 0.0);
    LoadDesignedTaps(h);
    SetNumTaps(GetN());
}
