#include "cli_run.h"

#include "cli.h"
#include "cli_plot_render.h"
#include "cli_project.h"
#include "cli_run_commands.h"
#include "cli_run_dialogs.h"
#include "doc/fir_doc.h"
#include "support/file_access.h"
#include "support/format_number.h"

#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <ostream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const kRunUsage =
    "  run PROJECT [-o OUT] [--in-place] [--answer yes|no|cancel]... [--script FILE]\n"
    "      [--show-json] [\"COMMAND ARGS\"]...\n"
    "      Applies FIR commands to the project in order, as the project's menu does: the same\n"
    "      checks, questions, messages (on standard error), undo points and remembered dialog\n"
    "      values. Each quoted argument, and each line of FILE that is neither empty nor begins\n"
    "      with #, is one command (script lines first). Questions take the --answer values in\n"
    "      order, then their default button. The result is written, through a temporary file,\n"
    "      to OUT (or with --in-place to PROJECT) after the last command, and only when every\n"
    "      command ran. --show-json prints the result as show --json does, with modified,\n"
    "      undoDepth and redoDepth. Exit status: 0 every command ran, 1 a command was refused,\n"
    "      failed or was cancelled with Ctrl+C (the rest are not run, the project is not\n"
    "      written; files an earlier export step wrote stay), 2 bad arguments. With --in-place,\n"
    "      other runs on the same project wait their turn, and a project changed on disk by\n"
    "      another program since it was read is not replaced.\n"
    "    Commands:\n";

namespace {

const char* const kMsgChangedOnDisk =
    "The project \"%1\" was changed on disk since it was read; it was not replaced.";

void CRunHostPrefix(std::ostream& os, EMsgIcon icon) {
    switch (icon) {
    case EMsgIcon::Stop:
        os << "error: ";
        break;
    case EMsgIcon::Exclamation:
        os << "warning: ";
        break;
    case EMsgIcon::Question:
        os << "question: ";
        break;
    case EMsgIcon::Information:
        os << "notice: ";
        break;
    case EMsgIcon::None:
        os << "message: ";
        break;
    }
}

// A command as messages show it: a very long one is cut short.
std::string Shown(const std::string& text) {
    constexpr size_t kMaxShown = 200;
    return text.size() <= kMaxShown ? text : text.substr(0, kMaxShown) + "...";
}

int RunUsageError(const std::string& text, std::ostream& err) {
    err << "corvifir-cli run: " << text << "\n"
        << "Try 'corvifir-cli run --help' for more information.\n";
    return kExitUsage;
}

// The script's commands: its lines that are neither empty nor comments.
bool ReadScript(const std::string& path, std::vector<std::string>& commands) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (ReadFileBounded(path, bytes, reason) != EFileRead::Ok)
        return false;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos && line[first] != '#')
            commands.push_back(line.substr(first));
    }
    return true;
}

// Holds the project file while a run changes it in place: other runs on the same project wait
// their turn, and a replacement by any other program since it was read is noticed.
class CProjectGuard {
public:
    explicit CProjectGuard(const std::string& path) : m_path(path) {
        // A run that waited on a file since replaced takes the replacement's lock instead.
        for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
            m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            if (m_fd < 0)
                return;
            const bool locked = ::flock(m_fd, LOCK_EX) == 0;
            m_read = StampOfOpenFile(m_fd);
            const SFileStamp now = StampOfFile(path);
            if (!locked || !m_read.exists || !now.exists || now.inode != m_read.inode ||
                now.device != m_read.device) {
                ::close(m_fd);
                m_fd = -1;
            }
        }
    }
    ~CProjectGuard() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CProjectGuard(const CProjectGuard&) = delete;
    CProjectGuard& operator=(const CProjectGuard&) = delete;

    // Whether the file is still the one read: same file, size and modification time.
    bool Unchanged() const { return m_fd >= 0 && StampOfFile(m_path) == m_read; }

private:
    std::string m_path;
    int m_fd = -1;
    SFileStamp m_read;
};

} // namespace

std::string ShownCommand(const std::string& text) {
    std::string shown(1, '"');
    shown += Shown(text);
    shown += '"';
    return shown;
}

bool ParseRunSteps(const std::vector<std::string>& texts, std::vector<SRunStep>& steps,
                   std::string& error) {
    for (const std::string& text : texts) {
        std::vector<std::string> words;
        if (!SplitCommandWords(text, words) || words.empty()) {
            error = "cannot read the command \"" + Shown(text) + "\"";
            return false;
        }
        const std::string name = words[0];
        std::string reason;
        FRunCommand run =
            ParseRunCommand(name, std::vector<std::string>(words.begin() + 1, words.end()), reason);
        if (!run) {
            error = Shown(name) + ": " + Shown(reason);
            return false;
        }
        steps.push_back({text, std::move(run)});
    }
    return true;
}

