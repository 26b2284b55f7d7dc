#include "dsp/poly_roots.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// Machine epsilon: the last power of two whose half no longer changes 1 when added to it.
double MachineEpsilon() {
    volatile double eps = 0.5;
    while (1.0 + eps * 0.5 > 1.0) {
        eps = eps * 0.5;
    }
    return eps;
}

// Work state of one search for the zeros of a real polynomial by the Jenkins-Traub three-stage
// algorithm (M. A. Jenkins and J. F. Traub, ACM Algorithm 493, "Zeros of a real polynomial"):
// no-shift K-polynomials, a fixed quadratic shift, then variable-shift iteration for a real zero or
// a quadratic factor, with deflation after each zero found.
class CRealPolyZeros {
public:
    bool Find(const std::vector<double>& op, mvect& zeros);

private:
    static constexpr double kInfinity = 3.4e38;
    static constexpr double kSmallest = 1.2e-38;
    static constexpr double kBase = 2.0;
    static constexpr int kNoShiftSteps = 5;
    static constexpr int kShiftAttempts = 20;
    static constexpr int kQuadraticLimit = 20;
    static constexpr int kRealLimit = 10;

    // Kind of normalisation CalcScalars chose (1: by c, 2: by d, 3: quadratic almost divides K).
    enum { kByC = 1, kByD = 2, kAlmostFactor = 3 };

    void ScaleCoefficients();
    double LowerBoundOfModuli() const;
    int FixedShift(int steps);
    int QuadraticIteration(double uu, double vv);
    int RealIteration(double& sss, bool& nearlyDouble);
    int CalcScalars();
    void NextK(int type);
    void NewEstimate(int type, double& uu, double& vv);
    static void QuadraticDivide(int count, double u, double v, const std::vector<double>& p,
                                std::vector<double>& q, double& a, double& b);
    static void Quadratic(double a, double b1, double c, double& sr, double& si, double& lr,
                          double& li);

    std::vector<double> m_p, m_qp, m_k, m_qk, m_svk;
    double m_eta = 0.0, m_are = 0.0, m_mre = 0.0;
    double m_sr = 0.0, m_si = 0.0, m_u = 0.0, m_v = 0.0;
    double m_a = 0.0, m_b = 0.0, m_c = 0.0, m_d = 0.0;
    double m_a1 = 0.0, m_a3 = 0.0, m_a7 = 0.0, m_e = 0.0, m_f = 0.0, m_g = 0.0, m_h = 0.0;
    double m_szr = 0.0, m_szi = 0.0, m_lzr = 0.0, m_lzi = 0.0;
    int m_n = 0;  // current degree
    int m_nn = 0; // current coefficient count
};

