#include "dsp/fft_avx2.h"

#if defined(__AVX2__) && defined(__FMA__)

#include <immintrin.h>

namespace {

// Two complex numbers (re0, im0, re1, im1).
struct SC2 {
    __m256d v;
};

inline SC2 operator+(SC2 a, SC2 b) {
    return {_mm256_add_pd(a.v, b.v)};
}
inline SC2 operator-(SC2 a, SC2 b) {
    return {_mm256_sub_pd(a.v, b.v)};
}
inline SC2& operator+=(SC2& a, SC2 b) {
    a.v = _mm256_add_pd(a.v, b.v);
    return a;
}
inline SC2 Scaled(SC2 a, double s) {
    return {_mm256_mul_pd(a.v, _mm256_set1_pd(s))};
}

template <bool Inv> inline SC2 Rot(SC2 z) {
    const __m256d swapped = _mm256_permute_pd(z.v, 0x5);
    const __m256d sign =
        Inv ? _mm256_set_pd(0.0, -0.0, 0.0, -0.0) : _mm256_set_pd(-0.0, 0.0, -0.0, 0.0);
    return {_mm256_xor_pd(swapped, sign)};
}

template <bool Inv> inline SC2 MulTw(SC2 a, SC2 w) {
    const __m256d wr = _mm256_movedup_pd(w.v);
    const __m256d wi = _mm256_permute_pd(w.v, 0xF);
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), wi);
    return {Inv ? _mm256_fmsubadd_pd(a.v, wr, t) : _mm256_fmaddsub_pd(a.v, wr, t)};
}

template <bool Inv> inline SC2 MulConst(SC2 a, double wr, double wi) {
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), _mm256_set1_pd(wi));
    const __m256d r = _mm256_set1_pd(wr);
    return {Inv ? _mm256_fmsubadd_pd(a.v, r, t) : _mm256_fmaddsub_pd(a.v, r, t)};
}

// Four complex numbers, one per lane, with the real parts and the imaginary parts apart.
struct SC4 {
    __m256d re, im;
};

inline SC4 operator+(SC4 a, SC4 b) {
    return {_mm256_add_pd(a.re, b.re), _mm256_add_pd(a.im, b.im)};
}
inline SC4 operator-(SC4 a, SC4 b) {
    return {_mm256_sub_pd(a.re, b.re), _mm256_sub_pd(a.im, b.im)};
}
inline SC4& operator+=(SC4& a, SC4 b) {
    a = a + b;
    return a;
}
inline SC4 Scaled(SC4 a, double s) {
    const __m256d v = _mm256_set1_pd(s);
    return {_mm256_mul_pd(a.re, v), _mm256_mul_pd(a.im, v)};
}

template <bool Inv> inline SC4 Rot(SC4 z) {
    const __m256d sign = _mm256_set1_pd(-0.0);
    if constexpr (Inv) {
        return {_mm256_xor_pd(z.im, sign), z.re};
    } else {
        return {z.im, _mm256_xor_pd(z.re, sign)};
    }
}

// a·w, or a·conj(w) for the inverse, with w's real and imaginary parts given per lane.
template <bool Inv> inline SC4 MulTw(SC4 a, __m256d wr, __m256d wi) {
    if constexpr (Inv) {
        return {_mm256_fmadd_pd(a.re, wr, _mm256_mul_pd(a.im, wi)),
                _mm256_fmsub_pd(a.im, wr, _mm256_mul_pd(a.re, wi))};
    } else {
        return {_mm256_fmsub_pd(a.re, wr, _mm256_mul_pd(a.im, wi)),
                _mm256_fmadd_pd(a.re, wi, _mm256_mul_pd(a.im, wr))};
    }
}

template <bool Inv> inline SC4 MulConst(SC4 a, double wr, double wi) {
    return MulTw<Inv>(a, _mm256_set1_pd(wr), _mm256_set1_pd(wi));
}

