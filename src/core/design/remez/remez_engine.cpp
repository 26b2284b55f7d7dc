#include "design/remez/remez_engine.h"

#include "design/remez/linear_phase_taps.h"
#include "support/multiversion.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
constexpr double kPi = 3.141592653589793238462643383280;
// Largest dense grid the engine allocates (points per array) and longest filter (taps).
constexpr double kMaxGridPoints = 268435456.0;
// Bytes of one dense grid point: frequency, abscissa, desired value and weight.
constexpr std::size_t kGridBytesPerPoint = 4 * sizeof(double);
// Grid points built between two looks at the cancel flag.
constexpr int kGridCancelStride = 1 << 14;
constexpr int kMaxTaps = 16777216;
// A design is equiripple when no weighted error on its grid exceeds the levelled deviation by
// more than this fraction of it.
constexpr double kEquirippleTolerance = 1e-2;
// A frequency so close to 0 that the equivalent problem's desired value and weight there are
// their limits at 0, to rounding.
constexpr double kNearZero = 1e-100;
// Grid points whose errors are evaluated between two looks at the cancel flag.
constexpr int kGridErrorRun = 256;
// Function named in the math-error report when a value of the exchange itself is not finite.
constexpr const char* kEngineFunction = "Remez";

#define CORVI_REMEZ_CLONES CORVIFIR_TARGET_CLONES("avx512f", "avx2", "default")

// Barycentric form of the Lagrange interpolant through (x[j], y[j]) with weights ad[j], evaluated
// at xf (zero-based arrays of n). Eight partial sums let the divisions run side by side.
CORVI_REMEZ_CLONES double BarycentricValue(double xf, const double* ad, const double* x,
                                           const double* y, int n) {
#if defined(__GNUC__)
    typedef double Lanes __attribute__((vector_size(8 * sizeof(double))));
    Lanes num = {};
    Lanes den = {};
    const Lanes xv = xf - Lanes{};
    int j = 0;
    for (; j + 8 <= n; j += 8) {
        Lanes av;
        Lanes xj;
        Lanes yj;
        std::memcpy(&av, ad + j, sizeof av);
        std::memcpy(&xj, x + j, sizeof xj);
        std::memcpy(&yj, y + j, sizeof yj);
        const Lanes c = av / (xv - xj);
        den += c;
        num += c * yj;
    }
    double d = ((den[0] + den[1]) + (den[2] + den[3])) + ((den[4] + den[5]) + (den[6] + den[7]));
    double p = ((num[0] + num[1]) + (num[2] + num[3])) + ((num[4] + num[5]) + (num[6] + num[7]));
#else
    double d = 0.0;
    double p = 0.0;
    int j = 0;
#endif
    for (; j < n; ++j) {
        const double c = ad[j] / (xf - x[j]);
        d += c;
        p += c * y[j];
    }
    if (!std::isfinite(d) || std::fabs(d) <= 1e-15) {
        return 1.0;
    }
    return p / d;
}

// Multiplies d[k] by 2 * (x[k] - xj) for every k in [begin, end).
CORVI_REMEZ_CLONES void ScaleProducts(double* d, const double* x, double xj, int begin, int end) {
    for (int k = begin; k < end; ++k) {
        d[k] = 2.0 * d[k] * (x[k] - xj);
    }
}

} // namespace

bool CRemezContext::GridCancelled(int j) {
    if (j % kGridCancelStride == 0 && CancelRequested()) {
        m_bCancelled = true;
    }
    return m_bCancelled;
}

void CRemezContext::Fail(ERemezStatus status, const char* mathFunction) {
    if (m_eStatus == ERemezStatus::Success) {
        m_eStatus = status;
        m_strMathFunction = mathFunction;
    }
    m_bFailed = true;
}

std::vector<double> CRemezContext::ExtremalFrequencies() const {
    if (m_eUsedEngine == ERemezEngine::Robust) {
        return m_robustExtremals;
    }
    std::vector<double> result;
    if (m_nfcns <= 0 || m_iext.IsEmpty() || m_grid.IsEmpty()) {
        return result;
    }
    for (int j = 1; j <= m_nfcns + 1; ++j) {
        const int k = m_iext[j];
        if (k >= 1 && k <= m_ngrid) {
            result.push_back(m_grid[k]);
        }
    }
    return result;
}

SRemezResult CRemezContext::Design(const SRemezSpec& spec, const SRemezJob& job) {
    std::vector<double> edges;
    std::vector<double> desired;
    std::vector<double> weights;
    for (const SRemezBand& band : spec.bands) {
        edges.push_back(band.lower);
        edges.push_back(band.upper);
        desired.push_back(band.desired);
        weights.push_back(band.weight);
    }
    m_eEngine = spec.engine;
    m_pIterations = job.iterations;
    m_pCancel = job.cancel;
    const CPmFir plain;
    const int ok = PMFir(edges.data(), static_cast<int>(spec.bands.size()),
                         spec.response != nullptr ? *spec.response : plain, spec.responseType,
                         spec.taps, spec.gridDensity, desired.data(), weights.data());
    SRemezResult result;
    if (ok == 1 && !m_bCancelled)
        result.taps.assign(m_h.Data() + 1, m_h.Data() + 1 + spec.taps);
    result.status = m_eStatus;
    result.mathFunction = m_strMathFunction;
    result.deviation = m_dDeviation;
    result.passes = m_nPasses;
    result.cancelled = m_bCancelled;
    result.reachedPassLimit = m_bPassLimit;
    result.usedEngine = m_eUsedEngine;
    result.extremals = ExtremalFrequencies();
    return result;
}

