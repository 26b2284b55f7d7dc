#include "design/quant_search.h"

#include "data/corvi_data.h"
#include "response/fir_freq_response.h"
#include "support/multiversion.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

// The vector helpers below have internal linkage: their calling convention never crosses a
// library boundary.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

// Largest-plus-smaller-part magnitude estimate: the coefficients minimise the peak error of
// a max(|x|, |y|) + b min(|x|, |y|) over all angles.
constexpr double kEstimateMax = 0.960433870103;
constexpr double kEstimateMin = 0.397824734759;
// A reference bin above this magnitude belongs to a passband.
constexpr double kPassbandMagnitude = 0.1;
// Resolutions of the search measurements may take 1 .. this value.
constexpr int kMaxSearchResolution = 256;

// Four doubles and four 64-bit lanes, handled as SIMD registers where the processor has them.
typedef double V4 __attribute__((vector_size(32)));
typedef std::int64_t V4i __attribute__((vector_size(32)));
constexpr int kLanes = 4;

inline V4 Load(const double* p) {
    V4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline V4 Select(V4i mask, V4 a, V4 b) {
    return (V4)(((V4i)a & mask) | ((V4i)b & ~mask));
}

// The sum of the counted squared magnitude differences of (re + delta rowRe, im + delta rowIm)
// against ref over the first padded bins (a multiple of kLanes), and their count.
CORVIFIR_TARGET_CLONES("avx2", "default")
double SumCounted(const double* re, const double* im, const double* rowRe, const double* rowIm,
                  const double* ref, int padded, double delta, std::int64_t* pCount) {
    const V4 d = {delta, delta, delta, delta};
    const V4 a = {kEstimateMax, kEstimateMax, kEstimateMax, kEstimateMax};
    const V4 b = {kEstimateMin, kEstimateMin, kEstimateMin, kEstimateMin};
    const V4 pass = {kPassbandMagnitude, kPassbandMagnitude, kPassbandMagnitude,
                     kPassbandMagnitude};
    const std::int64_t m = INT64_MAX;
    const V4i absMask = {m, m, m, m};
    V4 sum = {0.0, 0.0, 0.0, 0.0};
    V4i count = {0, 0, 0, 0};
    for (int k = 0; k < padded; k += kLanes) {
        const V4 cr = Load(re + k) + d * Load(rowRe + k);
        const V4 ci = Load(im + k) + d * Load(rowIm + k);
        const V4 ar = (V4)((V4i)cr & absMask);
        const V4 ai = (V4)((V4i)ci & absMask);
        const V4i larger = (V4i)(ar > ai);
        const V4 c = a * Select(larger, ar, ai) + b * Select(larger, ai, ar);
        const V4 r = Load(ref + k);
        const V4 diff = c - r;
        const V4i counted = (V4i)((r > pass) | (r < c));
        sum += (V4)((V4i)(diff * diff) & counted);
        count -= counted;
    }
    *pCount = count[0] + count[1] + count[2] + count[3];
    return (sum[0] + sum[1]) + (sum[2] + sum[3]);
}

// The mean squared magnitude difference over every bin (when no bin counts).
double MeanAll(const double* re, const double* im, const double* rowRe, const double* rowIm,
               const double* ref, int bins, double delta) {
    if (bins <= 0)
        return 0.0;
    double sum = 0.0;
    for (int k = 0; k < bins; ++k) {
        const double diff =
            EstimateMagnitude(re[k] + delta * rowRe[k], im[k] + delta * rowIm[k]) - ref[k];
        sum += diff * diff;
    }
    return sum / bins;
}

} // namespace

double EstimateMagnitude(double re, double im) {
    const double x = std::fabs(re);
    const double y = std::fabs(im);
    return x > y ? kEstimateMax * x + kEstimateMin * y : kEstimateMax * y + kEstimateMin * x;
}

double ResponseError(const CCorviData& current, const CCorviData& reference) {
    const int n = current.GetN();
    const int m = reference.GetN();
    if (n == 0 || m == 0)
        return 0.0;
    const int s = m / n;
    const int first = current.XToIndex(0.0);
    const int last = current.XToIndex(0.5);
    double sum = 0.0;
    double sumAll = 0.0;
    int count = 0;
    int countAll = 0;
    for (int k = first; k < last; ++k) {
        const long long kr = static_cast<long long>(k) * s;
        if (k < 0 || k >= n || kr >= m)
            break;
        const double c = EstimateMagnitude((*current.m_pI)[k], (*current.m_pQ)[k]);
        const int ik = static_cast<int>(kr);
        const double r = EstimateMagnitude((*reference.m_pI)[ik], (*reference.m_pQ)[ik]);
        const double d2 = (c - r) * (c - r);
        sumAll += d2;
        ++countAll;
        if (r > kPassbandMagnitude || r < c) {
            sum += d2;
            ++count;
        }
    }
    if (count > 0)
        return sum / count;
    return countAll > 0 ? sumAll / countAll : 0.0;
}

