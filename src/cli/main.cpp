#include "cli.h"

#include "support/error_report.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A closed pipe on standard output or error fails the print instead of ending the program
    // before it has written its files; the failed print makes the exit status a failure.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        int status = RunCli(args, std::cout, std::cerr);
        std::cout.flush();
        if (status == kExitOk && (!std::cout || !std::cerr))
            status = kExitFailed;
        // Every file is written and synced and the output is flushed: the process ends here
        // without tearing down the toolkit a picture loaded and the other statics, which took
        // a few milliseconds of every plot.
        std::fflush(nullptr);
        std::_Exit(status);
    } catch (...) {
        std::fprintf(stderr, "corvifir-cli: error: %s\n",
                     ExceptionMessage(std::current_exception()).c_str());
        return kExitFailed;
    }
}
