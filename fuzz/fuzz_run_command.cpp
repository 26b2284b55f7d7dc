// Feeds arbitrary text to the command reader of the command line's run command: the text is
// split into words as a script line is, and the words are parsed as one command.
#include "cli_run_commands.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    if (!SplitCommandWords(text, words) || words.empty())
        return 0;
    const std::string name = words[0];
    std::string error;
    const FRunCommand run =
        ParseRunCommand(name, std::vector<std::string>(words.begin() + 1, words.end()), error);
    if (!run && error.empty())
        __builtin_trap(); // a refusal always says why
    return 0;
}
