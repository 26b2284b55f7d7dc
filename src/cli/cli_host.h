#pragma once

#include "support/host.h"

#include <chrono>
#include <csignal>
#include <iosfwd>
#include <string>

// The command line as a host: messages go to standard error, questions take the answer the
// options chose (or the question's default), the status display's text is shown on standard
// error while a long job runs on a terminal, and Ctrl+C cancels the running job.
class CCliHost : public CHost {
public:
    explicit CCliHost(std::ostream& err);
    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    // Forces every question's answer (for --force style options); unset: the default.
    void SetForcedAnswer(EAnswer a) {
        m_forced = a;
        m_bForced = true;
    }
    // Whether Ctrl+C cancelled a long job since this host was made (or since ClearInterrupted).
    bool Interrupted() const { return m_bInterrupted; }
    // Forgets a cancelled job, for a host that serves several commands one after another.
    void ClearInterrupted() { m_bInterrupted = false; }

protected:
    void OpenJobDisplay(CLongJob& job) override;
    bool PollJobDisplay(CLongJob& job) override;
    void CloseJobDisplay(CLongJob& job) override;

private:
    std::ostream& m_err;
    bool m_bTerminal;
    struct sigaction m_oldInterrupt {};
    std::string m_strShown;
    std::chrono::steady_clock::time_point m_lastPrint;
    EAnswer m_forced = EAnswer::Yes;
    bool m_bForced = false;
    bool m_bInterrupted = false;
};

// Whether Ctrl+C cancelled a long job of a command-line host since the last call (for a program
// that runs several commands in one process).
bool TakeCliJobInterrupt();
