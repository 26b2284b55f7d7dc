#pragma once

#include "cli_args.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFirDoc;
class CRunDialogs;
class CRunHost;

// What a command of the run command works on: the project's document, the host, the dialogs
// its options fill and the other projects it opened (convolve).
struct CRunContext {
    CFirDoc& doc;
    CRunHost& host;
    CRunDialogs& dialogs;
    std::vector<std::unique_ptr<CFirDoc>> others;
    std::vector<std::string> projectFiles; // the project read and the one written: no export
};

// A parsed command, ready to run; it returns whether it went through (a refusal has been
// reported).
using FRunCommand = std::function<bool(CRunContext&)>;

// Parses one command of the run command: its name and its words ("inphase --method dc"), the
// positional words first. A bad command gives nothing to run and the reason in error.
FRunCommand ParseRunCommand(const std::string& name, std::vector<std::string> words,
                            std::string& error);
// The usage lines of every command.
std::string RunCommandsUsage();
// Splits a command text into words at spaces; double or single quotes group words.
bool SplitCommandWords(const std::string& text, std::vector<std::string>& words);
