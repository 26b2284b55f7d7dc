#include "cli.h"

#include "cli_commands.h"
#include "cli_design.h"
#include "cli_design_methods.h"
#include "cli_plot.h"
#include "cli_project.h"
#include "cli_run.h"
#include "support/error_report.h"
#include "support/version.h"

#include <ostream>
#include <vector>

namespace {

// Add a command here: its name, its usage lines and its function.
const std::vector<CCliCommand>& Commands() {
    static const std::string runUsage = RunUsage();
    static const std::vector<CCliCommand> commands = {
        {"design", DesignCommandUsage(), RunDesignCommand},
        {"show", kShowUsage, RunShowCommand},
        {"export", kExportUsage, RunExportCommand},
        {"import", kImportUsage, RunImportCommand},
        {"plot", kPlotUsage, RunPlotCommand},
        {"run", runUsage.c_str(), RunRunCommand},
    };
    return commands;
}

constexpr const char* kMsgCannotWriteOutput = "Cannot write to standard output.";

void PrintUsage(std::ostream& os) {
    os << "Usage: corvifir-cli [--help] [--version] <command> [options]\n\n"
          "Design, analyse and export FIR filters from the command line.\n\n";
    if (!Commands().empty()) {
        os << "Commands:\n";
        for (const CCliCommand& c : Commands())
            os << c.usage << "\n";
    }
    os << "Options:\n"
          "  -h, --help       show this help (or a command's help: <command> --help) and exit\n"
          "  -V, --version    show the version and exit\n\n"
          "Exit status: 0 success (a design meets its specification), 1 the operation failed,\n"
          "2 bad arguments or a refused specification, 3 designed but the specification is not "
          "met.\n";
}

} // namespace

const CCliCommand* FindCliCommand(const std::string& name) {
    for (const CCliCommand& c : Commands())
        if (name == c.name)
            return &c;
    return nullptr;
}

namespace {

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    const std::string& first = args[0];
    if (first == "-h" || first == "--help" || first == "help") {
        PrintUsage(out);
        return kExitOk;
    }
    if (first == "-V" || first == "--version") {
        out << "corvifir-cli (" << kProgramName << ") " << kProgramVersion << "\n";
        return kExitOk;
    }
    const CCliCommand* command = FindCliCommand(first);
    if (!command) {
        err << "corvifir-cli: unknown command or option '" << first << "'\n"
            << "Try 'corvifir-cli --help' for more information.\n";
        return kExitUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& a : rest) {
        if (a == "-h" || a == "--help") {
            out << "Usage:\n" << command->usage << "\n";
            return kExitOk;
        }
    }
    CCliArgs parsed(std::move(rest));
    return command->run(parsed, out, err);
}

// Writes an error line; a stream that fails (or throws) here has nothing left to tell.
void SayError(std::ostream& err, const std::string& text) noexcept {
    try {
        err << "corvifir-cli: error: " << text << "\n";
    } catch (...) {
    }
}

// Whether everything written to os has reached its file or pipe.
bool Flushed(std::ostream& os) noexcept {
    try {
        return static_cast<bool>(os.flush());
    } catch (...) {
        return false;
    }
}

// Runs the command; an exception that escapes it is reported, never left to terminate the
// program.
int RunGuarded(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return RunCommandLine(args, out, err);
    } catch (...) {
        SayError(err, ExceptionMessage(std::current_exception()));
        return kExitFailed;
    }
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    int status = RunGuarded(args, out, err);
    // Output that did not reach its file or pipe is a failure, whatever the command said.
    if (!Flushed(out)) {
        SayError(err, kMsgCannotWriteOutput);
        status = kExitFailed;
    }
    if (!Flushed(err))
        status = kExitFailed;
    return status;
}
