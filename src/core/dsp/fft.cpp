#include "dsp/fft.h"

#include "dsp/fft_avx2.h"
#include "dsp/fft_avx512.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace {

using Complex = std::complex<double>;

constexpr std::size_t kCacheLine = 64;

// e^(-j2πj/n), evaluated in extended precision so that each twiddle is accurate to double rounding.
Complex UnitRoot(std::uint64_t j, std::uint64_t n) {
    const long double pi2 = 6.283185307179586476925286766559L;
    const long double angle = pi2 * static_cast<long double>(j % n) / static_cast<long double>(n);
    return {static_cast<double>(std::cos(angle)), static_cast<double>(-std::sin(angle))};
}

// The twiddles e^(-j2πj/span) of one plan's construction, with a look at the cancel flag every
// kRun roots: once it is set, Stopped() is true and every further root is 0. For a power
// of two n every span of the plan is n/2^s, and UnitRoot(j, span) equals UnitRoot(j·2^s, n) bit
// for bit (a power of two scales the angle's numerator and denominator exactly), so a table of
// the n roots of n serves every pass with half the extended-precision sines and cosines.
class CPlanRoots {
public:
    CPlanRoots(std::size_t n, const std::atomic<int>* cancel) : m_n(n), m_pCancel(cancel) {
        if (std::has_single_bit(n)) {
            m_table.resize(n);
            for (std::size_t j = 0; j < n && !Look(); ++j) {
                m_table[j] = UnitRoot(j, n);
            }
        }
    }

    Complex operator()(std::uint64_t j, std::uint64_t span) {
        if (Look()) {
            return 0.0;
        }
        if (!m_table.empty() && std::has_single_bit(span) && span <= m_n) {
            const int shift = std::countr_zero(m_n) - std::countr_zero(span);
            return m_table[(j & (span - 1)) << shift];
        }
        return UnitRoot(j, span);
    }

    bool Stopped() const { return m_bStopped; }

private:
    static constexpr std::size_t kRun = 4096;

    // Counts one root; true (and from then on) when the cancel flag is set.
    bool Look() {
        if (++m_nCount % kRun == 0 && m_pCancel != nullptr && m_pCancel->load() != 0) {
            m_bStopped = true;
        }
        return m_bStopped;
    }

    std::uint64_t m_n;
    const std::atomic<int>* m_pCancel;
    std::vector<Complex> m_table;
    std::size_t m_nCount = 0;
    bool m_bStopped = false;
};

// Complex products written out: the library's operator* checks for infinities on every call.
inline Complex Mul(Complex a, Complex b) {
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// a·w for a forward pass, a·conj(w) for an inverse one.
template <bool Inv> inline Complex MulTw(Complex a, Complex w) {
    const double wr = w.real();
    const double wi = Inv ? -w.imag() : w.imag();
    return {a.real() * wr - a.imag() * wi, a.real() * wi + a.imag() * wr};
}

template <bool Inv> inline Complex MulConst(Complex a, double wr, double wi) {
    return MulTw<Inv>(a, Complex(wr, wi));
}

// z·(-j) for a forward pass, z·(+j) for an inverse one.
template <bool Inv> inline Complex Rot(Complex z) {
    if constexpr (Inv) {
        return {-z.imag(), z.real()};
    } else {
        return {z.imag(), -z.real()};
    }
}

inline Complex Scaled(Complex z, double s) {
    return {z.real() * s, z.imag() * s};
}

// One complex number per value, for the portable passes.
struct SScalarPolicy {
    static constexpr std::size_t kStep = 1;
    static Complex Load(const double* p) { return *reinterpret_cast<const Complex*>(p); }
    static void Store(double* p, Complex x) { *reinterpret_cast<Complex*>(p) = x; }
};

} // namespace

#include "dsp/fft_butterflies.h"

