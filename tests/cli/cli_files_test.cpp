// Files and streams the command line reads and writes when things go wrong: outputs that would
// overwrite inputs, paths that are not files, a full disk, a failing standard output.
#include "cli.h"
#include "cli_test_util.h"
#include "support/file_messages.h"
#include "support/format_number.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& a : args)
        line += a + " ";
    return line;
}

// A stream buffer that refuses every byte, as a full disk or a closed pipe does.
class CFailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Runs the command in a process that may write no file larger than 100 bytes, as if the disk
// were full, and exits with its status. The captured standard error is such a file too: only
// the verdict goes there.
[[noreturn]] void RunOnAFullDisk(const std::vector<std::string>& args) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, out, err);
    std::cerr << (Contains(err.str(), "\": File too large") ? "reported" : err.str());
    std::exit(status);
}

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_clifiles_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    static std::vector<std::string> Lowpass(std::vector<std::string> extra) {
        std::vector<std::string> args = {
            "design",  "simple-pm", "--fs",     "48000", "--type",  "lowpass", "--edge1", "6000",
            "--edge2", "9000",      "--ripple", "1",     "--atten", "60",      "--taps",  "41"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CliFiles, AnOutputThatWouldOverwriteAnInputIsRefusedBeforeAnythingIsWritten) {
    ASSERT_EQ(RunCommand(Lowpass({"-p", Path("p.cfp")})).status, kExitOk);
    WriteAll(Path("data.txt"), "0.25\n0.5\n0.25\n");
    std::filesystem::create_symlink(Path("p.cfp"), Path("alias.cfp"));
    const std::string project = ReadAll(Path("p.cfp"));
    const std::string x = Path("x.txt");
    struct SCase {
        std::vector<std::string> args;
        std::string message;
    };
    const SCase cases[] = {
        {{"export", Path("p.cfp"), "--format", "Text:Decimal", "-o", Path("p.cfp")},
         FormatMessage(kMsgOutputIsInput, {Path("p.cfp")})},
        {{"export", Path("p.cfp"), "--format", "Text:Decimal", "-o", Path("alias.cfp")},
         FormatMessage(kMsgOutputIsInput, {Path("alias.cfp")})},
        {{"export", Path("p.cfp"), "--format", "Text:Decimal", "-o", x, "--quadrature-file",
          Path("sub/../x.txt")},
         FormatMessage(kMsgOutputTwice, {Path("sub/../x.txt")})},
        {{"design", Path("p.cfp"), "-o", Path("p.cfp")},
         FormatMessage(kMsgOutputIsInput, {Path("p.cfp")})},
        {{"design", Path("p.cfp"), "-o", x, "-p", x}, FormatMessage(kMsgOutputTwice, {x})},
        {Lowpass({"-o", x, "--project", x}), FormatMessage(kMsgOutputTwice, {x})},
        {{"design", "maxflat", "--fs", "1", "--center", "0.2", "--taps", "11", "-o", x, "-p", x},
         FormatMessage(kMsgOutputTwice, {x})},
        {{"import", Path("data.txt"), "--format", "Text:Decimal", "-o", Path("data.txt")},
         FormatMessage(kMsgOutputIsInput, {Path("data.txt")})},
    };
    std::filesystem::create_directory(Path("sub"));
    for (const SCase& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        const Result r = RunCommand(c.args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(ReadAll(Path("p.cfp")), project);
    EXPECT_EQ(ReadAll(Path("data.txt")), "0.25\n0.5\n0.25\n");
    EXPECT_FALSE(std::filesystem::exists(x));
    // Saving a project over itself stays allowed.
    EXPECT_EQ(RunCommand({"design", Path("p.cfp"), "-p", Path("p.cfp")}).status, kExitOk);
}

TEST_F(CliFiles, APathThatIsNotARegularFileGivesOneMessage) {
    std::filesystem::create_directory(Path("dir.cfp"));
    ASSERT_EQ(::mkfifo(Path("fifo.cfp").c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"show", Path("dir.cfp")},
        {"show", Path("fifo.cfp")},
        {"show", "/dev/zero"},
        {"design", Path("dir.cfp")},
        {"export", Path("dir.cfp"), "--format", "Text:Decimal", "-o", Path("x.txt")},
        {"import", Path("dir.cfp"), "--format", "Text:Decimal", "-o", Path("x.cfp")},
        {"import", "/dev/zero", "--format", "Binary:float", "-o", Path("x.cfp")},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(Joined(args));
        const Result r = RunCommand(args);
        EXPECT_EQ(r.status, kExitFailed);
        EXPECT_TRUE(Contains(r.err, "Cannot read file \"")) << r.err;
        EXPECT_TRUE(Contains(r.err, kMsgIsDirectory) || Contains(r.err, kMsgNotRegularFile))
            << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.txt")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.cfp")));
}

// On a full disk every output fails with the system's reason, and the files of the previous run
// stay whole.
TEST_F(CliFiles, AFullDiskKeepsThePreviousFilesAndFails) {
    const std::string coef = Path("coef.txt");
    const std::string project = Path("p.cfp");
    ASSERT_EQ(RunCommand(Lowpass({"-o", coef, "-p", project})).status, kExitOk);
    const std::string exported = Path("p.hex");
    ASSERT_EQ(RunCommand({"export", project, "--format", "Text:Hex", "-o", exported}).status,
              kExitOk);
    const std::string before = ReadAll(coef) + ReadAll(project) + ReadAll(exported);
    const std::vector<std::vector<std::string>> commands = {
        Lowpass({"-o", coef}),
        Lowpass({"-p", project}),
        {"export", project, "--format", "Text:Hex", "-o", exported},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(Joined(args));
        EXPECT_EXIT(RunOnAFullDisk(args), ::testing::ExitedWithCode(kExitFailed), "reported");
    }
    EXPECT_EQ(ReadAll(coef) + ReadAll(project) + ReadAll(exported), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir),
                            std::filesystem::directory_iterator()),
              3);
}

