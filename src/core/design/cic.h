#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"

// A CIC design's specification.
struct SCicSpec {
    CicParams cic;
    int maxTaps = 0;        // the longest response the constraints allow
    bool unityGain = false; // divide by (R*M)^N
};

// The CIC specification the filter keeps.
SCicSpec CicSpecOf(const CFirData& filter);

// The parameters must be positive, at most 100 stages and N*R*M within maxTaps.
SMethodMessage ValidateCic(const SCicSpec& spec);

// N boxcars of R*M ones convolved, divided by (R*M)^N when asked; no taps for parameters whose
// response could not be held.
SDesignOutcome DesignCic(const SCicSpec& spec);

// The CIC routines of the method registry.
const CDesignMethodImpl& CicMethod();
