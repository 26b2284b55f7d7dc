#include "design/remez/robust_exchange.h"

#include "dsp/fft.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>

namespace {

constexpr double kPi = 3.141592653589793238462643383280;
constexpr double kTwoPi = 6.283185307179586476925286766559;
// Degree of the Chebyshev interpolant of the error on one subinterval.
constexpr int kProxyDegree = 6;
// Samples of the interpolant's derivative per unit of its degree when its sign changes are
// sought.
constexpr int kRootSamplesPerDegree = 4;
// Grid points examined on each side of a critical point for the grid point of largest error.
constexpr int kSnapReach = 2;
// The exchange has converged when no error on the grid exceeds the levelled deviation by more
// than this fraction of it.
constexpr double kConvergence = 1e-9;
// A levelled deviation smaller than the previous one by more than this fraction means the
// arithmetic has broken down.
constexpr double kDeviationSlack = 1e-9;
// The Chebyshev series of the trial polynomial is evaluated instead of the barycentric formula
// when this many unit roundoffs of its error bound stay below the deviation.
constexpr double kSeriesTrust = 1e-8;
// Points evaluated side by side by the Chebyshev recurrence.
constexpr int kBlock = 32;
// Magnitudes beyond which a running product of the barycentric weights is renormalised.
constexpr double kProductHigh = 0x1p300;
constexpr double kProductLow = 0x1p-300;

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define CORVI_ROBUST_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define CORVI_ROBUST_CLONES
#endif

// Clenshaw's recurrence b_k = c_k + 2 x b_(k+1) - b_(k+2), k = degree..1, and the sum
// c_0 + x b_1 - b_2, for up to kBlock points at once.
CORVI_ROBUST_CLONES void ChebyshevBlock(const double* c, int degree, const double* x, double* out,
                                        int count) {
    double b1[kBlock] = {};
    double b2[kBlock] = {};
    double tx[kBlock] = {};
    for (int p = 0; p < count; ++p) {
        tx[p] = 2.0 * x[p];
    }
    for (int k = degree; k >= 1; --k) {
        const double ck = c[k];
        for (int p = 0; p < kBlock; ++p) {
            const double b0 = tx[p] * b1[p] - b2[p] + ck;
            b2[p] = b1[p];
            b1[p] = b0;
        }
    }
    for (int p = 0; p < count; ++p) {
        out[p] = 0.5 * tx[p] * b1[p] - b2[p] + c[0];
    }
}

// Multiplies d[k] by scale * (x[k] - xj) for every k in [begin, end).
CORVI_ROBUST_CLONES void ScaleByDifferences(double* d, const double* x, double xj, double scale,
                                            int begin, int end) {
    for (int k = begin; k < end; ++k) {
        d[k] *= scale * (x[k] - xj);
    }
}

// Sums of w[k] / (t - x[k]) and w[k] y[k] / (t - x[k]) over k (the two sums of the barycentric
// formula), in eight partial sums so that the divisions run side by side.
CORVI_ROBUST_CLONES void BarycentricSums(double t, const double* w, const double* x,
                                         const double* y, int n, double& num, double& den) {
    double dn[8] = {};
    double nn[8] = {};
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        for (int l = 0; l < 8; ++l) {
            const double c = w[k + l] / (t - x[k + l]);
            dn[l] += c;
            nn[l] += c * y[k + l];
        }
    }
    double d = ((dn[0] + dn[1]) + (dn[2] + dn[3])) + ((dn[4] + dn[5]) + (dn[6] + dn[7]));
    double p = ((nn[0] + nn[1]) + (nn[2] + nn[3])) + ((nn[4] + nn[5]) + (nn[6] + nn[7]));
    for (; k < n; ++k) {
        const double c = w[k] / (t - x[k]);
        d += c;
        p += c * y[k];
    }
    num = p;
    den = d;
}

// Value of the Chebyshev series sum c[k] T_k(t), k = 0..degree, at one point.
double ChebyshevValue(const double* c, int degree, double t) {
    double b1 = 0.0;
    double b2 = 0.0;
    for (int k = degree; k >= 1; --k) {
        const double b0 = 2.0 * t * b1 - b2 + c[k];
        b2 = b1;
        b1 = b0;
    }
    return t * b1 - b2 + c[0];
}

