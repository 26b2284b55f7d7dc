#include "doc/dialog_settings.h"

#include "support/archive_fields.h"

namespace {

// Writes the record's fields for a version.
template <class R> void StoreRecord(const R& record, CArchiveWriter& ar, int nVersion) {
    CFieldWriter fields(ar, nVersion);
    R::DescribeFields(fields, record);
}

// Reads into a copy and commits it only when the whole record was read, so a short stream
// leaves the settings unchanged; a field the version lacks keeps its value.
template <class R> void LoadRecord(R& record, CArchiveReader& ar, int nVersion) {
    R read = record;
    CFieldReader fields(ar, nVersion);
    R::DescribeFields(fields, read);
    record = read;
}

} // namespace

template <class Fields, class Self> void CGenerateSettings::DescribeFields(Fields& f, Self& s) {
    f.Int32(s.m_nSamples);
    f.Float(s.m_fCycles);
    f.Int32(s.m_nRateMode, 8);
    f.Int32(s.m_bComplex, 8);
    f.Double(s.m_dPhaseDegrees, 8);
    f.Int32(s.m_nWaveform, 19);
}

void CGenerateSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    StoreRecord(*this, ar, nVersion);
}

void CGenerateSettings::Serialize(CArchiveReader& ar, int nVersion) {
    LoadRecord(*this, ar, nVersion);
}

template <class Fields, class Self> void CMixSettings::DescribeFields(Fields& f, Self& s) {
    f.Int32(s.m_settings.mode);
    f.Float(s.m_settings.frequency);
    f.Float(s.m_settings.divisor);
    f.Float(s.m_settings.multiplier);
    f.Int32(s.m_settings.phaseMode);
    f.Float(s.m_settings.phaseDegrees);
}

void CMixSettings::Serialize(CArchiveWriter& ar) const {
    StoreRecord(*this, ar, kFieldAlways);
}

void CMixSettings::Serialize(CArchiveReader& ar) {
    LoadRecord(*this, ar, kFieldAlways);
}

template <class Fields, class Self> void CScaleSettings::DescribeFields(Fields& f, Self& s) {
    f.Double(s.m_dFrequency);
    f.Int32(s.m_nMethod);
    f.Double(s.m_dTarget);
    f.Int32(s.m_bInDb);
    f.Int32(s.m_bRound, 9);
}

void CScaleSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    StoreRecord(*this, ar, nVersion);
}

void CScaleSettings::Serialize(CArchiveReader& ar, int nVersion) {
    LoadRecord(*this, ar, nVersion);
}

template <class Fields, class Self> void CCombFillSettings::DescribeFields(Fields& f, Self& s) {
    f.Int32(s.m_nTaps);
    f.Double(s.m_dConstant);
    f.Int32(s.m_bOneOverN);
}

void CCombFillSettings::Serialize(CArchiveWriter& ar) const {
    StoreRecord(*this, ar, kFieldAlways);
}

void CCombFillSettings::Serialize(CArchiveReader& ar) {
    LoadRecord(*this, ar, kFieldAlways);
}

template <class Fields, class Self> void CWindowSettings::DescribeFields(Fields& f, Self& s) {
    f.UInt16(s.m_nCode);
    f.Float(s.m_fAlpha);
    f.Float(s.m_fGamma, 10);
}

void CWindowSettings::Serialize(CArchiveWriter& ar, int nVersion) const {
    StoreRecord(*this, ar, nVersion);
}

void CWindowSettings::Serialize(CArchiveReader& ar, int nVersion) {
    LoadRecord(*this, ar, nVersion);
}