bool CRealPolyZeros::Find(const std::vector<double>& op, mvect& zeros) {
    zeros.Clear();
    m_eta = MachineEpsilon();
    m_are = m_eta;
    m_mre = m_eta;
    // Shift direction: starts at -45 degrees, turned by 94 degrees before each attempt.
    double xx = 0.70710678;
    double yy = -xx;
    const double cosr = -0.069756474;
    const double sinr = 0.99756405;

    m_n = static_cast<int>(op.size()) - 1;
    m_nn = m_n + 1;
    if (m_n < 1) {
        return true;
    }
    if (op[0] == 0.0) {
        return false;
    }
    while (m_n > 0 && op[m_nn - 1] == 0.0) {
        zeros.Append(0.0);
        --m_nn;
        --m_n;
    }
    m_p.assign(op.begin(), op.begin() + m_nn);
    m_qp.assign(m_nn, 0.0);
    m_k.assign(m_nn, 0.0);
    m_qk.assign(m_nn, 0.0);
    m_svk.assign(m_nn, 0.0);
    std::vector<double> saved(m_nn, 0.0);

    for (;;) {
        if (m_n < 1) {
            return true;
        }
        if (m_n == 1) {
            zeros.Append(-m_p[1] / m_p[0]);
            return true;
        }
        if (m_n == 2) {
            double sr, si, lr, li;
            Quadratic(m_p[0], m_p[1], m_p[2], sr, si, lr, li);
            zeros.Append(mcplx(sr, si));
            zeros.Append(mcplx(lr, li));
            return true;
        }

        ScaleCoefficients();
        const double bnd = LowerBoundOfModuli();

        // First stage: the scaled derivative as the initial K polynomial, then no-shift steps.
        const int n = m_n, nn = m_nn;
        for (int i = 1; i < n; ++i) {
            m_k[i] = static_cast<double>(nn - 1 - i) * m_p[i] / static_cast<double>(n);
        }
        m_k[0] = m_p[0];
        const double aa = m_p[nn - 1];
        const double bb = m_p[n - 1];
        bool zerok = m_k[n - 1] == 0.0;
        for (int step = 0; step < kNoShiftSteps; ++step) {
            const double cc = m_k[n - 1];
            if (!zerok) {
                const double t = -aa / cc;
                for (int j = n - 1; j >= 1; --j) {
                    m_k[j] = t * m_k[j - 1] + m_p[j];
                }
                m_k[0] = m_p[0];
                zerok = std::fabs(m_k[n - 1]) <= std::fabs(bb) * m_eta * 10.0;
            } else {
                for (int j = n - 1; j >= 1; --j) {
                    m_k[j] = m_k[j - 1];
                }
                m_k[0] = 0.0;
                zerok = m_k[n - 1] == 0.0;
            }
        }
        for (int i = 0; i < n; ++i) {
            saved[i] = m_k[i];
        }

        // Second stage: a quadratic shift to a point of modulus bnd, turned 94 degrees per try.
        int found = 0;
        for (int attempt = 1; attempt <= kShiftAttempts; ++attempt) {
            const double xxx = cosr * xx - sinr * yy;
            yy = sinr * xx + cosr * yy;
            xx = xxx;
            m_sr = bnd * xx;
            m_si = bnd * yy;
            m_u = -2.0 * m_sr;
            m_v = bnd;
            found = FixedShift(20 * attempt);
            if (found > 0) {
                break;
            }
            for (int i = 0; i < n; ++i) {
                m_k[i] = saved[i];
            }
        }
        if (found == 0) {
            zeros.Clear();
            return false;
        }

        // Deflate: the quotient left in qp becomes the polynomial.
        zeros.Append(mcplx(m_szr, m_szi));
        if (found == 2) {
            zeros.Append(mcplx(m_lzr, m_lzi));
        }
        m_nn -= found;
        m_n = m_nn - 1;
        for (int i = 0; i < m_nn; ++i) {
            m_p[i] = m_qp[i];
        }
    }
}

// Multiplies the coefficients by a power of the base when they are very large or very small, so
// that the iterations neither overflow nor underflow.
void CRealPolyZeros::ScaleCoefficients() {
    const double lo = kSmallest / m_eta;
    double maxMod = 0.0;
    double minMod = kInfinity;
    for (int i = 0; i < m_nn; ++i) {
        const double x = std::fabs(m_p[i]);
        if (x > maxMod) {
            maxMod = x;
        }
        if (x != 0.0 && x < minMod) {
            minMod = x;
        }
    }
    double sc = lo / minMod;
    if (sc > 1.0) {
        if (kInfinity / sc < maxMod) {
            return;
        }
    } else {
        if (maxMod < 10.0) {
            return;
        }
        if (sc == 0.0) {
            sc = kSmallest;
        }
    }
    const int l = static_cast<int>(std::log(sc) / std::log(kBase) + 0.5);
    const double factor = std::ldexp(1.0, l);
    if (factor != 1.0) {
        for (int i = 0; i < m_nn; ++i) {
            m_p[i] *= factor;
        }
    }
}

