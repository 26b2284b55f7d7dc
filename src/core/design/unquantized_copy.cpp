#include "design/unquantized_copy.h"

#include "design/fir_data.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/archive.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kMaxCopyTaps = 1 << 24;

uint64_t Mix(uint64_t hash, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int k = 0; k < 8; ++k) {
        hash ^= (bits >> (8 * k)) & 0xFF;
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

} // namespace

uint64_t CoefficientPrint(const CCorviData& data) {
    const int n = data.GetN();
    const auto zero = [&](int k) { return (*data.m_pI)[k] == 0.0 && (*data.m_pQ)[k] == 0.0; };
    int first = 0, last = n - 1;
    while (first <= last && zero(first))
        ++first;
    while (last >= first && zero(last))
        --last;
    uint64_t hash = 0xCBF29CE484222325ULL;
    for (int k = first; k <= last; ++k)
        hash = Mix(Mix(hash, (*data.m_pI)[k]), (*data.m_pQ)[k]);
    return hash;
}

void CUnquantizedCopy::Keep(std::vector<double> i, std::vector<double> q,
                            const CCorviData& quantized) {
    m_i = std::move(i);
    m_q = std::move(q);
    m_q.resize(m_i.size());
    m_nPrint = CoefficientPrint(quantized);
}

bool CUnquantizedCopy::Describes(const CCorviData& data) const {
    return !m_i.empty() && data.GetN() > 0 && CoefficientPrint(data) == m_nPrint;
}

void CUnquantizedCopy::Write(CArchiveWriter& ar) const {
    ar.WriteInt32(static_cast<int32_t>(m_i.size()));
    for (const std::vector<double>* column : {&m_i, &m_q})
        for (const double v : *column)
            ar.WriteDouble(v);
    ar.WriteUInt32(static_cast<uint32_t>(m_nPrint));
    ar.WriteUInt32(static_cast<uint32_t>(m_nPrint >> 32));
}

void CUnquantizedCopy::Read(CArchiveReader& ar) {
    const int n = ar.ReadInt32();
    if (n <= 0 || n > kMaxCopyTaps)
        throw CArchiveException("Bad unquantized coefficient count");
    ar.CheckCount(2 * n, sizeof(double));
    CUnquantizedCopy read;
    for (std::vector<double>* column : {&read.m_i, &read.m_q}) {
        column->resize(static_cast<size_t>(n));
        for (double& v : *column)
            v = ar.ReadDouble();
    }
    const uint64_t low = ar.ReadUInt32();
    read.m_nPrint = low | (static_cast<uint64_t>(ar.ReadUInt32()) << 32);
    *this = std::move(read);
}

double WorstLevelDb(const CCorviData& data, double lo, double hi) {
    const int n = std::max(1, data.GetN());
    const int channel = data.IsReal() ? kChannelInphase : kChannelComplex;
    const int points =
        static_cast<int>(std::clamp(std::ceil((hi - lo) * n * 32.0), 1.0, 16384.0)) + 1;
    double worst = 0;
    for (int k = 0; k < points; ++k) {
        const double f = lo + (hi - lo) * k / (points - 1);
        worst = std::max(worst, FreqResponseAt(data, channel, false, f, true));
    }
    return 10.0 * std::log10(std::max(worst, 1e-30));
}

std::optional<SQuantizationLoss> MeasureQuantizationLoss(const CFirData& filter) {
    if (!filter.m_Unquantized.Describes(filter))
        return std::nullopt;
    CCorviData ideal;
    ideal.LoadComplex({});
    ideal.m_pI->SetSize(static_cast<int>(filter.m_Unquantized.I().size()));
    ideal.m_pQ->SetSize(static_cast<int>(filter.m_Unquantized.Q().size()));
    std::copy(filter.m_Unquantized.I().begin(), filter.m_Unquantized.I().end(),
              ideal.m_pI->begin());
    std::copy(filter.m_Unquantized.Q().begin(), filter.m_Unquantized.Q().end(),
              ideal.m_pQ->begin());
    ideal.m_bReal = filter.IsReal() ? 1 : 0;
    std::optional<SQuantizationLoss> loss;
    for (int b = 0; b < filter.GetNumBands(); ++b) {
        if (filter.IsPassband(b))
            continue;
        const double lo = filter.Band(b).lower, hi = filter.Band(b).upper;
        const double before = WorstLevelDb(ideal, lo, hi), after = WorstLevelDb(filter, lo, hi);
        if (!loss)
            loss = SQuantizationLoss{before, after};
        loss->dUnquantizedDb = std::max(loss->dUnquantizedDb, before);
        loss->dQuantizedDb = std::max(loss->dQuantizedDb, after);
    }
    return loss;
}
