#include "dsp/windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SWindowCase {
    int code = 0;
    double parameter = 0.0;
    std::vector<double> weights;
};

// Reads the SciPy weights written by tools/refdata/dsp_windows_reference.py.
std::vector<SWindowCase> LoadWindowCases() {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/dsp/windows.txt");
    std::vector<SWindowCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream head(line);
        std::string tag;
        int n = 0;
        SWindowCase c;
        head >> tag >> c.code >> c.parameter >> n;
        c.weights.resize(static_cast<size_t>(n));
        for (double& w : c.weights)
            in >> w;
        std::getline(in, line);
        cases.push_back(std::move(c));
    }
    return cases;
}

} // namespace

TEST(Windows, MatchScipyForEveryCodeLengthAndParameter) {
    const auto cases = LoadWindowCases();
    ASSERT_EQ(cases.size(), 85u);
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.weights.size());
        SCOPED_TRACE("code " + std::to_string(c.code) + " parameter " +
                     std::to_string(c.parameter) + " points " + std::to_string(n));
        const std::vector<double> w = ComputeWindow(c.code, c.parameter, n);
        ASSERT_EQ(w.size(), c.weights.size());
        double peak = 0.0;
        for (double v : c.weights)
            peak = std::max(peak, std::fabs(v));
        double err = 0.0;
        for (int k = 0; k < n; ++k)
            err = std::max(err, std::fabs(w[k] - c.weights[k]));
        EXPECT_LE(err, 1e-10 * peak);
    }
}

TEST(Windows, ClosedFormValues) {
    const std::vector<double> hann = ComputeWindow(5, 0.0, 5);
    const std::vector<double> hamming = ComputeWindow(7, 0.0, 5);
    const double hannRef[] = {0.0, 0.5, 1.0, 0.5, 0.0};
    const double hammingRef[] = {0.08, 0.54, 1.0, 0.54, 0.08};
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(hann[k], hannRef[k], 1e-15);
        EXPECT_NEAR(hamming[k], hammingRef[k], 1e-15);
    }
    const std::vector<double> gauss = ComputeWindow(6, 0.0, 20);
    EXPECT_NEAR(gauss.front(), std::exp(-6.125), 1e-16);
    EXPECT_NEAR(gauss.back(), std::exp(-6.125), 1e-16);
    for (double v : ComputeWindow(2, 0.0, 9))
        EXPECT_EQ(v, 1.0);
}

TEST(Windows, DolphChebyshevIsSymmetricWithUnitCentreAndTakesLinearRatios) {
    for (int n : {10, 11, 10007}) {
        SCOPED_TRACE(n);
        const std::vector<double> db = ComputeWindow(1, 40.0, n);
        const std::vector<double> linear = ComputeWindow(1, 0.01, n);
        ASSERT_EQ(db.size(), static_cast<size_t>(n));
        EXPECT_NEAR(db[(n - 1) / 2], 1.0, 1e-12);
        EXPECT_NEAR(db[n / 2], 1.0, 1e-12);
        for (int k = 0; k < n; ++k) {
            EXPECT_NEAR(db[k], db[n - 1 - k], 1e-9 * std::fabs(db[k]) + 1e-12);
            EXPECT_NEAR(db[k], linear[k], 1e-9 * std::fabs(db[k]) + 1e-12);
        }
    }
}

TEST(Windows, DegenerateLengthsAndParametersStayFinite) {
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(ComputeWindow(code, 40.0, 0).empty());
        EXPECT_EQ(ComputeWindow(code, 40.0, 1), std::vector<double>{1.0});
    }
    // Gamma 0 (no sidelobe ratio) and absurd alphas still give finite windows.
    for (const auto& [code, param] :
         {std::pair{1, 0.0}, std::pair{1, 1e9}, std::pair{2, 1e6}, std::pair{2, -4.0}}) {
        SCOPED_TRACE(param);
        for (double v : ComputeWindow(code, param, 33))
            EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_EQ(ComputeWindow(2, -4.0, 33), ComputeWindow(2, 4.0, 33));
    EXPECT_TRUE(std::isinf(BesselI0(INFINITY)));
    EXPECT_TRUE(std::isnan(BesselI0(NAN)));
}

TEST(Windows, CatalogueListsCodesInDialogOrder) {
    for (size_t i = 0; i < kWindowCatalogue.size(); ++i)
        EXPECT_EQ(static_cast<int>(kWindowCatalogue[i].code), static_cast<int>(i) + 1);
    EXPECT_STREQ(WindowInfo(1).dialogText, "Dolph-Cheby, Gamma =");
    EXPECT_EQ(WindowInfo(2).param, EWindowParam::Alpha);
    EXPECT_STREQ(WindowInfo(7).dialogText, "Hamming");
    // Codes outside the catalogue apply the four-term Blackman-Harris window.
    EXPECT_EQ(WindowInfo(0).code, EWindow::BlackmanHarris4);
    EXPECT_EQ(WindowInfo(-1).code, EWindow::BlackmanHarris4);
    EXPECT_EQ(ComputeWindow(12, 0.0, 16), ComputeWindow(3, 0.0, 16));
}
