#include "support/host.h"

#include "support/format_number.h"
#include "support/worker.h"

#include <atomic>

const char* const kReadyText = "Ready";
const char* const kMsgJobFailed = "The computation stopped with an error: %1";

std::string FormatJobFailure(const std::string& what) {
    return FormatMessage(kMsgJobFailed, {what});
}

bool CHost::RunLongJob(CLongJob& job) {
    OpenJobDisplay(job);
    const std::optional<std::string> failure =
        RunOnWorker(job, [this, &job] { return PollJobDisplay(job); });
    CloseJobDisplay(job);
    if (failure)
        Error(*failure);
    return !failure;
}

CBusyScope::CBusyScope(CHost& host, const std::string& status) : m_host(host) {
    m_host.SetStatusText(status);
    m_host.BeginWaitCursor();
}

CBusyScope::~CBusyScope() {
    m_host.EndWaitCursor();
    m_host.SetStatusText(kReadyText);
}

namespace {
std::atomic<bool> g_mathErrorReported{false};
}

bool ReportMathError(CHost& host, const std::string& function) {
    if (g_mathErrorReported.exchange(true))
        return false;
    host.ShowMessage(FormatMessage("Math error in function %1.", {function}), EMsgIcon::Stop);
    return true;
}

void ResetMathErrorReport() {
    g_mathErrorReported = false;
}
