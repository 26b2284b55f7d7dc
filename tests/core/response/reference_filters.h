#pragma once

#include <string>
#include <vector>

// A filter and its response computed once by an independent implementation.
struct SReferenceFilter {
    struct SPoint {
        double f;  // fractions of the sampling frequency
        double re; // H(f) = sum x[n] e^(-j 2 pi f n)
        double im;
        double groupDelay; // samples; NaN near a null of H
    };
    std::string name;
    std::vector<double> i;
    std::vector<double> q;
    std::vector<SPoint> points;

    bool IsReal() const;
    double SumAbs() const; // sum of |I + jQ|
};

// The filters of tests/data/response/freqz_reference.txt.
const std::vector<SReferenceFilter>& ReferenceFilters();
