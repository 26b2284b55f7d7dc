#pragma once

#include "data/corvi_data.h"

// A histogram of one or two quantities of a signal: I counts the samples of the first quantity
// in each bin, Q those of the second; x is the value at the bin centre.
class CHistogramData : public CCorviData {
public:
    // The quantity kind that selects nothing (the others are CCorviData::EQuantity).
    static constexpr int kNone = 5;

    explicit CHistogramData(CHost* pHost = nullptr) : CCorviData(pHost) {}

    // The centre of bin i: (i + 0.5) * width + min.
    double IndexToX(int i) const override;
    // The bin of value x, clamped to 0..bins-1 (0 when the bins have no width).
    int XToIndex(double x) const override;

    // Counts source's values of quantity kindA into I and of kindB into Q (kNone: none). With
    // m_bAutoBins the bin count follows the source length; with m_bAutoRange (or an empty
    // range) the range spans both quantities over the source's display range.
    void BuildHistogram(const CCorviData& source, int kindA, int kindB);

    int m_nBins = 17;
    double m_dMin = 0.0; // lower edge of the first bin
    double m_dMax = 0.0; // upper edge of the last bin
    int m_bAutoBins = 1;
    int m_bAutoRange = 1;
    double m_dBinWidth = 0.0; // (max - min) / bins
};
