#include "plot/plot.h"

#include "plot/plot_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A working axis from a settings record; false when the record's range cannot be drawn.
bool AxisFromSettings(const CAxisSettings& s, SWorkingAxis& work) {
    if (!std::isfinite(s.m_dAxisMin) || !std::isfinite(s.m_dAxisMax) ||
        !(s.m_dAxisMax > s.m_dAxisMin) || (s.m_bLog && s.m_dAxisMax <= 0))
        return false;
    work.dMin = s.m_dAxisMin;
    work.dMax = s.m_dAxisMax;
    work.dTic = s.m_dTic;
    work.dLabel = s.m_dLabel;
    work.nDecimals = s.m_nDecimals;
    work.nGrid = s.m_nGrid;
    work.bLog = s.m_bLog != 0;
    work.nPower = s.m_bLog ? 0 : s.m_nPower;
    return true;
}

double MaxWidth(const CTextMeasurer& m, const std::vector<SPlacedText>& texts, double font) {
    double w = 0;
    for (const SPlacedText& t : texts)
        w = std::max(w, m.TextWidth(t.m_strText, font));
    return w;
}

// Whether a byte continues a UTF-8 character.
bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// name with characters taken from its middle and ".." put there, as wide as room or narrower
// (at least one character each side).
std::string ShortenedInMiddle(const CTextMeasurer& measurer, const std::string& name, double font,
                              double room) {
    std::string head = name, tail;
    const auto dropHeadEnd = [&] {
        while (!head.empty() && IsContinuation(head.back()))
            head.pop_back();
        if (!head.empty())
            head.pop_back();
    };
    // Splits at the middle character.
    while (head.size() > name.size() / 2) {
        const size_t before = head.size();
        dropHeadEnd();
        tail.insert(0, name.substr(head.size(), before - head.size()));
    }
    const auto dropTailStart = [&] {
        size_t k = tail.empty() ? 0 : 1;
        while (k < tail.size() && IsContinuation(tail[k]))
            ++k;
        tail.erase(0, k);
    };
    const auto chars = [](const std::string& s) {
        return std::count_if(s.begin(), s.end(), [](char c) { return !IsContinuation(c); });
    };
    while (measurer.TextWidth(head + ".." + tail, font) > room) {
        if (chars(head) >= chars(tail) && chars(head) > 1)
            dropHeadEnd();
        else if (chars(tail) > 1)
            dropTailStart();
        else
            break;
    }
    return head + ".." + tail;
}

// Replaces a start of 4 or more characters that all names share, and that leaves something of
// each, by "..".
void DropCommonPrefix(std::vector<std::string>& names) {
    if (names.size() < 2)
        return;
    size_t common = names[0].size();
    for (const std::string& name : names)
        common = std::min(
            common, static_cast<size_t>(std::mismatch(name.begin(), name.end(), names[0].begin(),
                                                      names[0].begin() + static_cast<long>(common))
                                            .first -
                                        name.begin()));
    for (const std::string& name : names)
        if (name.size() <= common)
            return;
    while (common > 0 && IsContinuation(names[0][common]))
        --common;
    if (common < 4)
        return;
    for (std::string& name : names)
        name = ".." + name.substr(common);
}

std::vector<SPlacedText> ToPlaced(const CLabelArray& labels) {
    std::vector<SPlacedText> out;
    out.reserve(labels.size());
    for (const CLabel& l : labels)
        out.push_back({l.m_strText, l.m_dValue, 0});
    return out;
}

} // namespace

struct CPlot::SAxisLabels {
    std::vector<SPlacedText> x, y; // values in .x until placed
    int xDisplayPower = 0, yDisplayPower = 0;
    int xPower = 0, yPower = 0; // the axes' own powers the titles were made with
};

CPlot::CPlot(CHost* pHost)
    : m_strXTitle(PlotMessages::kInitialXTitle), m_strYTitle(PlotMessages::kInitialYTitle),
      m_strTitle(PlotMessages::kInitialMainTitle), m_pHost(pHost) {
    m_workY = {-1, 1, 0.2, 0.1, 0, 2, 1, false};
}

int CPlot::GetAutoStyle() const {
    return m_x.size() <= 256 ? kStyleLineDot : kStyleLine;
}

int CPlot::UpdateTitles(int xPower, int& /*yDisplayPower*/) {
    return xPower;
}

void CPlot::BuildPoints(int& /*width*/) {}

bool CPlot::SetXRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return false;
    m_dXMin = lo;
    m_dXMax = hi;
    return true;
}

