#include "hdl/hdl_plan.h"
#include "hdl/test_vectors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

CFixedPointFilter FilterOf(const std::vector<int64_t>& c, int coefBits = 16) {
    SFixedPointFormat format;
    format.coefBits = coefBits;
    format.inputBits = 12;
    CFixedPointFilter filter;
    std::string error;
    EXPECT_TRUE(filter.MakeFromIntegers(c, format, error)) << error;
    return filter;
}

} // namespace

TEST(HdlPlan, FoldingAndCost) {
    struct Case {
        const char* what;
        std::vector<int64_t> c;
        ESymmetry symmetry;
        int multipliers;
        int transposedAdders; // chain
        int systolicAdders;   // pre-adders + tree
        int systolicLatency;
    };
    const Case cases[] = {
        {"symmetric odd", {1, 2, 3, 2, 1}, ESymmetry::Symmetric, 3, 4, 2 + 2, 7},
        {"symmetric even", {1, 2, 2, 1}, ESymmetry::Symmetric, 2, 3, 2 + 1, 6},
        {"antisymmetric odd", {1, 2, 0, -2, -1}, ESymmetry::Antisymmetric, 2, 3, 2 + 1, 6},
        {"antisymmetric even", {3, -1, 1, -3}, ESymmetry::Antisymmetric, 2, 3, 2 + 1, 6},
        {"asymmetric", {5, 4, -3, 2, 1}, ESymmetry::None, 5, 4, 0 + 4, 8},
        {"zero taps cost nothing", {1, 0, 7, 0, 1}, ESymmetry::Symmetric, 2, 2, 1 + 1, 6},
        {"zero taps, asymmetric", {0, 4, 0, 0, 9, 0}, ESymmetry::None, 2, 1, 0 + 1, 6},
        {"one tap", {5}, ESymmetry::Symmetric, 1, 0, 0, 5},
        {"all zero", {0, 0, 0}, ESymmetry::Symmetric, 0, 0, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CFixedPointFilter filter = FilterOf(c.c);
        const CHdlPlan transposed(filter, EHdlStructure::Transposed);
        const CHdlPlan systolic(filter, EHdlStructure::Systolic);
        EXPECT_EQ(transposed.Symmetry(), c.symmetry);
        EXPECT_EQ(static_cast<int>(transposed.Multipliers().size()), c.multipliers);
        EXPECT_EQ(static_cast<int>(systolic.Multipliers().size()), c.multipliers);
        EXPECT_EQ(transposed.Adders(), c.transposedAdders);
        EXPECT_EQ(systolic.Adders(), c.systolicAdders);
        EXPECT_EQ(transposed.Latency(), 4);
        EXPECT_EQ(systolic.Latency(), c.systolicLatency);
        // Every nonzero tap reaches a multiplier with its own coefficient.
        for (int k = 0; k < transposed.Taps(); ++k) {
            const int m = transposed.MultiplierOfTap(k);
            ASSERT_EQ(m >= 0, c.c[static_cast<size_t>(k)] != 0) << k;
            if (m < 0)
                continue;
            const int64_t sign = transposed.TapSubtracts(k) ? -1 : 1;
            EXPECT_EQ(transposed.Multipliers()[static_cast<size_t>(m)].coefficient * sign,
                      c.c[static_cast<size_t>(k)])
                << k;
        }
    }
}

TEST(HdlPlan, RoundingAddsAnAdder) {
    SFixedPointFormat format;
    format.outputBits = 12;
    format.rounding = ERounding::Round;
    CFixedPointFilter filter;
    std::string error;
    ASSERT_TRUE(filter.MakeFromIntegers({100, -200, 100}, format, error));
    EXPECT_EQ(CHdlPlan(filter, EHdlStructure::Transposed).RoundingAdders(), 1);
    format.outputBits = 0;
    ASSERT_TRUE(filter.MakeFromIntegers({100, -200, 100}, format, error));
    EXPECT_EQ(CHdlPlan(filter, EHdlStructure::Transposed).RoundingAdders(), 0);
}

// A 101-tap linear-phase lowpass (tools/refdata/hdl_filters.py) folds to 51 multipliers.
TEST(HdlPlan, FoldedLinearPhaseFilterOf101Taps) {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/hdl/lp_odd101.txt");
    std::vector<double> taps;
    for (double t = 0.0; in >> t;)
        taps.push_back(t);
    ASSERT_EQ(taps.size(), 101u);
    SFixedPointFormat format;
    CFixedPointFilter filter;
    std::string error;
    ASSERT_TRUE(filter.Make(taps, format, error)) << error;
    const CHdlPlan plan(filter, EHdlStructure::Systolic);
    EXPECT_EQ(plan.Symmetry(), ESymmetry::Symmetric);
    EXPECT_EQ(plan.Multipliers().size(), 51u);
    EXPECT_EQ(plan.PreAdders(), 50);
    EXPECT_EQ(plan.TreeLevels(), 6);
    const std::vector<std::string> lines = HdlSummaryLines(plan);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "multipliers: 51"), lines.end());
}

TEST(HdlTestVectors, ExpectedWordsAreTheModelsOutputOfTheValidSamples) {
    SFixedPointFormat format;
    format.inputBits = 10;
    format.outputBits = 10;
    format.outputShift = 8;
    format.overflow = EOverflow::Wrap;
    CFixedPointFilter filter;
    std::string error;
    ASSERT_TRUE(filter.MakeFromIntegers({90, -30, 0, 200, 17}, format, error));
    const STestVectors v = MakeTestVectors(filter);
    std::vector<int64_t> valid;
    for (size_t i = 0; i < v.samples.size(); ++i)
        if (v.valid[i])
            valid.push_back(v.samples[i]);
    EXPECT_TRUE(filter.Filter(valid) == v.expected);
    EXPECT_GT(v.samples.size(), valid.size() + valid.size() / 8); // the input pauses
    // Both extremes of the accumulator are driven.
    const std::vector<Int128> acc = filter.Accumulate(valid);
    EXPECT_NE(std::find(acc.begin(), acc.end(), filter.WorstCaseLow()), acc.end());
    EXPECT_NE(std::find(acc.begin(), acc.end(), filter.WorstCaseHigh()), acc.end());
    // The same filter always gets the same vectors.
    EXPECT_EQ(TestInputText(MakeTestVectors(filter), 10), TestInputText(v, 10));
    EXPECT_EQ(valid[0], 511); // the impulse at the top of the range
}
