#include "support/version.h"

const char* const kProgramName = "CorviFIR";
const char* const kProgramVersion = "0.1.0";
