#include "dsp/filter_zeros.h"
#include "dsp/signal_messages.h"
#include "min_phase_ref_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Largest distance, relative to max(1, |r|), between each expected zero and the nearest found
// zero not matched yet; infinite when the counts differ.
double WorstSetError(const mvect& expected, const mvect& found) {
    if (expected.size() != found.size())
        return INFINITY;
    std::vector<bool> used(found.size(), false);
    double worst = 0.0;
    for (const mcplx& r : expected) {
        size_t best = 0;
        double bestDist = INFINITY;
        for (size_t j = 0; j < found.size(); ++j) {
            if (!used[j] && std::abs(found[j] - r) < bestDist) {
                bestDist = std::abs(found[j] - r);
                best = j;
            }
        }
        used[best] = true;
        worst = std::max(worst, bestDist / std::max(1.0, std::abs(r)));
    }
    return worst;
}

double Nearest(const mvect& zeros, mcplx z) {
    double best = INFINITY;
    for (const mcplx& r : zeros)
        best = std::min(best, std::abs(r - z));
    return best;
}

// Every zero of a linear-phase filter is on the unit circle to 1e-6 or has its mirror image
// 1/conj(z) among the zeros to rounding.
void ExpectMirrored(const SFilterZeros& found, const std::string& name) {
    for (const mcplx& z : found.zeros) {
        if (std::abs(std::abs(z) - 1.0) <= 1e-6)
            continue;
        EXPECT_LE(Nearest(found.zeros, 1.0 / std::conj(z)), 1e-12 * std::max(1.0, std::abs(z)))
            << name << ": " << z << " has no mirror image";
    }
}

// A 1001-tap lowpass (cutoff 0.1 Fs, Hamming window), exactly symmetric.
mvect LongLowpass() {
    const int n = 1001;
    mvect h(static_cast<size_t>(n));
    for (int i = 0; i < (n + 1) / 2; ++i) {
        const double t = i - (n - 1) / 2.0;
        const double w = 0.54 - 0.46 * std::cos(2 * std::numbers::pi * i / (n - 1));
        h[static_cast<size_t>(i)] = h[static_cast<size_t>(n - 1 - i)] =
            t == 0 ? 0.2 : w * std::sin(2 * std::numbers::pi * 0.1 * t) / (std::numbers::pi * t);
    }
    return h;
}

} // namespace

TEST(FilterZeros, MatchNumpyRootsAsSets) {
    for (const CRefCase& c : LoadRefCases("filter_zeros.txt")) {
        const SFilterZeros found = FindFilterZeros(c.first);
        ASSERT_TRUE(found.bOk) << c.name << ": " << found.error;
        EXPECT_EQ(found.nPolesAtOrigin, static_cast<int>(c.first.size()) - 1) << c.name;
        EXPECT_LE(WorstSetError(c.second, found.zeros), c.value) << c.name;
        EXPECT_EQ(found.bLinearPhase, c.check == "linear") << c.name;
        if (c.check != "linear")
            continue;
        ExpectMirrored(found, c.name);
        // The reference's zeros on the unit circle are exactly on it here.
        for (const mcplx& r : c.second) {
            if (std::abs(std::abs(r) - 1.0) >= 1e-5)
                continue;
            for (const mcplx& z : found.zeros) {
                if (std::abs(z - r) < 1e-6) {
                    EXPECT_NEAR(std::abs(z), 1.0, 1e-12) << c.name;
                }
            }
        }
    }
}

TEST(FilterZeros, LongLinearPhaseFilter) {
    const SFilterZeros found = FindFilterZeros(LongLowpass());
    ASSERT_TRUE(found.bOk) << found.error;
    ASSERT_EQ(found.zeros.size(), size_t{1000});
    ExpectMirrored(found, "1001-tap lowpass");
    // Zeros on the unit circle lie in the stopband (above 0.1 Fs, with the transition band).
    int onCircle = 0;
    for (const mcplx& z : found.zeros) {
        if (std::abs(std::abs(z) - 1.0) > 1e-6)
            continue;
        ++onCircle;
        EXPECT_GT(std::abs(std::arg(z)) / (2 * std::numbers::pi), 0.1) << z;
    }
    EXPECT_GT(onCircle, 700);
}

