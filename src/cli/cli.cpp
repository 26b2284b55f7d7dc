#include "cli.h"

#include "support/version.h"

#include <ostream>

namespace {

const char* const kUsage = R"(Usage: corvifir-cli [--help] [--version] <command> [options]

Design, analyse and export FIR filters from the command line.

Options:
  -h, --help       show this help and exit
  -V, --version    show the version and exit

Exit status: 0 success (a design meets its specification), 1 the operation failed,
2 bad arguments or a refused specification, 3 designed but the specification is not met.
)";

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& first = args[0];
    if (first == "-h" || first == "--help" || first == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (first == "-V" || first == "--version") {
        out << "corvifir-cli (" << kProgramName << ") " << kProgramVersion << "\n";
        return kExitOk;
    }
    err << "corvifir-cli: unknown command or option '" << first << "'\n"
        << "Try 'corvifir-cli --help' for more information.\n";
    return kExitUsage;
}
