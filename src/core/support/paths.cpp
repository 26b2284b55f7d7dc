#include "support/paths.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
size_t LastSeparator(const std::string& path) {
    return path.find_last_of("/\\:");
}
} // namespace

std::string FileNameOf(const std::string& path) {
    const size_t pos = LastSeparator(path);
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string DirectoryOf(const std::string& path) {
    const size_t pos = LastSeparator(path);
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string ExtensionOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string NameWithoutExtension(const std::string& path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    const std::string ownExt = ExtensionOf(path);
    return path.substr(0, path.size() - ownExt.size()) + ext;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string UniqueTempFile(const std::string& prefix) {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec)
        dir = "/tmp";
    std::string templ = (dir / (prefix + "XXXXXX")).string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0)
        return std::string();
    ::close(fd);
    return std::string(buf.data());
}

bool ChangeDirectory(const std::string& path, std::string& error) {
    if (::chdir(path.c_str()) == 0) {
        error.clear();
        return true;
    }
    error = "Cannot change to " + path;
    return false;
}
