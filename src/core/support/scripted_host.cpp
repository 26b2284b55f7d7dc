#include "support/scripted_host.h"

#include <atomic>
#include <chrono>
#include <thread>

void CScriptedHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    messages.push_back({text, icon});
}

EAnswer CScriptedHost::Ask(const std::string& text, bool withCancel, EAnswer def) {
    questions.push_back(text);
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

void CScriptedHost::RunLongJob(CLongJob& job) {
    ++jobsRun;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        job.Run();
        finished = true;
    });
    int polls = 0;
    while (!finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const std::string text = job.StatusText();
        if (polledTexts.empty() || polledTexts.back() != text)
            polledTexts.push_back(text);
        if (m_nCancelAfterPolls >= 0 && ++polls >= m_nCancelAfterPolls && !jobCancelled) {
            job.RequestCancel();
            jobCancelled = true;
        }
    }
    worker.join();
}
