#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"

#include <vector>

// A windowed-sinc or spline-sinc design's specification.
struct SWindowedSincSpec {
    WindowedSincParams ws;
    int taps = 0;
    double fs = 1.0;
};

// The windowed-sinc parameters, tap count and sampling frequency the filter keeps.
SWindowedSincSpec WindowedSincSpecOf(const CFirData& filter);

// The message that refuses the parameter of the chosen window (Kaiser-Bessel alpha not inside
// (0, 50), Dolph-Chebyshev gamma below 1 dB), nullptr when it is usable.
const char* WindowParamProblem(const WindowedSincParams& ws);

// "Bad corner frequency at ..." for a corner f (unit of fs) below 0, above fs/2 or at forbidden
// (fraction of fs: 0 or 0.5); empty when the corner is usable.
SMethodMessage CornerProblem(double f, double forbidden, double fs);

// The window parameter, then the corners (lowpass and highpass: the first; bandpass and
// bandstop: both, which must differ).
SMethodMessage ValidateWindowedSinc(const SWindowedSincSpec& spec);

// Truncated ideal lowpass, highpass, bandpass or bandstop of spec.taps taps; none for a highpass
// of an even count, which has no centre tap.
std::vector<double> DesignWindowedSinc(const SWindowedSincSpec& spec);
// The frequency (unit of fs) at which the design has unit gain.
double WindowedSincGainFreq(const SWindowedSincSpec& spec);
// Designs the filter's windowed-sinc specification into it: the coefficients and the frequency
// of unit gain.
SDesignOutcome ApplyWindowedSinc(CFirData& filter);

// The automatic order of a spline-sinc design of taps taps with the transition band
// corner1..corner2 (unit of fs): 0.624 N |dw| + 1/2 for dw = 2 pi (corner2 - corner1) / fs, at
// least 1.
int AutoSplineOrder(int taps, double corner1, double corner2, double fs);

// The spline order a spline-sinc design uses: with m_bAutoOrder the one that suits the tap
// count and the transition band m_dCorner1..m_dCorner2 (AutoSplineOrder), else the stored one.
int SplineSincOrder(const SWindowedSincSpec& spec);
// Refuses a spline order below 1.
SMethodMessage ValidateSplineSinc(const SWindowedSincSpec& spec);
// Lowpass (or, for filter type 1, highpass) with a spline-shaped transition band
// m_dCorner1..m_dCorner2 (unit of fs) of the order SplineSincOrder, normalised to unit mean
// passband power.
std::vector<double> DesignSplineSinc(const SWindowedSincSpec& spec);
// Designs the filter's spline-sinc specification into it and stores the order it used.
SDesignOutcome ApplySplineSinc(CFirData& filter);

// The windowed-sinc routines of the method registry.
const CDesignMethodImpl& WindowedSincMethod();
