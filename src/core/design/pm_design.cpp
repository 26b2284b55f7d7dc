#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/pm_method.h"
#include "design/remez/pm_fir.h"
#include "design/remez/remez_messages.h"
#include "response/response_types.h"

#include <algorithm>
#include <vector>

namespace {

// Designs of fewer taps run without a status display.
constexpr int kStatusDisplayTaps = 101;
// Peak power (-200 dB) at or below which a passband counts as having no gain.
constexpr double kDeadPassbandPower = 1e-20;

// The desired response and weight of the filter's band list at each grid frequency: a stopband
// of a filter or Hilbert design takes its stopband weight unless that is exactly 1.0.
class CBandListResponse : public CPmFir {
public:
    explicit CBandListResponse(const std::vector<SPmBand>& bands) : m_bands(bands) {}

    double WATE(double freq, double desired, double weight, int band, int jtype) const override {
        if (jtype == PmResponseType::Differentiator || desired != 0.0)
            return CPmFir::WATE(freq, desired, weight, band, jtype);
        const SPmBand& b = m_bands[static_cast<size_t>(band - 1)];
        return b.stopWeight != 1.0 ? b.stopWeight : b.attn;
    }

private:
    const std::vector<SPmBand>& m_bands;
};

} // namespace

bool DesignPm(CFirData& filter, const std::string& name, CDesignControl* control) {
    if (!CheckPm(filter, true))
        return false;
    filter.EnsureGridDensity();

    const CDesignRun run(control);
    CDesignControl& c = run.Control();
    SRemezResult result;
    CHost* host = filter.GetHost();
    const int taps = filter.GetNumTaps();
    if (host) {
        CDesignJob job(
            c, taps, kMsgDesigningPrefix + name,
            [&filter, &c, &result] { result = RunPm(filter, c); }, taps >= kStatusDisplayTaps);
        host->RunLongJob(job);
    } else {
        result = RunPm(filter, c);
    }

    if (!result.mathFunction.empty() && host)
        ReportMathError(*host, result.mathFunction);
    if (!c.CancelRequested() && !result.Succeeded()) {
        // Storage that could not be allocated is the whole story: the exchange never ran.
        const char* storage = RemezStatusMessage(result.status);
        ShowMethodMessage(filter, {storage ? storage : kMsgPmNoConvergence});
    }
    return result.Succeeded();
}

SRemezResult RunPm(CFirData& filter, CDesignControl& control) {
    control.m_nIteration = 0;
    control.m_nQuantProgress = 0;
    filter.m_bQuantized = 0;

    const SPmSpec spec = PmSpecOf(filter);
    const CBandListResponse response(spec.bands);
    SRemezResult result = DesignRemez(RemezSpecOf(spec, filter.m_eRemezEngine, &response),
                                      {&control.m_nIteration, &control.m_bCancel});

    if (control.CancelRequested() || !result.Succeeded()) {
        // The engine still delivers coefficients when cancelled; they are discarded, and so is
        // its success.
        result.taps.clear();
        filter.RemoveAll();
        filter.SetNumTaps(spec.taps);
        return result;
    }
    filter.LoadDesignedTaps(result.taps);
    filter.m_Response.ComputeResponse(kDefaultResponseResolution);
    filter.m_bDesignedFromSpec = 1;
    filter.PostDesign(&control);
    return result;
}

double CFirData::GetBandActual(int i) {
    double minPower = 0.0;
    double maxPower = 0.0;
    m_Response.GetPowerRange(minPower, maxPower, Band(i).lower, Band(i).upper);
    const double maxDb = ToDb(maxPower, false);
    if (IsPassband(i))
        return maxDb - ToDb(minPower, false);
    return -maxDb;
}

double CFirData::GetBandMargin(int i) {
    if (i < 0 || i >= GetNumBands())
        return -120.0;
    if (IsPassband(i)) {
        // A passband without gain has no ripple to measure, and it is no passband.
        double minPower = 0.0;
        double maxPower = 0.0;
        m_Response.GetPowerRange(minPower, maxPower, Band(i).lower, Band(i).upper);
        if (!(maxPower > kDeadPassbandPower))
            return -120.0;
    }
    const double spec = GetBandAttn(i, true);
    const double actual = GetBandActual(i);
    return IsPassband(i) ? spec - actual : actual - spec;
}

double CFirData::GetMargin() {
    if (!HasCoefficients() || GetNumBands() == 0)
        return -120.0;
    double margin = GetBandMargin(0);
    for (int i = 1; i < GetNumBands(); ++i)
        margin = std::min(margin, GetBandMargin(i));
    return margin;
}

double CFirData::GetStopbandMargin() {
    if (!HasCoefficients() || GetNumBands() == 0)
        return 0.0;
    double margin = 200.0;
    for (int i = 0; i < GetNumBands(); ++i)
        if (!IsPassband(i))
            margin = std::min(margin, GetBandMargin(i));
    return margin;
}