// A lower bound on the moduli of the zeros: the positive root of the Cauchy polynomial
// |p0| x^n + ... + |p(n-1)| x - |pn|, bracketed by tenfold steps and refined by Newton's method.
double CRealPolyZeros::LowerBoundOfModuli() const {
    const int n = m_n, nn = m_nn;
    std::vector<double> pt(nn);
    for (int i = 0; i < nn; ++i) {
        pt[i] = std::fabs(m_p[i]);
    }
    pt[nn - 1] = -pt[nn - 1];
    double x = std::exp((std::log(-pt[nn - 1]) - std::log(pt[0])) / n);
    if (pt[n - 1] != 0.0) {
        const double xm = -pt[nn - 1] / pt[n - 1];
        if (xm < x) {
            x = xm;
        }
    }
    for (;;) {
        const double xm = x * 0.1;
        double ff = pt[0];
        for (int i = 1; i < nn; ++i) {
            ff = ff * xm + pt[i];
        }
        if (ff <= 0.0) {
            break;
        }
        x = xm;
    }
    double dx = x;
    while (std::fabs(dx / x) > 0.005) {
        double ff = pt[0];
        double df = ff;
        for (int i = 1; i < n; ++i) {
            ff = ff * x + pt[i];
            df = df * x + ff;
        }
        ff = ff * x + pt[nn - 1];
        dx = ff / df;
        x -= dx;
    }
    return x;
}

// Up to `steps` fixed-shift K polynomials, watching the real (s) and quadratic (v) estimates for
// convergence and starting the matching variable-shift iteration. Returns the zeros found (0-2).
int CRealPolyZeros::FixedShift(int steps) {
    const int n = m_n, nn = m_nn;
    double betav = 0.25;
    double betas = 0.25;
    double oss = m_sr;
    double ovv = m_v;
    double otv = 0.0, ots = 0.0;
    double ui = 0.0, vi = 0.0;

    QuadraticDivide(nn, m_u, m_v, m_p, m_qp, m_a, m_b);
    int type = CalcScalars();
    for (int j = 1; j <= steps; ++j) {
        NextK(type);
        type = CalcScalars();
        NewEstimate(type, ui, vi);
        const double vv = vi;
        double ss = 0.0;
        if (m_k[n - 1] != 0.0) {
            ss = -m_p[nn - 1] / m_k[n - 1];
        }
        double tv = 1.0;
        double ts = 1.0;
        if (j != 1 && type != kAlmostFactor) {
            if (vv != 0.0) {
                tv = std::fabs((vv - ovv) / vv);
            }
            if (ss != 0.0) {
                ts = std::fabs((ss - oss) / ss);
            }
            const double tvv = tv < otv ? tv * otv : 1.0;
            const double tss = ts < ots ? ts * ots : 1.0;
            const bool vpass = tvv < betav;
            const bool spass = tss < betas;
            if (spass || vpass) {
                const double svu = m_u;
                const double svv = m_v;
                for (int i = 0; i < n; ++i) {
                    m_svk[i] = m_k[i];
                }
                double s = ss;
                bool vtry = false;
                bool stry = false;
                // Try the faster converging sequence first; fall back on the other.
                enum class EStep { Quadratic, Real, Restore };
                EStep step = spass && (!vpass || tss < tvv) ? EStep::Real : EStep::Quadratic;
                for (;;) {
                    if (step == EStep::Quadratic) {
                        const int nz = QuadraticIteration(ui, vi);
                        if (nz > 0) {
                            return nz;
                        }
                        vtry = true;
                        betav *= 0.25;
                        if (stry || !spass) {
                            step = EStep::Restore;
                            continue;
                        }
                        for (int i = 0; i < n; ++i) {
                            m_k[i] = m_svk[i];
                        }
                        step = EStep::Real;
                    } else if (step == EStep::Real) {
                        bool nearlyDouble = false;
                        const int nz = RealIteration(s, nearlyDouble);
                        if (nz > 0) {
                            return nz;
                        }
                        stry = true;
                        betas *= 0.25;
                        if (nearlyDouble) {
                            // A pair of zeros close to the real axis: try the quadratic on them.
                            ui = -(s + s);
                            vi = s * s;
                            step = EStep::Quadratic;
                        } else {
                            step = EStep::Restore;
                        }
                    } else {
                        m_u = svu;
                        m_v = svv;
                        for (int i = 0; i < n; ++i) {
                            m_k[i] = m_svk[i];
                        }
                        if (!(vpass && !vtry)) {
                            break;
                        }
                        step = EStep::Quadratic;
                    }
                }
                QuadraticDivide(nn, m_u, m_v, m_p, m_qp, m_a, m_b);
                type = CalcScalars();
            }
        }
        ovv = vv;
        oss = ss;
        otv = tv;
        ots = ts;
    }
    return 0;
}

