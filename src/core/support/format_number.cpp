#include "support/format_number.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

std::string StrPrintf(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

std::string FormatMessage(const std::string& text, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const size_t index = static_cast<size_t>(text[i + 1] - '1');
            if (index < args.size()) {
                out += *(args.begin() + index);
                ++i;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

int EngineeringPower(double x) {
    if (x == 0.0 || !std::isfinite(x))
        return 0;
    const int p = static_cast<int>(std::floor(std::log10(std::fabs(x) * 1.00001)));
    // floor to a multiple of 3, also for negative exponents
    return p >= 0 ? (p / 3) * 3 : -(((-p) + 2) / 3) * 3;
}

std::string FormatNumber(double value, int digits, bool engineering) {
    int power = 0;
    if (engineering) {
        power = EngineeringPower(value);
        value /= std::pow(10.0, power);
    }
    std::string text = StrPrintf("%-.*f", digits, value);
    if (power != 0)
        text += StrPrintf("E%d", power);
    return text;
}

int64_t RoundHalfAway(double x) {
    return static_cast<int64_t>(x < 0.0 ? x - 0.5 : x + 0.5);
}

double RoundHalfAwayDouble(double x) {
    return std::trunc(x < 0.0 ? x - 0.5 : x + 0.5);
}

std::optional<double> ParseDouble(const std::string& text) {
    double v = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &v) != 1)
        return std::nullopt;
    return v;
}

double PowerToDb(double power, double floorDb) {
    if (!(power > 0.0))
        return floorDb;
    const double db = 10.0 * std::log10(power);
    return db < floorDb ? floorDb : db;
}

double DbToGain(double db, double floorDb) {
    return db >= floorDb ? std::pow(10.0, db / 20.0) : 0.0;
}

double GainToDb(double gain) {
    return 20.0 * std::log10(gain);
}
