#include "cli.h"
#include "cli_test_util.h"
#include "design/design_messages.h"
#include "design/driver_messages.h"
#include "support/host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

Result RunDesign(std::vector<std::string> args) {
    args.insert(args.begin(), "design");
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<double> ParseCoefficients(const std::string& text) {
    std::istringstream is(text);
    std::vector<double> h;
    double v = 0.0;
    while (is >> v)
        h.push_back(v);
    return h;
}

int CountLines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

// The 60 dB lowpass with 0.5 dB ripple, passband 0..0.1, stopband 0.13..0.5 (Fs = 1).
std::vector<std::string> Lowpass60(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"simple-pm", "--fs",    "1",       "--type", "lowpass",
                                     "--edge1",   "0.1",     "--edge2", "0.13",   "--ripple",
                                     "0.5",       "--atten", "60"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// One band of the summary: edges in the unit of Fs, whether a passband, achieved and specified
// ripple or attenuation and the margin, dB.
struct SBandLine {
    double lower, upper;
    bool pass;
    double actual, specified, margin;
};

std::vector<SBandLine> ParseBands(const std::string& err) {
    std::vector<SBandLine> bands;
    std::istringstream is(err);
    std::string line;
    while (std::getline(is, line)) {
        if (line.rfind("band ", 0) != 0)
            continue;
        SBandLine b{};
        char kind[8] = {}, what[16] = {};
        int index = 0;
        const int got =
            std::sscanf(line.c_str(),
                        "band %d: %lf - %lf %7s %15s %lf dB (specified %lf dB) margin "
                        "%lf dB",
                        &index, &b.lower, &b.upper, kind, what, &b.actual, &b.specified, &b.margin);
        EXPECT_EQ(got, 8) << line;
        b.pass = std::string(kind) == "pass";
        bands.push_back(b);
    }
    return bands;
}

double ReportedMargin(const std::string& err) {
    const size_t at = err.find("\nmargin: ");
    return at == std::string::npos ? NAN : std::stod(err.substr(at + 9));
}

// |H(f)|^2 of real taps at f (fraction of Fs), summed directly.
double Power(const std::vector<double>& h, double f) {
    double re = 0.0, im = 0.0;
    for (size_t n = 0; n < h.size(); ++n) {
        const double a = -2.0 * std::numbers::pi * f * static_cast<double>(n);
        re += h[n] * std::cos(a);
        im += h[n] * std::sin(a);
    }
    return re * re + im * im;
}

} // namespace

TEST(CliDesign, ExitStatusesOfRealDesigns) {
    // Meets its specification.
    const Result ok = RunDesign(Lowpass60({"--taps", "80"}));
    EXPECT_EQ(ok.status, kExitOk) << ok.err;
    EXPECT_EQ(CountLines(ok.out), 80);
    EXPECT_TRUE(Contains(ok.err, "Design succeeded, with a margin of "));

    // Designed, but too few taps for the specification.
    const Result misses = RunDesign(Lowpass60({"--taps", "40"}));
    EXPECT_EQ(misses.status, kExitMissesSpec);
    EXPECT_EQ(CountLines(misses.out), 40);
    EXPECT_TRUE(Contains(misses.err, kMsgDesignFailedSpec));

    // The exchange fails (a negative stopband weight): the program's message, no output.
    const Result failed =
        RunDesign({"advanced-pm", "--fs", "1", "--attn-linear", "--band", "0", "0.2", "1", "1",
                   "--band", "0.25", "0.5", "0", "-1", "--taps", "31"});
    EXPECT_EQ(failed.status, kExitFailed);
    EXPECT_TRUE(Contains(failed.err, kMsgPmNoConvergence));
    EXPECT_TRUE(failed.out.empty());

    // A non-finite result is reported as a math error, once per process.
    ResetMathErrorReport();
    const Result math =
        RunDesign({"advanced-pm", "--fs", "1", "--attn-linear", "--band", "0", "0.2", "1", "1",
                   "--band", "0.25", "0.5", "0", "0", "--taps", "31"});
    EXPECT_EQ(math.status, kExitFailed);
    EXPECT_TRUE(Contains(math.err, "Math error in function Remez."));
    const Result again =
        RunDesign({"advanced-pm", "--fs", "1", "--attn-linear", "--band", "0", "0.2", "1", "1",
                   "--band", "0.25", "0.5", "0", "0", "--taps", "31"});
    EXPECT_FALSE(Contains(again.err, "Math error"));
}

// Every engine designs the same short lowpass; the long-filter one to the same taps.
TEST(CliDesign, EngineChoice) {
    const Result classic = RunDesign(Lowpass60({"--taps", "80", "--engine", "classic"}));
    const Result robust = RunDesign(Lowpass60({"--taps", "80", "--engine", "robust"}));
    const Result automatic = RunDesign(Lowpass60({"--taps", "80"}));
    ASSERT_EQ(classic.status, kExitOk) << classic.err;
    ASSERT_EQ(robust.status, kExitOk) << robust.err;
    EXPECT_EQ(automatic.out, classic.out);
    const std::vector<double> a = ParseCoefficients(classic.out);
    const std::vector<double> b = ParseCoefficients(robust.out);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], 1e-9);
    const Result lth = RunDesign({"lth-band", "--fs", "1", "--l", "4", "--cutoff", "0.1", "--taps",
                                  "63", "--engine", "robust"});
    EXPECT_TRUE(lth.status == kExitOk || lth.status == kExitMissesSpec) << lth.err;
    EXPECT_EQ(CountLines(lth.out), 63);
}

