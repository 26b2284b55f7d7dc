#pragma once

#include "cli_args.h"

#include <iosfwd>
#include <string>

// The usage lines of the run command and of every command it runs.
std::string RunUsage();

// corvifir-cli run PROJECT [-o OUT] [--in-place] [--answer A]... [--script FILE] [--show-json]
// ["COMMAND ARGS"]...: FIR commands applied to a project as its menu applies them.
int RunRunCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
