#include "design/remez/robust_exchange.h"

#include "dsp/fft.h"
#include "support/multiversion.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr double kPi = 3.141592653589793238462643383280;
constexpr double kTwoPi = 6.283185307179586476925286766559;
// Dense samples per mean spacing of the reference points.
constexpr int kDensePerExtremal = 32;
// A band ending further than this many mean reference spacings from 0 or Fs/2 puts the trial
// polynomial's series on the span of the bands.
constexpr double kSpanGap = 2.0;
// Grid points examined on each side of the grid point nearest to a located extremum.
constexpr int kSnapReach = 1;
// The exchange on the grid has converged when no error on it exceeds the levelled deviation by
// more than this fraction of it; off the grid, where the extrema are located to a few units in
// the last place of their values, by more than the larger fraction.
constexpr double kGridConvergence = 1e-9;
constexpr double kFreeConvergence = 1e-5;
// A levelled deviation smaller than the previous one by more than this fraction means the
// arithmetic has broken down.
constexpr double kDeviationSlack = 1e-9;
// Points whose errors are evaluated between two looks at the cancel flag.
constexpr int kErrorRun = 256;
// Points evaluated side by side by the Chebyshev recurrence.
constexpr int kBlock = 32;
// Largest binary exponent a barycentric weight's product may reach (far beyond any reference
// whose weights are of use; it keeps the exponents within int).
constexpr std::int64_t kMaxExponent = 1 << 28;
// Most times a move of points between bands is carried on in one pass, and the share of a band's
// points (one in this many) that such a move may take from it or add to it.
constexpr int kMaxBandMove = 64;
constexpr int kBandMoveShare = 8;
#define CORVI_ROBUST_CLONES CORVIFIR_TARGET_CLONES("avx512f", "avx2", "default")

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

// Moves the binary exponent of every finite non-zero normal d[k] into e[k], leaving d[k] in
// [1, 2) in magnitude (exact, and branch-free so that it runs side by side).
CORVI_ROBUST_CLONES void SplitExponents(double* d, std::int64_t* e, int n) {
    constexpr std::uint64_t kExponentMask = 0x7ffULL << 52;
    constexpr std::uint64_t kOne = 1023ULL << 52;
    for (int k = 0; k < n; ++k) {
        const auto bits = std::bit_cast<std::uint64_t>(d[k]);
        const auto biased = static_cast<std::int64_t>((bits & kExponentMask) >> 52);
        const bool normal = biased != 0 && biased != 0x7ff;
        d[k] = std::bit_cast<double>(normal ? (bits & ~kExponentMask) | kOne : bits);
        e[k] += normal ? biased - 1023 : 0;
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
    std::vector<std::int64_t> exps(static_cast<std::size_t>(n), 0);
    const double* x = m_x.data();
    for (int j = 0; j < n; ++j) {
        if (j % 256 == 0 && CancelRequested()) {
            return false;
        }
        ScaleByDifferences(mant.data(), x, x[j], scale, 0, j);
        ScaleByDifferences(mant.data(), x, x[j], scale, j + 1, n);
        if ((j & 7) == 7) {
            SplitExponents(mant.data(), exps.data(), n);
        }
    }
    int top = 0;
    bool first = true;
    for (int k = 0; k < n; ++k) {
        int e = 0;
        mant[k] = std::frexp(mant[k], &e);
        if (mant[k] == 0.0 || !std::isfinite(mant[k]) || std::abs(exps[k]) > kMaxExponent) {
            return false;
        }
        exps[k] += e;
        top = first ? static_cast<int>(-exps[k]) : std::max(top, static_cast<int>(-exps[k]));
        first = false;
    }
    m_w.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        m_w[k] = std::ldexp(1.0 / mant[k], static_cast<int>(-exps[k]) - top);
    }
    m_dWeightScale = scale;
    m_nWeightTop = top;
    return true;
}

CRobustExchange::CRobustExchange() = default;
CRobustExchange::~CRobustExchange() = default;

CRobustExchange::SPoint CRobustExchange::GridPoint(int g, int band) const {
    const CExchangeProblem& pb = *m_pProblem;
    SPoint p;
    p.f = pb.grid[g];
    p.x = pb.xgrid[g];
    p.des = pb.des[g];
    p.wt = pb.wt[g];
    p.band = band;
    p.grid = g;
    return p;
}

CRobustExchange::SPoint CRobustExchange::FreePoint(double f, int band) const {
    SPoint p;
    p.f = f;
    p.x = std::cos(kTwoPi * f);
    p.band = band;
    m_pProblem->response(f, band, p.des, p.wt);
    return p;
}

