#pragma once

#include <optional>
#include <string>
#include <vector>

// Options of one command line in the common conventions: "--name value" or "--name=value",
// flags without a value, options that take several values ("--band L U D A") and may repeat,
// and positional arguments. Every option read is consumed; Finish reports the rest as unknown.
class CCliArgs {
public:
    explicit CCliArgs(std::vector<std::string> args);

    // True when --name (or one of its aliases, e.g. "-o") is present; consumes it.
    bool Flag(const std::string& name, const std::string& alias = "");
    // The value of --name; sets an error when the value is missing or the option is given
    // more than once.
    std::optional<std::string> Value(const std::string& name, const std::string& alias = "");
    // The value of --name as a number; sets an error when it is not one.
    std::optional<double> Number(const std::string& name, const std::string& alias = "");
    // The value of --name as an integer; sets an error when it is not one.
    std::optional<long long> Integer(const std::string& name, const std::string& alias = "");
    // Every occurrence of --name with its `count` values, in order.
    std::vector<std::vector<std::string>> Repeated(const std::string& name, int count);
    // Every argument as given, consumed or not.
    const std::vector<std::string>& Arguments() const { return m_args; }
    // Arguments that are not options, in order; consumes them.
    std::vector<std::string> Positionals();

    // Sets an error unless every argument was consumed; returns whether there is no error.
    bool Finish();
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    void Fail(const std::string& message);

private:
    bool Matches(size_t i, const std::string& name, const std::string& alias,
                 std::optional<std::string>& inlineValue) const;
    std::vector<std::string> m_args;
    std::vector<bool> m_used;
    std::string m_error;
};

// Parses a whole text as a number (no trailing characters).
std::optional<double> ParseWholeNumber(const std::string& text);
