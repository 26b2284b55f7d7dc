#include "plot/axis_labels.h"

#include "support/format_number.h"

#include <algorithm>
#include <cmath>

namespace {

// Characters that removing the trailing zeros (and then a bare point) would take off.
size_t TrailingZeroCount(const std::string& text) {
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return 0;
    size_t end = text.size();
    while (end > point + 1 && text[end - 1] == '0')
        --end;
    if (end == point + 1)
        --end;
    return text.size() - end;
}

void RemoveCommonTrailingZeros(CLabelArray& labels) {
    if (labels.empty())
        return;
    size_t common = std::string::npos;
    for (const CLabel& l : labels)
        common = std::min(common, TrailingZeroCount(l.m_strText));
    for (CLabel& l : labels)
        l.m_strText.resize(l.m_strText.size() - common);
}

CLabelArray LinearLabels(const SLabelRequest& r, double s, double factor, int decimals) {
    CLabelArray labels;
    bool zeroed = false;
    const double end = r.dMax + s * 1e-9;
    for (int i = 0; i <= 1000; ++i) {
        double v = r.dMin + i * s;
        if (v > end)
            break;
        if (!zeroed && std::fabs(v) < s * 0.001) {
            v = 0.0;
            zeroed = true;
        }
        labels.push_back({StrPrintf("%0.*f", decimals, v * factor + 0.0), v});
    }
    RemoveCommonTrailingZeros(labels);
    return labels;
}

CLabelArray LogLabels(double min, double max, double s) {
    CLabelArray labels;
    const double step = std::pow(10.0, s);
    double v = min;
    for (int i = 0; i <= 1000 && v <= max * (1.0 + 1e-9); ++i, v *= step) {
        const double e = std::log10(v);
        const int k = static_cast<int>(std::floor(e + 1e-4));
        const double mantissa = v / std::pow(10.0, k);
        labels.push_back({StrPrintf("%.1fE%+d", mantissa, k), v});
    }
    return labels;
}

} // namespace

int UsedLabelPower(int power) {
    return (power < -3 || power >= 0) ? power : 0;
}

CLabelArray GenerateLabels(const SLabelRequest& r, double* pSpacing, bool* pTooMany) {
    double s = r.dSpacing;
    if (pTooMany)
        *pTooMany = false;
    if (!(s > 0) || !(r.dMax >= r.dMin) || !std::isfinite(s) || !std::isfinite(r.dMin) ||
        !std::isfinite(r.dMax))
        return {};
    const int decimals = std::clamp(r.nDecimals, 0, 9);
    double min = r.dMin, max = r.dMax;
    double span = max - min;
    if (r.bLog) {
        if (max <= 0)
            max = 1.0;
        if (min <= 0)
            min = max / 1000.0;
        span = std::log10(max) - std::log10(min);
    }
    double count = std::trunc(span / s + 0.001);
    if (count < 1)
        count = 2;
    if (count > 100) {
        s = span / 10.0;
        if (pTooMany)
            *pTooMany = true;
        if (!(s > 0))
            return {};
    }
    if (pSpacing)
        *pSpacing = s;
    if (r.bLog)
        return LogLabels(min, max, s);
    const double factor = std::pow(10.0, -UsedLabelPower(r.nPower)) * r.dScale;
    return LinearLabels({r.nDecimals, s, r.nPower, false, min, max, r.dScale}, s, factor, decimals);
}

std::vector<double> ScaleLineValues(bool log, double start, double end, double d) {
    std::vector<double> v;
    if (!(d > 0) || !std::isfinite(d) || !std::isfinite(start) || !std::isfinite(end) ||
        end < start)
        return v;
    if (!log) {
        const double tolerance = d * 1e-9;
        for (int i = 0; i < kMaxScaleLines; ++i) {
            const double x = start + i * d;
            if (x > end + tolerance)
                break;
            v.push_back(x);
        }
        return v;
    }
    if (start <= 0 || end <= 0)
        return v;
    const auto decade = [](double x) { return std::pow(10.0, std::floor(std::log10(x * 1.0001))); };
    const double first = decade(start), last = decade(end);
    if (d >= 1) {
        const double step = std::pow(10.0, std::floor(d + 0.001));
        for (double x = first; x <= last * 1.0001 && v.size() < kMaxScaleLines; x *= step)
            v.push_back(x);
        return v;
    }
    for (double dec = first; dec <= last * 1.0001 && v.size() < kMaxScaleLines; dec *= 10.0) {
        const double step = d * 10.0 * dec;
        for (int i = 0; dec + i * step < dec * 10.0 * 0.9999 && v.size() < kMaxScaleLines; ++i)
            v.push_back(dec + i * step);
    }
    std::erase_if(v, [&](double x) { return x < start * 0.9999 || x > end * 1.0001; });
    return v;
}
