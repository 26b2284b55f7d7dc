#include "forms/method_form_rules.h"

#include "design/fir_data.h"
#include "design/method_messages.h"
#include "forms/band_table.h"
#include "forms/form_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <utility>

SSimplePmLabels SimplePmLabels(int filterType) {
    switch (filterType) {
    case 1:
        return {"Stopband Upper Frequency", "Passband Lower Frequency", "Band Center"};
    case 2:
        return {"Passband Bandwidth at Top", "Passband Bandwidth at Bottom", "Bandpass Center"};
    case 3:
        return {"Bandstop Bandwidth at Top", "Bandstop Bandwidth at Bottom", "Bandstop Center"};
    default:
        return {"Passband Upper Frequency", "Stopband Lower Frequency", "Band Center"};
    }
}

void OrderSimplePmFrequencies(int filterType, double& first, double& second) {
    const bool descending = filterType == 3;
    if (descending ? second > first : second < first)
        std::swap(first, second);
}

SSimplePmActuals SimplePmActuals(CFirData& filter, int filterType) {
    SSimplePmActuals a{"", "", kActualsCaption};
    if (!filter.HasCoefficients() || filter.GetNumBands() == 0)
        return a;
    const bool passFirst = filterType == 0 || filterType == 3;
    const int passBand = passFirst ? 0 : 1;
    const int stopBand = passFirst ? 1 : 0;
    if (passBand < filter.GetNumBands())
        a.ripple = CBandTable::FormatActual(filter.GetBandActual(passBand)) + " dB";
    if (stopBand < filter.GetNumBands())
        a.atten = CBandTable::FormatActual(filter.GetBandActual(stopBand)) + " dB";
    a.caption = std::string(kActualsPrefix) + (filter.GetMargin() >= 0.0 ? kPassText : kFailText);
    return a;
}

const char* WindowParamLabel(int windowCode) {
    return windowCode == kWindowDolphChebyshev ? "Gamma" : "Alpha";
}

bool WindowHasParam(int windowCode) {
    return windowCode == kWindowDolphChebyshev || windowCode == kWindowKaiserBessel;
}

double GetWindowParam(const CFirData& filter, int windowCode) {
    return windowCode == kWindowDolphChebyshev ? filter.m_Ws.m_dChebyParam
                                               : filter.m_Ws.m_dWindowParam;
}

void SetWindowParam(CFirData& filter, int windowCode, double value) {
    if (windowCode == kWindowDolphChebyshev)
        filter.m_Ws.m_dChebyParam = value;
    else
        filter.m_Ws.m_dWindowParam = value;
}

bool CheckLthForm(int l, double cutoff, double fs, int method, int windowCode, double param,
                  CHost& host) {
    const char* refusal = nullptr;
    if (l <= 1)
        refusal = kMsgLthFormL;
    else if (cutoff <= 0.0)
        refusal = kMsgLthFormCutoffPositive;
    else if (fs / l <= cutoff)
        refusal = kMsgLthFormCutoffBelowFsL;
    else if (method == LthBandParams::kMethodWindowedSinc && WindowHasParam(windowCode) &&
             param <= 0.0)
        refusal = kMsgWindowParamPositive;
    if (refusal)
        host.Error(refusal);
    return refusal == nullptr;
}

SLthBandInfo LthBandInfo(double fs, int l, double cutoff) {
    SLthBandInfo info{kBandInfoCaption, {}};
    if (l <= 1)
        return info;
    const double pivot = fs / (2.0 * l);
    info.lines.emplace_back("Fs / 2L", StrPrintf("%.3f", pivot));
    if (cutoff <= 0.0 || cutoff >= fs / l)
        return info;
    const std::string c = StrPrintf("%.3f", cutoff);
    const std::string mirror = StrPrintf("%.3f", fs / l - cutoff);
    if (cutoff < pivot) {
        info.caption += " - Lowpass";
        info.lines.emplace_back("Passband Upper", c);
        info.lines.emplace_back("Stopband Lower", mirror);
    } else {
        info.caption += " - Highpass";
        info.lines.emplace_back("Stopband Upper", mirror);
        info.lines.emplace_back("Passband Lower", c);
    }
    return info;
}

bool CheckCicForm(int stages, int rate, int delay, int maxTaps, CHost& host) {
    const char* refusal = nullptr;
    if (stages <= 0 || rate <= 0 || delay <= 0)
        refusal = kMsgCicAllPositive;
    else if (stages > 100)
        refusal = kMsgCicTooManyStages;
    else if (static_cast<long long>(rate) * delay * stages > maxTaps)
        refusal = kMsgCicTooLong;
    if (refusal)
        host.Error(refusal);
    return refusal == nullptr;
}