// Real roots in [-1, 1] of the Chebyshev series c (degree d): sign changes on a sampling in the
// angle t = cos(theta), which crowds the samples towards the ends as the roots of such series
// crowd, each refined by bisection to full precision.
void ChebyshevRealRoots(const double* c, int d, std::vector<double>& roots) {
    if (d < 1) {
        return;
    }
    const int samples = kRootSamplesPerDegree * d + 1;
    double tPrev = -1.0;
    double vPrev = ChebyshevValue(c, d, tPrev);
    for (int s = 1; s < samples; ++s) {
        const double t = -std::cos(kPi * s / (samples - 1));
        const double v = ChebyshevValue(c, d, t);
        if (vPrev == 0.0) {
            roots.push_back(tPrev);
        } else if ((v < 0.0) != (vPrev < 0.0) && v != 0.0) {
            double lo = tPrev;
            double hi = t;
            const bool loNegative = vPrev < 0.0;
            for (int i = 0; i < 60 && hi - lo > 1e-15; ++i) {
                const double mid = 0.5 * (lo + hi);
                if ((ChebyshevValue(c, d, mid) < 0.0) == loNegative) {
                    lo = mid;
                } else {
                    hi = mid;
                }
            }
            roots.push_back(0.5 * (lo + hi));
        }
        tPrev = t;
        vPrev = v;
    }
    if (vPrev == 0.0) {
        roots.push_back(tPrev);
    }
}

} // namespace

void ChebyshevSeriesValues(const double* c, int degree, const double* x, double* out, int count) {
    for (int p = 0; p < count; p += kBlock) {
        ChebyshevBlock(c, degree, x + p, out + p, std::min(kBlock, count - p));
    }
}

// Barycentric weights w_k = 1 / prod_(j != k) C (x_k - x_j) of the reference, with C = 4 / (hull
// length) so that the products of well-spread points stay near 1 in size; the running products
// are renormalised by powers of two, and the weights are scaled by one common power of two
// (which cancels in every barycentric quotient).
bool CRobustExchange::ReferenceWeights() {
    const int n = static_cast<int>(m_x.size());
    const auto [lo, hi] = std::minmax_element(m_x.begin(), m_x.end());
    if (!(*hi > *lo)) {
        return false;
    }
    const double scale = 4.0 / (*hi - *lo);
    std::vector<double> mant(static_cast<std::size_t>(n), 1.0);
    std::vector<int> exps(static_cast<std::size_t>(n), 0);
    const double* x = m_x.data();
    for (int j = 0; j < n; ++j) {
        ScaleByDifferences(mant.data(), x, x[j], scale, 0, j);
        ScaleByDifferences(mant.data(), x, x[j], scale, j + 1, n);
        if ((j & 7) == 7 || j == n - 1) {
            for (int k = 0; k < n; ++k) {
                const double a = std::fabs(mant[k]);
                if (!(a < kProductHigh && a > kProductLow)) {
                    int e = 0;
                    mant[k] = std::frexp(mant[k], &e);
                    exps[k] += e;
                }
            }
        }
    }
    int top = 0;
    bool first = true;
    for (int k = 0; k < n; ++k) {
        int e = 0;
        mant[k] = std::frexp(mant[k], &e);
        exps[k] += e;
        if (mant[k] == 0.0 || !std::isfinite(mant[k])) {
            return false;
        }
        top = first ? -exps[k] : std::max(top, -exps[k]);
        first = false;
    }
    m_w.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        m_w[k] = std::ldexp(1.0 / mant[k], -exps[k] - top);
    }
    return true;
}