// Variable-shift iteration for a quadratic factor x^2 + u x + v, starting from (uu, vv). Returns 2
// when it converged, 0 otherwise.
int CRealPolyZeros::QuadraticIteration(double uu, double vv) {
    const int n = m_n, nn = m_nn;
    bool tried = false;
    double relstp = 0.0;
    double omp = 0.0;
    m_u = uu;
    m_v = vv;
    int j = 0;
    for (;;) {
        Quadratic(1.0, m_u, m_v, m_szr, m_szi, m_lzr, m_lzi);
        // Real zeros of clearly different size are left to the linear iteration.
        if (std::fabs(std::fabs(m_szr) - std::fabs(m_lzr)) > 0.01 * std::fabs(m_lzr)) {
            return 0;
        }
        QuadraticDivide(nn, m_u, m_v, m_p, m_qp, m_a, m_b);
        const double mp = std::fabs(m_a - m_szr * m_b) + std::fabs(m_szi * m_b);
        // A rigorous bound on the rounding error in evaluating p.
        const double zm = std::sqrt(std::fabs(m_v));
        double ee = 2.0 * std::fabs(m_qp[0]);
        const double t = -m_szr * m_b;
        for (int i = 1; i < n; ++i) {
            ee = ee * zm + std::fabs(m_qp[i]);
        }
        ee = ee * zm + std::fabs(m_a + t);
        ee = (5.0 * m_mre + 4.0 * m_are) * ee -
             (5.0 * m_mre + 2.0 * m_are) * (std::fabs(m_a + t) + std::fabs(m_b) * zm) +
             2.0 * m_are * std::fabs(t);
        if (mp <= 20.0 * ee) {
            return 2;
        }
        ++j;
        if (j > kQuadraticLimit) {
            return 0;
        }
        if (j >= 2 && !(relstp > 0.01 || mp < omp || tried)) {
            // A cluster of zeros seems to stall convergence: a few fixed-shift steps near it.
            if (relstp < m_eta) {
                relstp = m_eta;
            }
            relstp = std::sqrt(relstp);
            m_u = m_u - m_u * relstp;
            m_v = m_v + m_v * relstp;
            QuadraticDivide(nn, m_u, m_v, m_p, m_qp, m_a, m_b);
            for (int i = 0; i < 5; ++i) {
                const int type = CalcScalars();
                NextK(type);
            }
            tried = true;
            j = 0;
        }
        omp = mp;
        int type = CalcScalars();
        NextK(type);
        type = CalcScalars();
        double ui = 0.0, vi = 0.0;
        NewEstimate(type, ui, vi);
        if (vi == 0.0) {
            return 0;
        }
        relstp = std::fabs((vi - m_v) / vi);
        m_u = ui;
        m_v = vi;
    }
}

