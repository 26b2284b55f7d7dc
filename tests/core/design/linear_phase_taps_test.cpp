#include "design/remez/linear_phase_taps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793238462643383280;

// Random taps of the given symmetry.
std::vector<double> LinearPhaseTaps(int n, bool antisymmetric, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> h(static_cast<std::size_t>(n));
    for (int i = 0; i < (n + 1) / 2; ++i) {
        const double v = u(rng);
        h[static_cast<std::size_t>(i)] = v;
        h[static_cast<std::size_t>(n - 1 - i)] = antisymmetric ? -v : v;
    }
    if (antisymmetric && n % 2 == 1) {
        h[static_cast<std::size_t>(n / 2)] = 0.0;
    }
    return h;
}

// The amplitude from its definition: sum h[i] cos(2 pi (c - i) f) for symmetric taps,
// 2 sum over the first half of h[i] sin(2 pi (c - i) f) for antisymmetric ones, c = (n - 1) / 2.
double DirectAmplitude(const std::vector<double>& h, bool antisymmetric, double f) {
    const double c = 0.5 * static_cast<double>(h.size() - 1);
    double a = 0.0;
    for (std::size_t i = 0; i < h.size(); ++i) {
        const double t = 2.0 * kPi * (c - static_cast<double>(i)) * f;
        a += antisymmetric ? h[i] * std::sin(t) : h[i] * std::cos(t);
    }
    return a;
}

} // namespace

// Every symmetry and parity: the amplitude of the taps matches its definition, and the taps come
// back from the amplitude sampled on the full circle.
TEST(LinearPhaseTaps, AmplitudeAndTapsAreInverse) {
    struct SCase {
        int n;
        bool antisymmetric;
    };
    for (const SCase c : {SCase{31, false}, SCase{32, false}, SCase{31, true}, SCase{32, true},
                          SCase{1001, true}}) {
        SCOPED_TRACE(std::to_string(c.n) + (c.antisymmetric ? " antisymmetric" : " symmetric"));
        const std::vector<double> h = LinearPhaseTaps(c.n, c.antisymmetric, 7u + c.n);
        std::size_t M = 64;
        while (M < static_cast<std::size_t>(c.n)) {
            M *= 2;
        }
        const std::vector<double> half = AmplitudeOfTaps(h, c.antisymmetric, 2 * M);
        for (std::size_t k = 0; k < half.size(); k += 7) {
            const double f = static_cast<double>(k) / static_cast<double>(2 * M);
            EXPECT_NEAR(half[k], DirectAmplitude(h, c.antisymmetric, f), 1e-11);
        }
        std::vector<double> amplitude(M);
        for (std::size_t k = 0; k < M; ++k) {
            amplitude[k] = DirectAmplitude(h, c.antisymmetric,
                                           static_cast<double>(k) / static_cast<double>(M));
        }
        const std::vector<double> back = TapsFromAmplitude(amplitude, c.antisymmetric, c.n);
        ASSERT_EQ(back.size(), h.size());
        for (std::size_t i = 0; i < h.size(); ++i) {
            EXPECT_NEAR(back[i], h[i], 1e-12);
        }
    }
}