// The series is taken on the span of the bands when a band ends more than kSpanGap mean
// reference spacings short of 0 or Fs/2: on [-1, 1] the Chebyshev points of the transform would
// fall in that gap, where the interpolant grows like a Chebyshev polynomial outside its interval,
// and the series would no longer reproduce the levelled values on the reference.
void CRobustExchange::ChooseSpan() {
    const CExchangeProblem& pb = *m_pProblem;
    const double fFirst = pb.grid[pb.bandFirst.front()];
    const double fLast = pb.grid[pb.bandLast.back()];
    const double gap = kSpanGap * 0.5 / pb.nfcns;
    m_bSpan = (fFirst > gap || 0.5 - fLast > gap) && fLast > fFirst;
    m_xLo = m_bSpan ? std::cos(kTwoPi * fLast) : -1.0;
    m_xHi = m_bSpan ? std::cos(kTwoPi * fFirst) : 1.0;
}

double CRobustExchange::ToSpan(double x) const {
    return m_bSpan ? (2.0 * x - m_xLo - m_xHi) / (m_xHi - m_xLo) : x;
}

double CRobustExchange::FromSpan(double s) const {
    return m_bSpan ? 0.5 * ((m_xHi - m_xLo) * s + m_xLo + m_xHi) : s;
}

// The dense grid s_j = cos(pi j / L) with L a power of two of at least kDensePerExtremal points
// per mean reference spacing (f_j = j / (2 L) on [-1, 1]), and the problem's data at its points
// strictly inside each band. False when a cancel stopped it (the transform's plan of a long
// design takes a good part of a second to build, so it is built with a look at the flag).
bool CRobustExchange::PrepareDense() {
    const CExchangeProblem& pb = *m_pProblem;
    int half = 64;
    while (half < kDensePerExtremal * pb.nfcns) {
        half *= 2;
    }
    if (m_nDense != half || !m_pDenseFft) {
        m_pDenseFft.reset();
        std::shared_ptr<const CFftPlan> plan =
            GetFftPlan(2 * static_cast<std::size_t>(half), m_pCancel);
        if (!plan) {
            return false;
        }
        m_nDense = half;
        m_pDenseFft = std::make_unique<CFft>(std::move(plan));
    }
    const double step = 0.5 / half;
    const std::size_t size = static_cast<std::size_t>(half) + 1;
    m_denseF.resize(size);
    for (int j = 0; j <= half; ++j) {
        if ((j & 4095) == 0 && CancelRequested()) {
            return false;
        }
        m_denseF[j] =
            m_bSpan ? std::acos(std::clamp(FromSpan(std::cos(kPi * j / half)), -1.0, 1.0)) / kTwoPi
                    : j * step;
    }
    m_denseDes.assign(size, 0.0);
    m_denseWt.assign(size, 0.0);
    m_denseFirst.clear();
    m_denseLast.clear();
    for (std::size_t b = 0; b < pb.bandFirst.size(); ++b) {
        const double fa = pb.grid[pb.bandFirst[b]];
        const double fb = pb.grid[pb.bandLast[b]];
        int first = static_cast<int>(std::floor(fa / step)) + 1;
        int last = std::min(half, static_cast<int>(std::ceil(fb / step)) - 1);
        if (m_bSpan) {
            first = static_cast<int>(std::upper_bound(m_denseF.begin(), m_denseF.end(), fa) -
                                     m_denseF.begin());
            last = static_cast<int>(std::lower_bound(m_denseF.begin(), m_denseF.end(), fb) -
                                    m_denseF.begin()) -
                   1;
        }
        m_denseFirst.push_back(first);
        m_denseLast.push_back(last);
        for (int j = first; j <= last; ++j) {
            if ((j & 4095) == 0 && CancelRequested()) {
                return false;
            }
            pb.response(m_denseF[j], static_cast<int>(b), m_denseDes[j], m_denseWt[j]);
        }
    }
    return true;
}

// The levelled deviation of the reference: the interpolant through the values
// des_k + (-1)^k dev / wt_k has degree nfcns - 1 only for dev = sum w_k des_k /
// sum (-1)^k w_k / wt_k (the leading divided difference vanishes). The sign is then folded
// into the alternation so that dev >= 0; the weighted error at each reference point is then
// +-dev exactly.
bool CRobustExchange::LevelReference(double& dev) {
    const std::size_t nz = m_reference.size();
    m_x.resize(nz);
    m_y.resize(nz);
    for (std::size_t k = 0; k < nz; ++k) {
        m_x[k] = m_reference[k].x;
    }
    if (!ReferenceWeights()) {
        return false;
    }
    double dnum = 0.0;
    double dden = 0.0;
    double sign = 1.0;
    for (std::size_t k = 0; k < nz; ++k) {
        dnum += m_w[k] * m_reference[k].des;
        dden += sign * m_w[k] / m_reference[k].wt;
        sign = -sign;
    }
    dev = dnum / dden;
    sign = dev > 0.0 ? -1.0 : 1.0;
    dev = std::fabs(dev);
    for (std::size_t k = 0; k < nz; ++k) {
        SPoint& p = m_reference[k];
        m_y[k] = p.des + sign * dev / p.wt;
        p.error = sign * dev;
        sign = -sign;
    }
    return true;
}

