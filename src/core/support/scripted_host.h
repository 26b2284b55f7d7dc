#pragma once

#include "support/host.h"

#include <deque>
#include <string>
#include <vector>

// A host for tests and batch use: questions are answered from a queue (the question's default
// when the queue is empty), and every message, question and status text is recorded.
class CScriptedHost : public CHost {
public:
    struct Message {
        std::string text;
        EMsgIcon icon;
    };

    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override { ++m_nWaitDepth; }
    void EndWaitCursor() override { --m_nWaitDepth; }
    void SetClipboardText(const std::string& text) override { clipboardTexts.push_back(text); }

    void QueueAnswer(EAnswer a) { m_answers.push_back(a); }
    void CancelAfterPolls(int polls) { m_nCancelAfterPolls = polls; }

    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<EMsgIcon> questionIcons;     // the icon of each question
    std::vector<std::string> statusTexts;    // SetStatusText calls
    std::vector<std::string> polledTexts;    // distinct status display texts seen while polling
    std::vector<std::string> clipboardTexts; // SetClipboardText calls
    int jobsRun = 0;
    bool jobCancelled = false;

    int WaitDepth() const { return m_nWaitDepth; }
    // Text of the last message shown, "" when none.
    std::string LastMessage() const {
        return messages.empty() ? std::string() : messages.back().text;
    }

protected:
    // Long jobs run on a real worker thread: every distinct status text polled is recorded, and
    // with CancelAfterPolls set, the job is cancelled after that many polls.
    void OpenJobDisplay(CLongJob& job) override;
    bool PollJobDisplay(CLongJob& job) override;

private:
    std::deque<EAnswer> m_answers;
    int m_nPolls = 0;
    int m_nCancelAfterPolls = -1;
    int m_nWaitDepth = 0;
};
