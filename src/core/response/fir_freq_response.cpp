#include "response/fir_freq_response.h"

#include "dsp/fft.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "support/archive.h"
#include "support/format_number.h"

#include <algorithm>
#include <bit>
#include <complex>
#include <cstddef>
#include <numbers>
#include <vector>

namespace {

// First stream version that holds the resolution.
constexpr int kResolutionVersion = 14;

using Complex = std::complex<double>;

// The L = R*M point transform of x[0..n-1] zero-padded, for n <= M, by decimation in frequency
// with the zero inputs pruned: for bin k = q*R + r,
//     X[k] = sum_{m<M} (x[m] e^(-j 2 pi r m / L)) e^(-j 2 pi q m / M),
// so R transforms of length M replace one of length L. The twiddle factors are exact to a few
// roundings: e^(-j 2 pi t / L) = coarse[t / S] * fine[t % S] with both tables from sin and cos.
void PrunedTransform(const CDataColumn& xi, const CDataColumn& xq, int n, size_t m, size_t r,
                     CDataColumn& outRe, CDataColumn& outIm) {
    const size_t length = m * r;
    size_t shift = 0;
    while ((size_t{1} << (2 * shift)) < length) {
        ++shift;
    }
    const size_t fineSize = size_t{1} << shift;
    const size_t coarseSize = (length + fineSize - 1) / fineSize;
    const double step = -2.0 * std::numbers::pi / static_cast<double>(length);
    std::vector<Complex> fine(fineSize);
    std::vector<Complex> coarse(coarseSize);
    for (size_t t = 0; t < fineSize; ++t) {
        fine[t] = std::polar(1.0, step * static_cast<double>(t));
    }
    for (size_t t = 0; t < coarseSize; ++t) {
        coarse[t] = std::polar(1.0, step * static_cast<double>(t * fineSize));
    }

    CFft fft(m);
    std::vector<Complex> y(m);
    const auto count = static_cast<size_t>(n);
    for (size_t residue = 0; residue < r; ++residue) {
        size_t t = 0; // residue * index mod length
        for (size_t i = 0; i < count; ++i) {
            const Complex x(xi[static_cast<int>(i)], xq[static_cast<int>(i)]);
            y[i] = residue == 0 ? x : x * (coarse[t >> shift] * fine[t & (fineSize - 1)]);
            t += residue;
            if (t >= length) {
                t -= length;
            }
        }
        std::fill(y.begin() + static_cast<std::ptrdiff_t>(count), y.end(), Complex());
        fft.Forward(y);
        for (size_t q = 0; q < m; ++q) {
            const auto k = static_cast<int>(q * r + residue);
            outRe[k] = y[q].real();
            outIm[k] = y[q].imag();
        }
    }
}

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
    const int size = static_cast<int>(length);

    // Settings as the filter has them, then frequency data of the filter's Fs taken as 1 Hz.
    Copy(filter, 0);
    m_nResolution = resolution;
    m_pI->SetSize(size);
    m_pQ->SetSize(size);
    PrunedTransform(*filter.m_pI, *filter.m_pQ, n, static_cast<size_t>(length / resolution),
                    static_cast<size_t>(resolution), *m_pI, *m_pQ);
    m_bTime = 0;
    m_bReal = 0;
    m_nPoints = size;
    ApplyFs(CFs(1.0, 0));
    ResetRange();
    m_bPending = false;
    return true;
}

void CFirFreqResponse::GetPowerRange(double& min, double& max, double fLow, double fHigh) {
    min = 0.0;
    max = 0.0;
    const bool pending = m_bPending && m_nResolution <= kMaxLoadedResolution;
    if (!m_pFilter || (IsEmpty() && !(pending && ComputeResponse(m_nResolution)) &&
                       !ComputeResponse(kDefaultResponseResolution))) {
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
    // A band narrower than the bin spacing holds no bin: then low passes high.
    long long low = nearestBin(fLow);
    if (binFreq(low) < fLow) {
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
        RemoveAll();
        return;
    }
    const int resolution = ar.ReadInt32();
    if (resolution < 1 || resolution > kMaxLength) {
        throw CArchiveException("invalid frequency response resolution");
    }
    m_nResolution = resolution;
    RemoveAll();
    m_bPending = true;
}

void CFirFreqResponse::RemoveAll() {
    CCorviData::RemoveAll();
    m_bPending = false;
}
