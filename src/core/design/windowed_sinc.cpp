#include "design/fir_data.h"
#include "design/method_messages.h"
#include "dsp/signal_messages.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Window code of the Kaiser-Bessel window, whose parameter is alpha.
constexpr int kDolphChebyshevWindow = 1;
constexpr int kKaiserBesselWindow = 2;

} // namespace

void CFirData::LoadDesignedTaps(const std::vector<double>& taps) {
    RemoveAll();
    for (double value : taps) {
        m_pI->Add(value);
        m_pQ->Add(0.0);
    }
    m_bReal = 1;
    const CFs fs = m_Fs;
    ApplyFs(fs);
    ResetRange();
    m_nWindow = -1;
}

bool CFirData::CheckCorner(double f, double forbidden) {
    const double r = f / GetFs();
    if (!(r < 0.0 || r > 0.5 || r == forbidden))
        return false;
    Report(FormatMessage(kMsgBadCorner, {FormatNumber(f, 3, false)}), EMsgIcon::None);
    return true;
}

void CFirData::SetWindowAfterDesignByMethod() {
    m_bWindowAfterDesign = m_nDesignType == kDesignWinSinc ||
                           (m_nDesignType == kDesignLthBand &&
                            m_Lth.m_nLthMethod == LthBandParams::kMethodWindowedSinc);
}

const char* CFirData::WindowParamProblem() const {
    if (m_Ws.m_nWindowType == kKaiserBesselWindow &&
        !(m_Ws.m_dWindowParam > 0.0 && m_Ws.m_dWindowParam < 50.0))
        return kMsgAlphaRange;
    // The sidelobe level in dB; 0 would ask for sidelobes of zero height.
    if (m_Ws.m_nWindowType == kDolphChebyshevWindow && !(m_Ws.m_dChebyParam >= 1.0))
        return SignalMsg::kGammaTooSmall;
    return nullptr;
}

bool CFirData::ValidateWindowedSinc() {
    if (!CheckMinTaps())
        return false;
    const int type = m_Ws.m_nFilterType;
    if (m_nTaps % 2 == 0 && (type == 1 || type == 3) && !AskOddTaps())
        return false;
    if (const char* problem = WindowParamProblem()) {
        Report(problem);
        return false;
    }
    if (type == 2 || type == 3) {
        const double lo = std::min(m_Ws.m_dCorner1, m_Ws.m_dCorner2);
        const double hi = std::max(m_Ws.m_dCorner1, m_Ws.m_dCorner2);
        if (CheckCorner(lo, 0.0) || CheckCorner(hi, 0.5))
            return false;
        if (lo == hi) {
            Report(kMsgCornersEqual);
            return false;
        }
        return true;
    }
    return !CheckCorner(m_Ws.m_dCorner1, 0.0) && !CheckCorner(m_Ws.m_dCorner1, 0.5);
}

// The ideal (brick-wall) impulse responses sampled at m = i - (N-1)/2 and truncated to N taps:
// a lowpass of cutoff w is sin(w m)/(pi m), with w/pi at m = 0; the highpass, bandpass and
// bandstop are sums and differences of lowpasses and of the unit impulse.
void CFirData::DesignWindowedSinc() {
    const int n = m_nTaps;
    const double fs = GetFs();
    const double w1 = 2.0 * std::numbers::pi * m_Ws.m_dCorner1 / fs;
    const double w2 = 2.0 * std::numbers::pi * m_Ws.m_dCorner2 / fs;
    const double a = std::min(w1, w2);
    const double b = std::max(w1, w2);
    const int type = m_Ws.m_nFilterType;
    const double pi = std::numbers::pi;

    std::vector<double> h;
    // A highpass needs a centre tap; validation has made its count odd.
    if (n > 0 && !(type == 1 && n % 2 == 0)) {
        h.assign(static_cast<size_t>(n), 0.0);
        for (int i = 0; i < n / 2; ++i) {
            const double m = i - (n - 1) / 2.0;
            double value = 0.0;
            switch (type) {
            case 1:
                value = -std::sin(w1 * m) / (pi * m);
                break;
            case 2:
                value = (std::sin(b * m) - std::sin(a * m)) / (pi * m);
                break;
            case 3:
                value = (std::sin(a * m) - std::sin(b * m)) / (pi * m);
                break;
            default:
                value = std::sin(w1 * m) / (pi * m);
                break;
            }
            h[static_cast<size_t>(i)] = value;
            h[static_cast<size_t>(n - 1 - i)] = value;
        }
        if (n % 2 != 0) {
            double centre = w1 / pi;
            if (type == 1)
                centre = 1.0 - w1 / pi;
            else if (type == 2)
                centre = (b - a) / pi;
            else if (type == 3)
                centre = (a - b) / pi + 1.0;
            h[static_cast<size_t>(n / 2)] = centre;
        }
    }

    switch (type) {
    case 1:
        m_dGainFreq = fs / 2.0;
        break;
    case 2:
        m_dGainFreq = (m_Ws.m_dCorner1 + m_Ws.m_dCorner2) / 2.0;
        break;
    case 3:
        m_dGainFreq = a > 0.0 ? 0.0 : fs / 2.0;
        break;
    default:
        m_dGainFreq = 0.0;
        break;
    }
    LoadDesignedTaps(h);
}
