#include "dsp/operation_settings.h"

#include "dsp/signal_messages.h"
#include "dsp/windows.h"
#include "support/host.h"

#include <cmath>

bool CheckWindowSettings(CHost& host, int code, double alpha, double gamma) {
    if (code == static_cast<int>(EWindow::DolphChebyshev) && !(gamma >= 1.0)) {
        host.Error(SignalMsg::kGammaTooSmall);
        return false;
    }
    if (code == static_cast<int>(EWindow::KaiserBessel) && !(alpha > 0.0)) {
        host.Error(SignalMsg::kAlphaNotPositive);
        return false;
    }
    return true;
}

double WindowSettingsParameter(int code, double alpha, double gamma) {
    if (code == static_cast<int>(EWindow::DolphChebyshev))
        return gamma;
    if (code == static_cast<int>(EWindow::KaiserBessel))
        return alpha;
    return 0.0;
}

void ApplyMixDefaults(SMixSettings& s, double fs) {
    if (s.frequency == 0.0)
        s.frequency = fs / 4.0;
    if (s.divisor == 0.0)
        s.divisor = 4.0;
    if (s.multiplier == 0.0)
        s.multiplier = 0.25;
}

double MixFrequency(const SMixSettings& s, double fs) {
    switch (static_cast<EMixMode>(s.mode)) {
    case EMixMode::FsDivided:
        return s.divisor == 0.0 ? 0.0 : fs / s.divisor;
    case EMixMode::FsMultiplied:
        return fs * s.multiplier;
    case EMixMode::Frequency:
        break;
    }
    return s.frequency;
}

double MixPhase(const SMixSettings& s, double frequency, double fs, int nTaps) {
    constexpr double kPi = 3.14159265358979323846;
    double phase;
    if (static_cast<EMixPhaseMode>(s.phaseMode) == EMixPhaseMode::Degrees)
        phase = kPi * s.phaseDegrees / 180.0;
    else
        phase = fs == 0.0 ? 0.0 : -kPi * (frequency / fs) * (nTaps - 1);
    return std::fmod(phase, 2.0 * kPi);
}

bool CheckMixSettings(CHost& host, const SMixSettings& s, double fs) {
    if (static_cast<EMixMode>(s.mode) == EMixMode::FsDivided && s.divisor == 0.0) {
        host.Error(SignalMsg::kMixDivisorZero);
        return false;
    }
    const double f = MixFrequency(s, fs);
    if (f == 0.0) {
        host.Error(SignalMsg::kMixFrequencyZero);
        return false;
    }
    if (f > fs / 2.0 || f < -fs / 2.0)
        return host.AskYesNo(SignalMsg::kMixOutOfRange, EAnswer::Yes);
    return true;
}
