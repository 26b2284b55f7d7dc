#pragma once

#include "design/fir_params.h"

// The raised-cosine parameters with the values that follow from those given: the samples per
// symbol from the symbol rate (or the rate from the samples per symbol) at the sampling
// frequency fs, the tap count from a length in symbols, and the length in symbols that the tap
// count spans. Meaningful for parameters that pass the method's checks.
RaisedCosineParams CompleteRaisedCosine(const RaisedCosineParams& given, double fs);