// The fewest taps of a long design (95 dB, a transition of 0.0025): the optimiser's count meets
// the specification and two taps fewer do not.
TEST(CliDesign, OptimizerFindsTheFewestTapsOfALongDesign) {
    const std::vector<std::string> spec = {"simple-pm", "--fs",    "1",       "--type", "lowpass",
                                           "--edge1",   "0.2",     "--edge2", "0.2025", "--ripple",
                                           "0.1",       "--atten", "95"};
    std::vector<std::string> optimize = spec;
    optimize.push_back("--optimize");
    const Result best = RunDesign(optimize);
    ASSERT_EQ(best.status, kExitOk) << best.err;
    const int taps = CountLines(best.out);
    EXPECT_GT(taps, 1000);
    std::vector<std::string> fewer = spec;
    fewer.insert(fewer.end(), {"--taps", std::to_string(taps - 2)});
    EXPECT_EQ(RunDesign(fewer).status, kExitMissesSpec);
}

TEST(CliDesign, RefusedSpecificationsAndBadArguments) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"simple-pm", "--fs", "1", "--type", "lowpass", "--edge1", "0.2", "--edge2", "0.13",
          "--ripple", "0.5", "--atten", "60", "--taps", "40"},
         kMsgSimpleLowpassOrder},
        {{"advanced-pm", "--fs", "1", "--band", "0", "0.2", "1", "1", "--band", "0.2", "0.5", "0",
          "60"},
         kMsgOverlappingBands},
        {Lowpass60({"--min-taps", "20", "--max-taps", "10"}), kMsgMinAboveMax},
        {Lowpass60({"--taps", "200", "--max-taps", "100"}), kMsgTapsAboveMaximum},
        {Lowpass60({"--if-too-few", "stop"}), kMsgAskEstimateTaps},
        {Lowpass60({"--taps", "40", "--odd", "--if-unconstrained", "cancel"}), kMsgAskAdjustTaps},
        {Lowpass60({"--odd", "--even"}), "--odd and --even exclude each other"},
        {Lowpass60({"--wobble"}), "--wobble"},
        {Lowpass60({"--band", "0", "0.1", "1", "1"}), "belong to advanced-pm"},
        {{"simple-pm", "--type", "lowpass", "--edge1", "0.1", "--edge2", "0.13", "--ripple", "0.5",
          "--atten", "60"},
         "--fs"},
        {{"elliptic", "--fs", "1"}, "simple-pm, advanced-pm, windowed-sinc"},
        {{"advanced-pm", "--fs", "1", "--band", "0", "0.2", "1"}, "needs 4 values"},
        {Lowpass60({"--engine", "fast"}), "option '--engine' takes auto|classic|robust"},
    };
    for (const Case& c : cases) {
        const Result r = RunDesign(c.args);
        EXPECT_EQ(r.status, kExitUsage) << c.message << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliDesign, QuestionsTakeTheAnswersOfTheOptions) {
    // Without --taps the estimate is used, as the editor's "Estimate and design?" Yes would.
    const Result estimated = RunDesign(Lowpass60());
    EXPECT_TRUE(Contains(estimated.err, std::string(kMsgAskEstimateTaps) + " -> Yes"));
    EXPECT_EQ(CountLines(estimated.out), 77);

    struct Case {
        std::vector<std::string> extra;
        int taps;
    };
    // Highpass with its passband at Fs/2 and an even count: a tap is added by default.
    const std::vector<std::string> highpass = {
        "simple-pm", "--fs",     "1", "--type",  "highpass", "--edge1", "0.3", "--edge2",
        "0.36",      "--ripple", "1", "--atten", "60",       "--taps",  "40"};
    const Case cases[] = {
        {{}, 41},
        {{"--if-even-at-nyquist", "remove"}, 39},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = highpass;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const Result r = RunDesign(args);
        EXPECT_EQ(CountLines(r.out), c.taps) << r.err;
        EXPECT_TRUE(Contains(r.err, kMsgAskOddTaps));
    }
    std::vector<std::string> refused = highpass;
    refused.insert(refused.end(), {"--if-even-at-nyquist", "cancel"});
    EXPECT_EQ(RunDesign(refused).status, kExitUsage);

    // Constraints move the count up onto them (Yes), or leave it (keep).
    EXPECT_EQ(CountLines(RunDesign(Lowpass60({"--taps", "41", "--multiple", "4"})).out), 44);
    EXPECT_EQ(CountLines(RunDesign(Lowpass60({"--taps", "40", "--odd"})).out), 41);
    EXPECT_EQ(
        CountLines(
            RunDesign(Lowpass60({"--taps", "40", "--odd", "--if-unconstrained", "keep"})).out),
        40);
    // The estimate itself is moved onto the constraints.
    EXPECT_EQ(CountLines(RunDesign(Lowpass60({"--even"})).out), 78);
}