// Chebyshev coefficients of the trial polynomial p (degree n = nfcns - 1) on [m_xLo, m_xHi]: p
// is sampled at the n + 1 Chebyshev extreme points of that interval with the barycentric formula on
// n + 1 of the reference points (leaving out point j multiplies each weight by C (x_k - x_j)), and
// the samples go through a type-I discrete cosine transform, done as an FFT of their even extension
// of length 2n.
bool CRobustExchange::TrialCoefficients() {
    const int nfcns = m_pProblem->nfcns;
    const int n = nfcns - 1;
    m_cheb.assign(static_cast<std::size_t>(nfcns), 0.0);
    if (n == 0) {
        m_cheb[0] = m_y[0];
        return true;
    }
    // The point left out is the one of largest weight: the levelling leaves a rounding error in
    // sum w_k y_k, which moves the value at the point left out by that error over its weight.
    std::size_t out = 0;
    for (std::size_t k = 1; k < m_w.size(); ++k) {
        if (std::fabs(m_w[k]) > std::fabs(m_w[out])) {
            out = k;
        }
    }
    const double xOut = m_x[out];
    m_dNodeScale = m_dWeightScale;
    m_nNodeTop = m_nWeightTop;
    std::vector<double>& w = m_wNodes;
    m_xNodes.clear();
    m_yNodes.clear();
    w.clear();
    for (std::size_t k = 0; k < m_w.size(); ++k) {
        if (k != out) {
            w.push_back(m_w[k] * (m_x[k] - xOut));
            m_xNodes.push_back(m_x[k]);
            m_yNodes.push_back(m_y[k]);
        }
    }
    const std::size_t length = 2 * static_cast<std::size_t>(n);
    std::vector<std::complex<double>> u(length);
    for (int i = 0; i <= n; ++i) {
        if (i % 256 == 0 && CancelRequested()) {
            return false;
        }
        const double t = FromSpan(std::cos(kPi * i / n));
        double num = 0.0;
        double den = 0.0;
        BarycentricSums(t, w.data(), m_xNodes.data(), m_yNodes.data(), nfcns, num, den);
        double v = num / den;
        if (!std::isfinite(v)) {
            // t is one of the reference points.
            for (int k = 0; k < nfcns; ++k) {
                if (m_xNodes[k] == t) {
                    v = m_yNodes[k];
                }
            }
        }
        u[static_cast<std::size_t>(i)] = v;
        if (i > 0 && i < n) {
            u[length - static_cast<std::size_t>(i)] = v;
        }
    }
    if (!m_pDctFft || m_pDctFft->Size() != length) {
        m_pDctFft = std::make_unique<CFft>(length);
    }
    m_pDctFft->Forward(u);
    for (int k = 0; k <= n; ++k) {
        m_cheb[k] = u[static_cast<std::size_t>(k)].real() / n;
    }
    m_cheb[0] *= 0.5;
    m_cheb[static_cast<std::size_t>(n)] *= 0.5;
    return true;
}

// The trial polynomial on the dense grid: p at s_j is sum c_k cos(pi k j / L), the real part of
// the FFT of length 2 L of the coefficients.
void CRobustExchange::SampleDense() {
    const std::size_t length = 2 * static_cast<std::size_t>(m_nDense);
    std::vector<std::complex<double>> u(length);
    for (std::size_t k = 0; k < m_cheb.size(); ++k) {
        u[k] = m_cheb[k];
    }
    m_pDenseFft->Forward(u);
    m_denseP.resize(static_cast<std::size_t>(m_nDense) + 1);
    for (std::size_t j = 0; j < m_denseP.size(); ++j) {
        m_denseP[j] = u[j].real();
    }
}