// Variable-shift iteration for a real zero starting at sss. Returns 1 when it converged; sets
// nearlyDouble (with sss the last iterate) when a cluster near the real axis stalls it.
int CRealPolyZeros::RealIteration(double& sss, bool& nearlyDouble) {
    const int n = m_n, nn = m_nn;
    double s = sss;
    double t = 0.0;
    double omp = 0.0;
    nearlyDouble = false;
    int j = 0;
    for (;;) {
        double pv = m_p[0];
        m_qp[0] = pv;
        for (int i = 1; i < nn; ++i) {
            pv = pv * s + m_p[i];
            m_qp[i] = pv;
        }
        const double mp = std::fabs(pv);
        // A rigorous bound on the rounding error in evaluating p.
        const double ms = std::fabs(s);
        double ee = (m_mre / (m_are + m_mre)) * std::fabs(m_qp[0]);
        for (int i = 1; i < nn; ++i) {
            ee = ee * ms + std::fabs(m_qp[i]);
        }
        if (mp <= 20.0 * ((m_are + m_mre) * ee - m_mre * mp)) {
            m_szr = s;
            m_szi = 0.0;
            return 1;
        }
        ++j;
        if (j > kRealLimit) {
            return 0;
        }
        if (j >= 2 && std::fabs(t) <= 0.001 * std::fabs(s - t) && mp > omp) {
            nearlyDouble = true;
            sss = s;
            return 0;
        }
        omp = mp;
        double kv = m_k[0];
        m_qk[0] = kv;
        for (int i = 1; i < n; ++i) {
            kv = kv * s + m_k[i];
            m_qk[i] = kv;
        }
        if (std::fabs(kv) > std::fabs(m_k[n - 1]) * 10.0 * m_eta) {
            const double tk = -pv / kv;
            m_k[0] = m_qp[0];
            for (int i = 1; i < n; ++i) {
                m_k[i] = tk * m_qk[i - 1] + m_qp[i];
            }
        } else {
            m_k[0] = 0.0;
            for (int i = 1; i < n; ++i) {
                m_k[i] = m_qk[i - 1];
            }
        }
        kv = m_k[0];
        for (int i = 1; i < n; ++i) {
            kv = kv * s + m_k[i];
        }
        t = 0.0;
        if (std::fabs(kv) > std::fabs(m_k[n - 1]) * 10.0 * m_eta) {
            t = -pv / kv;
        }
        s += t;
    }
}

// Scalars for the next K polynomial and the new quadratic estimate, from K divided by the
// current quadratic; returns how the formulas are normalised against overflow.
int CRealPolyZeros::CalcScalars() {
    const int n = m_n;
    QuadraticDivide(n, m_u, m_v, m_k, m_qk, m_c, m_d);
    if (std::fabs(m_c) <= std::fabs(m_k[n - 1]) * 100.0 * m_eta &&
        std::fabs(m_d) <= std::fabs(m_k[n - 2]) * 100.0 * m_eta) {
        return kAlmostFactor;
    }
    if (std::fabs(m_d) >= std::fabs(m_c)) {
        m_e = m_a / m_d;
        m_f = m_c / m_d;
        m_g = m_u * m_b;
        m_h = m_v * m_b;
        m_a3 = (m_a + m_g) * m_e + m_h * (m_b / m_d);
        m_a1 = m_b * m_f - m_a;
        m_a7 = (m_f + m_u) * m_a + m_h;
        return kByD;
    }
    m_e = m_a / m_c;
    m_f = m_d / m_c;
    m_g = m_u * m_e;
    m_h = m_v * m_b;
    m_a3 = m_a * m_e + (m_h / m_c + m_g) * m_b;
    m_a1 = m_b - m_a * (m_d / m_c);
    m_a7 = m_a + m_g * m_d + m_h * m_f;
    return kByC;
}

void CRealPolyZeros::NextK(int type) {
    const int n = m_n;
    if (type == kAlmostFactor) {
        m_k[0] = 0.0;
        m_k[1] = 0.0;
        for (int i = 2; i < n; ++i) {
            m_k[i] = m_qk[i - 2];
        }
        return;
    }
    const double temp = type == kByC ? m_b : m_a;
    if (std::fabs(m_a1) > std::fabs(temp) * m_eta * 10.0) {
        m_a7 /= m_a1;
        m_a3 /= m_a1;
        m_k[0] = m_qp[0];
        m_k[1] = m_qp[1] - m_a7 * m_qp[0];
        for (int i = 2; i < n; ++i) {
            m_k[i] = m_a3 * m_qk[i - 2] - m_a7 * m_qp[i - 1] + m_qp[i];
        }
    } else {
        // a1 nearly zero: the special form of the recurrence.
        m_k[0] = 0.0;
        m_k[1] = -m_a7 * m_qp[0];
        for (int i = 2; i < n; ++i) {
            m_k[i] = m_a3 * m_qk[i - 2] - m_a7 * m_qp[i - 1];
        }
    }
}

