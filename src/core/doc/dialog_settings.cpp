#include "doc/dialog_settings.h"

#include "support/archive.h"

// Each reader fills a copy and commits it only when the whole record was read, so a short
// stream leaves the settings unchanged.

void CGenerateSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteInt32(m_nSamples);
    ar.WriteFloat(m_fCycles);
    if (nVersion > 7) {
        ar.WriteInt32(m_nRateMode);
        ar.WriteInt32(m_bComplex);
        ar.WriteDouble(m_dPhaseDegrees);
    }
    if (nVersion >= 19)
        ar.WriteInt32(m_nWaveform);
}

void CGenerateSettings::Serialize(CArchiveReader& ar, int nVersion) {
    CGenerateSettings s = *this;
    s.m_nSamples = ar.ReadInt32();
    s.m_fCycles = ar.ReadFloat();
    if (nVersion > 7) {
        s.m_nRateMode = ar.ReadInt32();
        s.m_bComplex = ar.ReadInt32();
        s.m_dPhaseDegrees = ar.ReadDouble();
    }
    if (nVersion >= 19)
        s.m_nWaveform = ar.ReadInt32();
    *this = s;
}

void CMixSettings::Serialize(CArchiveWriter& ar) const {
    ar.WriteInt32(m_settings.mode);
    ar.WriteFloat(static_cast<float>(m_settings.frequency));
    ar.WriteFloat(static_cast<float>(m_settings.divisor));
    ar.WriteFloat(static_cast<float>(m_settings.multiplier));
    ar.WriteInt32(m_settings.phaseMode);
    ar.WriteFloat(static_cast<float>(m_settings.phaseDegrees));
}

void CMixSettings::Serialize(CArchiveReader& ar) {
    SMixSettings s;
    s.mode = ar.ReadInt32();
    s.frequency = ar.ReadFloat();
    s.divisor = ar.ReadFloat();
    s.multiplier = ar.ReadFloat();
    s.phaseMode = ar.ReadInt32();
    s.phaseDegrees = ar.ReadFloat();
    m_settings = s;
}

void CScaleSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteDouble(m_dFrequency);
    ar.WriteInt32(m_nMethod);
    ar.WriteDouble(m_dTarget);
    ar.WriteInt32(m_bInDb);
    if (nVersion >= 9)
        ar.WriteInt32(m_bRound);
}

void CScaleSettings::Serialize(CArchiveReader& ar, int nVersion) {
    CScaleSettings s = *this;
    s.m_dFrequency = ar.ReadDouble();
    s.m_nMethod = ar.ReadInt32();
    s.m_dTarget = ar.ReadDouble();
    s.m_bInDb = ar.ReadInt32();
    if (nVersion >= 9)
        s.m_bRound = ar.ReadInt32();
    *this = s;
}

void CCombFillSettings::Serialize(CArchiveWriter& ar) const {
    ar.WriteInt32(m_nTaps);
    ar.WriteDouble(m_dConstant);
    ar.WriteInt32(m_bOneOverN);
}

void CCombFillSettings::Serialize(CArchiveReader& ar) {
    CCombFillSettings s;
    s.m_nTaps = ar.ReadInt32();
    s.m_dConstant = ar.ReadDouble();
    s.m_bOneOverN = ar.ReadInt32();
    *this = s;
}

void CWindowSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteUInt16(static_cast<uint16_t>(m_nCode));
    ar.WriteFloat(m_fAlpha);
    if (nVersion >= 10)
        ar.WriteFloat(m_fGamma);
}

void CWindowSettings::Serialize(CArchiveReader& ar, int nVersion) {
    CWindowSettings s = *this;
    s.m_nCode = ar.ReadUInt16();
    s.m_fAlpha = ar.ReadFloat();
    s.m_fGamma = nVersion >= 10 ? ar.ReadFloat() : 40.0f;
    *this = s;
}
