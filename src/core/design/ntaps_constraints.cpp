#include "design/ntaps_constraints.h"

#include "support/archive_fields.h"

bool NTapsConstraints::AdjustTaps(bool up, int& n, bool clamp) const {
    const int m = m_nMultiple > 0 ? m_nMultiple : 1;
    int b = n;
    if (clamp) {
        if (b < m_nMin)
            b = m_nMin;
        else if (b > m_nMax)
            b = m_nMax;
    }
    if (m > 1 && b % m != 0)
        b = up ? b + m - b % m : b - b % m;
    if ((m_nParity == kParityOdd && b % 2 == 0) || (m_nParity == kParityEven && b % 2 != 0))
        b = up ? b + m : b - m;
    if (clamp) {
        if (b < m_nMin)
            b = m_nMin;
        else if (b > m_nMax)
            b = m_nMax;
    }
    const bool changed = b != n;
    n = b;
    return changed;
}

void NTapsConstraints::NormalizeLimits() {
    AdjustTaps(true, m_nMin, false);
    AdjustTaps(false, m_nMax, false);
}

int NTapsConstraints::GetTapStep() const {
    if (m_nMultiple > 0)
        return m_nMultiple;
    return m_nParity != kParityEither ? 2 : 1;
}

void NTapsConstraints::StepUp(int& n) const {
    const int next = n + GetTapStep();
    if (next <= m_nMax)
        n = next;
}

bool NTapsConstraints::MeetsConstraints(int n) const {
    int copy = n;
    return !AdjustTaps(true, copy, true);
}

void NTapsConstraints::Store(CArchiveWriter& ar) const {
    CFieldWriter fields(ar, kFieldAlways);
    DescribeFields(fields, *this);
}

void NTapsConstraints::Load(CArchiveReader& ar) {
    CFieldReader fields(ar, kFieldAlways);
    DescribeFields(fields, *this);
}
