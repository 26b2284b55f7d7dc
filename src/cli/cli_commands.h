#pragma once

#include "cli_args.h"

#include <iosfwd>

// One command of corvifir-cli: its name, its usage lines for --help, and the function that
// runs it with the arguments after the command's name.
struct CCliCommand {
    const char* name;
    const char* usage;
    int (*run)(CCliArgs& args, std::ostream& out, std::ostream& err);
};

// Every command, in the order --help lists them (defined in cli.cpp).
const CCliCommand* FindCliCommand(const std::string& name);
