#pragma once

// Texts of the design driver, the tap-count constraints and the optimiser, each defined once.

// Tap-count limits of a design
inline constexpr const char* kMsgTapsBelowMinimum =
    "The specified number of taps is less than the minimum.\n(See NTaps Constraints under Design "
    "Options.)";
inline constexpr const char* kMsgTapsAboveMaximum =
    "The specified number of taps is greater than the maximum.\n(See NTaps Constraints under "
    "Design Options.)";
// The adjust question, asked with Yes, No and Cancel.
inline constexpr const char* kMsgAskAdjustTaps =
    "The specified number of taps does not meet the constraints for this filter.\n"
    "(See the NTaps Constraints tab of the Design Options.) \n\n"
    "Do you want it to be adjusted to meet the constraints?\n";

// Rules of the constraints page
inline constexpr const char* kMsgMinAboveMax = "The minimum cannot exceed the maximum.";
inline constexpr const char* kMsgMinBelowAbsMin = "The minimum cannot be less than %1.";
inline constexpr const char* kMsgMaxAboveAbsMax = "The maximum cannot be greater than %1.";
// Any tap count entered or designed above the largest a filter can have.
inline constexpr const char* kMsgTapsAboveAbsMax = "A FIR filter cannot have more than %1 taps.";
inline constexpr const char* kMsgParityConflictsLimits =
    "The even/odd constraint conflicts with the minimum/maximum limits.";
inline constexpr const char* kMsgMultipleEvenWhenOdd =
    "The multiple cannot be even when the constraint is odd.";
inline constexpr const char* kMsgMultipleTooSmall = "The multiple must be greater than 1.";
inline constexpr const char* kMsgMultipleOutsideLimits =
    "The multiple is not contained within the minimum/maximum limits.";

// The Design flow
inline constexpr const char* kMsgAskEstimateTaps =
    "Too few taps were specified.\nEstimate and design?";
inline constexpr const char* kMsgDesignSucceeded = "Design succeeded, with a margin of %1 dB.";
inline constexpr const char* kMsgDesignFailedSpec = "Design failed to meet specifcations.";
inline constexpr const char* kMsgQuantizedToZero =
    "Every coefficient is zero after quantization to %1 bits.\nUse a longer word length.";

// Optimisation
inline constexpr const char* kMsgOptimizingStatus = "Optimizing...";
inline constexpr const char* kMsgOptimizingPrefix = "Optimizing ";
inline constexpr const char* kMsgOptimizationPrefix = "Optimization ";
inline constexpr const char* kMsgWithQuantization = "with quantization ";
inline constexpr const char* kMsgOptimizeAborted = "was aborted.";
inline constexpr const char* kMsgOptimizeNoConvergence = "failed to converge.";
inline constexpr const char* kMsgOptimizeNotOptimum =
    "converged, but the design may not be optimum.\nDesign margin is %1 dB.";
inline constexpr const char* kMsgOptimizeSucceeded =
    "succeeded using %1 taps.\nDesign margin is %2 dB.";
inline constexpr const char* kFmtOptimizerStatus = "   Optimization Status:\n      Trial %i";
inline constexpr const char* kFmtOptimizerRange = ", Range = %i - %i";
