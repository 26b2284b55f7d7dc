#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/pm_method.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// How far (fraction of Fs) an edge given in the unit of Fs may pass Fs/2 by rounding.
constexpr double kEdgeTolerance = 1e-12;

// Display values in dB keep six decimals.
double RoundTo6(double x) {
    return RoundHalfAwayDouble(x * 1e6) / 1e6;
}

// Peak-to-peak passband ripple in dB to the factor 1/delta, and back.
double RippleDbToFactor(double rippleDb) {
    const double a = std::pow(10.0, rippleDb / 20.0);
    return (a + 1.0) / (a - 1.0);
}

double FactorToRippleDb(double factor) {
    return 20.0 * std::log10((1.0 / factor + 1.0) / (1.0 - 1.0 / factor));
}

} // namespace

void CFirData::ResetSpec(int responseType, int gridDensity, int taps) {
    m_Bands.clear();
    m_nResponseType = responseType;
    m_nGridDensity = gridDensity;
    SetNumTaps(taps);
}

void CFirData::SetBandCapacity(int n) {
    m_Bands.clear();
    m_nBandCapacity = std::max(n, 0);
}

bool CFirData::AddBand(bool attnInDb, bool absFreq, double lower, double upper, double desired,
                       double attn, double stopWeight, bool gainInDb) {
    if (absFreq) {
        const double fs = GetFs();
        lower /= fs;
        upper /= fs;
    }
    const int n = GetNumBands();
    if (n >= m_nBandCapacity) {
        Report(kMsgTooManyBands);
        return false;
    }
    // Edges are fractions of Fs from 0 to 1/2; an edge a rounding error beyond 1/2 is 1/2.
    if (upper > 0.5 && upper <= 0.5 + kEdgeTolerance)
        upper = 0.5;
    if (!(lower >= 0.0 && upper <= 0.5 && lower <= upper)) {
        Report(kMsgBandOutsideRange);
        return false;
    }
    if (n > 0 && lower <= Band(n - 1).upper) {
        Report(kMsgOverlappingBands);
        return false;
    }
    if (gainInDb)
        desired = desired < m_dMinDb ? 0.0 : std::pow(10.0, desired / 20.0);
    if (desired > 0.0) {
        if (attnInDb)
            attn = RippleDbToFactor(attn);
    } else {
        if (desired < 0.0) {
            Report(kMsgNegativeGain);
            return false;
        }
        if (attnInDb) {
            attn = std::pow(10.0, attn / 20.0);
            stopWeight = std::pow(10.0, stopWeight / 20.0);
        }
    }
    m_bGainInDb = gainInDb;
    m_bAttnInDb = attnInDb;
    m_Bands.push_back({lower, upper, desired, attn, stopWeight});
    return true;
}

double CFirData::GetBandGain(int i, bool inDb) const {
    const double gain = Band(i).desired;
    if (inDb)
        return gain <= 0.0 ? -1000.0 : RoundTo6(20.0 * std::log10(gain));
    return gain < 0.00001 ? 0.0 : gain;
}

double CFirData::GetBandAttn(int i, bool inDb) const {
    const double factor = Band(i).attn;
    if (!inDb)
        return factor;
    if (IsPassband(i))
        return RoundTo6(FactorToRippleDb(factor));
    return RoundTo6(20.0 * std::log10(factor));
}

bool CFirData::HasPassbandAtNyquist() const {
    for (int i = 0; i < GetNumBands(); ++i)
        if (IsPassband(i) && Band(i).upper > 0.499999)
            return true;
    return false;
}

int CFirData::GetRequiredGridDensity() const {
    if (m_nTaps <= 0 || GetNumBands() == 0)
        return 4;
    double widest = 0.0;
    for (int i = 0; i < GetNumBands(); ++i)
        widest = std::max(widest, Band(i).upper - Band(i).lower);
    // Bands of no width give no measure of the spacing needed.
    if (!(widest > 0.0))
        return 4;
    const double q = 2.0 / (widest * m_nTaps);
    return 1 + static_cast<int>(std::min(q, 1e9));
}

void CFirData::EnsureGridDensity() {
    const int required = GetRequiredGridDensity();
    if (m_nGridDensity >= required)
        return;
    Report(FormatMessage(kMsgGridDensityIncreased, {std::to_string(required)}),
           EMsgIcon::Information);
    m_nGridDensity = required;
}

