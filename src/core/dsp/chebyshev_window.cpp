#include "dsp/fft.h"
#include "dsp/windows.h"

#include <cmath>
#include <complex>

// Dolph-Chebyshev window by the frequency-sampling method: the Chebyshev polynomial of degree
// n - 1 is sampled on the unit circle (x0 cos(pi k / n)) and transformed; the real parts of the
// first half of the transform, normalised by the centre value, form one half of the window.
std::vector<double> DolphChebyshevWindow(int n, double gamma) {
    if (n <= 0)
        return {};
    if (n == 1)
        return {1.0};
    constexpr double kPi = 3.14159265358979323846;
    const double g = std::fabs(gamma);
    double r = g >= 1.0 ? std::pow(10.0, -g / 20.0) : g;
    // A zero (or unusable) ratio would make every weight NaN: take the deepest finite level.
    if (!(r >= 1e-300))
        r = 1e-300;
    const int order = n - 1;
    const double x0 = std::cosh(std::acosh((1.0 + r) / r) / order);

    std::vector<std::complex<double>> spectrum(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double angle = kPi * k / n;
        const double y = x0 * std::cos(angle);
        double t;
        if (std::fabs(y) <= 1.0)
            t = std::cos(order * std::acos(y));
        else {
            t = std::cosh(order * std::acosh(std::fabs(y)));
            if (y < 0.0 && (order & 1))
                t = -t;
        }
        const double value = r * t;
        if (n & 1)
            spectrum[k] = {value, 0.0};
        else
            spectrum[k] = {std::cos(angle) * value, -std::sin(angle) * value};
    }
    CFft fft(static_cast<size_t>(n));
    fft.Forward(spectrum);

    const int half = (n + 1) / 2;
    const double centre = spectrum[0].real();
    std::vector<double> w(static_cast<size_t>(n));
    if (n & 1) {
        const int mid = (n - 1) / 2;
        for (int j = 0; j < half; ++j)
            w[mid + j] = w[mid - j] = spectrum[j].real() / centre;
    } else {
        const int mid = n / 2;
        for (int j = 0; j < half; ++j)
            w[mid + j] = w[mid - 1 - j] = spectrum[j].real() / centre;
    }
    return w;
}
