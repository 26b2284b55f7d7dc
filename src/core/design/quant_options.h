#pragma once

class CArchiveReader;
class CArchiveWriter;

// How coefficients are quantized to fixed point: after each design, on command and in the
// optimiser's search.
struct QuantOptions {
    int m_nBits = -16; // word length in bits; <= 0: quantization off, magnitude remembered
    int m_bSaveInFileOptions = 1;
    int m_nAlgorithm = 0; // 0 round multiple, 1 round, 2 symmetric search, 3 asymmetric search
    int m_bTruncateZeros = 1;
    int m_nSearchLow = 4;   // first response resolution of the searches
    int m_nSearchHigh = 32; // last response resolution, also that of the reference

    // Six int32 in field order.
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Int32(s.m_nBits);
        f.Int32(s.m_bSaveInFileOptions);
        f.Int32(s.m_nAlgorithm);
        f.Int32(s.m_bTruncateZeros);
        f.Int32(s.m_nSearchLow);
        f.Int32(s.m_nSearchHigh);
    }
    void Store(CArchiveWriter& ar) const;
    void Load(CArchiveReader& ar);
};

// One quantization algorithm: its code (QuantOptions::m_nAlgorithm), its caption and the
// command line's word for it.
struct SQuantAlgorithmInfo {
    int code;
    const char* caption;
    const char* word;
};
inline constexpr SQuantAlgorithmInfo kQuantAlgorithms[] = {
    {0, "Round Multiple", "round-multiple"},
    {1, "Round", "round"},
    {2, "Symmetric Search", "symmetric-search"},
    {3, "Asymmetric Search", "asymmetric-search"},
};

// The row of an algorithm code; a code outside the catalogue gives the first row, the
// algorithm such a code runs.
const SQuantAlgorithmInfo& QuantAlgorithmInfo(int code);

// What a quantization did. A cancelled search has still changed the taps it had searched, and
// the caller must treat the filter as changed.
struct SQuantizeResult {
    bool completed = false; // every coefficient was quantized
    bool changed = false;   // some coefficient differs from before, completed or not
    bool saturated = false; // some coefficient was beyond the range and was clamped
    explicit operator bool() const { return completed; }
};
