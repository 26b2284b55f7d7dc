#include "support/file_access.h"

#include "io_test_files.h"
#include "support/file_messages.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Everything in the folder except the named files: a temporary file left behind shows here.
std::vector<std::string> Leftovers(const CTempFolder& folder, std::vector<std::string> expected) {
    std::vector<std::string> extra;
    for (const auto& entry : fs::directory_iterator(folder.Dir())) {
        const std::string name = entry.path().filename().string();
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            extra.push_back(name);
    }
    return extra;
}

ssize_t WriteHalfThenDiskFull(int fd, const void* data, size_t n) {
    if (n > 4)
        return ::write(fd, data, n / 2);
    errno = ENOSPC;
    return -1;
}
int SyncFailsWithIoError(int) {
    errno = EIO;
    return -1;
}
ssize_t WriteNothing(int, const void*, size_t) {
    return 0;
}

ssize_t WriteHalfThenGetKilled(int fd, const void* data, size_t n) {
    ::write(fd, data, n / 2);
    ::raise(SIGKILL);
    return -1;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

} // namespace

TEST(FileAccess, WritesANewFileAndReplacesAnOldOneKeepingItsPermissions) {
    CTempFolder folder;
    const std::string path = folder.Path("coef.txt");
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(path, "first\n", reason)) << reason;
    EXPECT_EQ(ReadText(path), "first\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileSafely(path, "second", reason)) << reason;
    EXPECT_EQ(ReadText(path), "second");
    EXPECT_EQ(ModeOf(path) & 07777, 0640u);
    EXPECT_TRUE(Leftovers(folder, {"coef.txt"}).empty());
}

// A disk that fills up, a sync that fails, a write that makes no progress: the previous file
// stays as it was, no temporary file is left and the reason is the system's.
TEST(FileAccess, AFailedWriteKeepsThePreviousFile) {
    struct SCase {
        SFileWriteCalls calls;
        const char* reason;
    };
    const SCase cases[] = {
        {{WriteHalfThenDiskFull, ::fsync}, "No space left on device"},
        {{::write, SyncFailsWithIoError}, "Input/output error"},
        {{WriteNothing, ::fsync}, "No space left on device"},
    };
    for (const SCase& c : cases) {
        CTempFolder folder;
        const std::string path = folder.Path("keep.txt");
        WriteText(path, "previous contents");
        std::string reason;
        EXPECT_FALSE(WriteFileSafely(path, std::string(1000, 'x'), reason, c.calls));
        EXPECT_EQ(reason, c.reason);
        EXPECT_EQ(ReadText(path), "previous contents");
        EXPECT_TRUE(Leftovers(folder, {"keep.txt"}).empty());
    }
}

// Killed in the middle of a write (kill -9): the previous file stays and no temporary file is
// left behind.
TEST(FileAccess, AWriterKilledMidwayLeavesNothingBehind) {
    CTempFolder folder;
    const std::string path = folder.Path("p.cfp");
    WriteText(path, "previous");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string reason;
        WriteFileSafely(path, "a replacement that never completes", reason,
                        {WriteHalfThenGetKilled, ::fsync});
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadText(path), "previous");
    EXPECT_TRUE(Leftovers(folder, {"p.cfp"}).empty());
}

TEST(FileAccess, AFailedWriteIsReportedWithPathAndReason) {
    CScriptedHost host;
    const std::string path = "/nonexistent-folder/out.txt";
    EXPECT_FALSE(WriteFileReported(path, "x", host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              FormatMessage(kMsgCannotWriteFile, {path, "No such file or directory"}));
}

TEST(FileAccess, ASymbolicLinkIsWrittenThrough) {
    CTempFolder folder;
    fs::create_directory(folder.Path("real"));
    const std::string target = folder.Path("real/project.cfp");
    WriteText(target, "old");
    fs::create_symlink("real/project.cfp", folder.Path("link.cfp"));
    fs::create_symlink(folder.Path("real/new.cfp"), folder.Path("dangling.cfp"));
    std::string reason;
    ASSERT_TRUE(WriteFileSafely(folder.Path("link.cfp"), "new", reason)) << reason;
    ASSERT_TRUE(WriteFileSafely(folder.Path("dangling.cfp"), "made", reason)) << reason;
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("link.cfp"))));
    EXPECT_TRUE(S_ISLNK(ModeOf(folder.Path("dangling.cfp"))));
    EXPECT_EQ(ReadText(target), "new");
    EXPECT_EQ(ReadText(folder.Path("real/new.cfp")), "made");
    EXPECT_TRUE(Leftovers(folder, {"real", "link.cfp", "dangling.cfp"}).empty());
}

