#include "design/min_phase_options.h"

#include "support/archive.h"

void MinPhaseOptions::Store(CArchiveWriter& ar) const {
    ar.WriteInt32(m_bEnabled);
    ar.WriteInt32(m_nMaxTaps);
    ar.WriteDouble(m_dMaxDbError);
    ar.WriteInt32(m_bWarn);
}

void MinPhaseOptions::Load(CArchiveReader& ar) {
    m_bEnabled = ar.ReadInt32();
    m_nMaxTaps = ar.ReadInt32();
    m_dMaxDbError = ar.ReadDouble();
    m_bWarn = ar.ReadInt32();
}
