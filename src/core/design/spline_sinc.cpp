#include "design/fir_data.h"
#include "design/method_messages.h"
#include "response/response_types.h"
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

int CFirData::SplineSincOrder() const {
    if (m_Ws.m_bAutoOrder)
        return AutoSplineOrder(m_nTaps, m_Ws.m_dCorner1, m_Ws.m_dCorner2, GetFs());
    return m_Ws.m_nSplineOrder;
}

bool CFirData::ValidateSplineSinc(bool showMessage) const {
    if (SplineSincOrder() <= 0) {
        if (showMessage)
            Report(kMsgSplineOrder);
        return false;
    }
    return true;
}

// Spline-transition lowpass (Burrus, Soewito and Gopinath): the ideal lowpass of cutoff wc, the
// middle of the transition band, multiplied by the p-th power of sinc(dw m / (2p)), whose
// spectrum is a p-th order spline transition of width dw.
void CFirData::DesignSplineSinc() {
    m_Ws.m_nSplineOrder = SplineSincOrder();
    const int n = m_nTaps;
    const double fs = GetFs();
    const double pi = std::numbers::pi;
    const double dw = 2.0 * pi * (m_Ws.m_dCorner2 - m_Ws.m_dCorner1) / fs;
    const double wc = pi * (m_Ws.m_dCorner1 + m_Ws.m_dCorner2) / fs;
    const int p = std::max(1, m_Ws.m_nSplineOrder);

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
    LoadDesignedTaps(h);
    if (n <= 0)
        return;

    // Unit mean power over the lower part of the passband.
    double power = 0.0;
    for (int k = 0; k < n; ++k)
        power +=
            FreqResponseAt(*this, kChannelInphase, false, k * m_Ws.m_dCorner1 / (2.0 * n), false);
    power /= n;
    if (power > 0.0) {
        const double factor = 1.0 / std::sqrt(power);
        for (int i = 0; i < n; ++i)
            (*m_pI)[i] *= factor;
    }
    if (m_Ws.m_nFilterType == 1) {
        for (int i = 0; i < n; ++i)
            (*m_pI)[i] = -(*m_pI)[i];
        (*m_pI)[n / 2] += 1.0;
    }
}
