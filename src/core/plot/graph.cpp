#include "plot/graph.h"

#include "data/corvi_data.h"
#include "plot/plot_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr const char* kTypeYTitles[] = {"Inphase Amplitude", "Quadrature Amplitude",
                                        "I and Q Amplitudes", "Complex Magnitude",
                                        "Complex Phase in Degrees"};
} // namespace

CGraph::CGraph(CHost* pHost) : CPlot(pHost) {}

void CGraph::ResetSettings() {
    m_pSignal = nullptr;
    m_nType = -1;
    m_bDb = 1;
    m_bSumMode = 1;
    m_bIntegerReduction = 0;
    m_bWasReal = 1;
    m_nPerPoint = 0;
    m_dPerPoint = 0;
    m_bHistogram = 0;
    m_bHistogramTitles = 0;
    m_bXYMode = 0;
    m_nLastReadout = -1;
    ResetZoom();
    Refresh();
}

void CGraph::AttachSignal(const CCorviData* pSignal) {
    m_pSignal = pSignal;
    if (pSignal) {
        m_bDb = pSignal->m_bTime ? 0 : 1;
        m_bWasReal = pSignal->IsReal() ? 1 : 0;
    }
    Refresh();
}

const CCorviData* CGraph::Plotted() const {
    if (m_bHistogram && m_pSignal)
        return &m_Histogram;
    return Shown();
}

bool CGraph::HasData() const {
    return m_pSignal && m_pSignal->GetN() > 0;
}

int CGraph::GetCurveCount() const {
    return (m_nType == kGraphIAndQ || m_nType == kGraphPolar) ? 2 : 1;
}

int CGraph::GetAutoStyle() const {
    if (m_bHistogram)
        return kStyleBar;
    const CCorviData* d = Plotted();
    if (d && !d->m_bTime)
        return kStyleVLine;
    const int n = d ? d->m_nLast - d->m_nFirst + 1 : 0;
    return n > 256 ? kStyleLine : kStyleLineDot;
}

double CGraph::ToDisplayPower(const CCorviData& data, double power) const {
    return m_bDb ? data.ToDb(power, true) : std::sqrt(power);
}

void CGraph::QuantityLimits(const CCorviData& data, double& lo, double& hi) const {
    switch (m_nType) {
    case kGraphQuadrature:
        data.GetQuantityRange(CCorviData::Quadrature, lo, hi);
        break;
    case kGraphIAndQ: {
        double a, b;
        data.GetQuantityRange(CCorviData::Inphase, lo, hi);
        data.GetQuantityRange(CCorviData::Quadrature, a, b);
        lo = std::min(lo, a);
        hi = std::max(hi, b);
        break;
    }
    case kGraphMagnitude:
        data.GetQuantityRange(CCorviData::Power, lo, hi);
        lo = ToDisplayPower(data, lo);
        hi = ToDisplayPower(data, hi);
        break;
    case kGraphPhase:
        data.GetQuantityRange(CCorviData::Phase, lo, hi);
        break;
    default:
        data.GetQuantityRange(CCorviData::Inphase, lo, hi);
        break;
    }
}

void CGraph::AutoScale() {
    const CCorviData* d = Plotted();
    if (!d || d->GetN() == 0)
        return;
    double xlo, xhi, ylo, yhi;
    if (m_nType == kGraphPolar) {
        m_bXYMode = 1;
        d->GetQuantityRange(CCorviData::Inphase, xlo, xhi);
        d->GetQuantityRange(CCorviData::Quadrature, ylo, yhi);
        const double span = std::max(xhi - xlo, yhi - ylo);
        if (xhi - xlo < span)
            xhi = xlo + span;
        else
            yhi = ylo + span;
    } else {
        d->GetRangeX(xlo, xhi);
        QuantityLimits(*d, ylo, yhi);
        if (m_X.m_bLog && xlo <= 0)
            LogAxisStart(*d, xlo, xhi);
        m_dXMin = xlo;
        m_dXMax = xhi;
    }
    SetAxisRanges(xlo, xhi, ylo, yhi);
}