void CRobustExchange::PointErrors(std::vector<SPoint>& points) {
    const int count = static_cast<int>(points.size());
    m_xs.resize(points.size());
    m_ps.resize(points.size());
    for (int i = 0; i < count; ++i) {
        m_xs[i] = ToSpan(points[i].x);
    }
    // Each point costs a whole Clenshaw recurrence: the cancel flag is looked at between runs
    // of points, and a cancel leaves the remaining errors as they were.
    for (int first = 0; first < count; first += kErrorRun) {
        if (CancelRequested()) {
            return;
        }
        const int run = std::min(kErrorRun, count - first);
        ChebyshevSeriesValues(m_cheb.data(), m_pProblem->nfcns - 1, m_xs.data() + first,
                              m_ps.data() + first, run);
    }
    for (int i = 0; i < count; ++i) {
        points[i].error = (m_ps[i] - points[i].des) * points[i].wt;
    }
}

void CRobustExchange::TrialValues(const double* x, double* out, int count) const {
    std::vector<double> s(x, x + count);
    for (double& v : s) {
        v = ToSpan(v);
    }
    ChebyshevSeriesValues(m_cheb.data(), static_cast<int>(m_cheb.size()) - 1, s.data(), out, count);
}

// The trial polynomial's cosine-series coefficients alpha[1..nfcns] (its Chebyshev series on
// [-1, 1]). A series on the span of the bands is evaluated at the Chebyshev extreme points of
// [-1, 1] and transformed again.
void CRobustExchange::CosineSeries(double* alpha) {
    const int nfcns = static_cast<int>(m_cheb.size());
    const int n = nfcns - 1;
    if (!m_bSpan || n == 0) {
        std::copy(m_cheb.begin(), m_cheb.end(), alpha + 1);
        return;
    }
    std::vector<double> x(static_cast<std::size_t>(n) + 1);
    std::vector<double> values(x.size());
    for (int i = 0; i <= n; ++i) {
        x[static_cast<std::size_t>(i)] = std::cos(kPi * i / n);
    }
    TrialValues(x.data(), values.data(), n + 1);
    const std::size_t length = 2 * static_cast<std::size_t>(n);
    std::vector<std::complex<double>> u(length);
    for (int i = 0; i <= n; ++i) {
        u[static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(i)];
        if (i > 0 && i < n) {
            u[length - static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(i)];
        }
    }
    if (!m_pDctFft || m_pDctFft->Size() != length) {
        m_pDctFft = std::make_unique<CFft>(length);
    }
    m_pDctFft->Forward(u);
    for (int k = 0; k <= n; ++k) {
        alpha[k + 1] = u[static_cast<std::size_t>(k)].real() / n;
    }
    alpha[1] *= 0.5;
    alpha[n + 1] *= 0.5;
}

namespace {

// Abscissa of the vertex of the parabola through (x0, y0), (x1, y1), (x2, y2), x0 < x1 < x2,
// kept within [x0, x2]; x1 when the three points lie on a line.
double Vertex(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double a = (x1 - x0) * (y1 - y2);
    const double b = (x1 - x2) * (y1 - y0);
    const double den = a - b;
    if (den == 0.0 || !std::isfinite(den)) {
        return x1;
    }
    const double v = x1 - 0.5 * ((x1 - x0) * a - (x1 - x2) * b) / den;
    return std::clamp(v, x0, x2);
}

bool IsExtremum(double before, double e, double after) {
    return (e > 0.0 && e >= before && e > after) || (e < 0.0 && e <= before && e < after);
}

} // namespace

