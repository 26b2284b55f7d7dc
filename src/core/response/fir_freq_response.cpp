#include "response/fir_freq_response.h"

#include "dsp/fft.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/archive.h"
#include "support/format_number.h"

#include <algorithm>
#include <bit>
#include <complex>
#include <vector>

namespace {

// First stream version that holds the resolution.
constexpr int kResolutionVersion = 14;

} // namespace

CFirFreqResponse::CFirFreqResponse(CCorviData* pFilter)
    : m_pFilter(pFilter), m_nResolution(kDefaultResponseResolution) {}

long long CFirFreqResponse::GetTransformLength(int taps, int resolution) {
    if (resolution < 1) {
        return 0;
    }
    const auto bits = taps > 0 ? std::bit_width(static_cast<unsigned>(taps)) : 0;
    return static_cast<long long>(resolution) << bits;
}

bool CFirFreqResponse::ComputeResponse(int resolution) {
    if (!m_pFilter || resolution < 1) {
        return false;
    }
    const CCorviData& filter = *m_pFilter;
    const int n = filter.GetN();
    const long long length = GetTransformLength(n, resolution);
    if (length > kMaxLength) {
        return false;
    }
    m_nResolution = resolution;
    const auto size = static_cast<size_t>(length);

    std::vector<std::complex<double>> bins(size);
    for (int i = 0; i < n; ++i) {
        bins[static_cast<size_t>(i)] = {(*filter.m_pI)[i], (*filter.m_pQ)[i]};
    }
    CFft(size).Forward(bins);

    // Settings as the filter has them, then frequency data of the filter's Fs taken as 1 Hz.
    Copy(filter, 0);
    m_pI->SetSize(static_cast<int>(size));
    m_pQ->SetSize(static_cast<int>(size));
    for (size_t k = 0; k < size; ++k) {
        (*m_pI)[static_cast<int>(k)] = bins[k].real();
        (*m_pQ)[static_cast<int>(k)] = bins[k].imag();
    }
    m_bTime = 0;
    m_bReal = 0;
    m_nPoints = static_cast<int>(size);
    ApplyFs(CFs(1.0, 0));
    ResetRange();
    return true;
}

void CFirFreqResponse::GetPowerRange(double& min, double& max, double fLow, double fHigh) {
    min = 0.0;
    max = 0.0;
    if (IsEmpty() && !ComputeResponse(kDefaultResponseResolution)) {
        return;
    }
    const long long length = GetN();
    const long long lowest = -length / 2;
    const long long highest = length / 2;
    const auto binFreq = [length](long long i) {
        return static_cast<double>(i) / static_cast<double>(length);
    };
    const auto nearestBin = [&](double f) {
        return std::clamp<long long>(RoundHalfAway(f * static_cast<double>(length)), lowest,
                                     highest);
    };
    long long high = nearestBin(fHigh);
    if (binFreq(high) > fHigh && high > lowest) {
        --high;
    }
    long long low = nearestBin(fLow);
    if (binFreq(low) < fLow && low < high) {
        ++low;
    }

    min = max = FreqResponseAt(*m_pFilter, kChannelInphase, false, fLow, true);
    const double atHigh = FreqResponseAt(*m_pFilter, kChannelInphase, false, fHigh, true);
    min = std::min(min, atHigh);
    max = std::max(max, atHigh);
    for (long long i = low; i <= high; ++i) {
        const int k = static_cast<int>(((i % length) + length) % length);
        const double re = (*m_pI)[k];
        const double im = (*m_pQ)[k];
        const double power = re * re + im * im;
        min = std::min(min, power);
        max = std::max(max, power);
    }
}

void CFirFreqResponse::Serialize(CArchiveWriter& ar, int nVersion) const {
    if (nVersion >= kResolutionVersion) {
        ar.WriteInt32(m_nResolution);
    }
}

void CFirFreqResponse::Serialize(CArchiveReader& ar, int nVersion) {
    if (nVersion < kResolutionVersion) {
        return;
    }
    const int resolution = ar.ReadInt32();
    if (resolution < 1 || resolution > kMaxLength) {
        throw CArchiveException("invalid frequency response resolution");
    }
    m_nResolution = resolution;
    if (m_pFilter && !m_pFilter->IsEmpty()) {
        ComputeResponse(resolution);
    } else {
        RemoveAll();
    }
}
