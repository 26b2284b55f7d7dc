#pragma once

// NumPy's transforms of a reproducible signal, from tests/data/dsp/fft_reference.txt (written by
// tools/refdata/fft_reference.py).

#include <complex>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fftref {

using Complex = std::complex<double>;
using CVec = std::vector<Complex>;

// The reference signal of tools/refdata/fft_reference.py (exact doubles from a 32-bit LCG).
inline CVec ReferenceSignal(std::size_t n) {
    std::uint32_t s = static_cast<std::uint32_t>(n);
    auto draw = [&s] {
        s = 1664525u * s + 1013904223u;
        return static_cast<double>(s) / 4294967296.0 - 0.5;
    };
    CVec x(n);
    for (auto& v : x) {
        const double re = draw();
        v = Complex(re, draw());
    }
    return x;
}

struct SReference {
    std::map<std::size_t, Complex> fwd, inv; // by bin
};

inline std::map<std::size_t, SReference> LoadReference() {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/dsp/fft_reference.txt");
    std::map<std::size_t, SReference> ref;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream ss(line);
        std::size_t n, k;
        double fr, fi, ir, ii;
        ss >> n >> k >> fr >> fi >> ir >> ii;
        ref[n].fwd[k] = Complex(fr, fi);
        ref[n].inv[k] = Complex(ir, ii);
    }
    return ref;
}

} // namespace fftref
