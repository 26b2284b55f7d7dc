#pragma once

#include <functional>

class CFirData;
class CHost;
struct SDesignFlowSteps;

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
