#include "cli_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

// A project of the 101-tap linear-phase lowpass of tests/data/hdl, in a folder of its own.
class CliHdl : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_cli_hdl_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        const Result r =
            RunCommand({"import", std::string(CORVIFIR_TEST_DATA_DIR) + "/hdl/lp_odd101.txt",
                        "--format", "Text:Decimal", "-o", Path("lp.cfp")});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CliHdl, ShowPrintsTheImplementationSummary) {
    Result r = RunCommand({"show", Path("lp.cfp"), "--hdl", "--bits", "16", "--input-bits", "16",
                           "--hdl-structure", "systolic"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"symmetry: symmetric (folded)\n", "multipliers: 51\n",
          "adders: 100 (50 pre-adders, 50 sum, 0 rounding)\n", "latency: 11 clock cycles\n"})
        EXPECT_TRUE(Contains(r.out, line)) << line << r.out;
    r = RunCommand({"show", Path("lp.cfp"), "--input-bits", "16"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "--bits and the implementation options need --hdl")) << r.err;
}

TEST_F(CliHdl, VerilogExportWritesItsSetOrRefuses) {
    Result r = RunCommand({"export", Path("lp.cfp"), "--format", "HDL:Verilog", "-o", Path("lp.v"),
                           "--output-bits", "16", "--rounding", "round"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name : {"lp.v", "lp_tb.v", "lp_in.txt", "lp_out.txt"})
        EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
    EXPECT_TRUE(Contains(ReadAll(Path("lp.v")), "module lp (\n"));

    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--format", "Text:Hex", "-o", Path("x.hex"), "--input-bits", "12"},
         2,
         "the implementation options are for \"HDL:Verilog\""},
        {{"--format", "HDL:Verilog", "-o", Path("x.v"), "--rounding", "nearest"}, 2, "--rounding"},
        {{"--format", "HDL:Verilog", "-o", Path("lp.cfp")}, 2, "is also an input file"},
        {{"--format", "HDL:Verilog", "-o", Path("x.v"), "--interleave", "forward", "--factor",
          "101"},
         1,
         "polyphase interleaving does not apply"},
        {{"--format", "HDL:Verilog", "-o", Path("x.v"), "--hdl-name", "3x"},
         1,
         "\"3x\" is not a module name"},
        {{"--format", "HDL:Verilog", "-o", Path("x.v"), "--output-bits", "99"},
         1,
         "Output word length must be 1 bit up to the accumulator width"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"export", Path("lp.cfp")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        r = RunCommand(args);
        EXPECT_EQ(r.status, c.status) << c.message << ": " << r.err;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_FALSE(std::filesystem::exists(Path("x_tb.v"))) << c.message;
    }
}