namespace {

// Odd-length DFT by symmetric pairs: with b_r = a_r + a_(p-r) and d_r = a_r - a_(p-r),
// X_q = a0 + Σ cos(2πrq/p)·b_r ∓ j·Σ sin(2πrq/p)·d_r and X_(p-q) takes the other sign.
template <bool Inv> void DftOdd(Complex* a, std::size_t p, const double* cosT, const double* sinT) {
    Complex b[CFftPlan::kMaxDirectPrime + 1];
    Complex d[CFftPlan::kMaxDirectPrime + 1];
    const std::size_t h = (p - 1) / 2;
    Complex sum = a[0];
    for (std::size_t r = 1; r <= h; ++r) {
        b[r] = a[r] + a[p - r];
        d[r] = a[r] - a[p - r];
        sum += b[r];
    }
    const Complex a0 = a[0];
    a[0] = sum;
    for (std::size_t q = 1; q <= h; ++q) {
        Complex re = a0;
        Complex im = 0.0;
        std::size_t j = 0;
        for (std::size_t r = 1; r <= h; ++r) {
            j += q;
            if (j >= p) {
                j -= p;
            }
            re += Scaled(b[r], cosT[j]);
            im += Scaled(d[r], sinT[j]);
        }
        const Complex rim = Rot<Inv>(im);
        a[q] = re + rim;
        a[p - q] = re - rim;
    }
}

// Prime factors of n in ascending order.
std::vector<std::size_t> PrimeFactors(std::size_t n) {
    std::vector<std::size_t> f;
    for (std::size_t p = 2; p * p <= n; p += (p == 2 ? 1 : 2)) {
        while (n % p == 0) {
            f.push_back(p);
            n /= p;
        }
    }
    if (n > 1) {
        f.push_back(n);
    }
    return f;
}

// The radices of the passes from the whole length down to the leaf: odd primes from the
// largest, then one 2 if needed, then fours, then eights, then a leaf transform of 16, 8, 4 or 2
// points (or of the smallest odd prime when n is odd).
std::vector<std::size_t> PassRadices(std::size_t n) {
    const std::vector<std::size_t> primes = PrimeFactors(n);
    std::vector<std::size_t> radices;
    std::size_t twos = 0;
    for (auto it = primes.rbegin(); it != primes.rend(); ++it) {
        if (*it == 2) {
            ++twos;
        } else {
            radices.push_back(*it);
        }
    }
    if (twos == 0) {
        return radices;
    }
    const std::size_t leafTwos = std::min<std::size_t>(twos, 4);
    std::size_t rest = twos - leafTwos;
    // As many radix-8 passes as leave 0, 1 or 2 twos: a radix-8 pass reads and writes the data
    // once for three twos, where radix-4 passes take one and a half times as many.
    std::size_t eights = 0;
    while (rest >= 3 && rest != 4) {
        rest -= 3;
        ++eights;
    }
    if (rest % 2 == 1) {
        radices.push_back(2);
    }
    for (std::size_t i = 0; i < rest / 2; ++i) {
        radices.push_back(4);
    }
    radices.insert(radices.end(), eights, 8);
    radices.push_back(std::size_t(1) << leafTwos);
    return radices;
}

// The radices of the n/4-point lane transforms of a power of two n: one or two fours (or a single
// two) first, then eights down to the leaf. A leaf of 8 keeps its values in registers.
std::vector<std::size_t> LaneRadices(std::size_t quarter) {
    std::size_t twos = 0;
    while ((std::size_t(1) << twos) < quarter) {
        ++twos;
    }
    std::vector<std::size_t> radices;
    if (twos % 3 == 1) {
        if (twos == 1) {
            return {2};
        }
        radices = {4, 4};
        twos -= 4;
    } else if (twos % 3 == 2) {
        radices = {4};
        twos -= 2;
    }
    radices.insert(radices.end(), twos / 3, 8);
    return radices;
}

std::unique_ptr<SFftLanePlan> MakeLanePlan(std::size_t n, CPlanRoots& roots) {
    auto plan = std::make_unique<SFftLanePlan>();
    plan->n = n;
    const std::size_t quarter = n / 4;
    plan->radices = LaneRadices(quarter);
    std::size_t span = quarter;
    for (std::size_t p : plan->radices) {
        const std::size_t m = span / p;
        for (std::size_t r = 1; m > 1 && r < p; ++r) {
            for (std::size_t k = 0; k < m; ++k) {
                const Complex w = roots(r * k, span);
                plan->twiddles.push_back(w.real());
                plan->twiddles.push_back(w.imag());
            }
        }
        span = m;
    }
    plan->joinTwiddles.resize(6 * quarter);
    for (std::size_t l = 1; l < 4; ++l) {
        double* re = plan->joinTwiddles.data() + 2 * (l - 1) * quarter;
        for (std::size_t k = 0; k < quarter; ++k) {
            const Complex w = roots(l * k, n);
            re[k] = w.real();
            re[quarter + k] = w.imag();
        }
    }
    return plan;
}

// The radices of a power of two n >= 256 run breadth first: a 16-point leaf, radix-8 passes and
// one radix-16 (or radix-4) pass first for the twos that do not make an eight. The first radix
// is a multiple of four, so that four consecutive leaves read consecutive input values.
std::vector<std::size_t> BreadthFirstRadices(std::size_t n) {
    std::size_t twos = 0;
    while ((std::size_t(1) << twos) < n) {
        ++twos;
    }
    std::size_t rest = twos - 4;
    std::vector<std::size_t> radices;
    if (rest % 3 == 1) {
        radices.push_back(16);
        rest -= 4;
    } else if (rest % 3 == 2) {
        radices.push_back(4);
        rest -= 2;
    }
    radices.insert(radices.end(), rest / 3, 8);
    radices.push_back(16);
    return radices;
}

bool IsPowerOfTwo(std::size_t n) {
    return (n & (n - 1)) == 0;
}

// Smallest length of the form 2^a·3^b·5^c with a ≥ 4 that is at least n.
std::size_t SmoothLengthAtLeast(std::size_t n) {
    std::size_t best = 16;
    while (best < n) {
        best *= 2;
    }
    for (std::size_t p5 = 16; p5 < best; p5 *= 5) {
        for (std::size_t p35 = p5; p35 < best; p35 *= 3) {
            std::size_t len = p35;
            while (len < n) {
                len *= 2;
            }
            best = std::min(best, len);
        }
    }
    return best;
}

// e^(-j2πj/16), the constant twiddles of the 16-point leaf.
const Complex kW16[10] = {
    {1.0, 0.0},
    {0.92387953251128675613, -0.38268343236508977173},
    {0.70710678118654752440, -0.70710678118654752440},
    {0.38268343236508977173, -0.92387953251128675613},
    {0.0, -1.0},
    {-0.38268343236508977173, -0.92387953251128675613},
    {-0.70710678118654752440, -0.70710678118654752440},
    {-0.92387953251128675613, -0.38268343236508977173},
    {-1.0, 0.0},
    {-0.92387953251128675613, 0.38268343236508977173},
};

// 8 points as 4 × 2 (n = 2·n1 + n2, k = k1 + 4·k2).
template <bool Inv> void Leaf8(const Complex* in, std::size_t s, Complex* out) {
    Complex e0 = in[0], e1 = in[2 * s], e2 = in[4 * s], e3 = in[6 * s];
    Complex o0 = in[s], o1 = in[3 * s], o2 = in[5 * s], o3 = in[7 * s];
    Dft4<Inv>(e0, e1, e2, e3);
    Dft4<Inv>(o0, o1, o2, o3);
    o1 = MulTw<Inv>(o1, kW16[2]);
    o2 = Rot<Inv>(o2);
    o3 = MulTw<Inv>(o3, kW16[6]);
    out[0] = e0 + o0;
    out[4] = e0 - o0;
    out[1] = e1 + o1;
    out[5] = e1 - o1;
    out[2] = e2 + o2;
    out[6] = e2 - o2;
    out[3] = e3 + o3;
    out[7] = e3 - o3;
}

// 16 points as 4 × 4 (n = 4·n1 + n2, k = k1 + 4·k2).
template <bool Inv> void Leaf16(const Complex* in, std::size_t s, Complex* out) {
    Complex y[4][4];
    for (std::size_t n2 = 0; n2 < 4; ++n2) {
        Complex a0 = in[n2 * s], a1 = in[(n2 + 4) * s], a2 = in[(n2 + 8) * s],
                a3 = in[(n2 + 12) * s];
        Dft4<Inv>(a0, a1, a2, a3);
        y[n2][0] = a0;
        y[n2][1] = n2 == 0 ? a1 : MulTw<Inv>(a1, kW16[n2]);
        y[n2][2] = n2 == 0 ? a2 : MulTw<Inv>(a2, kW16[2 * n2]);
        y[n2][3] = n2 == 0 ? a3 : MulTw<Inv>(a3, kW16[3 * n2]);
    }
    for (std::size_t k1 = 0; k1 < 4; ++k1) {
        Complex a0 = y[0][k1], a1 = y[1][k1], a2 = y[2][k1], a3 = y[3][k1];
        Dft4<Inv>(a0, a1, a2, a3);
        out[k1] = a0;
        out[k1 + 4] = a1;
        out[k1 + 8] = a2;
        out[k1 + 12] = a3;
    }
}

} // namespace

