#include "fixed/fixed_point_filter.h"

#include "fixed/fixed_messages.h"
#include "support/format_number.h"

#include <algorithm>

bool CFixedPointFilter::CheckFormat(size_t taps, std::string& error) const {
    const std::string lo = std::to_string(SFixedPointFormat::kMinBits);
    const std::string hi = std::to_string(SFixedPointFormat::kMaxBits);
    if (taps == 0)
        error = kMsgFixedNoCoefficients;
    else if (taps > static_cast<size_t>(SFixedPointFormat::kMaxTaps))
        error = FormatMessage(kMsgFixedTooManyTaps, {std::to_string(SFixedPointFormat::kMaxTaps)});
    else if (m_format.coefBits < SFixedPointFormat::kMinBits ||
             m_format.coefBits > SFixedPointFormat::kMaxBits)
        error = FormatMessage(kMsgFixedCoefficientBits, {lo, hi});
    else if (m_format.inputBits < SFixedPointFormat::kMinBits ||
             m_format.inputBits > SFixedPointFormat::kMaxBits)
        error = FormatMessage(kMsgFixedInputBits, {lo, hi});
    else
        return true;
    return false;
}

bool CFixedPointFilter::Make(const std::vector<double>& taps, const SFixedPointFormat& format,
                             std::string& error) {
    std::vector<int64_t> words;
    words.reserve(taps.size());
    for (const double t : taps)
        words.push_back(QuantizeToWord(t, format.coefBits));
    for (size_t k = 0; k < taps.size(); ++k) {
        if (format.coefBits >= SFixedPointFormat::kMinBits &&
            format.coefBits <= SFixedPointFormat::kMaxBits &&
            (words[k] < SignedMin(format.coefBits) || words[k] > SignedMax(format.coefBits))) {
            error = FormatMessage(
                kMsgFixedCoefficientRange,
                {std::to_string(k), StrPrintf("%.17g", taps[k]), std::to_string(format.coefBits)});
            return false;
        }
    }
    return MakeFromIntegers(words, format, error);
}

bool CFixedPointFilter::MakeFromIntegers(const std::vector<int64_t>& coefficients,
                                         const SFixedPointFormat& format, std::string& error) {
    CFixedPointFilter made;
    made.m_format = format;
    if (!made.CheckFormat(coefficients.size(), error))
        return false;
    for (size_t k = 0; k < coefficients.size(); ++k) {
        if (coefficients[k] < SignedMin(format.coefBits) ||
            coefficients[k] > SignedMax(format.coefBits)) {
            error = FormatMessage(kMsgFixedCoefficientRange,
                                  {std::to_string(k), std::to_string(coefficients[k]),
                                   std::to_string(format.coefBits)});
            return false;
        }
    }
    made.m_coefs = coefficients;
    made.ComputeWidths();
    const int acc = made.m_nAccBits;
    made.m_nOutBits = format.outputBits == 0 ? acc : format.outputBits;
    if (made.m_nOutBits < 1 || made.m_nOutBits > acc) {
        error = FormatMessage(kMsgFixedOutputBits, {std::to_string(acc)});
        return false;
    }
    made.m_nShift = format.outputShift < 0 ? acc - made.m_nOutBits : format.outputShift;
    if (made.m_nShift > acc - 1) {
        error = FormatMessage(kMsgFixedOutputShift, {std::to_string(acc - 1)});
        return false;
    }
    *this = std::move(made);
    return true;
}

// Each product c x with x in [-2^(W-1), 2^(W-1) - 1] spans [min, max] with min <= 0 <= max, and
// the samples are independent, so the extremes of the sum are the sums of the extremes.
void CFixedPointFilter::ComputeWidths() {
    const Int128 xMin = SignedMin(m_format.inputBits);
    const Int128 xMax = SignedMax(m_format.inputBits);
    m_worstLow = 0;
    m_worstHigh = 0;
    for (const int64_t c : m_coefs) {
        m_worstLow += c > 0 ? c * xMin : c * xMax;
        m_worstHigh += c > 0 ? c * xMax : c * xMin;
    }
    m_nAccBits = std::max(SignedWidth(m_worstLow), SignedWidth(m_worstHigh));
}

std::vector<int64_t> CFixedPointFilter::WorstCaseInput() const {
    const bool low = SignedWidth(m_worstLow) >= SignedWidth(m_worstHigh);
    const auto xMin = static_cast<int64_t>(SignedMin(m_format.inputBits));
    const auto xMax = static_cast<int64_t>(SignedMax(m_format.inputBits));
    // The last output sums c[k] x[N-1-k]: each sample takes the end that pushes that product
    // toward the chosen extreme.
    const size_t n = m_coefs.size();
    std::vector<int64_t> x(n, 0);
    for (size_t k = 0; k < n; ++k) {
        const int64_t c = m_coefs[k];
        if (c != 0)
            x[n - 1 - k] = (c > 0) == low ? xMin : xMax;
    }
    return x;
}

Int128 CFixedPointFilter::Shifted(Int128 acc) const {
    if (m_nShift > 0) {
        if (m_format.rounding == ERounding::Round)
            acc += Int128{1} << (m_nShift - 1);
        acc >>= m_nShift; // arithmetic: floor division by 2^shift
    }
    return acc;
}

bool CFixedPointFilter::OutputCanOverflow() const {
    return Shifted(m_worstLow) < SignedMin(m_nOutBits) ||
           Shifted(m_worstHigh) > SignedMax(m_nOutBits);
}

Int128 CFixedPointFilter::OutputOf(Int128 acc) const {
    acc = Shifted(acc);
    if (m_format.overflow == EOverflow::Wrap)
        return WrapToWidth(acc, m_nOutBits);
    return std::clamp(acc, SignedMin(m_nOutBits), SignedMax(m_nOutBits));
}

std::vector<Int128> CFixedPointFilter::Accumulate(const std::vector<int64_t>& x) const {
    std::vector<Int128> words(x.size());
    std::transform(x.begin(), x.end(), words.begin(),
                   [this](int64_t v) { return WrapToWidth(v, m_format.inputBits); });
    std::vector<Int128> y(x.size(), 0);
    for (size_t n = 0; n < x.size(); ++n) {
        Int128 acc = 0;
        const size_t taps = std::min(m_coefs.size(), n + 1);
        for (size_t k = 0; k < taps; ++k)
            acc += m_coefs[k] * words[n - k];
        y[n] = acc;
    }
    return y;
}

std::vector<Int128> CFixedPointFilter::Filter(const std::vector<int64_t>& x) const {
    std::vector<Int128> y = Accumulate(x);
    for (Int128& v : y)
        v = OutputOf(v);
    return y;
}
