#include "design/maxflat.h"

#include "design/fir_data.h"
#include "design/method_messages.h"
#include "response/response_value.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Largest number of flatness conditions MaxflatResponse accepts.
constexpr int kMaxflatMaxConditions = 650;
// Largest tap count the maxflat rules accept, plus one.
constexpr int kMaxflatTapLimit = 1301;

} // namespace

void RationalApprox(double ac, int capacity, int& np, int& na, int& nt) {
    if (np <= 0) {
        na = 0;
        nt = 0;
        np = -1;
        return;
    }
    const double mag = std::abs(ac);
    const int ip = static_cast<int>(mag);
    const double f = mag - ip;
    const int lim = std::min(2 * np, capacity);
    int bestD = 0;
    int bestR = 0;
    double bestE = 0.0;
    for (int d = np; d <= lim; ++d) {
        const int r = static_cast<int>(d * f + 0.5);
        const double e = std::abs(f - static_cast<double>(r) / d);
        if (bestD == 0 || e <= bestE) {
            bestD = d;
            bestR = r;
            bestE = e;
        }
    }
    if (bestD == 0) {
        nt = ip;
        na = ac < 0.0 ? -ip : ip;
    } else {
        nt = bestD;
        na = bestR + nt * ip;
        if (ac < 0.0)
            na = -na;
        np = nt - 1;
    }
    if (na == nt) {
        nt = lim;
        na = lim - 1;
        np = lim - 1;
    }
}

// Herrmann's maximally flat FIR: with x = (1 - cos w)/2 the amplitude is
// (1 - x)^NA * sum_{i=0}^{K} C(NA - 1 + i, i) x^i: 1 - A vanishes to order 2 (K + 1) at DC and
// A to order 2 NA at Fs/2. NA/NT approximates (1 + cos 2 pi beta)/2, the half-power point, and the
// taps follow from the amplitude sampled at NT frequencies by the inverse cosine transform.
int MaxflatResponse(double beta, double gamma, int capacity, std::vector<double>& half, int& nt) {
    half.clear();
    nt = 0;
    if (!(beta > 0.0 && beta < 0.5))
        return kMaxflatBadBeta;
    if (!(gamma > 0.0 && gamma < std::min(2.0 * beta, 1.0 - 2.0 * beta)))
        return kMaxflatBadGamma;
    const double conditions = 1.0 / (4.0 * gamma * gamma);
    if (conditions >= kMaxflatMaxConditions + 1)
        return kMaxflatTooLong;
    int np = static_cast<int>(conditions);
    const double ac = (1.0 + std::cos(2.0 * std::numbers::pi * beta)) / 2.0;
    int na = 0;
    RationalApprox(ac, capacity, np, na, nt);
    if (na == 0)
        na = 1;
    if (nt <= 0)
        return kMaxflatTooLong;
    const int a = 2 * nt - 1;
    const int k = np - na;

    // C(NA - 1 + i, i) as the product of (1 + i/m), m = 1 .. NA - 1.
    std::vector<double> binomial(static_cast<size_t>(k + 1));
    for (int i = 0; i <= k; ++i) {
        double coefficient = 1.0;
        for (int m = 1; m <= na - 1; ++m)
            coefficient *= 1.0 + static_cast<double>(i) / m;
        binomial[static_cast<size_t>(i)] = coefficient;
    }
    std::vector<double> c(static_cast<size_t>(nt));
    std::vector<double> h(static_cast<size_t>(nt));
    c[0] = 1.0;
    h[0] = 1.0;
    for (int j = 2; j <= nt; ++j) {
        const double w = 2.0 * std::numbers::pi * (j - 1) / a;
        const double cj = std::cos(w);
        const double x = (1.0 - cj) / 2.0;
        double p = 0.0;
        double xi = 1.0;
        for (int i = 0; i <= k; ++i) {
            p += xi * binomial[static_cast<size_t>(i)];
            xi *= x;
        }
        // (1 - x)^NA by repeated squaring, for every NA: the exponential e^(-NA x) that could
        // stand in for large NA has no zeros at Fs/2, and with a long sum P its error there
        // grows beyond the whole response.
        double base = 1.0 - x;
        double weight = 1.0;
        for (int e = na; e > 0; e >>= 1) {
            if (e & 1)
                weight *= base;
            base *= base;
        }
        c[static_cast<size_t>(j - 1)] = cj;
        h[static_cast<size_t>(j - 1)] = p * weight;
    }

    half.assign(static_cast<size_t>(nt), 0.0);
    for (int kk = 0; kk < nt; ++kk) {
        double sum = 0.5 * h[0];
        for (int j = 2; j <= nt; ++j) {
            int m = static_cast<int>((static_cast<long long>(kk) * (j - 1)) % a);
            if (m > nt - 1)
                m = a - m;
            sum += h[static_cast<size_t>(j - 1)] * c[static_cast<size_t>(m)];
        }
        half[static_cast<size_t>(kk)] = 2.0 / a * sum;
    }
    return kMaxflatOk;
}

