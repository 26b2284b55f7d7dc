#include "data/format_options.h"

#include "support/archive.h"

int CWavFmt::GetSamplesPerSecond() const {
    switch (m_nSampleRate) {
    case 0:
        return 11025;
    case 1:
        return 22050;
    default:
        return 44100;
    }
}

void CFileFormatOpts::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteInt16(static_cast<int16_t>(m_WavFmt.m_nSampleSize));
    ar.WriteInt16(static_cast<int16_t>(m_WavFmt.m_nSampleRate));
    ar.WriteUInt16(static_cast<uint16_t>(m_nFormat));
    if (nVersion >= 4)
        m_AsmOpts.Serialize(ar);
    if (nVersion >= 5)
        m_OptionsC.Serialize(ar, nVersion);
    if (nVersion >= 12)
        ar.WriteInt32(m_FixedPoint.m_nBits);
}

void CFileFormatOpts::Serialize(CArchiveReader& ar, int nVersion) {
    const int sampleSize = ar.ReadInt16();
    const int sampleRate = ar.ReadInt16();
    const int format = ar.ReadUInt16();
    CAsmOpts asmOpts = m_AsmOpts;
    if (nVersion >= 4)
        asmOpts.Serialize(ar);
    COptionsC optionsC = m_OptionsC;
    if (nVersion >= 5)
        optionsC.Serialize(ar, nVersion);
    int bits = m_FixedPoint.m_nBits;
    if (nVersion >= 12)
        bits = ar.ReadInt32();
    // A word length outside 1..64 cannot be used by any format; it takes the default.
    if (bits < 1 || bits > 64)
        bits = CFixedPointOpts().m_nBits;
    m_WavFmt.m_nSampleSize = sampleSize;
    m_WavFmt.m_nSampleRate = sampleRate;
    m_nFormat = format;
    m_AsmOpts = std::move(asmOpts);
    m_OptionsC = std::move(optionsC);
    m_FixedPoint.m_nBits = bits;
}