int CRemezContext::PMFir(const double* edges, int nbands, const CPmFir& pmfir, int jtype, int nfilt,
                         int lgrid, const double* desired, const double* weights) {
    m_eStatus = ERemezStatus::Success;
    m_strMathFunction.clear();
    m_dDeviation = 0.0;
    m_nPasses = 0;
    m_bCancelled = false;
    m_bPassLimit = false;
    m_bFailed = false;
    m_bTapsReady = false;
    m_nfcns = 0;
    m_ngrid = 0;
    m_eUsedEngine = m_eEngine == ERemezEngine::Robust ? m_eEngine : ERemezEngine::Classic;
    m_robustExtremals.clear();
    m_eLongEnd = EExchangeEnd::Converged;

    // Arguments are checked before anything is allocated from them.
    if (nfilt < 3 || nbands < 1 || jtype < 1 || jtype > 3) {
        Fail(ERemezStatus::InvalidArguments);
        return 0;
    }
    for (int i = 0; i < nbands; ++i) {
        if (!std::isfinite(edges[2 * i]) || !std::isfinite(edges[2 * i + 1]) ||
            !std::isfinite(desired[i]) || !std::isfinite(weights[i])) {
            Fail(ERemezStatus::InvalidArguments);
            return 0;
        }
    }

    const std::size_t bands = static_cast<std::size_t>(nbands);
    if (nfilt > kMaxTaps) {
        Fail(ERemezStatus::BandStorage);
        return 0;
    }
    if (!m_edge.CreateCopy(edges, 2 * bands) || !m_fx.CreateCopy(desired, bands) ||
        !m_wtx.CreateCopy(weights, bands) || !m_h.Create(static_cast<std::size_t>(nfilt))) {
        Fail(ERemezStatus::BandStorage);
        return 0;
    }
    const std::size_t smallLength = static_cast<std::size_t>(nfilt / 2 + 4);
    if (!m_iext.Create(smallLength) || !m_alpha.Create(smallLength) || !m_a.Create(smallLength) ||
        !m_p.Create(smallLength) || !m_q.Create(smallLength) || !m_ad.Create(smallLength) ||
        !m_x.Create(smallLength) || !m_y.Create(smallLength)) {
        Fail(ERemezStatus::GridStorage);
        return 0;
    }

    return PMFirOneBased(lgrid, pmfir, jtype, nfilt, nbands);
}

std::size_t CRemezContext::PhysicalMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || size <= 0)
        return std::numeric_limits<std::size_t>::max();
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(size);
}

bool CRemezContext::BuildGrid(int lgrid, const CPmFir& pmfir, int jtype, int nbands, int neg) {
    const double delf = 0.5 / (static_cast<double>(lgrid) * m_nfcns);

    // Upper bound of the grid size, so that the arrays are allocated once and never overrun.
    double bound = 4.0;
    for (int band = 1; band <= nbands; ++band) {
        const double span = m_edge[2 * band] - m_edge[2 * band - 1];
        bound += (span > 0.0 ? std::floor(span / delf) : 0.0) + 3.0;
    }
    if (!(bound <= kMaxGridPoints)) {
        Fail(ERemezStatus::GridStorage);
        return false;
    }
    const std::size_t capacity = static_cast<std::size_t>(bound);
    if (capacity > m_nGridMemoryLimit / kGridBytesPerPoint) {
        Fail(ERemezStatus::GridStorage);
        return false;
    }
    if (!m_grid.Create(capacity) || !m_xgrid.Create(capacity) || !m_des.Create(capacity) ||
        !m_wt.Create(capacity)) {
        Fail(ERemezStatus::GridStorage);
        return false;
    }

    // Dense grid, band by band: points delf apart, the last point of a band moved onto its upper
    // edge.
    m_grid[1] = m_edge[1];
    if (neg == 1 && m_edge[1] < delf) {
        m_grid[1] = delf;
    }
    std::size_t j = 1;
    std::size_t l = 1;
    m_bandFirst.clear();
    m_bandLast.clear();
    for (int band = 1;; ++band) {
        const double fup = m_edge[l + 1];
        m_bandFirst.push_back(static_cast<int>(j));
        do {
            if (j + 1 >= capacity) {
                Fail(ERemezStatus::GridStorage);
                return false;
            }
            if (GridCancelled(static_cast<int>(j))) {
                return false;
            }
            const double f = m_grid[j];
            m_des[j] = pmfir.EFF(f, m_fx[band], m_wtx[band], band, jtype);
            m_wt[j] = pmfir.WATE(f, m_fx[band], m_wtx[band], band, jtype);
            m_grid[j + 1] = f + delf;
            ++j;
        } while (m_grid[j] <= fup);
        m_grid[j - 1] = fup;
        m_des[j - 1] = pmfir.EFF(fup, m_fx[band], m_wtx[band], band, jtype);
        m_wt[j - 1] = pmfir.WATE(fup, m_fx[band], m_wtx[band], band, jtype);
        m_bandLast.push_back(static_cast<int>(j) - 1);
        l += 2;
        if (band >= nbands) {
            break;
        }
        m_grid[j] = m_edge[l];
    }
    m_ngrid = static_cast<int>(j) - 1;
    return true;
}