void CGraph::LogAxisStart(const CCorviData& data, double& xlo, double xhi) {
    const double half = data.IndexToX(data.m_nFirst + 1) / 2;
    const double c = half > 0 ? std::pow(10.0, std::floor(std::log10(half))) : 1.0;
    xlo = xhi < 10 * c ? xhi / 10 : c;
}

std::string CGraph::TypeYTitle(const CCorviData& data) const {
    if (m_nType == kGraphMagnitude && !data.m_bTime)
        return m_bDb ? FormatMessage(PlotMessages::kUnitTitle, {"Complex Power", data.m_strUnits})
                     : std::string("Complex Power");
    if (m_nType >= 0 && m_nType < 5)
        return kTypeYTitles[m_nType];
    return kTypeYTitles[0];
}

std::string CGraph::ReductionSuffix() const {
    const CCorviData* d = Plotted();
    const bool reduced = std::any_of(m_counts.begin(), m_counts.end(), [](int n) { return n > 1; });
    if (!d || !reduced)
        return std::string();
    std::string s;
    if (m_dPerPoint > 1.0)
        s = StrPrintf(" (%1.1lf:1", m_dPerPoint);
    else if (m_nPerPoint == 0) // grouped by device column on a log axis
        s = " (Variable Spacing";
    else if (!d->m_bTime)
        s = " (Line Spacing = " + FormatNumber(m_nPerPoint * d->m_dDelta, 3, true);
    else
        s = StrPrintf(" (%1d:1", m_nPerPoint);
    s += (!d->m_bTime && m_bSumMode) ? ", Sum Mode" : ", Peak Mode";
    return s + ")";
}

int CGraph::UpdateTitles(int xPower, int& yDisplayPower) {
    const CCorviData* d = Plotted();
    if (!d)
        return xPower;
    if (m_bHistogramTitles) {
        m_bHistogramTitles = 0;
        m_bAutoTitles = 0;
        m_strXTitle = m_strYTitle;
        m_strYTitle = "Number of Samples";
        m_strTitle = std::string("Histogram of ").append(m_strTitle);
    }
    if (!m_bAutoTitles)
        return xPower;
    if (m_nType == kGraphPolar) {
        m_strXTitle = "Inphase";
        m_strYTitle = "Quadrature";
        m_strTitle = d->m_strName;
        return xPower;
    }
    int p = xPower;
    const std::string unit = d->GetXUnitLabel(p);
    const std::string word = d->m_bTime ? "Time" : "Frequency";
    m_strXTitle = (unit.empty() ? word : FormatMessage(PlotMessages::kUnitTitle, {word, unit})) +
                  ReductionSuffix();
    m_strYTitle = TypeYTitle(*d);
    m_strTitle = d->m_strName;
    (void)yDisplayPower;
    return unit.empty() ? xPower : p;
}

int CGraph::ChooseReduction(const CCorviData& data, int width) {
    m_nPerPoint = 0;
    m_dPerPoint = 0;
    const int n = ReductionCount(data);
    if (width < 1)
        return width;
    if (m_workX.bLog) {
        if (m_bIntegerReduction)
            m_nPerPoint = LogSamplesPerPoint(data, width);
        return width;
    }
    if (width >= n)
        return width;
    const double c = m_bXYMode ? 4096.0 : n;
    if (m_bIntegerReduction) {
        const double k = std::ceil(c / width);
        width = static_cast<int>(RoundHalfAway(c / k));
        m_nPerPoint = static_cast<int>(std::ceil(c / width));
    } else {
        double e = std::ceil(4 * c / width) / 4;
        if (e > 5)
            e = std::ceil(e);
        width = std::max(1, static_cast<int>(RoundHalfAway(c / e)));
        m_dPerPoint = c / width;
    }
    return width;
}

int CGraph::LogSamplesPerPoint(const CCorviData& data, int width) const {
    const double lo = std::log10(m_workX.dMin), hi = std::log10(m_workX.dMax);
    const double dx = data.m_nLast > data.m_nFirst
                          ? data.IndexToX(data.m_nFirst + 1) - data.IndexToX(data.m_nFirst)
                          : 0.0;
    if (!(hi > lo) || !(dx > 0))
        return 1;
    // The samples one device column holds 40 % of the way along the axis.
    const double at = lo + 0.4 * (hi - lo);
    const double samples = (std::pow(10.0, at + (hi - lo) / width) - std::pow(10.0, at)) / dx;
    return std::max(1, static_cast<int>(std::min(samples, 1e9)));
}