// The levelled deviation of the reference: the interpolant through the values
// des_k + (-1)^k dev / wt_k has degree nfcns - 1 only for dev = sum w_k des_k /
// sum (-1)^k w_k / wt_k (the leading divided difference vanishes). The sign is then folded
// into the alternation so that dev >= 0.
bool CRobustExchange::LevelReference(const std::vector<int>& reference, double& dev) {
    const CExchangeProblem& pb = *m_pProblem;
    const int nz = static_cast<int>(reference.size());
    m_x.resize(static_cast<std::size_t>(nz));
    m_y.resize(static_cast<std::size_t>(nz));
    for (int k = 0; k < nz; ++k) {
        m_x[k] = pb.xgrid[reference[k]];
    }
    if (!ReferenceWeights()) {
        return false;
    }
    double dnum = 0.0;
    double dden = 0.0;
    double sign = 1.0;
    for (int k = 0; k < nz; ++k) {
        const int g = reference[k];
        dnum += m_w[k] * pb.des[g];
        dden += sign * m_w[k] / pb.wt[g];
        sign = -sign;
    }
    dev = dnum / dden;
    sign = dev > 0.0 ? -1.0 : 1.0;
    dev = std::fabs(dev);
    for (int k = 0; k < nz; ++k) {
        const int g = reference[k];
        m_y[k] = pb.des[g] + sign * dev / pb.wt[g];
        sign = -sign;
    }
    return true;
}

// Chebyshev coefficients of the trial polynomial p (degree n = nfcns - 1): p is sampled at the
// n + 1 Chebyshev extreme points cos(pi i / n) with the barycentric formula on n + 1 of the
// reference points (dropping the last one divides each weight by C (x_k - x_last)), and the
// samples go through a type-I discrete cosine transform, done as an FFT of their even
// extension of length 2n.
void CRobustExchange::TrialCoefficients(double dev) {
    const int nfcns = m_pProblem->nfcns;
    const int n = nfcns - 1;
    m_cheb.assign(static_cast<std::size_t>(nfcns), 0.0);
    if (n == 0) {
        m_cheb[0] = m_y[0];
        return;
    }
    const double xLast = m_x[static_cast<std::size_t>(nfcns)];
    std::vector<double>& w = m_wNodes;
    w.resize(static_cast<std::size_t>(nfcns));
    for (int k = 0; k < nfcns; ++k) {
        w[k] = m_w[k] * (m_x[k] - xLast);
    }
    m_values.resize(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = std::cos(kPi * i / n);
        double num = 0.0;
        double den = 0.0;
        BarycentricSums(t, w.data(), m_x.data(), m_y.data(), nfcns, num, den);
        double v = num / den;
        if (!std::isfinite(v)) {
            // t is one of the reference points.
            for (int k = 0; k < nfcns; ++k) {
                if (m_x[k] == t) {
                    v = m_y[k];
                }
            }
        }
        m_values[i] = v;
    }
    const std::size_t length = 2 * static_cast<std::size_t>(n);
    std::vector<std::complex<double>> u(length);
    for (int i = 0; i <= n; ++i) {
        u[static_cast<std::size_t>(i)] = m_values[i];
    }
    for (int i = 1; i < n; ++i) {
        u[length - static_cast<std::size_t>(i)] = m_values[i];
    }
    CFft fft(length);
    fft.Forward(u);
    for (int k = 0; k <= n; ++k) {
        m_cheb[k] = u[static_cast<std::size_t>(k)].real() / n;
    }
    m_cheb[0] *= 0.5;
    m_cheb[static_cast<std::size_t>(n)] *= 0.5;
    double sum = 0.0;
    for (double c : m_cheb) {
        sum += std::fabs(c);
    }
    m_bSeriesAccurate = kSeriesTrust * n * sum * m_dLargestWeight <= dev;
}

// The trial polynomial at count points: by its Chebyshev series when that is accurate enough,
// otherwise by the barycentric formula on the reference, whose error stays relative to the
// levelled values however large the polynomial grows between the bands. The series is
// trusted when its rounding error bound, eps * degree * sum |c_k| times the largest weight,
// lies far below the deviation.
void CRobustExchange::TrialValues(const double* xs, double* ps, int count) const {
    const int nfcns = m_pProblem->nfcns;
    if (m_bSeriesAccurate || nfcns == 1) {
        ChebyshevSeriesValues(m_cheb.data(), nfcns - 1, xs, ps, count);
        return;
    }
    for (int i = 0; i < count; ++i) {
        double num = 0.0;
        double den = 0.0;
        BarycentricSums(xs[i], m_wNodes.data(), m_x.data(), m_y.data(), nfcns, num, den);
        double v = num / den;
        if (!std::isfinite(v)) {
            for (int k = 0; k < nfcns; ++k) {
                if (m_x[k] == xs[i]) {
                    v = m_y[k];
                }
            }
        }
        ps[i] = v;
    }
}

