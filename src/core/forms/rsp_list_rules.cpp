#include "forms/rsp_list_rules.h"

#include "design/fir_data.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {

double PowerAt(const CFirData& filter, double freq) {
    const int channel = filter.IsReal() ? kChannelInphase : kChannelComplex;
    return FreqResponseAt(filter, channel, false, freq, false);
}

std::vector<double> WindowedSincFreqs(const CFirData& f) {
    const double fs = f.GetFs();
    std::vector<double> list{0.0, f.m_Ws.m_dCorner1};
    if (f.m_Ws.m_nFilterType >= 2) {
        list.push_back((f.m_Ws.m_dCorner1 + f.m_Ws.m_dCorner2) / 2.0);
        list.push_back(f.m_Ws.m_dCorner2);
    }
    list.push_back(fs / 2.0);
    return list;
}

std::vector<double> RaisedCosineFreqs(const CFirData& f) {
    const double fs = f.GetFs();
    const double beta = f.m_Rc.m_dRolloff;
    const double s = f.m_Rc.m_dSamplesPerSymbol;
    const double f2 = fs * (1.0 + beta) / (2.0 * s);
    std::vector<double> list{0.0, fs * (1.0 - beta) / (2.0 * s), f2};
    if (2.0 * f2 < fs / 2.0)
        list.push_back(2.0 * f2);
    list.push_back(fs / 2.0);
    return list;
}

} // namespace

std::string FormatRspFreq(double freq) {
    std::string text = StrPrintf("%.6f", freq);
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    size_t end = text.size();
    while (end > point + 2 && text[end - 1] == '0')
        --end;
    return text.substr(0, end);
}

std::string FormatRspDb(const CFirData& filter, double freq) {
    const double power = std::max(PowerAt(filter, freq), 1e-30);
    return StrPrintf("%.2f", 10.0 * std::log10(power));
}

std::vector<double> CicRspFreqs(const CFirData& f) {
    const double fs = f.GetFs();
    const int rm = f.m_Cic.m_nRate * f.m_Cic.m_nDelay;
    std::vector<double> list{0.0};
    if (rm <= 0)
        return list;
    const double h = fs / rm;
    const double decimals = 6.0 - std::floor(std::log10(fs));
    const double scale = std::pow(10.0, decimals);
    double start = 1.5001 * h;
    for (int peak = 0; peak < 7 && start < fs / 2.0; ++peak, start += h) {
        double l = start;
        double w = 0.25 * h;
        for (int step = 0; step < 16; ++step) {
            const double v = w < 0.001 * h ? w / 2.0 : 0.001 * h;
            l += PowerAt(f, l) > PowerAt(f, l + v) ? -w : w;
            w /= 2.0;
        }
        list.push_back(static_cast<double>(RoundHalfAway(l * scale)) / scale);
    }
    if (rm % 2 == 1 && list.size() < 8)
        list.push_back(fs / 2.0);
    return list;
}

std::vector<double> AutoRspFreqs(const CFirData& f) {
    switch (f.m_nKind) {
    case kKindWindowedSinc:
        return WindowedSincFreqs(f);
    case kKindRaisedCosine:
        return RaisedCosineFreqs(f);
    case kKindMaxflat:
        return {0.0, f.m_Maxflat.m_dBeta * f.GetFs(), f.GetFs() / 2.0};
    case kKindCic:
        return CicRspFreqs(f);
    default:
        return {0.0, f.GetFs() / 2.0};
    }
}

bool ApplyAutoRspFreqs(CFirData& filter) {
    if (!filter.m_bRspAuto || !filter.HasCoefficients())
        return false;
    const std::vector<double> freqs = AutoRspFreqs(filter);
    filter.m_RspFreqs.SetSize(static_cast<int>(freqs.size()));
    for (size_t i = 0; i < freqs.size(); ++i)
        filter.m_RspFreqs[static_cast<int>(i)] = freqs[i];
    return true;
}
