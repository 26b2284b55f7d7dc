#include "design/pm_method.h"

#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/optimizer.h"
#include "support/format_number.h"

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
        return PmBandsProblem(filter);
    }
    // The band list, the tap minimum and, for a filter response of an even count with a
    // passband at Fs/2, the odd-taps question.
    bool Check(CFirData& filter) const override { return filter.ValidateSpec(true); }
    std::optional<SMethodMessage> CannotEstimate(const CFirData& filter) const override {
        if (const char* reason = PmEstimateProblem(filter))
            return SMethodMessage{reason};
        return std::nullopt;
    }
    int Estimate(const CFirData& filter) const override { return filter.EstimatePmTaps(); }
    SDesignOutcome Design(CFirData& filter, const SDesignJob& job) const override {
        SDesignOutcome outcome;
        if (filter.DesignPm(job.caption, &job.control))
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

SMethodMessage PmBandsProblem(const CFirData& filter) {
    const int n = filter.GetNumBands();
    if (filter.m_nResponseType == PmResponseType::Hilbert && n == 0)
        return {kMsgHilbertNeedsPassband};
    bool hasPass = false;
    bool hasStop = false;
    for (int i = 0; i < n; ++i)
        (filter.IsPassband(i) ? hasPass : hasStop) = true;
    if (!hasPass || !hasStop)
        return {kMsgNeedPassAndStop};
    if (filter.m_nGridDensity <= 0)
        return {kMsgGridDensityBelowOne};
    return {};
}

const char* PmEstimateProblem(const CFirData& filter) {
    if (filter.GetNumBands() != 2)
        return kMsgEstimateTwoBands;
    if (filter.IsPassband(0) == filter.IsPassband(1))
        return kMsgEstimatePassAndStop;
    if (filter.m_nResponseType != PmResponseType::Filter)
        return kMsgEstimateResponseType;
    if (filter.Band(0).lower > 0.001 || filter.Band(1).upper < 0.499)
        return kMsgEstimateBandEnds;
    return nullptr;
}
