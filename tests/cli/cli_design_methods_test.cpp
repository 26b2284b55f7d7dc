#include "cli.h"
#include "cli_test_util.h"
#include "design/method_messages.h"
#include "support/format_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace {

Result Design(std::vector<std::string> args) {
    args.insert(args.begin(), "design");
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<double> Coefficients(const std::string& text) {
    std::istringstream is(text);
    std::vector<double> h;
    double v = 0.0;
    while (is >> v)
        h.push_back(v);
    return h;
}

} // namespace

TEST(CliMethods, EachMethodDesigns) {
    struct Case {
        std::vector<std::string> args;
        size_t taps;
        size_t probe;
        double value;
        const char* summary;
    };
    const Case cases[] = {
        {{"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.25", "--taps", "11",
          "--no-unity-gain"},
         11,
         5,
         0.5,
         "method: Win Sinc (Windowed Sinc)"},
        {{"cic", "--stages", "3", "--rate", "2", "--delay", "1"},
         4,
         1,
         0.375,
         "Rate change factor, R = 2"},
        {{"cic", "--stages", "3", "--rate", "2", "--delay", "1", "--no-unity-gain"},
         4,
         1,
         3.0,
         "Number of stages,   N = 3"},
        {{"maxflat", "--fs", "2", "--center", "0.4", "--gamma", "0.25"},
         39,
         19,
         NAN,
         "Gamma = 0.125000"},
        {{"maxflat", "--fs", "1", "--center", "0.2", "--taps", "51"},
         51,
         25,
         NAN,
         "Beta = 0.200000"},
        {{"raised-cosine", "--fs", "8000", "--rolloff", "0.5", "--symbol-rate", "1000", "--taps",
          "49", "--root"},
         49,
         24,
         (1.0 - 0.5 + 2.0 / std::numbers::pi) / 8.0,
         "(Raised Cosine)"},
        {{"raised-cosine", "--fs", "1", "--rolloff", "0.5", "--sps", "8", "--symbols", "6",
          "--zero-pad-to", "64"},
         64,
         63,
         0.0,
         "taps: 64"},
        {{"lth-band", "--fs", "1", "--l", "2", "--cutoff", "0.2", "--taps", "31", "--zeroize",
          "--atten", "50"},
         31,
         15,
         0.5,
         "margin: "},
        {{"lth-band", "--fs", "1", "--l", "3", "--cutoff", "0.1", "--taps", "31", "--method",
          "windowed-sinc", "--window", "hamming"},
         31,
         18,
         0.0,
         "(Lth Band)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.summary);
        const Result r = Design(c.args);
        EXPECT_EQ(r.status, kExitOk) << r.err;
        const std::vector<double> h = Coefficients(r.out);
        ASSERT_EQ(h.size(), c.taps);
        if (!std::isnan(c.value)) {
            EXPECT_NEAR(h[c.probe], c.value, 1e-15);
        }
        EXPECT_TRUE(Contains(r.err, c.summary)) << r.err;
        EXPECT_TRUE(Contains(r.err, "taps: " + std::to_string(c.taps))) << r.err;
    }
    // Unit gain at DC of the maxflat lowpass.
    const std::vector<double> maxflat = Coefficients(Design(cases[3].args).out);
    EXPECT_NEAR(std::accumulate(maxflat.begin(), maxflat.end(), 0.0), 1.0, 1e-15 * 39);
}

TEST(CliMethods, SplineSincAndWindows) {
    const Result spline = Design({"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1",
                                  "0.2", "--corner2", "0.25", "--taps", "64", "--spline", "auto"});
    EXPECT_EQ(spline.status, kExitOk) << spline.err;
    ASSERT_EQ(Coefficients(spline.out).size(), 64u);
    const Result fixed = Design({"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1",
                                 "0.2", "--corner2", "0.25", "--taps", "64", "--spline", "13"});
    EXPECT_EQ(fixed.out, spline.out); // the automatic order is 13

    // Dolph-Chebyshev takes its parameter as the sidelobe level: two levels, two designs.
    std::vector<std::string> args = {"windowed-sinc",  "--fs", "1",      "--type", "highpass",
                                     "--corner1",      "0.3",  "--taps", "31",     "--window",
                                     "dolph-chebyshev"};
    const Result defaultLevel = Design(args);
    args.insert(args.end(), {"--param", "80"});
    const Result level80 = Design(args);
    EXPECT_EQ(defaultLevel.status, kExitOk);
    EXPECT_EQ(level80.status, kExitOk);
    EXPECT_NE(defaultLevel.out, level80.out);
}

TEST(CliMethods, RefusalsAndUsageErrors) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"windowed-sinc", "--fs", "8", "--type", "lowpass", "--corner1", "4", "--taps", "11"},
         kExitUsage,
         FormatMessage(kMsgBadCorner, {"4.000"})},
        {{"cic", "--stages", "101", "--rate", "1", "--delay", "1"},
         kExitUsage,
         kMsgCicTooManyStages},
        {{"raised-cosine", "--fs", "1", "--rolloff", "1.5", "--sps", "8", "--taps", "33"},
         kExitUsage,
         kMsgRolloffRange},
        {{"lth-band", "--fs", "1", "--l", "4", "--cutoff", "0.125", "--taps", "31"},
         kExitUsage,
         kMsgLthCutoffAtPivot},
        {{"maxflat", "--fs", "1", "--center", "0.2", "--taps", "1301"},
         kExitUsage,
         FormatMessage(kMsgMaxflatTooManyTaps, {"1301"})},
        {{"maxflat", "--fs", "1", "--center", "0.2", "--gamma", "0.1", "--rolloff", "0.5"},
         kExitUsage,
         "option '--rolloff' does not belong to maxflat"},
        {{"cic", "--stages", "3", "--rate", "2"},
         kExitUsage,
         "cic needs --stages, --rate and --delay"},
        {{"lth-band", "--fs", "1", "--l", "2", "--cutoff", "0.2", "--taps", "31", "--method",
          "spline-sinc", "--zeroize"},
         kExitUsage,
         "belong to --method pm"},
        {{"raised-cosine", "--fs", "1", "--rolloff", "0.5", "--sps", "8", "--symbol-rate", "1",
          "--taps", "33"},
         kExitUsage,
         "one of --sps and --symbol-rate"},
        {{"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.2", "--taps", "11",
          "--max-db-error", "0.1"},
         kExitUsage,
         "--max-db-error belongs to --min-phase"},
        {{"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.2", "--corner2", "0.5",
          "--taps", "11", "--spline", "2"},
         kExitUsage,
         FormatMessage(kMsgBadCorner, {"0.500"})},
        {{"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.2", "--corner2", "0.1",
          "--taps", "11", "--spline", "2"},
         kExitUsage,
         "--spline needs --corner2 above --corner1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Result r = Design(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    // An even highpass: the odd-taps question takes the option's answer.
    const std::vector<std::string> even = {"windowed-sinc", "--fs", "1",      "--type", "highpass",
                                           "--corner1",     "0.3",  "--taps", "30"};
    EXPECT_EQ(Coefficients(Design(even).out).size(), 31u);
    std::vector<std::string> remove = even;
    remove.insert(remove.end(), {"--if-even-at-nyquist", "remove"});
    EXPECT_EQ(Coefficients(Design(remove).out).size(), 29u);
    std::vector<std::string> cancel = even;
    cancel.insert(cancel.end(), {"--if-even-at-nyquist", "cancel"});
    EXPECT_EQ(Design(cancel).status, kExitUsage);
}

