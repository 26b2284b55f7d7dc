#include "plot/fir_freq_plot_model.h"

#include "design/fir_data.h"
#include "plot/plot_messages.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kMainTitles[] = {
    "Inphase Filter Frequency Response", "Quadrature Filter Frequency Response",
    "Inphase and Quadrature Filter Frequency Responses", "Complex Filter Frequency Response"};
constexpr SRgb kMaskColor{0, 0, 128};

// The response kind a binding notice asks for (magnitude unless it names another).
int ResponseKindOf(EViewShows shows) {
    switch (shows) {
    case EViewShows::Phase:
        return kResponsePhase;
    case EViewShows::UnwrappedPhase:
        return kResponseUnwrappedPhase;
    case EViewShows::PhaseDelay:
        return kResponsePhaseDelay;
    case EViewShows::GroupDelay:
        return kResponseGroupDelay;
    default:
        return kResponseMagnitude;
    }
}

// The channel (EResponseChannel) a binding notice asks for.
int ResponseChannelOf(EViewChannel channel, const CFirData& filter) {
    if (channel == EViewChannel::ByFilter)
        return filter.IsReal() ? kChannelInphase : kChannelComplex;
    return static_cast<int>(channel) + 1;
}

// The word and unit a readout gives a value of kind.
std::pair<std::string, std::string> ReadoutWords(int kind, bool db, const CFs& fs) {
    switch (kind) {
    case kResponsePhase:
        return {"phase", "degrees"};
    case kResponseUnwrappedPhase:
        return {"unwrapped phase", "degrees"};
    case kResponsePhaseDelay:
        return {"phase delay", fs.GetTimeUnitName()};
    case kResponseGroupDelay:
        return {"group delay", fs.GetTimeUnitName()};
    default:
        return {"gain", db ? "dB" : ""};
    }
}

std::string FilterWord(int channel) {
    switch (channel) {
    case kChannelQuadrature:
        return "Quadrature filter";
    case kChannelComplex:
        return "Complex filter";
    default:
        return "Inphase filter";
    }
}

} // namespace

CFirFreqPlotModel::CFirFreqPlotModel(CHost* pHost) : CGraph(pHost) {
    m_nType = kResponseMagnitude;
    m_bOriginAtZero = 0;
}

void CFirFreqPlotModel::ResetSettings() {
    CGraph::ResetSettings();
    m_pFilter = nullptr;
    m_nChannel = 1;
    m_bNeedRange = 1;
    m_nType = kResponseMagnitude;
}

void CFirFreqPlotModel::Bind(const CFirData& filter, int kind, int channel) {
    m_pFilter = &filter;
    AttachSignal(&filter);
    m_strMainTitle = filter.m_strName;
    m_Y.m_bAutoScale = 1;
    m_Y.SetDataRange(-100, 20);
    m_nType = kind;
    m_nChannel = std::clamp(channel, 1, 4);
    m_bDb = 1;
    m_bOriginAtZero = 0;
    m_bNeedRange = 1;
    m_bWasReal = filter.IsReal() ? 1 : 0;
    DeriveRange();
}

void CFirFreqPlotModel::OnUpdate(const SChangeNotice& notice, const CFirData& filter) {
    if (notice.change == EChange::Closing) {
        ResetSettings();
        return;
    }
    if (notice.change == EChange::BindFreq && !m_pFilter) {
        Bind(filter, ResponseKindOf(notice.shows), ResponseChannelOf(notice.channel, filter));
    } else if (notice.change == EChange::SampleRate && m_pFilter) {
        ResetZoom();
        m_bNeedRange = 1;
    }
    if (m_pFilter && m_pFilter == &filter) {
        const bool real = filter.IsReal();
        if (real != (m_bWasReal != 0)) {
            m_bWasReal = real ? 1 : 0;
            if (real && m_nChannel != 1) {
                m_nChannel = 1;
                m_dXMin = 0;
                RequestRefit(true, true);
            } else if (!real && m_nChannel == 1) {
                m_nChannel = 4;
                m_dXMin = -m_dXMax;
                RequestRefit(true, true);
            }
        }
        DeriveRange();
    }
    Refresh();
}

