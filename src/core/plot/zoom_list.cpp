#include "plot/zoom_list.h"

#include "plot/plot_messages.h"
#include "support/format_number.h"
#include "support/host.h"

void CZoomList::RemoveAll() {
    m_levels.clear();
    m_nCurrent = 0;
    m_bPresentAppended = false;
}

int CZoomList::GetLevelCount() const {
    return static_cast<int>(m_levels.size()) - (m_bPresentAppended ? 1 : 0);
}

int CZoomList::GetCurrentLevelNumber() const {
    return static_cast<int>(m_nCurrent) + (m_bPresentAppended ? 0 : 1);
}

void CZoomList::PushZoom(const CAxisSettings& x, const CAxisSettings& y, double xMin, double xMax) {
    if (!m_levels.empty())
        m_levels.resize(m_nCurrent + 1);
    if (m_bPresentAppended && !m_levels.empty())
        m_levels.pop_back();
    m_levels.push_back({xMin, xMax, x, y});
    m_nCurrent = m_levels.size() - 1;
    m_bPresentAppended = false;
}

bool CZoomList::ExtendTop(double xLo, double xHi, double yLo, double yHi) {
    if (m_levels.empty())
        return false;
    CZoomData top = m_levels.front();
    const bool grewX = top.m_X.ExtendDataRange(xLo, xHi);
    const bool grewY = top.m_Y.ExtendDataRange(yLo, yHi);
    if (!grewX && !grewY)
        return false;
    top.m_dXMin = xLo;
    top.m_dXMax = xHi;
    m_levels.insert(m_levels.begin(), top);
    ++m_nCurrent;
    return true;
}

const CZoomData* CZoomList::Navigate(int kind, const CAxisSettings& x, const CAxisSettings& y,
                                     double xMin, double xMax) {
    if (m_levels.empty())
        return nullptr;
    if (!IsTail() || m_bPresentAppended) {
        CZoomData& current = m_levels[m_nCurrent];
        if (current.m_dXMin == xMin && current.m_dXMax == xMax) {
            current.m_X = x;
            current.m_Y = y;
        }
    } else {
        PushZoom(x, y, xMin, xMax);
        m_bPresentAppended = true;
    }
    if (kind == kZoomNext)
        kind = IsTail() ? kZoomTop : kZoomIn;
    else if (kind == kZoomPrevious)
        kind = m_nCurrent == 0 ? kZoomBottom : kZoomOut;
    switch (kind) {
    case kZoomTop:
        m_nCurrent = 0;
        break;
    case kZoomIn:
        if (!IsTail())
            ++m_nCurrent;
        break;
    case kZoomOut:
        if (m_nCurrent > 0)
            --m_nCurrent;
        break;
    case kZoomBottom:
        m_nCurrent = m_levels.size() - 1;
        break;
    default:
        break;
    }
    return &m_levels[m_nCurrent];
}

bool CZoomList::CanNavigate(int kind) const {
    if (m_levels.empty())
        return false;
    switch (kind) {
    case kZoomNext:
    case kZoomPrevious:
        return true;
    case kZoomTop:
    case kZoomOut:
        return !(m_nCurrent == 0 && m_bPresentAppended);
    case kZoomIn:
    case kZoomBottom:
        return m_bPresentAppended && !IsTail();
    default:
        return false;
    }
}

bool CZoomList::IsAtTop() const {
    return !m_levels.empty() && m_nCurrent == 0 && m_bPresentAppended;
}

bool CZoomList::IsAtBottom() const {
    return !m_levels.empty() && (!m_bPresentAppended || IsTail());
}

std::string CZoomList::GetStatusText() const {
    if (m_levels.empty())
        return kReadyText;
    const int count = GetLevelCount();
    const int number = GetCurrentLevelNumber();
    if (number == 0)
        return FormatMessage(PlotMessages::kTopZoomLevel, {std::to_string(count)});
    return FormatMessage(PlotMessages::kZoomLevel, {std::to_string(number), std::to_string(count)});
}

CZoomStatusReport::CZoomStatusReport() : m_strLast(kReadyText) {}

std::string CZoomStatusReport::AfterPaint(const CZoomList& zoom, bool hasFocus) {
    std::string now = zoom.GetStatusText();
    const bool changed = now != m_strLast;
    m_strLast = now;
    return hasFocus || changed ? now : std::string();
}

const char* ZoomCommandCaption(int kind) {
    switch (kind) {
    case kZoomNext:
        return PlotMessages::kZoomNext;
    case kZoomTop:
        return PlotMessages::kZoomTop;
    case kZoomIn:
        return PlotMessages::kZoomIn;
    case kZoomOut:
        return PlotMessages::kZoomOut;
    case kZoomBottom:
        return PlotMessages::kZoomBottom;
    default:
        return PlotMessages::kZoomPrevious;
    }
}
