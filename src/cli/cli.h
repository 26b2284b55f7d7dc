#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of corvifir-cli.
enum ECliExit {
    kExitOk = 0,         // done; a design meets its specification
    kExitFailed = 1,     // the operation failed (the program's message on standard error)
    kExitUsage = 2,      // bad arguments or a refused specification
    kExitMissesSpec = 3, // designed, but the specification is not met
};

// Runs one command line (args without the program name), writing results to out and
// messages to err. Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