struct CFftPlan::SChirp {
    std::size_t m = 0;               // length of the cyclic convolution, made of 2, 3 and 5
    std::unique_ptr<CFftPlan> sub;   // plan of length m
    std::vector<Complex> chirp;      // e^(-jπk²/n), k = 0..n-1
    std::vector<Complex> filterBins; // DFT of the conjugate chirp filter, divided by m
};

CFftPlan::CFftPlan(std::size_t n, bool allowSimd, const std::atomic<int>* cancel)
    : m_n(n), m_workSize(n) {
    if (n <= 1) {
        return;
    }
    CPlanRoots roots(n, cancel);
    if (roots.Stopped()) {
        m_bComplete = false;
        return;
    }
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    m_useAvx2 = allowSimd && FftAvx2Built() && __builtin_cpu_supports("avx2") &&
                __builtin_cpu_supports("fma");
    m_useAvx512 = m_useAvx2 && FftAvx512Built() && __builtin_cpu_supports("avx512f");
#endif
    if (PrimeFactors(n).back() > kMaxDirectPrime) {
        // Bluestein's chirp-z algorithm: X_k = w_k · Σ (x_j w_j)·conj(w_(k-j)), w_k = e^(-jπk²/n),
        // a linear convolution done as a cyclic one of a length m ≥ 2n-1 made of 2, 3 and 5.
        auto chirp = std::make_unique<SChirp>();
        const std::size_t m = SmoothLengthAtLeast(2 * n - 1);
        chirp->m = m;
        chirp->sub = std::make_unique<CFftPlan>(m, allowSimd, cancel);
        chirp->chirp.resize(n);
        const std::uint64_t twoN = 2 * static_cast<std::uint64_t>(n);
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint64_t kk = static_cast<std::uint64_t>(k) * k % twoN;
            chirp->chirp[k] = roots(kk, twoN);
        }
        if (!chirp->sub->Complete() || roots.Stopped()) {
            m_bComplete = false;
            return;
        }
        std::vector<Complex> filter(m, Complex(0.0));
        filter[0] = 1.0;
        for (std::size_t k = 1; k < n; ++k) {
            filter[k] = filter[m - k] = std::conj(chirp->chirp[k]);
        }
        chirp->filterBins.resize(m);
        chirp->sub->Mixed<false>(filter.data(), chirp->filterBins.data());
        const double inv = 1.0 / static_cast<double>(m);
        for (Complex& z : chirp->filterBins) {
            z = Scaled(z, inv);
        }
        m_workSize = 2 * m;
        m_chirp = std::move(chirp);
        return;
    }
    if (m_useAvx2 && IsPowerOfTwo(n) && n >= kMinLaneLength) {
        m_lanes = MakeLanePlan(n, roots);
    }
    if (roots.Stopped()) {
        m_bComplete = false;
        return;
    }
    m_breadthFirst =
        m_useAvx512 && IsPowerOfTwo(n) && n >= kMinBreadthFirstLength && n < kMinLaneLength;
    m_radices = m_breadthFirst ? BreadthFirstRadices(n) : PassRadices(n);
    std::size_t span = n;
    std::size_t twiddles = 0;
    for (std::size_t p : m_radices) {
        span /= p;
        twiddles += span > 1 ? (p - 1) * span : 0;
    }
    m_twiddles.reserve(twiddles);
    span = n;
    for (std::size_t p : m_radices) {
        SPass pass{p, span, m_twiddles.size()};
        const std::size_t m = span / p;
        if (m > 1) {
            // Stored by r, then k, so that consecutive bins read consecutive twiddles.
            for (std::size_t r = 1; r < p && !roots.Stopped(); ++r) {
                for (std::size_t k = 0; k < m; ++k) {
                    m_twiddles.push_back(roots(r * k, span));
                }
            }
        }
        std::vector<double> cosT, sinT;
        if (p > 5 && p % 2 == 1) {
            for (std::size_t j = 0; j < p; ++j) {
                const Complex w = UnitRoot(j, p);
                cosT.push_back(w.real());
                sinT.push_back(-w.imag());
            }
        }
        m_oddCos.push_back(std::move(cosT));
        m_oddSin.push_back(std::move(sinT));
        m_passes.push_back(pass);
        span = m;
    }
    m_bComplete = !roots.Stopped();
}

