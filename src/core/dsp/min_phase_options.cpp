#include "dsp/min_phase_options.h"

#include "support/archive.h"
#include "support/host.h"

const char* const kMsgMaxDbErrorNotPositive =
    "The maximum dB error parameter must be greater than 0.0";

void MinPhaseOptions::Write(CArchiveWriter& ar) const {
    ar.WriteInt32(m_bEnabled);
    ar.WriteInt32(m_nMaxTaps);
    ar.WriteDouble(m_dMaxDbError);
    ar.WriteInt32(m_bWarn);
}

void MinPhaseOptions::Read(CArchiveReader& ar) {
    MinPhaseOptions read;
    read.m_bEnabled = ar.ReadInt32();
    read.m_nMaxTaps = ar.ReadInt32();
    read.m_dMaxDbError = ar.ReadDouble();
    read.m_bWarn = ar.ReadInt32();
    *this = read;
}

bool MinPhaseOptions::Validate(CHost& host) const {
    if (!(m_dMaxDbError > 0.0)) {
        host.Error(kMsgMaxDbErrorNotPositive);
        return false;
    }
    return true;
}