// Each design option has one spelling for `design` and `run ... design-options`; the older
// spellings of `design` are aliases of it, and one option given under two names is refused.
TEST(CliDesign, DesignOptionSpellingsAreAliases) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> same = {
        {{"--parity", "odd"}, {"--odd"}},
        {{"--parity", "even"}, {"--even"}},
        {{"--quantize", "10", "--quant-algorithm", "round"},
         {"--quantize", "10", "--algorithm", "round"}},
    };
    for (const auto& [spelling, alias] : same) {
        SCOPED_TRACE(alias[0]);
        std::vector<std::string> a{"--taps", "40"}, b{"--taps", "40"};
        a.insert(a.end(), spelling.begin(), spelling.end());
        b.insert(b.end(), alias.begin(), alias.end());
        const Result ra = RunDesign(Lowpass60(a));
        const Result rb = RunDesign(Lowpass60(b));
        EXPECT_EQ(ra.status, rb.status) << ra.err;
        EXPECT_FALSE(ra.out.empty());
        EXPECT_EQ(ra.out, rb.out);
    }
    for (const std::vector<std::string>& twice :
         {std::vector<std::string>{"--parity", "odd", "--even"},
          std::vector<std::string>{"--quantize", "8", "--quant-algorithm", "round", "--algorithm",
                                   "round"}}) {
        const Result r = RunDesign(Lowpass60(twice));
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_TRUE(Contains(r.err, "exclude each other")) << r.err;
    }
}

TEST(CliDesign, SharedOptionsAreCheckedAlikeForEveryMethod) {
    // The band-list methods and the other methods read and check their shared options with one
    // parser: the same refusals, with the same words.
    const std::vector<std::string> windowedSinc = {
        "windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.1", "--taps", "31"};
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"--max-db-error", "0.1"}, "--max-db-error belongs to --min-phase"},
        {{"--quant-algorithm", "round"}, "--algorithm needs --quantize"},
        {{"--quantize", "64"}, "option '--quantize' takes 1 to 63 bits"},
        {{"--min-taps", "99999999999"}, "option '--min-taps' is out of range"},
        {{"--parity", "third"}, "option '--parity' takes either|odd|even"},
    };
    for (const auto& [options, message] : refused) {
        SCOPED_TRACE(options[0]);
        std::vector<std::string> method = windowedSinc;
        method.insert(method.end(), options.begin(), options.end());
        for (const Result& r : {RunDesign(Lowpass60(options)), RunDesign(method)}) {
            EXPECT_EQ(r.status, kExitUsage);
            EXPECT_TRUE(Contains(r.err, message)) << r.err;
            EXPECT_TRUE(r.out.empty());
        }
    }
}

TEST(CliDesign, OptimizeFindsTheFewestTaps) {
    const Result r = RunDesign(Lowpass60({"--optimize"}));
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(CountLines(r.out), 78);
    EXPECT_TRUE(Contains(r.err, "Optimization succeeded using 78 taps.\nDesign margin is "));
    EXPECT_TRUE(Contains(r.err, "\ntrials: 7\n"));
    // Shown once, as the message (the status text repeats it).
    const std::string once = "Optimization succeeded";
    EXPECT_EQ(r.err.find(once), r.err.rfind(once));
}