bool CFirData::SetSimpleSpec(int taps, double e1, double ripple, double e2, double atten,
                             double center, double stopWeight, int gridDensity, int type) {
    const double fs = GetFs();
    const double nyq = fs / 2.0;
    if (!(e1 > 0.0 && ripple > 0.0 && e2 > 0.0 && atten > 0.0) || gridDensity <= 0) {
        Report(kMsgSimpleAllPositive);
        return false;
    }
    if (ripple > atten) {
        Report(kMsgSimpleRippleAboveAttn);
        return false;
    }
    if (type == 2 || type == 3) {
        if (!(e1 > -fs && e1 < fs && e2 > -fs && e2 < fs)) {
            Report(kMsgSimpleBandwidthRange);
            return false;
        }
    } else if (!(e1 >= -nyq && e1 <= nyq && e2 >= -nyq && e2 <= nyq)) {
        Report(kMsgSimpleEdgeRange);
        return false;
    }
    const double h1 = e1 / 2.0;
    const double h2 = e2 / 2.0;
    switch (type) {
    case 0:
    case 1:
        if (e1 >= e2) {
            Report(type == 0 ? kMsgSimpleLowpassOrder : kMsgSimpleHighpassOrder);
            return false;
        }
        break;
    case 2:
        if (e1 >= e2) {
            Report(kMsgSimpleBandpassWidths);
            return false;
        }
        if (center - h2 < 0.0) {
            Report(kMsgSimpleCenterTooLow);
            return false;
        }
        if (center + h2 > nyq) {
            Report(kMsgSimpleBandpassTooHigh);
            return false;
        }
        break;
    case 3:
        if (h1 <= h2) {
            Report(kMsgSimpleBandstopWidths);
            return false;
        }
        if (center - h1 < 0.0) {
            Report(kMsgSimpleCenterTooLow);
            return false;
        }
        if (center + h1 > nyq) {
            Report(kMsgSimpleBandstopTooHigh);
            return false;
        }
        break;
    default:
        return false;
    }

    ResetSpec(PmResponseType::Filter, gridDensity, taps);
    auto pass = [&](double lo, double hi) {
        return AddBand(true, true, lo, hi, 1.0, ripple, stopWeight, false);
    };
    auto stop = [&](double lo, double hi) {
        return AddBand(true, true, lo, hi, 0.0, atten, stopWeight, false);
    };
    switch (type) {
    case 0:
        return pass(0.0, e1) && stop(e2, nyq);
    case 1:
        return stop(0.0, e1) && pass(e2, nyq);
    case 2:
        return stop(0.0, center - h2) && pass(center - h1, center + h1) && stop(center + h2, nyq);
    default:
        return pass(0.0, center - h1) && stop(center - h2, center + h2) && pass(center + h1, nyq);
    }
}

bool CFirData::GetSimpleSpec(int& taps, double& e1, double& ripple, double& e2, double& atten,
                             double& center, int& gridDensity, int& type) const {
    const int n = GetNumBands();
    if (IsEmpty() || (n != 2 && n != 3))
        return false;
    const double fs = GetFs();
    if (n == 2) {
        type = IsPassband(0) ? 0 : 1;
        e1 = Band(0).upper * fs;
        e2 = Band(1).lower * fs;
        ripple = GetBandAttn(type == 0 ? 0 : 1, true);
        atten = GetBandAttn(type == 0 ? 1 : 0, true);
    } else {
        type = IsPassband(0) ? 3 : 2;
        center = (Band(1).lower + Band(1).upper) / 2.0 * fs;
        const double middle = (Band(1).upper - Band(1).lower) * fs;
        const double outer = (Band(2).lower - Band(0).upper) * fs;
        if (type == 2) {
            e1 = middle;
            e2 = outer;
            atten = GetBandAttn(0, true);
            ripple = GetBandAttn(1, true);
        } else {
            e2 = middle;
            e1 = outer;
            ripple = GetBandAttn(0, true);
            atten = GetBandAttn(1, true);
        }
    }
    taps = m_nTaps;
    gridDensity = m_nGridDensity;
    return true;
}