void CFirFreqPlotModel::DeriveRange() {
    if (!m_bNeedRange || !HasData())
        return;
    RequestRefit(true, true);
    const double fs = m_pFilter->GetFs();
    m_dXMax = fs / 2;
    m_dXMin = m_nChannel == kChannelComplex ? -fs / 2 : 0.0;
    m_bNeedRange = 0;
}

bool CFirFreqPlotModel::HasData() const {
    return m_pFilter && m_pFilter->GetN() > 0;
}

bool CFirFreqPlotModel::CanChooseChannel(int channel) const {
    return channel == kChannelInphase || (m_pFilter && !m_pFilter->IsReal());
}

void CFirFreqPlotModel::SetChannel(int channel) {
    m_nChannel = std::clamp(channel, 1, 4);
    RequestRefit(false, true);
    Refresh();
}

void CFirFreqPlotModel::SetKind(int kind) {
    m_nType = kind;
    RequestRefit(false, true);
    Refresh();
}

bool CFirFreqPlotModel::SetXRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return false;
    m_dXMin = lo;
    m_dXMax = hi;
    return true;
}

void CFirFreqPlotModel::SetCompare(const CFirData* other, const std::string& ownName,
                                   const std::string& otherName) {
    m_pCompare = other;
    m_strOwnName = ownName;
    m_strCompareName = otherName;
    RequestRefit(false, true);
    Refresh();
}

void CFirFreqPlotModel::SetDifference(bool on) {
    m_bDifference = on;
    RequestRefit(false, true);
    Refresh();
}

bool CFirFreqPlotModel::ShowsDifference() const {
    return m_bDifference && m_pCompare && m_nType == kResponseMagnitude && m_bDb;
}

int CFirFreqPlotModel::GetCurveCount() const {
    if (!m_pCompare)
        return OwnCurveCount();
    return ShowsDifference() ? 1 : 2 * OwnCurveCount();
}

void CFirFreqPlotModel::ComputeCurves(const std::vector<double>& freqs,
                                      std::vector<std::vector<double>>& curves) const {
    curves.clear();
    if (m_pFilter)
        ComputeCurvesOf(*m_pFilter, freqs, curves);
}

void CFirFreqPlotModel::ComputeAllCurves(const std::vector<double>& freqs,
                                         std::vector<std::vector<double>>& curves) const {
    ComputeCurves(freqs, curves);
    if (!m_pCompare || curves.empty())
        return;
    std::vector<std::vector<double>> other;
    ComputeCurvesOf(*m_pCompare, freqs, other);
    if (ShowsDifference()) {
        curves.resize(1);
        for (size_t i = 0; i < curves[0].size() && i < other[0].size(); ++i)
            curves[0][i] -= other[0][i];
        return;
    }
    curves.insert(curves.end(), other.begin(), other.end());
}

void CFirFreqPlotModel::ComputeCurvesOf(const CFirData& filter, const std::vector<double>& freqs,
                                        std::vector<std::vector<double>>& curves) const {
    curves.assign(static_cast<size_t>(OwnCurveCount()), {});
    if (freqs.empty() || filter.GetN() == 0)
        return;
    CDataColumn column;
    column.SetSize(static_cast<int>(freqs.size()));
    std::copy(freqs.begin(), freqs.end(), column.begin());
    CDataSet set;
    ::ComputeCurves(column, set, filter, {m_nChannel, m_nType, m_bDb != 0, filter.m_dMinDb});
    for (size_t c = 0; c < curves.size() && static_cast<int>(c) < set.GetColumnCount(); ++c) {
        const CDataColumn* col = set.GetColumn(static_cast<int>(c));
        curves[c].assign(col->begin(), col->end());
    }
}

