#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"

#include <functional>

class CFirData;
class CHost;
class OptimizerState;
struct SDesignFlowSteps;

// The windowed-sinc parameters ws with the filter type and transition band of the Lth-band
// lowpass (or highpass) of lth at the sampling frequency fs.
WindowedSincParams LthTransitionBand(const LthBandParams& lth, WindowedSincParams ws, double fs);

struct SDesignJob;
struct SWindowedSincSpec;

// The filter's windowed-sinc filter type and transition band become those of its Lth-band
// specification.
void SetLthTransitionBand(CFirData& filter);

// The message that refuses L or the cutoff at the sampling frequency fs; empty when both are
// usable.
SMethodMessage LthCutoffProblem(const LthBandParams& lth, double fs);
// The message that refuses the parameters of the Lth-band design method with the windowed-sinc
// specification band of its transition band (the window, the spline order, a zero ripple or
// attenuation); empty when they are usable.
SMethodMessage LthMethodProblem(const LthBandParams& lth, const SWindowedSincSpec& band);

// Whether the Lth-band specification can be estimated and designed (the cutoff, a usable
// Kaiser-Bessel alpha or spline order, a ripple or attenuation); no messages, no changes.
bool IsLthSpecValid(const CFirData& filter);

// The checks of a design in their order, messages when showMessages: the cutoff, then the
// transition band becomes the filter's, the odd-taps question for a highpass of an even count
// (full only), the ripple or attenuation becomes its magnitude, the method's parameters, and the
// tap minimum (full only). False when refused.
bool CheckLth(CFirData& filter, bool showMessages, bool full);

// The two-band list of the Parks-McClellan method, one deviation for both bands.
bool BuildLthBands(CFirData& filter);

// Designs (or, with optimize, optimises, keeping the optimiser's state in *pState when given)
// by the Lth-band method on the job; false when nothing was designed or the optimisation could
// not start.
bool DesignLth(CFirData& filter, const SDesignJob& job, bool optimize, OptimizerState* pState);

// Lth-band (Nyquist) structure on an odd-length design: the sinc designs' near-zero taps become
// zeros; a Parks-McClellan design asked to zeroize gets its every L-th tap from the centre set to
// zero (the centre to 1/2 for L = 2) and the neighbours moved to keep the stopband margin.
void LthFixup(CFirData& filter);

// The message that refuses the Lth-band specification (L, the cutoff, then the parameters of
// its design method with the transition band that follows from the cutoff); empty when it can
// be designed.
SMethodMessage LthProblem(const CFirData& filter);

// The Lth-band routines of the method registry.
const CDesignMethodImpl& LthMethod();

// The Lth-band method's own steps of the Design and Optimize flows, used by every front end.

// The tap count the Lth-band specification asks for (the Parks-McClellan estimate of its two
// bands, on the constraints), or 0 when the specification cannot be estimated.
int EstimateLthTaps(CFirData& filter);

// Before the checks: a count of 0 or less is estimated (and must then lie above the
// constraints' minimum, "The number of taps is constrained to be greater than %1."), an even
// count asks "Lth-Band filters usually have an odd number of taps.\nAdd one tap?" (Cancel
// stops, Yes adds one). New counts are stored through the flow's steps. False stops the flow.
bool PrepareLthDesign(CFirData& filter, CHost& host, const SDesignFlowSteps& steps);

// Runs design with the window code cleared for the methods other than windowed sinc, which
// apply no window after the design; the code is restored afterwards.
bool RunLthDesign(CFirData& filter, const std::function<bool()>& design);