CFftPlan::~CFftPlan() = default;

// The transform of the last pass, taken straight from the strided input.
template <bool Inv>
void CFftPlan::Leaf(std::size_t pass, const Complex* in, std::size_t stride, Complex* out) const {
    const std::size_t p = m_passes[pass].radix;
    switch (p) {
    case 2: {
        Complex a0 = in[0], a1 = in[stride];
        Dft2<Inv>(a0, a1);
        out[0] = a0;
        out[1] = a1;
        return;
    }
    case 3: {
        Complex a0 = in[0], a1 = in[stride], a2 = in[2 * stride];
        Dft3<Inv>(a0, a1, a2);
        out[0] = a0;
        out[1] = a1;
        out[2] = a2;
        return;
    }
    case 4: {
        Complex a0 = in[0], a1 = in[stride], a2 = in[2 * stride], a3 = in[3 * stride];
        Dft4<Inv>(a0, a1, a2, a3);
        out[0] = a0;
        out[1] = a1;
        out[2] = a2;
        out[3] = a3;
        return;
    }
    case 5: {
        Complex a0 = in[0], a1 = in[stride], a2 = in[2 * stride], a3 = in[3 * stride],
                a4 = in[4 * stride];
        Dft5<Inv>(a0, a1, a2, a3, a4);
        out[0] = a0;
        out[1] = a1;
        out[2] = a2;
        out[3] = a3;
        out[4] = a4;
        return;
    }
    case 8:
    case 16:
        if (m_useAvx2) {
            FftLeavesAvx2(p, Inv, reinterpret_cast<const double*>(in), stride, 0, 1,
                          reinterpret_cast<double*>(out));
        } else if (p == 8) {
            Leaf8<Inv>(in, stride, out);
        } else {
            Leaf16<Inv>(in, stride, out);
        }
        return;
    default:
        for (std::size_t r = 0; r < p; ++r) {
            out[r] = in[r * stride];
        }
        DftOdd<Inv>(out, p, m_oddCos[pass].data(), m_oddSin[pass].data());
        return;
    }
}

