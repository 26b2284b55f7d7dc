#pragma once

#include "data/corvi_data.h"

#include <vector>

// A time-domain filter with the given coefficients (Q empty means all zero) at fs in unit.
inline void MakeFilter(CCorviData& filter, const std::vector<double>& i,
                       const std::vector<double>& q = {}, double fs = 1.0, int unit = 0) {
    filter.RemoveAll();
    for (size_t n = 0; n < i.size(); ++n) {
        filter.m_pI->Add(i[n]);
        filter.m_pQ->Add(q.empty() ? 0.0 : q[n]);
    }
    filter.m_bTime = 1;
    filter.m_bReal = q.empty() ? 1 : 0;
    filter.ApplyFs(CFs(fs, unit));
    filter.ResetRange();
}
