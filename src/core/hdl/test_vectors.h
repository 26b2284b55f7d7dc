#pragma once

#include "fixed/fixed_point_filter.h"

#include <cstdint>
#include <string>
#include <vector>

// Stimulus of a generated filter's testbench: one entry per clock cycle.
struct STestVectors {
    std::vector<int64_t> samples; // the input word of every cycle
    std::vector<bool> valid;      // whether the cycle presents a sample
    std::vector<Int128> expected; // the bit-true output of each valid sample, in order

    int ValidCount() const;
};

// An impulse and a step at the ends of the input range, full-scale random samples and the
// worst-case sequences of both accumulator extremes, each followed by enough zeros to flush
// the filter; about one cycle in four pauses the input (with random data on the port). The
// random numbers come from a fixed seed, so the vectors of a filter never change.
STestVectors MakeTestVectors(const CFixedPointFilter& filter);

// The testbench's input file: "<valid> <hex word>" per cycle.
std::string TestInputText(const STestVectors& vectors, int inputBits);
// The expected outputs: one hexadecimal word of `outputBits` bits per line.
std::string TestOutputText(const STestVectors& vectors, int outputBits);