TEST(CliDesign, WritesTextDecimalFiles) {
    const std::string path = ::testing::TempDir() + "cli_design_coefficients.txt";
    std::remove(path.c_str());
    const Result toFile = RunDesign(Lowpass60({"--taps", "80", "-o", path}));
    EXPECT_EQ(toFile.status, kExitOk);
    EXPECT_TRUE(toFile.out.empty());
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Result toOut = RunDesign(Lowpass60({"--taps", "80"}));
    // Lines of "%21.18f" ending "\r\n" in the file, "\n" on standard output.
    std::string unix = text;
    for (size_t at = unix.find("\r\n"); at != std::string::npos; at = unix.find("\r\n", at))
        unix.erase(at, 1);
    EXPECT_EQ(unix, toOut.out);
    EXPECT_EQ(text.size(), 80u * 23u);
    EXPECT_EQ(text.substr(21, 2), "\r\n");
    std::remove(path.c_str());

    const Result bad = RunDesign(Lowpass60({"--taps", "80", "-o", "/nonexistent-dir/x.txt"}));
    EXPECT_EQ(bad.status, kExitFailed);
    EXPECT_TRUE(Contains(
        bad.err, "Cannot write file \"/nonexistent-dir/x.txt\": No such file or directory"));
}

TEST(CliDesign, ReportedBandFiguresMatchADenseEvaluation) {
    // Each band's ripple or attenuation, evaluated directly on a dense grid from the printed
    // coefficients, matches the summary; so does each band's margin and the overall margin.
    const std::vector<std::vector<std::string>> designs = {
        Lowpass60({"--taps", "80"}),
        Lowpass60({"--taps", "61"}),
        {"simple-pm", "--fs", "48000", "--type", "bandpass", "--edge1", "4000", "--edge2", "8000",
         "--center", "12000", "--ripple", "1", "--atten", "50", "--taps", "71"},
        {"simple-pm", "--fs", "2", "--type", "bandstop", "--edge1", "0.4", "--edge2", "0.2",
         "--center", "0.5", "--ripple", "0.2", "--atten", "40", "--taps", "61"},
        {"advanced-pm", "--fs", "1",      "--desired-db", "--band", "0",      "0.1",
         "0",           "0.5",  "--band", "0.15",         "0.25",   "-200",   "50",
         "--band",      "0.3",  "0.5",    "-6.0206",      "1",      "--taps", "41"},
    };
    for (const std::vector<std::string>& args : designs) {
        const Result r = RunDesign(args);
        ASSERT_TRUE(r.status == kExitOk || r.status == kExitMissesSpec) << r.err;
        const std::vector<double> h = ParseCoefficients(r.out);
        const std::vector<SBandLine> bands = ParseBands(r.err);
        ASSERT_GE(bands.size(), 2u);
        const double fs = std::stod(args[2]);
        double smallest = 1e9;
        for (const SBandLine& b : bands) {
            double lo = 1e300, hi = 0.0;
            const int points = 8192;
            for (int i = 0; i <= points; ++i) {
                const double f = (b.lower + (b.upper - b.lower) * i / points) / fs;
                const double p = Power(h, f);
                lo = std::min(lo, p);
                hi = std::max(hi, p);
            }
            const double actual = b.pass ? 10.0 * std::log10(hi / lo) : -10.0 * std::log10(hi);
            SCOPED_TRACE(args[4] + " band " + std::to_string(b.lower));
            EXPECT_NEAR(b.actual, actual, 0.02);
            const double margin = b.pass ? b.specified - actual : actual - b.specified;
            EXPECT_NEAR(b.margin, margin, 0.02);
            smallest = std::min(smallest, b.margin);
        }
        EXPECT_NEAR(ReportedMargin(r.err), smallest, 0.0006);
        EXPECT_EQ(r.status, smallest >= 0.0 ? kExitOk : kExitMissesSpec);
    }
}

TEST(CliDesign, InterruptCancelsARunningDesign) {
    // Interrupts outside the design are ignored here; during it the command line's own
    // handler turns them into Cancel.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &previous);
    std::atomic<bool> done{false};
    std::thread interrupter([&] {
        // Repeated until the design has ended, so that one arrives while it runs.
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::raise(SIGINT);
        }
    });
    // About 0.2 s of exchange; 2001 taps meet this specification when left to finish.
    const Result r =
        RunDesign({"simple-pm", "--fs", "1", "--type", "lowpass", "--edge1", "0.1", "--edge2",
                   "0.102", "--ripple", "0.1", "--atten", "80", "--taps", "2001"});
    done = true;
    interrupter.join();
    sigaction(SIGINT, &previous, nullptr);
    EXPECT_EQ(r.status, kExitFailed) << r.err;
    EXPECT_TRUE(Contains(r.err, "The design was cancelled."));
    EXPECT_TRUE(r.out.empty());
}

TEST(CliDesign, HelpDocumentsTheDefaults) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "--help"}, out, err), kExitOk);
    EXPECT_TRUE(Contains(out.str(), "simple-pm"));
    EXPECT_TRUE(Contains(out.str(), "advanced-pm"));
    EXPECT_TRUE(Contains(out.str(), "(default add: one tap more)"));
    EXPECT_TRUE(Contains(out.str(), "(default adjust: moved up onto them)"));
}
