#include "plot/fir_time_plot_model.h"

#include "design/fir_data.h"
#include "response/time_response.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr const char* kModeTitles[] = {"Impulse Response", "Step Response",
                                       "Impulse and Step Response"};

std::string Joined(const std::string& a, const std::string& b) {
    return b.empty() ? a : a + " " + b;
}

// Shows the samples of data whose times, scaled, lie in lo..hi; false (the range unchanged)
// when none does or too few to show.
bool ShowTimes(CCorviData& data, double scale, double lo, double hi) {
    const int n = data.GetN();
    if (n == 0 || !(scale > 0))
        return false;
    const double slack = 0.5 * data.m_dDelta * scale;
    if (hi < data.IndexToX(0) * scale - slack || lo > data.IndexToX(n - 1) * scale + slack)
        return false;
    return data.SetRangeX(lo / scale, hi / scale, false);
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
    SetCompare(nullptr, "", "");
}

void CFirTimePlotModel::SetCompare(const CFirData* other, const std::string& ownName,
                                   const std::string& otherName) {
    m_bCompare = other && other->GetN() > 0;
    m_strOwnName = ownName;
    m_strCompareName = otherName;
    if (m_bCompare) {
        m_CompareImpulse.Copy(*other, other->GetN());
        ComputeStepResponse(m_CompareImpulse, m_CompareStep);
    } else {
        m_CompareImpulse.RemoveAll();
        m_CompareStep.RemoveAll();
    }
    if (!m_pFilter || m_bHistogram) {
        m_bOwnInView = m_bCompareInView = true;
        RequestRefit(true, true);
    } else if (m_zoom.IsEmpty()) {
        ResetZoom();
    } else if (ShowsCompare() ? !SetComparedXRange(m_dXMin, m_dXMax) : !m_bOwnInView) {
        // The zoomed range no longer shows anything.
        ResetZoom();
    } else {
        m_bCompareInView = m_bCompareInView || !ShowsCompare();
        RequestRefit(false, true);
    }
    Refresh();
}

bool CFirTimePlotModel::ShowsCompare() const {
    return m_bCompare && !m_bHistogram && m_nType != kGraphPolar && HasData();
}

double CFirTimePlotModel::CompareTimeScale() const {
    double own = 1, other = 1;
    if (m_pFilter)
        m_pFilter->GetFs(&own);
    m_CompareImpulse.GetFs(&other);
    return own > 0 && other > 0 ? own / other : 1.0;
}

int CFirTimePlotModel::OwnCurveCount() const {
    const int n = CGraph::GetCurveCount();
    return m_nMode == kTimeImpulseAndStep && m_nType != kGraphPolar ? 2 * n : n;
}

std::vector<const CCorviData*> CFirTimePlotModel::ShownOf(bool compare) const {
    const CCorviData* impulse = compare ? &m_CompareImpulse : m_pFilter;
    const CCorviData* step = compare ? &m_CompareStep : &m_Step;
    if (m_nMode == kTimeImpulse)
        return {impulse};
    if (m_nMode == kTimeStep)
        return {step};
    return {impulse, step};
}

