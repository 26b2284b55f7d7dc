#include "response/response_value.h"

#include "data/corvi_data.h"
#include "reference_filters.h"
#include "response/response_types.h"
#include "response_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

using Curve = std::vector<double>;

// The curves ComputeCurves makes over freqs: one, or two for the I and Q channel.
std::vector<Curve> Curves(const CCorviData& filter, const std::vector<double>& freqs, int channel,
                          int kind, bool inDb = true, double minDb = -130.0) {
    CDataColumn column;
    for (double f : freqs) {
        column.Add(f);
    }
    CDataSet set;
    ComputeCurves(column, set, filter, {channel, kind, inDb, minDb});
    std::vector<Curve> curves;
    for (int c = 0; c < set.GetColumnCount(); ++c) {
        curves.emplace_back(set.GetColumn(c)->begin(), set.GetColumn(c)->end());
    }
    return curves;
}

std::vector<double> Grid(double from, double to, int count) {
    std::vector<double> freqs;
    for (int k = 0; k < count; ++k) {
        freqs.push_back(from + (to - from) * k / (count - 1));
    }
    return freqs;
}

std::complex<double> DirectResponse(const std::vector<std::complex<double>>& x, double f) {
    std::complex<double> h;
    for (size_t n = 0; n < x.size(); ++n) {
        h += x[n] * std::polar(1.0, -2.0 * std::numbers::pi * f * static_cast<double>(n));
    }
    return h;
}

} // namespace

TEST(Response, SingleUnitTapIsFlatWithoutDelay) {
    CCorviData filter;
    MakeFilter(filter, {1.0}, {}, 1000.0);
    const auto freqs = Grid(-500.0, 500.0, 21);
    struct SCase {
        int kind;
        bool inDb;
        double expected;
    };
    const SCase cases[] = {
        {kResponseMagnitude, true, 0.0},  {kResponseMagnitude, false, 1.0},
        {kResponsePhase, true, 0.0},      {kResponseUnwrappedPhase, true, 0.0},
        {kResponsePhaseDelay, true, 0.0}, {kResponseGroupDelay, true, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " dB " << c.inDb);
        const auto curves = Curves(filter, freqs, kChannelInphase, c.kind, c.inDb);
        ASSERT_EQ(curves.size(), 1u);
        ASSERT_EQ(curves[0].size(), 21u);
        for (double v : curves[0]) {
            EXPECT_NEAR(v, c.expected, 1e-15);
        }
    }
}

// A symmetric filter of N taps delays every frequency of its passband by (N - 1) / 2 samples;
// at 8 kHz that is (N - 1) / 16 ms.
TEST(Response, LinearPhaseDelayIsHalfTheLength) {
    std::vector<double> hamming20;
    for (int n = 0; n < 20; ++n) {
        hamming20.push_back(0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * n / 19.0));
    }
    const std::vector<double>* filters[] = {&ReferenceFilters()[0].i, &hamming20};
    for (const auto* taps : filters) {
        SCOPED_TRACE(taps->size());
        CCorviData filter;
        MakeFilter(filter, *taps, {}, 8.0, 1);
        const double expected = (static_cast<double>(taps->size()) - 1.0) / 2.0 / 8.0;
        const auto freqs = Grid(-0.3, 0.3, 301);
        for (int kind : {kResponseGroupDelay, kResponsePhaseDelay}) {
            const auto curves = Curves(filter, freqs, kChannelInphase, kind);
            for (double v : curves[0]) {
                EXPECT_NEAR(v, expected, 1e-10) << "kind " << kind;
            }
        }
    }
}

// Long linear-phase filters turn their phase by many turns between plotted points; the delays
// are (N - 1) / 2 samples at every point however coarse or fine the frequency grid, and the
// unwrapped phase is -360 * f * (N - 1) / 2 / Fs in the passband.
TEST(Response, LongLinearPhaseDelaysDoNotDependOnTheGrid) {
    const double fs = 48000.0;
    for (int taps : {2001, 16384}) {
        SCOPED_TRACE(taps);
        std::vector<double> h(taps);
        const double c = (taps - 1) / 2.0;
        for (int n = 0; n <= (taps - 1) / 2; ++n) { // a windowed sinc, mirrored as designs are
            const double x = 2.0 * std::numbers::pi * 0.1 * (n - c);
            const double sinc = x == 0.0 ? 0.2 : std::sin(x) / (std::numbers::pi * (n - c));
            h[n] = sinc * (0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * n / (taps - 1)));
            h[taps - 1 - n] = h[n];
        }
        CCorviData filter;
        MakeFilter(filter, h, {}, fs, 1);
        const double delay = c / fs;
        for (int points : {101, 640, 2000}) {
            SCOPED_TRACE(points);
            const auto all = Grid(0.0, fs / 2.0, points);
            const auto group = Curves(filter, all, kChannelInphase, kResponseGroupDelay)[0];
            for (double v : group) {
                ASSERT_NEAR(v, delay, 1e-9 * delay);
            }
            const auto pass = Grid(0.0, 0.08 * fs, points);
            const auto phaseDelay = Curves(filter, pass, kChannelInphase, kResponsePhaseDelay)[0];
            for (double v : phaseDelay) {
                ASSERT_NEAR(v, delay, 1e-9 * delay);
            }
            const auto phase = Curves(filter, pass, kChannelInphase, kResponseUnwrappedPhase)[0];
            for (std::size_t i = 0; i < pass.size(); ++i) {
                ASSERT_NEAR(phase[i], -360.0 * pass[i] * delay, 1e-6 * (1.0 + std::fabs(phase[i])));
            }
        }
    }
}

