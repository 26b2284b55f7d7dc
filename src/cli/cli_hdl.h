#pragma once

#include "hdl/hdl_plan.h"

class CCliArgs;

// Reads --input-bits, --output-bits, --output-shift, --rounding, --overflow, --hdl-structure
// and --hdl-name into options (options left out keep their values); a bad value fails args.
// Returns whether any of them was given.
bool ParseHdlOptions(CCliArgs& args, SHdlOptions& options);
