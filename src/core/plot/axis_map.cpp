#include "plot/axis_map.h"

#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {
// Device coordinates stay within this distance of the plot so that integer conversion and the
// painter never see a huge or undefined value.
constexpr double kDeviceLimit = 1e6;

int ClampToDevice(double d) {
    if (std::isnan(d))
        return 0;
    return static_cast<int>(std::clamp(d, -kDeviceLimit, kDeviceLimit));
}
} // namespace

bool CAxisMap::Set(double min, double max, bool log, int edge, int length) {
    if (log && min <= 0)
        min = max * 0.01;
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min) || length < 1)
        return false;
    if (log && max <= 0)
        return false;
    const double origin = log ? std::log10(min) : min;
    const double span = (log ? std::log10(max) : max) - origin;
    if (!(span > 0) || !std::isfinite(1.0 / span))
        return false;
    m_bValid = true;
    m_bLog = log;
    m_dMin = min;
    m_dMax = max;
    m_dOrigin = origin;
    m_dScale = 1.0 / span;
    m_nEdge = edge;
    m_nLength = length;
    return true;
}

double CAxisMap::Unit(double v) const {
    return m_bLog ? std::log10(v) : v;
}

int CAxisMap::ToDeviceX(double x) const {
    if (m_bLog && x <= 0)
        return m_nEdge;
    const double d = (Unit(x) - m_dOrigin) * m_dScale * m_nLength + 0.001;
    return ClampToDevice(std::trunc(std::clamp(d, -kDeviceLimit, kDeviceLimit)) + m_nEdge);
}

int CAxisMap::ToDeviceY(double y) const {
    if (m_bLog && y <= 0)
        return m_nEdge;
    const double d = (Unit(y) - m_dOrigin) * m_dScale * m_nLength;
    return ClampToDevice(m_nEdge - RoundHalfAwayDouble(std::clamp(d, -kDeviceLimit, kDeviceLimit)));
}

double CAxisMap::FromDeviceX(int px) const {
    const double u = (px - m_nEdge) / m_dScale / m_nLength + m_dOrigin;
    return m_bLog ? std::pow(10.0, u) : u;
}

double CAxisMap::FromDeviceY(int py) const {
    const double u = (m_nEdge - py) / m_dScale / m_nLength + m_dOrigin;
    return m_bLog ? std::pow(10.0, u) : u;
}
