#include "support/file_access.h"

#include "support/file_messages.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

// A replacement of one file, written in full and synced but not yet in place.
struct SPendingFile {
    std::string target;
    std::string temp; // the temporary name, once the file has one
    int fd = -1;      // open until the file is named
    bool named = false;
};

namespace {

// Symbolic links followed before a path is given up as a loop (the kernel's own limit).
constexpr int kMaxLinkHops = 40;

std::string ErrnoText(int err) {
    return std::strerror(err);
}

// The path a chain of symbolic links ends at; the path itself when it is not a link. A link
// to a missing file ends at that file's path.
bool FollowLinks(const std::string& path, std::string& target, std::string& reason) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n < 0) {
            reason = ErrnoText(errno);
            return false;
        }
        const std::string link(buf.data(), static_cast<size_t>(n));
        target = link[0] == '/' ? link : DirectoryOf(target) + link;
    }
    reason = kMsgTooManyLinks;
    return false;
}

// The permission bits a new file gets: 0666 less the process's umask (read without changing
// it, so other threads are not disturbed).
mode_t NewFileMode() {
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes, const SFileWriteCalls& calls, int& err) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

// Writes into a file that is not regular (a device, a FIFO) without replacing it.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string& reason,
                  const SFileWriteCalls& calls) {
    // Never waits for a reader: a FIFO nobody reads is refused at once.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason = ErrnoText(errno);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    int err = 0;
    const bool ok = WriteAll(fd, bytes, calls, err);
    if (::close(fd) != 0 && ok) {
        reason = ErrnoText(errno);
        return false;
    }
    if (!ok)
        reason = ErrnoText(err);
    return ok;
}

void SyncDirectoryOf(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The name of a temporary file beside path.
std::string TemporaryNameFor(const std::string& path) {
    return DirectoryOf(path) + "." + FileNameOf(path) + ".XXXXXX";
}

// An unnamed file in the folder of path: nothing is left behind when the program is killed
// before it is linked. -1 where the file system has none.
int OpenUnnamedFile(const std::string& path) {
    const std::string dir = DirectoryOf(path);
    return ::open(dir.empty() ? "." : dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
}

// Gives the unnamed file fd the temporary name pattern temp (made unique as mkostemp does).
bool LinkUnnamedFile(int fd, std::string& temp, int& err) {
    const std::string source = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::vector<char> name(temp.begin(), temp.end());
        name.push_back('\0');
        const int probe = ::mkstemp(name.data()); // reserves a unique name ...
        if (probe < 0) {
            err = errno;
            return false;
        }
        ::close(probe);
        ::unlink(name.data()); // ... that the link then takes
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.data(), AT_SYMLINK_FOLLOW) == 0) {
            temp = name.data();
            return true;
        }
        if (errno != EEXIST) {
            err = errno;
            return false;
        }
    }
    err = EEXIST;
    return false;
}

void Discard(SPendingFile& file) {
    if (file.fd >= 0)
        ::close(file.fd);
    file.fd = -1;
    if (file.named)
        std::remove(file.temp.c_str());
    file.named = false;
}

