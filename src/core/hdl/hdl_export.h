#pragma once

#include "hdl/hdl_plan.h"

#include <string>
#include <vector>

// One file of an export that writes several.
struct SHdlFile {
    std::string path;
    std::string bytes;
};

// The files of a Verilog export whose module file is `path` (NAME.v): the module, and beside it
// the testbench NAME_tb.v with its stimulus NAME_in.txt and the bit-true model's words
// NAME_out.txt, NAME being the file name without its extension.
std::vector<std::string> VerilogExportPaths(const std::string& path);

// Makes the fixed-point filter of taps (fractions of full scale) for the options and the text of
// every file of VerilogExportPaths(path). False, with the reason in `error`, when the filter
// cannot be implemented or the module name is not a Verilog identifier.
bool MakeVerilogFiles(const std::vector<double>& taps, const SHdlOptions& options,
                      const std::string& path, std::vector<SHdlFile>& files, std::string& error);

// The implementation summary of taps for the options (HdlSummaryLines), or false with the
// reason in `error`.
bool MakeHdlSummary(const std::vector<double>& taps, const SHdlOptions& options,
                    std::vector<std::string>& lines, std::string& error);

extern const char* const kMsgHdlBadName; // %1 name
extern const char* const kMsgHdlNoInterleave;
