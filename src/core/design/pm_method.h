#pragma once

#include "design/design_method.h"
#include "design/pm_band.h"
#include "design/remez/remez_engine.h"

#include <optional>
#include <string>
#include <vector>

// Parks-McClellan response types.
struct PmResponseType {
    enum : int { Filter = 1, Differentiator = 2, Hilbert = 3 };
};

// A Parks-McClellan design's specification: the band list, what it asks for and how its values
// were entered.
struct SPmSpec {
    std::vector<SPmBand> bands;
    int responseType = PmResponseType::Filter;
    int gridDensity = 16;
    int taps = 0;
    bool attnInDb = true;  // ripple and attenuation were entered in dB
    bool gainInDb = false; // desired gains were entered in dB
    double minDb = -120.0; // a desired gain in dB below this was a stopband
};

// The band list and its options as the filter keeps them.
SPmSpec PmSpecOf(const CFirData& filter);

// The message that refuses the band list (a Hilbert design without bands, no passband or no
// stopband, a grid density below one); empty when it can be designed.
SMethodMessage ValidatePm(const SPmSpec& spec);

// Why the tap count cannot be estimated from the band list (it needs one passband and one
// stopband spanning 0 to Fs/2, response type Filter); null when it can.
const char* PmEstimateProblem(const SPmSpec& spec);

// Tap estimate of Herrmann, Rabiner and Chan for the two bands (odd for a highpass, at least the
// filter minimum); none when the bands cannot be estimated or give no usable estimate.
std::optional<int> PmTapEstimate(const SPmSpec& spec);

// The engine's specification of the band list (the response, when given, weighs each grid
// frequency).
SRemezSpec RemezSpecOf(const SPmSpec& spec, ERemezEngine engine, const CPmFir* response);

// ---- the filter's band list ------------------------------------------------------------------

// Checks the filter's band list, showing the message; full adds the tap minimum and, for a
// filter response of an even count with a passband at Fs/2, the odd-taps question.
bool CheckPm(CFirData& filter, bool full);
// CheckPm(filter, false), then refuses response types other than Filter.
bool CheckPmForOptimize(CFirData& filter);
// Whether the tap count can be estimated from the filter's band list; the reason is shown when
// asked.
bool CanEstimatePm(const CFirData& filter, bool showMessage);
// PmTapEstimate of the filter's band list, an Lth-band design's made one or two taps longer (to
// the next odd count past the estimate); the filter's tap count when there is none.
int EstimatePmTaps(const CFirData& filter);

// Validates the bands, checks the grid density and runs the design on the host's worker thread,
// with the status display titled "Designing " + name from 101 taps on, on control (none: a
// control of its own). Reports a design that failed (not one that was cancelled). Returns
// whether it succeeded.
bool DesignPm(CFirData& filter, const std::string& name, CDesignControl* control = nullptr);
// One engine run with the band list and the filter's tap count, counting its iterations into
// control and stopping at its cancel request; on success the coefficients, response and
// post-design steps; otherwise an empty filter that keeps its tap count. Runs on the calling
// thread; shows nothing: the engine's outcome is returned (no taps when cancelled).
SRemezResult RunPm(CFirData& filter, CDesignControl& control);

// The Parks-McClellan routines of the method registry.
const CDesignMethodImpl& PmMethod();
