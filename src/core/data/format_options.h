#pragma once

#include "data/code_export_options.h"
#include "hdl/hdl_plan.h"

#include <array>
#include <cstdint>
#include <string>

class CArchiveReader;
class CArchiveWriter;

// Word length of the fixed-point text formats.
class CFixedPointOpts {
public:
    bool operator==(const CFixedPointOpts&) const = default;

    int m_nBits = 16; // 1..64
    // The hardware formats' implementation: input and output words, rounding, overflow and
    // structure (its coefficient word length is m_nBits). Kept for the session, not stored.
    SHdlOptions m_Hdl;
};

// Sample size and rate of WAVE files, and the header last read or written.
class CWavFmt {
public:
    static constexpr size_t kHeaderSize = 46;

    // 8 or 16.
    int GetBitsPerSample() const { return m_nSampleSize == 1 ? 16 : 8; }
    // 11025, 22050 or 44100 samples per second.
    int GetSamplesPerSecond() const;

    bool operator==(const CWavFmt&) const = default;

    int m_nSampleSize = 0; // 0: 8-bit, 1: 16-bit
    int m_nSampleRate = 0; // 0: 11025, 1: 22050, 2: 44100 samples per second
    std::array<uint8_t, kHeaderSize> m_header{};
};

// The format chosen for one data file and the options of every format, remembered between uses
// and stored with the project.
class CFileFormatOpts {
public:
    // Format code, WAVE sizes, then by stream version V: assembler options (V >= 4), C options
    // (V >= 5) and the fixed-point word length (V >= 12). The plot titles are not stored.
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    // On a short stream throws CArchiveException and leaves the record unchanged.
    void Serialize(CArchiveReader& ar, int nVersion);

    bool operator==(const CFileFormatOpts&) const = default;

    // A code of the format table, 100 (8-bit WAVE) or 101 (16-bit WAVE); -1 none. A stored -1
    // reads back as 65535, which like any code outside the table means no format.
    int m_nFormat = -1;
    CFixedPointOpts m_FixedPoint;
    CWavFmt m_WavFmt;
    CAsmOpts m_AsmOpts;
    COptionsC m_OptionsC;
    // Titles of a Text:Plot header: main, Y, X.
    std::string m_strMainTitle;
    std::string m_strYTitle;
    std::string m_strXTitle;
};