void CRobustExchange::GridErrors(const std::vector<int>& indices, std::vector<double>& errors) {
    const CExchangeProblem& pb = *m_pProblem;
    const int count = static_cast<int>(indices.size());
    m_xs.resize(indices.size());
    m_ps.resize(indices.size());
    for (int i = 0; i < count; ++i) {
        m_xs[i] = pb.xgrid[indices[i]];
    }
    TrialValues(m_xs.data(), m_ps.data(), count);
    errors.resize(indices.size());
    for (int i = 0; i < count; ++i) {
        const int g = indices[i];
        errors[i] = (m_ps[i] - pb.des[g]) * pb.wt[g];
    }
}

// On [fa, fb] of band b: the weighted error interpolated at kProxyDegree + 1 Chebyshev extreme
// points, the derivative of that interpolant by the Chebyshev derivative recurrence
// b_(k-1) = b_(k+1) + 2 k a_k, and its real roots mapped back to frequencies.
void CRobustExchange::ProxyCriticalPoints(int band, double fa, double fb,
                                          std::vector<double>& points) {
    const CExchangeProblem& pb = *m_pProblem;
    constexpr int m = kProxyDegree;
    const double mid = 0.5 * (fa + fb);
    const double half = 0.5 * (fb - fa);
    double f[m + 1];
    double x[m + 1];
    double p[m + 1];
    for (int i = 0; i <= m; ++i) {
        f[i] = mid + half * std::cos(kPi * i / m);
        x[i] = std::cos(kTwoPi * f[i]);
    }
    TrialValues(x, p, m + 1);
    double e[m + 1];
    for (int i = 0; i <= m; ++i) {
        double des = 0.0;
        double wt = 0.0;
        pb.response(f[i], band, des, wt);
        e[i] = (p[i] - des) * wt;
    }
    double a[m + 1];
    for (int k = 0; k <= m; ++k) {
        double sum = 0.5 * (e[0] + (k % 2 == 0 ? e[m] : -e[m]));
        for (int i = 1; i < m; ++i) {
            sum += e[i] * std::cos(kPi * i * k / m);
        }
        a[k] = 2.0 * sum / m;
    }
    a[0] *= 0.5;
    a[m] *= 0.5;
    double d[m + 1] = {};
    for (int k = m; k >= 1; --k) {
        d[k - 1] = (k + 1 <= m ? d[k + 1] : 0.0) + 2.0 * k * a[k];
    }
    d[0] *= 0.5;
    std::vector<double> roots;
    ChebyshevRealRoots(d, m - 1, roots);
    for (double t : roots) {
        points.push_back(mid + half * t);
    }
}