// Every extremum of the weighted error of the trial polynomial: the band edges, and in each band
// the vertex of the parabola through the dense samples around each local extremum of the signed
// error, where the error is then evaluated exactly (the sample itself when that is larger).
// Also the largest error seen.
void CRobustExchange::LocateExtrema(std::vector<SPoint>& found) {
    const CExchangeProblem& pb = *m_pProblem;
    found.clear();
    std::vector<SPoint> edges;
    std::vector<double> fallback;
    for (std::size_t b = 0; b < pb.bandFirst.size(); ++b) {
        edges.push_back(GridPoint(pb.bandFirst[b], static_cast<int>(b)));
        edges.push_back(GridPoint(pb.bandLast[b], static_cast<int>(b)));
    }
    if (pb.firstBandStart < edges.front().f) {
        edges.insert(edges.begin(), FreePoint(pb.firstBandStart, 0));
    }
    PointErrors(edges);
    // The first band's start below its first grid point, as a located extremum of its own.
    const bool start = edges.size() > 2 * pb.bandFirst.size();
    if (start) {
        found.push_back(edges.front());
        fallback.push_back(edges.front().f);
        fallback.push_back(edges.front().error);
        edges.erase(edges.begin());
    }
    double largest = start ? std::fabs(found.front().error) : 0.0;
    std::vector<double> sampleError;
    std::vector<double> sampleF;
    for (std::size_t b = 0; b < pb.bandFirst.size(); ++b) {
        const SPoint& lo = edges[2 * b];
        const SPoint& hi = edges[2 * b + 1];
        sampleF.assign(1, lo.f);
        sampleError.assign(1, lo.error);
        for (int j = m_denseFirst[b]; j <= m_denseLast[b]; ++j) {
            sampleF.push_back(m_denseF[j]);
            sampleError.push_back((m_denseP[j] - m_denseDes[j]) * m_denseWt[j]);
        }
        sampleF.push_back(hi.f);
        sampleError.push_back(hi.error);
        for (std::size_t i = 0; i < sampleError.size(); ++i) {
            largest = std::isnan(sampleError[i]) ? sampleError[i]
                                                 : std::max(largest, std::fabs(sampleError[i]));
        }
        found.push_back(lo);
        for (std::size_t i = 1; i + 1 < sampleError.size(); ++i) {
            if (!IsExtremum(sampleError[i - 1], sampleError[i], sampleError[i + 1])) {
                continue;
            }
            const double f = Vertex(sampleF[i - 1], sampleError[i - 1], sampleF[i], sampleError[i],
                                    sampleF[i + 1], sampleError[i + 1]);
            found.push_back(FreePoint(f, static_cast<int>(b)));
            fallback.push_back(sampleF[i]);
            fallback.push_back(sampleError[i]);
        }
        if (hi.f > lo.f) {
            found.push_back(hi);
        }
    }
    PointErrors(found);
    std::size_t next = 0;
    for (SPoint& p : found) {
        if (p.grid != 0) {
            continue;
        }
        const double f = fallback[next];
        const double e = fallback[next + 1];
        next += 2;
        if (!(std::fabs(p.error) >= std::fabs(e))) {
            const double error = p.error;
            p = FreePoint(f, p.band);
            p.error = std::isnan(error) ? error : e;
        }
        largest = std::isnan(p.error) ? p.error : std::max(largest, std::fabs(p.error));
    }
    m_dLargestError = largest;
}

// The located extrema moved onto the design grid: each to the grid point of largest error of
// its sign next to it.
void CRobustExchange::OnGrid(std::vector<SPoint>& candidates) {
    const CExchangeProblem& pb = *m_pProblem;
    std::vector<SPoint> near;
    std::vector<std::size_t> owner;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const SPoint& p = candidates[i];
        if (p.grid != 0) {
            continue;
        }
        const int ga = pb.bandFirst[p.band];
        const int gb = pb.bandLast[p.band];
        const long g0 = ga + std::lround((p.f - pb.grid[ga]) / pb.delf);
        const int lo = static_cast<int>(std::clamp<long>(g0 - kSnapReach, ga, gb));
        const int hi = static_cast<int>(std::clamp<long>(g0 + kSnapReach, ga, gb));
        for (int g = lo; g <= hi; ++g) {
            near.push_back(GridPoint(g, p.band));
            owner.push_back(i);
        }
    }
    PointErrors(near);
    std::vector<SPoint> best(candidates.size());
    std::vector<bool> has(candidates.size(), false);
    for (std::size_t k = 0; k < near.size(); ++k) {
        const std::size_t i = owner[k];
        const SPoint& q = near[k];
        if ((q.error < 0.0) != (candidates[i].error < 0.0)) {
            continue;
        }
        if (!has[i] || std::fabs(q.error) > std::fabs(best[i].error)) {
            best[i] = q;
            has[i] = true;
        }
    }
    std::vector<SPoint> result;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].grid != 0) {
            result.push_back(candidates[i]);
        } else if (has[i]) {
            result.push_back(best[i]);
        }
    }
    candidates.swap(result);
}

