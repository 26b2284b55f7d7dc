#include "support/scripted_host.h"

void CScriptedHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    messages.push_back({text, icon});
}

EAnswer CScriptedHost::Ask(const std::string& text, bool withCancel, EAnswer def, EMsgIcon icon) {
    questions.push_back(text);
    questionIcons.push_back(icon);
    if (m_answers.empty())
        return def;
    EAnswer a = m_answers.front();
    m_answers.pop_front();
    if (a == EAnswer::Cancel && !withCancel)
        a = EAnswer::No;
    return a;
}

void CScriptedHost::SetStatusText(const std::string& text) {
    statusTexts.push_back(text);
}

void CScriptedHost::OpenJobDisplay(CLongJob& /*job*/) {
    ++jobsRun;
    m_nPolls = 0;
}

bool CScriptedHost::PollJobDisplay(CLongJob& job) {
    const std::string text = job.StatusText();
    if (polledTexts.empty() || polledTexts.back() != text)
        polledTexts.push_back(text);
    if (m_nCancelAfterPolls >= 0 && ++m_nPolls >= m_nCancelAfterPolls && !jobCancelled) {
        jobCancelled = true;
        return true;
    }
    return false;
}
