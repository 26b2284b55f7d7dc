#include "dsp/fixed_point.h"

#include "support/format_number.h"

#include <cmath>

bool CFixedPointQuantizer::Setup(int bits) {
    if (bits < kMinBits || bits > kMaxBits)
        return false;
    const auto f = static_cast<int64_t>(std::pow(2.0, bits - 1) + 1e-5);
    m_nBits = bits;
    m_dFullScale = static_cast<double>(f);
    m_dInvFullScale = 1.0 / m_dFullScale;
    m_nLower = -f;
    m_nUpper = f - 1;
    m_bOverflow = false;
    return true;
}

double CFixedPointQuantizer::Quantize(double x) {
    // The product is compared in floating point before it becomes an integer, so values beyond
    // the 64-bit range (and NaN) never reach the conversion.
    constexpr double kTwo63 = 9223372036854775808.0;
    const double y = RoundHalfAwayDouble(m_dFullScale * x);
    int64_t q;
    if (std::isnan(y)) {
        m_bOverflow = true;
        return 0.0;
    }
    if (y >= kTwo63)
        q = m_nUpper + 1; // clamped below
    else if (y < -kTwo63)
        q = m_nLower - 1;
    else
        q = static_cast<int64_t>(y);
    if (q > m_nUpper) {
        q = m_nUpper;
        m_bOverflow = true;
    } else if (q < m_nLower) {
        q = m_nLower;
        m_bOverflow = true;
    }
    return static_cast<double>(q) / m_dFullScale;
}