void CGraph::BuildPoints(int& width) {
    m_counts.clear();
    m_x.clear();
    const CCorviData* d = Plotted();
    if (!d || d->GetN() == 0)
        return;
    if (m_bXYMode) {
        m_nPerPoint = m_dPerPoint = 0;
        m_curves.assign(2, {});
        for (int i = d->m_nFirst; i <= d->m_nLast; ++i) {
            m_curves[0].push_back(d->GetQuantity(i, CCorviData::Inphase));
            m_curves[1].push_back(d->GetQuantity(i, CCorviData::Quadrature));
            m_x.push_back(m_curves[0].back());
            m_counts.push_back(1);
        }
        return;
    }
    width = ChooseReduction(*d, width);
    m_mapX.Set(m_workX.dMin, m_workX.dMax, m_workX.bLog, m_mapX.Edge(), width);
    m_curves.assign(static_cast<size_t>(GetCurveCount()), {});
    BuildTypeCurves(*d, 0, true);
}

void CGraph::BuildTypeCurves(const CCorviData& data, size_t first, bool buildX) {
    if (m_curves.size() < first + 1)
        m_curves.resize(first + 1);
    switch (m_nType) {
    case kGraphQuadrature:
        BuildReducedCurve(data, CCorviData::Quadrature, m_curves[first], buildX);
        break;
    case kGraphIAndQ:
        if (m_curves.size() < first + 2)
            m_curves.resize(first + 2);
        BuildReducedCurve(data, CCorviData::Inphase, m_curves[first], buildX);
        BuildReducedCurve(data, CCorviData::Quadrature, m_curves[first + 1], false);
        break;
    case kGraphMagnitude:
        BuildReducedCurve(data, CCorviData::Power, m_curves[first], buildX);
        break;
    case kGraphPhase:
        BuildReducedCurve(data, CCorviData::Phase, m_curves[first], buildX);
        break;
    default:
        BuildReducedCurve(data, CCorviData::Inphase, m_curves[first], buildX);
        break;
    }
}

void CGraph::BuildTypeCurvesAt(const CCorviData& data, double xScale) {
    std::vector<int> kinds;
    switch (m_nType) {
    case kGraphQuadrature:
        kinds = {CCorviData::Quadrature};
        break;
    case kGraphIAndQ:
        kinds = {CCorviData::Inphase, CCorviData::Quadrature};
        break;
    case kGraphMagnitude:
        kinds = {CCorviData::Power};
        break;
    case kGraphPhase:
        kinds = {CCorviData::Phase};
        break;
    default:
        kinds = {CCorviData::Inphase};
        break;
    }
    for (const int kind : kinds) {
        m_curveX.resize(m_curves.size());
        m_curves.emplace_back();
        m_curveX.emplace_back();
        BuildReducedCurveAt(data, kind, xScale, m_curves.back(), &m_curveX.back(), nullptr);
    }
}

int CGraph::GroupEnd(int i, int first, int last, double x0, double dx) const {
    if (m_nPerPoint > 0)
        return std::min(last + 1, i + m_nPerPoint);
    if (!(m_dPerPoint > 0 || m_workX.bLog) || !m_mapX.IsValid())
        return i + 1;
    const auto columnOf = [&](int j) { return m_mapX.ToDeviceX(x0 + (j - first) * dx); };
    const int column = columnOf(i);
    int end = i + 1;
    if (!m_workX.bLog && dx > 0) {
        // Jump to where the next column starts, then settle on the exact boundary.
        const double guess = std::ceil((m_mapX.FromDeviceX(column + 1) - x0) / dx) + first;
        end = static_cast<int>(
            std::clamp(guess, static_cast<double>(i + 1), static_cast<double>(last + 1)));
        while (end > i + 1 && columnOf(end - 1) != column)
            --end;
    }
    while (end <= last && columnOf(end) == column)
        ++end;
    return end;
}

