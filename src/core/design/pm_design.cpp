#include "design/design_job.h"
#include "design/design_messages.h"
#include "design/fir_data.h"
#include "design/remez/remez_messages.h"
#include "response/response_types.h"

#include <algorithm>
#include <vector>

namespace {

// Designs of fewer taps run without a status display.
constexpr int kStatusDisplayTaps = 101;
// Peak power (-200 dB) at or below which a passband counts as having no gain.
constexpr double kDeadPassbandPower = 1e-20;

} // namespace

double CFirData::WATE(double freq, double desired, double weight, int band, int jtype) const {
    if (jtype == PmResponseType::Differentiator || desired != 0.0)
        return CPmFir::WATE(freq, desired, weight, band, jtype);
    const double stopWeight = GetBandStopWeight(band - 1);
    return stopWeight != 1.0 ? stopWeight : GetBandAttnFactor(band - 1);
}

bool CFirData::DesignPm(const std::string& name, CDesignControl* control) {
    if (!ValidateSpec(true))
        return false;
    EnsureGridDensity();

    const CDesignRun run(control);
    CDesignControl& c = run.Control();
    m_bResult = 0;
    CHost* host = GetHost();
    if (host) {
        CDesignJob job(
            c, m_nTaps, kMsgDesigningPrefix + name, [this, &c] { RunPm(c); },
            m_nTaps >= kStatusDisplayTaps);
        host->RunLongJob(job);
    } else {
        RunPm(c);
    }

    if (!m_strMathFunction.empty() && host)
        ReportMathError(*host, m_strMathFunction);
    if (!c.CancelRequested() && !m_bResult) {
        // Storage that could not be allocated is the whole story: the exchange never ran.
        const char* storage = RemezStatusMessage(m_eRemezStatus);
        Report(storage ? storage : kMsgPmNoConvergence);
    }
    return m_bResult != 0;
}

void CFirData::RunPm(CDesignControl& control) {
    control.m_nIteration = 0;
    control.m_nQuantProgress = 0;
    m_bQuantized = 0;

    const int taps = m_nTaps;
    std::vector<double> h(static_cast<size_t>(std::max(taps, 0)));
    m_eRemezStatus = ERemezStatus::Success;
    CRemezContext engine;
    engine.SetEngine(m_eRemezEngine);
    m_bResult = engine.PMFir(m_Edges.data(), GetNumBands(), *this, m_nResponseType, taps,
                             m_nGridDensity, m_Desired.data(), m_Attn.data(), h.data(),
                             &control.m_nIteration, &control.m_bCancel);
    m_eRemezStatus = engine.Status();
    m_strMathFunction = engine.MathFunction();

    if (control.CancelRequested() || !m_bResult) {
        // The engine still delivers coefficients when cancelled; they are discarded, and so is
        // its success.
        m_bResult = 0;
        RemoveAll();
        SetNumTaps(taps);
        return;
    }
    RemoveAll();
    for (double value : h) {
        m_pI->Add(value);
        m_pQ->Add(0.0);
    }
    m_bReal = 1;
    const CFs fs = m_Fs;
    ApplyFs(fs);
    ResetRange();
    m_nWindow = -1;
    m_Response.ComputeResponse(kDefaultResponseResolution);
    m_bDesignedFromSpec = 1;
    PostDesign(&control);
}

double CFirData::GetBandActual(int i) {
    double minPower = 0.0;
    double maxPower = 0.0;
    m_Response.GetPowerRange(minPower, maxPower, GetBandLower(i), GetBandUpper(i));
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
        m_Response.GetPowerRange(minPower, maxPower, GetBandLower(i), GetBandUpper(i));
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