// Recursive decimation in time: the pass of radix p over a span S = p·m first transforms the p
// interleaved subsequences in[r + p·i] into out[r·m .. r·m+m-1] (depth first, so each
// sub-transform works in cache), then combines them with X[k + q·m] = Σ_r W_p^(rq)·W_S^(rk)·Y_r[k].
template <bool Inv>
void CFftPlan::Recurse(std::size_t pass, const Complex* in, std::size_t stride,
                       Complex* out) const {
    const SPass& ps = m_passes[pass];
    const std::size_t p = ps.radix;
    const std::size_t m = ps.span / p;
    if (m == 1) {
        Leaf<Inv>(pass, in, stride, out);
        return;
    }
    if (pass + 2 == m_passes.size()) {
        if (m_useAvx2 && (m == 8 || m == 16)) {
            FftLeavesAvx2(m, Inv, reinterpret_cast<const double*>(in), stride * p, stride, p,
                          reinterpret_cast<double*>(out));
        } else {
            for (std::size_t r = 0; r < p; ++r) {
                Leaf<Inv>(pass + 1, in + r * stride, stride * p, out + r * m);
            }
        }
    } else {
        for (std::size_t r = 0; r < p; ++r) {
            Recurse<Inv>(pass + 1, in + r * stride, stride * p, out + r * m);
        }
    }
    Combine<Inv>(pass, out);
}

