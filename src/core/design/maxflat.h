#pragma once

#include "design/design_method.h"
#include "design/fir_params.h"

#include <vector>

class CFirData;

// Outcome of MaxflatResponse.
enum EMaxflatStatus : int {
    kMaxflatOk = 1,
    kMaxflatBadBeta = 2,  // beta not inside (0, 0.5)
    kMaxflatBadGamma = 3, // gamma not inside (0, min(2 beta, 1 - 2 beta))
    kMaxflatTooLong = 4,  // more than 650 flatness conditions asked for
};

// Rational approximation NA/NT of ac with NT in np .. min(2 np, capacity), the closest one (the
// larger denominator on ties). On return np is NT - 1; np <= 0 gives NA = NT = 0, np = -1.
void RationalApprox(double ac, int capacity, int& np, int& na, int& nt);

// Maximally flat lowpass (Herrmann) with its transition band centred on beta and gamma wide,
// both fractions of Fs. half receives the nt taps from the centre outwards (the filter has
// 2 nt - 1 taps); capacity bounds the denominator search of RationalApprox.
int MaxflatResponse(double beta, double gamma, int capacity, std::vector<double>& half, int& nt);

// Maximally flat lowpass of the parameters; fails ("The MaxFlat design algorithm failed to
// converge.") when the response does not converge to unit sum or its gain at beta exceeds 1
// (the taps are delivered then).
SDesignOutcome DesignMaxflat(const MaxflatParams& maxflat);

// The maxflat rules applied to entered values: beta and, when gammaGiven, gamma as fractions of
// Fs, else the odd tap count taps from which gamma follows (may be raised by the constraint and
// odd-taps questions, through the filter's host). Stores the values into the filter's maxflat
// parameters when accepted; otherwise shows why (if it was not a question's answer).
bool StoreMaxflatSpec(CFirData& filter, double beta, bool gammaGiven, double gamma, int taps);

// The maxflat routines of the method registry.
const CDesignMethodImpl& MaxflatMethod();

// The maxflat method's step after a design: the tap count follows the designed length (the
// post-design steps may have removed end zeros).
void KeepMaxflatLength(CFirData& filter);
