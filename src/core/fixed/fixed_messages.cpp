#include "fixed/fixed_messages.h"

const char* const kMsgFixedNeedsRealFilter =
    "A fixed-point implementation needs a real filter: the filter is complex.";
const char* const kMsgFixedNoCoefficients = "The filter has no coefficients.";
const char* const kMsgFixedTooManyTaps = "A fixed-point implementation takes at most %1 taps.";
const char* const kMsgFixedCoefficientBits = "Coefficient word length must be %1 to %2 bits.";
const char* const kMsgFixedInputBits = "Input word length must be %1 to %2 bits.";
const char* const kMsgFixedOutputBits =
    "Output word length must be 1 bit up to the accumulator width, %1 bits.";
const char* const kMsgFixedOutputShift =
    "The output can drop at most %1 low bits of the accumulator.";
const char* const kMsgFixedCoefficientRange =
    "Coefficient h[%1] = %2 does not fit in a word of %3 bits.";
