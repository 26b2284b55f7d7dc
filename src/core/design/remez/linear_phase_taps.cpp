#include "design/remez/linear_phase_taps.h"

#include "dsp/fft.h"

#include <cmath>
#include <complex>
#include <memory>
#include <utility>

namespace {

constexpr double kPi = 3.141592653589793238462643383280;

// e^(j pi (n - 1) k / M), the linear phase of tap count n at f = k / M, times j for
// antisymmetric taps. The angle is reduced modulo 2 pi in integers, so that it stays exact for
// long filters.
std::complex<double> Phase(int n, std::size_t k, std::size_t M, bool antisymmetric) {
    const std::size_t turn = (static_cast<std::size_t>(n - 1) * k) % (2 * M);
    const double angle = kPi * static_cast<double>(turn) / static_cast<double>(M);
    const std::complex<double> phase(std::cos(angle), std::sin(angle));
    return antisymmetric ? std::complex<double>(0.0, 1.0) * phase : phase;
}

} // namespace

std::vector<double> TapsFromAmplitude(const std::vector<double>& amplitude, bool antisymmetric,
                                      int n) {
    const std::size_t M = amplitude.size();
    std::vector<std::complex<double>> u(M);
    for (std::size_t k = 0; k < M; ++k) {
        u[k] = amplitude[k] * std::conj(Phase(n, k, M, false)) *
               (antisymmetric ? std::complex<double>(0.0, 1.0) : 1.0);
    }
    CFft fft(M);
    fft.Inverse(u);
    std::vector<double> h(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < h.size(); ++i) {
        h[i] = u[i].real();
    }
    // Exact symmetry, whatever the rounding of the transform.
    for (std::size_t i = 0; i < h.size() / 2; ++i) {
        const std::size_t m = h.size() - 1 - i;
        const double v = 0.5 * (h[i] + (antisymmetric ? -h[m] : h[m]));
        h[i] = v;
        h[m] = antisymmetric ? -v : v;
    }
    if (antisymmetric && h.size() % 2 == 1) {
        h[h.size() / 2] = 0.0;
    }
    return h;
}

std::vector<double> AmplitudeOfTaps(const std::vector<double>& h, bool antisymmetric, std::size_t M,
                                    const std::atomic<int>* cancel) {
    std::shared_ptr<const CFftPlan> plan = GetFftPlan(M, cancel);
    if (!plan) {
        return {};
    }
    std::vector<std::complex<double>> u(M);
    for (std::size_t i = 0; i < h.size(); ++i) {
        u[i] = h[i];
    }
    CFft fft(std::move(plan));
    fft.Forward(u);
    const int n = static_cast<int>(h.size());
    std::vector<double> a(M / 2 + 1);
    for (std::size_t k = 0; k < a.size(); ++k) {
        const std::complex<double> r = u[k] * Phase(n, k, M, false);
        a[k] = antisymmetric ? r.imag() : r.real();
    }
    return a;
}
