#include "dsp/min_phase.h"

#include "dsp/min_phase_options.h"
#include "dsp/poly_roots.h"
#include "support/format_number.h"
#include "support/host.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <utility>
#include <vector>

const char* const kMsgMinPhaseFailed = "Conversion to minimum phase failed.";
const char* const kMsgMinPhaseUseAnyway = "Minphase conversion failed by %1 dB.  Use anyway?";

namespace {

constexpr double kLog10OfE = 0.4342944819032518;
constexpr double kCommandRefuseDb = 40.0;
constexpr double kCommandAskDb = 0.1;

// 20*log10|P(e^jw)|, P evaluated by Horner's rule with the taps as its coefficients.
double MagnitudeDb(const mvect& taps, mcplx x) {
    mcplx acc = taps[0];
    for (size_t i = 1; i < taps.size(); ++i) {
        acc = acc * x + taps[i];
    }
    return 20.0 * std::log(std::abs(acc)) * kLog10OfE;
}

// Largest |A_k - B_k| of the two magnitude responses in dB at w_k = pi*k/M, M = 2n, for
// k = 0..count-1. Two exact zeros agree; a zero against a non-zero differs infinitely.
double ResponseErrorDb(const mvect& before, const mvect& after, size_t count) {
    const size_t m = 2 * before.size();
    double worst = 0.0;
    for (size_t k = 0; k < count; ++k) {
        const double w = std::numbers::pi * static_cast<double>(k) / static_cast<double>(m);
        const mcplx x = std::polar(1.0, w);
        const double a = MagnitudeDb(before, x);
        const double b = MagnitudeDb(after, x);
        const double diff = a == b ? 0.0 : std::fabs(a - b);
        if (!(diff <= worst)) {
            worst = diff;
        }
    }
    return worst;
}

// The roots ordered so that every leading run of them is spread evenly around the circle: sorted
// by angle, then taken in bit-reversed order of their rank. Multiplying the factors out in this
// order keeps the partial products' coefficients small, so the rebuilt polynomial does not lose
// its small values (deep stopbands) to cancellation.
mvect SpreadByAngle(const mvect& roots) {
    const size_t count = roots.size();
    std::vector<size_t> byAngle(count);
    std::iota(byAngle.begin(), byAngle.end(), size_t{0});
    auto angle = [&](size_t i) {
        const double a = std::arg(roots[i]);
        return a < 0.0 ? a + 2.0 * std::numbers::pi : a;
    };
    std::stable_sort(byAngle.begin(), byAngle.end(),
                     [&](size_t a, size_t b) { return angle(a) < angle(b); });
    int bits = 0;
    while ((size_t{1} << bits) < count) {
        ++bits;
    }
    std::vector<std::pair<size_t, size_t>> keyed(count); // (bit-reversed rank, root index)
    for (size_t rank = 0; rank < count; ++rank) {
        size_t reversed = 0;
        for (int b = 0; b < bits; ++b) {
            reversed |= ((rank >> b) & 1u) << (bits - 1 - b);
        }
        keyed[rank] = {reversed, byAngle[rank]};
    }
    std::sort(keyed.begin(), keyed.end());
    mvect ordered;
    for (const auto& [key, index] : keyed) {
        ordered.Append(roots[index]);
    }
    return ordered;
}

} // namespace

// Minimum phase by spectral factorisation: factor H(z), reflect each zero r with |r| > 1 to
// 1/conj(r) (which keeps |H| up to a constant), multiply the factors out again and rescale.
bool ConvertToMinPhase(mvect& h, double& errorDb) {
    errorDb = kMinPhaseNotDoneDb;
    const size_t n = h.size();
    if (n < 2 || !h.IsFinite() || std::abs(h[0]) < 1e-20) {
        return false;
    }
    const mcplx s0 = h.Sum();
    const bool real = h.IsReal();

    mvect g = h;
    g /= h[0];
    mvect roots = FindRoots(g);
    if (roots.empty()) {
        return false;
    }

    // Product of |r| over the reflected roots: h[0] times it is a gain that keeps |H|.
    double reflectedGain = 1.0;
    for (mcplx& r : roots) {
        if (std::abs(r) > 1.0) {
            reflectedGain *= std::abs(r);
            r = 1.0 / std::conj(r);
        }
    }

    roots = SpreadByAngle(roots);
    mvect c(roots.size() + 1, 0.0);
    c[0] = 1.0;
    for (size_t m = 1; m <= roots.size(); ++m) {
        const mcplx r = roots[m - 1];
        c[m] = -r * c[m - 1];
        for (size_t j = m - 1; j >= 1; --j) {
            c[j] -= r * c[j - 1];
        }
    }
    for (mcplx& z : c) {
        if (std::fabs(z.imag()) < 1e-12 * std::fabs(z.real())) {
            z.imag(0.0);
        }
    }

    // Restore the zero-frequency gain. When it vanishes (a zero at z = 1) the ratio S0/S1 is
    // meaningless; h[0] times the moduli of the moved zeros keeps |H| and the sign of h[0].
    const mcplx s1 = c.Sum();
    double sumAbs = 0.0;
    for (const mcplx& z : c) {
        sumAbs += std::abs(z);
    }
    const mcplx gain = std::abs(s1) > 1e-6 * sumAbs ? s0 / s1 : h[0] * reflectedGain;
    c *= gain;
    if (real) {
        for (mcplx& z : c) {
            z.imag(0.0);
        }
    }
    if (!c.IsFinite()) {
        return false;
    }

    // A complex filter's response is not symmetric: compare it around the whole circle.
    errorDb = ResponseErrorDb(h, c, real ? 2 * n : 4 * n);
    h = std::move(c);
    return true;
}

bool ConvertToMinPhase(std::vector<double>& h, double& errorDb) {
    mvect taps(h);
    if (!ConvertToMinPhase(taps, errorDb)) {
        return false;
    }
    h = taps.Real();
    return true;
}

bool AcceptMinPhaseError(CHost& host, double errorDb) {
    if (!(errorDb <= kCommandRefuseDb)) {
        host.Error(kMsgMinPhaseFailed);
        return false;
    }
    if (errorDb > kCommandAskDb) {
        return host.AskYesNo(FormatMessage(kMsgMinPhaseUseAnyway, {StrPrintf("%0.1f", errorDb)}),
                             EAnswer::No);
    }
    return true;
}

bool ConvertToMinPhaseAsking(CHost& host, mvect& h) {
    mvect converted = h;
    double errorDb = kMinPhaseNotDoneDb;
    if (!ConvertToMinPhase(converted, errorDb)) {
        host.Error(kMsgMinPhaseFailed);
        return false;
    }
    if (!AcceptMinPhaseError(host, errorDb)) {
        return false;
    }
    h = std::move(converted);
    return true;
}

bool ConvertToMinPhaseAfterDesign(CHost& host, const MinPhaseOptions& options, int nListedTaps,
                                  mvect& h) {
    if (!options.m_bEnabled) {
        return false;
    }
    if (nListedTaps <= options.m_nMaxTaps) {
        mvect converted = h;
        double errorDb = kMinPhaseNotDoneDb;
        if (ConvertToMinPhase(converted, errorDb) && errorDb <= options.m_dMaxDbError) {
            h = std::move(converted);
            return true;
        }
    }
    if (options.m_bWarn) {
        host.Error(kMsgMinPhaseFailed);
    }
    return false;
}
