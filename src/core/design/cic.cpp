#include "design/fir_data.h"
#include "design/method_messages.h"
#include "dsp/signal_ops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Most stages a CIC design may have.
constexpr int kCicMaxStages = 100;

} // namespace

bool CFirData::ValidateCic() {
    const CicParams& cic = m_Cic;
    if (cic.m_nStages <= 0 || cic.m_nRate <= 0 || cic.m_nDelay <= 0) {
        Report(kMsgCicAllPositive);
        return false;
    }
    if (cic.m_nStages > kCicMaxStages) {
        Report(kMsgCicTooManyStages);
        return false;
    }
    const long long product = static_cast<long long>(cic.m_nStages) * cic.m_nRate * cic.m_nDelay;
    if (product > std::min(m_Constraints.m_nMax, kMaxTaps)) {
        Report(kMsgCicTooLong);
        return false;
    }
    return true;
}

// A CIC decimator or interpolator of N stages, rate R and differential delay M has the impulse
// response of N cascaded moving sums of R*M samples: a boxcar of R*M ones convolved with itself
// N - 1 times, N (R*M - 1) + 1 taps whose sum is (R*M)^N.
void CFirData::DesignCic() {
    RemoveAll();
    const int stages = m_Cic.m_nStages;
    const long long product = static_cast<long long>(m_Cic.m_nRate) * m_Cic.m_nDelay;
    // Parameters that ValidateCic refuses design nothing: the response could not be held.
    if (stages <= 0 || product <= 0 || stages * (product - 1) + 1 > kMaxTaps)
        return;
    const int k = static_cast<int>(product);
    CCorviData boxcar;
    for (int i = 0; i < k; ++i) {
        boxcar.m_pI->Add(1.0);
        boxcar.m_pQ->Add(0.0);
    }
    std::vector<double> ones(static_cast<size_t>(k), 1.0);
    LoadDesignedTaps(ones);
    for (int s = 1; s < stages; ++s)
        Convolve(*this, boxcar);
    EqualizeLengths(0.0);
    if (m_bUnityGain) {
        const double factor = std::pow(static_cast<double>(k), -stages);
        for (int i = 0; i < GetN(); ++i) {
            (*m_pI)[i] *= factor;
            if (!IsReal())
                (*m_pQ)[i] *= factor;
        }
    }
    SetNumTaps(GetN());
}