TEST(FilterZeros, MultipleZerosAreOneRepeatedPoint) {
    // (1 + z^-1)^12: twelve zeros at -1.
    mvect binomial{1.0};
    for (int k = 0; k < 12; ++k) {
        mvect next(binomial.size() + 1);
        for (size_t i = 0; i < binomial.size(); ++i) {
            next[i] += binomial[i];
            next[i + 1] += binomial[i];
        }
        binomial = next;
    }
    SFilterZeros found = FindFilterZeros(binomial);
    ASSERT_TRUE(found.bOk) << found.error;
    ASSERT_EQ(found.zeros.size(), size_t{12});
    for (const mcplx& z : found.zeros)
        EXPECT_LE(std::abs(z + 1.0), 1e-6);
    EXPECT_EQ(ZeroMultiplicity(found.zeros, 0, 1e-6), 12);

    // A CIC filter, ((1 - z^-8) / (1 - z^-1))^4: seven quadruple zeros on the unit circle, whose
    // clusters must neither run into each other nor be refused.
    mvect cic{1.0};
    for (int stage = 0; stage < 4; ++stage) {
        mvect next(cic.size() + 7);
        for (size_t i = 0; i < cic.size(); ++i)
            for (size_t k = 0; k < 8; ++k)
                next[i + k] += cic[i];
        cic = next;
    }
    found = FindFilterZeros(cic);
    ASSERT_TRUE(found.bOk) << found.error;
    ASSERT_EQ(found.zeros.size(), size_t{28});
    for (size_t i = 0; i < found.zeros.size(); ++i) {
        const mcplx z = found.zeros[i];
        EXPECT_NEAR(std::abs(z), 1.0, 1e-6);
        const double eighths = std::arg(z) / (std::numbers::pi / 4);
        EXPECT_NEAR(eighths, std::round(eighths), 1e-5) << z;
        EXPECT_EQ(ZeroMultiplicity(found.zeros, i, 1e-6), 4) << z;
    }

    // (1 - 0.5 z^-1)^3 (1 + z^-2): a triple zero at 0.5 and single ones at +-j.
    const mvect mixed{1.0, -1.5, 1.75, -1.625, 0.75, -0.125};
    found = FindFilterZeros(mixed);
    ASSERT_TRUE(found.bOk) << found.error;
    ASSERT_EQ(found.zeros.size(), size_t{5});
    EXPECT_LE(Nearest(found.zeros, mcplx(0, 1)), 1e-9);
    EXPECT_LE(Nearest(found.zeros, mcplx(0, -1)), 1e-9);
    const size_t at =
        static_cast<size_t>(std::find_if(found.zeros.begin(), found.zeros.end(),
                                         [](const mcplx& z) { return std::abs(z - 0.5) < 1e-6; }) -
                            found.zeros.begin());
    ASSERT_LT(at, found.zeros.size());
    EXPECT_EQ(ZeroMultiplicity(found.zeros, at, 1e-6), 3);
}

TEST(FilterZeros, EdgeCoefficientsAndRefusals) {
    struct Case {
        const char* what;
        mvect h;
        const char* error; // nullptr: found
        size_t zeros;
        int poles;
    };
    const Case cases[] = {
        {"empty", {}, SignalMsg::kNoZerosEmpty, 0, 0},
        {"all zero", {0.0, 0.0, 0.0}, SignalMsg::kNoZerosEmpty, 0, 0},
        {"not finite", {1.0, NAN, 1.0}, SignalMsg::kNoZerosNotFinite, 0, 0},
        {"too long", mvect(static_cast<size_t>(kMaxZeroTaps) + 1, 1.0), SignalMsg::kNoZerosTooLong,
         0, 0},
        {"one tap", {2.0}, nullptr, 0, 0},
        {"a delay", {0.0, 0.0, 3.0}, nullptr, 0, 2},
        // Leading zeros drop zeros at infinity; trailing ones cancel poles.
        {"leading and trailing zeros", {0.0, 1.0, -0.5, 0.0, 0.0}, nullptr, 1, 2},
    };
    for (const Case& c : cases) {
        const SFilterZeros found = FindFilterZeros(c.h);
        EXPECT_EQ(found.bOk, c.error == nullptr) << c.what;
        EXPECT_EQ(found.error, c.error ? c.error : "") << c.what;
        EXPECT_EQ(found.zeros.size(), c.zeros) << c.what;
        EXPECT_EQ(found.nPolesAtOrigin, c.poles) << c.what;
    }
    const SFilterZeros shifted = FindFilterZeros({0.0, 1.0, -0.5, 0.0, 0.0});
    ASSERT_EQ(shifted.zeros.size(), size_t{1});
    EXPECT_DOUBLE_EQ(shifted.zeros[0].real(), 0.5);
}