struct SAvx2Policy {
    static constexpr std::size_t kStep = 2;
    static SC2 Load(const double* p) { return {_mm256_loadu_pd(p)}; }
    static void Store(double* p, SC2 x) { _mm256_storeu_pd(p, x.v); }
};

} // namespace

#include "dsp/fft_butterflies.h"

namespace {

inline SC2 LoadPair(const double* lo, const double* hi) {
    return {_mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(lo)), _mm_loadu_pd(hi), 1)};
}
// (low halves of a and b), (high halves of a and b).
inline SC2 Lows(SC2 a, SC2 b) {
    return {_mm256_permute2f128_pd(a.v, b.v, 0x20)};
}
inline SC2 Highs(SC2 a, SC2 b) {
    return {_mm256_permute2f128_pd(a.v, b.v, 0x31)};
}

// e^(-j2πj/16) for j = 0..9 as (re, im) pairs.
constexpr double kC1 = 0.92387953251128675613, kS1 = 0.38268343236508977173;
constexpr double kR2 = 0.70710678118654752440;
alignas(32) constexpr double kW16[10][2] = {{1.0, 0.0},  {kC1, -kS1},  {kR2, -kR2},  {kS1, -kC1},
                                            {0.0, -1.0}, {-kS1, -kC1}, {-kR2, -kR2}, {-kC1, -kS1},
                                            {-1.0, 0.0}, {-kC1, kS1}};

// The constant twiddles W_16^j0 and W_16^j1 with their real and imaginary parts each duplicated
// (wr0, wr0, wr1, wr1), (wi0, wi0, wi1, wi1): with constant indices they fold into two vector
// constants, so a product needs no loading or shuffling of the twiddle.
struct STwPair {
    __m256d re, im;
};

inline STwPair TwPair(int j0, int j1) {
    return {_mm256_set_pd(kW16[j1][0], kW16[j1][0], kW16[j0][0], kW16[j0][0]),
            _mm256_set_pd(kW16[j1][1], kW16[j1][1], kW16[j0][1], kW16[j0][1])};
}

template <bool Inv> inline SC2 MulTw(SC2 a, STwPair w) {
    const __m256d t = _mm256_mul_pd(_mm256_permute_pd(a.v, 0x5), w.im);
    return {Inv ? _mm256_fmsubadd_pd(a.v, w.re, t) : _mm256_fmaddsub_pd(a.v, w.re, t)};
}

// 16 points as 4 × 4 (n = 4·n1 + n2, k = k1 + 4·k2), columns n2 taken two at a time.
template <bool Inv> void Leaf16(const double* in, std::size_t stride, double* out) {
    const std::size_t s = 2 * stride;
    SC2 y[2][4];
    for (std::size_t h = 0; h < 2; ++h) {
        const std::size_t n2 = 2 * h;
        SC2 a0 = LoadPair(in + n2 * s, in + (n2 + 1) * s);
        SC2 a1 = LoadPair(in + (n2 + 4) * s, in + (n2 + 5) * s);
        SC2 a2 = LoadPair(in + (n2 + 8) * s, in + (n2 + 9) * s);
        SC2 a3 = LoadPair(in + (n2 + 12) * s, in + (n2 + 13) * s);
        Dft4<Inv>(a0, a1, a2, a3);
        const int j = static_cast<int>(n2);
        y[h][0] = a0;
        y[h][1] = MulTw<Inv>(a1, TwPair(j, j + 1));
        y[h][2] = MulTw<Inv>(a2, TwPair(2 * j, 2 * j + 2));
        y[h][3] = MulTw<Inv>(a3, TwPair(3 * j, 3 * j + 3));
    }
    for (std::size_t k1 = 0; k1 < 4; k1 += 2) {
        SC2 b0 = Lows(y[0][k1], y[0][k1 + 1]);
        SC2 b1 = Highs(y[0][k1], y[0][k1 + 1]);
        SC2 b2 = Lows(y[1][k1], y[1][k1 + 1]);
        SC2 b3 = Highs(y[1][k1], y[1][k1 + 1]);
        Dft4<Inv>(b0, b1, b2, b3);
        SAvx2Policy::Store(out + 2 * k1, b0);
        SAvx2Policy::Store(out + 2 * (k1 + 4), b1);
        SAvx2Policy::Store(out + 2 * (k1 + 8), b2);
        SAvx2Policy::Store(out + 2 * (k1 + 12), b3);
    }
}

