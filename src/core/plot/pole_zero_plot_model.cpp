#include "plot/pole_zero_plot_model.h"

#include "design/fir_data.h"
#include "plot/plot_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Zeros farther out than this do not widen the automatic scale (a tiny end coefficient puts a
// zero near infinity); they are still listed and read out.
constexpr double kLargestFittedZero = 100.0;
const SRgb kZeroColor{0, 0, 255};
const SRgb kPoleColor{255, 0, 0};
const SRgb kCircleColor{128, 128, 128};

mvect Coefficients(const CFirData& filter) {
    mvect h(static_cast<size_t>(filter.GetN()));
    for (int i = 0; i < filter.GetN(); ++i)
        h[static_cast<size_t>(i)] =
            mcplx(filter.GetQuantity(i, CCorviData::Inphase),
                  filter.IsReal() ? 0.0 : filter.GetQuantity(i, CCorviData::Quadrature));
    return h;
}

} // namespace

CPoleZeroPlotModel::CPoleZeroPlotModel(CHost* pHost) : CGraph(pHost) {
    m_bXYMode = 1;
    m_nStyle = kStyleDot;
    m_strTitle = PlotMessages::kPoleZeroTitle;
    m_strXTitle = PlotMessages::kRealPartTitle;
    m_strYTitle = PlotMessages::kImaginaryPartTitle;
}

void CPoleZeroPlotModel::Bind(const CFirData& filter) {
    m_pFilter = &filter;
    FindZeros();
    ResetZoom();
    RequestRefit(true, true);
    Refresh();
}

void CPoleZeroPlotModel::OnUpdate(const SChangeNotice& notice, const CFirData& filter) {
    if (notice.change == EChange::Closing) {
        m_pFilter = nullptr;
        m_zeros = SFilterZeros();
        m_coefficients.Clear();
        Refresh();
        return;
    }
    if (!m_pFilter) {
        Bind(filter);
        return;
    }
    if (m_pFilter != &filter)
        return;
    const mvect h = Coefficients(filter);
    if (h.size() != m_coefficients.size() ||
        !std::equal(h.begin(), h.end(), m_coefficients.begin())) {
        FindZeros();
        RequestRefit(true, true);
    }
    Refresh();
}

void CPoleZeroPlotModel::FindZeros() {
    m_coefficients = m_pFilter ? Coefficients(*m_pFilter) : mvect();
    m_zeros = FindFilterZeros(m_coefficients);
}

bool CPoleZeroPlotModel::HasData() const {
    return m_pFilter && !m_coefficients.empty();
}

void CPoleZeroPlotModel::AutoScale() {
    double reach = 1.0;
    for (const mcplx& z : m_zeros.zeros)
        if (std::abs(z) <= kLargestFittedZero)
            reach = std::max({reach, std::fabs(z.real()), std::fabs(z.imag())});
    reach *= 1.1;
    SetAxisRanges(-reach, reach, -reach, reach);
}

int CPoleZeroPlotModel::UpdateTitles(int xPower, int& /*yDisplayPower*/) {
    if (m_bAutoTitles) {
        m_strTitle = PlotMessages::kPoleZeroTitle;
        m_strXTitle = PlotMessages::kRealPartTitle;
        m_strYTitle = PlotMessages::kImaginaryPartTitle;
    }
    return xPower;
}

void CPoleZeroPlotModel::BuildPoints(int& /*width*/) {
    m_x.clear();
    m_curves.clear();
}

int CPoleZeroPlotModel::HitTest(int x, int y, int& curve) const {
    curve = 0;
    if (m_zeros.zeros.empty() || !m_mapX.IsValid() || !m_mapY.IsValid())
        return -1;
    int best = -1;
    double bestD = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < m_zeros.zeros.size(); ++i) {
        const mcplx z = m_zeros.zeros[i];
        const double dx = m_mapX.ToDeviceX(z.real()) - x, dy = m_mapY.ToDeviceY(z.imag()) - y;
        if (dx * dx + dy * dy < bestD) {
            bestD = dx * dx + dy * dy;
            best = static_cast<int>(i);
        }
    }
    return best;
}

