#pragma once

#include "dsp/complex_vector.h"

#include <string>
#include <vector>

// One block of a reference file: a name, one or two vectors and a number.
struct CRefCase {
    std::string name;
    mvect first;  // polynomial coefficients or input taps
    mvect second; // roots or converted taps
    double value = 0.0;
    std::string check;
};

// Reads "case NAME N1 N2 VALUE [CHECK]" blocks followed by N1 + N2 lines "re im" from
// tests/data/dsp/<file>; fails the calling test when the file is missing or malformed.
std::vector<CRefCase> LoadRefCases(const std::string& file);
