#include "io/number_text.h"
#include "support/format_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

TEST(NumberText, FixedFormatMatchesPrintf) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const int formats[][2] = {{21, 18}, {24, 21}, {15, 12}, {14, 9}, {9, 6}};
    for (int k = 0; k < 2000; ++k) {
        const double v = std::ldexp(mantissa(rng), exponent(rng));
        for (const auto& f : formats)
            ASSERT_EQ(FormatFixed(v, f[0], f[1]), StrPrintf("%*.*f", f[0], f[1], v)) << v;
    }
    for (double v : {0.0, -0.0, 0.5, -0.25, 1e300, -1e-300, 123456789.125})
        EXPECT_EQ(FormatFixed(v, 21, 18), StrPrintf("%21.18f", v)) << v;
}

TEST(NumberText, RoundingHoldsTheIntegerRange) {
    EXPECT_EQ(RoundToInt64(2.5), 3);
    EXPECT_EQ(RoundToInt64(-2.5), -3);
    EXPECT_EQ(RoundToInt64(-0.4), 0);
    EXPECT_EQ(RoundToInt64(1e30), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(RoundToInt64(-1e30), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(RoundToInt64(std::nan("")), 0);
}

TEST(NumberText, ScannerFollowsScanfConversions) {
    {
        const std::string line = "  1.5 -2e3abc";
        CNumberScanner s(line);
        double a = 0, b = 0, c = 0;
        EXPECT_TRUE(s.ScanDouble(a));
        EXPECT_TRUE(s.ScanDouble(b));
        EXPECT_FALSE(s.ScanDouble(c));
        EXPECT_EQ(a, 1.5);
        EXPECT_EQ(b, -2000.0);
    }
    {
        const std::string line = "+.25 1e999 1e-999 x";
        CNumberScanner s(line);
        double a = 0, b = 0, c = 1;
        EXPECT_TRUE(s.ScanDouble(a));
        EXPECT_TRUE(s.ScanDouble(b));
        EXPECT_TRUE(s.ScanDouble(c));
        EXPECT_EQ(a, 0.25);
        EXPECT_TRUE(std::isinf(b));
        EXPECT_EQ(c, 0.0);
    }
    struct IntCase {
        const char* text;
        int base;
        bool ok;
        uint64_t value;
    };
    const IntCase cases[] = {
        {"123", 0, true, 123},
        {"-5", 0, true, ~uint64_t{4}},
        {"0x1F", 0, true, 31},
        {"017", 0, true, 15},
        {"0", 0, true, 0},
        {"C000", 16, true, 0xC000},
        {"0xc000", 16, true, 0xC000},
        {"0xZ", 16, true, 0}, // the "0" alone
        {"-1", 16, true, ~uint64_t{0}},
        {"G", 16, false, 0},
        {"", 0, false, 0},
        {"-", 0, false, 0},
        {"18446744073709551617", 0, true, 1}, // wraps modulo 2^64
    };
    for (const IntCase& c : cases) {
        const std::string line = c.text;
        CNumberScanner s(line);
        uint64_t v = 99;
        EXPECT_EQ(s.ScanInteger(v, c.base), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(NumberText, LinesDropCarriageReturns) {
    const std::string text = "a\r\nb\n\nlast";
    CLineReader r(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::string line;
    std::vector<std::string> lines;
    while (r.ReadLine(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "last"}));
}