void CGraph::BuildReducedCurve(const CCorviData& data, int kind, std::vector<double>& out,
                               bool buildX) {
    BuildReducedCurveAt(data, kind, 1.0, out, buildX ? &m_x : nullptr,
                        buildX ? &m_counts : nullptr);
}

void CGraph::BuildReducedCurveAt(const CCorviData& data, int kind, double xScale,
                                 std::vector<double>& out, std::vector<double>* xs,
                                 std::vector<int>* counts) {
    const int first = data.m_nFirst, last = data.m_nLast;
    if (last < first)
        return;
    const bool power = kind == CCorviData::Power;
    const bool sum = power && m_bSumMode && !data.m_bTime;
    const double x0 = data.IndexToX(first) * xScale;
    const double dx = last > first ? data.IndexToX(first + 1) * xScale - x0 : 0.0;
    out.reserve(out.size() + static_cast<size_t>(std::min(last - first + 1, 1 << 16)));
    // Reads the samples straight from the columns where the indexes need no mapping.
    const bool direct = first >= 0 && last < data.GetN();
    const double* re = data.m_pI->GetData();
    const double* im = data.m_pQ->GetData();
    const auto reduce = [&](auto value) {
        for (int i = first; i <= last;) {
            const int end = GroupEnd(i, first, last, x0, dx);
            int best = i;
            double bestAbs = -1, total = 0;
            for (int j = i; j < end; ++j) {
                const double v = value(j);
                total += v;
                if (std::fabs(v) > bestAbs) {
                    bestAbs = std::fabs(v);
                    best = j;
                }
            }
            double result = sum ? total : value(best);
            if (power)
                result = ToDisplayPower(data, result);
            out.push_back(result);
            if (xs)
                xs->push_back(x0 + (best - first) * dx);
            if (counts)
                counts->push_back(end - i);
            i = end;
        }
    };
    if (direct && kind == CCorviData::Inphase)
        reduce([re](int j) { return re[j]; });
    else if (direct && kind == CCorviData::Quadrature)
        reduce([im](int j) { return im[j]; });
    else if (direct && power)
        reduce([re, im](int j) { return re[j] * re[j] + im[j] * im[j]; });
    else
        reduce([&data, kind](int j) { return data.GetQuantity(j, kind); });
}

void CGraph::SetCurveAttributes() {
    m_attributes.assign(m_curves.size(), {});
    if (m_nType == kGraphIAndQ && m_attributes.size() >= 2) {
        m_attributes[0] = {"I", PaletteColor(0), false};
        m_attributes[1] = {"Q", PaletteColor(1), false};
        return;
    }
    for (SCurveAttributes& a : m_attributes)
        a.m_color = m_nType == kGraphQuadrature ? PaletteColor(1) : PaletteColor(0);
}

bool CGraph::SetXRange(double lo, double hi) {
    if (!m_pSignal || !(hi > lo))
        return false;
    auto* d = const_cast<CCorviData*>(Plotted());
    if (!d->SetRangeX(lo, hi, false))
        return false;
    d->GetRangeX(m_dXMin, m_dXMax);
    return true;
}

void CGraph::ResetZoom() {
    CPlot::ResetZoom();
    if (m_pSignal) {
        const_cast<CCorviData*>(Plotted())->ResetRange();
        RequestRefit(true, true);
    }
}

int CGraph::HitTest(int x, int y, int& curve) const {
    curve = 0;
    if (m_x.empty() || !m_mapX.IsValid() || !m_mapY.IsValid())
        return -1;
    const bool byDistance =
        m_nType == kGraphIAndQ || m_nType == kGraphPolar || GetStyle() == kStyleBar;
    if (!byDistance)
        return CPlot::HitTest(x, y, curve);
    const double vx = m_mapX.FromDeviceX(x), vy = m_mapY.FromDeviceY(y);
    const double sx = m_workX.dMax - m_workX.dMin, sy = m_workY.dMax - m_workY.dMin;
    const auto distance = [&](double px, double py) {
        const double a = (px - vx) / sx, b = (py - vy) / sy;
        return a * a + b * b;
    };
    int best = -1;
    double bestD = std::numeric_limits<double>::infinity();
    const size_t curves = m_nType == kGraphIAndQ ? std::min<size_t>(2, m_curves.size()) : 1;
    for (size_t i = 0; i < m_x.size(); ++i) {
        for (size_t c = 0; c < curves; ++c) {
            const double px = m_nType == kGraphPolar ? m_curves[0][i] : m_x[i];
            const double py = m_nType == kGraphPolar ? m_curves[1][i] : m_curves[c][i];
            const double d = distance(px, py);
            if (d < bestD) {
                bestD = d;
                best = static_cast<int>(i);
                curve = static_cast<int>(c);
            }
        }
    }
    return best;
}

