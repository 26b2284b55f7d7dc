#include "support/hand_over.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kOpenCommand = "open ";

// A display name as a file name: letters, digits, '.', '-' and '_' kept, others become '_'.
std::string FileNameOfDisplay(const std::string& display) {
    std::string name;
    for (char c : display) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        name += plain ? c : '_';
    }
    return name;
}

} // namespace

std::string HandOverRequest(const std::vector<std::string>& paths) {
    std::string request;
    for (const std::string& path : paths) {
        if (path.empty() || path.find_first_of(std::string_view("\n\0", 2)) != std::string::npos)
            return {};
        request.append(kOpenCommand).append(path).append("\n");
    }
    request += "\n";
    return request.size() <= kMaxHandOverRequestBytes ? request : std::string();
}

EHandOverRequest ParseHandOverRequest(std::string_view bytes, std::vector<std::string>& paths) {
    paths.clear();
    size_t at = 0;
    for (;;) {
        const size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos || end >= kMaxHandOverRequestBytes)
            break;
        const std::string_view line = bytes.substr(at, end - at);
        if (line.empty())
            return EHandOverRequest::Complete;
        if (line.substr(0, kOpenCommand.size()) != kOpenCommand ||
            line.size() == kOpenCommand.size() || line.find('\0') != std::string_view::npos) {
            paths.clear();
            return EHandOverRequest::Refused;
        }
        paths.emplace_back(line.substr(kOpenCommand.size()));
        at = end + 1;
    }
    paths.clear();
    return bytes.size() >= kMaxHandOverRequestBytes ? EHandOverRequest::Refused
                                                    : EHandOverRequest::Incomplete;
}

std::string PrivateRuntimeFolder(std::string& reason) {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (!folder || folder[0] != '/') {
        reason = "XDG_RUNTIME_DIR is not set to an absolute path";
        return {};
    }
    struct stat st {};
    if (::lstat(folder, &st) != 0 || !S_ISDIR(st.st_mode)) {
        reason = std::string(folder) + " is not a folder";
        return {};
    }
    if (st.st_uid != ::getuid()) {
        reason = std::string(folder) + " belongs to another user";
        return {};
    }
    if ((st.st_mode & 077) != 0) {
        reason = std::string(folder) + " is open to other users";
        return {};
    }
    reason.clear();
    return folder;
}

std::string HandOverSocketPath(const std::string& folder, const std::string& display) {
    if (folder.empty() || display.empty())
        return {};
    return folder + "/corvifir-open-" + FileNameOfDisplay(display);
}
