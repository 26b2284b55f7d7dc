#pragma once

#include "hdl/hdl_plan.h"

#include <optional>
#include <string>
#include <vector>

class CCliArgs;
class CDataFiles;

// The data file dialog's fields as `export`, `import` and run's `export` and `import` take
// them: one reader and one check for all four.
struct SDataFileArgs {
    std::optional<std::string> formatName, quadFile, quadFormatName, cName, cType, cSuffix;
    std::optional<long long> bits, factor;
    // The table's codes of the named formats, once checked.
    std::optional<int> format, quadFormat;
    // -1 when not given.
    int interleave = -1;
    int waveBits = -1;
    int waveRate = -1;
    bool complex = false;
    bool hdlGiven = false;
    SHdlOptions hdl;
};

// Reads the options (--format, --quadrature-file, --quadrature-format, --complex, --bits and,
// when writing, --interleave, --factor, --c-name, --c-type, --c-suffix, --wave-bits,
// --wave-rate and the implementation options); a bad word fails args.
void ReadDataFileArgs(CCliArgs& args, bool writing, SDataFileArgs& e);
// Checks the values and their combinations and resolves the format names (to be read or
// written); a refusal fails args.
void CheckDataFileArgs(CCliArgs& args, bool writing, SDataFileArgs& e);
// The paths a write of the options to path creates: the Verilog export's testbench files are
// written beside its module.
std::vector<std::string> DataFileOutputs(const SDataFileArgs& e, const std::string& path);
// Puts the options given into the dialog, over the settings it holds; the paths are made full.
void FillDataFilesDialog(const SDataFileArgs& e, const std::string& path, CDataFiles& files);

// The full path of a file named on the command line (relative to the working folder), as the
// data file settings keep it; a path that cannot be made absolute is kept as typed.
std::string FullPath(const std::string& path);
