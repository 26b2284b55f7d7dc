#include "design/cic.h"

#include "design/fir_data.h"
#include "design/method_messages.h"
#include "support/format_number.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Most stages a CIC design may have.
constexpr int kCicMaxStages = 100;

class CCicMethod final : public CDesignMethodImpl {
public:
    const char* SummaryName() const override { return "Cascaded Integrator Comb"; }
    std::string SummaryText(const CFirData& filter) const override {
        const CicParams& cic = filter.m_Cic;
        return StrPrintf("Number of stages,   N = %i\n", cic.m_nStages) +
               StrPrintf("Rate change factor, R = %i\n", cic.m_nRate) +
               StrPrintf("Differential Delay, M = %i\n", cic.m_nDelay);
    }
    // The length follows from N, R and M, which the method checks itself.
    bool ChecksTapCount() const override { return false; }
    SMethodMessage Validate(const CFirData& filter) const override {
        return ValidateCic(CicSpecOf(filter));
    }
    SDesignOutcome Design(CFirData& filter, const SDesignJob&) const override {
        SDesignOutcome outcome = DesignCic(CicSpecOf(filter));
        if (outcome.taps.empty()) {
            filter.RemoveAll();
            return outcome;
        }
        filter.LoadDesignedTaps(outcome.taps);
        filter.SetNumTaps(filter.GetN());
        return outcome;
    }
};

} // namespace

SCicSpec CicSpecOf(const CFirData& filter) {
    return {filter.m_Cic, std::min(filter.m_Constraints.m_nMax, CFirData::kMaxTaps),
            filter.m_bUnityGain != 0};
}

SMethodMessage ValidateCic(const SCicSpec& spec) {
    const CicParams& cic = spec.cic;
    if (cic.m_nStages <= 0 || cic.m_nRate <= 0 || cic.m_nDelay <= 0)
        return {kMsgCicAllPositive};
    if (cic.m_nStages > kCicMaxStages)
        return {kMsgCicTooManyStages};
    const long long product = static_cast<long long>(cic.m_nStages) * cic.m_nRate * cic.m_nDelay;
    if (product > spec.maxTaps)
        return {kMsgCicTooLong};
    return {};
}

// A CIC decimator or interpolator of N stages, rate R and differential delay M has the impulse
// response of N cascaded moving sums of R*M samples: a boxcar of R*M ones convolved with itself
// N - 1 times, N (R*M - 1) + 1 taps whose sum is (R*M)^N.
SDesignOutcome DesignCic(const SCicSpec& spec) {
    const int stages = spec.cic.m_nStages;
    const long long product = static_cast<long long>(spec.cic.m_nRate) * spec.cic.m_nDelay;
    // Parameters that ValidateCic refuses design nothing: the response could not be held.
    if (stages <= 0 || product <= 0 || stages * (product - 1) + 1 > CFirData::kMaxTaps)
        return {};
    const size_t k = static_cast<size_t>(product);
    std::vector<double> h(k, 1.0);
    for (int s = 1; s < stages; ++s) {
        std::vector<double> sums(h.size() + k - 1, 0.0);
        for (size_t j = 0; j < h.size(); ++j)
            for (size_t i = 0; i < k; ++i)
                sums[j + i] += h[j];
        h = std::move(sums);
    }
    if (spec.unityGain) {
        const double factor = std::pow(static_cast<double>(k), -stages);
        for (double& tap : h)
            tap *= factor;
    }
    return SDesignOutcome::OfTaps(std::move(h));
}

const CDesignMethodImpl& CicMethod() {
    static const CCicMethod method;
    return method;
}