int CFirTimePlotModel::ReductionCount(const CCorviData& data) const {
    const int own = m_bOwnInView ? CGraph::ReductionCount(data) : 0;
    if (!ShowsCompare() || !m_bCompareInView)
        return own;
    return std::max(own, m_CompareImpulse.m_nLast - m_CompareImpulse.m_nFirst + 1);
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
    return ShowsCompare() ? 2 * OwnCurveCount() : OwnCurveCount();
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
    if (ShowsCompare()) {
        if (!SetComparedXRange(shownLo, shownHi))
            ResetZoom();
        return;
    }
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
    if (ShowsCompare()) {
        AutoScaleCompared();
        return;
    }
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

void CFirTimePlotModel::AutoScaleCompared() {
    bool any = false;
    double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
    const auto extend = [&](const CCorviData& d, double scale) {
        double a, b, c, e;
        d.GetRangeX(a, b);
        QuantityLimits(d, c, e);
        xlo = any ? std::min(xlo, a * scale) : a * scale;
        xhi = any ? std::max(xhi, b * scale) : b * scale;
        ylo = any ? std::min(ylo, c) : c;
        yhi = any ? std::max(yhi, e) : e;
        any = true;
    };
    if (m_bOwnInView)
        for (const CCorviData* d : ShownOf(false))
            extend(*d, 1.0);
    if (m_bCompareInView)
        for (const CCorviData* d : ShownOf(true))
            extend(*d, CompareTimeScale());
    if (!any)
        return;
    if (m_X.m_bLog && xlo <= 0)
        LogAxisStart(m_bOwnInView ? static_cast<const CCorviData&>(*m_pFilter) : m_CompareImpulse,
                     xlo, xhi);
    m_dXMin = xlo;
    m_dXMax = xhi;
    SetAxisRanges(xlo, xhi, ylo, yhi);
}

void CFirTimePlotModel::BuildPoints(int& width) {
    if (m_nMode == kTimeStep) {
        const CCorviData* saved = m_pSignal;
        m_pSignal = &m_Step;
        CGraph::BuildPoints(width);
        m_pSignal = saved;
        BuildComparedPoints();
        return;
    }
    CGraph::BuildPoints(width);
    if (m_nMode == kTimeImpulseAndStep && m_nType != kGraphPolar) {
        const size_t half = static_cast<size_t>(CGraph::GetCurveCount());
        m_curves.resize(2 * half);
        BuildTypeCurves(m_Step, half, false);
    }
    BuildComparedPoints();
}

void CFirTimePlotModel::BuildComparedPoints() {
    if (!ShowsCompare())
        return;
    m_curves.resize(static_cast<size_t>(OwnCurveCount()));
    if (!m_bOwnInView) {
        m_x.clear();
        m_counts.clear();
        for (std::vector<double>& c : m_curves)
            c.clear();
    }
    if (m_bCompareInView)
        for (const CCorviData* d : ShownOf(true))
            BuildTypeCurvesAt(*d, CompareTimeScale());
    m_curves.resize(static_cast<size_t>(GetCurveCount()));
}

void CFirTimePlotModel::SetCurveAttributes() {
    SetOwnCurveAttributes();
    if (!ShowsCompare())
        return;
    // The other filter's curves in the palette colours after the filter's.
    int color = 0;
    for (const SCurveAttributes& a : m_attributes)
        color = std::max(color, PaletteIndex(a.m_color));
    const size_t own = m_attributes.size();
    for (size_t i = 0; i < own; ++i) {
        SCurveAttributes a = m_attributes[i];
        m_attributes[i].m_strName = Joined(m_strOwnName, a.m_strName);
        a.m_strName = Joined(m_strCompareName, a.m_strName);
        a.m_color = PaletteColor(++color);
        m_attributes.push_back(a);
    }
}

void CFirTimePlotModel::SetOwnCurveAttributes() {
    CGraph::SetCurveAttributes();
    m_attributes.resize(static_cast<size_t>(CGraph::GetCurveCount()));
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
    if (ShowsCompare())
        return SetComparedXRange(lo, hi);
    auto* filter = const_cast<CFirData*>(m_pFilter);
    if (!filter->SetRangeX(lo, hi, false))
        return false;
    filter->GetRangeX(m_dXMin, m_dXMax);
    m_Step.SetRange(filter->m_nFirst, filter->m_nLast, false);
    return true;
}

bool CFirTimePlotModel::SetComparedXRange(double lo, double hi) {
    auto* filter = const_cast<CFirData*>(m_pFilter);
    const double scale = CompareTimeScale();
    const bool own = ShowTimes(*filter, 1.0, lo, hi);
    const bool other = ShowTimes(m_CompareImpulse, scale, lo, hi);
    if (!own && !other)
        return false;
    m_bOwnInView = own;
    m_bCompareInView = other;
    m_Step.SetRange(filter->m_nFirst, filter->m_nLast, false);
    m_CompareStep.SetRange(m_CompareImpulse.m_nFirst, m_CompareImpulse.m_nLast, false);
    double a = 0, b = 0;
    bool any = false;
    const auto extend = [&](const CCorviData& data, double s) {
        double x1, x2;
        data.GetRangeX(x1, x2);
        a = any ? std::min(a, x1 * s) : x1 * s;
        b = any ? std::max(b, x2 * s) : x2 * s;
        any = true;
    };
    if (own)
        extend(*filter, 1.0);
    if (other)
        extend(m_CompareImpulse, scale);
    m_dXMin = a;
    m_dXMax = b;
    return true;
}

void CFirTimePlotModel::ResetZoom() {
    if (m_bHistogram) {
        CGraph::ResetZoom();
        return;
    }
    CPlot::ResetZoom();
    m_bOwnInView = m_bCompareInView = true;
    m_CompareImpulse.ResetRange();
    m_CompareStep.ResetRange();
    if (m_pFilter) {
        const_cast<CFirData*>(m_pFilter)->ResetRange();
        RequestRefit(true, true);
    }
}

std::string CFirTimePlotModel::ReadoutText(int index, int curve) {
    if (!ShowsCompare())
        return CGraph::ReadoutText(index, curve);
    // The filter's own readout, then the other filter's point nearest in time.
    const size_t own = static_cast<size_t>(OwnCurveCount());
    std::vector<std::vector<double>> compared(m_curves.begin() + static_cast<long>(own),
                                              m_curves.end());
    m_curves.resize(own);
    std::string s = CGraph::ReadoutText(index, curve);
    m_curves.insert(m_curves.end(), compared.begin(), compared.end());
    const std::vector<double>& xs = XColumnOf(own);
    if (s.rfind("X=", 0) != 0 || xs.empty() || compared.empty() || index < 0 ||
        static_cast<size_t>(index) >= m_x.size())
        return s;
    const double x = m_x[static_cast<size_t>(index)];
    const auto nearest = std::min_element(xs.begin(), xs.end(), [x](double a, double b) {
        return std::fabs(a - x) < std::fabs(b - x);
    });
    const size_t i = static_cast<size_t>(nearest - xs.begin());
    s += "; " + m_strCompareName + ": X=" + FormatNumber(xs[i], 6, true);
    if (i < compared[0].size())
        s += ", Y=" + FormatNumber(compared[0][i], 6, true);
    return s;
}

std::string CFirTimePlotModel::GetPlotFileText(bool withTitles) const {
    if (!ShowsCompare())
        return CGraph::GetPlotFileText(withTitles);
    std::string out;
    if (withTitles)
        out += m_strTitle + "\r\n" + m_strYTitle + "\r\n" + m_strXTitle + "\r\n";
    // As the plain plot file: at most two curves of each filter, no point a log axis cannot show.
    const size_t own = static_cast<size_t>(OwnCurveCount());
    const size_t written = std::min<size_t>(2, own);
    const auto lines = [&](size_t first) {
        const std::vector<double>& xs = XColumnOf(first);
        const size_t n = first < m_curves.size() ? std::min(xs.size(), m_curves[first].size()) : 0;
        for (size_t i = 0; i < n; ++i) {
            if (m_workX.bLog && xs[i] <= 0)
                continue;
            std::string line = StrPrintf("%g", xs[i]);
            bool writable = true;
            for (size_t c = first; c < first + written && c < m_curves.size(); ++c) {
                writable = writable && !(m_workY.bLog && m_curves[c][i] <= 0);
                line += StrPrintf("   %g", m_curves[c][i]);
            }
            if (writable)
                out += line + "\r\n";
        }
    };
    lines(0);
    out += "# compare " + m_strCompareName + "\r\n";
    lines(own);
    return out;
}
