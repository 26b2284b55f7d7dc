#include "dsp/filter_zeros.h"

#include "dsp/signal_messages.h"

#include <algorithm>

#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();
constexpr int kMaxSweeps = 120;
// Relative size below which a Taylor coefficient of p at a cluster's centre counts as zero.
constexpr double kMultipleRootTolerance = 1e-7;
// Distance from the unit circle within which a linear-phase zero is taken to lie on it.
constexpr double kOnCircle = 1e-7;

// The polynomial p[0] z^d + ... + p[d] (highest power first, p[0] and p[d] not 0).
struct SPoly {
    mvect p;
    size_t Degree() const { return p.size() - 1; }
};

// p at z with its Newton correction p/p' and the pieces of its inclusion radius. For |z| > 1 the
// reversed polynomial q(w) = w^d p(1/w) is evaluated at w = 1/z instead, so that z^d never
// overflows: p/p' = z q / (d q - w q').
struct SEval {
    mcplx newton;        // p(z) / p'(z); 0 at an exact root
    double residual = 0; // |p(z)| over its rounding bound sum |p_i| |z|^(d-i)
    double radius = 0;   // a disc around z of this radius holds a root of p
    bool bFlat = false;  // p'(z) vanished
};

SEval Evaluate(const SPoly& poly, mcplx z) {
    const mvect& p = poly.p;
    const size_t d = poly.Degree();
    // A realistic rounding error of Horner's rule beside the computed value: the worst-case bound
    // (2 d eps) would make the discs of a multiple zero swallow its neighbours.
    const double roundoff = 4.0 * kEps;
    SEval e;
    mcplx v, dv;
    double bound = 0, scale = 1; // scale: |p'| of the form evaluated relative to |p'(z)|
    if (std::abs(z) <= 1.0) {
        v = p[0];
        bound = std::abs(p[0]);
        const double az = std::abs(z);
        for (size_t i = 1; i <= d; ++i) {
            dv = dv * z + v;
            v = v * z + p[i];
            bound = bound * az + std::abs(p[i]);
        }
    } else {
        const mcplx w = 1.0 / z;
        const double aw = std::abs(w);
        mcplx q = p[d], dq;
        bound = std::abs(p[d]);
        for (size_t i = d; i-- > 0;) {
            dq = dq * w + q;
            q = q * w + p[i];
            bound = bound * aw + std::abs(p[i]);
        }
        v = q;
        dv = static_cast<double>(d) * q - w * dq; // z^(d-1) times this is p'(z)
        scale = std::abs(z);
        if (dv != 0.0)
            e.newton = z * q / dv;
    }
    if (std::abs(z) <= 1.0 && dv != 0.0)
        e.newton = v / dv;
    e.bFlat = dv == 0.0;
    e.residual = bound > 0 ? std::abs(v) / bound : 0.0;
    // Two discs hold a root: radius d |p / p'| (Newton), and radius (|p| / |p_0|)^(1/d), since
    // |p(z)| = |p_0| prod |z - r_i|. Both count the rounding of p(z) as part of it.
    const double value = std::abs(v) + roundoff * bound;
    const double dAbs = std::abs(dv) / scale;
    const double newton =
        dAbs > 0 ? static_cast<double>(d) * value / dAbs : std::numeric_limits<double>::infinity();
    double logRoot = (std::log(value) - std::log(std::abs(p[0]))) / static_cast<double>(d);
    if (scale != 1.0)
        logRoot += std::log(scale);
    e.radius = std::min(newton, std::exp(logRoot));
    return e;
}

// Starting points on the circles of the upper convex hull of (i, log |a_i|), a_i the coefficient
// of z^i: each hull edge from i to j puts j - i points on the circle of radius
// (|a_i| / |a_j|)^(1/(j-i)), turned so that no two circles line their points up (D. A. Bini,
// "Numerical computation of polynomial zeros by means of Aberth's method", 1996).
mvect NewtonPolygonStart(const SPoly& poly) {
    const size_t d = poly.Degree();
    std::vector<size_t> hull;
    std::vector<double> logs(d + 1, -std::numeric_limits<double>::infinity());
    for (size_t i = 0; i <= d; ++i) {
        const double a = std::abs(poly.p[d - i]);
        if (a > 0)
            logs[i] = std::log(a);
    }
    for (size_t i = 0; i <= d; ++i) {
        if (!std::isfinite(logs[i]))
            continue;
        while (hull.size() >= 2) {
            const size_t a = hull[hull.size() - 2], b = hull.back();
            const double cross = (logs[b] - logs[a]) * static_cast<double>(i - a) -
                                 (logs[i] - logs[a]) * static_cast<double>(b - a);
            if (cross > 0)
                break;
            hull.pop_back();
        }
        hull.push_back(i);
    }
    mvect start;
    const double twoPi = 2.0 * std::numbers::pi;
    for (size_t h = 1; h < hull.size(); ++h) {
        const size_t count = hull[h] - hull[h - 1];
        const double radius =
            std::exp((logs[hull[h - 1]] - logs[hull[h]]) / static_cast<double>(count));
        const double turn = twoPi * static_cast<double>(h) / static_cast<double>(d) + 0.4;
        for (size_t j = 0; j < count; ++j)
            start.Append(std::polar(
                radius, twoPi * static_cast<double>(j) / static_cast<double>(count) + turn));
    }
    return start;
}

