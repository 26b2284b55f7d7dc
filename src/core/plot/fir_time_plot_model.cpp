#include "plot/fir_time_plot_model.h"

#include "design/fir_data.h"
#include "response/time_response.h"

#include <algorithm>

namespace {
constexpr const char* kModeTitles[] = {"Impulse Response", "Step Response",
                                       "Impulse and Step Response"};

std::string Joined(const std::string& a, const std::string& b) {
    return b.empty() ? a : a + " " + b;
}

// The graph type a binding notice asks for; -1: by the filter's real flag.
int GraphTypeOf(const SChangeNotice& notice) {
    switch (notice.shows) {
    case EViewShows::Inphase:
        return kGraphInphase;
    case EViewShows::Quadrature:
        return kGraphQuadrature;
    case EViewShows::IAndQ:
        return kGraphIAndQ;
    case EViewShows::Magnitude:
        return kGraphMagnitude;
    case EViewShows::Phase:
        return kGraphPhase;
    default:
        return -1;
    }
}
} // namespace

CFirTimePlotModel::CFirTimePlotModel(CHost* pHost) : CGraph(pHost) {}

void CFirTimePlotModel::ResetSettings() {
    CGraph::ResetSettings();
    m_pFilter = nullptr;
    m_nMode = kTimeImpulse;
}

void CFirTimePlotModel::Bind(const CFirData& filter, int mode, int type, int style) {
    m_pFilter = &filter;
    AttachSignal(&filter);
    m_nMode =
        std::clamp(mode, static_cast<int>(kTimeImpulse), static_cast<int>(kTimeImpulseAndStep));
    m_nType = (type >= kGraphInphase && type <= kGraphPhase)
                  ? type
                  : (filter.IsReal() ? kGraphInphase : kGraphIAndQ);
    m_nStyle = std::clamp(style, 0, 7);
    m_bOriginAtZero = 1;
    RequestRefit(true, true);
}

void CFirTimePlotModel::OnUpdate(const SChangeNotice& notice, const CFirData& filter) {
    switch (notice.change) {
    case EChange::Closing:
        ResetSettings();
        return;
    case EChange::BindTime:
    case EChange::BindStep:
        if (!m_pFilter)
            Bind(filter, notice.change == EChange::BindStep ? kTimeStep : kTimeImpulse,
                 GraphTypeOf(notice), notice.style);
        break;
    case EChange::SampleRate:
        ResetZoom();
        m_bRefitPending = true;
        break;
    case EChange::Coefficients:
        if (m_pFilter == &filter) {
            const bool real = filter.IsReal();
            if (real != (m_bWasReal != 0)) {
                m_bWasReal = real ? 1 : 0;
                if (real)
                    m_nType = kGraphInphase;
                else if (m_nType == kGraphInphase)
                    m_nType = kGraphIAndQ;
            }
            if (notice.resetZoom)
                ResetZoom();
            else
                KeepZoomOnNewData(const_cast<CFirData&>(filter));
        }
        break;
    default:
        break;
    }
    if (m_bRefitPending && HasData()) {
        RequestRefit(true, true);
        m_bRefitPending = false;
    }
    Refresh();
}

const CCorviData* CFirTimePlotModel::Shown() const {
    return m_nMode == kTimeStep && m_pSignal ? &m_Step : m_pSignal;
}

bool CFirTimePlotModel::HasData() const {
    return m_pFilter && m_pFilter->GetN() > 0;
}

int CFirTimePlotModel::GetCurveCount() const {
    const int n = CGraph::GetCurveCount();
    return m_nMode == kTimeImpulseAndStep && m_nType != kGraphPolar ? 2 * n : n;
}

void CFirTimePlotModel::SetMode(int mode) {
    m_nMode =
        std::clamp(mode, static_cast<int>(kTimeImpulse), static_cast<int>(kTimeImpulseAndStep));
    if (m_bHistogram) {
        RebuildStep();
        RebuildHistogram();
        ResetZoom();
    }
    RequestRefit(true, true);
    Refresh();
}

void CFirTimePlotModel::SetType(int type) {
    const bool polarChange = (type == kGraphPolar) != (m_nType == kGraphPolar);
    m_nType = type;
    if (polarChange) {
        m_bXYMode = type == kGraphPolar ? 1 : 0;
        ResetZoom();
    }
    RequestRefit(true, true);
    Refresh();
}