TEST(CliMethods, MinimumPhaseAndOptimisation) {
    const std::vector<std::string> lowpass = {
        "windowed-sinc", "--fs",   "1",  "--type",   "lowpass", "--corner1",
        "0.2",           "--taps", "21", "--window", "hamming"};
    const std::vector<double> linear = Coefficients(Design(lowpass).out);
    std::vector<std::string> args = lowpass;
    args.push_back("--min-phase");
    const Result minPhase = Design(args);
    EXPECT_EQ(minPhase.status, kExitOk) << minPhase.err;
    EXPECT_TRUE(Contains(minPhase.err, "minimum phase: yes"));
    const std::vector<double> h = Coefficients(minPhase.out);
    ASSERT_EQ(h.size(), linear.size());
    // The same energy, moved to the front.
    double e0 = 0.0, e1 = 0.0, head0 = 0.0, head1 = 0.0;
    for (size_t i = 0; i < h.size(); ++i) {
        e0 += linear[i] * linear[i];
        e1 += h[i] * h[i];
        if (i < 5) {
            head0 += linear[i] * linear[i];
            head1 += h[i] * h[i];
        }
    }
    EXPECT_NEAR(e1, e0, 1e-3 * e0);
    EXPECT_GT(head1, 0.5 * e1);
    EXPECT_LT(head0, 0.1 * e0);

    const Result optimized = Design({"lth-band", "--fs", "1", "--l", "2", "--cutoff", "0.2",
                                     "--atten", "60", "--zeroize", "--optimize"});
    EXPECT_EQ(optimized.status, kExitOk) << optimized.err;
    EXPECT_TRUE(Contains(optimized.err, "Optimization succeeded using ")) << optimized.err;
    const std::vector<double> half = Coefficients(optimized.out);
    ASSERT_EQ(half.size() % 2, 1u);
    EXPECT_EQ(half[half.size() / 2], 0.5);
}

