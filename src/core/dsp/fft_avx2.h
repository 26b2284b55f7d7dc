#pragma once

#include <cstddef>
#include <vector>

// Twiddle passes of the mixed-radix FFT built for AVX2 and FMA, two complex numbers per register.
// Call only when the processor supports both (see CFftPlan).

// Whether this build carries the AVX2 passes at all.
bool FftAvx2Built();

// The twiddle pass of radix p (2, 3, 4, 5 or 8) over bins 0..2·(m/2)-1; returns the first bin left
// for the caller (m - 1 when m is odd, else m).
std::size_t FftTwiddlePassAvx2(std::size_t p, bool inverse, double* data, std::size_t m,
                               const double* twiddles);

// count leaf transforms of 8 or 16 points (complex numbers as (re, im) pairs): the r-th from
// in[r·step], in[r·step + stride], ... into out[r·size .. r·size + size-1].
void FftLeavesAvx2(std::size_t size, bool inverse, const double* in, std::size_t stride,
                   std::size_t step, std::size_t count, double* out);

// Tables of the four-lane transform of a power of two n >= 16. The input is read as its four
// interleaved subsequences x[4i + l], which are transformed side by side, one per lane of a
// register, with real and imaginary parts in separate registers (so that no product needs a
// shuffle); one radix-4 pass then joins them.
struct SFftLanePlan {
    std::size_t n = 0;
    // The radices (2, 4 or 8) of the n/4-point lane transforms, from the whole length to the leaf.
    std::vector<std::size_t> radices;
    // Pass after pass above the leaf (span S, radix p): W_S^(rk) as (re, im) pairs for
    // r = 1..p-1, k = 0..S/p-1.
    std::vector<double> twiddles;
    // Of the joining pass: for l = 1, 2, 3, the real parts of W_n^(lk) for k = 0..n/4-1, then
    // their imaginary parts.
    std::vector<double> joinTwiddles;
};

// out = the transform of in (n complex numbers as (re, im) pairs; in and out may be the same
// array). work holds n complex numbers and must not overlap in or out.
void FftLanesAvx2(const SFftLanePlan& plan, bool inverse, const double* in, double* out,
                  double* work);
