#pragma once

// Messages of the fixed-point implementation. Placeholders are the 1-based %1, %2 of
// FormatMessage.
extern const char* const kMsgFixedNeedsRealFilter;
extern const char* const kMsgFixedNoCoefficients;
extern const char* const kMsgFixedTooManyTaps;      // %1 largest number of taps
extern const char* const kMsgFixedCoefficientBits;  // %1 smallest, %2 largest
extern const char* const kMsgFixedInputBits;        // %1 smallest, %2 largest
extern const char* const kMsgFixedOutputBits;       // %1 accumulator width
extern const char* const kMsgFixedOutputShift;      // %1 largest shift
extern const char* const kMsgFixedCoefficientRange; // %1 index, %2 value, %3 word length
