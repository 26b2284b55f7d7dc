#include "design/design_job.h"

#include "design/design_messages.h"
#include "design/fir_data.h"
#include "support/format_number.h"

#include <utility>

CDesignRun::CDesignRun(CFirData& filter)
    : m_filter(filter), m_bOutermost(filter.m_bDesignDone.exchange(0) == 1) {
    if (m_bOutermost)
        m_filter.m_bCancel = 0;
}

CDesignRun::~CDesignRun() {
    if (m_bOutermost)
        m_filter.m_bDesignDone = 1;
}

CDesignJob::CDesignJob(CFirData& filter, std::string title, std::function<void()> work,
                       bool showStatus)
    : m_filter(filter), m_strTitle(std::move(title)), m_work(std::move(work)),
      m_bShowStatus(showStatus), m_nTaps(filter.GetNumTaps()) {}

void CDesignJob::Run() {
    m_work();
}

std::string CDesignJob::StatusText() const {
    if (m_bCancelling)
        return kMsgCancellingStatus;
    std::string text = StrPrintf(kFmtDesignStatus, m_nTaps, m_filter.m_nIteration.load());
    const int progress = m_filter.m_nQuantProgress;
    text += progress != 0 ? StrPrintf(kFmtQuantizingStatus, progress) : std::string("\n");
    text += "\n";
    return text + ExtraStatusText();
}

void CDesignJob::RequestCancel() {
    m_filter.m_bCancel = 1;
    m_bCancelling = true;
}