// The twiddle pass of one pass over one of its sub-transforms (out[0 .. span-1]).
template <bool Inv> void CFftPlan::Combine(std::size_t pass, Complex* out) const {
    const SPass& ps = m_passes[pass];
    const std::size_t p = ps.radix;
    const std::size_t m = ps.span / p;
    const Complex* tw = m_twiddles.data() + ps.twiddleOffset;
    if (p <= 5 || p == 8 || p == 16) {
        double* data = reinterpret_cast<double*>(out);
        const double* twd = reinterpret_cast<const double*>(tw);
        std::size_t done = 0;
        if (m_useAvx512 && m % 4 == 0) {
            FftTwiddlePassAvx512(p, Inv, data, m, twd);
            done = m;
        } else if (m_useAvx2) {
            done = FftTwiddlePassAvx2(p, Inv, data, m, twd);
        }
        TwiddlePass<SScalarPolicy, Inv>(p, data, m, twd, done, m);
        return;
    }
    Complex a[kMaxDirectPrime + 1];
    for (std::size_t k = 0; k < m; ++k) {
        a[0] = out[k];
        for (std::size_t r = 1; r < p; ++r) {
            a[r] = MulTw<Inv>(out[k + r * m], tw[(r - 1) * m + k]);
        }
        DftOdd<Inv>(a, p, m_oddCos[pass].data(), m_oddSin[pass].data());
        for (std::size_t r = 0; r < p; ++r) {
            out[k + r * m] = a[r];
        }
    }
}

template <bool Inv> void CFftPlan::Mixed(const Complex* in, Complex* out) const {
    if (m_n == 1) {
        out[0] = in[0];
        return;
    }
    if (m_breadthFirst) {
        BreadthFirst<Inv>(in, out);
        return;
    }
    Recurse<Inv>(0, in, 1, out);
}

// The passes of Recurse in another order, for lengths whose data stays in the first-level cache:
// every leaf first, four at a time (the leaves of four consecutive subsequences of the first
// pass read consecutive values), then each pass over all its sub-transforms, deepest first.
template <bool Inv> void CFftPlan::BreadthFirst(const Complex* in, Complex* out) const {
    const std::size_t leafPass = m_passes.size() - 1;
    const std::size_t leaf = m_passes[leafPass].radix;
    const std::size_t p0 = m_passes[0].radix;
    const std::size_t groups = m_n / (leaf * p0);
    for (std::size_t g = 0; g < groups; ++g) {
        // The digits r1 .. r(leafPass-1) of the leaf's place below the first pass.
        std::size_t inOffset = 0, outOffset = 0, rest = g, stride = p0;
        for (std::size_t i = 1; i < leafPass; ++i) {
            const std::size_t p = m_passes[i].radix;
            inOffset += rest % p * stride;
            outOffset += rest % p * (m_passes[i].span / p);
            rest /= p;
            stride *= p;
        }
        FftLeafQuadsAvx512(leaf, Inv, reinterpret_cast<const double*>(in + inOffset), m_n / leaf,
                           p0, reinterpret_cast<double*>(out + outOffset), m_n / p0);
    }
    for (std::size_t pass = leafPass; pass-- > 0;) {
        const std::size_t span = m_passes[pass].span;
        for (std::size_t t = 0; t < m_n; t += span) {
            Combine<Inv>(pass, out + t);
        }
    }
}

template <bool Inv> void CFftPlan::Bluestein(const Complex* in, Complex* out, Complex* work) const {
    const SChirp& c = *m_chirp;
    Complex* a = work;
    Complex* bins = work + c.m;
    // The inverse is conj(forward(conj(x))).
    for (std::size_t k = 0; k < m_n; ++k) {
        a[k] = Mul(Inv ? std::conj(in[k]) : in[k], c.chirp[k]);
    }
    std::fill(a + m_n, a + c.m, Complex(0.0));
    c.sub->Mixed<false>(a, bins);
    for (std::size_t k = 0; k < c.m; ++k) {
        bins[k] = Mul(bins[k], c.filterBins[k]);
    }
    c.sub->Mixed<true>(bins, a);
    for (std::size_t k = 0; k < m_n; ++k) {
        const Complex y = Mul(a[k], c.chirp[k]);
        out[k] = Inv ? std::conj(y) : y;
    }
}

