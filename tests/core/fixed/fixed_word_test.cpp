#include "fixed/fixed_word.h"

#include <gtest/gtest.h>

TEST(FixedWord, WidthsAndWrapAtTheEndsOfAWord) {
    struct Case {
        Int128 v;
        int width;
    };
    const Case cases[] = {{0, 1},
                          {-1, 1},
                          {1, 2},
                          {-2, 2},
                          {127, 8},
                          {128, 9},
                          {-128, 8},
                          {-129, 9},
                          {SignedMax(100), 100},
                          {SignedMin(100), 100},
                          {SignedMax(127), 127},
                          {SignedMin(127), 127}};
    for (const Case& c : cases)
        EXPECT_EQ(SignedWidth(c.v), c.width) << DecimalText(c.v);

    EXPECT_EQ(WrapToWidth(128, 8), -128);
    EXPECT_EQ(WrapToWidth(-129, 8), 127);
    EXPECT_EQ(WrapToWidth(255, 8), -1);
    EXPECT_EQ(WrapToWidth(SignedMax(90) + 1, 90), SignedMin(90));
    EXPECT_EQ(WrapToWidth(-5, 3), 3);
}

TEST(FixedWord, TextOfWideValues) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-1234567), "-1234567");
    EXPECT_EQ(DecimalText(SignedMin(127)), "-85070591730234615865843651857942052864");
    EXPECT_EQ(HexText(-1, 6), "3F");
    EXPECT_EQ(HexText(-32768, 16), "8000");
    EXPECT_EQ(HexText(SignedMin(70), 70), "200000000000000000");
    EXPECT_EQ(HexText(5, 1), "1");
}