// Candidates for the next reference: the grid points of largest error next to every critical
// point of the error, the ends of every band and the present reference, with their errors.
void CRobustExchange::FindExtrema(const std::vector<int>& reference,
                                  std::vector<SCandidate>& candidates) {
    const CExchangeProblem& pb = *m_pProblem;
    // Subintervals no wider than the mean spacing of the reference.
    const double widest = 0.5 / pb.nfcns;
    std::vector<int> indices(reference.begin(), reference.end());
    std::vector<double> critical;
    std::size_t r = 0;
    for (std::size_t b = 0; b < pb.bandFirst.size(); ++b) {
        const int ga = pb.bandFirst[b];
        const int gb = pb.bandLast[b];
        indices.push_back(ga);
        indices.push_back(gb);
        std::vector<double> bounds{pb.grid[ga]};
        while (r < reference.size() && reference[r] < ga) {
            ++r;
        }
        while (r < reference.size() && reference[r] <= gb) {
            if (reference[r] > ga && reference[r] < gb) {
                bounds.push_back(pb.grid[reference[r]]);
            }
            ++r;
        }
        bounds.push_back(pb.grid[gb]);
        critical.clear();
        for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
            const double span = bounds[i + 1] - bounds[i];
            if (!(span > 0.0)) {
                continue;
            }
            const int pieces = std::max(1, static_cast<int>(std::ceil(span / widest)));
            for (int piece = 0; piece < pieces; ++piece) {
                const double fa = bounds[i] + span * piece / pieces;
                const double fb =
                    piece + 1 == pieces ? bounds[i + 1] : bounds[i] + span * (piece + 1) / pieces;
                ProxyCriticalPoints(static_cast<int>(b), fa, fb, critical);
            }
        }
        for (double f : critical) {
            const long near = ga + std::lround((f - pb.grid[ga]) / pb.delf);
            const int g0 = static_cast<int>(std::clamp<long>(near, ga, gb));
            for (int g = std::max(ga, g0 - kSnapReach); g <= std::min(gb, g0 + kSnapReach); ++g) {
                indices.push_back(g);
            }
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::vector<double> errors;
    GridErrors(indices, errors);
    candidates.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        candidates[i] = {indices[i], errors[i]};
    }
}

// The next reference from the candidates (ascending): of each run of errors of one sign the
// largest stays, so that the signs alternate; then, while there are too many, the smaller end
// goes when one too many is left, otherwise the neighbouring pair whose smaller error is the
// smallest (removing a pair keeps the alternation).
bool CRobustExchange::ChooseReference(std::vector<SCandidate>& candidates,
                                      std::vector<int>& reference) const {
    const std::size_t nz = static_cast<std::size_t>(m_pProblem->nfcns) + 1;
    std::vector<SCandidate> alt;
    alt.reserve(candidates.size());
    for (const SCandidate& c : candidates) {
        if (!std::isfinite(c.error)) {
            continue;
        }
        if (!alt.empty() && (c.error < 0.0) == (alt.back().error < 0.0)) {
            if (std::fabs(c.error) > std::fabs(alt.back().error)) {
                alt.back() = c;
            }
        } else {
            alt.push_back(c);
        }
    }
    while (alt.size() > nz) {
        if (alt.size() == nz + 1) {
            if (std::fabs(alt.front().error) < std::fabs(alt.back().error)) {
                alt.erase(alt.begin());
            } else {
                alt.pop_back();
            }
            continue;
        }
        std::size_t best = 0;
        double bestLow = 0.0;
        double bestHigh = 0.0;
        for (std::size_t i = 0; i + 1 < alt.size(); ++i) {
            const double a = std::fabs(alt[i].error);
            const double b = std::fabs(alt[i + 1].error);
            const double low = std::min(a, b);
            const double high = std::max(a, b);
            if (i == 0 || low < bestLow || (low == bestLow && high < bestHigh)) {
                best = i;
                bestLow = low;
                bestHigh = high;
            }
        }
        alt.erase(alt.begin() + static_cast<std::ptrdiff_t>(best),
                  alt.begin() + static_cast<std::ptrdiff_t>(best) + 2);
    }
    if (alt.size() < nz) {
        return false;
    }
    reference.resize(nz);
    for (std::size_t i = 0; i < nz; ++i) {
        reference[i] = alt[i].index;
    }
    return true;
}

// The classical single exchange: the candidate of largest error takes the place of the
// reference point next to it whose error has its sign; outside the reference it takes the end
// point of its sign or, with the other sign, enters and pushes out the far end.
void CRobustExchange::ExchangeLargest(const std::vector<SCandidate>& candidates,
                                      std::vector<int>& reference) const {
    const SCandidate* top = nullptr;
    for (const SCandidate& c : candidates) {
        if (std::isfinite(c.error) &&
            (top == nullptr || std::fabs(c.error) > std::fabs(top->error))) {
            top = &c;
        }
    }
    if (top == nullptr ||
        std::find(reference.begin(), reference.end(), top->index) != reference.end()) {
        return;
    }
    const auto errorAt = [&candidates](int index) {
        for (const SCandidate& c : candidates) {
            if (c.index == index) {
                return c.error;
            }
        }
        return 0.0;
    };
    const bool negative = top->error < 0.0;
    const auto above = std::upper_bound(reference.begin(), reference.end(), top->index);
    if (above == reference.begin()) {
        if ((errorAt(reference.front()) < 0.0) != negative) {
            reference.pop_back();
            reference.insert(reference.begin(), top->index);
        } else {
            reference.front() = top->index;
        }
    } else if (above == reference.end()) {
        if ((errorAt(reference.back()) < 0.0) != negative) {
            reference.erase(reference.begin());
            reference.push_back(top->index);
        } else {
            reference.back() = top->index;
        }
    } else {
        const auto below = above - 1;
        *((errorAt(*below) < 0.0) == negative ? below : above) = top->index;
    }
}

