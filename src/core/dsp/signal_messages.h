#pragma once

#include <array>

// Texts the signal operations and their dialogs show or ask.
namespace SignalMsg {
inline constexpr const char* kNotFinite =
    "The result would not be a finite number; the coefficients are unchanged.";
inline constexpr const char* kScaleByZero =
    "Scale value is 0.0 (linear).\nTherefore, scaling will clear all data.\nScale anyway?";
inline constexpr const char* kMixDivisorZero = "The Fs mixing divisor cannot be zero.";
inline constexpr const char* kMixFrequencyZero = "The mixing frequency cannot be zero.";
inline constexpr const char* kMixOutOfRange =
    "The Mixing frequency is outside the range\n+/- half the sampling frequency.  Mix anyway?";
inline constexpr const char* kGammaTooSmall = "Gamma must be 1.0 or greater.";
inline constexpr const char* kAlphaNotPositive = "Alpha must be greater than 0.0.";
inline constexpr const char* kNoZerosEmpty =
    "The filter has no coefficients other than 0: it has no zeros.";
inline constexpr const char* kNoZerosNotFinite =
    "The filter has coefficients that are not finite numbers: its zeros cannot be found.";
inline constexpr const char* kNoZerosTooLong =
    "The zeros of filters longer than 2048 taps are not computed.";
inline constexpr const char* kNoZerosUntrusted =
    "The zeros of this filter cannot be computed reliably: some lie too close together to be "
    "told apart.";
} // namespace SignalMsg

// Captions of the choices the operation dialogs offer, indexed by the stored mode.
namespace SignalText {
inline constexpr std::array<const char*, 3> kMixModes = {"Frequency ", "Fs divided by",
                                                         "Fs multiplied by"};
inline constexpr std::array<const char*, 2> kMixPhaseModes = {"Set automatically for linear phase",
                                                              "Degrees"};
inline constexpr std::array<const char*, 4> kTruncateKinds = {
    "Quantity", "Magnitude value", "Magnitude below peak, in dB", "Magnitude below sum, in dB"};
inline constexpr std::array<const char*, 3> kTruncateModes = {"Each end", "Beginning", "End"};
inline constexpr std::array<const char*, 2> kGenerateRateModes = {"Frequency", "Number of Cycles"};
inline constexpr const char* kGeneratorTitle = "Waveform Generator";
inline constexpr const char* kZeroPadTitle = "Zero-Stuff and Zero-Pad";
} // namespace SignalText
