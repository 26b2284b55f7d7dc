#include "dsp/poly_roots.h"
#include "min_phase_ref_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Largest distance, relative to max(1, |r|), between each expected root and the nearest found
// root not yet matched; infinite when the counts differ.
double WorstRootError(const mvect& expected, const mvect& found) {
    if (expected.size() != found.size()) {
        return INFINITY;
    }
    std::vector<bool> used(found.size(), false);
    double worst = 0.0;
    for (const mcplx& r : expected) {
        size_t best = 0;
        double bestDist = INFINITY;
        for (size_t j = 0; j < found.size(); ++j) {
            const double d = std::abs(found[j] - r);
            if (!used[j] && d < bestDist) {
                bestDist = d;
                best = j;
            }
        }
        used[best] = true;
        worst = std::max(worst, bestDist / std::max(1.0, std::abs(r)));
    }
    return worst;
}

} // namespace

TEST(PolyRoots, MatchesNumpyReference) {
    for (const CRefCase& c : LoadRefCases("poly_roots.txt")) {
        const mvect roots = FindRoots(c.first);
        EXPECT_LE(WorstRootError(c.second, roots), c.value) << c.name;
    }
}

// The search by itself, before any refinement, already finds every root of a moderate
// polynomial to good accuracy.
TEST(PolyRoots, JenkinsTraubSearchAlone) {
    for (const CRefCase& c : LoadRefCases("poly_roots.txt")) {
        if (c.first.size() < 4 || c.first.size() > 21 || !c.first.IsReal()) {
            continue;
        }
        mvect roots;
        ASSERT_TRUE(FindRealPolyRoots(c.first.Real(), roots)) << c.name;
        EXPECT_LE(WorstRootError(c.second, roots), std::max(c.value, 1e-7)) << c.name;
    }
}

TEST(PolyRoots, DegenerateInputs) {
    struct Case {
        const char* what;
        mvect g;
        mvect expected;
    };
    const Case cases[] = {
        {"empty", {}, {}},
        {"constant", {2.0}, {}},
        {"linear, leading zero", {0.0, 1.0}, {}},
        {"quadratic, leading zero", {0.0, 1.0, 2.0}, {}},
        {"cubic, leading zero", {0.0, 1.0, 2.0, 3.0}, {}},
        {"linear root at 0 is kept", {1.0, 0.0}, {0.0}},
        {"quadratic drops exact zero roots", {1.0, 0.0, 0.0}, {}},
        {"quadratic keeps the other root", {1.0, 2.0, 0.0}, {-2.0}},
        {"cubic keeps roots at the origin", {1.0, -2.0, 0.0, 0.0}, {0.0, 0.0, 2.0}},
    };
    for (const Case& c : cases) {
        const mvect roots = FindRoots(c.g);
        EXPECT_EQ(roots.size(), c.expected.size()) << c.what;
        EXPECT_LE(WorstRootError(c.expected, roots), 1e-15) << c.what;
    }
    mvect roots{1.0};
    EXPECT_FALSE(FindRealPolyRoots({0.0, 1.0, 2.0, 3.0}, roots));
    EXPECT_TRUE(roots.empty());
}

// From degree 3 on the imaginary parts of the coefficients take no part.
TEST(PolyRoots, FactorsRealPartFromDegreeThree) {
    const mvect complexCoeffs{1.0, mcplx(-6.0, 2.0), mcplx(11.0, -1.0), mcplx(-6.0, 0.5)};
    EXPECT_LE(WorstRootError({1.0, 2.0, 3.0}, FindRoots(complexCoeffs)), 1e-12);
}

TEST(PolyRoots, SearchesOnTwoThreadsAgreeWithOneThread) {
    const std::vector<CRefCase> cases = LoadRefCases("poly_roots.txt");
    std::vector<mvect> alone;
    for (const CRefCase& c : cases) {
        alone.push_back(FindRoots(c.first));
    }
    auto work = [&](size_t first, std::vector<mvect>& out) {
        for (int round = 0; round < 4; ++round) {
            for (size_t i = 0; i < cases.size(); ++i) {
                out[(i + first) % cases.size()] =
                    FindRoots(cases[(i + first) % cases.size()].first);
            }
        }
    };
    std::vector<mvect> a(cases.size()), b(cases.size());
    std::thread t1(work, 0, std::ref(a));
    std::thread t2(work, cases.size() / 2, std::ref(b));
    t1.join();
    t2.join();
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(a[i], alone[i]) << cases[i].name;
        EXPECT_EQ(b[i], alone[i]) << cases[i].name;
    }
}
