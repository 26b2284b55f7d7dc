#include "response/fir_freq_response.h"

#include "reference_filters.h"
#include "response/response_types.h"
#include "response/response_value.h"
#include "response_test_util.h"
#include "support/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

TEST(Response, TransformLengthIsResolutionTimesPowerOfTwoAboveTaps) {
    struct SCase {
        int taps;
        int resolution;
        long long length;
    };
    const SCase cases[] = {{32, 32, 2048},       {33, 32, 2048}, {31, 32, 1024},
                           {100, 32, 4096},      {1, 8, 16},     {0, 32, 32},
                           {16384, 32, 1048576}, {5, 3, 24},     {5, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(CFirFreqResponse::GetTransformLength(c.taps, c.resolution), c.length)
            << c.taps << " taps, resolution " << c.resolution;
    }
    CCorviData filter;
    MakeFilter(filter, std::vector<double>(100, 0.01));
    CFirFreqResponse response(&filter);
    ASSERT_TRUE(response.ComputeResponse(32));
    EXPECT_EQ(response.GetN(), 4096);
}

// The bins are the response at k / L of the sampling frequency, as frequency data of a 1 Hz
// sampling frequency.
TEST(Response, GriddedResponseHoldsTheResponseAtBinFrequencies) {
    for (const auto& ref : ReferenceFilters()) {
        SCOPED_TRACE(ref.name);
        const int stride = ref.i.size() > 100 ? 37 : 1; // bins compared
        CCorviData filter;
        MakeFilter(filter, ref.i, ref.IsReal() ? std::vector<double>{} : ref.q, 48.0, 1);
        filter.m_nWindow = 4;
        CFirFreqResponse response(&filter);
        ASSERT_TRUE(response.ComputeResponse(3));
        const int length = response.GetN();
        int power = 1;
        while (power <= static_cast<int>(ref.i.size())) {
            power *= 2;
        }
        ASSERT_EQ(length, 3 * power);
        EXPECT_EQ(response.m_nResolution, 3);
        EXPECT_EQ(response.m_bTime, 0);
        EXPECT_EQ(response.m_bReal, 0);
        EXPECT_EQ(response.GetFs(), 1.0);
        EXPECT_EQ(response.m_Fs.m_nUnit, 0);
        EXPECT_DOUBLE_EQ(response.m_dDelta, 1.0 / length);
        EXPECT_EQ(response.m_nWindow, 4);
        EXPECT_EQ(filter.GetN(), static_cast<int>(ref.i.size()));
        EXPECT_EQ(filter.m_bTime, 1);
        // The DFT summed in extended precision with the angles reduced exactly.
        std::vector<std::complex<long double>> kernel(static_cast<size_t>(length));
        for (int t = 0; t < length; ++t) {
            kernel[static_cast<size_t>(t)] =
                std::polar(1.0L, -2.0L * std::numbers::pi_v<long double> * t / length);
        }
        const double tol = 1e-13 * ref.SumAbs();
        for (int k = 0; k < length; k += stride) {
            std::complex<long double> sum;
            for (size_t n = 0; n < ref.i.size(); ++n) {
                const auto t = (static_cast<long long>(k) * static_cast<long long>(n)) % length;
                sum +=
                    std::complex<long double>(ref.i[n], ref.q[n]) * kernel[static_cast<size_t>(t)];
            }
            EXPECT_NEAR((*response.m_pI)[k], static_cast<double>(sum.real()), tol) << "bin " << k;
            EXPECT_NEAR((*response.m_pQ)[k], static_cast<double>(sum.imag()), tol) << "bin " << k;
        }
    }
}

// Band edges count exactly even between bins; bins outside the band do not count.
TEST(Response, PowerRangeTakesEdgesAndBinsBetween) {
    const auto& ref = ReferenceFilters()[0]; // 31-tap lowpass, cutoff 0.15 Fs
    CCorviData filter;
    MakeFilter(filter, ref.i, {}, 1.0);
    const auto exact = [&](double f) {
        return FreqResponseAt(filter, kChannelInphase, false, f, true);
    };
    CFirFreqResponse response(&filter);
    ASSERT_TRUE(response.ComputeResponse(1)); // 32 bins: 1/32 apart
    struct SCase {
        double low;
        double high;
    };
    const SCase cases[] = {
        {0.0, 0.1},    // passband, edges on bins
        {0.01, 0.149}, // edges between bins; the falling edge is the minimum
        {0.2, 0.5},    // stopband up to the Nyquist frequency
        {0.10, 0.11},  // narrower than a bin: the edges alone
        {-0.3, -0.05}, // negative frequencies
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        double expectedMin = std::min(exact(c.low), exact(c.high));
        double expectedMax = std::max(exact(c.low), exact(c.high));
        for (int k = -16; k <= 16; ++k) {
            const double f = k / 32.0;
            if (f >= c.low && f <= c.high) {
                expectedMin = std::min(expectedMin, exact(f));
                expectedMax = std::max(expectedMax, exact(f));
            }
        }
        double min = -1.0;
        double max = -1.0;
        response.GetPowerRange(min, max, c.low, c.high);
        EXPECT_NEAR(min, expectedMin, 1e-14);
        EXPECT_NEAR(max, expectedMax, 1e-14);
    }
    // A bin just outside the band must not widen the range: at 0.149 the response has fallen
    // far below the bin at 0.125 but the stopband bin at 0.15625 is lower still.
    double min = 0.0;
    double max = 0.0;
    response.GetPowerRange(min, max, 0.01, 0.149);
    EXPECT_GT(min, exact(5.0 / 32.0));
}

TEST(Response, PowerRangeComputesTheResponseWhenNeeded) {
    const auto& ref = ReferenceFilters()[0];
    CCorviData filter;
    MakeFilter(filter, ref.i, {}, 1.0);
    CFirFreqResponse response(&filter);
    response.m_nResolution = 4;
    double min = 0.0;
    double max = 0.0;
    response.GetPowerRange(min, max, 0.0, 0.1);
    EXPECT_EQ(response.GetN(), 32 * kDefaultResponseResolution);
    EXPECT_EQ(response.m_nResolution, kDefaultResponseResolution);
    EXPECT_GT(min, 0.9);
    EXPECT_LT(max, 1.1);
}

TEST(Response, ComputeResponseRefusalsChangeNothing) {
    CFirFreqResponse orphan;
    EXPECT_FALSE(orphan.ComputeResponse(32));
    EXPECT_TRUE(orphan.IsEmpty());
    double min = -1.0;
    double max = -1.0;
    orphan.GetPowerRange(min, max, 0.0, 0.5);
    EXPECT_EQ(min, 0.0);
    EXPECT_EQ(max, 0.0);

    CCorviData filter;
    MakeFilter(filter, {1.0, 2.0, 3.0});
    CFirFreqResponse response(&filter);
    ASSERT_TRUE(response.ComputeResponse(2));
    for (int resolution : {0, -4, 1 << 30}) {
        EXPECT_FALSE(response.ComputeResponse(resolution));
        EXPECT_EQ(response.GetN(), 8);
        EXPECT_EQ(response.m_nResolution, 2);
        EXPECT_DOUBLE_EQ((*response.m_pI)[0], 6.0);
    }
}

TEST(Response, ArchiveHoldsTheResolutionAndRecomputes) {
    CCorviData filter;
    MakeFilter(filter, ReferenceFilters()[0].i);
    CFirFreqResponse response(&filter);
    ASSERT_TRUE(response.ComputeResponse(8));

    CArchiveWriter writer;
    response.Serialize(writer, 20);
    EXPECT_EQ(writer.Bytes(), (std::vector<uint8_t>{8, 0, 0, 0}));

    CFirFreqResponse loaded(&filter);
    CArchiveReader reader(writer.Bytes());
    loaded.Serialize(reader, 20);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(loaded.m_nResolution, 8);
    EXPECT_TRUE(loaded.IsEmpty()); // computed when first needed, at the resolution read
    double min = 0.0;
    double max = 0.0;
    loaded.GetPowerRange(min, max, 0.0, 0.5);
    EXPECT_EQ(loaded.m_nResolution, 8);
    ASSERT_EQ(loaded.GetN(), response.GetN());
    for (int k = 0; k < loaded.GetN(); ++k) {
        EXPECT_EQ((*loaded.m_pI)[k], (*response.m_pI)[k]);
    }

    // Before version 14 nothing is stored and the response is left empty until needed.
    CArchiveWriter old;
    response.Serialize(old, 13);
    EXPECT_TRUE(old.Bytes().empty());
    CFirFreqResponse fromOld(&filter);
    ASSERT_TRUE(fromOld.ComputeResponse(2));
    CArchiveReader oldReader(old.Bytes());
    fromOld.Serialize(oldReader, 13);
    EXPECT_TRUE(fromOld.IsEmpty());

    // A resolution too large for this filter's transform loads as an empty response.
    CArchiveWriter huge;
    huge.WriteInt32(1 << 22);
    CFirFreqResponse fromHuge(&filter);
    ASSERT_TRUE(fromHuge.ComputeResponse(2));
    CArchiveReader hugeReader(huge.Bytes());
    fromHuge.Serialize(hugeReader, 20);
    EXPECT_TRUE(fromHuge.IsEmpty());

    // A resolution that cannot be right is a corrupt stream.
    for (int32_t bad : {0, -1, 1 << 26}) {
        CArchiveWriter corrupt;
        corrupt.WriteInt32(bad);
        CArchiveReader corruptReader(corrupt.Bytes());
        EXPECT_THROW(loaded.Serialize(corruptReader, 20), CArchiveException) << bad;
        EXPECT_EQ(loaded.m_nResolution, 8);
    }
    CArchiveReader shortReader(std::vector<uint8_t>{8, 0});
    EXPECT_THROW(loaded.Serialize(shortReader, 20), CArchiveException);
}