TEST(CliMethods, Quantized) {
    const Result r = Design({"cic", "--stages", "2", "--rate", "3", "--delay", "1", "--quantize",
                             "4", "--algorithm", "round"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.err, "quantized: 4 bits, Round")) << r.err;
    // 1/9, 2/9, 3/9 in steps of 1/8.
    EXPECT_EQ(Coefficients(r.out), (std::vector<double>{0.125, 0.25, 0.375, 0.25, 0.125}));
}

TEST(CliMethods, SavedProjectDesignsTheSameFilter) {
    const std::string path = ::testing::TempDir() + "cli_methods_project.cfp";
    const std::vector<std::vector<std::string>> designs = {
        {"windowed-sinc", "--fs", "1", "--type", "bandpass", "--corner1", "0.1", "--corner2", "0.2",
         "--taps", "41", "--window", "kaiser-bessel", "--param", "3"},
        {"lth-band", "--fs", "1", "--l", "3", "--cutoff", "0.1", "--taps", "31", "--method",
         "windowed-sinc", "--window", "hamming"},
        {"lth-band", "--fs", "1", "--l", "4", "--cutoff", "0.1", "--taps", "45", "--zeroize",
         "--atten", "40"},
        {"raised-cosine", "--fs", "1", "--rolloff", "0.3", "--sps", "4", "--symbols", "8",
         "--root"},
        {"maxflat", "--fs", "1", "--center", "0.2", "--taps", "51"},
        {"cic", "--stages", "3", "--rate", "4", "--delay", "1", "--no-unity-gain"},
    };
    for (std::vector<std::string> args : designs) {
        SCOPED_TRACE(args[0]);
        args.insert(args.end(), {"-p", path});
        const Result made = Design(args);
        ASSERT_EQ(made.status, kExitOk) << made.err;
        const Result again = Design({path});
        EXPECT_EQ(again.status, kExitOk) << again.err;
        EXPECT_EQ(again.out, made.out);
    }
    std::remove(path.c_str());
    const Result spline =
        Design({"windowed-sinc", "--fs", "1", "--type", "lowpass", "--corner1", "0.2", "--corner2",
                "0.25", "--taps", "31", "--spline", "3", "-p", path});
    EXPECT_EQ(spline.status, kExitUsage);
    EXPECT_TRUE(Contains(spline.err, "cannot be saved as a project"));
}

TEST(CliMethods, HelpListsEveryMethod) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"design", "--help"}, out, err), kExitOk);
    for (const char* method : {"simple-pm", "windowed-sinc", "raised-cosine", "lth-band", "maxflat",
                               "cic", "--min-phase"})
        EXPECT_TRUE(Contains(out.str(), method)) << method;
}

// An even Lth-band count is asked about as the method's editor asks: one tap more unless
// --if-even keeps it or cancels the design.
TEST(CliMethods, LthBandEvenCountIsAskedAboutAsInTheEditor) {
    struct Case {
        std::vector<std::string> answers;
        int status;
        size_t taps;
        const char* shown;
    };
    const Case cases[] = {
        {{}, kExitMissesSpec, 31, " -> Yes"},
        {{"--if-even", "keep", "--if-unconstrained", "keep"}, kExitMissesSpec, 30, " -> No"},
        {{"--if-even", "cancel"}, kExitUsage, 0, " -> Cancel"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"lth-band", "--fs", "1",      "--l", "4",
                                      "--cutoff", "0.1",  "--taps", "30"};
        args.insert(args.end(), c.answers.begin(), c.answers.end());
        SCOPED_TRACE(c.answers.empty() ? "default" : c.answers[1]);
        const Result r = Design(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(Coefficients(r.out).size(), c.taps);
        EXPECT_TRUE(Contains(r.err, std::string(kMsgLthAskOddTaps) + c.shown)) << r.err;
    }
}
