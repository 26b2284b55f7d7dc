#pragma once

// Texts the response computation shows.
namespace ResponseMessages {
inline constexpr const char* kNoCoefficients =
    "The FIR Filter has no coefficients so its Frequency Response cannot be calculated.";
} // namespace ResponseMessages