EExchangeEnd CRobustExchange::Run(const CExchangeProblem& problem, int* iext, double* alpha,
                                  std::atomic<int>* iterations, const std::atomic<int>* cancel) {
    m_pProblem = &problem;
    m_dLargestWeight = 0.0;
    for (int g = 1; g <= problem.ngrid; ++g) {
        m_dLargestWeight = std::max(m_dLargestWeight, std::fabs(problem.wt[g]));
    }
    m_nPasses = 0;
    m_dDeviation = 0.0;
    const int nfcns = problem.nfcns;
    std::vector<int> reference(iext + 1, iext + nfcns + 2);
    std::vector<int> next;
    std::vector<SCandidate> candidates;
    double devl = -1.0;
    bool levelled = false;
    EExchangeEnd end = EExchangeEnd::Converged;
    for (;;) {
        ++m_nPasses;
        if (iterations != nullptr) {
            iterations->fetch_add(1);
        }
        if (m_nPasses > kMaxPasses) {
            end = EExchangeEnd::PassLimit;
            break;
        }
        if (cancel != nullptr && cancel->load() != 0) {
            end = EExchangeEnd::Cancelled;
            break;
        }
        double dev = 0.0;
        if (!LevelReference(reference, dev)) {
            end = EExchangeEnd::LagrangeNotFinite;
            break;
        }
        if (!std::isfinite(dev)) {
            end = EExchangeEnd::NotFinite;
            break;
        }
        if (dev < devl * (1.0 - kDeviationSlack)) {
            end = EExchangeEnd::DeviationNotGrowing;
            break;
        }
        TrialCoefficients(dev);
        levelled = true;
        m_dDeviation = dev;
        devl = std::max(devl, dev);
        if (!std::all_of(m_cheb.begin(), m_cheb.end(), [](double c) { return std::isfinite(c); })) {
            end = EExchangeEnd::NotFinite;
            break;
        }
        FindExtrema(reference, candidates);
        double largest = 0.0;
        for (const SCandidate& c : candidates) {
            largest = std::max(largest, std::fabs(c.error));
        }
        if (largest <= dev * (1.0 + kConvergence)) {
            break;
        }
        const bool alternating = ChooseReference(candidates, next);
        if (!alternating || next == reference) {
            // The multiple exchange has stalled or found too few alternations (a degenerate
            // reference whose deviation is rounding noise): exchange the single point of
            // largest error instead.
            next = reference;
            ExchangeLargest(candidates, next);
            if (next == reference) {
                end = alternating ? EExchangeEnd::Converged : EExchangeEnd::NoAlternation;
                break;
            }
        }
        reference.swap(next);
    }
    if (!levelled) {
        // Stopped before the first trial polynomial: level the starting reference anyway.
        double dev = 0.0;
        if (LevelReference(reference, dev)) {
            TrialCoefficients(dev);
            m_dDeviation = dev;
        } else {
            m_cheb.assign(static_cast<std::size_t>(nfcns), 0.0);
        }
    }
    for (int j = 0; j <= nfcns; ++j) {
        iext[j + 1] = reference[static_cast<std::size_t>(j)];
    }
    for (int j = 0; j < nfcns; ++j) {
        alpha[j + 1] = m_cheb[static_cast<std::size_t>(j)];
    }
    alpha[nfcns + 1] = 0.0;
    alpha[nfcns + 2] = 0.0;
    return end;
}
