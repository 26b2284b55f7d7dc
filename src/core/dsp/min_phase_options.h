#pragma once

#include <cstdint>

class CArchiveReader;
class CArchiveWriter;
class CHost;

// "The maximum dB error parameter must be greater than 0.0"
extern const char* const kMsgMaxDbErrorNotPositive;

// The filter's settings for converting each new design to minimum phase.
struct MinPhaseOptions {
    int32_t m_bEnabled = 0;      // convert after every design
    int32_t m_nMaxTaps = 128;    // filters with more taps are not converted
    double m_dMaxDbError = 0.05; // largest accepted magnitude-response error, dB
    int32_t m_bWarn = 1;         // report a design that was not converted

    // Archive layout: int32, int32, float64, int32 in field order.
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Int32(s.m_bEnabled);
        f.Int32(s.m_nMaxTaps);
        f.Double(s.m_dMaxDbError);
        f.Int32(s.m_bWarn);
    }
    void Write(CArchiveWriter& ar) const;
    void Read(CArchiveReader& ar);
    // Refuses (stop message, false) a maximum error that is not greater than 0 dB.
    bool Validate(CHost& host) const;

    bool operator==(const MinPhaseOptions& other) const = default;
};
