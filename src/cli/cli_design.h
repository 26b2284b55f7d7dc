#pragma once

#include "cli_args.h"

#include <iosfwd>

// Usage lines of the design command.
extern const char* const kDesignUsage;

// corvifir-cli design simple-pm|advanced-pm ...: a Parks-McClellan design or optimisation;
// coefficients to out (or a file), messages and the summary to err.
int RunDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