void CPlot::ResetZoom() {
    m_zoom.RemoveAll();
}

void CPlot::ReportNotice(const char* text) const {
    if (m_pHost)
        m_pHost->Notice(text);
}

// ---- axes -------------------------------------------------------------------------------------

void CPlot::ApplyAxisSettings(bool x) {
    AxisFromSettings(x ? m_X : m_Y, x ? m_workX : m_workY);
}

void CPlot::ApplyAxisSettings() {
    ApplyAxisSettings(true);
    ApplyAxisSettings(false);
}

void CPlot::RequestRefit(bool x, bool y) {
    m_bRefitX = m_bRefitX || x;
    m_bRefitY = m_bRefitY || y;
}

void CPlot::SetAxisRanges(double xlo, double xhi, double ylo, double yhi) {
    if (m_bXYMode && (m_X.m_bLog || m_Y.m_bLog)) {
        ReportNotice(PlotMessages::kLogOffForPolar);
        m_X.m_bLog = m_Y.m_bLog = 0;
        m_workX.bLog = m_workY.bLog = false;
        RequestRefit(true, true);
    }
    if (m_bRefitX)
        m_X.m_bAutoScale = 1;
    if (m_bRefitY)
        m_Y.m_bAutoScale = 1;
    m_bRefitX = m_bRefitY = false;
    m_X.SetDataRange(xlo, xhi);
    m_Y.SetDataRange(ylo, yhi);
    ApplyAxisSettings();
}

// ---- zoom -------------------------------------------------------------------------------------

bool CPlot::ZoomTo(bool zoomX, bool zoomY, bool report, double x1, double x2, double y1,
                   double y2) {
    if (m_zoom.GetCurrentLevelNumber() != 0 && m_zoom.GetLevelCount() >= GetMaxZoomLevels())
        return false;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if ((zoomX && !(x2 > x1)) || (zoomY && !(y2 > y1)) || (!zoomX && !zoomY))
        return false;
    const CAxisSettings oldX = m_X, oldY = m_Y;
    const double oldMin = m_dXMin, oldMax = m_dXMax;
    if (zoomX) {
        x1 = std::max(x1, m_dXMin);
        x2 = std::min(x2, m_dXMax);
        if (m_workX.bLog && m_bZoomFullDecade && x1 > 0 && x2 > 0) {
            x1 = std::pow(10.0, std::floor(std::log10(x1) + 1e-9));
            const double e = std::log10(x2);
            if (std::fabs(e - std::round(e)) > 1e-9)
                x2 = std::pow(10.0, std::ceil(e));
        }
        if (m_bXYMode) {
            m_X.m_bAutoScale = 1;
            m_X.SetDataRange(x1, x2);
            m_X.m_bAutoScale = 0;
        } else if (!(x2 > x1) || !SetXRange(x1, x2)) {
            if (report && m_pHost)
                m_pHost->Error(PlotMessages::kTooNarrow);
            return false;
        } else {
            RequestRefit(true, !zoomY);
        }
    }
    m_zoom.PushZoom(oldX, oldY, oldMin, oldMax);
    if (zoomY) {
        m_Y.m_bAutoScale = 1;
        m_Y.SetDataRange(y1, y2);
        m_Y.m_bAutoScale = 0;
    }
    Refresh();
    return true;
}

bool CPlot::ZoomToDevice(bool zoomX, bool zoomY, bool report, const SBandResult& band) {
    if (!m_mapX.IsValid() || !m_mapY.IsValid())
        return false;
    const double x1 = m_mapX.FromDeviceX(band.x1), x2 = m_mapX.FromDeviceX(band.x2);
    const double y1 = m_mapY.FromDeviceY(band.y2), y2 = m_mapY.FromDeviceY(band.y1);
    return ZoomTo(zoomX, zoomY, report, x1, x2, y1, y2);
}

bool CPlot::CenteredZoom(int x, int y) {
    const CPlotLayout& l = m_layout;
    if (!l.m_bDrawn || !l.m_plot.Contains(x, y))
        return false;
    if (m_zoom.GetCurrentLevelNumber() >= GetMaxZoomLevels())
        return false;
    const int w = l.m_area.right - l.m_area.left, h = l.m_area.bottom - l.m_area.top;
    const int dx = static_cast<int>(RoundHalfAway(w / 4.0));
    const int dy = static_cast<int>(RoundHalfAway(h / 4.0));
    SBandResult band;
    band.x1 = std::max(l.m_area.left, x - dx);
    band.x2 = std::min(l.m_area.right, x + dx);
    band.y1 = std::max(l.m_area.top, y - dy);
    band.y2 = std::min(l.m_area.bottom, y + dy);
    const double valueX = m_mapX.FromDeviceX(x), valueY = m_mapY.FromDeviceY(y);
    if (!ZoomToDevice(true, true, false, band))
        return false;
    m_dWheelX = valueX;
    m_dWheelY = valueY;
    m_bWheelTargetPending = true;
    return true;
}

