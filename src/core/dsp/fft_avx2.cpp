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

bool FftAvx2Built() {
    return true;
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

std::size_t FftTwiddlePassAvx2(std::size_t, bool, double*, std::size_t, const double*) {
    return 0;
}

#endif
