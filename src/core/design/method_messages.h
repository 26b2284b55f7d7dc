#pragma once

// Texts of the windowed-sinc, spline-sinc, raised-cosine, Lth-band, maxflat and CIC designs,
// each defined once.

// Windowed sinc and spline sinc
inline constexpr const char* kMsgBadCorner =
    "Bad corner frequency at %1.\nThe corner must be greater than zero and less than Fs/2.";
inline constexpr const char* kMsgAlphaRange = "Alpha must be between 0.0 and 50.0.";
inline constexpr const char* kMsgCornersEqual = "The two corner frequencies must be different.";
inline constexpr const char* kMsgSplineOrder = "Spline sinc order must be greater than zero.";

// Raised cosine
inline constexpr const char* kMsgRolloffRange =
    "The Rolloff Factor must be be greater than 0.0 and less than 1.0.";
inline constexpr const char* kMsgSymbolRatePositive = "The symbol rate must be greater than zero.";
inline constexpr const char* kMsgSamplesPerSymbol =
    "The number of samples per symbol must be greater than one.";
inline constexpr const char* kMsgRcFourTaps = "The filter must have at least four taps.";
inline constexpr const char* kMsgRcTapsConstraints =
    "The number of taps does not meet the constraints.";
inline constexpr const char* kMsgRcTwoSymbols = "The filter must have at least two symbols.";
inline constexpr const char* kMsgRcSymbolsConstraints =
    "The symbol length does not result in a number of taps that meets the constraints.";
inline constexpr const char* kMsgRcZeroPadShort =
    "The number of zero-pad taps must be greater\nthan or equal to the number of design taps.";
inline constexpr const char* kMsgRcZeroPadConstraints =
    "The number of zero-pad taps does not meet the constraints.";
inline constexpr const char* kMsgRcSpanTwoSymbols =
    "The Filter Length must span at least two symbols.";

// Lth band
inline constexpr const char* kMsgLthL = "L must be greater than one.";
inline constexpr const char* kMsgLthCutoffPositive =
    "The cutoff frequency must be greater than zero.";
inline constexpr const char* kMsgLthCutoffBelowNyquist =
    "The cutoff frequency must be less than Fs/2.";
inline constexpr const char* kMsgLthCutoffAtPivot = "The cutoff frequency cannot equal Fs/2L.";
inline constexpr const char* kMsgLthCutoffAboveFsL =
    "The cutoff frequency cannot be greater than or equal to Fs/L.";
inline constexpr const char* kMsgLthAttnZero = "The stopband attenuation value cannot be zero.";
inline constexpr const char* kMsgLthRippleZero = "The passband ripple value cannot be zero.";
inline constexpr const char* kMsgLthTapsConstrained =
    "The number of taps is constrained to be greater than %1.";
inline constexpr const char* kMsgLthAskOddTaps =
    "Lth-Band filters usually have an odd number of taps.\nAdd one tap?";

// Maxflat
inline constexpr const char* kMsgMaxflatNoConvergence =
    "The MaxFlat design algorithm failed to converge.";
inline constexpr const char* kMsgMaxflatTapsBelow3 = "The number of taps cannot be less than 3.";
inline constexpr const char* kMsgMaxflatAskOdd = "The number of taps must be odd.  Add one tap?";
inline constexpr const char* kMsgMaxflatTooManyTaps = "The number of taps must be less than %1.";
inline constexpr const char* kMsgMaxflatCenterPositive =
    "The transition center must be greater than zero.";
inline constexpr const char* kMsgMaxflatRolloffPositive = "The rolloff must be greater than zero.";
inline constexpr const char* kMsgMaxflatRolloffTooBig =
    "The rolloff is too big for the specified transition center.";
inline constexpr const char* kMsgMaxflatRolloffTooSmall =
    "The rolloff is too small to be practical.";

// CIC
inline constexpr const char* kMsgCicAllPositive = "All parameters must be greater than zero.";
inline constexpr const char* kMsgCicTooManyStages =
    "The number of stages (N) cannot be greater than 100.";
inline constexpr const char* kMsgCicTooLong =
    "The combination of parameters would result in a\nfilter that exceeds this programs's limit "
    "on the\nnumber of taps. Please reduce N, R, and/or M.";
