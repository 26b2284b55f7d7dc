#include "support/field_exchange.h"

#include "support/host.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

const char* const kMsgEnterNumber = "Please enter a number.";
const char* const kMsgEnterInteger = "Please enter an integer.";

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

bool ExchangeInt(const std::string& text, int& value, CHost& host) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || !OnlyBlanks(end) || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
        host.ShowMessage(kMsgEnterInteger, EMsgIcon::Exclamation);
        return false;
    }
    value = static_cast<int>(v);
    return true;
}
