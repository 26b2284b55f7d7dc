#include "hdl/hdl_export.h"

#include "hdl/test_vectors.h"
#include "hdl/verilog_writer.h"
#include "support/format_number.h"
#include "support/paths.h"

const char* const kMsgHdlBadName =
    "\"%1\" is not a module name: use letters, digits and '_', not starting with a digit, "
    "and no keyword.";

const char* const kMsgHdlNoInterleave =
    "A Verilog filter takes the coefficients in their order: polyphase interleaving does not "
    "apply.";

std::vector<std::string> VerilogExportPaths(const std::string& path) {
    const std::string base = DirectoryOf(path) + NameWithoutExtension(path);
    return {path, base + "_tb.v", base + "_in.txt", base + "_out.txt"};
}

bool MakeVerilogFiles(const std::vector<double>& taps, const SHdlOptions& options,
                      const std::string& path, std::vector<SHdlFile>& files, std::string& error) {
    files.clear();
    const std::string stem = NameWithoutExtension(path);
    const std::string name = options.name.empty() ? VerilogNameOf(stem) : options.name;
    if (!IsVerilogIdentifier(name)) {
        error = FormatMessage(kMsgHdlBadName, {name});
        return false;
    }
    CFixedPointFilter filter;
    if (!filter.Make(taps, options.format, error))
        return false;
    const CHdlPlan plan(filter, options.structure);
    const STestVectors vectors = MakeTestVectors(filter);
    const std::vector<std::string> paths = VerilogExportPaths(path);
    const std::string inputFile = FileNameOf(paths[2]);
    const std::string outputFile = FileNameOf(paths[3]);
    files.push_back({paths[0], VerilogModuleText(plan, name)});
    files.push_back({paths[1], VerilogTestbenchText(plan, name, vectors, inputFile, outputFile)});
    files.push_back({paths[2], TestInputText(vectors, filter.InputBits())});
    files.push_back({paths[3], TestOutputText(vectors, filter.OutputBits())});
    return true;
}

bool MakeHdlSummary(const std::vector<double>& taps, const SHdlOptions& options,
                    std::vector<std::string>& lines, std::string& error) {
    CFixedPointFilter filter;
    if (!filter.Make(taps, options.format, error))
        return false;
    lines = HdlSummaryLines(CHdlPlan(filter, options.structure));
    return true;
}