void CRealPolyZeros::NewEstimate(int type, double& uu, double& vv) {
    const int n = m_n, nn = m_nn;
    if (type != kAlmostFactor) {
        double a4, a5;
        if (type == kByD) {
            a4 = (m_a + m_g) * m_f + m_h;
            a5 = (m_f + m_u) * m_c + m_v * m_d;
        } else {
            a4 = m_a + m_u * m_b + m_h * m_f;
            a5 = m_c + (m_u + m_v * m_f) * m_d;
        }
        const double b1 = -m_k[n - 1] / m_p[nn - 1];
        const double b2 = -(m_k[n - 2] + b1 * m_p[n - 1]) / m_p[nn - 1];
        const double c1 = m_v * b2 * m_a1;
        const double c2 = b1 * m_a7;
        const double c3 = b1 * b1 * m_a3;
        const double c4 = c1 - c2 - c3;
        const double temp = a5 + b1 * a4 - c4;
        if (temp != 0.0) {
            uu = m_u - (m_u * (c3 + c2) + m_v * (b1 * m_a1 + b2 * m_a7)) / temp;
            vv = m_v * (1.0 + c4 / temp);
            return;
        }
    }
    uu = 0.0;
    vv = 0.0;
}

// Divides the first `count` coefficients of p by x^2 + u x + v: quotient in q, remainder a, b.
void CRealPolyZeros::QuadraticDivide(int count, double u, double v, const std::vector<double>& p,
                                     std::vector<double>& q, double& a, double& b) {
    b = p[0];
    q[0] = b;
    a = p[1] - u * b;
    q[1] = a;
    for (int i = 2; i < count; ++i) {
        const double c = p[i] - u * a - v * b;
        q[i] = c;
        b = a;
        a = c;
    }
}

// Zeros of a z^2 + b1 z + c: the smaller (sr, si) and the larger (lr, li). The discriminant is
// formed without overflow; the smaller real zero comes from the product of the zeros.
void CRealPolyZeros::Quadratic(double a, double b1, double c, double& sr, double& si, double& lr,
                               double& li) {
    si = 0.0;
    li = 0.0;
    if (a == 0.0) {
        sr = b1 != 0.0 ? -c / b1 : 0.0;
        lr = 0.0;
        return;
    }
    if (c == 0.0) {
        sr = 0.0;
        lr = -b1 / a;
        return;
    }
    const double b = b1 / 2.0;
    double e, d;
    if (std::fabs(b) >= std::fabs(c)) {
        e = 1.0 - (a / b) * (c / b);
        d = std::sqrt(std::fabs(e)) * std::fabs(b);
    } else {
        e = c < 0.0 ? -a : a;
        e = b * (b / std::fabs(c)) - e;
        d = std::sqrt(std::fabs(e)) * std::sqrt(std::fabs(c));
    }
    if (e >= 0.0) {
        if (b >= 0.0) {
            d = -d;
        }
        lr = (-b + d) / a;
        sr = lr != 0.0 ? (c / lr) / a : 0.0;
        return;
    }
    sr = -b / a;
    lr = sr;
    si = std::fabs(d / a);
    li = -si;
}

// Value of p at z divided by the bound sum |p_i| |z|^(n-i) on its rounding error scale: how far
// z is from being an exact root of a slightly perturbed p.
double BackwardError(const std::vector<double>& p, mcplx z) {
    mcplx pv = p[0];
    double bound = std::fabs(p[0]);
    const double az = std::abs(z);
    for (size_t i = 1; i < p.size(); ++i) {
        pv = pv * z + p[i];
        bound = bound * az + std::fabs(p[i]);
    }
    return bound > 0.0 ? std::abs(pv) / bound : 0.0;
}

