#include "dsp/windows.h"

#include <cmath>
#include <complex>

const std::array<SWindowInfo, 7> kWindowCatalogue = {{
    {EWindow::DolphChebyshev, "Dolph-Cheby, Gamma =", EWindowParam::Gamma, "dolph-chebyshev"},
    {EWindow::KaiserBessel, "Kaiser-Bessel, Alpha =", EWindowParam::Alpha, "kaiser-bessel"},
    {EWindow::BlackmanHarris4, "Blackman-Harris - Four Term", EWindowParam::None,
     "blackman-harris-4"},
    {EWindow::BlackmanHarris7, "Blackman-Harris - Seven Term", EWindowParam::None,
     "blackman-harris-7"},
    {EWindow::Hanning, "Hanning (Cosine)", EWindowParam::None, "hanning"},
    {EWindow::Gaussian, "Gaussian", EWindowParam::None, "gaussian"},
    {EWindow::Hamming, "Hamming", EWindowParam::None, "hamming"},
}};

const SWindowInfo& WindowInfo(int code) {
    if (code < 1 || code > static_cast<int>(kWindowCatalogue.size()))
        code = static_cast<int>(EWindow::BlackmanHarris4);
    return kWindowCatalogue[static_cast<size_t>(code - 1)];
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// Beyond this argument I0 overflows a double (I0(713) is about 1e308).
constexpr double kI0SeriesLimit = 700.0;

// ln I0(z): the series below kI0SeriesLimit, above it the asymptotic expansion
// I0(z) ~ e^z / sqrt(2 pi z) * (1 + 1/(8z) + 9/(2 (8z)^2) + 225/(6 (8z)^3)).
double LogBesselI0(double z) {
    z = std::fabs(z);
    if (z < kI0SeriesLimit)
        return std::log(BesselI0(z));
    const double t = 1.0 / (8.0 * z);
    return z - 0.5 * std::log(2.0 * kPi * z) + std::log(1.0 + t + 4.5 * t * t + 37.5 * t * t * t);
}

// Kaiser-Bessel: w = I0(beta sqrt(1 - u^2)) / I0(beta), u = 2k/M - 1, beta = pi alpha. When
// I0(beta) overflows, the ratio is taken from the logarithms instead.
void KaiserBessel(std::vector<double>& w, double alpha) {
    const int n = static_cast<int>(w.size());
    const double m = n - 1;
    const double beta = kPi * alpha;
    const double denom = BesselI0(beta);
    const bool scaled = !std::isfinite(denom);
    const double logDenom = scaled ? LogBesselI0(beta) : 0.0;
    for (int k = 0; k < n; ++k) {
        const double u = (k - m / 2.0) * 2.0 / m;
        const double z = beta * std::sqrt(std::max(0.0, 1.0 - u * u));
        w[k] = scaled ? std::exp(LogBesselI0(z) - logDenom) : BesselI0(z) / denom;
    }
}

// Sum of cosine terms a[0] - a[1] cos x + a[2] cos 2x - ..., x = 2 pi k / M.
template <size_t K> void CosineSum(std::vector<double>& w, const std::array<double, K>& a) {
    const int n = static_cast<int>(w.size());
    const double m = n - 1;
    for (int k = 0; k < n; ++k) {
        const double x = 2.0 * kPi * k / m;
        double s = a[0];
        for (size_t j = 1; j < K; ++j)
            s += ((j & 1) ? -a[j] : a[j]) * std::cos(static_cast<double>(j) * x);
        w[k] = s;
    }
}

void Hanning(std::vector<double>& w) {
    const int n = static_cast<int>(w.size());
    const double m = n - 1;
    for (int k = 0; k < n; ++k)
        w[k] = 1.0 - (std::cos(2.0 * kPi * k / m) + 1.0) * 0.5;
}

void Hamming(std::vector<double>& w) {
    const int n = static_cast<int>(w.size());
    const double m = n - 1;
    for (int k = 0; k < n; ++k)
        w[k] = (1.0 - std::cos(2.0 * kPi * k / m)) * 0.46 + 0.08;
}

// Gaussian with standard deviation M/7 samples: the ends lie 3.5 deviations from the centre.
void Gaussian(std::vector<double>& w) {
    const int n = static_cast<int>(w.size());
    const double m = n - 1;
    for (int k = 0; k < n; ++k) {
        const double u = (k - m / 2.0) * 7.0 / m;
        w[k] = std::exp(-0.5 * u * u);
    }
}

} // namespace

double BesselI0(double z) {
    // The series converges for every finite z; the bound ends it for an infinite or NaN one.
    constexpr int kMaxTerms = 2000;
    const double half = z / 2.0;
    double sum = 1.0;
    double factor = 1.0; // (z/2)^j / j!
    for (int j = 1; j <= kMaxTerms; ++j) {
        factor *= half / j;
        const double term = factor * factor;
        sum += term;
        if (!(term >= 1e-20 * sum))
            break;
    }
    return sum;
}

std::vector<double> ComputeWindow(int code, double parameter, int n) {
    if (n <= 0)
        return {};
    if (n == 1)
        return {1.0};
    std::vector<double> w(static_cast<size_t>(n));
    switch (static_cast<EWindow>(WindowInfo(code).code)) {
    case EWindow::DolphChebyshev:
        return DolphChebyshevWindow(n, parameter);
    case EWindow::KaiserBessel:
        KaiserBessel(w, parameter);
        break;
    case EWindow::BlackmanHarris4:
        CosineSum(w, std::array<double, 4>{0.35875, 0.48829, 0.14128, 0.01168});
        break;
    case EWindow::BlackmanHarris7:
        CosineSum(w, std::array<double, 7>{0.271051400693424, 0.433297939234485, 0.21812299954311,
                                           0.065925446388031, 0.010811742098371, 0.000776584825226,
                                           0.000013887217352});
        break;
    case EWindow::Hanning:
        Hanning(w);
        break;
    case EWindow::Gaussian:
        Gaussian(w);
        break;
    case EWindow::Hamming:
        Hamming(w);
        break;
    }
    return w;
}
