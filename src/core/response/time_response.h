#pragma once

class CCorviData;

// The step response of a filter: I and Q become the running sums of its coefficients
// (s[0] = h[0], s[n] = s[n-1] + h[n]), at the filter's sampling frequency, with its real flag and
// its display range. The impulse response is the filter's own data.
void ComputeStepResponse(const CCorviData& filter, CCorviData& step);
