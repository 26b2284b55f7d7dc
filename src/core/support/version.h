#pragma once

// The program's name and version as shown by --version and the About box.
extern const char* const kProgramName;
extern const char* const kProgramVersion;
