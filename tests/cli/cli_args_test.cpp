#include "cli_args.h"

#include <gtest/gtest.h>

TEST(CliArgs, OptionsFlagsRepeatsAndPositionals) {
    CCliArgs a({"in.cfp", "--fs", "48000", "--band", "0", "0.1", "1", "0.5", "--optimize",
                "--taps=31", "--band", "0.2", "0.5", "0", "60", "-o", "out.txt", "--edge1", "-3"});
    EXPECT_EQ(a.Number("--fs"), 48000.0);
    EXPECT_EQ(a.Integer("--taps"), 31);
    EXPECT_TRUE(a.Flag("--optimize"));
    EXPECT_FALSE(a.Flag("--root"));
    EXPECT_EQ(a.Value("--output", "-o"), "out.txt");
    EXPECT_EQ(a.Number("--edge1"), -3.0);
    const auto bands = a.Repeated("--band", 4);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[1], (std::vector<std::string>{"0.2", "0.5", "0", "60"}));
    EXPECT_EQ(a.Positionals(), std::vector<std::string>{"in.cfp"});
    EXPECT_TRUE(a.Finish());
}

TEST(CliArgs, ErrorsNameTheOption) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const Case cases[] = {
        {{"--fs", "abc"}, "option '--fs': 'abc' is not a number"},
        {{"--fs"}, "option '--fs' needs a value"},
        {{"--taps", "3.5"}, "option '--taps' needs a whole number"},
        {{"--band", "0", "1"}, "option '--band' needs 4 values"},
        {{"--bogus"}, "unknown option or argument '--bogus'"},
    };
    for (const Case& c : cases) {
        CCliArgs a(c.args);
        a.Number("--fs");
        a.Integer("--taps");
        a.Repeated("--band", 4);
        a.Finish();
        EXPECT_EQ(a.Error(), c.error);
    }
}
