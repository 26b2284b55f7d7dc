#include "design/raised_cosine.h"

#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "support/format_number.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

RaisedCosineParams CompleteRaisedCosine(const RaisedCosineParams& given, double fs) {
    RaisedCosineParams rc = given;
    if (rc.m_bRateGiven)
        rc.m_dSamplesPerSymbol = fs / rc.m_dSymbolRate;
    else
        rc.m_dSymbolRate = fs / rc.m_dSamplesPerSymbol;
    if (!rc.m_bLengthInTaps) {
        const double taps = rc.m_dSymbols * rc.m_dSamplesPerSymbol + 0.5;
        // A length beyond any tap count a filter can have fails the constraints.
        rc.m_nRcTaps = taps < 2e9 ? static_cast<int>(taps) : 2000000000;
    }
    rc.m_dSymbols = rc.m_nRcTaps / rc.m_dSamplesPerSymbol;
    return rc;
}

SRaisedCosineSpec RaisedCosineSpecOf(const CFirData& filter) {
    return {filter.m_Rc, filter.GetFs(), filter.m_Constraints};
}

SMethodMessage ValidateRaisedCosine(const SRaisedCosineSpec& spec) {
    const RaisedCosineParams& given = spec.rc;
    const NTapsConstraints& constraints = spec.constraints;
    if (!(given.m_dRolloff > 0.0 && given.m_dRolloff < 1.0))
        return {kMsgRolloffRange};
    if (given.m_bRateGiven && !(given.m_dSymbolRate > 0.0))
        return {kMsgSymbolRatePositive};
    if (!given.m_bRateGiven && !(given.m_dSamplesPerSymbol > 1.0))
        return {kMsgSamplesPerSymbol};
    const RaisedCosineParams rc = CompleteRaisedCosine(given, spec.fs);
    if (rc.m_bLengthInTaps) {
        if (rc.m_nRcTaps < 4)
            return {kMsgRcFourTaps};
        if (!rc.m_bZeroPad && !constraints.MeetsConstraints(rc.m_nRcTaps))
            return {kMsgRcTapsConstraints};
    } else {
        if (!(given.m_dSymbols >= 2.0))
            return {kMsgRcTwoSymbols};
        if (!rc.m_bZeroPad && !constraints.MeetsConstraints(rc.m_nRcTaps))
            return {kMsgRcSymbolsConstraints};
    }
    if (rc.m_bZeroPad) {
        if (rc.m_nZeroPadTaps < rc.m_nRcTaps)
            return {kMsgRcZeroPadShort};
        if (!constraints.MeetsConstraints(rc.m_nZeroPadTaps))
            return {kMsgRcZeroPadConstraints};
    }
    if (!(rc.m_dSymbols >= 2.0))
        return {kMsgRcSpanTwoSymbols};
    const int length = rc.m_bZeroPad ? rc.m_nZeroPadTaps : rc.m_nRcTaps;
    if (length > CFirData::kMaxTaps)
        return {FormatMessage(kMsgTapsAboveAbsMax, {std::to_string(CFirData::kMaxTaps)})};
    return {};
}

// Raised-cosine and root-raised-cosine Nyquist pulses sampled at t = (i - (N-1)/2)/sps symbols;
// at their removable singularities the limits (L'Hopital) are used.
std::vector<double> DesignRaisedCosine(const RaisedCosineParams& rc) {
    const int n = rc.m_nRcTaps;
    const double sps = rc.m_dSamplesPerSymbol;
    const double beta = rc.m_dRolloff;
    const double pi = std::numbers::pi;

    std::vector<double> h(static_cast<size_t>(std::max(n, 0)), 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = (i - (n - 1) / 2.0) / sps;
        double value = 0.0;
        if (rc.m_bRoot) {
            const double num =
                std::sin(pi * t * (1.0 - beta)) + 4.0 * beta * t * std::cos(pi * t * (1.0 + beta));
            const double den = pi * t * (1.0 - (4.0 * beta * t) * (4.0 * beta * t));
            if (t == 0.0 || std::abs(den) * std::pow(sps, 1.5) < 1e-10) {
                const double dnum =
                    pi * (1.0 - beta) * std::cos(pi * t * (1.0 - beta)) +
                    4.0 * beta * std::cos(pi * t * (1.0 + beta)) -
                    4.0 * beta * t * pi * (1.0 + beta) * std::sin(pi * t * (1.0 + beta));
                const double dden = pi * (1.0 - 48.0 * beta * beta * t * t);
                value = dnum / (dden * sps);
            } else {
                value = num / (den * sps);
            }
        } else {
            const double x = pi * t;
            const double sinc = std::abs(x) < 1e-20 ? 1.0 : std::sin(x) / x;
            const double q = 1.0 - (2.0 * beta * t) * (2.0 * beta * t);
            const double c = std::abs(q) < 1e-12 ? pi / 4.0 : std::cos(pi * beta * t) / q;
            value = sinc * c / sps;
        }
        h[static_cast<size_t>(i)] = value;
    }
    if (rc.m_bZeroPad && rc.m_nZeroPadTaps > n)
        h.resize(static_cast<size_t>(rc.m_nZeroPadTaps), 0.0);
    return h;
}

namespace {

class CRaisedCosineMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Raised Cosine"; }
    // The tap counts follow from the parameters; the method checks them against the
    // constraints itself.
    bool ChecksTapCount() const override { return false; }
    SMethodMessage Validate(const CFirData& filter) const override {
        return ValidateRaisedCosine(RaisedCosineSpecOf(filter));
    }
    SDesignOutcome Design(CFirData& filter, const SDesignJob&) const override {
        filter.m_Rc = CompleteRaisedCosine(filter.m_Rc, filter.GetFs());
        SDesignOutcome outcome = SDesignOutcome::OfTaps(DesignRaisedCosine(filter.m_Rc));
        filter.LoadDesignedTaps(outcome.taps);
        filter.SetNumTaps(filter.GetN());
        return outcome;
    }
};

} // namespace

const CDesignMethodImpl& RaisedCosineMethod() {
    static const CRaisedCosineMethod method;
    return method;
}
