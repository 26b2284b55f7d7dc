#include "cli.h"

#include "support/error_report.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return RunCli(args, std::cout, std::cerr);
    } catch (...) {
        std::fprintf(stderr, "corvifir-cli: error: %s\n",
                     ExceptionMessage(std::current_exception()).c_str());
        return kExitFailed;
    }
}
