#include "support/hand_over.h"

#include "io_test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

TEST(HandOver, ARequestReadsBackAsItsPaths) {
    const std::vector<std::string> paths = {"/home/u/a b.cfp", "/tmp/ü.cfa"};
    const std::string request = HandOverRequest(paths);
    EXPECT_EQ(request, "open /home/u/a b.cfp\nopen /tmp/ü.cfa\n\n");
    std::vector<std::string> read;
    EXPECT_EQ(ParseHandOverRequest(request, read), EHandOverRequest::Complete);
    EXPECT_EQ(read, paths);
    // Arriving in pieces: incomplete until the empty line.
    EXPECT_EQ(ParseHandOverRequest(request.substr(0, 10), read), EHandOverRequest::Incomplete);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(ParseHandOverRequest(request.substr(0, request.size() - 1), read),
              EHandOverRequest::Incomplete);
}

TEST(HandOver, UnsendablePathsAndBadRequests) {
    for (const std::vector<std::string>& paths : {std::vector<std::string>{"/a\nopen /b"},
                                                  {""},
                                                  {std::string("/a\0b", 4)},
                                                  {std::string(kMaxHandOverRequestBytes, 'x')}})
        EXPECT_EQ(HandOverRequest(paths), "") << paths[0].substr(0, 20);

    struct SCase {
        std::string bytes;
        EHandOverRequest result;
    };
    const SCase cases[] = {
        {"\n", EHandOverRequest::Complete},
        {"close /a\n\n", EHandOverRequest::Refused},
        {"open \n\n", EHandOverRequest::Refused},
        {std::string("open /a\0b\n\n", 11), EHandOverRequest::Refused},
        {std::string(kMaxHandOverRequestBytes, 'o'), EHandOverRequest::Refused},
        {"open /a" + std::string(kMaxHandOverRequestBytes, 'a') + "\n\n",
         EHandOverRequest::Refused},
    };
    for (const SCase& c : cases) {
        std::vector<std::string> paths;
        EXPECT_EQ(ParseHandOverRequest(c.bytes, paths), c.result) << c.bytes.substr(0, 20);
        EXPECT_TRUE(paths.empty());
    }
}

// The socket lives only in a folder of this user's that nobody else may enter or write, one
// socket per display.
TEST(HandOver, TheSocketIsPrivateToTheUserAndTheDisplay) {
    CTempFolder folder;
    const std::string runtime = folder.Path("runtime");
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    const char* saved = std::getenv("XDG_RUNTIME_DIR");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    std::string reason;
    EXPECT_EQ(PrivateRuntimeFolder(reason), runtime) << reason;

    ::chmod(runtime.c_str(), 0777);
    EXPECT_EQ(PrivateRuntimeFolder(reason), "");
    EXPECT_EQ(reason, runtime + " is open to other users");
    ::chmod(runtime.c_str(), 0700);
    if (::getuid() == 0 && ::chown(runtime.c_str(), 65534, 65534) == 0) {
        EXPECT_EQ(PrivateRuntimeFolder(reason), "");
        EXPECT_EQ(reason, runtime + " belongs to another user");
    }
    ::setenv("XDG_RUNTIME_DIR", "relative", 1);
    EXPECT_EQ(PrivateRuntimeFolder(reason), "");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(PrivateRuntimeFolder(reason), "");
    if (saved)
        ::setenv("XDG_RUNTIME_DIR", previous.c_str(), 1);

    EXPECT_EQ(HandOverSocketPath("/run/user/7", ":0"), "/run/user/7/corvifir-open-_0");
    EXPECT_NE(HandOverSocketPath("/run/user/7", ":0"), HandOverSocketPath("/run/user/7", ":1"));
    EXPECT_EQ(HandOverSocketPath("/run/user/7", "../../x"), "/run/user/7/corvifir-open-.._.._x");
    EXPECT_EQ(HandOverSocketPath("", ":0"), "");
    EXPECT_EQ(HandOverSocketPath("/run/user/7", ""), "");
}
