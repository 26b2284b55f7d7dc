#include "support/field_exchange.h"

#include "support/format_number.h"
#include "support/host.h"

#include <cerrno>
#include <cstdlib>

const char* const kMsgEnterNumber = "Please enter a number.";
const char* const kMsgEnterInteger = "Please enter an integer.";
const char* const kMsgIntegerOutOfRange = "Please enter an integer between %1 and %2.";

namespace {

bool OnlyBlanks(const char* p) {
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

} // namespace

bool ExchangeDouble(const std::string& text, double& value, CHost& host) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(begin, &end);
    if (end == begin || !OnlyBlanks(end) || errno == ERANGE) {
        host.ShowMessage(kMsgEnterNumber, EMsgIcon::Exclamation);
        return false;
    }
    value = v;
    return true;
}

bool ExchangeInt(const std::string& text, int lo, int hi, int& value, CHost& host) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || !OnlyBlanks(end)) {
        host.ShowMessage(kMsgEnterInteger, EMsgIcon::Exclamation);
        return false;
    }
    if (errno == ERANGE || v < lo || v > hi) {
        host.ShowMessage(
            FormatMessage(kMsgIntegerOutOfRange, {std::to_string(lo), std::to_string(hi)}),
            EMsgIcon::Exclamation);
        return false;
    }
    value = static_cast<int>(v);
    return true;
}