int CRemezContext::PMFirOneBased(int lgrid, const CPmFir& pmfir, int jtype, int nfilt, int nbands) {
    m_bFailed = false;
    if (lgrid <= 0) {
        lgrid = 16;
    }
    int nfcns = nfilt / 2;
    const int nodd = nfilt % 2;
    const int neg = jtype == 1 ? 0 : 1;
    if (nodd == 1 && neg == 0) {
        ++nfcns;
    }
    m_nfcns = nfcns;
    m_pPmFir = &pmfir;
    m_jtype = jtype;
    m_neg = neg;
    m_nodd = nodd;

    if (!BuildGrid(lgrid, pmfir, jtype, nbands, neg)) {
        return 0;
    }
    const double delf = 0.5 / (static_cast<double>(lgrid) * nfcns);
    m_delf = delf;
    if (neg == nodd && m_grid[m_ngrid] > 0.5 - delf) {
        --m_ngrid;
        m_bandLast.back() = m_ngrid;
        if (m_bandLast.back() < m_bandFirst.back()) {
            m_bandFirst.pop_back();
            m_bandLast.pop_back();
        }
    }
    if (m_ngrid <= 1) {
        Fail(ERemezStatus::GridTooSmall);
        return 0;
    }

    // Equivalent approximation problem: the factor cos(pi f), sin(pi f) or sin(2 pi f) of the
    // amplitude moves into the desired response and the weight.
    const int ngrid = m_ngrid;
    if (!(neg == 0 && nodd == 1)) {
        for (int j = 1; j <= ngrid; ++j) {
            if (GridCancelled(j)) {
                return 0;
            }
            const double f = m_grid[j];
            double change;
            if (neg == 0) {
                change = std::cos(kPi * f);
            } else if (nodd == 0) {
                change = std::sin(kPi * f);
            } else {
                change = std::sin(kTwoPi * f);
            }
            m_des[j] = m_des[j] / change;
            m_wt[j] = m_wt[j] * change;
        }
    }
    for (int j = 1; j <= ngrid; ++j) {
        if (GridCancelled(j)) {
            return 0;
        }
        m_xgrid[j] = std::cos(kTwoPi * m_grid[j]);
        if (!std::isfinite(m_xgrid[j])) {
            Fail(ERemezStatus::NotFinite, "cos");
            return 0;
        }
        if (!std::isfinite(m_des[j]) || !std::isfinite(m_wt[j])) {
            Fail(ERemezStatus::NotFinite, kEngineFunction);
            return 0;
        }
    }

    // Initial extremal frequencies equally spaced over the grid.
    const double temp = static_cast<double>(ngrid - 1) / nfcns;
    for (int l = 1; l <= nfcns; ++l) {
        m_iext[l] = static_cast<int>(temp * (l - 1) + 1);
    }
    m_iext[nfcns + 1] = ngrid;

    if (m_eEngine == ERemezEngine::Robust) {
        RunRobust(nfilt);
    } else {
        Remez();
        m_eUsedEngine = ERemezEngine::Classic;
        if (m_eEngine == ERemezEngine::Auto && NeedsLongExchange()) {
            // When both exchanges fail, the classical one's failure is the one reported.
            const bool classicalFailed = m_bFailed;
            const ERemezStatus classicalStatus = m_eStatus;
            const std::string classicalFunction = m_strMathFunction;
            m_bFailed = false;
            m_eStatus = ERemezStatus::Success;
            m_strMathFunction.clear();
            m_bPassLimit = false;
            RunRobust(nfilt);
            if (m_bFailed && classicalFailed && !m_bCancelled) {
                m_eStatus = classicalStatus;
                m_strMathFunction = classicalFunction;
            }
        }
    }
    if (!m_bTapsReady) {
        ImpulseResponse(nfilt, neg, nodd);
    }
    if (!m_bFailed) {
        for (int i = 1; i <= nfilt; ++i) {
            if (!std::isfinite(m_h[i])) {
                Fail(ERemezStatus::NotFinite, kEngineFunction);
                break;
            }
        }
    }
    return m_bFailed ? 0 : 1;
}

// Whether the automatic choice goes on with the long-filter exchange after the classical one:
// when that failed or its design is not equiripple on its grid. A cancel, before or during the
// check, ends the design instead.
bool CRemezContext::NeedsLongExchange() {
    if (m_bCancelled) {
        return false;
    }
    if (m_bFailed) {
        return true;
    }
    const double largest = GridError(m_pCancel);
    if (std::isnan(largest) && CancelRequested()) {
        m_bCancelled = true;
        return false;
    }
    return !(largest <= m_dDeviation * (1.0 + kEquirippleTolerance));
}

// The impulse response from the cosine-series coefficients alpha of the equivalent problem,
// with the factor cos(pi f), sin(pi f) or sin(2 pi f) multiplied back in, mirrored into the
// whole length.
void CRemezContext::ImpulseResponse(int nfilt, int neg, int nodd) {
    const int nfcns = m_nfcns;
    OneBasedArray<double>& h = m_h;
    const OneBasedArray<double>& alpha = m_alpha;
    const int nz = nfcns + 1;
    const int nm1 = nfcns - 1;
    if (neg == 0) {
        if (nodd == 1) {
            for (int j = 1; j <= nm1; ++j) {
                h[j] = 0.5 * alpha[nz - j];
            }
            h[nfcns] = alpha[1];
        } else {
            h[1] = 0.25 * alpha[nfcns];
            for (int j = 2; j <= nm1; ++j) {
                h[j] = 0.25 * (alpha[nz - j] + alpha[nfcns + 2 - j]);
            }
            h[nfcns] = 0.5 * alpha[1] + 0.25 * alpha[2];
        }
    } else {
        if (nodd == 1) {
            h[1] = 0.25 * alpha[nfcns];
            h[2] = 0.25 * alpha[nm1];
            for (int j = 3; j <= nm1; ++j) {
                h[j] = 0.25 * (alpha[nz - j] - alpha[nfcns + 3 - j]);
            }
            h[nfcns] = 0.5 * alpha[1] - 0.25 * alpha[3];
            h[nz] = 0.0;
        } else {
            h[1] = 0.25 * alpha[nfcns];
            for (int j = 2; j <= nm1; ++j) {
                h[j] = 0.25 * (alpha[nz - j] - alpha[nfcns + 2 - j]);
            }
            h[nfcns] = 0.5 * alpha[1] - 0.25 * alpha[2];
        }
    }
    for (int i = 1; i <= (nfilt + 1) / 2; ++i) {
        h[nfilt + 1 - i] = neg == 0 ? h[i] : -h[i];
    }
    if (neg == 1 && nodd == 1) {
        h[nfcns + 1] = 0.0;
    }
}

