#include "support/paths.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Paths, NamesAndExtensions) {
    EXPECT_EQ(FileNameOf("C:\\dir\\lp.cfp"), "lp.cfp");
    EXPECT_EQ(FileNameOf("/home/x/lp.cfp"), "lp.cfp");
    EXPECT_EQ(FileNameOf("lp"), "lp");
    EXPECT_EQ(DirectoryOf("/home/x/lp.cfp"), "/home/x/");
    EXPECT_EQ(DirectoryOf("lp.cfp"), "");
    EXPECT_EQ(NameWithoutExtension("/a.b/lp.cfp"), "lp");
    EXPECT_EQ(NameWithoutExtension("/a.b/lp"), "lp");
    EXPECT_EQ(ReplaceExtension("/a.b/lp.cfs", ".cfp"), "/a.b/lp.cfp");
    EXPECT_EQ(ReplaceExtension("/a.b/lp", ".cfp"), "/a.b/lp.cfp");
    EXPECT_EQ(ExtensionOf("x/y.Txt"), ".Txt");
}

TEST(Paths, TempFilesAndDirectories) {
    const std::string a = UniqueTempFile("DataView.Tmp");
    const std::string b = UniqueTempFile("DataView.Tmp");
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(FileNameOf(a).rfind("DataView.Tmp", 0), 0u);
    std::remove(a.c_str());
    std::remove(b.c_str());
    EXPECT_FALSE(FileExists(a));

    std::string error;
    EXPECT_FALSE(ChangeDirectory("/no/such/dir", error));
    EXPECT_EQ(error, "Cannot change to /no/such/dir");
}
