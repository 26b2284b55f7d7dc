#pragma once

#include <pybind11/pybind11.h>

#include <mutex>
#include <string>
#include <vector>

// The lock of the program's core for the module's calls into it.
std::mutex& CoreMutex();

// Runs work on the program's core with the interpreter lock released, one call at a time: the
// project list, the command line's Ctrl+C handler and the first math error's report belong to
// the whole process, so Python threads take turns. work must not touch Python objects.
template <typename Work> auto WithCore(Work work) {
    pybind11::gil_scoped_release release;
    const std::lock_guard<std::mutex> lock(CoreMutex());
    return work();
}

// The command line's words for keyword arguments: name=value gives "--name value" (underscores
// become hyphens), name=True the flag "--name", False and None nothing, a sequence of values
// "--name v1 v2 ...", and a sequence of sequences the option once per inner sequence.
std::vector<std::string> OptionWords(const pybind11::kwargs& options);

// What a command of corvifir-cli did when the module ran it.
struct SCliOutcome {
    int status = 0;
    std::string out; // standard output
    std::string err; // messages, without the hint to the help
    bool interrupted = false;
};

// Runs corvifir-cli with args in this process, with the interpreter lock released; Ctrl+C
// cancels its long jobs.
SCliOutcome RunCliCommand(const std::vector<std::string>& args);

// Raises for a command that did not succeed: KeyboardInterrupt when Ctrl+C cancelled it,
// ValueError (the program's message) for bad arguments or a refused specification, RuntimeError
// when it failed. A design that missed its specification (status 3) returns.
void RaiseForOutcome(const SCliOutcome& outcome);