bool CPlot::TakeWheelTarget(int& x, int& y) {
    const CPlotLayout& l = m_layout;
    if (!m_bWheelTargetPending || !l.m_bDrawn)
        return false;
    m_bWheelTargetPending = false;
    x = m_mapX.ToDeviceX(m_dWheelX);
    y = m_mapY.ToDeviceY(m_dWheelY);
    const SDeviceRect& a = l.m_area;
    if (x < a.left || x >= a.right || y < a.top || y >= a.bottom) {
        x = (a.left + a.right) / 2;
        y = (a.top + a.bottom) / 2;
    }
    return true;
}

void CPlot::Navigate(int kind) {
    const CZoomData* level = m_zoom.Navigate(kind, m_X, m_Y, m_dXMin, m_dXMax);
    if (!level) {
        if (m_pHost)
            m_pHost->SetStatusText(kReadyText);
        return;
    }
    const CZoomData target = *level;
    m_X = target.m_X;
    m_Y = target.m_Y;
    if (!m_bXYMode && !SetXRange(target.m_dXMin, target.m_dXMax))
        return;
    Refresh();
}

// ---- layout -----------------------------------------------------------------------------------

void CPlot::ClearPoints() {
    m_x.clear();
    m_curveX.clear();
    m_counts.clear();
    m_curves.assign(static_cast<size_t>(std::max(0, GetCurveCount())), {});
}

std::string CPlot::PowerSuffix(int power) {
    return power != 0 ? StrPrintf(PlotMessages::kPowerSuffix, power) : std::string();
}

SDeviceRect CPlot::PrintArea(int pageWidth, int pageHeight) const {
    if (!m_bXYMode)
        return {0, 0, pageWidth, pageHeight};
    const int side = std::min(pageWidth, pageHeight);
    return {0, 0, side, side};
}

const CPlotLayout& CPlot::Prepare(const CTextMeasurer& measurer, const SDeviceRect& area,
                                  double percent) {
    m_layout = CPlotLayout();
    CPlotLayout& l = m_layout;
    l.m_area = area;
    const int w = area.right - area.left, h = area.bottom - area.top;
    const double base = percent * std::min(w, h) / 100.0;
    if (!HasData() || w < 50 || h < 40 || base < 1)
        return l;
    const double font = std::max(1.0, std::round(base * m_dFontScale));
    const double t = measurer.LineHeight(font);
    l.m_dFontHeight = font;
    l.m_dLineHeight = t;

    if (m_nBuiltWidth != w)
        m_bPointsValid = false;
    const bool fresh = !m_bPointsValid;
    if (fresh) {
        ClearPoints();
        AutoScale();
        SetCurveAttributes();
    }
    SAxisLabels labels;
    if (!PlaceAxes(measurer, font, labels))
        return l;
    int width = l.m_plot.right - l.m_plot.left;
    if (fresh) {
        BuildPoints(width);
        m_nPointsWidth = width;
        m_bPointsValid = true;
        m_nBuiltWidth = w;
        // The titles were made before the points: they now name the reduction just chosen.
        int yDisplay = labels.yPower;
        UpdateTitles(labels.xPower, yDisplay);
    }
    // Every point has its own column: a reduced plot is as wide as its points.
    if (m_nPointsWidth >= 1 && m_nPointsWidth < width) {
        l.m_plot.right = l.m_plot.left + m_nPointsWidth;
        m_mapX.Set(m_workX.dMin, m_workX.dMax, m_workX.bLog, l.m_plot.left, m_nPointsWidth);
    }
    // Labels and grid are placed against the final maps.
    for (SPlacedText& p : labels.x) {
        const double v = p.x;
        p.x = m_mapX.ToDeviceX(v);
        p.y = l.m_plot.bottom + t;
    }
    for (SPlacedText& p : labels.y) {
        const double v = p.x;
        p.x = l.m_plot.left - t;
        p.y = m_mapY.ToDeviceY(v);
    }
    l.m_xLabels = std::move(labels.x);
    l.m_yLabels = std::move(labels.y);
    PlaceGridAndTics();
    const double cx = (l.m_plot.left + l.m_plot.right) / 2.0;
    l.m_mainTitle = {m_strTitle, cx, l.m_plot.top - t}; // a full line above the plot
    l.m_xTitle = {m_strXTitle + PowerSuffix(labels.xDisplayPower), cx, l.m_plot.bottom + 2 * t};
    l.m_yTitle = {m_strYTitle + PowerSuffix(labels.yDisplayPower), area.left + 1.25 * t,
                  (l.m_plot.top + l.m_plot.bottom) / 2.0};
    l.m_nStyle = GetStyle();
    PlaceCurves();
    l.m_bDrawn = true;
    return l;
}