CQuantSearch::CQuantSearch(CCorviData& filter, const QuantOptions& options,
                           const CFixedPointQuantizer& quantizer, const std::atomic<int>& cancel,
                           std::atomic<int>& progress)
    : m_filter(filter), m_options(options), m_quantizer(quantizer), m_cancel(cancel),
      m_progress(progress) {
    // A range from a damaged file is brought into the accepted one, so that every search
    // measures at least once.
    m_options.m_nSearchLow = std::clamp(m_options.m_nSearchLow, 1, kMaxSearchResolution);
    m_options.m_nSearchHigh =
        std::clamp(m_options.m_nSearchHigh, m_options.m_nSearchLow, kMaxSearchResolution);
    Prepare();
}

void CQuantSearch::Prepare() {
    CFirFreqResponse reference(&m_filter);
    if (!reference.ComputeResponse(m_options.m_nSearchHigh))
        return;
    const int refBins = reference.GetN();
    for (int res = m_options.m_nSearchLow; res <= m_options.m_nSearchHigh; res *= 2) {
        CFirFreqResponse current(&m_filter);
        if (!current.ComputeResponse(res))
            continue;
        SGrid g;
        g.length = current.GetN();
        const int s = refBins / g.length;
        g.bins = std::max(current.XToIndex(0.5) - current.XToIndex(0.0), 0);
        g.padded = (g.bins + kLanes - 1) / kLanes * kLanes;
        const auto padded = static_cast<size_t>(g.padded);
        g.re.assign(padded, 0.0);
        g.im.assign(padded, 0.0);
        g.ref.assign(padded, 0.0);
        g.rowRe.assign(padded, 0.0);
        g.rowIm.assign(padded, 0.0);
        for (int k = 0; k < g.bins; ++k) {
            const auto i = static_cast<size_t>(k);
            g.re[i] = (*current.m_pI)[k];
            g.im[i] = (*current.m_pQ)[k];
            const int kr = k * s;
            g.ref[i] = EstimateMagnitude((*reference.m_pI)[kr], (*reference.m_pQ)[kr]);
        }
        g.cosT.resize(static_cast<size_t>(g.length));
        g.sinT.resize(static_cast<size_t>(g.length));
        const double step = 2.0 * std::numbers::pi / g.length;
        for (int t = 0; t < g.length; ++t) {
            g.cosT[static_cast<size_t>(t)] = std::cos(step * t);
            g.sinT[static_cast<size_t>(t)] = -std::sin(step * t);
        }
        m_grids.push_back(std::move(g));
    }
}

// The change of tap p by 1 adds e^(-j 2 pi k p / L) to bin k. With k = m B + r the factor is
// e^(-j 2 pi m B p / L) e^(-j 2 pi r p / L): B + bins / B twiddle factors, each exact from the
// table (exponent modulo L), and one complex product per bin.
void CQuantSearch::AddRow(SGrid& g, int p, bool accumulate) {
    const long long length = g.length;
    const int blocks = (g.bins + kRowBlock - 1) / kRowBlock;
    m_fineRe.resize(kRowBlock);
    m_fineIm.resize(kRowBlock);
    for (int r = 0; r < kRowBlock; ++r) {
        const auto t = static_cast<size_t>(static_cast<long long>(r) * p % length);
        m_fineRe[static_cast<size_t>(r)] = g.cosT[t];
        m_fineIm[static_cast<size_t>(r)] = g.sinT[t];
    }
    const double* fr = m_fineRe.data();
    const double* fi = m_fineIm.data();
    for (int m = 0; m < blocks; ++m) {
        const auto t = static_cast<size_t>(static_cast<long long>(m) * kRowBlock * p % length);
        const double cr = g.cosT[t];
        const double ci = g.sinT[t];
        const int first = m * kRowBlock;
        const int count = std::min(kRowBlock, g.bins - first);
        double* re = g.rowRe.data() + first;
        double* im = g.rowIm.data() + first;
        if (accumulate) {
            for (int r = 0; r < count; ++r) {
                re[r] += cr * fr[r] - ci * fi[r];
                im[r] += cr * fi[r] + ci * fr[r];
            }
        } else {
            for (int r = 0; r < count; ++r) {
                re[r] = cr * fr[r] - ci * fi[r];
                im[r] = cr * fi[r] + ci * fr[r];
            }
        }
    }
}