SRunOutcome RunSteps(CRunContext& ctx, const std::vector<SRunStep>& steps, std::ostream& err) {
    for (size_t i = 0; i < steps.size(); ++i) {
        ctx.dialogs.BeginCommand();
        const int errorsBefore = ctx.host.Errors();
        const bool ran = steps[i].run(ctx);
        if (ctx.host.Interrupted())
            return {SRunOutcome::Cancelled, i};
        if (ctx.host.Errors() != errorsBefore)
            return {SRunOutcome::Failed, i};
        if (!ran)
            err << "corvifir-cli run: " << ShownCommand(steps[i].text)
                << " ended without a change.\n";
    }
    return {};
}

void CRunHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    if (icon == EMsgIcon::Stop)
        ++m_nErrors;
    CRunHostPrefix(m_err, icon);
    m_err << text << "\n";
}

EAnswer CRunHost::Ask(const std::string& text, bool withCancel, EAnswer def, EMsgIcon /*icon*/) {
    EAnswer a = def;
    if (!m_answers.empty()) {
        a = m_answers.front();
        m_answers.pop_front();
    }
    if (a == EAnswer::Cancel && !withCancel)
        a = EAnswer::No;
    m_err << "question: " << text << " -> "
          << (a == EAnswer::Yes  ? "Yes"
              : a == EAnswer::No ? "No"
                                 : "Cancel")
          << "\n";
    return a;
}

bool CRunDialogs::SaveReportPictures(CFirDoc& doc, const std::string& reportPath) {
    return WriteReportPictures(doc.Filter(), doc.m_View, reportPath, doc.Host());
}

std::string RunUsage() {
    return std::string(kRunUsage) + RunCommandsUsage();
}

int RunRunCommand(CCliArgs& args, std::ostream& out, std::ostream& err) {
    const auto output = args.Value("--output", "-o");
    const bool inPlace = args.Flag("--in-place");
    const auto script = args.Value("--script");
    const bool showJson = args.Flag("--show-json");
    std::vector<EAnswer> answers;
    for (const auto& v : args.Repeated("--answer", 1)) {
        if (v[0] == "yes" || v[0] == "no" || v[0] == "cancel")
            answers.push_back(v[0] == "yes"  ? EAnswer::Yes
                              : v[0] == "no" ? EAnswer::No
                                             : EAnswer::Cancel);
        else
            args.Fail("option '--answer' takes yes, no or cancel");
    }
    std::vector<std::string> positionals = args.Positionals();
    args.Finish();
    if (args.Ok() && positionals.empty())
        args.Fail("run needs a project file");
    if (args.Ok() && output && inPlace)
        args.Fail("-o and --in-place exclude each other");
    if (!args.Ok())
        return RunUsageError(args.Error(), err);
    const std::string project = positionals[0];

    std::vector<std::string> texts;
    if (script && !ReadScript(*script, texts))
        return RunUsageError("cannot read the script \"" + *script + "\"", err);
    texts.insert(texts.end(), positionals.begin() + 1, positionals.end());

    // Every command is checked before any runs.
    std::vector<SRunStep> steps;
    std::string error;
    if (!ParseRunSteps(texts, steps, error))
        return RunUsageError(error, err);

    CRunHost host(err);
    for (EAnswer a : answers)
        host.QueueAnswer(a);
    const std::optional<CProjectGuard> guard =
        inPlace ? std::optional<CProjectGuard>(std::in_place, project) : std::nullopt;
    CFirDoc doc(host);
    if (!doc.OnOpenDocument(project))
        return kExitFailed;
    const std::string target = output ? *output : inPlace ? project : std::string();
    CRunDialogs dialogs;
    CRunContext ctx{doc, host, dialogs, {}, {project, target}};
    const SRunOutcome outcome = RunSteps(ctx, steps, err);
    if (outcome.end != SRunOutcome::Done) {
        err << "corvifir-cli run: " << ShownCommand(steps[outcome.failed].text)
            << (outcome.end == SRunOutcome::Cancelled ? " was cancelled" : " failed")
            << "; the project was not written.\n";
        return kExitFailed;
    }
    if (guard && !guard->Unchanged()) {
        host.Error(FormatMessage(kMsgChangedOnDisk, {project}));
        return kExitFailed;
    }
    if (!target.empty() && !doc.OnSaveDocument(target))
        return kExitFailed;
    if (showJson)
        WriteProjectJson(doc, out,
                         {{"modified", doc.IsModified() ? "true" : "false"},
                          {"undoDepth", std::to_string(doc.UndoDepth())},
                          {"redoDepth", std::to_string(doc.RedoDepth())}});
    return kExitOk;
}