// 8 points as 4 × 2 (n = 2·n1 + n2, k = k1 + 4·k2).
template <bool Inv> void Leaf8(const double* in, std::size_t stride, double* out) {
    const std::size_t s = 2 * stride;
    SC2 a0 = LoadPair(in, in + s);
    SC2 a1 = LoadPair(in + 2 * s, in + 3 * s);
    SC2 a2 = LoadPair(in + 4 * s, in + 5 * s);
    SC2 a3 = LoadPair(in + 6 * s, in + 7 * s);
    Dft4<Inv>(a0, a1, a2, a3);
    a1 = MulTw<Inv>(a1, TwPair(0, 2));
    a2 = MulTw<Inv>(a2, TwPair(0, 4));
    a3 = MulTw<Inv>(a3, TwPair(0, 6));
    const SC2 e01 = Lows(a0, a1), o01 = Highs(a0, a1);
    const SC2 e23 = Lows(a2, a3), o23 = Highs(a2, a3);
    SAvx2Policy::Store(out, e01 + o01);
    SAvx2Policy::Store(out + 4, e23 + o23);
    SAvx2Policy::Store(out + 8, e01 - o01);
    SAvx2Policy::Store(out + 12, e23 - o23);
}

} // namespace

bool FftAvx2Built() {
    return true;
}

namespace {
template <bool Inv>
void Leaves(std::size_t size, const double* in, std::size_t stride, std::size_t step,
            std::size_t count, double* out) {
    if (size == 16) {
        for (std::size_t r = 0; r < count; ++r) {
            Leaf16<Inv>(in + 2 * r * step, stride, out + 2 * 16 * r);
        }
    } else {
        for (std::size_t r = 0; r < count; ++r) {
            Leaf8<Inv>(in + 2 * r * step, stride, out + 2 * 8 * r);
        }
    }
}
} // namespace

void FftLeavesAvx2(std::size_t size, bool inverse, const double* in, std::size_t stride,
                   std::size_t step, std::size_t count, double* out) {
    if (inverse) {
        Leaves<true>(size, in, stride, step, count, out);
    } else {
        Leaves<false>(size, in, stride, step, count, out);
    }
}

std::size_t FftTwiddlePassAvx2(std::size_t p, bool inverse, double* data, std::size_t m,
                               const double* twiddles) {
    const std::size_t end = m & ~std::size_t(1);
    if (inverse) {
        TwiddlePass<SAvx2Policy, true>(p, data, m, twiddles, 0, end);
    } else {
        TwiddlePass<SAvx2Policy, false>(p, data, m, twiddles, 0, end);
    }
    return end;
}

