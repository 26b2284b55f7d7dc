#pragma once

#include "data/corvi_data.h"

// A filter's frequency response on a regular grid of bins: the transform of its coefficients
// zero-padded to m_nResolution times the smallest power of two above the tap count. Its sampling
// frequency is 1.0 Hz, so bin frequencies are fractions of the filter's sampling frequency.
class CFirFreqResponse : public CCorviData {
public:
    // Transform lengths above this are refused (points).
    static constexpr long long kMaxLength = 1LL << 25;
    // Largest stored resolution the bins are computed at when first needed: the largest any
    // computation of the program uses. A larger stored one is kept (and written back) but the
    // bins come at the default resolution, so that a file cannot make a measurement take
    // minutes and hundreds of megabytes.
    static constexpr int kMaxLoadedResolution = 256;

    explicit CFirFreqResponse(CCorviData* pFilter = nullptr);

    // Recomputes the bins with the given oversampling factor (at least 1). Returns false and
    // changes nothing without a filter, for a resolution below 1 or when the transform would
    // exceed kMaxLength.
    bool ComputeResponse(int resolution);

    // Smallest and largest power |H|^2 over [fLow, fHigh] (fractions of the sampling frequency):
    // the inphase response evaluated exactly at both edges and every bin between them. Computes
    // the bins first when there are none: at the resolution read from a stream while they are
    // pending (up to kMaxLoadedResolution), otherwise or when that fails at the default one.
    // Both are 0 without a filter.
    void GetPowerRange(double& min, double& max, double fLow, double fHigh);

    // Transform length for a tap count and resolution (0 when resolution < 1).
    static long long GetTransformLength(int taps, int resolution);

    using CCorviData::Serialize;
    // The resolution alone (int32), from stream version 14 on.
    void Serialize(CArchiveWriter& ar, int nVersion) const override;
    // Reads the resolution and leaves the bins empty and pending: they are computed when first
    // needed, at that resolution (see GetPowerRange). Older streams leave the response empty and
    // not pending. A resolution outside 1..kMaxLength throws CArchiveException and changes
    // nothing.
    void Serialize(CArchiveReader& ar, int nVersion) override;
    // Empties the bins; they are no longer pending.
    void RemoveAll() override;
    // Whether the bins, read from a stream as a resolution alone, wait to be computed at it.
    bool Pending() const { return m_bPending; }

    CCorviData* m_pFilter; // the filter whose coefficients are transformed; not owned
    int m_nResolution;     // oversampling factor of the last computation
private:
    bool m_bPending = false;
};