// The Aberth-Ehrlich iteration: each root moves by its Newton step corrected for all the others,
// z_k -= N_k / (1 - N_k sum_{j != k} 1 / (z_k - z_j)), in Gauss-Seidel order. A root stops moving
// once it is exact for a polynomial within rounding of p; two more sweeps over all roots follow.
void AberthRefine(const SPoly& poly, mvect& z) {
    const size_t n = z.size();
    const double target = 4.0 * static_cast<double>(poly.Degree()) * kEps;
    std::vector<char> done(n, 0);
    int extra = 2;
    for (int sweep = 0; sweep < kMaxSweeps && extra > 0; ++sweep) {
        bool all = true;
        for (size_t k = 0; k < n; ++k) {
            if (done[k])
                continue;
            const SEval e = Evaluate(poly, z[k]);
            if (e.bFlat || e.newton == 0.0) {
                done[k] = e.newton == 0.0 && !e.bFlat;
                continue;
            }
            mcplx repulsion = 0.0;
            for (size_t j = 0; j < n; ++j) {
                const mcplx diff = z[k] - z[j];
                const double d2 = std::norm(diff);
                if (j != k && d2 > 0.0)
                    repulsion += std::conj(diff) / d2;
            }
            const mcplx step = e.newton / (1.0 - e.newton * repulsion);
            if (std::isfinite(step.real()) && std::isfinite(step.imag()))
                z[k] -= step;
            if (e.residual <= target || std::abs(step) <= kEps * std::abs(z[k]))
                done[k] = 1;
            else
                all = false;
        }
        if (all) {
            --extra;
            std::fill(done.begin(), done.end(), 0);
        }
    }
}

