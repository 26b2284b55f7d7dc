#pragma once

#include "cli_args.h"

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

class CFirData;
class CFirProject;
class CHost;

// Usage lines of the project commands.
extern const char* const kShowUsage;
extern const char* const kExportUsage;
extern const char* const kImportUsage;

// corvifir-cli show PROJECT [--json]: the project's method, Fs, taps, summary and band results.
int RunShowCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
// corvifir-cli export PROJECT --format NAME -o FILE ...: the coefficients as a data file.
int RunExportCommand(CCliArgs& args, std::ostream& out, std::ostream& err);
// corvifir-cli import FILE --format NAME ... -o PROJECT: a new project of imported coefficients.
int RunImportCommand(CCliArgs& args, std::ostream& out, std::ostream& err);

// Whether the design command's arguments start with a project file (".cfp", ".cfa", ".cfs").
bool IsProjectDesign(const std::vector<std::string>& args);
// corvifir-cli design PROJECT [--optimize] [-o FILE] [-p OUT]: runs the project's stored design
// again; output and exit statuses as the other design forms.
int RunProjectDesignCommand(CCliArgs& args, std::ostream& out, std::ostream& err);

// Saves a designed filter as a new project at path (its design type and every parameter); the
// failure is reported through the host.
bool SaveDesignAsProject(const CFirData& filter, const std::string& path, CHost& host);

// The project as show prints it: its title, method, Fs, taps, the design summary, and for a band
// list the margin and each band's result.
void WriteProjectText(CFirProject& project, std::ostream& os);

// The project as one JSON object (see show --json), with the extra fields (name, JSON value)
// before the coefficients.
void WriteProjectJson(CFirProject& project, std::ostream& os,
                      const std::vector<std::pair<std::string, std::string>>& extra);
