#include "cli_host.h"

#include <atomic>
#include <ostream>
#include <string>
#include <unistd.h>

namespace {
// The terminal line is rewritten at most this often.
constexpr std::chrono::milliseconds kLineInterval{200};

std::atomic<bool> g_interrupted{false};
extern "C" void OnInterrupt(int) {
    g_interrupted = true;
}

// The status display's lines as one terminal line: runs of white space become one space.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        const bool space = c == '\n' || c == '\r' || c == ' ' || c == '\t';
        if (!space)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    if (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}
} // namespace

bool TakeCliJobInterrupt() {
    return g_interrupted.exchange(false);
}

CCliHost::CCliHost(std::ostream& err) : m_err(err), m_bTerminal(::isatty(STDERR_FILENO) != 0) {}

void CCliHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    const char* prefix = icon == EMsgIcon::Stop          ? "error: "
                         : icon == EMsgIcon::Exclamation ? "warning: "
                                                         : "";
    m_err << prefix << text << "\n";
}

EAnswer CCliHost::Ask(const std::string& text, bool withCancel, EAnswer def, EMsgIcon /*icon*/) {
    EAnswer a = m_bForced ? m_forced : def;
    if (a == EAnswer::Cancel && !withCancel)
        a = EAnswer::No;
    m_err << text << " -> "
          << (a == EAnswer::Yes  ? "Yes"
              : a == EAnswer::No ? "No"
                                 : "Cancel")
          << "\n";
    return a;
}

void CCliHost::OpenJobDisplay(CLongJob& /*job*/) {
    g_interrupted = false;
    struct sigaction sa {};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &m_oldInterrupt);
    m_strShown.clear();
    m_lastPrint = std::chrono::steady_clock::now();
}

bool CCliHost::PollJobDisplay(CLongJob& job) {
    const auto now = std::chrono::steady_clock::now();
    if (m_bTerminal && job.ShowStatusDisplay() && now - m_lastPrint > kLineInterval) {
        const std::string text = OneLine(job.StatusText());
        if (text != m_strShown) {
            m_err << "\r" << text << "\x1b[K" << std::flush;
            m_strShown = text;
        }
        m_lastPrint = now;
    }
    m_bInterrupted = m_bInterrupted || g_interrupted;
    return g_interrupted;
}

void CCliHost::CloseJobDisplay(CLongJob& /*job*/) {
    // Ctrl+C pressed after the last look still cancels: the job's result is not trusted.
    m_bInterrupted = m_bInterrupted || g_interrupted;
    if (!m_strShown.empty())
        m_err << "\r\x1b[K" << std::flush;
    sigaction(SIGINT, &m_oldInterrupt, nullptr);
}