TEST(FileAccess, AFifoOrADeviceIsWrittenDirectlyAndNeverReplaced) {
    CTempFolder folder;
    const std::string fifo = folder.Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string reason;
    // Nobody reads the pipe: refused at once instead of waiting for a reader.
    EXPECT_FALSE(WriteFileSafely(fifo, "nobody listens", reason));
    EXPECT_EQ(reason, "No such device or address");

    const int readEnd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(readEnd, 0);
    EXPECT_TRUE(WriteFileSafely(fifo, "through the pipe", reason)) << reason;
    char received[64] = {};
    EXPECT_EQ(::read(readEnd, received, sizeof received - 1), 16);
    ::close(readEnd);
    EXPECT_STREQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

    // A copy of /dev/null in the test's folder (only root may make one).
    const std::string null = folder.Path("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    EXPECT_TRUE(WriteFileSafely(null, "discarded", reason)) << reason;
    EXPECT_TRUE(S_ISCHR(ModeOf(null)));
    EXPECT_TRUE(Leftovers(folder, {"pipe", "null"}).empty());
}

// A file without write permission is kept as it is, whoever runs the program.
TEST(FileAccess, AReadOnlyFileIsNeverReplaced) {
    CTempFolder folder;
    const std::string path = folder.Path("kept.cfp");
    WriteText(path, "original");
    ::chmod(path.c_str(), 0444);
    std::string reason;
    EXPECT_FALSE(WriteFileSafely(path, "replacement", reason));
    EXPECT_EQ(reason, "Permission denied");
    EXPECT_EQ(ReadText(path), "original");
    EXPECT_TRUE(Leftovers(folder, {"kept.cfp"}).empty());
}

TEST(FileAccess, AFolderIsNeitherWrittenNorReplaced) {
    CTempFolder folder;
    fs::create_directory(folder.Path("sub"));
    std::string reason;
    EXPECT_FALSE(WriteFileSafely(folder.Path("sub"), "x", reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_TRUE(fs::is_directory(folder.Path("sub")));
}

// A set of files is written whole or not at all: until the commit no file of it is replaced,
// a failure of any file leaves every target as it was, and nothing is left behind.
TEST(FileAccess, ASetOfFilesIsWrittenWholeOrNotAtAll) {
    CTempFolder folder;
    const std::string report = folder.Path("r.html"), picture = folder.Path("r_freq.png");
    WriteText(report, "old report");
    WriteText(picture, "old picture");
    std::string reason, failed;
    {
        CFileSetWrite set;
        ASSERT_TRUE(WriteFileSafely(report, "new report", reason)) << reason;
        ASSERT_TRUE(WriteFileSafely(picture, "new picture", reason)) << reason;
        EXPECT_EQ(ReadText(report), "old report");
        {
            CFileSetWrite inner; // joins the outer set
            ASSERT_TRUE(WriteFileSafely(folder.Path("r_imp.png"), "impulse", reason));
            EXPECT_TRUE(inner.Commit(failed, reason));
        }
        EXPECT_FALSE(fs::exists(folder.Path("r_imp.png")));
        ASSERT_TRUE(set.Commit(failed, reason)) << reason;
    }
    EXPECT_EQ(ReadText(report), "new report");
    EXPECT_EQ(ReadText(picture), "new picture");
    EXPECT_EQ(ReadText(folder.Path("r_imp.png")), "impulse");
    EXPECT_TRUE(Leftovers(folder, {"r.html", "r_freq.png", "r_imp.png"}).empty());

    // A full disk on the second file, or a set given up before its commit: nothing changes.
    for (const bool diskFull : {true, false}) {
        {
            CFileSetWrite set;
            ASSERT_TRUE(WriteFileSafely(report, "newer report", reason));
            EXPECT_EQ(WriteFileSafely(picture, std::string(100, 'p'), reason,
                                      diskFull ? SFileWriteCalls{WriteHalfThenDiskFull, ::fsync}
                                               : SystemFileWriteCalls()),
                      !diskFull);
        }
        EXPECT_EQ(ReadText(report), "new report");
        EXPECT_EQ(ReadText(picture), "new picture");
        EXPECT_TRUE(Leftovers(folder, {"r.html", "r_freq.png", "r_imp.png"}).empty());
    }
    // Outside a set every write takes effect at once again.
    ASSERT_TRUE(WriteFileSafely(report, "alone", reason));
    EXPECT_EQ(ReadText(report), "alone");
}

TEST(FileAccess, ReadsOnlyRegularFilesWithinTheLimit) {
    CTempFolder folder;
    const std::string small = folder.Path("small.txt");
    WriteText(small, "0.5\n0.25\n");
    fs::create_directory(folder.Path("dir"));
    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    struct SCase {
        std::string path;
        size_t limit;
        EFileRead result;
        std::string reason;
    };
    const std::string tooLarge = FormatMessage(kMsgFileTooLarge, {"8"});
    const SCase cases[] = {
        {small, 9, EFileRead::Ok, ""},
        {small, 8, EFileRead::Refused, tooLarge},
        {folder.Path("dir"), kMaxReadFileBytes, EFileRead::Refused, kMsgIsDirectory},
        {folder.Path("fifo"), kMaxReadFileBytes, EFileRead::Refused, kMsgNotRegularFile},
        {"/dev/zero", kMaxReadFileBytes, EFileRead::Refused, kMsgNotRegularFile},
        {folder.Path("missing"), kMaxReadFileBytes, EFileRead::CannotOpen,
         "No such file or directory"},
    };
    for (const SCase& c : cases) {
        std::vector<uint8_t> bytes;
        std::string reason;
        EXPECT_EQ(ReadFileBounded(c.path, bytes, reason, c.limit), c.result) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_EQ(bytes.size(), c.result == EFileRead::Ok ? 9u : 0u) << c.path;
    }
}

// The head of a file and the check that it opens never wait on a FIFO nobody writes to.
TEST(FileAccess, PeekingNeverWaits) {
    CTempFolder folder;
    const std::string small = folder.Path("small.bin");
    WriteText(small, "abc");
    const std::string fifo = folder.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadFileHead(small, 2), (std::vector<uint8_t>{'a', 'b'}));
    EXPECT_EQ(ReadFileHead(small, 8).size(), 3u);
    for (const std::string& other : {fifo, folder.Dir(), folder.Path("missing")})
        EXPECT_TRUE(ReadFileHead(other, 2).empty()) << other;
    EXPECT_TRUE(CanOpenWithoutWaiting(small));
    EXPECT_TRUE(CanOpenWithoutWaiting(fifo));
    EXPECT_FALSE(CanOpenWithoutWaiting(folder.Path("missing")));
}

TEST(FileAccess, ReadFailuresAreReportedOnce) {
    CTempFolder folder;
    std::vector<uint8_t> bytes;
    CScriptedHost host;
    EXPECT_FALSE(ReadFileReported(folder.Path("missing"), bytes, host, false));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(ReadFileReported(folder.Path("missing"), bytes, host));
    EXPECT_FALSE(ReadFileReported(folder.Dir(), bytes, host, false));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, FormatMessage(kMsgCannotOpenFile, {folder.Path("missing")}));
    EXPECT_EQ(host.messages[1].text,
              FormatMessage(kMsgCannotReadFile, {folder.Dir(), kMsgIsDirectory}));
}

TEST(FileAccess, SameFileSeesThroughSpellingsLinksAndHardLinks) {
    CTempFolder folder;
    WriteText(folder.Path("a.cfp"), "a");
    WriteText(folder.Path("b.cfp"), "b");
    fs::create_hard_link(folder.Path("a.cfp"), folder.Path("hard.cfp"));
    fs::create_symlink(folder.Path("a.cfp"), folder.Path("soft.cfp"));
    fs::create_directory(folder.Path("sub"));
    EXPECT_TRUE(IsSameFile(folder.Path("a.cfp"), folder.Path("sub/../a.cfp")));
    EXPECT_TRUE(IsSameFile(folder.Path("a.cfp"), folder.Path("hard.cfp")));
    EXPECT_TRUE(IsSameFile(folder.Path("soft.cfp"), folder.Path("a.cfp")));
    EXPECT_TRUE(IsSameFile(folder.Path("new.txt"), folder.Path("sub/../new.txt")));
    EXPECT_FALSE(IsSameFile(folder.Path("a.cfp"), folder.Path("b.cfp")));
    EXPECT_FALSE(IsSameFile(folder.Path("new.txt"), folder.Path("new2.txt")));
}
