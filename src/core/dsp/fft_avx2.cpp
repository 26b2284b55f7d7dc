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

#else

bool FftAvx2Built() {
    return false;
}

void FftLeavesAvx2(std::size_t, bool, const double*, std::size_t, std::size_t, std::size_t,
                   double*) {}

std::size_t FftTwiddlePassAvx2(std::size_t, bool, double*, std::size_t, const double*) {
    return 0;
}

#endif