// A zero of the response on the unit circle has no delay: the point takes its neighbour's
// instead of a spike.
TEST(Response, GroupDelayAtAZeroOfTheResponseIsNoSpike) {
    CCorviData filter;
    MakeFilter(filter, {1.0, 1.0}, {}, 1.0, 1); // a zero at Fs/2
    const auto curve = Curves(filter, {0.3, 0.4, 0.5}, kChannelInphase, kResponseGroupDelay)[0];
    for (double v : curve) {
        EXPECT_NEAR(v, 0.5, 1e-12);
    }
}

// The group delay at each plotted point against the analytic derivative, at that point exactly.
TEST(Response, GroupDelayMatchesReference) {
    const double fs = 2.0; // kHz: frequencies in kHz, delays in ms
    int checked = 0;
    for (const auto& ref : ReferenceFilters()) {
        SCOPED_TRACE(ref.name);
        CCorviData filter;
        MakeFilter(filter, ref.i, ref.IsReal() ? std::vector<double>{} : ref.q, fs, 1);
        const int channel = ref.IsReal() ? kChannelInphase : kChannelComplex;
        for (const auto& p : ref.points) {
            if (!(p.groupDelay > 0.05)) {
                continue; // a null, or a negative delay the curve would not show
            }
            SCOPED_TRACE(p.f);
            const double f = p.f * fs;
            const auto curves = Curves(filter, {f}, channel, kResponseGroupDelay);
            EXPECT_NEAR(curves[0][0] * fs, p.groupDelay, 1e-9 * std::max(1.0, p.groupDelay));
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(Response, MagnitudeIsFlooredInDbOnly) {
    struct SCase {
        const char* what;
        std::vector<double> taps;
        double f; // fractions of Fs
        bool inDb;
        double minDb;
        double expected;
        double tol;
    };
    const SCase cases[] = {
        {"null in dB", {1.0, 1.0}, 0.5, true, -130.0, -130.0, 0.0},
        {"null linear", {1.0, 1.0}, 0.5, false, -130.0, 0.0, 1e-15},
        {"-200 dB under a -130 floor", {1.0, -1.0 + 1e-10}, 0.0, true, -130.0, -130.0, 0.0},
        {"-200 dB above a -250 floor",
         {1.0, -1.0 + 1e-10},
         0.0,
         true,
         -250.0,
         20.0 * std::log10(1.0 + (-1.0 + 1e-10)),
         1e-9},
        {"-200 dB linear", {1.0, -1.0 + 1e-10}, 0.0, false, -130.0, 1e-10, 1e-15},
        {"6 dB", {1.0, 1.0}, 0.0, true, -130.0, 20.0 * std::log10(2.0), 1e-12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CCorviData filter;
        MakeFilter(filter, c.taps, {}, 10.0, 2);
        const double v = ResponseValue(c.inDb, c.f * 10.0, kChannelInphase, false, filter, c.minDb);
        EXPECT_NEAR(v, c.expected, c.tol);
        EXPECT_GE(v, c.inDb ? c.minDb : 0.0);
    }
}

TEST(Response, ChannelsSelectTheCoefficients) {
    const std::vector<double> i = {1.0, 0.5, -0.25};
    const std::vector<double> q = {0.0, -2.0, 0.75};
    CCorviData filter;
    MakeFilter(filter, i, q, 100.0);
    std::vector<std::complex<double>> xi, xq, xc;
    for (size_t n = 0; n < i.size(); ++n) {
        xi.emplace_back(i[n], 0.0);
        xq.emplace_back(q[n], 0.0);
        xc.emplace_back(i[n], q[n]);
    }
    const auto freqs = Grid(-50.0, 50.0, 9);
    const struct {
        int channel;
        const std::vector<std::complex<double>>* taps;
    } cases[] = {{kChannelInphase, &xi}, {kChannelQuadrature, &xq}, {kChannelComplex, &xc}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channel);
        const auto mag = Curves(filter, freqs, c.channel, kResponseMagnitude, false);
        const auto phase = Curves(filter, freqs, c.channel, kResponsePhase);
        for (size_t k = 0; k < freqs.size(); ++k) {
            const auto h = DirectResponse(*c.taps, freqs[k] / 100.0);
            EXPECT_NEAR(mag[0][k], std::abs(h), 1e-13);
            EXPECT_NEAR(phase[0][k], std::arg(h) * 180.0 / std::numbers::pi, 1e-11);
        }
    }
    // I and Q: two curves, inphase first.
    const auto both = Curves(filter, freqs, kChannelIAndQ, kResponseMagnitude, false);
    const auto inphase = Curves(filter, freqs, kChannelInphase, kResponseMagnitude, false);
    const auto quadrature = Curves(filter, freqs, kChannelQuadrature, kResponseMagnitude, false);
    ASSERT_EQ(both.size(), 2u);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(both[0][k], inphase[0][k]);
        EXPECT_EQ(both[1][k], quadrature[0][k]);
    }
    // Channel codes that name no coefficients give 0.
    for (int channel : {0, static_cast<int>(kChannelIAndQ), 5}) {
        EXPECT_EQ(ResponseValue(true, 10.0, channel, false, filter, -130.0), 0.0);
        EXPECT_EQ(ResponseValue(false, 10.0, channel, true, filter, -130.0), 0.0);
    }
}

TEST(Response, ComplexChannelOfRealFilterEqualsInphase) {
    const auto& ref = ReferenceFilters()[1];
    CCorviData filter;
    MakeFilter(filter, ref.i, {}, 1.0);
    const auto freqs = Grid(-0.5, 0.5, 101);
    for (int kind : {kResponseMagnitude, kResponsePhase}) {
        const auto real = Curves(filter, freqs, kChannelInphase, kind);
        const auto complex = Curves(filter, freqs, kChannelComplex, kind);
        for (int k = 0; k < 101; ++k) {
            EXPECT_NEAR(complex[0][k], real[0][k], 1e-10);
        }
    }
}

TEST(Response, CurvesFillTheFirstEmptyColumns) {
    CCorviData filter;
    MakeFilter(filter, {1.0, 1.0}, {0.5, 0.0}, 1.0);
    CDataColumn freqs;
    freqs.Add(0.0);
    freqs.Add(0.25);
    CDataSet curves;
    curves.AddColumn()->Add(7.0); // a curve already drawn stays as it is
    curves.AddColumn();
    ComputeCurves(freqs, curves, filter, {kChannelIAndQ, kResponseMagnitude, false, -130.0});
    ASSERT_EQ(curves.GetColumnCount(), 3);
    EXPECT_EQ(curves.GetColumn(0)->GetSize(), 1);
    EXPECT_EQ(curves.GetValue(0, 0), 7.0);
    EXPECT_NEAR(curves.GetValue(1, 0), 2.0, 1e-15);            // |1 + 1|
    EXPECT_NEAR(curves.GetValue(1, 1), std::sqrt(2.0), 1e-15); // |1 - j|
    EXPECT_NEAR(curves.GetValue(2, 0), 0.5, 1e-15);
    EXPECT_NEAR(curves.GetValue(2, 1), 0.5, 1e-15);
}

TEST(Response, FreqResponseAtUnitsAndDegenerateFilter) {
    CCorviData filter;
    EXPECT_EQ(FreqResponseAt(filter, kChannelInphase, false, 0.1, true), 1.0);
    EXPECT_EQ(FreqResponseAt(filter, kChannelComplex, true, 0.1, true), 1.0);

    // A one-sample delay: phase -360 f / Fs, power 1.
    MakeFilter(filter, {0.0, 1.0}, {}, 44.1, 1);
    EXPECT_NEAR(FreqResponseAt(filter, kChannelInphase, true, 44.1 / 4.0, false), -90.0, 1e-12);
    EXPECT_NEAR(FreqResponseAt(filter, kChannelInphase, true, -0.25, true), 90.0, 1e-12);
    EXPECT_NEAR(FreqResponseAt(filter, kChannelInphase, false, 3.0, false), 1.0, 1e-15);
    const std::vector<double> taps = ReferenceFilters()[1].i;
    MakeFilter(filter, taps, {}, 44.1, 1);
    for (double f : {0.0, 0.1, 0.37, -0.45}) {
        const double normalized = FreqResponseAt(filter, kChannelInphase, false, f, true);
        EXPECT_NEAR(FreqResponseAt(filter, kChannelInphase, false, f * 44.1, false), normalized,
                    1e-12 * normalized);
    }
}
