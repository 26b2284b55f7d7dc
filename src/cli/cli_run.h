#pragma once

#include "cli_args.h"
#include "cli_run_commands.h"

#include <iosfwd>
#include <string>
#include <vector>

// The usage lines of the run command and of every command it runs.
std::string RunUsage();

// corvifir-cli run PROJECT [-o OUT] [--in-place] [--answer A]... [--script FILE] [--show-json]
// ["COMMAND ARGS"]...: FIR commands applied to a project as its menu applies them.
int RunRunCommand(CCliArgs& args, std::ostream& out, std::ostream& err);

// A command of a run, parsed: its text as given and what runs it.
struct SRunStep {
    std::string text;
    FRunCommand run;
};
// Parses the command texts, every one before any runs. A command that cannot be read gives false
// and the usage error ("NAME: reason") in error.
bool ParseRunSteps(const std::vector<std::string>& texts, std::vector<SRunStep>& steps,
                   std::string& error);

// How a run of commands ended: every command ran, or the one at `failed` was cancelled with
// Ctrl+C or reported an error (the commands after it were not run).
struct SRunOutcome {
    enum EEnd { Done, Cancelled, Failed } end = Done;
    size_t failed = 0;
};
// Runs the steps in order on the context's project as its menu runs them; a command that ends
// without a change is told on err. The run stops at the first cancelled or failed command.
SRunOutcome RunSteps(CRunContext& ctx, const std::vector<SRunStep>& steps, std::ostream& err);
// "\"COMMAND\"" as messages name a command (a very long one cut short).
std::string ShownCommand(const std::string& text);