void CRemezContext::GridResponse(double f, int band, double& des, double& wt) const {
    if (f == 0.0 && m_neg == 1) {
        // The factor vanishes at 0: the limits there.
        f = kNearZero;
    }
    const int b = band + 1;
    des = m_pPmFir->EFF(f, m_fx[b], m_wtx[b], b, m_jtype);
    wt = m_pPmFir->WATE(f, m_fx[b], m_wtx[b], b, m_jtype);
    if (!(m_neg == 0 && m_nodd == 1)) {
        const double change = Change(f);
        des = des / change;
        wt = wt * change;
    }
}

// The grid of an antisymmetric design starts at delf rather than at a band edge at 0, where the
// factor sin(pi f) or sin(2 pi f) of the amplitude vanishes. When the equivalent problem has a
// limit there with a weight that does not vanish (a differentiator's passband from 0), the first
// band of the long-filter exchange starts at the edge itself, so that the error between 0 and
// delf is held to the deviation too. NaN when the band starts at its first grid point.
double CRemezContext::FirstBandStart() const {
    if (m_neg != 1 || !(m_edge[1] < m_grid[1]) || m_bandFirst.front() != 1) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double des = 0.0;
    double wt = 0.0;
    GridResponse(m_edge[1], 0, des, wt);
    const bool limit = std::isfinite(des) && std::isfinite(wt) && wt > 0.5 * m_wt[1] &&
                       std::fabs(des - m_des[1]) <= std::fabs(m_des[1]);
    return limit ? m_edge[1] : std::numeric_limits<double>::quiet_NaN();
}

// The factor between the amplitude and the cosine polynomial of the equivalent problem.
double CRemezContext::Change(double f) const {
    if (m_neg == 0) {
        return m_nodd == 1 ? 1.0 : std::cos(kPi * f);
    }
    return m_nodd == 0 ? std::sin(kPi * f) : std::sin(kTwoPi * f);
}

// The taps of a long-filter design whose polynomial p was taken on the span of the bands: from
// the amplitude Change(f) p(cos 2 pi f) at f = k / M by one inverse FFT, as p's cosine series
// may be far larger than the amplitude where p is large in an end gap and Change is small.
// False when the taps do not keep the weighted error within the deviation on a grid 16 times
// denser than the taps: the optimum grows in the end gap beyond what double precision holds.
bool CRemezContext::TapsOnSpan(const CRobustExchange& exchange, int nfilt) {
    std::size_t M = 64;
    while (M < static_cast<std::size_t>(nfilt)) {
        M *= 2;
    }
    std::vector<double> x(M);
    std::vector<double> amplitude(M);
    for (std::size_t k = 0; k < M; ++k) {
        x[k] = std::cos(kTwoPi * static_cast<double>(k) / static_cast<double>(M));
    }
    exchange.TrialValues(x.data(), amplitude.data(), static_cast<int>(M));
    for (std::size_t k = 0; k < M; ++k) {
        amplitude[k] *= Change(static_cast<double>(k) / static_cast<double>(M));
    }
    const bool antisymmetric = m_neg == 1;
    const std::vector<double> h = TapsFromAmplitude(amplitude, antisymmetric, nfilt);
    for (int i = 1; i <= nfilt; ++i) {
        m_h[i] = h[static_cast<std::size_t>(i) - 1];
    }
    m_bTapsReady = true;
    const std::size_t dense = 16 * M;
    const std::vector<double> a = AmplitudeOfTaps(h, antisymmetric, dense);
    double largest = 0.0;
    for (std::size_t b = 0; b < m_bandFirst.size(); ++b) {
        const double fa = m_grid[m_bandFirst[b]];
        const double fb = m_grid[m_bandLast[b]];
        for (auto k = static_cast<std::size_t>(std::floor(fa * dense)) + 1;
             k < a.size() && static_cast<double>(k) < fb * dense; ++k) {
            const double f = static_cast<double>(k) / static_cast<double>(dense);
            double des = 0.0;
            double wt = 0.0;
            GridResponse(f, static_cast<int>(b), des, wt);
            const double change = Change(f);
            const double e = std::fabs((a[k] - change * des) * wt / change);
            largest = std::isnan(e) ? e : std::max(largest, e);
        }
    }
    return largest <= m_dDeviation * (1.0 + kEquirippleTolerance);
}

double CRemezContext::MaxGridError() const {
    return GridError(nullptr);
}

