#include "support/error_report.h"

#include "support/format_number.h"

#include <new>
#include <stdexcept>

namespace {
constexpr const char* kMsgOutOfMemory = "Not enough memory to complete the operation.";
constexpr const char* kMsgUnexpectedError = "Unexpected error: %1";
constexpr const char* kUnknownException = "unknown exception";
} // namespace

std::string ExceptionMessage(std::exception_ptr e) {
    try {
        if (e)
            std::rethrow_exception(e);
    } catch (const std::bad_alloc&) {
        return kMsgOutOfMemory;
    } catch (const std::length_error&) {
        return kMsgOutOfMemory;
    } catch (const std::exception& ex) {
        return FormatMessage(kMsgUnexpectedError, {ex.what()});
    } catch (...) {
    }
    return FormatMessage(kMsgUnexpectedError, {kUnknownException});
}
