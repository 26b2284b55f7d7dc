#pragma once

#include <string>

// None: a plain message box without an icon.
enum class EMsgIcon { Stop, Exclamation, Question, Information, None };
enum class EAnswer { Yes, No, Cancel };

// A long computation that the host runs on a worker thread while its status display polls it.
class CLongJob {
public:
    virtual ~CLongJob() = default;
    // Runs on the worker thread; returns soon after RequestCancel.
    virtual void Run() = 0;
    // Polled on the host's thread every 10 ms while Run works.
    virtual std::string StatusText() const = 0;
    // Called on the host's thread when the user cancels.
    virtual void RequestCancel() = 0;
    // False for short jobs: the host waits without showing a status display.
    virtual bool ShowStatusDisplay() const { return true; }
    // The title of the status display.
    virtual std::string Title() const { return "Designing"; }
};

// Everything the core must say to or ask of the user goes through the host: the desktop
// program, the command line and the tests each implement it.
class CHost {
public:
    virtual ~CHost() = default;
    virtual void ShowMessage(const std::string& text, EMsgIcon icon) = 0;
    // A Yes/No question (Yes/No/Cancel when withCancel) shown with icon; def is the default
    // button. Overrides repeat the default icon.
    virtual EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                        EMsgIcon icon = EMsgIcon::Question) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Runs job.Run on a worker thread while the status display polls it every 10 ms and
    // forwards its Cancel; returns when Run has returned. An exception that escaped Run is shown
    // as an error message and the result is false.
    bool RunLongJob(CLongJob& job);
    // Places plain 8-bit text on the clipboard; a host without a clipboard ignores it.
    virtual void SetClipboardText(const std::string& /*text*/) {}

    // Convenience forms of ShowMessage.
    void Error(const std::string& text) { ShowMessage(text, EMsgIcon::Stop); }
    void Warning(const std::string& text) { ShowMessage(text, EMsgIcon::Exclamation); }
    void Notice(const std::string& text) { ShowMessage(text, EMsgIcon::Information); }
    bool AskYesNo(const std::string& text, EAnswer def = EAnswer::Yes) {
        return Ask(text, false, def) == EAnswer::Yes;
    }

protected:
    // The status display of a long job: opened before the job starts, polled on this thread
    // every 10 ms while it runs (true: the user asks to cancel), closed after it has ended.
    virtual void OpenJobDisplay(CLongJob& /*job*/) {}
    virtual bool PollJobDisplay(CLongJob& /*job*/) { return false; }
    virtual void CloseJobDisplay(CLongJob& /*job*/) {}
};

// Status text and wait cursor for the lifetime of a scope; "Ready" returns at the end.
class CBusyScope {
public:
    CBusyScope(CHost& host, const std::string& status);
    ~CBusyScope();
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    CHost& m_host;
};

// The text of the status bar when nothing runs.
extern const char* const kReadyText;
// A long job that stopped with an error; %1 is the error's own text.
extern const char* const kMsgJobFailed;
// kMsgJobFailed with the error's text.
std::string FormatJobFailure(const std::string& what);

// Reports "Math error in function %1." for the first non-finite result after start-up only;
// later calls do nothing. Returns whether this call reported.
bool ReportMathError(CHost& host, const std::string& function);
// Forgets that a math error was reported (for tests).
void ResetMathErrorReport();
