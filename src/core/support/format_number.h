#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

// printf-style formatting into a std::string.
std::string StrPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Replaces the 1-based placeholders %1, %2, ... of a message with the given texts.
std::string FormatMessage(const std::string& text, std::initializer_list<std::string> args);

// The exponent of ten, a multiple of 3, that engineering notation uses for x (0 for x = 0).
int EngineeringPower(double x);

// value printed with `digits` decimals ("%-.<digits>f"); with engineering on, the value is first
// divided by 10^EngineeringPower and "E<exponent>" appended when the exponent is not 0.
std::string FormatNumber(double value, int digits, bool engineering);

// Rounds half away from zero (add or subtract 0.5, then truncate).
int64_t RoundHalfAway(double x);
double RoundHalfAwayDouble(double x);

// Text to number as "%lf" reads it: leading blanks skipped, the longest number prefix taken.
std::optional<double> ParseDouble(const std::string& text);

// Power to dB (10*log10), never below floorDb; dB to linear gain 10^(x/20) for x >= floorDb, else
// 0.
double PowerToDb(double power, double floorDb);
double DbToGain(double db, double floorDb);
// Linear 1/delta factor <-> dB (20*log10).
double GainToDb(double gain);