double WorstBackwardError(const std::vector<double>& p, const mvect& roots) {
    double worst = 0.0;
    for (const mcplx& z : roots) {
        const double e = BackwardError(p, z);
        if (!(e <= worst)) {
            worst = e;
        }
    }
    return worst;
}

// Refines all roots of p at once by the Aberth-Ehrlich iteration, started from the given roots:
// each root moves by its Newton step p/p' corrected for all the other roots, so two estimates
// cannot settle on the same root. Roots are updated one after the other (Gauss-Seidel). The
// sweeps stop when every root is exact for a polynomial within a few units of rounding of p, or
// when a sweep no longer halves a small error; the best set met is kept, so the result is never
// worse than the roots given.
void PolishRoots(const std::vector<double>& p, mvect& roots) {
    constexpr int kMaxSweeps = 60;
    const size_t count = roots.size();
    if (count < 2 || p.size() != count + 1) {
        return;
    }
    const double tolerance = 16.0 * MachineEpsilon();
    double bestError = WorstBackwardError(p, roots);
    mvect z = roots;
    for (int sweep = 0; sweep < kMaxSweeps && bestError > tolerance; ++sweep) {
        for (size_t k = 0; k < count; ++k) {
            mcplx pv = p[0];
            mcplx dv = 0.0;
            for (size_t i = 1; i < p.size(); ++i) {
                dv = dv * z[k] + pv;
                pv = pv * z[k] + p[i];
            }
            if (pv == 0.0 || dv == 0.0) {
                continue;
            }
            const mcplx newton = pv / dv;
            mcplx repulsion = 0.0;
            for (size_t j = 0; j < count; ++j) {
                const mcplx d = z[k] - z[j];
                const double d2 = std::norm(d);
                if (j != k && d2 > 0.0) {
                    repulsion += std::conj(d) / d2;
                }
            }
            z[k] -= newton / (1.0 - newton * repulsion);
        }
        if (!z.IsFinite()) {
            return;
        }
        const double error = WorstBackwardError(p, z);
        const bool stalled = error > 0.5 * bestError && bestError < 1e-12;
        if (error < bestError) {
            bestError = error;
            roots = z;
        }
        if (stalled) {
            break; // converged as far as rounding allows
        }
    }
}

} // namespace

bool FindRealPolyRoots(const std::vector<double>& p, mvect& roots) {
    CRealPolyZeros search;
    return search.Find(p, roots);
}

mvect FindRoots(const mvect& g) {
    const size_t n = g.size();
    mvect roots;
    if (n < 2 || g[0] == 0.0) {
        return roots;
    }
    if (n == 2) {
        roots.Append(-g[1] / g[0]);
        return roots;
    }
    if (n == 3) {
        const mcplx a = g[0], b = g[1], c = g[2];
        const mcplx sq = std::sqrt(b * b - 4.0 * a * c);
        for (const mcplx r : {(-b + sq) / (2.0 * a), (-b - sq) / (2.0 * a)}) {
            if (r != 0.0) {
                roots.Append(r);
            }
        }
        return roots;
    }
    std::vector<double> p = g.Real();
    if (!FindRealPolyRoots(p, roots)) {
        roots.Clear();
        return roots;
    }
    // Roots at the origin are exact; the others are refined on the undeflated polynomial.
    size_t atOrigin = 0;
    while (atOrigin < roots.size() && roots[atOrigin] == 0.0) {
        ++atOrigin;
    }
    p.resize(p.size() - atOrigin);
    mvect nonzero;
    for (size_t i = atOrigin; i < roots.size(); ++i) {
        nonzero.Append(roots[i]);
    }
    PolishRoots(p, nonzero);
    for (size_t i = atOrigin; i < roots.size(); ++i) {
        roots[i] = nonzero[i - atOrigin];
    }
    return roots;
}
