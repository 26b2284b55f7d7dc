#pragma once

#include "cli_args.h"

#include <iosfwd>

extern const char* const kPlotUsage;

// corvifir-cli plot PROJECT --view VIEW ... -o FILE: a plot of the project's filter as a
// picture (.png, .bmp, .svg, .pdf) or as the plot file text of the points drawn (.plt).
int RunPlotCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
