#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"
#include "design/ntaps_constraints.h"

#include <vector>

// The raised-cosine parameters with the values that follow from those given: the samples per
// symbol from the symbol rate (or the rate from the samples per symbol) at the sampling
// frequency fs, the tap count from a length in symbols, and the length in symbols that the tap
// count spans. Meaningful for parameters that pass the method's checks.
RaisedCosineParams CompleteRaisedCosine(const RaisedCosineParams& given, double fs);

// A raised-cosine design's specification.
struct SRaisedCosineSpec {
    RaisedCosineParams rc; // as given
    double fs = 1.0;
    NTapsConstraints constraints;
};

// The raised-cosine parameters, sampling frequency and tap constraints the filter keeps.
SRaisedCosineSpec RaisedCosineSpecOf(const CFirData& filter);

// Checks the parameters with the values that follow from them (CompleteRaisedCosine): the
// rolloff, rate, length and zero padding, the constraints on the tap counts, then the longest
// filter there can be.
SMethodMessage ValidateRaisedCosine(const SRaisedCosineSpec& spec);

// The raised cosine (or root raised cosine) of rc.m_nRcTaps taps, zero-padded when asked, of
// completed parameters.
std::vector<double> DesignRaisedCosine(const RaisedCosineParams& rc);

// The raised-cosine routines of the method registry.
const CDesignMethodImpl& RaisedCosineMethod();