bool CPlot::PlaceAxes(const CTextMeasurer& measurer, double font, SAxisLabels& labels) {
    CPlotLayout& l = m_layout;
    const double t = l.m_dLineHeight;
    // Powers of -3 to -1 are shown as plain decimals before any unit takes part of them.
    const int xPower = UsedLabelPower(m_workX.nPower), yPower = UsedLabelPower(m_workY.nPower);
    int yDisplay = yPower;
    labels.xPower = xPower;
    labels.yPower = yPower;
    const int xDisplay = UpdateTitles(xPower, yDisplay);
    labels.xDisplayPower = UsedLabelPower(xDisplay);
    labels.yDisplayPower = UsedLabelPower(yDisplay);
    for (bool isX : {true, false}) {
        SWorkingAxis& a = isX ? m_workX : m_workY;
        const int display = isX ? xDisplay : yDisplay;
        bool tooMany = false;
        double spacing = a.dLabel;
        const CLabelArray generated =
            GenerateLabels({a.nDecimals, a.dLabel, display, a.bLog, a.dMin, a.dMax,
                            std::pow(10.0, display - (isX ? xPower : yPower))},
                           &spacing, &tooMany);
        if (tooMany) {
            ReportNotice(PlotMessages::kTooManyLabels);
            a.dLabel = spacing;
        }
        (isX ? labels.x : labels.y) = ToPlaced(generated);
    }
    const double widestY = MaxWidth(measurer, labels.y, font);
    const double widestX = MaxWidth(measurer, labels.x, font);
    int right = l.m_area.right;
    PlaceLegend(measurer, font, right);
    const double xTitleHeight = (!m_strXTitle.empty() || labels.xDisplayPower != 0) ? t : 0.0;
    l.m_plot.left = l.m_area.left + static_cast<int>(std::ceil(widestY + 3 * t));
    l.m_plot.right = right - static_cast<int>(std::ceil(widestX));
    l.m_plot.top = l.m_area.top + static_cast<int>(std::ceil((m_strTitle.empty() ? 0 : t) + t));
    l.m_plot.bottom = l.m_area.bottom - static_cast<int>(std::ceil(xTitleHeight + t / 2 + t));
    int pw = l.m_plot.right - l.m_plot.left, ph = l.m_plot.bottom - l.m_plot.top;
    if (pw <= 0 || ph <= 0)
        return false;
    l.m_nDotRadius = std::max(2, std::min(pw, ph) / 500);
    l.m_nTicLength = std::max(1, static_cast<int>(t / 4));
    if (m_bXYMode) {
        const double perX = pw / (m_workX.dMax - m_workX.dMin);
        const double perY = ph / (m_workY.dMax - m_workY.dMin);
        if (perX > perY)
            pw = std::max(1, static_cast<int>(perY * (m_workX.dMax - m_workX.dMin)));
        else
            ph = std::max(1, static_cast<int>(perX * (m_workY.dMax - m_workY.dMin)));
        l.m_plot.right = l.m_plot.left + pw;
        l.m_plot.top = l.m_plot.bottom - ph;
    }
    if (!m_mapX.Set(m_workX.dMin, m_workX.dMax, m_workX.bLog, l.m_plot.left, pw) ||
        !m_mapY.Set(m_workY.dMin, m_workY.dMax, m_workY.bLog, l.m_plot.bottom, ph))
        return false;
    // Labels closer than 1.2 label widths shrink their font.
    l.m_dLabelFontHeight = font;
    if (labels.x.size() >= 2 && widestX > 0) {
        const double spacing =
            std::fabs(m_mapX.ToDeviceX(labels.x[1].x) - m_mapX.ToDeviceX(labels.x[0].x));
        if (spacing <= 1.2 * widestX)
            l.m_dLabelFontHeight = std::round(font * spacing / 1.2 / widestX);
    }
    return true;
}

