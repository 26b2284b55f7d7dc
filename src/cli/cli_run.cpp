#include "cli_run.h"

#include "cli.h"
#include "cli_project.h"
#include "cli_run_commands.h"
#include "cli_run_dialogs.h"
#include "doc/fir_doc.h"
#include "support/file_access.h"

#include <cstdint>
#include <ostream>
#include <sstream>

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
    "      undoDepth and redoDepth. Exit status: 0 every command ran, 1 a command was refused\n"
    "      or failed (the rest are not run, nothing is written), 2 bad arguments.\n"
    "    Commands:\n";

namespace {

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

struct SParsed {
    std::string text;
    FRunCommand run;
};

} // namespace

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
    std::vector<SParsed> commands;
    for (const std::string& text : texts) {
        std::vector<std::string> words;
        if (!SplitCommandWords(text, words) || words.empty())
            return RunUsageError("cannot read the command \"" + text + "\"", err);
        const std::string name = words[0];
        std::string error;
        FRunCommand run =
            ParseRunCommand(name, std::vector<std::string>(words.begin() + 1, words.end()), error);
        if (!run)
            return RunUsageError(name + ": " + error, err);
        commands.push_back({text, std::move(run)});
    }

    CRunHost host(err);
    for (EAnswer a : answers)
        host.QueueAnswer(a);
    CFirDoc doc(host);
    if (!doc.OnOpenDocument(project))
        return kExitFailed;
    CRunDialogs dialogs;
    CRunContext ctx{doc, host, dialogs, {}};
    for (const SParsed& command : commands) {
        dialogs.BeginCommand();
        const int errorsBefore = host.Errors();
        const bool ran = command.run(ctx);
        if (host.Errors() != errorsBefore) {
            err << "corvifir-cli run: \"" << command.text << "\" failed; nothing was written.\n";
            return kExitFailed;
        }
        if (!ran)
            err << "corvifir-cli run: \"" << command.text << "\" ended without a change.\n";
    }
    const std::string target = output ? *output : inPlace ? project : std::string();
    if (!target.empty() && !doc.OnSaveDocument(target))
        return kExitFailed;
    if (showJson)
        WriteProjectJson(doc, out,
                         {{"modified", doc.IsModified() ? "true" : "false"},
                          {"undoDepth", std::to_string(doc.UndoDepth())},
                          {"redoDepth", std::to_string(doc.RedoDepth())}});
    return kExitOk;
}