double CPoleZeroPlotModel::AngleFrequency(mcplx z) const {
    const double fs = m_pFilter ? m_pFilter->GetFs() : 1.0;
    return std::arg(z) / (2 * std::numbers::pi) * fs;
}

std::string CPoleZeroPlotModel::ReadoutText(int index, int /*curve*/) {
    if (!m_pFilter || index < 0 || static_cast<size_t>(index) >= m_zeros.zeros.size())
        return kReadyText;
    const mcplx z = m_zeros.zeros[static_cast<size_t>(index)];
    const double f = AngleFrequency(z);
    const int power = EngineeringPower(f);
    int left = power;
    const std::string unit = m_pFilter->m_Fs.GetFreqUnitLabel(left);
    const double shown = f / std::pow(10.0, power - left);
    std::string s = StrPrintf(PlotMessages::kZeroReadout, std::abs(z), shown) + " " + unit;
    const int count = ZeroMultiplicity(m_zeros.zeros, static_cast<size_t>(index),
                                       kZeroMultiplicityTolerance * std::max(1.0, std::abs(z)));
    if (count > 1)
        s += StrPrintf(PlotMessages::kZeroMultiplicity, count);
    return s;
}

std::vector<SPlotMark> CPoleZeroPlotModel::Marks() const {
    std::vector<SPlotMark> marks;
    if (!m_mapX.IsValid() || !m_mapY.IsValid())
        return marks;
    const int ox = m_mapX.ToDeviceX(0.0), oy = m_mapY.ToDeviceY(0.0);
    SPlotMark circle{SPlotMark::kOutline,        ox,           oy, m_mapX.ToDeviceX(1.0) - ox,
                     oy - m_mapY.ToDeviceY(1.0), kCircleColor, {}};
    marks.push_back(circle);
    if (!m_zeros.bOk)
        return marks;
    const int r = std::max(4, 2 * m_layout.m_nDotRadius);
    const mvect& zeros = m_zeros.zeros;
    for (size_t i = 0; i < zeros.size(); ++i) {
        const double tolerance = kZeroMultiplicityTolerance * std::max(1.0, std::abs(zeros[i]));
        // A multiple zero is drawn once, at its first occurrence, with its multiplicity.
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j)
            seen = std::abs(zeros[j] - zeros[i]) <= tolerance;
        if (seen)
            continue;
        const int count = ZeroMultiplicity(zeros, i, tolerance);
        marks.push_back({SPlotMark::kRing, m_mapX.ToDeviceX(zeros[i].real()),
                         m_mapY.ToDeviceY(zeros[i].imag()), r, r, kZeroColor,
                         count > 1 ? std::to_string(count) : std::string()});
    }
    if (m_zeros.nPolesAtOrigin > 0)
        marks.push_back(
            {SPlotMark::kCross, ox, oy, r, r, kPoleColor,
             m_zeros.nPolesAtOrigin > 1 ? std::to_string(m_zeros.nPolesAtOrigin) : std::string()});
    return marks;
}

std::string CPoleZeroPlotModel::PlotMessage() const {
    return m_zeros.bOk ? std::string() : m_zeros.error;
}

std::string CPoleZeroPlotModel::GetPlotFileText(bool withTitles) const {
    std::string out;
    if (withTitles)
        out += m_strTitle + "\r\n" + m_strYTitle + "\r\n" + m_strXTitle + "\r\n";
    for (const mcplx& z : m_zeros.zeros)
        out += StrPrintf("%.10g   %.10g\r\n", z.real(), z.imag());
    return out;
}

std::string CPoleZeroPlotModel::GetCopyDataText() const {
    std::string out;
    for (const mcplx& z : m_zeros.zeros)
        out += StrPrintf("%12.9lf\t%12.9lf\r\n", z.real(), z.imag());
    return out;
}
