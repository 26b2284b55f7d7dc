#include "dsp/fft.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace {

using Complex = std::complex<double>;

// e^(-j2πj/n), evaluated in extended precision so that every twiddle is correctly rounded.
Complex UnitRoot(std::uint64_t j, std::uint64_t n) {
    const long double pi2 = 6.283185307179586476925286766559L;
    const long double angle = pi2 * static_cast<long double>(j % n) / static_cast<long double>(n);
    return {static_cast<double>(std::cos(angle)), static_cast<double>(-std::sin(angle))};
}

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

constexpr double kSin60 = 0.86602540378443864676372317075294;
constexpr double kCos72 = 0.30901699437494742410229341718282;
constexpr double kCos144 = -0.80901699437494742410229341718282;
constexpr double kSin72 = 0.95105651629515357211643933337938;
constexpr double kSin144 = 0.58778525229247312916870595463907;

template <bool Inv> inline void Dft2(Complex& a0, Complex& a1) {
    const Complex t = a0 - a1;
    a0 += a1;
    a1 = t;
}

template <bool Inv> inline void Dft3(Complex& a0, Complex& a1, Complex& a2) {
    const Complex t1 = a1 + a2;
    const Complex t2 = a0 - Scaled(t1, 0.5);
    const Complex t3 = Scaled(Rot<Inv>(a1 - a2), kSin60);
    a0 += t1;
    a1 = t2 + t3;
    a2 = t2 - t3;
}

template <bool Inv> inline void Dft4(Complex& a0, Complex& a1, Complex& a2, Complex& a3) {
    const Complex t0 = a0 + a2;
    const Complex t1 = a0 - a2;
    const Complex t2 = a1 + a3;
    const Complex t3 = Rot<Inv>(a1 - a3);
    a0 = t0 + t2;
    a2 = t0 - t2;
    a1 = t1 + t3;
    a3 = t1 - t3;
}

template <bool Inv>
inline void Dft5(Complex& a0, Complex& a1, Complex& a2, Complex& a3, Complex& a4) {
    const Complex b1 = a1 + a4;
    const Complex b2 = a2 + a3;
    const Complex d1 = a1 - a4;
    const Complex d2 = a2 - a3;
    const Complex r1 = a0 + Scaled(b1, kCos72) + Scaled(b2, kCos144);
    const Complex r2 = a0 + Scaled(b1, kCos144) + Scaled(b2, kCos72);
    const Complex i1 = Rot<Inv>(Scaled(d1, kSin72) + Scaled(d2, kSin144));
    const Complex i2 = Rot<Inv>(Scaled(d1, kSin144) - Scaled(d2, kSin72));
    a0 += b1 + b2;
    a1 = r1 + i1;
    a4 = r1 - i1;
    a2 = r2 + i2;
    a3 = r2 - i2;
}

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

