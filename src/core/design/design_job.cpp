#include "design/design_job.h"

#include "design/design_messages.h"
#include "support/format_number.h"

#include <utility>

CDesignRun::CDesignRun(CDesignControl* control)
    : m_control(control ? *control : m_own),
      m_bOutermost(m_control.m_bDesignDone.exchange(0) == 1) {
    if (m_bOutermost)
        m_control.m_bCancel = 0;
}

CDesignRun::~CDesignRun() {
    if (m_bOutermost)
        m_control.m_bDesignDone = 1;
}

CDesignJob::CDesignJob(CDesignControl& control, int taps, std::string title,
                       std::function<void()> work, bool showStatus)
    : m_control(control), m_strTitle(std::move(title)), m_work(std::move(work)),
      m_bShowStatus(showStatus), m_nTaps(taps) {}

void CDesignJob::Run() {
    m_work();
}

std::string CDesignJob::StatusText() const {
    if (m_bCancelling)
        return kMsgCancellingStatus;
    std::string text = StrPrintf(kFmtDesignStatus, m_nTaps, m_control.Iterations());
    const int progress = m_control.QuantProgress();
    text += progress != 0 ? StrPrintf(kFmtQuantizingStatus, progress) : std::string("\n");
    text += "\n";
    return text + ExtraStatusText();
}

void CDesignJob::RequestCancel() {
    m_control.RequestCancel();
    m_bCancelling = true;
}
