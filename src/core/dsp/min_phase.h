#pragma once

#include "dsp/complex_vector.h"

class CHost;
struct MinPhaseOptions;

// "Conversion to minimum phase failed."
extern const char* const kMsgMinPhaseFailed;
// "Minphase conversion failed by %1 dB.  Use anyway?"
extern const char* const kMsgMinPhaseUseAnyway;

// The error reported for a conversion that could not be done, dB.
constexpr double kMinPhaseNotDoneDb = 200.0;

// Converts the taps h (highest power of z^-1 last) to minimum phase: the zeros outside the unit
// circle are reflected into it, the polynomial is rebuilt and the zero-frequency gain restored.
// errorDb receives the largest difference of the magnitude responses before and after, in dB,
// on 2n frequencies from 0 to Fs/2 (for complex taps, 4n frequencies around the whole circle).
// Returns false, with errorDb = 200 and h unchanged, when h cannot be converted (fewer than two
// taps, |h[0]| < 1e-20, a non-finite tap, no roots found). From four taps on only the real part
// of h is factored; the error then shows how far a complex filter's response moved.
bool ConvertToMinPhase(mvect& h, double& errorDb);
// The same for real taps.
bool ConvertToMinPhase(std::vector<double>& h, double& errorDb);

// The minimum-phase command's verdict on a conversion error in dB: above 40 dB (or not a number)
// it is refused with kMsgMinPhaseFailed; above 0.1 dB the user is asked whether to use it anyway
// (No by default). Returns whether the conversion is to be used.
bool AcceptMinPhaseError(CHost& host, double errorDb);

// The interactive conversion of the minimum-phase command: a conversion not done is refused with
// kMsgMinPhaseFailed, otherwise AcceptMinPhaseError decides. Returns true with h converted, or
// false with h unchanged.
bool ConvertToMinPhaseAsking(CHost& host, mvect& h);

// The conversion after a design: done only when enabled and nListedTaps is at most the maximum,
// and taken only when its error is at most the maximum error. When enabled but not taken, and
// warnings are on, kMsgMinPhaseFailed is shown. Returns whether h was converted.
bool ConvertToMinPhaseAfterDesign(CHost& host, const MinPhaseOptions& options, int nListedTaps,
                                  mvect& h);