// Radices of a length: fours first, then a two, threes, fives and the remaining primes. The
// passes run from the last entry (the whole length) down to the first.
std::vector<std::size_t> Factorize(std::size_t n) {
    std::vector<std::size_t> f;
    while (n % 4 == 0) {
        f.push_back(4);
        n /= 4;
    }
    if (n % 2 == 0) {
        f.push_back(2);
        n /= 2;
    }
    for (std::size_t p : {3, 5}) {
        while (n % p == 0) {
            f.push_back(p);
            n /= p;
        }
    }
    for (std::size_t p = 7; p * p <= n; p += 2) {
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

} // namespace

struct CFftPlan::SChirp {
    std::size_t m = 0;               // power-of-two length of the convolution
    std::unique_ptr<CFftPlan> sub;   // plan of length m
    std::vector<Complex> chirp;      // e^(-jπk²/n), k = 0..n-1
    std::vector<Complex> filterBins; // DFT of the conjugate chirp filter, divided by m
};

CFftPlan::CFftPlan(std::size_t n) : m_n(n), m_workSize(n) {
    if (n <= 1) {
        return;
    }
    const std::vector<std::size_t> factors = Factorize(n);
    if (factors.back() > kMaxDirectPrime) {
        // Bluestein's chirp-z algorithm: X_k = w_k · Σ (x_j w_j)·conj(w_(k-j)), w_k = e^(-jπk²/n),
        // a linear convolution done as a cyclic one of a power-of-two length m ≥ 2n-1.
        auto chirp = std::make_unique<SChirp>();
        std::size_t m = 1;
        while (m < 2 * n - 1) {
            m *= 2;
        }
        chirp->m = m;
        chirp->sub = std::make_unique<CFftPlan>(m);
        chirp->chirp.resize(n);
        const std::uint64_t twoN = 2 * static_cast<std::uint64_t>(n);
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint64_t kk = static_cast<std::uint64_t>(k) * k % twoN;
            chirp->chirp[k] = UnitRoot(kk, twoN);
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
    m_radices.assign(factors.rbegin(), factors.rend());
    std::size_t span = n;
    for (std::size_t p : m_radices) {
        SPass pass{p, span, m_twiddles.size()};
        const std::size_t m = span / p;
        if (m > 1) {
            for (std::size_t k = 0; k < m; ++k) {
                for (std::size_t r = 1; r < p; ++r) {
                    m_twiddles.push_back(UnitRoot(r * k, span));
                }
            }
        }
        std::vector<double> cosT, sinT;
        if (p > 5) {
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
}

CFftPlan::~CFftPlan() = default;

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
        default:
            for (std::size_t r = 0; r < p; ++r) {
                out[r] = in[r * stride];
            }
            DftOdd<Inv>(out, p, m_oddCos[pass].data(), m_oddSin[pass].data());
            return;
        }
    }
    for (std::size_t r = 0; r < p; ++r) {
        Recurse<Inv>(pass + 1, in + r * stride, stride * p, out + r * m);
    }
    const Complex* tw = m_twiddles.data() + ps.twiddleOffset;
    switch (p) {
    case 2:
        for (std::size_t k = 0; k < m; ++k, tw += 1) {
            Complex a0 = out[k], a1 = MulTw<Inv>(out[k + m], tw[0]);
            Dft2<Inv>(a0, a1);
            out[k] = a0;
            out[k + m] = a1;
        }
        break;
    case 3:
        for (std::size_t k = 0; k < m; ++k, tw += 2) {
            Complex a0 = out[k], a1 = MulTw<Inv>(out[k + m], tw[0]),
                    a2 = MulTw<Inv>(out[k + 2 * m], tw[1]);
            Dft3<Inv>(a0, a1, a2);
            out[k] = a0;
            out[k + m] = a1;
            out[k + 2 * m] = a2;
        }
        break;
    case 4:
        for (std::size_t k = 0; k < m; ++k, tw += 3) {
            Complex a0 = out[k], a1 = MulTw<Inv>(out[k + m], tw[0]),
                    a2 = MulTw<Inv>(out[k + 2 * m], tw[1]), a3 = MulTw<Inv>(out[k + 3 * m], tw[2]);
            Dft4<Inv>(a0, a1, a2, a3);
            out[k] = a0;
            out[k + m] = a1;
            out[k + 2 * m] = a2;
            out[k + 3 * m] = a3;
        }
        break;
    case 5:
        for (std::size_t k = 0; k < m; ++k, tw += 4) {
            Complex a0 = out[k], a1 = MulTw<Inv>(out[k + m], tw[0]),
                    a2 = MulTw<Inv>(out[k + 2 * m], tw[1]), a3 = MulTw<Inv>(out[k + 3 * m], tw[2]),
                    a4 = MulTw<Inv>(out[k + 4 * m], tw[3]);
            Dft5<Inv>(a0, a1, a2, a3, a4);
            out[k] = a0;
            out[k + m] = a1;
            out[k + 2 * m] = a2;
            out[k + 3 * m] = a3;
            out[k + 4 * m] = a4;
        }
        break;
    default: {
        Complex a[kMaxDirectPrime + 1];
        for (std::size_t k = 0; k < m; ++k, tw += p - 1) {
            a[0] = out[k];
            for (std::size_t r = 1; r < p; ++r) {
                a[r] = MulTw<Inv>(out[k + r * m], tw[r - 1]);
            }
            DftOdd<Inv>(a, p, m_oddCos[pass].data(), m_oddSin[pass].data());
            for (std::size_t r = 0; r < p; ++r) {
                out[k + r * m] = a[r];
            }
        }
        break;
    }
    }
}

template <bool Inv> void CFftPlan::Mixed(const Complex* in, Complex* out) const {
    if (m_n == 1) {
        out[0] = in[0];
        return;
    }
    Recurse<Inv>(0, in, 1, out);
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

CFft::CFft(std::size_t n) : m_plan(GetFftPlan(n)), m_work(m_plan->WorkSize()) {}

CFft::CFft(const CFft& other) : m_plan(other.m_plan), m_work(m_plan->WorkSize()) {}

CFft& CFft::operator=(const CFft& other) {
    if (this != &other) {
        m_plan = other.m_plan;
        m_work.assign(m_plan->WorkSize(), Complex(0.0));
    }
    return *this;
}

void CFft::Forward(const Complex* in, Complex* out, double scale) {
    m_plan->Execute(in, out, m_work.data(), EFftDirection::Forward, scale);
}

void CFft::Inverse(const Complex* in, Complex* out) {
    const std::size_t n = m_plan->Size();
    Inverse(in, out, n > 0 ? 1.0 / static_cast<double>(n) : 1.0);
}

void CFft::Inverse(const Complex* in, Complex* out, double scale) {
    m_plan->Execute(in, out, m_work.data(), EFftDirection::Inverse, scale);
}

std::shared_ptr<const CFftPlan> GetFftPlan(std::size_t n) {
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
    auto plan = std::make_shared<const CFftPlan>(n);
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