// MaxGridError with a look at cancel (when not null) between runs of grid points, as each point
// costs a whole Clenshaw recurrence; NaN when the request stopped it.
double CRemezContext::GridError(const std::atomic<int>* cancel) const {
    if (m_nfcns <= 0 || m_ngrid <= 0 || m_alpha.IsEmpty()) {
        return 0.0;
    }
    std::vector<double> p(static_cast<std::size_t>(m_ngrid));
    for (int first = 0; first < m_ngrid; first += kGridErrorRun) {
        if (cancel != nullptr && cancel->load() != 0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        ChebyshevSeriesValues(m_alpha.Data() + 1, m_nfcns - 1, m_xgrid.Data() + 1 + first,
                              p.data() + first, std::min(kGridErrorRun, m_ngrid - first));
    }
    double largest = 0.0;
    for (int j = 1; j <= m_ngrid; ++j) {
        const double e = std::fabs((p[static_cast<std::size_t>(j) - 1] - m_des[j]) * m_wt[j]);
        largest = std::isnan(e) ? e : std::max(largest, e);
    }
    return largest;
}

// Starting reference of the long-filter exchange. For many reference points the extremal
// frequencies of an equiripple design lie about evenly in frequency away from the band edges,
// and crowd towards each edge of a gap between bands with the inverse square-root density of
// the equilibrium distribution of the band set. A gap (a, b) is modelled by the density
// |f - c| / sqrt|(f - a)(f - b)| with c its centre, which tends to 1 away from the gap, holds
// no mass inside it and has the antiderivative +-sqrt|(f - a)(f - b)|; a gap at 0 or at 0.5
// acts as its mirror image about that end. The reference points are placed at equal steps of
// the cumulative mass, the sum of the gaps' contributions.
void CRemezContext::EquilibriumReference() {
    struct SGap {
        double a, b;
    };
    std::vector<SGap> gaps;
    const int nbands = static_cast<int>(m_bandFirst.size());
    const double first = m_grid[m_bandFirst.front()];
    const double last = m_grid[m_bandLast.back()];
    if (first > 0.0) {
        gaps.push_back({-first, first});
    }
    for (int b = 0; b + 1 < nbands; ++b) {
        gaps.push_back({m_grid[m_bandLast[b]], m_grid[m_bandFirst[b + 1]]});
    }
    if (last < 0.5) {
        gaps.push_back({last, 1.0 - last});
    }
    const auto mass = [&gaps](double f) {
        double m = f;
        for (const SGap& g : gaps) {
            const double root = std::sqrt(std::fabs((f - g.a) * (f - g.b)));
            m += (f >= g.b ? root : f <= g.a ? -root : 0.0) - f;
        }
        return m;
    };
    const int nz = m_nfcns + 1;
    const double lo = mass(first);
    const double hi = mass(last);
    std::vector<int> reference;
    int g = 1;
    double mg = mass(m_grid[1]);
    for (int k = 0; k < nz; ++k) {
        const double target = lo + (hi - lo) * k / (nz - 1);
        while (g < m_ngrid && mg < target) {
            const double next = mass(m_grid[g + 1]);
            if (next - target > target - mg && mg < target && next >= target) {
                break;
            }
            ++g;
            mg = next;
        }
        reference.push_back(g);
    }
    SetReference(reference);
}

// Makes the grid indices strictly ascending inside the grid and, if that works, the reference.
void CRemezContext::SetReference(std::vector<int>& reference) {
    const int nz = m_nfcns + 1;
    if (static_cast<int>(reference.size()) != nz) {
        return;
    }
    for (int k = 1; k < nz; ++k) {
        reference[k] = std::max(reference[k], reference[k - 1] + 1);
    }
    reference[nz - 1] = std::min(reference[nz - 1], m_ngrid);
    for (int k = nz - 2; k >= 0; --k) {
        reference[k] = std::min(reference[k], reference[k + 1] - 1);
    }
    if (reference[0] < 1) {
        return;
    }
    for (int k = 0; k < nz; ++k) {
        m_iext[k + 1] = reference[k];
    }
}

void CRemezContext::RunRobust(int nfilt) {
    m_eUsedEngine = ERemezEngine::Robust;
    EquilibriumReference();
    CExchangeProblem problem;
    problem.grid = m_grid.Data();
    problem.xgrid = m_xgrid.Data();
    problem.des = m_des.Data();
    problem.wt = m_wt.Data();
    problem.ngrid = m_ngrid;
    problem.nfcns = m_nfcns;
    problem.delf = m_delf;
    problem.bandFirst = m_bandFirst;
    problem.bandLast = m_bandLast;
    problem.firstBandStart = FirstBandStart();
    problem.response = [this](double f, int b, double& des, double& wt) {
        GridResponse(f, b, des, wt);
    };
    CRobustExchange exchange;
    const EExchangeEnd end =
        exchange.Run(problem, m_iext.Data(), m_alpha.Data(), m_pIterations, m_pCancel);
    m_dDeviation = exchange.Deviation();
    m_nPasses = exchange.Passes();
    m_robustExtremals = exchange.ReferenceFrequencies();
    m_eLongEnd = end;
    switch (end) {
    case EExchangeEnd::Converged:
    case EExchangeEnd::PassLimit:
    case EExchangeEnd::DeviationNotGrowing:
        // The coefficients must keep the error within the deviation everywhere in the bands,
        // between the grid points too. A run stopped by a falling deviation keeps the last
        // trial polynomial before the fall, which is delivered only when it passes this check.
        m_bPassLimit = end == EExchangeEnd::PassLimit;
        if (!(exchange.LargestError() <= m_dDeviation * (1.0 + kEquirippleTolerance)) ||
            (exchange.OnSpan() && !TapsOnSpan(exchange, nfilt))) {
            Fail(ERemezStatus::NotEquiripple);
        }
        break;
    case EExchangeEnd::Cancelled:
        m_bCancelled = true;
        break;
    case EExchangeEnd::NotFinite:
        Fail(ERemezStatus::NotFinite, kEngineFunction);
        break;
    case EExchangeEnd::LagrangeNotFinite:
    case EExchangeEnd::NoAlternation:
        // The arithmetic broke down before the design was equiripple.
        Fail(ERemezStatus::NotEquiripple);
        break;
    }
}

void CRemezContext::Dee(int n, int m) {
    // Lagrange coefficients 1 / prod 2 (x[k] - x[j]), the factors taken in m interleaved runs so
    // that the partial products stay in range; every k follows the same order of factors.
    double* d = m_ad.Data();
    const double* x = m_x.Data();
    for (int k = 1; k <= n; ++k) {
        d[k] = 1.0;
    }
    for (int l = 1; l <= m; ++l) {
        for (int j = l; j <= n; j += m) {
            ScaleProducts(d, x, x[j], 1, j);
            ScaleProducts(d, x, x[j], j + 1, n + 1);
        }
    }
    for (int k = 1; k <= n; ++k) {
        d[k] = 1.0 / d[k];
    }
}

double CRemezContext::Gee(double xf) const {
    return BarycentricValue(xf, m_ad.Data() + 1, m_x.Data() + 1, m_y.Data() + 1, m_nfcns + 1);
}

double CRemezContext::Error(int l, int nut) const {
    const double err = (Gee(m_xgrid[l]) - m_des[l]) * m_wt[l];
    return nut * err;
}

// State of the classical exchange carried from one step of a pass to the next.
struct CRemezContext::SExchangeState {
    double devl = -1.0; // deviation of the previous pass
    double dev = 0.0;   // levelled deviation of this pass
    double comp = 0.0;  // largest error found so far by the running scan
    double y1 = 0.0;    // error of the first extremal, the bound of the search above the grid top
    double ynz = 0.0;   // error of the last extremal, the bound of the search below the grid bottom
    int nu = 1;         // sign of the error at the first reference frequency
    int nut = 1;        // sign of the error the running scan seeks
    int nut1 = 1;
    int jchnge = 0; // extremals moved in this pass
    int k1 = 0;     // lowest extremal index seen, then the end candidate below it
    int knz = 0;    // highest extremal index seen
    int klow = 0;   // the scans for extremal j stay above this grid index
    int kup = 0;    // ... and below this one
    int luck = 0;   // which end searches found a point (1 low end, 6 none, +10 high end)
    int l = 0;      // grid index of the running scan
    int j = 0;      // extremal being moved
    int passes = 0;
};

// From grid index l, steps of step (+1 or -1) up to but excluding limit until the weighted
// error of sign nut exceeds comp, which then takes its value; with once, only one step is
// tried. Every search for a better extremal is this scan.
CRemezContext::ESeek CRemezContext::Seek(int& l, int step, int limit, int nut, double& comp,
                                         bool once) const {
    for (;;) {
        l += step;
        if (step > 0 ? l >= limit : l <= limit) {
            return ESeek::Exhausted;
        }
        const double e = Error(l, nut);
        if (e - comp > 0.0) {
            comp = e;
            return ESeek::Found;
        }
        if (once) {
            return ESeek::Stopped;
        }
    }
}

// From grid index l, steps of step while the error keeps growing (comp follows it); l ends one
// step past the local extremum. Every climb to an extremum is this scan.
void CRemezContext::Climb(int& l, int step, int limit, int nut, double& comp) const {
    for (;;) {
        l += step;
        if (step > 0 ? l >= limit : l <= limit) {
            return;
        }
        const double e = Error(l, nut);
        if (!(e - comp > 0.0)) {
            return;
        }
        comp = e;
    }
}

// The levelled deviation of the reference iext[1..nz]: with the Lagrange coefficients ad_k of
// the reference abscissae x_k = cos(2 pi f_k), the interpolant of des_k + (-1)^k dev / wt_k has
// degree nfcns - 1 exactly when dev = sum ad_k des_k / sum (-1)^k ad_k / wt_k; its sign nu is
// folded into the alternation. The interpolated values y_k follow. False (and the failure
// recorded) when the pass limit, a cancel, a non-finite value or a deviation that no longer grows
// ends the exchange.
bool CRemezContext::LevelPass(SExchangeState& s) {
    const int nz = m_nfcns + 1;
    OneBasedArray<int>& iext = m_iext;
    iext[nz + 1] = m_ngrid + 1;
    ++s.passes;
    m_nPasses = s.passes;
    if (m_pIterations != nullptr) {
        m_pIterations->fetch_add(1);
    }
    if (s.passes > kMaxPasses) {
        m_bPassLimit = true;
        return false;
    }
    if (CancelRequested()) {
        m_bCancelled = true;
        return false;
    }
    for (int i = 1; i <= nz; ++i) {
        m_x[i] = m_xgrid[iext[i]];
    }
    Dee(nz, (m_nfcns - 1) / 15 + 1);
    bool finite = true;
    for (int i = 1; i <= nz; ++i) {
        finite = finite && std::isfinite(m_ad[i]);
    }
    if (!finite) {
        Fail(ERemezStatus::LagrangeNotFinite);
        return false;
    }
    double dnum = 0.0;
    double dden = 0.0;
    int k = 1;
    for (int i = 1; i <= nz; ++i) {
        const int g = iext[i];
        dnum += m_ad[i] * m_des[g];
        dden += k * m_ad[i] / m_wt[g];
        k = -k;
    }
    double dev = dnum / dden;
    s.nu = 1;
    if (dev > 0.0) {
        s.nu = -1;
    }
    dev = -s.nu * dev;
    k = s.nu;
    for (int i = 1; i <= nz; ++i) {
        const int g = iext[i];
        m_y[i] = m_des[g] + k * dev / m_wt[g];
        k = -k;
    }
    s.dev = dev;
    if (!(dev > s.devl)) {
        Fail(ERemezStatus::DeviationNotGrowing);
        return false;
    }
    for (int i = 1; i <= nz; ++i) {
        finite = finite && std::isfinite(m_y[i]);
    }
    if (!finite) {
        Fail(ERemezStatus::NotFinite, kEngineFunction);
        return false;
    }
    s.devl = dev;
    m_dDeviation = dev;
    s.jchnge = 0;
    s.k1 = iext[1];
    s.knz = iext[nz];
    s.klow = 0;
    s.nut = -s.nu;
    s.j = 1;
    return true;
}

// Extremal j moves to the local extremum of the error next to it, of the sign the alternation
// asks for, between the extremal moved before it (klow) and the next one (kup): the scan first
// tries the grid point above, then searches below, then above; an extremal below which the
// search finds nothing stays. False when a cancel ends the exchange.
bool CRemezContext::MoveExtremal(SExchangeState& s) {
    OneBasedArray<int>& iext = m_iext;
    const int j = s.j;
    s.kup = iext[j + 1];
    s.l = iext[j] + 1;
    s.nut = -s.nut;
    if (j == 2) {
        s.y1 = s.comp;
    }
    s.comp = s.dev;
    bool up = false;
    if (s.l < s.kup) {
        const double e = Error(s.l, s.nut);
        if (e - s.comp > 0.0) {
            s.comp = e;
            up = true;
        }
    }
    if (!up) {
        --s.l;
        const ESeek below = Seek(s.l, -1, s.klow, s.nut, s.comp, s.jchnge > 0);
        if (below == ESeek::Found) {
            Climb(s.l, -1, s.klow, s.nut, s.comp);
            return StoreBelow(s);
        }
        if (below == ESeek::Stopped) {
            s.klow = iext[j];
            ++s.j;
            return true;
        }
        s.l = iext[j] + 1;
        if (s.jchnge == 0 && Seek(s.l, 1, s.kup, s.nut, s.comp, false) != ESeek::Found) {
            s.klow = iext[j];
            ++s.j;
            return true;
        }
        up = s.jchnge == 0;
    }
    if (up) {
        Climb(s.l, 1, s.kup, s.nut, s.comp);
    }
    StoreAbove(s);
    return true;
}

// The extremal j found by a scan upwards, which stopped at l.
void CRemezContext::StoreAbove(SExchangeState& s) {
    m_iext[s.j] = s.l - 1;
    ++s.j;
    s.klow = s.l - 1;
    ++s.jchnge;
}

// The extremal j found by a scan downwards, which stopped at l. False when a cancel ends the
// exchange.
bool CRemezContext::StoreBelow(SExchangeState& s) {
    s.klow = m_iext[s.j];
    m_iext[s.j] = s.l + 1;
    ++s.j;
    ++s.jchnge;
    if (CancelRequested()) {
        m_bCancelled = true;
        return false;
    }
    return true;
}

// After the extremals: a point of the grid below the first extremal whose error exceeds the last
// one's, or above the last extremal whose error exceeds the first one's, enters the reference
// at that end and pushes out the extremal at the other end. True when another pass follows.
bool CRemezContext::SearchEnds(SExchangeState& s) {
    OneBasedArray<int>& iext = m_iext;
    const int nfcns = m_nfcns;
    const int nz = nfcns + 1;
    const int nzz = nfcns + 2;
    s.ynz = s.comp;
    s.k1 = std::min(s.k1, iext[1]);
    s.knz = std::max(s.knz, iext[nz]);
    s.nut1 = s.nut;
    s.nut = -s.nu;
    s.l = 0;
    s.kup = s.k1;
    s.comp = s.ynz * 1.00001;
    s.luck = 1;
    if (Seek(s.l, 1, s.kup, s.nut, s.comp, false) == ESeek::Found) {
        s.j = nzz;
        Climb(s.l, 1, s.kup, s.nut, s.comp);
        StoreAbove(s);
        s.y1 = std::max(s.y1, s.comp);
        s.k1 = iext[nzz];
    } else {
        s.luck = 6;
    }
    s.l = m_ngrid + 1;
    s.klow = s.knz;
    s.nut = -s.nut1;
    s.comp = s.y1 * 1.00001;
    if (Seek(s.l, -1, s.klow, s.nut, s.comp, false) == ESeek::Found) {
        s.j = nzz;
        s.luck += 10;
        Climb(s.l, -1, s.klow, s.nut, s.comp);
        if (!StoreBelow(s)) {
            return false;
        }
        // The point above the grid's last extremal enters; the first extremal leaves.
        const int kn = iext[nzz];
        for (int m = 1; m <= nfcns; ++m) {
            iext[m] = iext[m + 1];
        }
        iext[nz] = kn;
        return true;
    }
    if (s.luck == 6) {
        return s.jchnge > 0;
    }
    // The point below the first extremal enters; the last extremal leaves.
    for (int m = 1; m <= nfcns; ++m) {
        iext[nzz - m] = iext[nz - m];
    }
    iext[1] = s.k1;
    return true;
}

// Remez exchange (McClellan, Parks and Rabiner, "A computer program for designing optimum FIR
// linear phase digital filters", 1973): each pass levels the deviation on the reference, moves
// every extremal to the local extremum of the error next to it, then looks beyond both ends of
// the reference; the exchange ends when a pass moves nothing, then the coefficients follow.
void CRemezContext::Remez() {
    SExchangeState s;
    if (m_pIterations != nullptr) {
        m_pIterations->store(0);
    }
    const int nzz = m_nfcns + 2;
    while (LevelPass(s)) {
        bool cancelled = false;
        while (s.j < nzz && !cancelled) {
            cancelled = !MoveExtremal(s);
        }
        if (cancelled || !SearchEnds(s)) {
            break;
        }
    }
    // A cancelled design is thrown away: the O(n^2) coefficient step would only delay the end (it
    // looks at the cancel flag itself too, for a cancel that comes while it runs).
    if (!m_bCancelled) {
        IFFT();
    }
}

// Coefficients of the best approximation: samples of the interpolant at equally spaced points
// (on the grid interval mapped onto [-1, 1] unless the grid covers 0 to 0.5), an inverse discrete
// Fourier transform to the cosine series, then, for a mapped interval, the Chebyshev series
// converted back to powers of cos(2 pi f) by the classical recursion.
void CRemezContext::IFFT() {
    const int nfcns = m_nfcns;
    const int ngrid = m_ngrid;
    const int nzz = nfcns + 2;
    const int nm1 = nfcns - 1;
    OneBasedArray<double>& a = m_a;
    OneBasedArray<double>& alpha = m_alpha;
    OneBasedArray<double>& p = m_p;
    OneBasedArray<double>& q = m_q;
    const OneBasedArray<double>& x = m_x;
    const OneBasedArray<double>& y = m_y;

    m_x[nzz] = -2.0;
    const int cn = 2 * nfcns - 1;
    const double delf = 1.0 / cn;
    const double fsh = 1.0e-6;
    const bool direct = (m_grid[1] < 0.01 && m_grid[ngrid] > 0.49) || nfcns < 3;
    double aa = 0.0;
    double bb = 0.0;
    if (!direct) {
        const double dtemp = std::cos(kTwoPi * m_grid[1]);
        const double dnum = std::cos(kTwoPi * m_grid[ngrid]);
        aa = 2.0 / (dtemp - dnum);
        bb = -(dtemp + dnum) / (dtemp - dnum);
    }

    int l = 1;
    for (int j = 1; j <= nfcns; ++j) {
        if (CancelledAtStep(j)) {
            return;
        }
        double ft = (j - 1) * delf;
        double xt = std::cos(kTwoPi * ft);
        if (!direct) {
            xt = (xt - bb) / aa;
            const double xt2 = 1.0 - xt * xt;
            const double xt1 = xt2 <= 1e-15 ? 0.0 : std::sqrt(xt2);
            ft = std::atan2(xt1, xt) / kTwoPi;
        }
        // The abscissae x descend; x[nzz] = -2 ends the walk.
        for (;;) {
            const double xe = x[l];
            if (xt > xe) {
                a[j] = (xt - xe) < fsh ? y[l] : Gee(std::cos(kTwoPi * ft));
                break;
            }
            if ((xe - xt) < fsh) {
                a[j] = y[l];
                break;
            }
            if (l >= nzz) {
                a[j] = Gee(std::cos(kTwoPi * ft));
                break;
            }
            ++l;
        }
        if (l > 1) {
            --l;
        }
    }

    // Inverse transform with a table of cos(2 pi m / cn).
    m_cosTable.resize(static_cast<std::size_t>(cn));
    for (int m = 0; m < cn; ++m) {
        m_cosTable[static_cast<std::size_t>(m)] = std::cos(kTwoPi * m / cn);
    }
    for (int j = 1; j <= nfcns; ++j) {
        if (CancelledAtStep(j)) {
            return;
        }
        double dtemp = 0.0;
        const int stride = j - 1;
        int index = 0;
        for (int k = 1; k <= nm1; ++k) {
            index += stride;
            if (index >= cn) {
                index -= cn;
            }
            dtemp += a[k + 1] * m_cosTable[static_cast<std::size_t>(index)];
        }
        alpha[j] = 2.0 * dtemp + a[1];
    }
    for (int j = 2; j <= nfcns; ++j) {
        alpha[j] *= 2.0 / cn;
    }
    alpha[1] = alpha[1] / cn;

    if (!direct) {
        p[1] = 2.0 * alpha[nfcns] * bb + alpha[nm1];
        p[2] = 2.0 * aa * alpha[nfcns];
        q[1] = alpha[nfcns - 2] - alpha[nfcns];
        for (int j = 2; j <= nm1; ++j) {
            if (CancelledAtStep(j)) {
                return;
            }
            if (j >= nm1) {
                aa = 0.5 * aa;
                bb = 0.5 * bb;
            }
            p[j + 1] = 0.0;
            for (int k = 1; k <= j; ++k) {
                a[k] = p[k];
                p[k] = 2.0 * bb * a[k];
            }
            p[2] = p[2] + a[1] * 2.0 * aa;
            for (int k = 1; k <= j - 1; ++k) {
                p[k] = p[k] + q[k] + aa * a[k + 1];
            }
            for (int k = 3; k <= j + 1; ++k) {
                p[k] = p[k] + aa * a[k - 1];
            }
            if (j != nm1) {
                for (int k = 1; k <= j; ++k) {
                    q[k] = -a[k];
                }
                q[1] = q[1] + alpha[nfcns - 1 - j];
            }
        }
        for (int j = 1; j <= nfcns; ++j) {
            alpha[j] = p[j];
        }
    }
    if (nfcns <= 3) {
        alpha[nfcns + 1] = 0.0;
        alpha[nfcns + 2] = 0.0;
    }
}

SRemezResult DesignRemez(const SRemezSpec& spec, const SRemezJob& job) {
    CRemezContext context;
    return context.Design(spec, job);
}
