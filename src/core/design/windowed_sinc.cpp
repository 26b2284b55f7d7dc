#include "design/windowed_sinc.h"

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

SMethodMessage CornerProblem(double f, double forbidden, double fs) {
    const double r = f / fs;
    if (!(r < 0.0 || r > 0.5 || r == forbidden))
        return {};
    return {FormatMessage(kMsgBadCorner, {FormatNumber(f, 3, false)}), EMsgIcon::None};
}

void CFirData::SetWindowAfterDesignByMethod() {
    m_bWindowAfterDesign = m_nDesignType == kDesignWinSinc ||
                           (m_nDesignType == kDesignLthBand &&
                            m_Lth.m_nLthMethod == LthBandParams::kMethodWindowedSinc);
}

SWindowedSincSpec WindowedSincSpecOf(const CFirData& filter) {
    return {filter.m_Ws, filter.GetNumTaps(), filter.GetFs()};
}

const char* WindowParamProblem(const WindowedSincParams& ws) {
    if (ws.m_nWindowType == kKaiserBesselWindow &&
        !(ws.m_dWindowParam > 0.0 && ws.m_dWindowParam < 50.0))
        return kMsgAlphaRange;
    // The sidelobe level in dB; 0 would ask for sidelobes of zero height.
    if (ws.m_nWindowType == kDolphChebyshevWindow && !(ws.m_dChebyParam >= 1.0))
        return SignalMsg::kGammaTooSmall;
    return nullptr;
}

SMethodMessage ValidateWindowedSinc(const SWindowedSincSpec& spec) {
    const WindowedSincParams& ws = spec.ws;
    if (const char* problem = WindowParamProblem(ws))
        return {problem};
    const int type = ws.m_nFilterType;
    if (type == 2 || type == 3) {
        const double lo = std::min(ws.m_dCorner1, ws.m_dCorner2);
        const double hi = std::max(ws.m_dCorner1, ws.m_dCorner2);
        for (const SMethodMessage& problem :
             {CornerProblem(lo, 0.0, spec.fs), CornerProblem(hi, 0.5, spec.fs)})
            if (!problem.Empty())
                return problem;
        if (lo == hi)
            return {kMsgCornersEqual};
        return {};
    }
    SMethodMessage problem = CornerProblem(ws.m_dCorner1, 0.0, spec.fs);
    return problem.Empty() ? CornerProblem(ws.m_dCorner1, 0.5, spec.fs) : problem;
}

// The ideal (brick-wall) impulse responses sampled at m = i - (N-1)/2 and truncated to N taps:
// a lowpass of cutoff w is sin(w m)/(pi m), with w/pi at m = 0; the highpass, bandpass and
// bandstop are sums and differences of lowpasses and of the unit impulse.
std::vector<double> DesignWindowedSinc(const SWindowedSincSpec& spec) {
    const int n = spec.taps;
    const double fs = spec.fs;
    const double w1 = 2.0 * std::numbers::pi * spec.ws.m_dCorner1 / fs;
    const double w2 = 2.0 * std::numbers::pi * spec.ws.m_dCorner2 / fs;
    const double a = std::min(w1, w2);
    const double b = std::max(w1, w2);
    const int type = spec.ws.m_nFilterType;
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

    return h;
}

double WindowedSincGainFreq(const SWindowedSincSpec& spec) {
    const double fs = spec.fs;
    const double a = std::min(spec.ws.m_dCorner1, spec.ws.m_dCorner2);
    switch (spec.ws.m_nFilterType) {
    case 1:
        return fs / 2.0;
    case 2:
        return (spec.ws.m_dCorner1 + spec.ws.m_dCorner2) / 2.0;
    case 3:
        return a > 0.0 ? 0.0 : fs / 2.0;
    default:
        return 0.0;
    }
}

SDesignOutcome ApplyWindowedSinc(CFirData& filter) {
    const SWindowedSincSpec spec = WindowedSincSpecOf(filter);
    SDesignOutcome outcome = SDesignOutcome::OfTaps(DesignWindowedSinc(spec));
    filter.m_dGainFreq = WindowedSincGainFreq(spec);
    filter.LoadDesignedTaps(outcome.taps);
    return outcome;
}

namespace {

class CWindowedSincMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Windowed Sinc"; }
    SMethodMessage Validate(const CFirData& filter) const override {
        return ValidateWindowedSinc(WindowedSincSpecOf(filter));
    }
    // The tap minimum, then for a highpass or bandstop of an even count the odd-taps question,
    // then the parameters.
    bool Check(CFirData& filter) const override {
        if (!filter.CheckMinTaps())
            return false;
        const int type = filter.m_Ws.m_nFilterType;
        if (filter.GetNumTaps() % 2 == 0 && (type == 1 || type == 3) && !filter.AskOddTaps())
            return false;
        return CDesignMethodImpl::Check(filter);
    }
    SDesignOutcome Design(CFirData& filter, const SDesignJob&) const override {
        return ApplyWindowedSinc(filter);
    }
};

} // namespace

const CDesignMethodImpl& WindowedSincMethod() {
    static const CWindowedSincMethod method;
    return method;
}
