#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

class CHost;

// Reading and writing whole files. Every file the program writes goes through WriteFileSafely,
// every file it reads through ReadFileBounded.

// The system calls through which WriteFileSafely writes and syncs a file; a test replaces them
// with calls that fail as a full disk does.
struct SFileWriteCalls {
    ssize_t (*write)(int fd, const void* data, size_t n);
    int (*fsync)(int fd);
};
const SFileWriteCalls& SystemFileWriteCalls();

// Makes `bytes` the whole content of the file at path. A regular file (or a new one) is written
// to a temporary file beside it, flushed to the disk and renamed over it, so a failure leaves
// the previous file as it was; a new file gets the permissions the umask allows, a replaced one
// keeps its own. A symbolic link is followed: the link stays and its target is replaced. An
// existing file that is not regular (a device, a FIFO) is written directly and never replaced.
// On failure returns false with the system's reason ("No space left on device").
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& reason,
                     const SFileWriteCalls& calls = SystemFileWriteCalls());
// A set of files written whole or not at all: a report and its pictures, the inphase and
// quadrature files of one export. While a set is open, every regular file WriteFileSafely writes
// on this thread is written in full and synced under no name, and held back; Commit puts them
// all in place. A set destroyed without a commit (a later file of it failed) leaves every
// target as it was and nothing behind. Files that are not regular (a FIFO, a device) cannot be
// held back and are written at once. A set opened inside another joins it: the outer one
// commits.
struct SPendingFile;
class CFileSetWrite {
public:
    CFileSetWrite();
    ~CFileSetWrite();
    CFileSetWrite(const CFileSetWrite&) = delete;
    CFileSetWrite& operator=(const CFileSetWrite&) = delete;

    // Puts every held file in place. On failure, `failedPath` and `reason` say which file and
    // why. Each file is named beside its target before any is renamed over it, so a failure
    // replaces nothing, short of a rename failing within its own folder.
    bool Commit(std::string& failedPath, std::string& reason);
    // Commit, reporting a failure as "Cannot write file "%1": %2" through the host.
    bool CommitReported(CHost& host);

    void Hold(std::unique_ptr<SPendingFile> file);

private:
    std::vector<std::unique_ptr<SPendingFile>> m_files;
    bool m_bOuter;
};

// WriteFileSafely, reporting a failure as "Cannot write file "%1": %2" through the host.
bool WriteFileReported(const std::string& path, std::string_view bytes, CHost& host);

// One file of a set that is written together.
struct SFileToWrite {
    std::string path;
    std::string bytes;
};
// Writes a set of files that belong together as one CFileSetWrite (joining the set already
// open, if any): a failure, reported like WriteFileReported's, leaves every previous file as
// it was.
bool WriteFileSetReported(const std::vector<SFileToWrite>& files, CHost& host);

// The largest file the program reads (bytes): many times the largest project, data file or
// code export it writes for 16384 complex taps.
inline constexpr size_t kMaxReadFileBytes = size_t{64} << 20;

enum class EFileRead {
    Ok,
    CannotOpen, // missing, or no permission to open it
    Refused,    // a directory, not a regular file, larger than the limit, or a read error
};
// Reads the whole regular file at path into bytes. A file larger than maxBytes is refused
// before it is read. On failure `reason` says why and bytes is empty.
EFileRead ReadFileBounded(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason,
                          size_t maxBytes = kMaxReadFileBytes);
// ReadFileBounded, reporting a failure through the host: "Cannot open file "%1"." for a file
// that cannot be opened (only when reportOpenFailure is set), "Cannot read file "%1": %2" for a
// refused one.
bool ReadFileReported(const std::string& path, std::vector<uint8_t>& bytes, CHost& host,
                      bool reportOpenFailure = true);

// Whether the file at path can be opened for reading, found without waiting: a FIFO nobody
// writes to opens at once (the bounded reader then refuses it).
bool CanOpenWithoutWaiting(const std::string& path);
// The first bytes (at most n) of the regular file at path; empty for anything else, without
// waiting on a FIFO or a device.
std::vector<uint8_t> ReadFileHead(const std::string& path, size_t n);

// Which file a path names and when it last changed: two stamps of a path differ once the file
// was written, replaced, removed or created in between.
struct SFileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    bool operator==(const SFileStamp&) const = default;
};
SFileStamp StampOfFile(const std::string& path);
SFileStamp StampOfOpenFile(int fd);

// Whether two paths name one file: the same device and inode when both exist, otherwise the
// same absolute path once the symbolic links of its existing part are resolved.
bool IsSameFile(const std::string& a, const std::string& b);

// The refusal of a command whose outputs would overwrite one of its inputs or each other: "The
// output file "%1" is also an input file." or "The file "%1" is named for two outputs."; ""
// when every output is a file of its own. Empty names are not files.
std::string FindFileClash(const std::vector<std::string>& inputs,
                          const std::vector<std::string>& outputs);
