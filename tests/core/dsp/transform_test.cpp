#include "data/corvi_data.h"

#include "dsp/signal_ops.h"
#include "fft_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

using Complex = std::complex<double>;

void Load(CCorviData& d, const std::vector<Complex>& x) {
    d.RemoveAll();
    for (const Complex& v : x) {
        d.m_pI->Add(v.real());
        d.m_pQ->Add(v.imag());
    }
    d.ResetRange();
}

Complex At(const CCorviData& d, int i) {
    return {d.m_pI->GetAt(i), d.m_pQ->GetAt(i)};
}

} // namespace

TEST(Transform, ImpulseAndToneGiveTheirBins) {
    const int n = 12;
    std::vector<Complex> impulse(n, 0.0), tone(n);
    impulse[0] = 1.0;
    for (int k = 0; k < n; ++k) {
        tone[k] = std::polar(1.0, 2.0 * std::numbers::pi * 3.0 * k / n);
    }
    CCorviData src, dst;
    Load(src, impulse);
    Transform(dst, src);
    ASSERT_EQ(dst.GetN(), n);
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(std::abs(At(dst, k) - 1.0), 0.0, 1e-15);
    }
    Load(src, tone);
    CCorviData dst2;
    Transform(dst2, src);
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(std::abs(At(dst2, k) - (k == 3 ? Complex(n) : 0.0)), 0.0, 1e-13) << k;
    }
}

TEST(Transform, PrimeFactorLengthIsTransformedInFull) {
    // 2·10007 has a prime factor far beyond any butterfly: the whole length is transformed,
    // matching NumPy, and nothing is reported.
    const std::size_t n = 2 * 10007;
    const auto ref = fftref::LoadReference().at(n);
    CCorviData src, dst;
    Load(src, fftref::ReferenceSignal(n));
    Transform(dst, src);
    ASSERT_EQ(dst.GetN(), static_cast<int>(n));
    for (const auto& [k, v] : ref.fwd) {
        ASSERT_NEAR(std::abs(At(dst, static_cast<int>(k)) - v), 0.0, 1e-10) << k;
    }
}

TEST(Transform, ScaleFollowsTheDestinationsDomain) {
    const std::vector<Complex> x = {1.0, {2.0, -1.0}, 0.5, {-3.0, 0.25}, 4.0};
    CCorviData time, freq;
    Load(time, x);
    Transform(freq, time); // this held time data: scale 1
    ASSERT_EQ(freq.m_bTime, 0);

    // Into a signal holding frequency data: scale 1/N, samples back in their order.
    CCorviData back;
    back.m_bTime = 0;
    Transform(back, freq);
    EXPECT_EQ(back.m_bTime, 1);
    ASSERT_EQ(back.GetN(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(std::abs(At(back, i) - x[i]), 0.0, 1e-14) << i;
    }

    // Into a signal holding time data: scale 1, so N times the samples.
    CCorviData fresh;
    Transform(fresh, freq);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(std::abs(At(fresh, i) - 5.0 * x[i]), 0.0, 1e-13) << i;
    }
}

TEST(Transform, DomainFsAndRangeOfTheResult) {
    struct SCase {
        bool real;
        int first; // expected first index of the display range after the forward transform
    };
    for (const SCase c : {SCase{true, 0}, SCase{false, -8}}) {
        CCorviData src;
        std::vector<Complex> x(16);
        for (int i = 0; i < 16; ++i) {
            x[i] = Complex(std::cos(0.3 * i), c.real ? 0.0 : std::sin(0.7 * i));
        }
        Load(src, x);
        src.m_bReal = c.real ? 1 : 0;
        src.m_nWindow = 2;
        src.ApplyFs(CFs(8.0, 1)); // 8 kHz

        CCorviData dst;
        Transform(dst, src);
        EXPECT_EQ(dst.m_bTime, 0);
        EXPECT_EQ(dst.m_bReal, 0);
        EXPECT_EQ(dst.m_nWindow, 2);
        EXPECT_EQ(dst.m_Fs.m_nUnit, 1);
        EXPECT_DOUBLE_EQ(dst.m_dFs, 8.0);
        EXPECT_DOUBLE_EQ(dst.m_dNyquist, 4.0);
        EXPECT_DOUBLE_EQ(dst.m_dDelta, 0.5); // kHz per bin
        EXPECT_EQ(dst.m_nPoints, 16);
        EXPECT_EQ(dst.m_nFirst, c.first);
        EXPECT_EQ(dst.m_nLast, 7);

        CCorviData back;
        back.m_bTime = 0;
        Transform(back, dst);
        EXPECT_EQ(back.m_bTime, 1);
        EXPECT_EQ(back.m_bReal, 0);
        EXPECT_DOUBLE_EQ(back.m_dDelta, 0.125); // ms per sample
        EXPECT_EQ(back.m_nFirst, 0);
        EXPECT_EQ(back.m_nLast, 15);
    }
}

TEST(Transform, SizeSelectsLeadingPoints) {
    std::vector<Complex> x(10);
    for (int i = 0; i < 10; ++i) {
        x[i] = Complex(i + 1.0, -0.5 * i);
    }
    CCorviData src;
    Load(src, x);
    struct SCase {
        int size;
        int expected;
    };
    for (const SCase c : {SCase{0, 10}, SCase{4, 4}, SCase{25, 10}, SCase{-3, 10}}) {
        CCorviData dst;
        Transform(dst, src, c.size);
        ASSERT_EQ(dst.GetN(), c.expected) << c.size;
        // Bin 0 is the sum of the transformed points; bin 1 checks their order.
        Complex sum = 0.0, bin1 = 0.0;
        for (int i = 0; i < c.expected; ++i) {
            sum += x[i];
            bin1 += x[i] * std::polar(1.0, -2.0 * std::numbers::pi * i / c.expected);
        }
        EXPECT_NEAR(std::abs(At(dst, 0) - sum), 0.0, 1e-12) << c.size;
        EXPECT_NEAR(std::abs(At(dst, 1) - bin1), 0.0, 1e-12) << c.size;
    }
}

TEST(Transform, SourceMayBeTheDestination) {
    const std::vector<Complex> x = {1.0, 2.0, {0.0, 1.0}, -1.0, 0.5, 0.25};
    CCorviData d, ref, src;
    Load(d, x);
    Load(src, x);
    Transform(ref, src);
    Transform(d, d);
    ASSERT_EQ(d.GetN(), 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(std::abs(At(d, k) - At(ref, k)), 0.0, 1e-15) << k;
    }
}

TEST(Transform, EmptySourceGivesEmptyFrequencyData) {
    CCorviData src, dst;
    Transform(dst, src);
    EXPECT_EQ(dst.GetN(), 0);
    EXPECT_EQ(dst.m_bTime, 0);
    EXPECT_DOUBLE_EQ(dst.m_dDelta, 0.0);
}
