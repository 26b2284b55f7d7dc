#include "dsp/fft_avx512.h"

#if defined(__AVX512F__)

#include <immintrin.h>

// GCC 12 reports its own AVX-512 intrinsics' undefined pass-through operands as uninitialized
// (as "maybe" in optimised builds, as certain in the instrumented ones).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

namespace {

// Four complex numbers (re0, im0, ..., re3, im3).
struct SC4i {
    __m512d v;
};

inline SC4i operator+(SC4i a, SC4i b) {
    return {_mm512_add_pd(a.v, b.v)};
}
inline SC4i operator-(SC4i a, SC4i b) {
    return {_mm512_sub_pd(a.v, b.v)};
}
inline SC4i& operator+=(SC4i& a, SC4i b) {
    a.v = _mm512_add_pd(a.v, b.v);
    return a;
}
inline SC4i Scaled(SC4i a, double s) {
    return {_mm512_mul_pd(a.v, _mm512_set1_pd(s))};
}

// Flips the sign of the real parts (Inv) or of the imaginary parts.
template <bool Inv> inline __m512d FlipSigns(__m512d v) {
    const __m512d sign = Inv ? _mm512_set_pd(0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0)
                             : _mm512_set_pd(-0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0);
    return _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(v), _mm512_castpd_si512(sign)));
}

template <bool Inv> inline SC4i Rot(SC4i z) {
    return {FlipSigns<Inv>(_mm512_permute_pd(z.v, 0x55))};
}

inline SC4i MulParts(SC4i a, __m512d wr, __m512d wi, bool inv) {
    const __m512d t = _mm512_mul_pd(_mm512_permute_pd(a.v, 0x55), wi);
    return {inv ? _mm512_fmsubadd_pd(a.v, wr, t) : _mm512_fmaddsub_pd(a.v, wr, t)};
}

template <bool Inv> inline SC4i MulTw(SC4i a, SC4i w) {
    return MulParts(a, _mm512_movedup_pd(w.v), _mm512_permute_pd(w.v, 0xFF), Inv);
}

template <bool Inv> inline SC4i MulConst(SC4i a, double wr, double wi) {
    return MulParts(a, _mm512_set1_pd(wr), _mm512_set1_pd(wi), Inv);
}

struct SAvx512Policy {
    static constexpr std::size_t kStep = 4;
    static SC4i Load(const double* p) { return {_mm512_loadu_pd(p)}; }
    static void Store(double* p, SC4i x) { _mm512_storeu_pd(p, x.v); }
};

} // namespace

#include "dsp/fft_butterflies.h"

namespace {

// Registers b[0..3] hold bin k0..k0+3 of four leaves (leaf i in quarter i); on return b[i] holds
// bins k0..k0+3 of leaf i.
inline void TransposeQuarters(SC4i* b) {
    const __m512d t0 = _mm512_shuffle_f64x2(b[0].v, b[1].v, 0x44);
    const __m512d t1 = _mm512_shuffle_f64x2(b[0].v, b[1].v, 0xEE);
    const __m512d t2 = _mm512_shuffle_f64x2(b[2].v, b[3].v, 0x44);
    const __m512d t3 = _mm512_shuffle_f64x2(b[2].v, b[3].v, 0xEE);
    b[0].v = _mm512_shuffle_f64x2(t0, t2, 0x88);
    b[1].v = _mm512_shuffle_f64x2(t0, t2, 0xDD);
    b[2].v = _mm512_shuffle_f64x2(t1, t3, 0x88);
    b[3].v = _mm512_shuffle_f64x2(t1, t3, 0xDD);
}

// Where the leaf transform of L points leaves bin k.
template <std::size_t L> constexpr std::size_t BinAt(std::size_t k) {
    return L == 16 ? Dft16At(k) : k;
}

template <std::size_t L, bool Inv>
void LeafQuads(const double* in, std::size_t stride, std::size_t count, double* out,
               std::size_t outStep) {
    const std::size_t s = 2 * stride;
    for (std::size_t i = 0; i < count; i += 4) {
        SC4i a[L];
        for (std::size_t j = 0; j < L; ++j) {
            a[j] = SAvx512Policy::Load(in + 2 * i + j * s);
        }
        if constexpr (L == 16) {
            Dft16<Inv>(a);
        } else {
            Dft8<Inv>(a);
        }
        double* o = out + 2 * i * outStep;
        for (std::size_t k = 0; k < L; k += 4) {
            SC4i b[4] = {a[BinAt<L>(k)], a[BinAt<L>(k + 1)], a[BinAt<L>(k + 2)],
                         a[BinAt<L>(k + 3)]};
            TransposeQuarters(b);
            for (std::size_t q = 0; q < 4; ++q) {
                SAvx512Policy::Store(o + 2 * (q * outStep + k), b[q]);
            }
        }
    }
}

template <bool Inv>
void LeafQuadsOf(std::size_t size, const double* in, std::size_t stride, std::size_t count,
                 double* out, std::size_t outStep) {
    if (size == 16) {
        LeafQuads<16, Inv>(in, stride, count, out, outStep);
    } else {
        LeafQuads<8, Inv>(in, stride, count, out, outStep);
    }
}

} // namespace

bool FftAvx512Built() {
    return true;
}

void FftLeafQuadsAvx512(std::size_t size, bool inverse, const double* in, std::size_t stride,
                        std::size_t count, double* out, std::size_t outStep) {
    if (inverse) {
        LeafQuadsOf<true>(size, in, stride, count, out, outStep);
    } else {
        LeafQuadsOf<false>(size, in, stride, count, out, outStep);
    }
}

void FftTwiddlePassAvx512(std::size_t p, bool inverse, double* data, std::size_t m,
                          const double* twiddles) {
    if (inverse) {
        TwiddlePass<SAvx512Policy, true>(p, data, m, twiddles, 0, m);
    } else {
        TwiddlePass<SAvx512Policy, false>(p, data, m, twiddles, 0, m);
    }
}

#else

bool FftAvx512Built() {
    return false;
}

void FftTwiddlePassAvx512(std::size_t, bool, double*, std::size_t, const double*) {}

void FftLeafQuadsAvx512(std::size_t, bool, const double*, std::size_t, std::size_t, double*,
                        std::size_t) {}

#endif
