#pragma once

// Texts of the project's commands and of their dialogs' checks, each defined once.
namespace CmdMsg {
// Titles of the dialogs and flows
inline constexpr const char* kImportTitle = "Import Coefficients";
inline constexpr const char* kExportTitle = "Export Coefficients";
inline constexpr const char* kDesignOptionsTitle = "FIR Design Options";

// Overwrite confirmation: prefix + kWillOverwrite
inline constexpr const char* kWillOverwrite = " will overwrite all current data.";
inline constexpr const char* kImportingPrefix = "Importing new coefficients";
inline constexpr const char* kFillingSinePrefix = "Filling with a sine";

// Status texts
inline constexpr const char* kFillingWithSine = "Filling With Sine...";
inline constexpr const char* kWindowing = "Windowing FIR coefficients...";
inline constexpr const char* kZeroStuffing = "Zero-Stuffing/Zero-Padding coefficients...";
inline constexpr const char* kTooManyTaps =
    "The result would have %1 taps; a project holds at most %2.";

// Fill, window
inline constexpr const char* kFillTapsNotPositive =
    "Error: number of fill taps must be greater than zero.";
inline constexpr const char* kAlreadyWindowed =
    "The filter has already been windowed.  Window again?";

// Convolve
inline constexpr const char* kOnlyOneProject =
    "Only one filter project with coefficients is currently open.\nPlease create or open another "
    "filter project to convolve with this one.";
inline constexpr const char* kSelectProject = "Please select a project.";
inline constexpr const char* kFsDiffer =
    "The sampling frequencies of the two filters are different.\nConvolve anyway?";
inline constexpr const char* kConvolvedTaps = "The convolved filter contains %1 taps.";

// Truncate
inline constexpr const char* kNotTruncated = "Filter was not truncated.";
inline constexpr const char* kTruncated = "Truncated %1 coefficient";
inline constexpr const char* kTruncatedPlural = "s";
inline constexpr const char* kTruncatedEachEnd = " at each end";

// Polyphase
inline constexpr const char* kPhasesOutOfRange =
    "The number of total phases must be greater than zero and less than the number of taps.";
inline constexpr const char* kPhasesNotDividing =
    "The number of total phases must divide evenly into the number of taps.";
inline constexpr const char* kPhaseOutOfRange =
    "The selected phase number must be greater than or equal\nto zero and less than the number "
    "of total phases.";

// The class library's range check of an integer field
inline constexpr const char* kIntegerRange = "Please enter an integer between %1 and %2.";

// Refusals of the command line (a disabled menu item)
inline constexpr const char* kCommandDisabled = "The command \"%1\" is not available: %2.";
} // namespace CmdMsg

// Titles of the views the commands open.
namespace ViewTitle {
inline constexpr const char* kDesign = "FIR Design";
inline constexpr const char* kFrequency = "FIR Frequency Response";
inline constexpr const char* kPoleZero = "Pole-Zero Plot";
inline constexpr const char* kCoefficientsIQ = "FIR Inphase and Quadrature Coefficients";
inline constexpr const char* kCoefficientsI = "FIR Inphase Coefficients";
inline constexpr const char* kCoefficientsQ = "FIR Quadrature Coefficients";
inline constexpr const char* kCoefficientsComplex = "FIR Complex Coefficients";
inline constexpr const char* kCoefficients = "FIR Coefficients";
inline constexpr const char* kImpulseComplex = "FIR Complex Impulse Response";
inline constexpr const char* kImpulseI = "FIR Inphase Impulse Response";
inline constexpr const char* kImpulseQ = "FIR Quadrature Impulse Response";
inline constexpr const char* kImpulse = "FIR Impulse Response";
inline constexpr const char* kImpulseMagnitude = "FIR Complex Impulse Response Magnitude";
inline constexpr const char* kImpulsePhase = "FIR Complex Impulse Response Phase";
} // namespace ViewTitle