SDesignOutcome DesignMaxflat(const MaxflatParams& maxflat) {
    const double gamma = maxflat.m_dGamma;
    const double conditions = gamma > 0.0 ? 1.0 / (4.0 * gamma * gamma) : 0.0;
    // A rolloff too small to design gets no denominator search at all.
    const int capacity =
        conditions < kMaxflatMaxConditions + 1 ? 4 + static_cast<int>(conditions) : 0;
    std::vector<double> half;
    int nt = 0;
    const int status = MaxflatResponse(maxflat.m_dBeta, gamma, capacity, half, nt);

    std::vector<double> taps;
    double sum = 0.0;
    if (status == kMaxflatOk) {
        taps.reserve(static_cast<size_t>(2 * nt - 1));
        for (int i = nt - 1; i >= 1; --i)
            taps.push_back(half[static_cast<size_t>(i)]);
        for (int i = 0; i < nt; ++i)
            taps.push_back(half[static_cast<size_t>(i)]);
        for (double t : taps)
            sum += t;
    }
    if (status != kMaxflatOk || taps.empty() || !(std::abs(sum - 1.0) <= 0.001))
        return SDesignOutcome::Failure(kMsgMaxflatNoConvergence);
    // A gain above 1 at the transition centre: the taps stay, the design failed.
    if (RealTapsPowerAt(taps, maxflat.m_dBeta) > 1.0)
        return SDesignOutcome::Failure(kMsgMaxflatNoConvergence, std::move(taps));
    return SDesignOutcome::OfTaps(std::move(taps));
}

bool StoreMaxflatSpec(CFirData& filter, double beta, bool gammaGiven, double gamma, int taps) {
    CHost* host = filter.GetHost();
    const auto refuse = [&filter](std::string text) {
        ShowMethodMessage(filter, {std::move(text)});
        return false;
    };
    if (!gammaGiven) {
        if (!filter.AskAdjustTaps(taps))
            return false;
        if (taps < 3)
            return refuse(kMsgMaxflatTapsBelow3);
        if (taps % 2 == 0) {
            const EAnswer answer =
                host ? host->Ask(kMsgMaxflatAskOdd, false, EAnswer::Yes) : EAnswer::Yes;
            if (answer != EAnswer::Yes)
                return false;
            ++taps;
        }
        if (taps > kMaxflatTapLimit - 1)
            return refuse(
                FormatMessage(kMsgMaxflatTooManyTaps, {std::to_string(kMaxflatTapLimit)}));
        gamma = RoundHalfAwayDouble(std::sqrt(1.0 / (2.0 * (taps - 1))) * 1e6) / 1e6;
    }
    if (!(beta > 0.0))
        return refuse(kMsgMaxflatCenterPositive);
    if (!(gamma > 0.0))
        return refuse(kMsgMaxflatRolloffPositive);
    if (gamma >= std::min(2.0 * beta, 1.0 - 2.0 * beta))
        return refuse(kMsgMaxflatRolloffTooBig);
    if (1.0 / (4.0 * gamma * gamma) >= 651.0)
        return refuse(kMsgMaxflatRolloffTooSmall);
    filter.m_Maxflat.m_dBeta = beta;
    filter.m_Maxflat.m_dGamma = gamma;
    filter.m_Maxflat.m_bGammaGiven = gammaGiven ? 1 : 0;
    return true;
}

namespace {

class CMaxflatMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Maxflat"; }
    std::string SummaryText(const CFirData& filter) const override {
        const MaxflatParams& maxflat = filter.m_Maxflat;
        return maxflat.m_bGammaGiven ? StrPrintf("Gamma = %f\n", maxflat.m_dGamma)
                                     : StrPrintf("Beta = %f\n", maxflat.m_dBeta);
    }
    // The length follows from the parameters, which StoreMaxflatSpec checked when they were
    // entered.
    bool ChecksTapCount() const override { return false; }
    SMethodMessage Validate(const CFirData&) const override { return {}; }
    SDesignOutcome Design(CFirData& filter, const SDesignJob&) const override {
        SDesignOutcome outcome = DesignMaxflat(filter.m_Maxflat);
        filter.LoadDesignedTaps(outcome.taps);
        if (!outcome.taps.empty())
            filter.SetNumTaps(filter.GetN());
        return outcome;
    }
};

} // namespace

const CDesignMethodImpl& MaxflatMethod() {
    static const CMaxflatMethod method;
    return method;
}

void KeepMaxflatLength(CFirData& filter) {
    filter.SetNumTaps(filter.GetN());
}