// The Taylor coefficients t_j = p^(j)(c) / j!, j <= count, by repeated synthetic division, with
// the rounding scale of each (the same sums over |p_i| and |c|).
void TaylorAt(const mvect& p, mcplx c, size_t count, mvect& t, std::vector<double>& scale) {
    mvect a = p;
    std::vector<double> b(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        b[i] = std::abs(a[i]);
    const double ac = std::abs(c);
    t.Clear();
    scale.clear();
    for (size_t j = 0; j <= count && j < a.size(); ++j) {
        const size_t len = a.size() - j;
        for (size_t i = 1; i < len; ++i) {
            a[i] += a[i - 1] * c;
            b[i] += b[i - 1] * ac;
        }
        t.Append(a[len - 1]);
        scale.push_back(b[len - 1]);
    }
}

// Refines the centre c of a cluster of count roots as a root of multiplicity count, a simple root
// of p^(count-1), by Newton's method on that derivative; true when the lower derivatives vanish
// there too (c is then a multiple root of a polynomial near p). Around a centre outside the unit
// circle the reversed polynomial is used at 1/c, whose root has the same multiplicity.
bool RefineMultipleRoot(const SPoly& poly, mcplx& c, size_t count) {
    mvect p = poly.p;
    const bool reversed = std::abs(c) > 1.0;
    if (reversed) {
        std::reverse(p.begin(), p.end());
        c = 1.0 / c;
    }
    mvect t;
    std::vector<double> scale;
    for (int step = 0; step < 8; ++step) {
        TaylorAt(p, c, count, t, scale);
        if (t.size() <= count || t[count] == 0.0)
            break;
        const mcplx move = t[count - 1] / (static_cast<double>(count) * t[count]);
        if (!std::isfinite(move.real()) || !std::isfinite(move.imag()))
            break;
        c -= move;
        if (std::abs(move) <= kEps * std::abs(c))
            break;
    }
    TaylorAt(p, c, count, t, scale);
    bool multiple = t.size() > count;
    for (size_t j = 0; multiple && j < count; ++j)
        multiple = std::abs(t[j]) <= kMultipleRootTolerance * scale[j];
    if (reversed)
        c = 1.0 / c;
    return multiple;
}

size_t Find(std::vector<size_t>& parent, size_t i) {
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

// Groups roots whose inclusion discs overlap; a group of several is replaced by its centre
// repeated, when that is a multiple root. False when a group is not.
bool MergeClusters(const SPoly& poly, mvect& z) {
    const size_t n = z.size();
    std::vector<double> radius(n);
    for (size_t k = 0; k < n; ++k)
        radius[k] = Evaluate(poly, z[k]).radius;
    std::vector<size_t> parent(n);
    std::iota(parent.begin(), parent.end(), size_t{0});
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (std::abs(z[i] - z[j]) <= radius[i] + radius[j])
                parent[Find(parent, i)] = Find(parent, j);
    std::vector<std::vector<size_t>> groups(n);
    for (size_t k = 0; k < n; ++k)
        groups[Find(parent, k)].push_back(k);
    for (const std::vector<size_t>& g : groups) {
        if (g.size() < 2)
            continue;
        mcplx centre = 0.0;
        for (size_t k : g)
            centre += z[k];
        centre /= static_cast<double>(g.size());
        if (!RefineMultipleRoot(poly, centre, g.size()))
            return false;
        for (size_t k : g)
            z[k] = centre;
    }
    return true;
}

// Makes the roots symmetric under mirror (an involution the root set is known to have): a root
// whose image is nearest to itself is made its own image by fix; other roots are paired with the
// root nearest their image and both set to the mean of the pair.
template <class Mirror, class Fix> void PairUp(mvect& z, Mirror mirror, Fix fix) {
    const size_t n = z.size();
    std::vector<char> paired(n, 0);
    for (size_t k = 0; k < n; ++k) {
        if (paired[k])
            continue;
        if (fix(z[k], false)) {
            paired[k] = 1;
            fix(z[k], true);
            continue;
        }
        const mcplx image = mirror(z[k]);
        size_t best = k;
        double bestDist = std::abs(image - z[k]);
        for (size_t j = 0; j < n; ++j) {
            if (!paired[j] && j != k && std::abs(image - z[j]) < bestDist) {
                best = j;
                bestDist = std::abs(image - z[j]);
            }
        }
        paired[k] = paired[best] = 1;
        if (best == k) {
            fix(z[k], true);
            continue;
        }
        const mcplx mean = 0.5 * (z[k] + mirror(z[best]));
        z[k] = mean;
        z[best] = mirror(mean);
    }
}

// Whether p[i] = s conj(p[d-i]) for s = 1 or -1 (to rounding): a linear-phase filter, whose zeros
// come in pairs z, 1/conj(z).
bool IsConjugateSymmetric(const mvect& p) {
    double peak = 0;
    for (const mcplx& c : p)
        peak = std::max(peak, std::abs(c));
    const double tolerance = 1e-12 * peak;
    for (const double s : {1.0, -1.0}) {
        bool match = true;
        for (size_t i = 0, j = p.size() - 1; match && i < p.size(); ++i, --j)
            match = std::abs(p[i] - s * std::conj(p[j])) <= tolerance;
        if (match)
            return true;
    }
    return false;
}

} // namespace

SFilterZeros FindFilterZeros(const mvect& h) {
    SFilterZeros result;
    if (h.empty()) {
        result.error = SignalMsg::kNoZerosEmpty;
        return result;
    }
    if (!h.IsFinite()) {
        result.error = SignalMsg::kNoZerosNotFinite;
        return result;
    }
    if (h.size() > static_cast<size_t>(kMaxZeroTaps)) {
        result.error = SignalMsg::kNoZerosTooLong;
        return result;
    }
    size_t first = 0, last = h.size();
    while (first < last && h[first] == 0.0)
        ++first;
    while (last > first && h[last - 1] == 0.0)
        --last;
    if (first == last) {
        result.error = SignalMsg::kNoZerosEmpty;
        return result;
    }
    result.nPolesAtOrigin = static_cast<int>(last - 1);
    SPoly poly;
    double peak = 0;
    for (size_t i = first; i < last; ++i)
        peak = std::max(peak, std::abs(h[i]));
    for (size_t i = first; i < last; ++i)
        poly.p.Append(h[i] / peak);
    result.bOk = true;
    if (poly.Degree() == 0)
        return result;
    mvect z = NewtonPolygonStart(poly);
    AberthRefine(poly, z);
    if (!z.IsFinite() || !MergeClusters(poly, z)) {
        result.bOk = false;
        result.error = SignalMsg::kNoZerosUntrusted;
        return result;
    }
    if (poly.p.IsReal())
        PairUp(
            z, [](mcplx v) { return std::conj(v); },
            [](mcplx& v, bool apply) {
                if (apply)
                    v.imag(0.0);
                return false;
            });
    result.bLinearPhase = IsConjugateSymmetric(poly.p);
    if (result.bLinearPhase)
        PairUp(
            z, [](mcplx v) { return 1.0 / std::conj(v); },
            [](mcplx& v, bool apply) {
                if (apply)
                    v /= std::abs(v);
                return std::abs(std::abs(v) - 1.0) <= kOnCircle;
            });
    result.zeros = z;
    return result;
}

int ZeroMultiplicity(const mvect& zeros, size_t index, double tolerance) {
    int count = 0;
    for (const mcplx& z : zeros)
        if (std::abs(z - zeros[index]) <= tolerance)
            ++count;
    return count;
}
