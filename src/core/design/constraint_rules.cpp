#include "design/constraint_rules.h"

#include "design/driver_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cstdlib>
#include <string>

namespace {

bool Refuse(CHost* host, const std::string& text) {
    if (host)
        host->Error(text);
    return false;
}

bool ViolatesParity(int n, int parity) {
    return (parity == NTapsConstraints::kParityOdd && n % 2 == 0) ||
           (parity == NTapsConstraints::kParityEven && n % 2 != 0);
}

} // namespace

SConstraintPageValues GetConstraintPageValues(const NTapsConstraints& c) {
    SConstraintPageValues v;
    v.m_nMin = c.m_nMin;
    v.m_nMax = c.m_nMax;
    v.m_nParity = c.m_nParity;
    v.m_bMultipleOn = c.m_nMultiple > 0;
    v.m_nMultiple = std::abs(c.m_nMultiple);
    v.m_bConstrainEstimates = c.m_bConstrainEstimates != 0;
    return v;
}

std::string CheckConstraintPage(SConstraintPageValues& v, const NTapsConstraints& c) {
    if (v.m_nMax < v.m_nMin)
        return kMsgMinAboveMax;
    if (v.m_nMin < c.m_nAbsMin) {
        v.m_nMin = c.m_nAbsMin;
        return FormatMessage(kMsgMinBelowAbsMin, {std::to_string(c.m_nAbsMin)});
    }
    const int absMax = c.m_nAbsMax > 0 ? c.m_nAbsMax : NTapsConstraints::kAbsMaxTaps;
    if (v.m_nMax > absMax) {
        v.m_nMax = absMax;
        return FormatMessage(kMsgMaxAboveAbsMax, {std::to_string(absMax)});
    }
    if (v.m_nMin == v.m_nMax && ViolatesParity(v.m_nMin, v.m_nParity))
        return kMsgParityConflictsLimits;
    if (v.m_bMultipleOn) {
        const int m = v.m_nMultiple;
        if (v.m_nParity == NTapsConstraints::kParityOdd && m % 2 == 0)
            return kMsgMultipleEvenWhenOdd;
        if (m <= 1)
            return kMsgMultipleTooSmall;
        // Refused only when no multiple lies within [minimum, maximum].
        if (v.m_nMax / m * m < v.m_nMin)
            return kMsgMultipleOutsideLimits;
    }
    return {};
}

bool ApplyConstraintPage(SConstraintPageValues& v, NTapsConstraints& c, CHost* host) {
    if (const std::string refusal = CheckConstraintPage(v, c); !refusal.empty())
        return Refuse(host, refusal);
    c.m_nMin = v.m_nMin;
    c.m_nMax = v.m_nMax;
    c.m_nParity = v.m_nParity;
    c.m_nMultiple = v.m_bMultipleOn ? v.m_nMultiple : -std::abs(v.m_nMultiple);
    c.m_bConstrainEstimates = v.m_bConstrainEstimates ? 1 : 0;
    return true;
}