TEST_F(CliFiles, AFailingStandardOutputIsAnError) {
    CFailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    EXPECT_EQ(RunCli({"--version"}, out, err), kExitFailed);
    EXPECT_TRUE(Contains(err.str(), "Cannot write to standard output.")) << err.str();

    // A message that cannot be shown still fails the command.
    std::ostringstream fine;
    std::ostream failingErr(&failing);
    EXPECT_EQ(RunCli({"show", Path("missing.cfp")}, fine, failingErr), kExitFailed);
    EXPECT_EQ(RunCli({"--version"}, fine, failingErr), kExitFailed);
}

TEST_F(CliFiles, AnExceptionIsReportedNotFatal) {
    // A stream set to throw on failure stands for any exception a command meets.
    CFailingBuffer failing;
    std::ostream out(&failing);
    out.exceptions(std::ios::badbit);
    std::ostringstream err;
    EXPECT_EQ(RunCli(Lowpass({}), out, err), kExitFailed);
    EXPECT_TRUE(Contains(err.str(), "corvifir-cli: error: Unexpected error: ")) << err.str();
}

// A FIFO named as a data file or a project is refused at once instead of waiting for a writer.
TEST_F(CliFiles, AFifoIsRefusedWithoutWaiting) {
    const std::string fifo = Path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Result imported =
        RunCommand({"import", fifo, "--format", "Text:Decimal", "-o", Path("i.cfp")});
    EXPECT_EQ(imported.status, kExitFailed);
    EXPECT_TRUE(Contains(imported.err, kMsgNotRegularFile)) << imported.err;
    EXPECT_FALSE(std::filesystem::exists(Path("i.cfp")));
    const Result shown = RunCommand({"show", fifo});
    EXPECT_EQ(shown.status, kExitFailed);
    EXPECT_TRUE(Contains(shown.err, kMsgNotRegularFile)) << shown.err;
}
