#pragma once

#include <cstddef>

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
