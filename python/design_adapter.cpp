// The module's one way into the command line's design and project commands: keyword arguments
// become the command's words, and its exit status becomes the Python outcome.
#include "design_adapter.h"

#include "cli.h"
#include "cli_host.h"

#include <Python.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace py = pybind11;

namespace {

std::string ValueWord(const py::handle& value) {
    if (py::isinstance<py::str>(value))
        return value.cast<std::string>();
    if (py::isinstance<py::bool_>(value))
        throw py::value_error("a list of options holds numbers or words, not True or False");
    if (py::isinstance<py::int_>(value))
        return py::str(value).cast<std::string>();
    // repr of a float is the shortest text that reads back as the same double
    return py::repr(py::float_(py::reinterpret_borrow<py::object>(value))).cast<std::string>();
}

bool IsSequence(const py::handle& value) {
    return !py::isinstance<py::str>(value) && py::isinstance<py::sequence>(value);
}

// The messages of a command without the hint lines that point to its help.
std::string Messages(const std::string& err) {
    std::istringstream lines(err);
    std::string text;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Try 'corvifir-cli", 0) == 0)
            continue;
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

} // namespace

std::vector<std::string> OptionWords(const py::kwargs& options) {
    std::vector<std::string> words;
    for (const auto& [key, value] : options) {
        std::string name = "--" + key.cast<std::string>();
        for (char& c : name)
            if (c == '_')
                c = '-';
        if (value.is_none() || (py::isinstance<py::bool_>(value) && !value.cast<bool>()))
            continue;
        if (py::isinstance<py::bool_>(value)) {
            words.push_back(name);
        } else if (IsSequence(value)) {
            const auto items = value.cast<py::sequence>();
            const bool nested = items.size() > 0 && IsSequence(items[0]);
            if (!nested)
                words.push_back(name);
            for (const auto& item : items) {
                if (nested) {
                    words.push_back(name);
                    for (const auto& inner : item.cast<py::sequence>())
                        words.push_back(ValueWord(inner));
                } else {
                    words.push_back(ValueWord(item));
                }
            }
        } else {
            words.push_back(name);
            words.push_back(ValueWord(value));
        }
    }
    return words;
}

std::mutex& CoreMutex() {
    static std::mutex mutex;
    return mutex;
}

SCliOutcome RunCliCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    SCliOutcome outcome;
    WithCore([&] {
        TakeCliJobInterrupt();
        outcome.status = RunCli(args, out, err);
        outcome.interrupted = TakeCliJobInterrupt();
        return 0;
    });
    outcome.out = out.str();
    outcome.err = Messages(err.str());
    return outcome;
}

void RaiseForOutcome(const SCliOutcome& outcome) {
    if (outcome.interrupted) {
        PyErr_SetNone(PyExc_KeyboardInterrupt);
        throw py::error_already_set();
    }
    if (outcome.status == kExitUsage)
        throw py::value_error(outcome.err);
    if (outcome.status != kExitOk && outcome.status != kExitMissesSpec)
        throw std::runtime_error(outcome.err.empty() ? "The command failed." : outcome.err);
}
