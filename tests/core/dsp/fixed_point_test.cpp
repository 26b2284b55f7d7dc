#include "dsp/fixed_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FixedPoint, SetupGivesFullScaleAndLimits) {
    CFixedPointQuantizer q;
    ASSERT_TRUE(q.Setup(16));
    EXPECT_EQ(q.m_dFullScale, 32768.0);
    EXPECT_EQ(q.m_dInvFullScale, 1.0 / 32768.0);
    EXPECT_EQ(q.m_nLower, -32768);
    EXPECT_EQ(q.m_nUpper, 32767);
    ASSERT_TRUE(q.Setup(1));
    EXPECT_EQ(q.m_dFullScale, 1.0);
    EXPECT_EQ(q.m_nLower, -1);
    EXPECT_EQ(q.m_nUpper, 0);
    ASSERT_TRUE(q.Setup(63));
    EXPECT_EQ(q.m_nUpper, std::numeric_limits<int64_t>::max() / 2);
    // Counts the 64-bit levels cannot hold are refused and leave the quantizer as it was.
    EXPECT_FALSE(q.Setup(0));
    EXPECT_FALSE(q.Setup(64));
    EXPECT_EQ(q.Bits(), 63);
}

TEST(FixedPoint, QuantizeRoundsHalfAwayAndClampsWithOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int bits;
        double x;
        double expected;
        bool overflow;
    };
    const Case cases[] = {
        {16, 1.0, 32767.0 / 32768.0, true},
        {16, -1.0, -1.0, false},
        {16, 0.25, 0.25, false},
        {8, 0.30, 38.0 / 128.0, false},
        {8, 1.5, 127.0 / 128.0, true},
        {8, -1.5, -1.0, true},
        {8, 0.5 / 128.0, 1.0 / 128.0, false},   // half a step rounds away from zero
        {8, -0.5 / 128.0, -1.0 / 128.0, false}, // on both sides
        {8, 0.49 / 128.0, 0.0, false},
        {1, 0.3, 0.0, false},
        {1, -0.6, -1.0, false},
        {1, 0.6, 0.0, true},
        {63, 1.0, 1.0 - std::ldexp(1.0, -62), true},
        {63, 1e300, 1.0 - std::ldexp(1.0, -62), true},
        {16, -inf, -1.0, true},
        {16, std::nan(""), 0.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, x = " << c.x);
        CFixedPointQuantizer q(c.bits);
        EXPECT_EQ(q.Quantize(c.x), c.expected);
        EXPECT_EQ(q.Overflow(), c.overflow);
    }
}

TEST(FixedPoint, OverflowFlagStaysUntilSetupOrClear) {
    CFixedPointQuantizer q(8);
    q.Quantize(2.0);
    q.Quantize(0.1);
    EXPECT_TRUE(q.Overflow());
    q.ClearOverflow();
    EXPECT_FALSE(q.Overflow());
    q.Quantize(-3.0);
    ASSERT_TRUE(q.Setup(8));
    EXPECT_FALSE(q.Overflow());
}
