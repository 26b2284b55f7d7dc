#include "design/quantization.h"
#include "design/coefficient_messages.h"
#include "design/design_job.h"
#include "design/fir_data.h"
#include "design/quant_search.h"
#include "dsp/fixed_point.h"
#include "support/format_number.h"

#include <algorithm>
#include <vector>

namespace {

enum EQuantAlgorithm {
    kRoundMultiple = 0,
    kRound = 1,
    kSymmetricSearch = 2,
    kAsymmetricSearch = 3,
};

// Every value becomes its nearest level.
void RoundColumn(CDataColumn& x, int n, CFixedPointQuantizer& q) {
    for (int k = 0; k < n; ++k)
        x[k] = q.Quantize(x[k]);
}

// Pairs from the outside in, each pair's values offset by a carry formed from the rounding
// errors of the pair before. The centre tap of an odd length is its own pair: quantized once.
void RoundMultipleColumn(CDataColumn& x, int n, CFixedPointQuantizer& q,
                         std::atomic<int>& progress) {
    const int half = std::max(n / 2, 1);
    double carry = 0.0;
    for (int j = 0, i = n - 1; j <= i; ++j, --i) {
        progress = 100 * j / half;
        const double xj = x[j];
        const double xi = x[i];
        x[j] = q.Quantize(xj + carry);
        if (i == j)
            break;
        x[i] = q.Quantize(xi + carry);
        carry = -((xj - x[j]) + (xi - x[i])) / 2.0;
    }
}

// Whether a column holds only zeros.
bool IsAllZero(const CDataColumn& x) {
    return x.Min() == 0.0 && x.Max() == 0.0;
}

// The quantization itself, on the calling thread. False when cancelled.
bool RunQuantization(CFirData& filter, const QuantOptions& options, CFixedPointQuantizer& quantizer,
                     CDesignControl& control) {
    const int n = filter.GetN();
    int algorithm = options.m_nAlgorithm;
    if (algorithm < kRoundMultiple || algorithm > kAsymmetricSearch)
        algorithm = kRoundMultiple;

    bool completed = true;
    if (algorithm == kSymmetricSearch || algorithm == kAsymmetricSearch) {
        CQuantSearch search(filter, options, quantizer, control.m_bCancel,
                            control.m_nQuantProgress);
        if (!search.IsUsable()) {
            RoundColumn(*filter.m_pI, n, quantizer); // too long to measure: rounded
            algorithm = kRound;
        } else if (algorithm == kSymmetricSearch)
            completed = search.RunSymmetric();
        else
            completed = search.RunAsymmetric();
    } else {
        const bool withQ = !IsAllZero(*filter.m_pQ);
        if (algorithm == kRound) {
            RoundColumn(*filter.m_pI, n, quantizer);
            if (withQ)
                RoundColumn(*filter.m_pQ, n, quantizer);
        } else {
            RoundMultipleColumn(*filter.m_pI, n, quantizer, control.m_nQuantProgress);
            if (withQ)
                RoundMultipleColumn(*filter.m_pQ, n, quantizer, control.m_nQuantProgress);
        }
    }
    control.m_nQuantProgress = 0;
    filter.m_nQuantAlgorithmRun = algorithm;
    if (completed)
        filter.m_bQuantized = 1;
    // The gridded response must show the coefficients as they now are.
    if (!filter.m_Response.IsEmpty())
        filter.m_Response.ComputeResponse(filter.m_Response.m_nResolution);
    return completed;
}

} // namespace

SQuantizeResult CFirData::Quantize(const QuantOptions& options, CDesignControl* control) {
    CFixedPointQuantizer quantizer;
    if (GetN() == 0 || options.m_nBits < 1 || !quantizer.Setup(options.m_nBits))
        return {};
    std::vector<double> oldI(m_pI->begin(), m_pI->end());
    std::vector<double> oldQ(m_pQ->begin(), m_pQ->end());
    // Quantized again, the coefficients keep the unquantized copy of the first quantization.
    const bool requantized = HasUnquantized();
    SQuantizeResult result;

    const bool search =
        options.m_nAlgorithm == kSymmetricSearch || options.m_nAlgorithm == kAsymmetricSearch;
    // Inside a running design or optimisation the cancel request belongs to that design and is
    // kept; a quantization of its own starts afresh.
    const CDesignRun run(control);
    CDesignControl& c = run.Control();
    c.m_nQuantProgress = 0;

    CHost* host = GetHost();
    if (run.IsOutermost() && search && GetN() > kThreadedQuantizeTaps && host) {
        CDesignJob job(
            c, GetNumTaps(), kQuantizeCaption,
            [this, &options, &quantizer, &result, &c] {
                result.completed = RunQuantization(*this, options, quantizer, c);
            },
            true);
        host->RunLongJob(job);
    } else {
        result.completed = RunQuantization(*this, options, quantizer, c);
    }
    result.saturated = quantizer.Overflow();
    if (result.saturated)
        Report(FormatMessage(kMsgQuantSaturated, {std::to_string(options.m_nBits)}),
               EMsgIcon::Exclamation);
    result.changed = !std::equal(oldI.begin(), oldI.end(), m_pI->begin(), m_pI->end()) ||
                     !std::equal(oldQ.begin(), oldQ.end(), m_pQ->begin(), m_pQ->end());
    if (requantized)
        m_Unquantized.Follow(*this);
    else if (result.changed)
        m_Unquantized.Keep(std::move(oldI), std::move(oldQ), *this);
    return result;
}

CFirData CFirData::UnquantizedFilter() const {
    CFirData ideal(*this);
    if (!HasUnquantized())
        return ideal;
    const int n = static_cast<int>(m_Unquantized.I().size());
    ideal.m_pI->SetSize(n);
    ideal.m_pQ->SetSize(n);
    std::copy(m_Unquantized.I().begin(), m_Unquantized.I().end(), ideal.m_pI->begin());
    std::copy(m_Unquantized.Q().begin(), m_Unquantized.Q().end(), ideal.m_pQ->begin());
    ideal.ResetRange();
    ideal.m_bQuantized = 0;
    ideal.m_Unquantized.Clear();
    return ideal;
}

bool CheckQuantizeBits(int bits, CHost* host) {
    constexpr int kMaxDialogBits = 62;
    if (bits >= 1 && bits <= kMaxDialogBits)
        return true;
    if (host)
        host->Error(kMsgQuantBitsRange);
    return false;
}

bool CheckSearchRange(int low, int high, CHost* host) {
    if (low <= high)
        return true;
    if (host)
        host->Error(kMsgQuantSearchRange);
    return false;
}

bool SearchRangeApplies(int algorithm) {
    return algorithm == 2 || algorithm == 3;
}
