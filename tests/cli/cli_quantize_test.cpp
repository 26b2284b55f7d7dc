#include "cli.h"
#include "cli_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

// design simple-pm of a 41-tap lowpass (passband 0..0.1, 0.5 dB; stopband 0.15..0.5, 50 dB),
// with the extra options.
Result RunLowpass(const std::vector<std::string>& extra) {
    std::vector<std::string> args = {
        "design",  "simple-pm", "--fs",     "1",   "--type",  "lowpass", "--edge1", "0.1",
        "--edge2", "0.15",      "--ripple", "0.5", "--atten", "50",      "--taps",  "41"};
    args.insert(args.end(), extra.begin(), extra.end());
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

// Largest |H(f)| in dB over [f1, f2] (fractions of Fs) on a dense grid.
double PeakDb(const std::vector<double>& h, double f1, double f2) {
    double peak = 0.0;
    for (int i = 0; i <= 4000; ++i) {
        const double f = f1 + (f2 - f1) * i / 4000.0;
        double re = 0.0, im = 0.0;
        for (size_t n = 0; n < h.size(); ++n) {
            re += h[n] * std::cos(2.0 * std::numbers::pi * f * static_cast<double>(n));
            im -= h[n] * std::sin(2.0 * std::numbers::pi * f * static_cast<double>(n));
        }
        peak = std::max(peak, re * re + im * im);
    }
    return 10.0 * std::log10(peak);
}

// The achieved figure of summary line "band i: ..." (ripple or attenuation, dB).
double ReportedBandActual(const std::string& err, int band) {
    const std::string key = "band " + std::to_string(band) + ": ";
    const size_t at = err.find(key);
    if (at == std::string::npos)
        return NAN;
    const std::string line = err.substr(at, err.find('\n', at) - at);
    const size_t dB = line.find(" dB (specified");
    const size_t start = line.rfind(' ', dB - 1) + 1;
    return std::stod(line.substr(start, dB - start));
}

} // namespace

TEST(CliQuantize, DesignsQuantizedCoefficients) {
    struct Case {
        std::vector<std::string> options;
        double scale; // 2^(bits-1)
        const char* summary;
    };
    const Case cases[] = {
        {{"--quantize", "10"}, 512.0, "quantized: 10 bits, Round Multiple\n"},
        {{"--quantize", "12", "--algorithm", "symmetric-search"},
         2048.0,
         "quantized: 12 bits, Symmetric Search\n"},
        {{"--quantize", "9", "--algorithm", "asymmetric-search", "--no-unity-gain"},
         256.0,
         "quantized: 9 bits, Asymmetric Search\n"},
    };
    for (const Case& c : cases) {
        const Result r = RunLowpass(c.options);
        ASSERT_TRUE(r.status == kExitOk || r.status == kExitMissesSpec) << r.err;
        EXPECT_NE(r.err.find(c.summary), std::string::npos) << r.err;
        const std::vector<double> h = ParseCoefficients(r.out);
        ASSERT_FALSE(h.empty());
        for (double v : h)
            EXPECT_EQ(v * c.scale, std::round(v * c.scale)) << c.summary;
        // The reported attenuation is that of the quantized coefficients.
        EXPECT_NEAR(ReportedBandActual(r.err, 2), -PeakDb(h, 0.15, 0.5), 0.05) << c.summary;
    }

    // The symmetric search keeps a linear-phase design symmetric.
    const std::vector<double> h =
        ParseCoefficients(RunLowpass({"--quantize", "12", "--algorithm", "symmetric-search"}).out);
    for (size_t n = 0; n < h.size(); ++n)
        EXPECT_EQ(h[n], h[h.size() - 1 - n]) << n;

    // Without the option nothing is quantized.
    const Result plain = RunLowpass({});
    EXPECT_EQ(plain.err.find("quantized:"), std::string::npos);
}

TEST(CliQuantize, BadQuantizationArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"--quantize", "0"},
        {"--quantize", "64"},
        {"--quantize", "eight"},
        {"--algorithm", "round"},
        {"--quantize", "8", "--algorithm", "truncate"},
    };
    for (const auto& c : cases) {
        const Result r = RunLowpass(c);
        EXPECT_EQ(r.status, kExitUsage) << c[0] << " " << c[1];
        EXPECT_TRUE(r.out.empty());
    }
}
