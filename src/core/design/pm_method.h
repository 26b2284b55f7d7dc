#pragma once

#include "design/design_method.h"

// The Parks-McClellan routines of the method registry: the band list the filter keeps,
// designed by the exchange engine.
const CDesignMethodImpl& PmMethod();

// The message that refuses the band list (a Hilbert design without bands, no passband or no
// stopband, a grid density below one); empty when it can be designed.
SMethodMessage PmBandsProblem(const CFirData& filter);

// Why the tap count cannot be estimated from the band list (it needs one passband and one
// stopband spanning 0 to Fs/2, response type Filter); null when it can.
const char* PmEstimateProblem(const CFirData& filter);