// The next reference from the candidates: in ascending frequency, of each run of errors of one
// sign the largest stays, so that the signs alternate; then, while there are too many, the
// smaller end goes when one too many is left, otherwise the neighbouring pair whose smaller
// error is the smallest (removing a pair keeps the alternation).
bool CRobustExchange::ChooseReference(std::vector<SPoint>& candidates,
                                      std::vector<SPoint>& next) const {
    const std::size_t nz = static_cast<std::size_t>(m_pProblem->nfcns) + 1;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const SPoint& a, const SPoint& b) { return a.f < b.f; });
    std::vector<SPoint>& alt = next;
    alt.clear();
    for (const SPoint& c : candidates) {
        if (!std::isfinite(c.error)) {
            continue;
        }
        if (!alt.empty() && (c.error < 0.0) == (alt.back().error < 0.0)) {
            if (std::fabs(c.error) > std::fabs(alt.back().error)) {
                alt.back() = c;
            }
        } else if (!alt.empty() && c.f == alt.back().f) {
            continue;
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
    return alt.size() == nz;
}

// The classical single exchange: the candidate of largest error takes the place of the
// reference point next to it whose error has its sign; outside the reference it takes the end
// point of its sign or, with the other sign, enters and pushes out the far end.
void CRobustExchange::ExchangeLargest(const std::vector<SPoint>& candidates,
                                      std::vector<SPoint>& next) const {
    next = m_reference;
    const SPoint* top = nullptr;
    for (const SPoint& c : candidates) {
        if (std::isfinite(c.error) &&
            (top == nullptr || std::fabs(c.error) > std::fabs(top->error))) {
            top = &c;
        }
    }
    const auto before = [](const SPoint& a, const SPoint& b) { return a.f < b.f; };
    if (top == nullptr ||
        std::any_of(next.begin(), next.end(), [top](const SPoint& p) { return p.f == top->f; })) {
        return;
    }
    const bool negative = top->error < 0.0;
    const auto above = std::upper_bound(next.begin(), next.end(), *top, before);
    if (above == next.begin()) {
        if ((next.front().error < 0.0) != negative) {
            next.pop_back();
            next.insert(next.begin(), *top);
        } else {
            next.front() = *top;
        }
    } else if (above == next.end()) {
        if ((next.back().error < 0.0) != negative) {
            next.erase(next.begin());
            next.push_back(*top);
        } else {
            next.back() = *top;
        }
    } else {
        const auto below = above - 1;
        *((below->error < 0.0) == negative ? below : above) = *top;
    }
}

// The next reference from the candidates and the present reference: the multiple exchange, or,
// when it stalls or finds too few alternations (a degenerate reference whose deviation is
// rounding noise), the single exchange of the point of largest error. False when neither moves
// the reference.
bool CRobustExchange::NextReference(std::vector<SPoint>& candidates, std::vector<SPoint>& next,
                                    bool& alternating) const {
    candidates.insert(candidates.end(), m_reference.begin(), m_reference.end());
    alternating = ChooseReference(candidates, next);
    const auto same = [](const SPoint& a, const SPoint& b) { return a.f == b.f; };
    if (alternating &&
        !std::equal(next.begin(), next.end(), m_reference.begin(), m_reference.end(), same)) {
        return true;
    }
    ExchangeLargest(candidates, next);
    return !std::equal(next.begin(), next.end(), m_reference.begin(), m_reference.end(), same);
}

// Reference points per band.
std::vector<int> CRobustExchange::BandCounts(const std::vector<SPoint>& reference) const {
    std::vector<int> counts(m_pProblem->bandFirst.size(), 0);
    for (const SPoint& p : reference) {
        ++counts[static_cast<std::size_t>(p.band)];
    }
    return counts;
}

// The levelled deviation of a reference (its barycentric weights are left in m_x, m_w); -1 when
// the weights are not finite or a cancel stopped them.
double CRobustExchange::LevelledDeviation(const std::vector<SPoint>& reference) {
    m_x.resize(reference.size());
    for (std::size_t k = 0; k < reference.size(); ++k) {
        m_x[k] = reference[k].x;
    }
    if (!ReferenceWeights()) {
        return -1.0;
    }
    double dnum = 0.0;
    double dden = 0.0;
    double sign = 1.0;
    for (std::size_t k = 0; k < reference.size(); ++k) {
        dnum += m_w[k] * reference[k].des;
        dden += sign * m_w[k] / reference[k].wt;
        sign = -sign;
    }
    const double dev = std::fabs(dnum / dden);
    return std::isfinite(dev) ? dev : -1.0;
}

// The places of reference[begin, end), the points of one band, widened to the present
// reference's outermost points in that band: a move between bands shifts the whole reference and
// may leave out a band's end for a pass, where the spread points should still reach.
std::vector<double> CRobustExchange::BandPlaces(const std::vector<SPoint>& reference,
                                                std::size_t begin, std::size_t end) const {
    std::vector<double> places;
    const int band = reference[begin].band;
    for (const SPoint& p : m_reference) {
        if (p.band == band && p.f < reference[begin].f) {
            places.push_back(p.f);
            break;
        }
    }
    for (std::size_t k = begin; k < end; ++k) {
        places.push_back(reference[k].f);
    }
    for (auto p = m_reference.rbegin(); p != m_reference.rend(); ++p) {
        if (p->band == band && p->f > reference[end - 1].f) {
            places.push_back(p->f);
            break;
        }
    }
    return places;
}

// The reference with each band's points spread anew over counts[b] points: the points keep the
// band's first and last place and the shape of their spacing (they are taken at equal steps of
// the present points' index, interpolated linearly in frequency). On the design grid each goes to
// its nearest grid point, kept in ascending order. Empty when a band would get fewer than two
// points or its points do not fit on the grid.
std::vector<CRobustExchange::SPoint>
CRobustExchange::Respread(const std::vector<SPoint>& reference,
                          const std::vector<int>& counts) const {
    std::vector<SPoint> result;
    std::size_t begin = 0;
    for (std::size_t b = 0; b < counts.size(); ++b) {
        std::size_t end = begin;
        while (end < reference.size() && reference[end].band == static_cast<int>(b)) {
            ++end;
        }
        const int had = static_cast<int>(end - begin);
        const int want = counts[b];
        if (want == had) {
            result.insert(result.end(), reference.begin() + static_cast<std::ptrdiff_t>(begin),
                          reference.begin() + static_cast<std::ptrdiff_t>(end));
            begin = end;
            continue;
        }
        if (had < 2 || want < 2) {
            return {};
        }
        const std::vector<double> places = BandPlaces(reference, begin, end);
        const int span = static_cast<int>(places.size());
        std::vector<SPoint> spread;
        for (int i = 0; i < want; ++i) {
            const double t = static_cast<double>(i) * (span - 1) / (want - 1);
            const int k = std::min(static_cast<int>(t), span - 2);
            spread.push_back(
                FreePoint(places[k] + (t - k) * (places[k + 1] - places[k]), static_cast<int>(b)));
        }
        if (!m_bContinuous && !OntoGrid(spread)) {
            return {};
        }
        result.insert(result.end(), spread.begin(), spread.end());
        begin = end;
    }
    return result;
}

// Moves points of one band, ascending, to the nearest grid points of the band, strictly
// ascending; false when they do not fit.
bool CRobustExchange::OntoGrid(std::vector<SPoint>& points) const {
    const CExchangeProblem& pb = *m_pProblem;
    const int band = points.front().band;
    const int ga = pb.bandFirst[static_cast<std::size_t>(band)];
    const int gb = pb.bandLast[static_cast<std::size_t>(band)];
    const int count = static_cast<int>(points.size());
    std::vector<int> g(points.size());
    for (int i = 0; i < count; ++i) {
        const long near = ga + std::lround((points[i].f - pb.grid[ga]) / pb.delf);
        g[i] = static_cast<int>(std::clamp<long>(near, ga, gb));
        g[i] = i > 0 ? std::max(g[i], g[i - 1] + 1) : g[i];
    }
    g[count - 1] = std::min(g[count - 1], gb);
    for (int i = count - 2; i >= 0; --i) {
        g[i] = std::min(g[i], g[i + 1] - 1);
    }
    if (g[0] < ga) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = GridPoint(g[i], band);
    }
    return true;
}

