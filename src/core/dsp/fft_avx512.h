#pragma once

#include <cstddef>

// Twiddle passes of the mixed-radix FFT built for AVX-512, four complex numbers per register.
// Call only when the processor supports AVX-512F (see CFftPlan).

// Whether this build carries the AVX-512 passes at all.
bool FftAvx512Built();

// The twiddle pass of radix p (2, 3, 4, 5, 8, 16 or 32) over bins 0..m-1; m must be a multiple
// of 4.
void FftTwiddlePassAvx512(std::size_t p, bool inverse, double* data, std::size_t m,
                          const double* twiddles);

// Leaves of 8 or 16 points, four side by side: leaf i (i = 0..count-1, count a multiple of 4)
// transforms in[i + j·stride] (j = 0..size-1, complex numbers as (re, im) pairs) into
// out[i·outStep .. i·outStep + size-1].
void FftLeafQuadsAvx512(std::size_t size, bool inverse, const double* in, std::size_t stride,
                        std::size_t count, double* out, std::size_t outStep);
