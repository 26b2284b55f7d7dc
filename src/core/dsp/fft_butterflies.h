#pragma once

// Butterflies and twiddle passes of the mixed-radix FFT, written once for any value type T that
// holds one or more complex numbers. Before including this header a translation unit declares,
// for its T: +, -, +=, Scaled(T, double), Rot<Inv>(T) (multiplication by -j, or +j for the
// inverse), MulTw<Inv>(T a, T w) (a·w, or a·conj(w) for the inverse) and a policy class with
// Load, Store and kStep (complex numbers per value); the 16-point transform also needs
// MulConst<Inv>(T a, double wr, double wi), the product with the constant w = wr + j·wi. Everything
// here has internal linkage, so translation units built for different instruction sets never share
// a definition.

#include <cstddef>
#include <utility>

namespace {

constexpr double kSin60 = 0.86602540378443864676372317075294;
constexpr double kCos72 = 0.30901699437494742410229341718282;
constexpr double kCos144 = -0.80901699437494742410229341718282;
constexpr double kSin72 = 0.95105651629515357211643933337938;
constexpr double kSin144 = 0.58778525229247312916870595463907;

template <bool Inv, class T> inline void Dft2(T& a0, T& a1) {
    const T t = a0 - a1;
    a0 += a1;
    a1 = t;
}

template <bool Inv, class T> inline void Dft3(T& a0, T& a1, T& a2) {
    const T t1 = a1 + a2;
    const T t2 = a0 - Scaled(t1, 0.5);
    const T t3 = Scaled(Rot<Inv>(a1 - a2), kSin60);
    a0 += t1;
    a1 = t2 + t3;
    a2 = t2 - t3;
}

template <bool Inv, class T> inline void Dft4(T& a0, T& a1, T& a2, T& a3) {
    const T t0 = a0 + a2;
    const T t1 = a0 - a2;
    const T t2 = a1 + a3;
    const T t3 = Rot<Inv>(a1 - a3);
    a0 = t0 + t2;
    a2 = t0 - t2;
    a1 = t1 + t3;
    a3 = t1 - t3;
}

// 8 points as two of 4 (evens and odds) joined by W_8^k.
template <bool Inv, class T> inline void Dft8(T* a) {
    constexpr double kSqrtHalf = 0.70710678118654752440084436210485;
    T e0 = a[0], e1 = a[2], e2 = a[4], e3 = a[6];
    T o0 = a[1], o1 = a[3], o2 = a[5], o3 = a[7];
    Dft4<Inv>(e0, e1, e2, e3);
    Dft4<Inv>(o0, o1, o2, o3);
    o1 = Scaled(o1 + Rot<Inv>(o1), kSqrtHalf);
    o2 = Rot<Inv>(o2);
    o3 = Scaled(Rot<Inv>(o3) - o3, kSqrtHalf);
    a[0] = e0 + o0;
    a[4] = e0 - o0;
    a[1] = e1 + o1;
    a[5] = e1 - o1;
    a[2] = e2 + o2;
    a[6] = e2 - o2;
    a[3] = e3 + o3;
    a[7] = e3 - o3;
}

// cos(2πj/16) for j = 0..4; the other twiddles of the 16-point transform follow by symmetry.
constexpr double kCos16[5] = {1.0, 0.92387953251128675613, 0.70710678118654752440,
                              0.38268343236508977173, 0.0};

constexpr double Cos16(std::size_t j) {
    j %= 16;
    if (j <= 4) {
        return kCos16[j];
    }
    if (j <= 8) {
        return -kCos16[8 - j];
    }
    if (j <= 12) {
        return -kCos16[j - 8];
    }
    return kCos16[16 - j];
}

// a·W_16^E (a·W_16^-E for the inverse) for a constant exponent E.
template <bool Inv, std::size_t E, class T> inline T TwConst16(T a) {
    constexpr std::size_t e = E % 16;
    if constexpr (e == 0) {
        return a;
    } else if constexpr (e == 4) {
        return Rot<Inv>(a);
    } else {
        // W_16^e = cos(2πe/16) - j·sin(2πe/16), and sin(x) = cos(x - π/2).
        return MulConst<Inv>(a, Cos16(e), -Cos16(e + 12));
    }
}

// Column n2 of Dft16: the 4-point transform of a[4·n1 + n2], then times W_16^(n2·k1).
template <bool Inv, std::size_t N2, class T> inline void Dft16Column(T* a) {
    Dft4<Inv>(a[N2], a[N2 + 4], a[N2 + 8], a[N2 + 12]);
    a[N2 + 4] = TwConst16<Inv, N2>(a[N2 + 4]);
    a[N2 + 8] = TwConst16<Inv, 2 * N2>(a[N2 + 8]);
    a[N2 + 12] = TwConst16<Inv, 3 * N2>(a[N2 + 12]);
}

// 16 points in place as 4 × 4 (n = 4·n1 + n2, k = k1 + 4·k2): bin k ends up in a[Dft16At(k)].
template <bool Inv, class T> inline void Dft16(T* a) {
    [&]<std::size_t... N2>(std::index_sequence<N2...>) {
        (Dft16Column<Inv, N2>(a), ...);
    }
    (std::make_index_sequence<4>{});
    for (std::size_t k1 = 0; k1 < 4; ++k1) {
        Dft4<Inv>(a[4 * k1], a[4 * k1 + 1], a[4 * k1 + 2], a[4 * k1 + 3]);
    }
}

constexpr std::size_t Dft16At(std::size_t k) {
    return 4 * (k % 4) + k / 4;
}

template <bool Inv, class T> inline void Dft5(T& a0, T& a1, T& a2, T& a3, T& a4) {
    const T b1 = a1 + a4;
    const T b2 = a2 + a3;
    const T d1 = a1 - a4;
    const T d2 = a2 - a3;
    const T r1 = a0 + Scaled(b1, kCos72) + Scaled(b2, kCos144);
    const T r2 = a0 + Scaled(b1, kCos144) + Scaled(b2, kCos72);
    const T i1 = Rot<Inv>(Scaled(d1, kSin72) + Scaled(d2, kSin144));
    const T i2 = Rot<Inv>(Scaled(d1, kSin144) - Scaled(d2, kSin72));
    a0 += b1 + b2;
    a1 = r1 + i1;
    a4 = r1 - i1;
    a2 = r2 + i2;
    a3 = r2 - i2;
}

// One twiddle pass of radix p (2, 3, 4, 5 or 8) over bins k = kBegin..kEnd-1 (a multiple of
// P::kStep of them): with Y_r[k] = data[k + r·m] and the twiddles tw[(r-1)·m + k] = W_S^(rk),
// data[k + q·m] = Σ_r W_p^(rq)·W_S^(rk)·Y_r[k]. Complex numbers are stored as (re, im) pairs.
template <class P, bool Inv>
void TwiddlePass(std::size_t p, double* data, std::size_t m, const double* tw, std::size_t kBegin,
                 std::size_t kEnd) {
    constexpr std::size_t s = P::kStep;
    const std::size_t m2 = 2 * m;
    switch (p) {
    case 2:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            auto a0 = P::Load(o);
            auto a1 = MulTw<Inv>(P::Load(o + m2), P::Load(w));
            Dft2<Inv>(a0, a1);
            P::Store(o, a0);
            P::Store(o + m2, a1);
        }
        break;
    case 3:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            auto a0 = P::Load(o);
            auto a1 = MulTw<Inv>(P::Load(o + m2), P::Load(w));
            auto a2 = MulTw<Inv>(P::Load(o + 2 * m2), P::Load(w + m2));
            Dft3<Inv>(a0, a1, a2);
            P::Store(o, a0);
            P::Store(o + m2, a1);
            P::Store(o + 2 * m2, a2);
        }
        break;
    case 4:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            auto a0 = P::Load(o);
            auto a1 = MulTw<Inv>(P::Load(o + m2), P::Load(w));
            auto a2 = MulTw<Inv>(P::Load(o + 2 * m2), P::Load(w + m2));
            auto a3 = MulTw<Inv>(P::Load(o + 3 * m2), P::Load(w + 2 * m2));
            Dft4<Inv>(a0, a1, a2, a3);
            P::Store(o, a0);
            P::Store(o + m2, a1);
            P::Store(o + 2 * m2, a2);
            P::Store(o + 3 * m2, a3);
        }
        break;
    case 5:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            auto a0 = P::Load(o);
            auto a1 = MulTw<Inv>(P::Load(o + m2), P::Load(w));
            auto a2 = MulTw<Inv>(P::Load(o + 2 * m2), P::Load(w + m2));
            auto a3 = MulTw<Inv>(P::Load(o + 3 * m2), P::Load(w + 2 * m2));
            auto a4 = MulTw<Inv>(P::Load(o + 4 * m2), P::Load(w + 3 * m2));
            Dft5<Inv>(a0, a1, a2, a3, a4);
            P::Store(o, a0);
            P::Store(o + m2, a1);
            P::Store(o + 2 * m2, a2);
            P::Store(o + 3 * m2, a3);
            P::Store(o + 4 * m2, a4);
        }
        break;
    case 8:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            decltype(P::Load(o)) a[8];
            a[0] = P::Load(o);
            for (std::size_t r = 1; r < 8; ++r) {
                a[r] = MulTw<Inv>(P::Load(o + r * m2), P::Load(w + (r - 1) * m2));
            }
            Dft8<Inv>(a);
            for (std::size_t r = 0; r < 8; ++r) {
                P::Store(o + r * m2, a[r]);
            }
        }
        break;
    case 16:
        for (std::size_t k = kBegin; k < kEnd; k += s) {
            double* o = data + 2 * k;
            const double* w = tw + 2 * k;
            decltype(P::Load(o)) a[16];
            a[0] = P::Load(o);
            for (std::size_t r = 1; r < 16; ++r) {
                a[r] = MulTw<Inv>(P::Load(o + r * m2), P::Load(w + (r - 1) * m2));
            }
            Dft16<Inv>(a);
            for (std::size_t q = 0; q < 16; ++q) {
                P::Store(o + q * m2, a[Dft16At(q)]);
            }
        }
        break;
    default:
        break;
    }
}

} // namespace