// When the exchange has moved points from band to band (the band counts of next differ from the
// present reference's), the counts are usually still off by more: the multiple exchange moves one
// point per pass, by shifting the whole reference. This carries the move on in one pass: next's
// bands are spread anew with the move taken 2, 4, 8, ... times, then narrowed down, and the
// counts whose reference levels to the largest deviation are kept (every alternating
// reference's deviation is a lower bound of the optimum's, the larger the nearer).
void CRobustExchange::ExtendBandMove(std::vector<SPoint>& next) {
    const std::vector<int> now = BandCounts(m_reference);
    const std::vector<int> moved = BandCounts(next);
    if (now == moved) {
        return;
    }
    double best = LevelledDeviation(next);
    std::vector<SPoint> bestReference;
    int bestTimes = 0;
    // Whether taking the move times more over next levels to a larger deviation; the best
    // reference so far is kept.
    const auto better = [&](int times) {
        std::vector<int> counts = moved;
        for (std::size_t b = 0; b < counts.size(); ++b) {
            counts[b] += times * (moved[b] - now[b]);
        }
        std::vector<SPoint> reference = Respread(next, counts);
        const double dev = reference.empty() ? -1.0 : LevelledDeviation(reference);
        if (!(dev > best)) {
            return false;
        }
        best = dev;
        bestTimes = times;
        bestReference.swap(reference);
        return true;
    };
    // The spread points of a band of few points lie far from their optimum, and their levelled
    // deviation is no guide to more than a step: a move takes at most an eighth of the points
    // of a band it changes, and at least one.
    int most = kMaxBandMove;
    for (std::size_t b = 0; b < now.size(); ++b) {
        if (now[b] != moved[b]) {
            most = std::min(most, std::min(now[b], moved[b]) / kBandMoveShare);
        }
    }
    most = std::max(most, 1);
    int times = 1;
    while (times <= most && better(times)) {
        times *= 2;
    }
    // The deviation rises up to the best counts and falls beyond them: on from the best power of
    // two towards the first that fell.
    for (int t = bestTimes + 1; bestTimes > 1 && t < times && t <= most && better(t); ++t) {
    }
    if (bestTimes > 0) {
        next.swap(bestReference);
    }
}

