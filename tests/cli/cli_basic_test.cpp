#include "cli.h"
#include "cli_test_util.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {} // namespace

TEST(CliBasic, HelpVersionAndBadArguments) {
    const Result help = RunCommand({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_NE(help.out.find("Usage: corvifir-cli"), std::string::npos);
    EXPECT_TRUE(help.err.empty());

    const Result version = RunCommand({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.out.rfind("corvifir-cli (CorviFIR) ", 0), 0u);

    const Result none = RunCommand({});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_NE(none.err.find("Usage:"), std::string::npos);

    const Result bad = RunCommand({"--frobnicate"});
    EXPECT_EQ(bad.status, kExitUsage);
    EXPECT_NE(bad.err.find("--frobnicate"), std::string::npos);
    EXPECT_TRUE(bad.out.empty());
}
