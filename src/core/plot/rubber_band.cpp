#include "plot/rubber_band.h"

#include <algorithm>
#include <cstdlib>

void CRubberBand::Clamp(int& x, int& y) const {
    x = std::clamp(x, m_plot.left, std::max(m_plot.left, m_plot.right));
    y = std::clamp(y, m_plot.top, std::max(m_plot.top, m_plot.bottom));
}

void CRubberBand::Press(int x, int y, const SDeviceRect& plot) {
    m_plot = plot;
    const bool withinX = x >= plot.left && x <= plot.right;
    const bool withinY = y >= plot.top && y <= plot.bottom;
    if (withinX && !withinY)
        m_nMode = kBandX;
    else if (withinY && !withinX)
        m_nMode = kBandY;
    else
        m_nMode = kBandBoth;
    Clamp(x, y);
    m_nAnchorX = m_nPointX = x;
    m_nAnchorY = m_nPointY = y;
    m_bActive = true;
    m_bMoved = false;
}

void CRubberBand::Move(int x, int y) {
    if (!m_bActive)
        return;
    Clamp(x, y);
    m_nPointX = x;
    m_nPointY = y;
    m_bMoved = true;
}

SBandResult CRubberBand::Release(int x, int y) {
    SBandResult r;
    if (!m_bActive)
        return r;
    m_bActive = false;
    const int releaseX = x, releaseY = y;
    Clamp(x, y);
    r.x1 = std::min(m_nAnchorX, x);
    r.x2 = std::max(m_nAnchorX, x);
    r.y1 = std::min(m_nAnchorY, y);
    r.y2 = std::max(m_nAnchorY, y);
    const int width = r.x2 - r.x1, height = r.y2 - r.y1;
    r.nMode = m_nMode;
    if (m_nMode == kBandX && width < 10)
        r.nMode = kBandClick;
    else if (m_nMode == kBandY && height < 5)
        r.nMode = kBandNothing;
    else if (m_nMode == kBandBoth && width < 10)
        r.nMode = kBandClick;
    else if (m_nMode == kBandBoth && height < 5)
        r.nMode = kBandX;
    if (r.nMode == kBandClick) {
        r.x1 = r.x2 = releaseX;
        r.y1 = r.y2 = releaseY;
    }
    return r;
}

void CCrosshair::Show(int x, int y) {
    Toggle(m_x, x);
    Toggle(m_y, y);
}

void CCrosshair::Clear() {
    m_x.clear();
    m_y.clear();
}

void CCrosshair::Toggle(std::vector<int>& lines, int at) {
    const auto drawn = std::find(lines.begin(), lines.end(), at);
    if (drawn != lines.end()) {
        lines.erase(drawn);
        return;
    }
    if (lines.size() == 2)
        lines.erase(lines.begin());
    lines.push_back(at);
}
