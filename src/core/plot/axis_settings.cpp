#include "plot/axis_settings.h"

#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Rounds the mantissa c (1 <= c < 10) of a step up to the first nice value.
double NiceMantissa(double c) {
    if (c == 1.0)
        return 1.0;
    constexpr double kNice[] = {1.0, 2.0, 2.5, 4.0, 5.0};
    if (c <= 1.00001)
        return 1.0;
    for (double n : kNice)
        if (c <= n * (1.0 + 1e-9))
            return n;
    return 10.0;
}

SNiceScale LogScale(double lo, double hi) {
    double max = hi > 0 ? std::pow(10.0, std::floor(std::log10(hi))) : 1.0;
    if (max * 1.001 < hi)
        max *= 10.0;
    double min = max * 0.001;
    if (lo > 0)
        min = std::min(std::pow(10.0, std::floor(std::log10(lo))), max * 0.1);
    return {min, max, 1.0, 0.1};
}

// Tries m = 10 and then 9 intervals of a nice spacing that cover lo..hi.
SNiceScale LinearScale(double lo, double hi) {
    double spacing = 1.0, min = 0.0, max = 1.0;
    for (int m : {10, 9}) {
        const double step = (hi - lo) / m;
        const double b = std::pow(10.0, std::floor(std::log10(step)));
        spacing = b * NiceMantissa(step / b);
        min = 0.0;
        if (lo != 0.0) {
            min = std::trunc(lo / spacing + 0.001) * spacing;
            if (min > lo)
                min -= spacing;
        }
        max = min + m * spacing;
        if (lo + 0.01 * spacing >= min && max >= hi - 0.01 * spacing)
            break;
    }
    while (hi <= max - spacing && max - spacing > min)
        max -= spacing;
    return {min, max, spacing, spacing};
}

} // namespace

SNiceScale NiceScale(double lo, double hi, bool log) {
    if (lo > hi)
        std::swap(lo, hi);
    if (std::fabs(lo) < 1e-100 && std::fabs(hi) < 1e-100) {
        lo = -0.5;
        hi = 0.5;
    } else if ((hi - lo) / std::max(std::fabs(lo), std::fabs(hi)) < 1e-6) {
        if (hi > 0)
            lo = 0.0;
        else
            hi = 0.0;
    }
    return log ? LogScale(lo, hi) : LinearScale(lo, hi);
}

void CAxisSettings::SetDataRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return;
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi) {
        if (hi > 0)
            lo = 0.0, hi = 2.0 * hi;
        else
            lo = 2.0 * lo, hi = 0.0;
    }
    if (m_bAutoScale || hi < m_dDataMin || lo > m_dDataMax)
        Refit(lo, hi);
}

bool CAxisSettings::ExtendDataRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return false;
    if (lo >= m_dDataMin && hi <= m_dDataMax)
        return false;
    Refit(std::min(lo, hi), std::max(lo, hi));
    return true;
}

void CAxisSettings::Refit(double lo, double hi) {
    m_dDataMin = lo;
    m_dDataMax = hi;
    const SNiceScale s = NiceScale(lo, hi, m_bLog != 0);
    m_dAxisMin = s.dMin;
    m_dAxisMax = s.dMax;
    m_dLabel = s.dLabel;
    m_dTic = s.dTic;
    if (!m_bManualLabels)
        m_nPower = AutomaticPower();
}

int CAxisSettings::AutomaticPower() const {
    return EngineeringPower(m_bLog ? m_dAxisMin : m_dLabel);
}