namespace {

// A lane transform's value k (four complex numbers) in the work array: 4 real parts, 4 imaginary.
inline SC4 LoadLanes(const double* p) {
    return {_mm256_loadu_pd(p), _mm256_loadu_pd(p + 4)};
}
inline void StoreLanes(double* p, SC4 z) {
    _mm256_storeu_pd(p, z.re);
    _mm256_storeu_pd(p + 4, z.im);
}

// x[4i .. 4i+3] from the interleaved input, one subsequence per lane in the order 0, 2, 1, 3.
inline SC4 LoadInput(const double* p) {
    const __m256d a = _mm256_loadu_pd(p);
    const __m256d b = _mm256_loadu_pd(p + 4);
    return {_mm256_unpacklo_pd(a, b), _mm256_unpackhi_pd(a, b)};
}

// Four consecutive complex numbers back to (re, im) pairs.
inline void StoreOutput(double* p, SC4 z) {
    const __m256d lo = _mm256_unpacklo_pd(z.re, z.im);
    const __m256d hi = _mm256_unpackhi_pd(z.re, z.im);
    _mm256_storeu_pd(p, _mm256_permute2f128_pd(lo, hi, 0x20));
    _mm256_storeu_pd(p + 4, _mm256_permute2f128_pd(lo, hi, 0x31));
}

// Rows become lanes: on return v[j] holds lane j of the four inputs, in their order.
inline void Transpose(__m256d v[4]) {
    const __m256d t0 = _mm256_unpacklo_pd(v[0], v[1]);
    const __m256d t1 = _mm256_unpackhi_pd(v[0], v[1]);
    const __m256d t2 = _mm256_unpacklo_pd(v[2], v[3]);
    const __m256d t3 = _mm256_unpackhi_pd(v[2], v[3]);
    v[0] = _mm256_permute2f128_pd(t0, t2, 0x20);
    v[1] = _mm256_permute2f128_pd(t1, t3, 0x20);
    v[2] = _mm256_permute2f128_pd(t0, t2, 0x31);
    v[3] = _mm256_permute2f128_pd(t1, t3, 0x31);
}

template <std::size_t P, bool Inv> inline void LaneDft(SC4* a) {
    if constexpr (P == 8) {
        Dft8<Inv>(a);
    } else if constexpr (P == 4) {
        Dft4<Inv>(a[0], a[1], a[2], a[3]);
    } else {
        Dft2<Inv>(a[0], a[1]);
    }
}

// The leaf of radix P of the lane transforms, from the input's values in[j·stride].
template <std::size_t P, bool Inv>
void LaneLeaf(const double* in, std::size_t stride, double* out) {
    const std::size_t s = 8 * stride;
    SC4 a[P];
    for (std::size_t j = 0; j < P; ++j) {
        a[j] = LoadInput(in + j * s);
    }
    LaneDft<P, Inv>(a);
    for (std::size_t j = 0; j < P; ++j) {
        StoreLanes(out + 8 * j, a[j]);
    }
}

// The twiddle pass of radix P over m values of the lane transforms (twiddles alike in every lane).
template <std::size_t P, bool Inv>
void LaneTwiddlePass(double* data, std::size_t m, const double* tw) {
    const std::size_t m8 = 8 * m;
    for (std::size_t k = 0; k < m; ++k) {
        double* o = data + 8 * k;
        SC4 a[P];
        a[0] = LoadLanes(o);
        for (std::size_t r = 1; r < P; ++r) {
            const double* w = tw + 2 * ((r - 1) * m + k);
            a[r] = MulTw<Inv>(LoadLanes(o + r * m8), _mm256_broadcast_sd(w),
                              _mm256_broadcast_sd(w + 1));
        }
        LaneDft<P, Inv>(a);
        for (std::size_t r = 0; r < P; ++r) {
            StoreLanes(o + r * m8, a[r]);
        }
    }
}

// The p leaves of radix L under one pass: the r-th from in[r·stride + j·p·stride].
template <std::size_t L, bool Inv>
void LaneLeaves(std::size_t p, const double* in, std::size_t stride, double* out) {
    for (std::size_t r = 0; r < p; ++r) {
        LaneLeaf<L, Inv>(in + 8 * r * stride, stride * p, out + 8 * r * L);
    }
}

// Decimation in time over the lane transforms, depth first as in the scalar plan.
template <bool Inv>
void LaneRecurse(const std::size_t* radix, std::size_t span, const double* tw, const double* in,
                 std::size_t stride, double* out) {
    const std::size_t p = *radix;
    const std::size_t m = span / p;
    if (m == 1) {
        if (p == 8) {
            LaneLeaf<8, Inv>(in, stride, out);
        } else if (p == 4) {
            LaneLeaf<4, Inv>(in, stride, out);
        } else {
            LaneLeaf<2, Inv>(in, stride, out);
        }
        return;
    }
    const double* next = tw + 2 * (p - 1) * m;
    if (radix[1] == m) {
        // The leaves of this pass in one loop.
        if (m == 8) {
            LaneLeaves<8, Inv>(p, in, stride, out);
        } else if (m == 4) {
            LaneLeaves<4, Inv>(p, in, stride, out);
        } else {
            LaneLeaves<2, Inv>(p, in, stride, out);
        }
    } else {
        for (std::size_t r = 0; r < p; ++r) {
            LaneRecurse<Inv>(radix + 1, m, next, in + 8 * r * stride, stride * p, out + 8 * r * m);
        }
    }
    if (p == 8) {
        LaneTwiddlePass<8, Inv>(out, m, tw);
    } else if (p == 4) {
        LaneTwiddlePass<4, Inv>(out, m, tw);
    } else {
        LaneTwiddlePass<2, Inv>(out, m, tw);
    }
}

// X[k + q·n/4] = Σ_l W_4^(lq)·W_n^(lk)·Y_l[k], four bins k at a time.
template <bool Inv>
void LaneJoin(const double* lanes, std::size_t quarter, const double* jt, double* out) {
    for (std::size_t k = 0; k < quarter; k += 4) {
        const double* e = lanes + 8 * k;
        __m256d re[4] = {_mm256_loadu_pd(e), _mm256_loadu_pd(e + 8), _mm256_loadu_pd(e + 16),
                         _mm256_loadu_pd(e + 24)};
        __m256d im[4] = {_mm256_loadu_pd(e + 4), _mm256_loadu_pd(e + 12), _mm256_loadu_pd(e + 20),
                         _mm256_loadu_pd(e + 28)};
        Transpose(re);
        Transpose(im);
        // Lanes hold the subsequences 0, 2, 1, 3.
        SC4 a0{re[0], im[0]};
        SC4 a1{re[2], im[2]};
        SC4 a2{re[1], im[1]};
        SC4 a3{re[3], im[3]};
        const double* w = jt + k;
        const std::size_t h = quarter;
        a1 = MulTw<Inv>(a1, _mm256_loadu_pd(w), _mm256_loadu_pd(w + h));
        a2 = MulTw<Inv>(a2, _mm256_loadu_pd(w + 2 * h), _mm256_loadu_pd(w + 3 * h));
        a3 = MulTw<Inv>(a3, _mm256_loadu_pd(w + 4 * h), _mm256_loadu_pd(w + 5 * h));
        Dft4<Inv>(a0, a1, a2, a3);
        StoreOutput(out + 2 * k, a0);
        StoreOutput(out + 2 * (k + h), a1);
        StoreOutput(out + 2 * (k + 2 * h), a2);
        StoreOutput(out + 2 * (k + 3 * h), a3);
    }
}

template <bool Inv>
void Lanes(const SFftLanePlan& plan, const double* in, double* out, double* work) {
    const std::size_t quarter = plan.n / 4;
    LaneRecurse<Inv>(plan.radices.data(), quarter, plan.twiddles.data(), in, 1, work);
    LaneJoin<Inv>(work, quarter, plan.joinTwiddles.data(), out);
}

} // namespace

void FftLanesAvx2(const SFftLanePlan& plan, bool inverse, const double* in, double* out,
                  double* work) {
    if (inverse) {
        Lanes<true>(plan, in, out, work);
    } else {
        Lanes<false>(plan, in, out, work);
    }
}

#else

bool FftAvx2Built() {
    return false;
}

void FftLeavesAvx2(std::size_t, bool, const double*, std::size_t, std::size_t, std::size_t,
                   double*) {}

std::size_t FftTwiddlePassAvx2(std::size_t, bool, double*, std::size_t, const double*) {
    return 0;
}

void FftLanesAvx2(const SFftLanePlan&, bool, const double*, double*, double*) {}

#endif
