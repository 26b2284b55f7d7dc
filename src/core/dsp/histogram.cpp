#include "dsp/histogram.h"

#include <algorithm>
#include <cmath>

double CHistogramData::IndexToX(int i) const {
    return (i + 0.5) * m_dBinWidth + m_dMin;
}

int CHistogramData::XToIndex(double x) const {
    if (m_nBins <= 0)
        return 0;
    const double bin = std::trunc((x - m_dMin) / m_dBinWidth);
    // A zero width (all values equal) or NaN puts everything into the first bin.
    if (!(bin > 0.0))
        return 0;
    return bin >= m_nBins - 1 ? m_nBins - 1 : static_cast<int>(bin);
}

void CHistogramData::BuildHistogram(const CCorviData& source, int kindA, int kindB) {
    RemoveAll();
    const int n = source.GetN();
    if (m_nBins <= 0 || m_bAutoBins) {
        if (n == 0)
            m_nBins = 17;
        else
            m_nBins =
                std::min(n, std::max(9, static_cast<int>(std::log10(n) / std::log10(2.0) + 1.5)));
    }
    if (m_bAutoRange || m_dMin == m_dMax) {
        double lo = 0.0;
        double hi = 0.0;
        if (kindA != kNone) {
            source.GetQuantityRange(kindA, m_dMin, m_dMax);
            if (kindB != kNone) {
                source.GetQuantityRange(kindB, lo, hi);
                m_dMin = std::min(m_dMin, lo);
                m_dMax = std::max(m_dMax, hi);
            }
        } else if (kindB != kNone) {
            source.GetQuantityRange(kindB, m_dMin, m_dMax);
        }
    }
    m_dBinWidth = (m_dMax - m_dMin) / m_nBins;
    m_pI->SetSize(m_nBins);
    m_pQ->SetSize(m_nBins);
    std::fill(m_pI->begin(), m_pI->end(), 0.0);
    std::fill(m_pQ->begin(), m_pQ->end(), 0.0);
    auto count = [&](int kind, CDataColumn& bins) {
        if (kind == kNone)
            return;
        for (int k = 0; k < n; ++k) {
            const double v = source.GetQuantity(k, kind);
            if (v >= m_dMin && v <= m_dMax)
                bins[XToIndex(v)] += 1.0;
        }
    };
    count(kindA, *m_pI);
    count(kindB, *m_pQ);
    ResetRange();
}
