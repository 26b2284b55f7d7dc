#pragma once

// Texts the filter design code shows to the user, each defined once.

// Band list
inline constexpr const char* kMsgTooManyBands = "Maximum number of bands exceeded.";
inline constexpr const char* kMsgOverlappingBands = "Overlapping or intersecting bands.";
inline constexpr const char* kMsgBandOutsideRange =
    "A band must lie between 0 and half the sampling frequency,\nwith its lower edge not above "
    "its upper edge.";
inline constexpr const char* kMsgNegativeGain =
    "Linear Gain must be greater than or equal to zero.";
inline constexpr const char* kMsgHilbertNeedsPassband =
    "Hilbert specification must have at least one passband.";
inline constexpr const char* kMsgNeedPassAndStop =
    "FIR specification must contain at least one passband and one stopband.";
inline constexpr const char* kMsgGridDensityBelowOne =
    "Cannot design FIR with Grid Density less than one.";
inline constexpr const char* kMsgCannotOptimizeType =
    "Response Types other than 'Filter' cannot be optimized.";

// Tap estimate and grid density
inline constexpr const char* kMsgEstimateTwoBands =
    "Cannot estimate FIR with other than two bands.\n(Exactly one passband and one stopband is "
    "required.)";
inline constexpr const char* kMsgEstimatePassAndStop =
    "Cannot estimate if there is not one passband and one stopband.";
inline constexpr const char* kMsgEstimateResponseType =
    "Cannot estimate number of taps for Differentiator or Hilbert.";
inline constexpr const char* kMsgEstimateBandEnds =
    "Cannot estimate if both the bottom and top of the band are not specified.";
inline constexpr const char* kMsgGridDensityIncreased =
    "Grid Density is too small so it has been increased to %1.";

// Parks-McClellan design
inline constexpr const char* kMsgDesigningPrefix = "Designing ";
inline constexpr const char* kMsgPmNoConvergence =
    "The Parks-McClellan design algorithm failed to converge.\n(You might try changing the grid "
    "density or the number of taps.)";

// Design status display
inline constexpr const char* kFmtDesignStatus =
    "\n   Design Status:\n      NTaps = %i, Iteration %i\n";
inline constexpr const char* kFmtQuantizingStatus = "      Quantizing: %i%% complete\n";
inline constexpr const char* kMsgCancellingStatus = "\n   Cancelling, please wait...";

// Tap count checks
inline constexpr const char* kMsgMinTapsPrefix = "Cannot design FIR with less than ";
inline constexpr const char* kMsgMinTapsSuffix = " taps.";
inline constexpr const char* kMsgAskOddTaps =
    "Linear-phase FIRs cannot have a passband at Fs/2 with an EVEN Number of Taps.\nDo you want "
    "to add one tap?";

// Simple lowpass/highpass/bandpass/bandstop specification
inline constexpr const char* kMsgSimpleAllPositive = "All parameters must be greater than zero.";
inline constexpr const char* kMsgSimpleRippleAboveAttn =
    "The stopband attenuation must be greater than the passband ripple.";
inline constexpr const char* kMsgSimpleBandwidthRange =
    "The passband or stopband bandwidth is outside\nthe range of +/- the sampling frequency.";
inline constexpr const char* kMsgSimpleEdgeRange =
    "The passband or stopband is outside the\nrange of +/- half the sampling frequency.";
inline constexpr const char* kMsgSimpleLowpassOrder =
    "For a Lowpass, the passband frequency\nmust be less than the stopband frequency.";
inline constexpr const char* kMsgSimpleHighpassOrder =
    "For a Highpass, the passband frequency\nmust be greater than the stopband frequency.";
inline constexpr const char* kMsgSimpleBandpassWidths =
    "The top passband bandwidth must be less than the bottom.";
inline constexpr const char* kMsgSimpleCenterTooLow =
    "The center frequency minus half the bandwidth is less than zero.\nPlease increase the center "
    "and/or reduce the bandwidth.";
inline constexpr const char* kMsgSimpleBandpassTooHigh =
    "The center frequency plus half the bandwidth is greater than half the sampling "
    "frequency.\nPlease reduce the center and/or bandwidth.";
inline constexpr const char* kMsgSimpleBandstopWidths =
    "For a Bandstop, the stopband bandwidth\nmust be less than the passband bandwidth.";
inline constexpr const char* kMsgSimpleBandstopTooHigh =
    "The center frequency plus half the bandwidth must be less than half the sampling frequency.";
