#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"

#include <functional>

class CFirData;
class CHost;
struct SDesignFlowSteps;

// The windowed-sinc parameters ws with the filter type and transition band of the Lth-band
// lowpass (or highpass) of lth at the sampling frequency fs.
WindowedSincParams LthTransitionBand(const LthBandParams& lth, WindowedSincParams ws, double fs);

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
