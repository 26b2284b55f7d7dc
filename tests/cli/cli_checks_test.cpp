// Values and options the command line refuses or reports instead of giving a wrong result.
#include "cli.h"
#include "cli_test_util.h"
#include "design/driver_messages.h"
#include "design/remez/remez_messages.h"
#include "io/io_messages.h"
#include "support/format_number.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

uint32_t LittleEndian(const std::string& bytes, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

int CountTaps(const std::string& out) {
    std::istringstream is(out);
    int n = 0;
    for (double v = 0.0; is >> v;)
        ++n;
    return n;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& a : args)
        line += a + " ";
    return line;
}

class CliChecks : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_clichecks_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CliChecks, ValuesThatAreNotFiniteAreRefusedWithFileAndPlace) {
    WriteAll(Path("nan.txt"), "0.25\n0.5\nnan\n0.25\n");
    WriteAll(Path("big.txt"), "0.25\n1e999\n");
    float floats[] = {0.25f, 0.5f, 0.0f, 0.25f};
    floats[2] = std::numeric_limits<float>::infinity();
    WriteAll(Path("inf.bin"), std::string(reinterpret_cast<const char*>(floats), sizeof floats));
    struct SCase {
        std::string file;
        std::string format;
        std::string message;
    };
    const SCase cases[] = {
        {Path("nan.txt"), "Text:Decimal",
         FormatMessage(kMsgNotFiniteAtLine, {Path("nan.txt"), "3"})},
        {Path("big.txt"), "Text:Decimal",
         FormatMessage(kMsgNotFiniteAtLine, {Path("big.txt"), "2"})},
        {Path("inf.bin"), "Binary:float",
         FormatMessage(kMsgNotFiniteAtSample, {Path("inf.bin"), "3"})},
    };
    for (const SCase& c : cases) {
        const Result r = RunCommand({"import", c.file, "--format", c.format, "-o", Path("x.cfp")});
        EXPECT_EQ(r.status, kExitFailed) << c.file;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.cfp")));
}

TEST_F(CliChecks, ADesignQuantizedToZerosFails) {
    const Result r =
        RunCommand({"design", "windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.1",
                    "--taps", "21", "--quantize", "1", "-o", Path("coef.txt")});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_TRUE(Contains(r.err, FormatMessage(kMsgQuantizedToZero, {"1"}))) << r.err;
    EXPECT_FALSE(Contains(r.err, "Design succeeded")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("coef.txt")));

    // A Parks-McClellan design of 2-bit words: its passband has no gain, which never meets the
    // specification, so the search for the fewest taps finds none.
    const Result pm = RunCommand({"design", "simple-pm", "--fs", "1", "--type", "lowpass",
                                  "--edge1", "0.1", "--edge2", "0.2", "--ripple", "1", "--atten",
                                  "40", "--taps", "31", "--quantize", "2"});
    EXPECT_EQ(pm.status, kExitFailed);
    EXPECT_FALSE(Contains(pm.err, "Design succeeded")) << pm.err;
}

TEST_F(CliChecks, ABandBeyondHalfTheSamplingFrequencyIsARefusedSpecification) {
    const Result r = RunCommand({"design", "advanced-pm", "--fs", "48000", "--band", "0", "6000",
                                 "1", "1", "--band", "9000", "30000", "0", "60", "--taps", "41"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "half the sampling frequency")) << r.err;
    EXPECT_FALSE(Contains(r.err, "converge")) << r.err;
}

TEST_F(CliChecks, GridStorageThatCannotBeAllocatedIsReportedOnce) {
    const Result r =
        RunCommand({"design", "advanced-pm", "--fs", "1", "--band", "0", "0.1", "1", "1", "--band",
                    "0.2", "0.5", "0", "60", "--taps", "4001", "--grid", "1000000"});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(Occurrences(r.err, kPmGridStorageMessage), 1) << r.err;
    EXPECT_FALSE(Contains(r.err, "converge")) << r.err;
}

