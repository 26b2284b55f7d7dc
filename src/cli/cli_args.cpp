#include "cli_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

std::optional<double> ParseWholeNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

CCliArgs::CCliArgs(std::vector<std::string> args)
    : m_args(std::move(args)), m_used(m_args.size(), false) {}

void CCliArgs::Fail(const std::string& message) {
    if (m_error.empty())
        m_error = message;
}

bool CCliArgs::Matches(size_t i, const std::string& name, const std::string& alias,
                       std::optional<std::string>& inlineValue) const {
    const std::string& a = m_args[i];
    inlineValue.reset();
    if (a == name || (!alias.empty() && a == alias))
        return true;
    if (a.size() > name.size() + 1 && a.compare(0, name.size(), name) == 0 &&
        a[name.size()] == '=') {
        inlineValue = a.substr(name.size() + 1);
        return true;
    }
    return false;
}

bool CCliArgs::Flag(const std::string& name, const std::string& alias) {
    bool found = false;
    std::optional<std::string> inlineValue;
    for (size_t i = 0; i < m_args.size(); ++i) {
        if (!m_used[i] && Matches(i, name, alias, inlineValue)) {
            if (inlineValue) {
                Fail("option '" + name + "' takes no value");
            }
            m_used[i] = true;
            found = true;
        }
    }
    return found;
}

std::optional<std::string> CCliArgs::Value(const std::string& name, const std::string& alias) {
    std::optional<std::string> result;
    bool found = false;
    std::optional<std::string> inlineValue;
    for (size_t i = 0; i < m_args.size(); ++i) {
        if (m_used[i] || !Matches(i, name, alias, inlineValue))
            continue;
        m_used[i] = true;
        if (found)
            Fail("option '" + name + "' is given more than once");
        found = true;
        if (inlineValue) {
            result = inlineValue;
        } else if (i + 1 < m_args.size() && !m_used[i + 1]) {
            m_used[i + 1] = true;
            result = m_args[i + 1];
            ++i;
        } else {
            Fail("option '" + name + "' needs a value");
        }
    }
    return result;
}

std::optional<double> CCliArgs::Number(const std::string& name, const std::string& alias) {
    const auto text = Value(name, alias);
    if (!text)
        return std::nullopt;
    const auto v = ParseWholeNumber(*text);
    if (!v)
        Fail("option '" + name + "': '" + *text + "' is not a number");
    return v;
}

std::optional<long long> CCliArgs::Integer(const std::string& name, const std::string& alias) {
    const auto v = Number(name, alias);
    if (!v)
        return std::nullopt;
    if (*v != std::floor(*v) || std::fabs(*v) > 1e15) {
        Fail("option '" + name + "' needs a whole number");
        return std::nullopt;
    }
    return static_cast<long long>(*v);
}

std::vector<std::vector<std::string>> CCliArgs::Repeated(const std::string& name, int count) {
    std::vector<std::vector<std::string>> result;
    for (size_t i = 0; i < m_args.size(); ++i) {
        if (m_used[i] || m_args[i] != name)
            continue;
        m_used[i] = true;
        std::vector<std::string> values;
        for (int k = 0; k < count; ++k) {
            const size_t j = i + 1 + static_cast<size_t>(k);
            if (j >= m_args.size() || m_used[j]) {
                Fail("option '" + name + "' needs " + std::to_string(count) + " values");
                return result;
            }
            m_used[j] = true;
            values.push_back(m_args[j]);
        }
        i += static_cast<size_t>(count);
        result.push_back(std::move(values));
    }
    return result;
}

std::vector<std::string> CCliArgs::Positionals() {
    std::vector<std::string> result;
    for (size_t i = 0; i < m_args.size(); ++i) {
        const std::string& a = m_args[i];
        const bool looksLikeOption = a.size() > 1 && a[0] == '-' && !ParseWholeNumber(a);
        if (!m_used[i] && !looksLikeOption) {
            m_used[i] = true;
            result.push_back(a);
        }
    }
    return result;
}

bool CCliArgs::Finish() {
    for (size_t i = 0; i < m_args.size(); ++i) {
        if (!m_used[i]) {
            Fail("unknown option or argument '" + m_args[i] + "'");
            break;
        }
    }
    return Ok();
}
