#include "response/time_response.h"

#include "data/corvi_data.h"

void ComputeStepResponse(const CCorviData& filter, CCorviData& step) {
    step.RemoveAll();
    step.m_bTime = 1;
    step.m_bReal = filter.m_bReal;
    step.m_pI->RunningSum(*filter.m_pI);
    step.m_pQ->RunningSum(*filter.m_pQ);
    step.ApplyFs(filter.m_Fs);
    step.ResetRange();
    step.m_nFirst = filter.m_nFirst;
    step.m_nLast = filter.m_nLast;
}
