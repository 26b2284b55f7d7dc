#include "response/response_evaluator.h"
#include "support/multiversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// Two-level evaluation of H(w) = sum x[n] e^(jwn). With a block length B (a power of two near
// sqrt(count)) and n = kB + m:
//     H(w) = sum_k e^(jwBk) * S_k,   S_k = sum_{m<B} x[kB+m] e^(jwm).
// The phasors e^(jwm) are tabulated once per frequency by doubling (e^(jw(2^i + r)) =
// e^(jw 2^i) e^(jwr), with e^(jw 2^i) from repeated squaring), and the block phasors e^(jwBk)
// by rotation from cos(wB), sin(wB), where wB is exact because B is a power of two. Every phasor
// is then within about (B + count/B) roundings of its true value, so the result is as accurate as
// a sum with exactly rounded sines and cosines, and the inner sums are plain dot products that
// vectorise.

#define CORVIFIR_VECTOR_CLONES CORVIFIR_TARGET_CLONES("arch=x86-64-v3", "default")

namespace {

constexpr int kMinBlock = 16;
constexpr int kMaxBlock = 1024;

int BlockLength(int count) {
    int b = kMinBlock;
    while (b < kMaxBlock && static_cast<long long>(b) * b < count) {
        b *= 2;
    }
    return b;
}

// (re, im)[m] = e^(jwm) for m = 0..len-1, given c = cos w and s = sin w.
inline void FillPhasors(double c, double s, int len, double* re, double* im) {
    re[0] = 1.0;
    im[0] = 0.0;
    double er = c;
    double ei = s;
    for (int half = 1; half < len; half *= 2) {
        const int top = std::min(half, len - half);
        for (int r = 0; r < top; ++r) {
            re[half + r] = er * re[r] - ei * im[r];
            im[half + r] = er * im[r] + ei * re[r];
        }
        const double sr = er * er - ei * ei;
        ei = 2.0 * er * ei;
        er = sr;
    }
}

// Four doubles in one vector register (two on targets without 32-byte vectors).
typedef double V4 __attribute__((vector_size(32)));

inline void Load(V4& v, const double* p) {
    std::memcpy(&v, p, sizeof v);
}

inline double SumLanes(const V4& a, const V4& b) {
    const V4 s = a + b;
    return (s[0] + s[1]) + (s[2] + s[3]);
}

// S = sum x[m] (tr[m] + j ti[m]) over m < len.
inline void BlockSumReal(const double* x, const double* tr, const double* ti, int len, double& sre,
                         double& sim) {
    V4 ar0 = {}, ar1 = {}, ai0 = {}, ai1 = {};
    int m = 0;
    for (; m + 8 <= len; m += 8) {
        V4 x0, x1, c0, c1, s0, s1;
        Load(x0, x + m);
        Load(x1, x + m + 4);
        Load(c0, tr + m);
        Load(c1, tr + m + 4);
        Load(s0, ti + m);
        Load(s1, ti + m + 4);
        ar0 += x0 * c0;
        ar1 += x1 * c1;
        ai0 += x0 * s0;
        ai1 += x1 * s1;
    }
    double re = SumLanes(ar0, ar1);
    double im = SumLanes(ai0, ai1);
    for (; m < len; ++m) {
        re += x[m] * tr[m];
        im += x[m] * ti[m];
    }
    sre = re;
    sim = im;
}

// S = sum (xi[m] + j xq[m]) (tr[m] + j ti[m]) over m < len.
inline void BlockSumComplex(const double* xi, const double* xq, const double* tr, const double* ti,
                            int len, double& sre, double& sim) {
    V4 ar0 = {}, ar1 = {}, ai0 = {}, ai1 = {};
    int m = 0;
    for (; m + 8 <= len; m += 8) {
        V4 i0, i1, q0, q1, c0, c1, s0, s1;
        Load(i0, xi + m);
        Load(i1, xi + m + 4);
        Load(q0, xq + m);
        Load(q1, xq + m + 4);
        Load(c0, tr + m);
        Load(c1, tr + m + 4);
        Load(s0, ti + m);
        Load(s1, ti + m + 4);
        ar0 += i0 * c0 - q0 * s0;
        ar1 += i1 * c1 - q1 * s1;
        ai0 += q0 * c0 + i0 * s0;
        ai1 += q1 * c1 + i1 * s1;
    }
    double re = SumLanes(ar0, ar1);
    double im = SumLanes(ai0, ai1);
    for (; m < len; ++m) {
        re += xi[m] * tr[m] - xq[m] * ti[m];
        im += xq[m] * tr[m] + xi[m] * ti[m];
    }
    sre = re;
    sim = im;
}

// xq == nullptr evaluates the real coefficients xi.
CORVIFIR_VECTOR_CLONES
void Evaluate(const double* xi, const double* xq, double w, int count, double& outRe,
              double& outIm) {
    outRe = 0.0;
    outIm = 0.0;
    if (count <= 0) {
        return;
    }
    const int block = BlockLength(count);
    const int tableLen = std::min(block, count);
    alignas(64) double tr[kMaxBlock];
    alignas(64) double ti[kMaxBlock];
    FillPhasors(std::cos(w), std::sin(w), tableLen, tr, ti);

    const double wb = w * block;
    const double zr = std::cos(wb);
    const double zi = std::sin(wb);
    double pr = 1.0;
    double pi = 0.0;
    double re = 0.0;
    double im = 0.0;
    for (int start = 0; start < count; start += block) {
        const int len = std::min(block, count - start);
        double sre;
        double sim;
        if (xq) {
            BlockSumComplex(xi + start, xq + start, tr, ti, len, sre, sim);
        } else {
            BlockSumReal(xi + start, tr, ti, len, sre, sim);
        }
        re += pr * sre - pi * sim;
        im += pr * sim + pi * sre;
        const double nr = pr * zr - pi * zi;
        pi = pr * zi + pi * zr;
        pr = nr;
    }
    outRe = re;
    outIm = im;
}

} // namespace

void EvaluateRealResponse(const double* h, double w, int count, double* pIm, double* pRe) {
    double re;
    double im;
    Evaluate(h, nullptr, w, count, re, im);
    *pIm = im;
    *pRe = re;
}

void EvaluateComplexResponse(const double* pI, const double* pQ, double w, int count, double* pRe,
                             double* pIm) {
    double re;
    double im;
    Evaluate(pI, pQ, w, count, re, im);
    *pRe = re;
    *pIm = im;
}
