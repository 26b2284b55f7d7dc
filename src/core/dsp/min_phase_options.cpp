#include "dsp/min_phase_options.h"

#include "support/archive_fields.h"
#include "support/host.h"

const char* const kMsgMaxDbErrorNotPositive =
    "The maximum dB error parameter must be greater than 0.0";

void MinPhaseOptions::Write(CArchiveWriter& ar) const {
    CFieldWriter fields(ar, kFieldAlways);
    DescribeFields(fields, *this);
}

void MinPhaseOptions::Read(CArchiveReader& ar) {
    MinPhaseOptions read;
    CFieldReader fields(ar, kFieldAlways);
    DescribeFields(fields, read);
    *this = read;
}

bool MinPhaseOptions::Validate(CHost& host) const {
    if (!(m_dMaxDbError > 0.0)) {
        host.Error(kMsgMaxDbErrorNotPositive);
        return false;
    }
    return true;
}
