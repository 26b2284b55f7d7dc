#include "design/pm_method.h"

#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {

class CPmMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Parks-McClellan"; }
    // Grid density, then one line per band: edges in the unit of Fs, the desired gain
    // ("Passband" at exactly 0 dB, "Stopband" below -250 dB, otherwise the gain in dB) and the
    // ripple or attenuation in dB.
    std::string SummaryText(const CFirData& f) const override {
        const std::string unit = f.m_Fs.GetFreqUnitName();
        const double fs = f.m_Fs.m_dValue;
        std::string text = StrPrintf("Grid Density = %i\n", f.m_nGridDensity);
        text += "\nBands:\n";
        text += "       Lower              Upper       Desired    Attn/Ripple\n";
        text += "  -----------------------------------------------------------------\n";
        for (int i = 0; i < f.GetNumBands(); ++i) {
            text += StrPrintf("  %3.10f %-4s %3.10f %-4s ", f.Band(i).lower * fs, unit.c_str(),
                              f.Band(i).upper * fs, unit.c_str());
            const double gainDb = f.GetBandGain(i, true);
            if (gainDb == 0.0)
                text += "Passband";
            else if (gainDb < -250.0)
                text += "Stopband";
            else
                text += StrPrintf("%6.3f dB", gainDb);
            text += StrPrintf("%12.3f dB\n", f.GetBandAttn(i, true));
        }
        return text;
    }
    SMethodMessage Validate(const CFirData& filter) const override {
        return ValidatePm(PmSpecOf(filter));
    }
    // The band list, the tap minimum and, for a filter response of an even count with a
    // passband at Fs/2, the odd-taps question.
    bool Check(CFirData& filter) const override { return CheckPm(filter, true); }
    std::optional<SMethodMessage> CannotEstimate(const CFirData& filter) const override {
        if (const char* reason = PmEstimateProblem(PmSpecOf(filter)))
            return SMethodMessage{reason};
        return std::nullopt;
    }
    int Estimate(const CFirData& filter) const override { return EstimatePmTaps(filter); }
    SDesignOutcome Design(CFirData& filter, const SDesignJob& job) const override {
        SDesignOutcome outcome;
        if (DesignPm(filter, job.caption, &job.control))
            outcome.end = SDesignOutcome::EEnd::Designed;
        else if (job.control.CancelRequested())
            outcome.end = SDesignOutcome::EEnd::Cancelled;
        return outcome;
    }
    bool Optimize(CFirData& filter, const SDesignJob& job, OptimizerState* pState) const override {
        OptimizerState local(&filter);
        return filter.Optimize(pState ? *pState : local, filter.HasPassbandAtNyquist(), job.caption,
                               &job.control);
    }
};

} // namespace

const CDesignMethodImpl& PmMethod() {
    static const CPmMethod method;
    return method;
}

SPmSpec PmSpecOf(const CFirData& filter) {
    return {filter.Bands(),      filter.m_nResponseType,  filter.m_nGridDensity,
            filter.GetNumTaps(), filter.m_bAttnInDb != 0, filter.m_bGainInDb != 0,
            filter.m_dMinDb};
}

SMethodMessage ValidatePm(const SPmSpec& spec) {
    if (spec.responseType == PmResponseType::Hilbert && spec.bands.empty())
        return {kMsgHilbertNeedsPassband};
    bool hasPass = false;
    bool hasStop = false;
    for (const SPmBand& band : spec.bands)
        (band.IsPassband() ? hasPass : hasStop) = true;
    if (!hasPass || !hasStop)
        return {kMsgNeedPassAndStop};
    if (spec.gridDensity <= 0)
        return {kMsgGridDensityBelowOne};
    return {};
}

const char* PmEstimateProblem(const SPmSpec& spec) {
    const std::vector<SPmBand>& bands = spec.bands;
    if (bands.size() != 2)
        return kMsgEstimateTwoBands;
    if (bands[0].IsPassband() == bands[1].IsPassband())
        return kMsgEstimatePassAndStop;
    if (spec.responseType != PmResponseType::Filter)
        return kMsgEstimateResponseType;
    if (bands[0].lower > 0.001 || bands[1].upper < 0.499)
        return kMsgEstimateBandEnds;
    return nullptr;
}

// Herrmann, Rabiner and Chan: the taps of an equiripple two-band filter from the two deviations
// and the transition width.
std::optional<int> PmTapEstimate(const SPmSpec& spec) {
    if (PmEstimateProblem(spec))
        return std::nullopt;
    const SPmBand& first = spec.bands[0];
    const SPmBand& second = spec.bands[1];
    const double l1 = std::log10(1.0 / first.attn);
    const double l2 = std::log10(1.0 / second.attn);
    const double df = second.lower - first.upper;
    const double d = (0.005309 * l1 * l1 + 0.07114 * l1 - 0.4761) * l2 -
                     (0.00266 * l1 * l1 + 0.5941 * l1 + 0.4278);
    const double f = 11.01217 + 0.51244 * (l1 - l2);
    const double estimate = d / df - f * df + 3.831452 + 0.5;
    // Deviations of 1 or more (attenuation factors of 1 or less) give no usable estimate.
    if (!std::isfinite(estimate))
        return std::nullopt;
    int n = static_cast<int>(std::clamp(estimate, 0.0, 1e9));
    if (!first.IsPassband() && n % 2 == 0)
        ++n;
    return std::max(n, CFirData::kMinTaps);
}

SRemezSpec RemezSpecOf(const SPmSpec& spec, ERemezEngine engine, const CPmFir* response) {
    SRemezSpec remez;
    for (const SPmBand& band : spec.bands)
        remez.bands.push_back({band.lower, band.upper, band.desired, band.attn});
    remez.responseType = spec.responseType;
    remez.taps = spec.taps;
    remez.gridDensity = spec.gridDensity;
    remez.engine = engine;
    remez.response = response;
    return remez;
}

bool CheckPm(CFirData& filter, bool full) {
    if (ShowMethodMessage(filter, ValidatePm(PmSpecOf(filter))))
        return false;
    if (!full)
        return true;
    if (!filter.CheckMinTaps())
        return false;
    // Only a symmetric (filter) response of even length has a forced zero at Fs/2; the
    // antisymmetric differentiator and Hilbert responses of even length do not.
    if (filter.m_nResponseType == PmResponseType::Filter && filter.GetNumTaps() % 2 == 0 &&
        filter.HasPassbandAtNyquist())
        return filter.AskOddTaps();
    return true;
}

bool CheckPmForOptimize(CFirData& filter) {
    if (!CheckPm(filter, false))
        return false;
    if (filter.m_nResponseType != PmResponseType::Filter) {
        ShowMethodMessage(filter, {kMsgCannotOptimizeType});
        return false;
    }
    return true;
}

bool CanEstimatePm(const CFirData& filter, bool showMessage) {
    const char* reason = PmEstimateProblem(PmSpecOf(filter));
    if (reason && showMessage)
        ShowMethodMessage(filter, {reason});
    return reason == nullptr;
}

int EstimatePmTaps(const CFirData& filter) {
    const std::optional<int> estimate = PmTapEstimate(PmSpecOf(filter));
    if (!estimate)
        return filter.GetNumTaps();
    int n = *estimate;
    if (filter.m_nDesignType == kDesignLthBand)
        n += n % 2 != 0 ? 2 : 1;
    return n;
}