std::string CGraph::ReadoutText(int index, int /*curve*/) {
    const CCorviData* d = Plotted();
    if (!d || index < 0 || static_cast<size_t>(index) >= m_x.size())
        return kReadyText;
    // The sample a point shows.
    const int sample = m_nPerPoint > 0 || m_dPerPoint > 0 || m_workX.bLog ? d->XToIndex(m_x[index])
                                                                          : d->m_nFirst + index;
    if (m_nLastReadout == sample) {
        m_nLastReadout = -1;
        const double re = d->GetQuantity(sample, CCorviData::Inphase);
        const double im = d->GetQuantity(sample, CCorviData::Quadrature);
        const double phase = (re == 0 && im == 0) ? 0.0 : std::atan2(im, re) * 180.0 / M_PI;
        const double power = re * re + im * im;
        const bool db = m_bDb && !d->m_bTime;
        std::string mag = db ? FormatNumber(d->ToDb(power, true), 2, false) + " " + d->m_strUnits
                             : FormatNumber(std::sqrt(power), 2, false);
        return "Bin " + std::to_string(sample) + ": I=" + FormatNumber(re, 3, true) +
               ", Q=" + FormatNumber(im, 3, true) + ", Mag=" + mag +
               ", Phase=" + FormatNumber(phase, 3, true) + " deg";
    }
    m_nLastReadout = sample;
    std::string s = "X=" + FormatNumber(m_x[index], 6, true) + ", ";
    if (m_curves.size() >= 2)
        s += "Y1=" + FormatNumber(m_curves[0][index], 6, true) +
             ", Y2=" + FormatNumber(m_curves[1][index], 6, true);
    else if (!m_curves.empty())
        s += "Y=" + FormatNumber(m_curves[0][index], 6, true);
    const int count = index < static_cast<int>(m_counts.size()) ? m_counts[index] : 1;
    int p = 0;
    const std::string unit = d->GetXUnitLabel(p);
    s += ", Width=" + FormatNumber(count * d->m_dDelta, 6, true);
    if (!unit.empty())
        s += " " + unit;
    return s + ", Max Bin=" + std::to_string(sample);
}

void CGraph::SetHistogram(bool on) {
    if (!m_pSignal || m_nType == kGraphPolar)
        return;
    m_bHistogram = on ? 1 : 0;
    if (on) {
        m_bHistogramTitles = 1;
        RebuildHistogram();
    } else {
        m_bAutoTitles = 1;
        m_Histogram.RemoveAll();
    }
    ResetZoom();
    Refresh();
}

bool CGraph::StepHistogramBins(bool more) {
    if (!m_pSignal || !m_bHistogram)
        return false;
    const int samples = std::max(5, Shown()->GetN());
    const int bins = static_cast<int>(m_Histogram.m_nBins * (more ? 1.25 : 0.8));
    m_Histogram.m_nBins = std::clamp(bins, 5, samples);
    m_Histogram.m_bAutoBins = 0;
    RebuildHistogram();
    RequestRefit(true, true);
    Refresh();
    return true;
}

void CGraph::RebuildHistogram() {
    if (!m_pSignal || !m_bHistogram)
        return;
    // I for type 0, Q for 1, I and Q for 2, the magnitude for 3, the phase for 4.
    static constexpr int kKinds[5][2] = {{0, 5}, {1, 5}, {0, 1}, {4, 5}, {3, 5}};
    const int t = std::clamp(m_nType, 0, 4);
    m_Histogram.BuildHistogram(*Shown(), kKinds[t][0], kKinds[t][1]);
}