void CFirTimePlotModel::KeepZoomOnNewData(CFirData& filter) {
    const double shownLo = m_dXMin, shownHi = m_dXMax;
    filter.ResetRange();
    double xlo, xhi;
    filter.GetRangeX(xlo, xhi);
    double ylo = 0, yhi = 0;
    QuantityLimits(filter, ylo, yhi);
    m_zoom.ExtendTop(xlo, xhi, ylo, yhi);
    if (m_bHistogram) {
        // A histogram follows the data it counts; its zoom was of the old counts.
        RebuildStep();
        RebuildHistogram();
        if (!m_zoom.IsEmpty())
            ResetZoom();
        return;
    }
    if (m_zoom.IsEmpty()) {
        RequestRefit(true, false);
        return;
    }
    // Zoomed: the same samples stay in view while the new data holds them all (in the polar
    // type the zoom is of the axes alone); otherwise the zoom levels no longer apply.
    if (m_bXYMode)
        return;
    const double slack = 0.5 * filter.m_dDelta;
    const bool holds = shownLo >= xlo - slack && shownHi <= xhi + slack;
    if (!holds || !filter.SetRangeX(shownLo, shownHi, true))
        ResetZoom();
}

void CFirTimePlotModel::RebuildStep() {
    if (!m_pFilter || m_nMode == kTimeImpulse)
        return;
    ComputeStepResponse(*m_pFilter, m_Step);
    m_Step.SetRange(m_pFilter->m_nFirst, m_pFilter->m_nLast, false);
}

void CFirTimePlotModel::AutoScale() {
    RebuildStep();
    if (m_nMode != kTimeImpulseAndStep || m_nType == kGraphPolar) {
        // Scales what Plotted() shows.
        if (m_nMode == kTimeStep) {
            const CCorviData* saved = m_pSignal;
            m_pSignal = &m_Step;
            CGraph::AutoScale();
            m_pSignal = saved;
        } else {
            CGraph::AutoScale();
        }
        return;
    }
    double slo, shi, ilo, ihi, xlo, xhi;
    QuantityLimits(m_Step, slo, shi);
    QuantityLimits(*m_pFilter, ilo, ihi);
    m_pFilter->GetRangeX(xlo, xhi);
    m_dXMin = xlo;
    m_dXMax = xhi;
    SetAxisRanges(xlo, xhi, std::min(slo, ilo), std::max(shi, ihi));
}

void CFirTimePlotModel::BuildPoints(int& width) {
    if (m_nMode == kTimeStep) {
        const CCorviData* saved = m_pSignal;
        m_pSignal = &m_Step;
        CGraph::BuildPoints(width);
        m_pSignal = saved;
        return;
    }
    CGraph::BuildPoints(width);
    if (m_nMode == kTimeImpulseAndStep && m_nType != kGraphPolar) {
        const size_t half = static_cast<size_t>(CGraph::GetCurveCount());
        m_curves.resize(2 * half);
        BuildTypeCurves(m_Step, half, false);
    }
}

void CFirTimePlotModel::SetCurveAttributes() {
    CGraph::SetCurveAttributes();
    if (m_nMode == kTimeStep) {
        for (SCurveAttributes& a : m_attributes)
            a.m_strName = Joined("Step", a.m_strName);
    } else if (m_nMode == kTimeImpulseAndStep && m_nType != kGraphPolar) {
        const size_t half = static_cast<size_t>(CGraph::GetCurveCount());
        m_attributes.resize(2 * half);
        int color = PaletteIndex(m_attributes[half - 1].m_color);
        for (size_t i = 0; i < half; ++i) {
            m_attributes[half + i].m_strName = Joined("Step", m_attributes[i].m_strName);
            m_attributes[half + i].m_color = PaletteColor(++color);
            m_attributes[i].m_strName = Joined("Impulse", m_attributes[i].m_strName);
        }
    }
}

int CFirTimePlotModel::UpdateTitles(int xPower, int& yDisplayPower) {
    if (m_nMode == kTimeStep) {
        const CCorviData* saved = m_pSignal;
        m_pSignal = &m_Step;
        xPower = CGraph::UpdateTitles(xPower, yDisplayPower);
        m_pSignal = saved;
    } else {
        xPower = CGraph::UpdateTitles(xPower, yDisplayPower);
    }
    if (m_bAutoTitles && m_pFilter) {
        const std::string title = kModeTitles[m_nMode - kTimeImpulse];
        m_strTitle = m_pFilter->m_bQuantized ? std::string("Quantized ").append(title) : title;
    }
    return xPower;
}

bool CFirTimePlotModel::SetXRange(double lo, double hi) {
    if (m_bHistogram)
        return CGraph::SetXRange(lo, hi);
    if (!m_pFilter || !(hi > lo))
        return false;
    auto* filter = const_cast<CFirData*>(m_pFilter);
    if (!filter->SetRangeX(lo, hi, false))
        return false;
    filter->GetRangeX(m_dXMin, m_dXMax);
    m_Step.SetRange(filter->m_nFirst, filter->m_nLast, false);
    return true;
}

void CFirTimePlotModel::ResetZoom() {
    if (m_bHistogram) {
        CGraph::ResetZoom();
        return;
    }
    CPlot::ResetZoom();
    if (m_pFilter) {
        const_cast<CFirData*>(m_pFilter)->ResetRange();
        RequestRefit(true, true);
    }
}
