#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

// The real amplitude A(f) of a linear-phase FIR of n taps: H(f) = e^(-j pi (n - 1) f) A(f) for
// symmetric taps and j e^(-j pi (n - 1) f) A(f) for antisymmetric ones.

// The n taps whose amplitude takes the values amplitude[k] at f = k / M, k = 0..M-1 (M =
// amplitude.size(), a power of two of at least n), by one inverse FFT.
std::vector<double> TapsFromAmplitude(const std::vector<double>& amplitude, bool antisymmetric,
                                      int n);

// The amplitude of the taps h at f = k / M, k = 0..M/2 (M a power of two of at least h.size()).
// With cancel (not null), the transform's plan is built with a look at it: empty when the request
// stopped it.
std::vector<double> AmplitudeOfTaps(const std::vector<double>& h, bool antisymmetric, std::size_t M,
                                    const std::atomic<int>* cancel = nullptr);
