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
    void Store(CArchiveWriter& ar) const;
    void Load(CArchiveReader& ar);
};