TEST_F(CliChecks, WaveExportTakesItsSampleSizeAndRate) {
    ASSERT_EQ(RunCommand({"design", "maxflat", "--fs", "1", "--center", "0.2", "--taps", "51", "-p",
                          Path("m.cfp")})
                  .status,
              kExitOk);
    struct SCase {
        std::vector<std::string> options;
        uint32_t rate;
        uint32_t bits;
    };
    const SCase cases[] = {
        {{}, 11025, 8},
        {{"--wave-bits", "16", "--wave-rate", "44100"}, 44100, 16},
        {{"--wave-rate", "22050"}, 22050, 8},
    };
    for (const SCase& c : cases) {
        std::vector<std::string> args = {"export",      Path("m.cfp"), "--format",
                                         "Binary:Wave", "-o",          Path("m.wav")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Result r = RunCommand(args);
        ASSERT_EQ(r.status, kExitOk) << r.err;
        const std::string wav = ReadAll(Path("m.wav"));
        EXPECT_EQ(LittleEndian(wav, 24, 4), c.rate);
        EXPECT_EQ(LittleEndian(wav, 34, 2), c.bits);
        EXPECT_EQ(wav.size(), 46u + 51u * c.bits / 8u);
    }
    const Result bits = RunCommand(
        {"export", Path("m.cfp"), "--format", "Binary:Wave", "-o", Path("b.wav"), "--bits", "12"});
    EXPECT_EQ(bits.status, kExitUsage);
    const Result text = RunCommand({"export", Path("m.cfp"), "--format", "Text:Hex", "-o",
                                    Path("b.hex"), "--wave-bits", "16"});
    EXPECT_EQ(text.status, kExitUsage);

    // A WAVE whose data ends early gives what it holds and says so.
    const std::string wav = ReadAll(Path("m.wav"));
    WriteAll(Path("short.wav"), wav.substr(0, 46 + 10));
    const Result imported = RunCommand(
        {"import", Path("short.wav"), "--format", "Binary:Wave", "-o", Path("short.cfp")});
    ASSERT_EQ(imported.status, kExitOk) << imported.err;
    EXPECT_TRUE(Contains(imported.err, FormatMessage(kMsgWaveEndsEarly, {"10", "51"})))
        << imported.err;
    EXPECT_TRUE(Contains(RunCommand({"show", Path("short.cfp")}).out, "taps: 10 real"));
}

TEST_F(CliChecks, OptionMistakesAreRefused) {
    const std::vector<std::string> lowpass = {"--fs",      "1",   "--type", "lowpass",
                                              "--corner1", "0.2", "--taps", "21"};
    struct SCase {
        std::vector<std::string> args;
        std::string message;
    };
    const auto windowed = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"design", "windowed-sinc"};
        args.insert(args.end(), lowpass.begin(), lowpass.end());
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const SCase cases[] = {
        {windowed({"--taps", "31"}), "option '--taps' is given more than once"},
        {windowed({"-o", "a.txt", "--output=b.txt"}), "option '--output' is given more than once"},
        {{"design", "--fs", "1"},
         "design needs one method: simple-pm, advanced-pm, windowed-sinc, raised-cosine, "
         "lth-band, maxflat or cic"},
        {windowed({"--window", "dolph-chebyshev", "--param", "0"}),
         "Gamma must be 1.0 or greater."},
        {{"design", "lth-band", "--fs", "1", "--l", "4", "--cutoff", "0.1", "--taps", "31",
          "--method", "windowed-sinc", "--param", "-3"},
         "Gamma must be 1.0 or greater."},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        const Result r = RunCommand(c.args);
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(RunCommand(windowed({"--window", "dolph-chebyshev", "--param", "50"})).status,
              kExitOk);
}

TEST_F(CliChecks, MaxflatTapCountsStayInTheRangeTheHelpStates) {
    const Result help = RunCommand({"design", "--help"});
    ASSERT_TRUE(Contains(help.out, "N-4 to N+6 for --taps N")) << help.out;
    for (const int n : {11, 101, 1299}) {
        int lowest = n + 100;
        int highest = 0;
        for (int k = 1; k < 20; ++k) {
            const Result r =
                RunCommand({"design", "maxflat", "--fs", "1", "--center",
                            StrPrintf("%.3f", 0.02 * k + 0.05), "--taps", std::to_string(n)});
            if (r.status != kExitOk)
                continue; // a centre too near 0 or Fs/2 for this rolloff
            const int taps = CountTaps(r.out);
            EXPECT_EQ(taps % 2, 1);
            lowest = std::min(lowest, taps);
            highest = std::max(highest, taps);
        }
        EXPECT_GE(lowest, n - 4) << n;
        EXPECT_LE(highest, n + 6) << n;
        EXPECT_LT(lowest, highest) << n; // the count follows the centre
    }
    EXPECT_EQ(
        RunCommand({"design", "maxflat", "--fs", "1", "--center", "0.2", "--taps", "1301"}).status,
        kExitUsage);
}
