#include "response/time_response.h"

#include "data/corvi_data.h"
#include "dsp/signal_ops.h"

void ComputeStepResponse(const CCorviData& filter, CCorviData& step) {
    step.RemoveAll();
    step.m_bTime = 1;
    Integrate(step, filter);
    step.m_nFirst = filter.m_nFirst;
    step.m_nLast = filter.m_nLast;
}
