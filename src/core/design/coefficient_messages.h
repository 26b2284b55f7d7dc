#pragma once

// Texts of the filter's coefficient operations and of quantization, each defined once.

// Scaling, truncation
inline constexpr const char* kMsgScaleAllZero = "Cannot scale because all coefficients are zero.";
inline constexpr const char* kMsgTruncatedTo = "The filter was truncated to %1 taps.";

// Captions of the scale methods, in the order of their codes (CFirData::EScaleMethod).
inline constexpr const char* kScaleMethodNames[] = {
    "Gain at DC (coefficient sum)",  "Gain at",
    "Maximum coefficient magnitude", "Sum of coefficient magnitudes",
    "Sum of coefficient squares",    "Multiply coefficients by"};

// Quantization
inline constexpr const char* kQuantizeCaption = "Quantize";
inline constexpr const char* kMsgQuantSaturated =
    "Some coefficients were beyond the range of %1-bit fractions and were saturated.";
// Names of the quantization algorithms, in the order of their codes (QuantOptions).
inline constexpr const char* kMsgQuantSearchRange =
    "The first search grid range value\ncannot be greater than the second.";
inline constexpr const char* kMsgQuantBitsRange =
    "The number of quantization bits must be between 1 and 62.";