EExchangeEnd CRobustExchange::Run(const CExchangeProblem& problem, int* iext, double* alpha,
                                  std::atomic<int>* iterations, const std::atomic<int>* cancel) {
    m_pProblem = &problem;
    m_pCancel = cancel;
    m_nPasses = 0;
    m_dDeviation = 0.0;
    m_dLargestError = 0.0;
    m_bContinuous = false;
    const int nfcns = problem.nfcns;
    const auto bandOf = [&problem](int g) {
        const auto it = std::lower_bound(problem.bandLast.begin(), problem.bandLast.end(), g);
        return static_cast<int>(
            std::min<std::ptrdiff_t>(it - problem.bandLast.begin(),
                                     static_cast<std::ptrdiff_t>(problem.bandLast.size()) - 1));
    };
    m_reference.clear();
    for (int j = 1; j <= nfcns + 1; ++j) {
        m_reference.push_back(GridPoint(iext[j], bandOf(iext[j])));
    }
    ChooseSpan();
    const bool prepared = PrepareDense();
    std::vector<SPoint> found;
    std::vector<SPoint> candidates;
    std::vector<SPoint> next;
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
        if (!prepared || CancelRequested()) {
            end = EExchangeEnd::Cancelled;
            break;
        }
        double dev = 0.0;
        if (!LevelReference(dev)) {
            end = CancelRequested() ? EExchangeEnd::Cancelled : EExchangeEnd::LagrangeNotFinite;
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
        if (!TrialCoefficients()) {
            end = EExchangeEnd::Cancelled;
            break;
        }
        levelled = true;
        m_dDeviation = dev;
        devl = std::max(devl, dev);
        if (!std::all_of(m_cheb.begin(), m_cheb.end(), [](double c) { return std::isfinite(c); })) {
            end = EExchangeEnd::NotFinite;
            break;
        }
        SampleDense();
        LocateExtrema(found);
        candidates = found;
        if (!m_bContinuous) {
            OnGrid(candidates);
        }
        if (CancelRequested()) {
            end = EExchangeEnd::Cancelled;
            break;
        }
        double largest = 0.0;
        for (const SPoint& c : candidates) {
            largest = std::max(largest, std::fabs(c.error));
        }
        bool alternating = true;
        bool settled =
            largest <= dev * (1.0 + (m_bContinuous ? kFreeConvergence : kGridConvergence)) ||
            !NextReference(candidates, next, alternating);
        if (settled && alternating && !m_bContinuous &&
            m_dLargestError > dev * (1.0 + kRefineTolerance)) {
            // Equiripple on the grid but not between its points: on with the extrema where they
            // lie.
            m_bContinuous = true;
            candidates = found;
            settled = !NextReference(candidates, next, alternating);
        }
        if (settled) {
            end = alternating ? EExchangeEnd::Converged : EExchangeEnd::NoAlternation;
            break;
        }
        if (!m_bContinuous && alternating) {
            ExtendBandMove(next);
        }
        m_reference.swap(next);
    }
    if (!levelled) {
        // Stopped before the first trial polynomial: level the starting reference anyway.
        double dev = 0.0;
        if (end != EExchangeEnd::Cancelled && LevelReference(dev)) {
            TrialCoefficients();
            m_dDeviation = dev;
        } else {
            m_cheb.assign(static_cast<std::size_t>(nfcns), 0.0);
        }
        m_dLargestError = std::numeric_limits<double>::infinity();
    }
    m_referenceF.clear();
    for (int j = 0; j <= nfcns; ++j) {
        const SPoint& p = m_reference[static_cast<std::size_t>(j)];
        m_referenceF.push_back(p.f);
        int g = p.grid;
        if (g == 0) {
            const int ga = problem.bandFirst[p.band];
            const long near = ga + std::lround((p.f - problem.grid[ga]) / problem.delf);
            g = static_cast<int>(std::clamp<long>(near, ga, problem.bandLast[p.band]));
        }
        iext[j + 1] = g;
    }
    CosineSeries(alpha);
    alpha[nfcns + 1] = 0.0;
    alpha[nfcns + 2] = 0.0;
    return end;
}