void CFftPlan::Execute(const Complex* in, Complex* out, Complex* work, EFftDirection dir,
                       double scale) const {
    if (m_n == 0) {
        return;
    }
    const bool inv = dir == EFftDirection::Inverse;
    if (m_chirp) {
        if (inv) {
            Bluestein<true>(in, out, work);
        } else {
            Bluestein<false>(in, out, work);
        }
    } else if (m_lanes) {
        FftLanesAvx2(*m_lanes, inv, reinterpret_cast<const double*>(in),
                     reinterpret_cast<double*>(out), reinterpret_cast<double*>(work));
    } else {
        const Complex* src = in;
        if (in == out) {
            std::copy(in, in + m_n, work);
            src = work;
        }
        if (inv) {
            Mixed<true>(src, out);
        } else {
            Mixed<false>(src, out);
        }
    }
    if (scale != 1.0) {
        for (std::size_t k = 0; k < m_n; ++k) {
            out[k] = Scaled(out[k], scale);
        }
    }
}

namespace {

// Room for the work array plus the offset that starts it on a cache line.
std::size_t PaddedWorkSize(const CFftPlan& plan) {
    return plan.WorkSize() + (kCacheLine / sizeof(Complex) - 1);
}

} // namespace

CFft::CFft(std::size_t n) : m_plan(GetFftPlan(n)), m_work(PaddedWorkSize(*m_plan)) {}

CFft::CFft(std::shared_ptr<const CFftPlan> plan)
    : m_plan(std::move(plan)), m_work(PaddedWorkSize(*m_plan)) {}

CFft::CFft(const CFft& other) : m_plan(other.m_plan), m_work(PaddedWorkSize(*m_plan)) {}

CFft& CFft::operator=(const CFft& other) {
    if (this != &other) {
        m_plan = other.m_plan;
        m_work.assign(PaddedWorkSize(*m_plan), Complex(0.0));
    }
    return *this;
}

void CFft::Forward(const Complex* in, Complex* out, double scale) {
    m_plan->Execute(in, out, Work(), EFftDirection::Forward, scale);
}

void CFft::Inverse(const Complex* in, Complex* out) {
    const std::size_t n = m_plan->Size();
    Inverse(in, out, n > 0 ? 1.0 / static_cast<double>(n) : 1.0);
}

void CFft::Inverse(const Complex* in, Complex* out, double scale) {
    m_plan->Execute(in, out, Work(), EFftDirection::Inverse, scale);
}

CFft::Complex* CFft::Work() {
    const auto address = reinterpret_cast<std::uintptr_t>(m_work.data());
    const std::size_t skip = (kCacheLine - address % kCacheLine) % kCacheLine / sizeof(Complex);
    return m_work.data() + skip;
}

std::shared_ptr<const CFftPlan> GetFftPlan(std::size_t n) {
    return GetFftPlan(n, nullptr);
}

std::shared_ptr<const CFftPlan> GetFftPlan(std::size_t n, const std::atomic<int>* cancel) {
    // Most recently used last; a handful of lengths covers a session's transforms.
    static std::mutex lock;
    static std::vector<std::shared_ptr<const CFftPlan>> cache;
    constexpr std::size_t kCacheSize = 8;
    {
        std::lock_guard<std::mutex> guard(lock);
        for (auto it = cache.begin(); it != cache.end(); ++it) {
            if ((*it)->Size() == n) {
                auto plan = *it;
                cache.erase(it);
                cache.push_back(plan);
                return plan;
            }
        }
    }
    auto plan = std::make_shared<const CFftPlan>(n, true, cancel);
    if (!plan->Complete()) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(lock);
    cache.push_back(plan);
    if (cache.size() > kCacheSize) {
        cache.erase(cache.begin());
    }
    return plan;
}

std::vector<std::complex<double>> FftForward(const std::vector<std::complex<double>>& x) {
    std::vector<std::complex<double>> y(x.size());
    CFft(x.size()).Forward(x.data(), y.data());
    return y;
}

std::vector<std::complex<double>> FftInverse(const std::vector<std::complex<double>>& x) {
    std::vector<std::complex<double>> y(x.size());
    CFft(x.size()).Inverse(x.data(), y.data());
    return y;
}
