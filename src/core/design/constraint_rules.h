#pragma once

#include "design/ntaps_constraints.h"

#include <string>

class CHost;

// The values the tap-count constraints page offers for editing.
struct SConstraintPageValues {
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nParity = NTapsConstraints::kParityEither; // 0 either, 1 odd, 2 even
    bool m_bMultipleOn = false;                      // "Multiple of" switched on
    int m_nMultiple = 2;                             // the multiple, kept while switched off
    bool m_bConstrainEstimates = true;
};

// The page's values of a set of constraints.
SConstraintPageValues GetConstraintPageValues(const NTapsConstraints& c);

// The first rule the page's values break, in the order the page tests them, as its message;
// empty when every rule holds. A minimum below c.m_nAbsMin (a maximum above the absolute
// maximum) is reset to it in values.
std::string CheckConstraintPage(SConstraintPageValues& values, const NTapsConstraints& c);

// Checks the page's values in the order the page tests them; the first rule broken is shown
// (stop icon) through host and the result is false. A minimum below c.m_nAbsMin is reset to it
// in values. When every rule holds, the values are stored into c (the multiple is kept negated
// while switched off) and the result is true.
bool ApplyConstraintPage(SConstraintPageValues& values, NTapsConstraints& c, CHost* host);
