#pragma once

#include "cli_args.h"

#include <iosfwd>
#include <string>
#include <vector>

// Usage lines of the design methods other than Parks-McClellan.
extern const char* const kMethodDesignUsage;

// The usage of the whole design command: the Parks-McClellan forms and the other methods.
const char* DesignCommandUsage();

// "design needs one method: simple-pm, advanced-pm, ... or cic", every method the design
// command knows.
std::string MissingMethodText();

// Whether the design command's arguments name one of the methods below.
bool IsMethodDesign(const std::vector<std::string>& args);

// corvifir-cli design windowed-sinc|raised-cosine|lth-band|maxflat|cic ...: coefficients to
// out (or a file), messages and the summary to err.
int RunMethodDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