void CQuantSearch::BuildRows(int a, int b) {
    for (SGrid& g : m_grids) {
        AddRow(g, a, false);
        if (b != a)
            AddRow(g, b, true);
    }
}

void CQuantSearch::Commit(double delta) {
    if (delta == 0.0)
        return;
    for (SGrid& g : m_grids) {
        for (int k = 0; k < g.bins; ++k) {
            const auto i = static_cast<size_t>(k);
            g.re[i] += delta * g.rowRe[i];
            g.im[i] += delta * g.rowIm[i];
        }
    }
}

void CQuantSearch::CommitTwo(int a, double da, int b, double db) {
    BuildRows(a, a);
    Commit(da);
    BuildRows(b, b);
    Commit(db);
}

double CQuantSearch::Measure(const SGrid& g, double delta) const {
    std::int64_t count = 0;
    const double sum = SumCounted(g.re.data(), g.im.data(), g.rowRe.data(), g.rowIm.data(),
                                  g.ref.data(), g.padded, delta, &count);
    if (count > 0)
        return sum / static_cast<double>(count);
    return MeanAll(g.re.data(), g.im.data(), g.rowRe.data(), g.rowIm.data(), g.ref.data(), g.bins,
                   delta);
}

bool CQuantSearch::InRange(double level) const {
    const double scaled = level * m_quantizer.m_dFullScale;
    return scaled >= static_cast<double>(m_quantizer.m_nLower) &&
           scaled <= static_cast<double>(m_quantizer.m_nUpper);
}

bool CQuantSearch::RunSymmetric() {
    CDataColumn& x = *m_filter.m_pI;
    const int n = m_filter.GetN();
    const int half = std::max(n / 2, 1);
    const double stepSize = m_quantizer.m_dInvFullScale;
    int i = n % 2 != 0 ? n / 2 : n / 2 - 1;
    int j = n % 2 != 0 ? n / 2 : n / 2;
    double carry = 0.0;
    for (int step = 0; i >= 0 && j < n; ++step, --i, ++j) {
        m_progress = 100 * step / half;
        const double xi = x[i];
        const double xj = x[j];
        if (xi != xj) {
            const double qi = m_quantizer.Quantize(xi);
            const double qj = m_quantizer.Quantize(xj);
            CommitTwo(i, qi - xi, j, qj - xj);
            x[i] = qi;
            x[j] = qj;
            continue;
        }
        const double v = xi + carry;
        const double q = m_quantizer.Quantize(v);
        double candidates[2] = {q, q};
        int count = 1;
        if (q < v) {
            candidates[1] = q + stepSize;
            count = 2;
        } else if (q > v) {
            candidates[0] = q - stepSize;
            count = 2;
        }
        BuildRows(i, j);
        double best = 1e30;
        double chosen = 0.0;
        for (int c = 0; c < count; ++c) {
            const double level = candidates[c];
            if (!InRange(level))
                continue;
            for (const SGrid& g : m_grids) {
                if (Cancelled())
                    return false;
                const double e = Measure(g, level - xi);
                if (e < best) {
                    best = e;
                    chosen = level;
                }
            }
        }
        Commit(chosen - xi);
        x[i] = chosen;
        x[j] = chosen;
        carry = xi - chosen;
    }
    return true;
}

bool CQuantSearch::RunAsymmetric() {
    CDataColumn& x = *m_filter.m_pI;
    const int n = m_filter.GetN();
    const int centre = n / 2;
    const double stepSize = m_quantizer.m_dInvFullScale;
    const double offsets[3] = {-stepSize, 0.0, stepSize};
    int done = 0;
    for (int k = centre; k >= 0 && k<n; k = k> centre
                             ? 2 * centre - k - 1
                             : (k < centre ? 2 * centre - k : centre - 1)) {
        m_progress = 100 * done / n;
        const double value = x[k];
        const double r = m_quantizer.Quantize(value);
        BuildRows(k, k);
        double best = 1e30;
        double chosen = 0.0;
        for (double u : offsets) {
            const double level = r + u;
            if (!InRange(level))
                continue;
            for (const SGrid& g : m_grids) {
                if (Cancelled())
                    return false;
                const double e = Measure(g, level - value);
                if (e >= best)
                    break;
                best = e;
                chosen = u;
            }
        }
        Commit(r + chosen - value);
        x[k] = r + chosen;
        ++done;
    }
    return true;
}
