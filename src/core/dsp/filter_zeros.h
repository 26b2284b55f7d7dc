#pragma once

#include "dsp/complex_vector.h"

#include <string>

// The longest filter whose zeros are found (a polynomial of degree 2047).
inline constexpr int kMaxZeroTaps = 2048;

// The zeros and poles of an FIR filter's transfer function H(z) = sum h[n] z^-n: every pole lies
// at the origin, and the zeros are the roots of the polynomial h[0] z^(N-1) + ... + h[N-1].
// Leading zero coefficients drop zeros at infinity, trailing ones cancel poles at the origin.
struct SFilterZeros {
    bool bOk = false;
    std::string error; // why there are no zeros to show, when bOk is false
    mvect zeros;       // each zero once per multiplicity
    int nPolesAtOrigin = 0;
    bool bLinearPhase = false; // the coefficients are (anti)symmetric: zeros mirror in |z| = 1
};

// Finds the zeros of the filter h (real or complex). They start on Bini's Newton-polygon circles,
// are refined together by the Aberth-Ehrlich iteration on the undeflated polynomial (no deflation,
// so long filters keep every zero accurate), and are checked
// by inclusion discs: a cluster of roots whose discs overlap is one multiple root when the
// polynomial's derivatives vanish there, and anything else is refused as not trustworthy. For a
// linear-phase filter a zero that is its own mirror image is put on the unit circle and the
// others are paired with their mirror 1/conj(z) exactly.
SFilterZeros FindFilterZeros(const mvect& h);

// How many of zeros lie within tolerance (a distance in the z-plane) of zeros[index].
int ZeroMultiplicity(const mvect& zeros, size_t index, double tolerance);
