#include "design/windowed_sinc.h"

#include "design/fir_data.h"
#include "design/method_messages.h"
#include "response/response_value.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

int AutoSplineOrder(int taps, double corner1, double corner2, double fs) {
    const double dw = 2.0 * std::numbers::pi * (corner2 - corner1) / fs;
    const double p = 0.624 * taps * std::abs(dw) + 0.5;
    // A tap count or transition band from a damaged project must not overflow the order.
    return p < 1e9 ? std::max(1, static_cast<int>(p)) : 1000000000;
}

int SplineSincOrder(const SWindowedSincSpec& spec) {
    if (spec.ws.m_bAutoOrder)
        return AutoSplineOrder(spec.taps, spec.ws.m_dCorner1, spec.ws.m_dCorner2, spec.fs);
    return spec.ws.m_nSplineOrder;
}

SMethodMessage ValidateSplineSinc(const SWindowedSincSpec& spec) {
    if (SplineSincOrder(spec) <= 0)
        return {kMsgSplineOrder};
    return {};
}

// Spline-transition lowpass (Burrus, Soewito and Gopinath): the ideal lowpass of cutoff wc, the
// middle of the transition band, multiplied by the p-th power of sinc(dw m / (2p)), whose
// spectrum is a p-th order spline transition of width dw.
std::vector<double> DesignSplineSinc(const SWindowedSincSpec& spec) {
    const WindowedSincParams& ws = spec.ws;
    const int n = spec.taps;
    const double fs = spec.fs;
    const double pi = std::numbers::pi;
    const double dw = 2.0 * pi * (ws.m_dCorner2 - ws.m_dCorner1) / fs;
    const double wc = pi * (ws.m_dCorner1 + ws.m_dCorner2) / fs;
    const int p = std::max(1, SplineSincOrder(spec));

    std::vector<double> h(static_cast<size_t>(std::max(n, 0)), 0.0);
    const int half = n / 2;
    for (int i = 0; i < half; ++i) {
        const double m = i - half;
        const double x = dw * m / (2.0 * p);
        const double s = std::abs(x) < 1e-20 ? 1.0 : std::sin(x) / x;
        const double value = std::sin(wc * m) / (pi * m) * std::pow(s, p);
        h[static_cast<size_t>(i)] = value;
        h[static_cast<size_t>(n - 1 - i)] = value;
    }
    if (n % 2 != 0)
        h[static_cast<size_t>(half)] = wc / pi;
    if (n <= 0)
        return h;

    // Unit mean power over the lower part of the passband.
    double power = 0.0;
    for (int k = 0; k < n; ++k)
        power += RealTapsPowerAt(h, k * ws.m_dCorner1 / (2.0 * n) / fs);
    power /= n;
    if (power > 0.0) {
        const double factor = 1.0 / std::sqrt(power);
        for (double& tap : h)
            tap *= factor;
    }
    if (ws.m_nFilterType == 1) {
        for (double& tap : h)
            tap = -tap;
        h[static_cast<size_t>(n / 2)] += 1.0;
    }
    return h;
}

SDesignOutcome ApplySplineSinc(CFirData& filter) {
    const SWindowedSincSpec spec = WindowedSincSpecOf(filter);
    filter.m_Ws.m_nSplineOrder = SplineSincOrder(spec);
    SDesignOutcome outcome = SDesignOutcome::OfTaps(DesignSplineSinc(spec));
    filter.LoadDesignedTaps(outcome.taps);
    return outcome;
}