// Writes bytes to a temporary file beside target and syncs it. The file has no name where the
// file system allows (nothing is left behind by a kill), until Name gives it one.
bool Prepare(SPendingFile& file, std::string_view bytes, const struct stat* previous, int& err,
             const SFileWriteCalls& calls) {
    file.temp = TemporaryNameFor(file.target);
    file.fd = OpenUnnamedFile(file.target);
    if (file.fd < 0) {
        std::vector<char> name(file.temp.begin(), file.temp.end());
        name.push_back('\0');
        file.fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (file.fd < 0) {
            err = errno;
            return false;
        }
        file.temp = name.data();
        file.named = true;
    }
    ::fchmod(file.fd, previous ? (previous->st_mode & 07777) : NewFileMode());
    if (!WriteAll(file.fd, bytes, calls, err))
        return false;
    if (calls.fsync(file.fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

// Links a prepared file to its temporary name and closes it.
bool Name(SPendingFile& file, int& err) {
    if (!file.named && !LinkUnnamedFile(file.fd, file.temp, err))
        return false;
    file.named = true;
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

// Renames a named file over its target.
bool Install(SPendingFile& file, int& err) {
    if (std::rename(file.temp.c_str(), file.target.c_str()) != 0) {
        err = errno;
        return false;
    }
    file.named = false;
    SyncDirectoryOf(file.target);
    return true;
}

// The set of files being written on this thread, if any (see CFileSetWrite).
thread_local CFileSetWrite* t_activeSet = nullptr;

// Writes a temporary file beside path, syncs it and renames it over path; while a set of files
// is being written, holds it back for the set's commit instead.
bool ReplaceFile(const std::string& path, std::string_view bytes, const struct stat* previous,
                 std::string& reason, const SFileWriteCalls& calls) {
    SPendingFile file;
    file.target = path;
    int err = 0;
    const bool ok = Prepare(file, bytes, previous, err, calls) &&
                    (t_activeSet || (Name(file, err) && Install(file, err)));
    if (!ok) {
        Discard(file);
        reason = ErrnoText(err);
        return false;
    }
    if (t_activeSet)
        t_activeSet->Hold(std::make_unique<SPendingFile>(std::move(file)));
    return true;
}

} // namespace

CFileSetWrite::CFileSetWrite() : m_bOuter(t_activeSet == nullptr) {
    if (m_bOuter)
        t_activeSet = this;
}

CFileSetWrite::~CFileSetWrite() {
    for (auto& file : m_files)
        Discard(*file);
    if (m_bOuter)
        t_activeSet = nullptr;
}

void CFileSetWrite::Hold(std::unique_ptr<SPendingFile> file) {
    m_files.push_back(std::move(file));
}

bool CFileSetWrite::Commit(std::string& failedPath, std::string& reason) {
    if (!m_bOuter)
        return true; // the enclosing set commits
    t_activeSet = nullptr;
    m_bOuter = false;
    // Every file gets its temporary name before any is put in place: a failure then leaves
    // every target as it was.
    int err = 0;
    for (auto& file : m_files) {
        if (!Name(*file, err)) {
            failedPath = file->target;
            reason = ErrnoText(err);
            return false;
        }
    }
    bool ok = true;
    for (auto& file : m_files) {
        if (!Install(*file, err) && ok) {
            failedPath = file->target;
            reason = ErrnoText(err);
            ok = false;
        }
    }
    return ok;
}

bool CFileSetWrite::CommitReported(CHost& host) {
    std::string path, reason;
    if (Commit(path, reason))
        return true;
    host.Error(FormatMessage(kMsgCannotWriteFile, {path, reason}));
    return false;
}

const SFileWriteCalls& SystemFileWriteCalls() {
    static const SFileWriteCalls calls{::write, ::fsync};
    return calls;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& reason,
                     const SFileWriteCalls& calls) {
    reason.clear();
    if (path.empty()) {
        reason = ErrnoText(ENOENT);
        return false;
    }
    std::string target;
    if (!FollowLinks(path, target, reason))
        return false;
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return ReplaceFile(target, bytes, nullptr, reason, calls);
    if (S_ISDIR(st.st_mode)) {
        reason = ErrnoText(EISDIR);
        return false;
    }
    if (!S_ISREG(st.st_mode))
        return WriteInPlace(target, bytes, reason, calls);
    // A file without write permission is the user's wish to keep it, even for a superuser whom
    // the system would let replace it.
    if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
        reason = ErrnoText(EACCES);
        return false;
    }
    return ReplaceFile(target, bytes, &st, reason, calls);
}

namespace {

SFileStamp StampOf(const struct stat& st) {
    return {true,
            st.st_dev,
            st.st_ino,
            st.st_size,
            static_cast<int64_t>(st.st_mtim.tv_sec),
            st.st_mtim.tv_nsec};
}

} // namespace

SFileStamp StampOfFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? StampOf(st) : SFileStamp{};
}

SFileStamp StampOfOpenFile(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? StampOf(st) : SFileStamp{};
}

bool WriteFileReported(const std::string& path, std::string_view bytes, CHost& host) {
    std::string reason;
    if (WriteFileSafely(path, bytes, reason))
        return true;
    host.Error(FormatMessage(kMsgCannotWriteFile, {path, reason}));
    return false;
}

bool WriteFileSetReported(const std::vector<SFileToWrite>& files, CHost& host) {
    CFileSetWrite set;
    for (const SFileToWrite& f : files)
        if (!WriteFileReported(f.path, f.bytes, host))
            return false;
    return set.CommitReported(host);
}

EFileRead ReadFileBounded(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason,
                          size_t maxBytes) {
    bytes.clear();
    reason.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        reason = ErrnoText(errno);
        return EFileRead::CannotOpen;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        reason = ErrnoText(errno);
    else if (S_ISDIR(st.st_mode))
        reason = kMsgIsDirectory;
    else if (!S_ISREG(st.st_mode))
        reason = kMsgNotRegularFile;
    else if (static_cast<uint64_t>(st.st_size) > maxBytes)
        reason = FormatMessage(kMsgFileTooLarge, {std::to_string(maxBytes)});
    if (reason.empty()) {
        // The file may grow while it is read: never take more than the limit.
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t got = 0;
        for (;;) {
            if (got == bytes.size())
                bytes.resize(std::min(maxBytes + 1, bytes.size() + 4096));
            if (got == bytes.size())
                break;
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                reason = ErrnoText(errno);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        bytes.resize(got);
        if (reason.empty() && got > maxBytes)
            reason = FormatMessage(kMsgFileTooLarge, {std::to_string(maxBytes)});
    }
    ::close(fd);
    if (!reason.empty()) {
        bytes.clear();
        return EFileRead::Refused;
    }
    return EFileRead::Ok;
}

bool ReadFileReported(const std::string& path, std::vector<uint8_t>& bytes, CHost& host,
                      bool reportOpenFailure) {
    std::string reason;
    switch (ReadFileBounded(path, bytes, reason)) {
    case EFileRead::Ok:
        return true;
    case EFileRead::CannotOpen:
        if (reportOpenFailure)
            host.Error(FormatMessage(kMsgCannotOpenFile, {path}));
        return false;
    case EFileRead::Refused:
        host.Error(FormatMessage(kMsgCannotReadFile, {path, reason}));
        return false;
    }
    return false;
}

bool CanOpenWithoutWaiting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

std::vector<uint8_t> ReadFileHead(const std::string& path, size_t n) {
    std::vector<uint8_t> head;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return head;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        head.resize(n);
        ssize_t got = 0;
        do
            got = ::read(fd, head.data(), n);
        while (got < 0 && errno == EINTR);
        head.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
    ::close(fd);
    return head;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::error_code ea, eb;
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
    return !ea && !eb && ca == cb;
}

std::string FindFileClash(const std::vector<std::string>& inputs,
                          const std::vector<std::string>& outputs) {
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (outputs[i].empty())
            continue;
        for (const std::string& input : inputs)
            if (!input.empty() && IsSameFile(outputs[i], input))
                return FormatMessage(kMsgOutputIsInput, {outputs[i]});
        for (size_t j = 0; j < i; ++j)
            if (!outputs[j].empty() && IsSameFile(outputs[i], outputs[j]))
                return FormatMessage(kMsgOutputTwice, {outputs[i]});
    }
    return std::string();
}
