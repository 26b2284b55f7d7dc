#include "response/time_response.h"

#include "data/corvi_data.h"

void ComputeStepResponse(const CCorviData& filter, CCorviData& step) {
    step.RemoveAll();
    step.m_bTime = 1;
    step.Integrate(filter);
    step.m_nFirst = filter.m_nFirst;
    step.m_nLast = filter.m_nLast;
}
