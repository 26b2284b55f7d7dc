#pragma once

// Texts of the design forms (band table, response list, method forms), each defined once.

// Every form
inline constexpr const char* kMsgFirInternalError = "FIR Internal Error";
inline constexpr const char* kFsCaptionPrefix = "Fs = ";

// Response list
inline constexpr const char* kMsgRspNoCoefficients =
    "The FIR Filter has no coefficients so its Frequency Response cannot be calculated.";
inline constexpr const char* kMsgRspAskReset = "Reset the Frequency Response List?";

// Band table
inline constexpr const char* kMsgAttnRippleZero = "Attenuation/Ripple cannot be zero.";
inline constexpr const char* kMsgAskSetSampleRate =
    "Upper frequency is greater than Fs/2.\nSet sampling rate?.";
inline constexpr const char* kMsgBandTouches =
    "Cannot add this band becauses it touches another band.\n(You must leave a transition band "
    "between each pass/stop band.)";
inline constexpr const char* kMsgLowerAboveNyquist =
    "Lower frequency is greater than or equal to Fs/2.";
inline constexpr const char* kMsgUpperAboveNyquist =
    "Upper frequency is greater than or equal to Fs/2.";
inline constexpr const char* kMsgLowerNotBelowUpper =
    "Lower frequency is greater than or equal to Upper.";
inline constexpr const char* kMsgAskClearAllBands =
    "This operation will clear all band entries.\nDo you really want to Clear All?";
inline constexpr const char* kMsgPartialBand =
    "Partial band information has been entered.\nContinue designing FIR?";
inline constexpr const char* kMsgBandNotAdded =
    "Band information has been entered but not added.\nAdd band before designing FIR?";
inline constexpr const char* kPassbandText = " Passband";
inline constexpr const char* kStopbandText = " Stopband";
inline constexpr const char* kPassText = "PASS";
inline constexpr const char* kFailText = "FAIL";

// Simple Parks-McClellan form
inline constexpr const char* kActualsCaption = "Actuals";
inline constexpr const char* kActualsPrefix = "Actuals - ";

// Lth-band form
inline constexpr const char* kMsgLthFormL = "L must be two or greater.";
inline constexpr const char* kMsgLthFormCutoffPositive =
    "The cutoff frequency must be greater than zero.";
inline constexpr const char* kMsgLthFormCutoffBelowFsL =
    "The cutoff frequency must be less than Fs/L.";
inline constexpr const char* kMsgWindowParamPositive =
    "The window parameter must be greater than zero.";
inline constexpr const char* kBandInfoCaption = "Band Info";