void CPlot::PlaceGridAndTics() {
    CPlotLayout& l = m_layout;
    for (bool isX : {true, false}) {
        SWorkingAxis& a = isX ? m_workX : m_workY;
        const CAxisMap& map = isX ? m_mapX : m_mapY;
        if (a.nGrid == 1 && !a.bLog && a.dTic > 0 && a.dLabel / a.dTic > 10.001) {
            ReportNotice(PlotMessages::kTooManyTics);
            a.dTic = a.dLabel / 2;
        }
        const auto toDevice = [&](const std::vector<double>& values) {
            std::vector<int> d;
            d.reserve(values.size());
            for (double v : values)
                d.push_back(isX ? map.ToDeviceX(v) : map.ToDeviceY(v));
            return d;
        };
        const double gridStep = a.nGrid == 1 ? a.dTic : (a.nGrid == 2 ? a.dLabel : 0.0);
        (isX ? l.m_gridX : l.m_gridY) = toDevice(ScaleLineValues(a.bLog, a.dMin, a.dMax, gridStep));
        (isX ? l.m_ticX : l.m_ticY) = toDevice(ScaleLineValues(a.bLog, a.dMin, a.dMax, a.dTic));
    }
    if (!m_workY.bLog && m_workY.dMin < 0 && m_workY.dMax > 0)
        l.m_nZeroY = m_mapY.ToDeviceY(0.0);
    if (!m_workX.bLog && m_workX.dMin < 0 && m_workX.dMax > 0)
        l.m_nZeroX = m_mapX.ToDeviceX(0.0);
}

void CPlot::PlaceLegend(const CTextMeasurer& measurer, double font, int& right) {
    CPlotLayout& l = m_layout;
    if (!m_bLegend || m_curves.empty())
        return;
    const size_t n = std::min(m_attributes.size(), m_curves.size());
    std::vector<std::string> names;
    bool named = false;
    for (size_t i = 0; i < n; ++i) {
        names.push_back(m_attributes[i].m_strName);
        named = named || !names.back().empty();
    }
    if (!named)
        return;
    const auto widthOf = [&](double f, double& sample, double& widest) {
        widest = 0;
        for (const std::string& name : names)
            widest = std::max(widest, measurer.TextWidth(name, f));
        sample = measurer.TextWidth("****", f);
        return sample + 3 * (sample / 2) + widest;
    };
    double sample = 0, widest = 0;
    double legendWidth = widthOf(font, sample, widest);
    const int available = right - l.m_area.left;
    if (available < 3 * legendWidth) {
        if (!LegendRequired())
            return;
        font = FitLegend(measurer, font, available / 4.0, names);
        legendWidth = widthOf(font, sample, widest);
    }
    l.m_dLegendFontHeight = font;
    right -= static_cast<int>(std::ceil(legendWidth));
    const double t = measurer.LineHeight(font);
    const double midY = (l.m_area.top + l.m_area.bottom) / 2.0;
    const double firstY = midY - (n - 1) * t / 2.0;
    for (size_t i = 0; i < n; ++i) {
        const SCurveAttributes& a = m_attributes[i];
        SLegendEntry e{names[i], a.m_color, a.m_bDotted};
        e.x1 = right + static_cast<int>(sample / 2);
        e.x2 = e.x1 + static_cast<int>(sample);
        e.y = static_cast<int>(firstY + i * t);
        e.nameX = e.x2 + sample / 2 + widest / 2;
        l.m_legend.push_back(e);
    }
}

double CPlot::FitLegend(const CTextMeasurer& measurer, double font, double budget,
                        std::vector<std::string>& names) {
    // The font shrinks to at most 0.6 of the titles' (and no less than 8 units)...
    const double least = std::min(font, std::max(8.0, std::round(0.6 * font)));
    const auto nameRoom = [&](double f) { return budget - 2.5 * measurer.TextWidth("****", f); };
    const auto widest = [&](double f) {
        double w = 0;
        for (const std::string& name : names)
            w = std::max(w, measurer.TextWidth(name, f));
        return w;
    };
    while (font > least && widest(font) > nameRoom(font))
        font -= 1;
    // ...then a start all names share gives way to "..", and names still too wide lose
    // characters from their middles, so that both their starts and ends stay readable.
    const double room = nameRoom(font);
    if (widest(font) > room)
        DropCommonPrefix(names);
    for (std::string& name : names)
        if (measurer.TextWidth(name, font) > room)
            name = ShortenedInMiddle(measurer, name, font, room);
    return font;
}