void CFirFreqPlotModel::AutoScale() {
    if (!HasData())
        return;
    std::vector<double> freqs;
    const double step = (m_dXMax - m_dXMin) / 128;
    for (int k = 0; k < 128 && step > 0; ++k)
        freqs.push_back(m_dXMin + k * step);
    std::vector<std::vector<double>> curves;
    ComputeAllCurves(freqs, curves);
    double lo = 0, hi = 0;
    bool first = true;
    for (const auto& c : curves)
        for (double v : c) {
            if (!std::isfinite(v))
                continue;
            lo = first ? v : std::min(lo, v);
            hi = first ? v : std::max(hi, v);
            first = false;
        }
    SetAxisRanges(m_dXMin, m_dXMax, lo, hi);
}

int CFirFreqPlotModel::UpdateTitles(int xPower, int& yDisplayPower) {
    if (!m_pFilter || !m_bAutoTitles)
        return xPower;
    const CFs& fs = m_pFilter->m_Fs;
    int p = xPower;
    m_strXTitle = "Frequency in " + fs.GetFreqUnitLabel(p);
    switch (m_nType) {
    case kResponsePhase:
        m_strYTitle = "Phase in Degrees";
        break;
    case kResponseUnwrappedPhase:
        m_strYTitle = "Unwrapped Phase in Degrees";
        break;
    case kResponsePhaseDelay:
    case kResponseGroupDelay: {
        int y = yDisplayPower;
        m_strYTitle =
            std::string(m_nType == kResponsePhaseDelay ? "Phase Delay in " : "Group Delay in ") +
            fs.GetTimeUnitLabel(y);
        yDisplayPower = y;
        break;
    }
    default:
        m_strYTitle = ShowsDifference() ? "Magnitude Difference in dB"
                                        : (m_bDb ? "Magnitude in dB" : "Magnitude");
        break;
    }
    const std::string main = kMainTitles[std::clamp(m_nChannel, 1, 4) - 1];
    m_strTitle = m_pFilter->m_bQuantized ? std::string("Quantized ").append(main) : main;
    m_strMainTitle = m_strTitle;
    return p;
}

void CFirFreqPlotModel::BuildPoints(int& width) {
    m_x.clear();
    m_counts.clear();
    m_nPerPoint = 0;
    m_dPerPoint = 0;
    if (!HasData() || !m_mapX.IsValid())
        return;
    (void)width;
    const double half = m_pFilter->GetFs() / 2;
    const int first = std::max(m_mapX.ToDeviceX(m_dXMin), m_mapX.ToDeviceX(-half));
    const int last = std::min(m_mapX.ToDeviceX(half), m_mapX.ToDeviceX(m_dXMax));
    for (int column = first; column <= last; ++column) {
        m_x.push_back(m_mapX.FromDeviceX(column));
        m_counts.push_back(1);
    }
    ComputeAllCurves(m_x, m_curves);
}

void CFirFreqPlotModel::SetCurveAttributes() {
    const SRgb color = m_pFilter ? RgbFromColorRef(m_pFilter->m_nCurveColor) : PaletteColor(0);
    if (m_nChannel == kChannelIAndQ)
        m_attributes = {{"I", color, false}, {"Q", color, true}};
    else
        m_attributes = {{"", color, m_nChannel == kChannelQuadrature}};
    if (!m_pCompare)
        return;
    if (ShowsDifference()) {
        m_attributes = {{m_strOwnName + " - " + m_strCompareName, color, false}};
        return;
    }
    // The other filter in the first palette colour that differs from the filter's.
    SRgb other = PaletteColor(1);
    if (other == color)
        other = PaletteColor(2);
    const size_t own = m_attributes.size();
    for (size_t i = 0; i < own; ++i) {
        SCurveAttributes a = m_attributes[i];
        m_attributes[i].m_strName = m_strOwnName + (own > 1 ? " " + a.m_strName : "");
        a.m_strName = m_strCompareName + (own > 1 ? " " + a.m_strName : "");
        a.m_color = other;
        m_attributes.push_back(a);
    }
}

