#pragma once

#include "design/fir_data.h"

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

// One design of tests/data/design/methods_reference.txt: its parameters and taps.
struct SMethodReference {
    std::vector<double> params;
    std::vector<double> taps;
};

inline std::map<std::string, SMethodReference> LoadMethodReference() {
    std::map<std::string, SMethodReference> designs;
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/design/methods_reference.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, index;
        fields >> name >> index;
        double value = 0.0;
        if (index == "params") {
            while (fields >> value)
                designs[name].params.push_back(value);
        } else if (fields >> value) {
            designs[name].taps.push_back(value);
        }
    }
    return designs;
}

// The inphase coefficients of a filter.
inline std::vector<double> Taps(const CFirData& f) {
    return std::vector<double>(f.m_pI->begin(), f.m_pI->begin() + f.GetN());
}

// Zero-phase amplitude of symmetric odd-length taps at f (fraction of Fs).
inline double Amplitude(const std::vector<double>& h, double f) {
    const int c = (static_cast<int>(h.size()) - 1) / 2;
    double a = h[static_cast<size_t>(c)];
    for (int k = 1; k <= c; ++k)
        a += 2.0 * h[static_cast<size_t>(c + k)] * std::cos(2.0 * std::numbers::pi * f * k);
    return a;
}

// |H(f)| of taps by a direct sum, f a fraction of Fs.
inline double Magnitude(const std::vector<double>& h, double f) {
    double re = 0.0;
    double im = 0.0;
    for (size_t n = 0; n < h.size(); ++n) {
        re += h[n] * std::cos(2.0 * std::numbers::pi * f * static_cast<double>(n));
        im -= h[n] * std::sin(2.0 * std::numbers::pi * f * static_cast<double>(n));
    }
    return std::hypot(re, im);
}
