#include "response/response_evaluator.h"

#include "reference_filters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// H(w) summed in extended precision with the angle w*n formed in extended precision.
void ExtendedSum(const std::vector<double>& xi, const std::vector<double>& xq, double w,
                 long double& re, long double& im) {
    re = 0.0L;
    im = 0.0L;
    for (size_t n = 0; n < xi.size(); ++n) {
        const long double angle = static_cast<long double>(w) * static_cast<long double>(n);
        const long double c = std::cos(angle);
        const long double s = std::sin(angle);
        re += xi[n] * c - xq[n] * s;
        im += xq[n] * c + xi[n] * s;
    }
}

} // namespace

TEST(Response, EvaluatorsMatchReferenceFilters) {
    for (const auto& filter : ReferenceFilters()) {
        SCOPED_TRACE(filter.name);
        const double tol = 1e-12 * filter.SumAbs();
        const int count = static_cast<int>(filter.i.size());
        for (const auto& p : filter.points) {
            SCOPED_TRACE(p.f);
            const double w = -kTwoPi * p.f;
            double re = 0.0;
            double im = 0.0;
            EvaluateComplexResponse(filter.i.data(), filter.q.data(), w, count, &re, &im);
            EXPECT_NEAR(re, p.re, tol);
            EXPECT_NEAR(im, p.im, tol);
            if (filter.IsReal()) {
                double rre = 0.0;
                double rim = 0.0;
                EvaluateRealResponse(filter.i.data(), w, count, &rim, &rre);
                EXPECT_NEAR(rre, p.re, tol);
                EXPECT_NEAR(rim, p.im, tol);
            }
        }
    }
}

// Lengths around the block sizes of the evaluator, angles from tiny to several turns: the
// result must be as accurate as a sum with exact sines and cosines.
TEST(Response, EvaluatorsMatchExtendedPrecisionSum) {
    std::mt19937_64 rng(42);
    std::normal_distribution<double> normal;
    const int lengths[] = {1, 2, 7, 15, 16, 17, 64, 255, 1000, 4097, 16384};
    const double angles[] = {0.0,  1e-9, -3e-6, 0.3, -1.0, std::numbers::pi,
                             -3.1, 2.5,  -4.0,  6.0, -20.5};
    for (int count : lengths) {
        std::vector<double> xi(static_cast<size_t>(count));
        std::vector<double> xq(static_cast<size_t>(count));
        std::vector<double> zero(static_cast<size_t>(count), 0.0);
        double sumAbs = 0.0;
        for (int n = 0; n < count; ++n) {
            xi[static_cast<size_t>(n)] = normal(rng);
            xq[static_cast<size_t>(n)] = normal(rng);
            sumAbs += std::hypot(xi[static_cast<size_t>(n)], xq[static_cast<size_t>(n)]);
        }
        const double tol = 1e-14 * sumAbs;
        for (double w : angles) {
            SCOPED_TRACE(testing::Message() << "count " << count << ", w " << w);
            long double refRe, refIm;
            ExtendedSum(xi, zero, w, refRe, refIm);
            double re = 0.0;
            double im = 0.0;
            EvaluateRealResponse(xi.data(), w, count, &im, &re);
            EXPECT_NEAR(re, static_cast<double>(refRe), tol);
            EXPECT_NEAR(im, static_cast<double>(refIm), tol);

            ExtendedSum(xi, xq, w, refRe, refIm);
            EvaluateComplexResponse(xi.data(), xq.data(), w, count, &re, &im);
            EXPECT_NEAR(re, static_cast<double>(refRe), tol);
            EXPECT_NEAR(im, static_cast<double>(refIm), tol);
        }
    }
}

TEST(Response, EvaluatorsOfNoCoefficientsGiveZero) {
    const double h[] = {5.0};
    double re = 1.0;
    double im = 1.0;
    EvaluateRealResponse(h, 0.5, 0, &im, &re);
    EXPECT_EQ(re, 0.0);
    EXPECT_EQ(im, 0.0);
    re = im = 1.0;
    EvaluateComplexResponse(h, h, 0.5, 0, &re, &im);
    EXPECT_EQ(re, 0.0);
    EXPECT_EQ(im, 0.0);
}
