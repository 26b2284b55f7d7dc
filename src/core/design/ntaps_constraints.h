#pragma once

class CArchiveReader;
class CArchiveWriter;

// The limits a tap count must meet: a range, a parity and optionally a multiple.
struct NTapsConstraints {
    // Largest tap count any filter may have.
    static constexpr int kAbsMaxTaps = 16384;

    int m_nAbsMin = 0; // smallest minimum the options accept; filled when a design type is set
    int m_nAbsMax = 0; // largest maximum the options accept
    int m_bConstrainEstimates = 1;
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nParity = 0;    // 0 either, 1 odd, 2 even
    int m_nMultiple = -2; // > 0: counts must be a multiple of it; <= 0: off, magnitude remembered

    enum { kParityEither = 0, kParityOdd = 1, kParityEven = 2 };

    // Moves n (up or down) to the nearest count that has the parity and multiple, first clamped
    // into [m_nMin, m_nMax] when clamp is set. Returns whether n changed.
    bool AdjustTaps(bool up, int& n, bool clamp) const;
    // Moves the minimum up and the maximum down onto counts that meet the constraints.
    void NormalizeLimits();
    // The distance between neighbouring admissible counts.
    int GetTapStep() const;
    // n + GetTapStep() unless that exceeds the maximum.
    void StepUp(int& n) const;
    bool MeetsConstraints(int n) const;

    // Archive without the absolute limits: m_nMin, m_nMax, m_bConstrainEstimates, m_nParity,
    // m_nMultiple, each int32.
    // The archived options: five int32 in field order (the absolute limits are not stored).
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Int32(s.m_nMin);
        f.Int32(s.m_nMax);
        f.Int32(s.m_bConstrainEstimates);
        f.Int32(s.m_nParity);
        f.Int32(s.m_nMultiple);
    }
    void Store(CArchiveWriter& ar) const;
    void Load(CArchiveReader& ar);
};
