#include "fixed/fixed_word.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
__extension__ typedef unsigned __int128 UInt128;
} // namespace

int64_t RoundToInt64(double x) {
    if (std::isnan(x))
        return 0;
    const double r = std::trunc(x < 0.0 ? x - 0.5 : x + 0.5);
    if (r >= 9223372036854775808.0)
        return std::numeric_limits<int64_t>::max();
    if (r < -9223372036854775808.0)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

double FullScaleOfWordLength(int bits) {
    if (bits <= 1)
        return 1.0;
    if (bits > 64)
        bits = 64;
    const uint64_t full = (uint64_t{1} << (bits - 1)) - 1;
    double f = static_cast<double>(full);
    if (bits >= 52)
        f -= 1023.0;
    return f;
}

int64_t QuantizeToWord(double x, int bits) {
    return RoundToInt64(x * FullScaleOfWordLength(bits));
}

int SignedWidth(Int128 v) {
    // A negative v needs as many bits as its complement -v - 1 does.
    UInt128 magnitude = static_cast<UInt128>(v < 0 ? -(v + 1) : v);
    int bits = 1;
    while (magnitude != 0) {
        magnitude >>= 1;
        ++bits;
    }
    return bits;
}

Int128 SignedMin(int bits) {
    return -SignedMax(bits) - 1;
}

Int128 SignedMax(int bits) {
    return static_cast<Int128>((UInt128{1} << (bits - 1)) - 1);
}

Int128 WrapToWidth(Int128 v, int bits) {
    if (bits >= 128)
        return v;
    const UInt128 mask = (UInt128{1} << bits) - 1;
    const UInt128 low = static_cast<UInt128>(v) & mask;
    const UInt128 sign = UInt128{1} << (bits - 1);
    // (low ^ sign) - sign sign-extends the word without shifting a negative value.
    return static_cast<Int128>(low ^ sign) - static_cast<Int128>(sign);
}

std::string DecimalText(Int128 v) {
    UInt128 magnitude = v < 0 ? UInt128{0} - static_cast<UInt128>(v) : static_cast<UInt128>(v);
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (v < 0)
        digits.push_back('-');
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string HexText(Int128 v, int bits) {
    const auto u = static_cast<UInt128>(v);
    std::string text;
    for (int digit = (bits + 3) / 4 - 1; digit >= 0; --digit) {
        int nibble = static_cast<int>((u >> (4 * digit)) & 0xF);
        if (4 * digit + 4 > bits)
            nibble &= (1 << (bits - 4 * digit)) - 1;
        text.push_back("0123456789ABCDEF"[nibble]);
    }
    return text;
}