std::vector<std::vector<SDevicePoint>> CPlot::DeviceCurves() const {
    std::vector<std::vector<SDevicePoint>> out;
    if (m_bXYMode) {
        if (m_curves.size() >= 2) {
            const auto& xs = m_curves[0];
            const auto& ys = m_curves[1];
            std::vector<SDevicePoint> pts(std::min(xs.size(), ys.size()));
            for (size_t i = 0; i < pts.size(); ++i)
                pts[i] = {m_mapX.ToDeviceX(xs[i]), m_mapY.ToDeviceY(ys[i])};
            out.push_back(std::move(pts));
        }
        return out;
    }
    for (size_t k = 0; k < m_curves.size(); ++k) {
        const std::vector<double>& c = m_curves[k];
        const std::vector<double>& xs = XColumnOf(k);
        const size_t n = std::min(c.size(), xs.size());
        std::vector<SDevicePoint> pts(n);
        for (size_t i = 0; i < n; ++i)
            pts[i] = {m_mapX.ToDeviceX(xs[i]), m_mapY.ToDeviceY(c[i])};
        out.push_back(std::move(pts));
    }
    return out;
}

void CPlot::PlaceCurves() {
    CPlotLayout& l = m_layout;
    l.m_curves = DeviceCurves();
    l.m_curveAttributes = m_attributes;
    l.m_curveAttributes.resize(l.m_curves.size());
    l.m_nBaseY = l.m_plot.bottom;
    if (m_bOriginAtZero && !m_workY.bLog && m_workY.dMin < 0 && m_workY.dMax > 0)
        l.m_nBaseY = m_mapY.ToDeviceY(0.0);
    else if (m_bOriginAtZero && !m_workY.bLog && m_workY.dMin >= 0)
        l.m_nBaseY = l.m_plot.bottom;
    else if (m_bOriginAtZero && !m_workY.bLog)
        l.m_nBaseY = l.m_plot.top;
    l.m_overlay = OverlayLines();
    l.m_marks = Marks();
    l.m_strMessage = PlotMessage();
}

// ---- hit testing and readout ------------------------------------------------------------------

int CPlot::HitTest(int x, int /*y*/, int& curve) const {
    curve = 0;
    if (m_x.empty() || !m_mapX.IsValid())
        return -1;
    const double v = m_mapX.FromDeviceX(x);
    int best = 0;
    double bestD = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < m_x.size(); ++i) {
        const double d = std::fabs(m_x[i] - v);
        if (d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::string CPlot::ReadoutText(int /*index*/, int /*curve*/) {
    return kReadyText;
}

// ---- text output ------------------------------------------------------------------------------

bool CPlot::HasAllTitles() const {
    return !m_strTitle.empty() && !m_strYTitle.empty() && !m_strXTitle.empty();
}

bool CPlot::IsWritable(size_t i) const {
    if (m_workX.bLog && m_x[i] <= 0)
        return false;
    if (m_workY.bLog)
        for (size_t c = 0; c < std::min<size_t>(2, m_curves.size()); ++c)
            if (i < m_curves[c].size() && m_curves[c][i] <= 0)
                return false;
    return true;
}

std::string CPlot::GetPlotFileText(bool withTitles) const {
    std::string out;
    if (withTitles)
        out += m_strTitle + "\r\n" + m_strYTitle + "\r\n" + m_strXTitle + "\r\n";
    const size_t curves = std::min<size_t>(2, m_curves.size());
    for (size_t i = 0; i < m_x.size(); ++i) {
        if (!IsWritable(i))
            continue;
        out += StrPrintf("%g", m_x[i]);
        for (size_t c = 0; c < curves; ++c)
            if (i < m_curves[c].size())
                out += StrPrintf("   %g", m_curves[c][i]);
        out += "\r\n";
    }
    return out;
}

std::string CPlot::GetCopyDataText() const {
    std::string out;
    const size_t curves = std::min<size_t>(2, m_curves.size());
    for (size_t i = 0; i < m_x.size(); ++i) {
        if (!IsWritable(i))
            continue;
        out += StrPrintf("%12.9lf", m_x[i]);
        for (size_t c = 0; c < curves; ++c)
            if (i < m_curves[c].size())
                out += StrPrintf("\t%12.9lf", m_curves[c][i]);
        out += "\r\n";
    }
    return out;
}