std::string CFirFreqPlotModel::GetPlotFileText(bool withTitles) const {
    if (!m_pCompare || ShowsDifference())
        return CPlot::GetPlotFileText(withTitles);
    std::string out;
    if (withTitles)
        out += m_strTitle + "\r\n" + m_strYTitle + "\r\n" + m_strXTitle + "\r\n";
    const size_t own = static_cast<size_t>(OwnCurveCount());
    const auto lines = [&](size_t first) {
        for (size_t i = 0; i < m_x.size(); ++i) {
            out += StrPrintf("%g", m_x[i]);
            for (size_t c = first; c < first + own && c < m_curves.size(); ++c)
                if (i < m_curves[c].size())
                    out += StrPrintf("   %g", m_curves[c][i]);
            out += "\r\n";
        }
    };
    lines(0);
    out += "# compare " + m_strCompareName + "\r\n";
    lines(own);
    return out;
}

std::string CFirFreqPlotModel::ReadoutText(int index, int /*curve*/) {
    if (!m_pFilter || index < 0 || static_cast<size_t>(index) >= m_x.size())
        return kReadyText;
    const double f = m_x[static_cast<size_t>(index)];
    const int power = EngineeringPower(f);
    int left = power;
    const std::string unit = m_pFilter->m_Fs.GetFreqUnitLabel(left);
    const double shown = f / std::pow(10.0, power - left);
    const auto [word, valueUnit] = ReadoutWords(m_nType, m_bDb != 0, m_pFilter->m_Fs);
    // A named copy: clang 14 cannot capture a structured binding in a lambda.
    const std::string unitText(valueUnit);
    const auto valueText = [&](size_t c) {
        std::string s = StrPrintf("%0.3f", m_curves[c][static_cast<size_t>(index)]);
        return unitText.empty() ? s : s + " " + unitText;
    };
    std::string s = StrPrintf("At %0.6f", shown) + " " + unit + ",";
    if (m_curves.empty())
        return s;
    if (ShowsDifference())
        return s + " " + m_strOwnName + " minus " + m_strCompareName + " is " + valueText(0);
    s.append(" ").append(FilterWord(m_nChannel)).append(" ").append(word).append(" is ");
    s.append(valueText(0));
    const size_t own = static_cast<size_t>(OwnCurveCount());
    if (own >= 2 && m_curves.size() >= 2)
        s.append(" and Quadrature filter ").append(word).append(" is ").append(valueText(1));
    if (m_pCompare && m_curves.size() > own)
        s.append("; ").append(m_strCompareName).append(": ").append(valueText(own));
    return s;
}

bool CFirFreqPlotModel::ShowsMask() const {
    if (!m_pFilter || !m_pFilter->m_bDesignedFromSpec || !m_pFilter->m_bAttnInDb)
        return false;
    if (m_nType != kResponseMagnitude || !m_bDb || ShowsDifference())
        return false;
    return m_pFilter->m_nKind == kKindParksMcClellan ||
           (m_pFilter->m_nKind == kKindLthBand && m_pFilter->m_Lth.m_nLthMethod == 0);
}

std::vector<SOverlayLine> CFirFreqPlotModel::OverlayLines() const {
    std::vector<SOverlayLine> lines;
    if (!ShowsMask() || !m_mapX.IsValid() || !m_mapY.IsValid())
        return lines;
    const double fs = m_pFilter->GetFs();
    const double xlo = m_mapX.Min(), xhi = m_mapX.Max();
    const double ylo = m_mapY.Min(), yhi = m_mapY.Max();
    for (int i = 0; i < m_pFilter->GetNumBands(); ++i) {
        double f1 = m_pFilter->Band(i).lower * fs, f2 = m_pFilter->Band(i).upper * fs;
        if (f2 < xlo || f1 > xhi)
            continue;
        f1 = std::max(f1, xlo);
        f2 = std::min(f2, xhi);
        std::vector<double> levels;
        const double attn = m_pFilter->GetBandAttn(i, true);
        if (m_pFilter->IsPassband(i)) {
            const double gain = m_pFilter->GetBandGain(i, true);
            levels = {gain + attn / 2, gain - attn / 2};
        } else {
            levels = {-attn};
        }
        for (double y : levels) {
            if (!std::isfinite(y) || y < ylo || y > yhi)
                continue;
            const int py = m_mapY.ToDeviceY(y);
            lines.push_back({m_mapX.ToDeviceX(f1), py, m_mapX.ToDeviceX(f2), py, kMaskColor});
        }
    }
    return lines;
}
