#pragma once

class CArchiveReader;
class CArchiveWriter;

// Whether and how a finished design is converted to minimum phase.
struct MinPhaseOptions {
    int m_bEnabled = 0;
    int m_nMaxTaps = 128;        // longer filters are not converted
    double m_dMaxDbError = 0.05; // largest accepted magnitude error of the conversion, dB
    int m_bWarn = 1;             // report a conversion that failed

    // int32, int32, float64, int32 in field order.
    void Store(CArchiveWriter& ar) const;
    void Load(CArchiveReader& ar);
};
