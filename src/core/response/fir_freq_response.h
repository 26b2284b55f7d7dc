#pragma once

#include "data/corvi_data.h"

// A filter's frequency response on a regular grid of bins: the transform of its coefficients
// zero-padded to m_nResolution times the smallest power of two above the tap count. Its sampling
// frequency is 1.0 Hz, so bin frequencies are fractions of the filter's sampling frequency.
class CFirFreqResponse : public CCorviData {
public:
    // Transform lengths above this are refused (points).
    static constexpr long long kMaxLength = 1LL << 25;
    // Largest resolution a loaded stream recomputes at once: the largest any computation of the
    // program uses. A larger stored one is kept but leaves the response empty, so that a file
    // cannot make loading take minutes and hundreds of megabytes.
    static constexpr int kMaxLoadedResolution = 256;

    explicit CFirFreqResponse(CCorviData* pFilter = nullptr);

    // Recomputes the bins with the given oversampling factor (at least 1). Returns false and
    // changes nothing without a filter, for a resolution below 1 or when the transform would
    // exceed kMaxLength.
    bool ComputeResponse(int resolution);

    // Smallest and largest power |H|^2 over [fLow, fHigh] (fractions of the sampling frequency):
    // the inphase response evaluated exactly at both edges and every bin between them. Computes
    // the bins first, with the default resolution, when there are none. Both are 0 without a
    // filter.
    void GetPowerRange(double& min, double& max, double fLow, double fHigh);

    // Transform length for a tap count and resolution (0 when resolution < 1).
    static long long GetTransformLength(int taps, int resolution);

    using CCorviData::Serialize;
    // The resolution alone (int32), from stream version 14 on.
    void Serialize(CArchiveWriter& ar, int nVersion) const override;
    // Reads the resolution and recomputes the bins with it; older streams, a filter without
    // coefficients, a resolution above kMaxLoadedResolution or a transform too long leave the
    // response empty. A resolution outside
    // 1..kMaxLength throws CArchiveException and changes nothing.
    void Serialize(CArchiveReader& ar, int nVersion) override;

    CCorviData* m_pFilter; // the filter whose coefficients are transformed; not owned
    int m_nResolution;     // oversampling factor of the last computation
};

// While one lives on a thread, responses read from a stream keep their resolution but are left
// empty, to be computed (at the default resolution) when first needed. A document restores its undo
// states this way, so that undo and redo of a long filter do not transform it again and again.
class CDeferResponseScope {
public:
    CDeferResponseScope();
    ~CDeferResponseScope();
    CDeferResponseScope(const CDeferResponseScope&) = delete;
    CDeferResponseScope& operator=(const CDeferResponseScope&) = delete;
    static bool Active();

private:
    bool m_bPrevious;
};
