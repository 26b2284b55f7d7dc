#include "cli_host.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <ostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {
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

void CCliHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    const char* prefix = icon == EMsgIcon::Stop          ? "error: "
                         : icon == EMsgIcon::Exclamation ? "warning: "
                                                         : "";
    m_err << prefix << text << "\n";
}

EAnswer CCliHost::Ask(const std::string& text, bool withCancel, EAnswer def) {
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

void CCliHost::RunLongJob(CLongJob& job) {
    g_interrupted = false;
    struct sigaction sa {};
    struct sigaction old {};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &old);

    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        job.Run();
        finished = true;
    });
    std::string shown;
    bool cancelled = false;
    auto lastPrint = std::chrono::steady_clock::now();
    while (!finished) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (g_interrupted && !cancelled) {
            job.RequestCancel();
            cancelled = true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (terminal && job.ShowStatusDisplay() &&
            now - lastPrint > std::chrono::milliseconds(200)) {
            const std::string text = OneLine(job.StatusText());
            if (text != shown) {
                m_err << "\r" << text << "\x1b[K" << std::flush;
                shown = text;
            }
            lastPrint = now;
        }
    }
    worker.join();
    if (!shown.empty())
        m_err << "\r\x1b[K" << std::flush;
    sigaction(SIGINT, &old, nullptr);
}
