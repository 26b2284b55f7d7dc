#include "support/format_number.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FormatNumber, EngineeringAndPlain) {
    struct Case {
        double value;
        int digits;
        bool engineering;
        const char* text;
    };
    const Case cases[] = {
        {1500, 3, true, "1.500E3"},    {0.5, 3, true, "500.000E-3"}, {2, 3, true, "2.000"},
        {0, 2, true, "0.00"},          {-0.001, 1, true, "-1.0E-3"}, {1500, 1, false, "1500.0"},
        {999.9999, 2, true, "1.00E3"}, {1e9, 0, true, "1E9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.digits, c.engineering), c.text) << c.value;
}

TEST(FormatNumber, EngineeringPower) {
    EXPECT_EQ(EngineeringPower(0.0), 0);
    EXPECT_EQ(EngineeringPower(1.0), 0);
    EXPECT_EQ(EngineeringPower(999.0), 0);
    EXPECT_EQ(EngineeringPower(1000.0), 3);
    EXPECT_EQ(EngineeringPower(-2.5e4), 3);
    EXPECT_EQ(EngineeringPower(0.5), -3);
    EXPECT_EQ(EngineeringPower(0.001), -3);
    EXPECT_EQ(EngineeringPower(0.000999999), -3); // within the 1.00001 factor of 1e-3
    EXPECT_EQ(EngineeringPower(0.0009), -6);
}

TEST(FormatNumber, RoundingIsHalfAwayFromZero) {
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(2.49), 2);
    EXPECT_EQ(RoundHalfAway(-0.4), 0);
    EXPECT_EQ(RoundHalfAwayDouble(-7.5), -8.0);
}

TEST(FormatNumber, MessagesAndParsing) {
    EXPECT_EQ(FormatMessage("Cannot open file \"%1\".", {"a.txt"}), "Cannot open file \"a.txt\".");
    EXPECT_EQ(FormatMessage("%2 of %1, 100%", {"x", "y"}), "y of x, 100%");
    EXPECT_EQ(FormatMessage("%3", {"x"}), "%3");
    EXPECT_EQ(ParseDouble("  1.5e3xyz"), 1500.0);
    EXPECT_FALSE(ParseDouble("abc").has_value());
}

TEST(FormatNumber, Decibels) {
    EXPECT_DOUBLE_EQ(PowerToDb(100.0, -130.0), 20.0);
    EXPECT_DOUBLE_EQ(PowerToDb(0.0, -130.0), -130.0);
    EXPECT_DOUBLE_EQ(PowerToDb(1e-20, -130.0), -130.0);
    EXPECT_DOUBLE_EQ(DbToGain(-20.0, -130.0), 0.1);
    EXPECT_DOUBLE_EQ(DbToGain(-131.0, -130.0), 0.0);
    EXPECT_NEAR(GainToDb(1000.0), 60.0, 1e-12);
}
