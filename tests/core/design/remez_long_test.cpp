// Parks-McClellan designs of thousands of taps. They take up to seconds each, so they carry the
// label "long" and stay out of the sanitizer runs of the core tests.
#include "design/fir_data.h"
#include "design/remez/remez_engine.h"
#include "dsp/fft.h"
#include "remez_spec_of.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

namespace {

struct CLongCase {
    std::string name;
    int jtype;
    int taps;
    std::vector<double> edges, desired, weights;
};

double Db(double v) {
    return 20.0 * std::log10(v);
}

// |H(f)| of h at f = k / size, k = 0..size/2, by one zero-padded FFT.
std::vector<double> Magnitudes(const std::vector<double>& h, std::size_t size) {
    std::vector<std::complex<double>> data(size);
    for (std::size_t i = 0; i < h.size(); ++i) {
        data[i] = h[i];
    }
    CFft fft(size);
    fft.Forward(data);
    std::vector<double> mag(size / 2 + 1);
    for (std::size_t k = 0; k < mag.size(); ++k) {
        mag[k] = std::abs(data[k]);
    }
    return mag;
}

// Checks that the weighted error of h, measured on an FFT grid 64 times denser than the taps,
// is equiripple: in every band the peaks of the inner lobes lie within 0.1 dB of each other and
// nothing rises above the reported deviation by more than 0.1 dB.
void ExpectEquiripple(const CLongCase& c, const std::vector<double>& h, double deviation) {
    std::size_t size = 1;
    while (size < 64 * h.size()) {
        size *= 2;
    }
    const std::vector<double> mag = Magnitudes(h, size);
    const double limit = deviation * std::pow(10.0, 0.1 / 20.0);
    for (std::size_t b = 0; b < c.desired.size(); ++b) {
        SCOPED_TRACE("band " + std::to_string(b));
        const auto first = static_cast<std::size_t>(std::ceil(c.edges[2 * b] * size));
        const auto last = static_cast<std::size_t>(std::floor(c.edges[2 * b + 1] * size));
        std::vector<double> error;
        // A differentiator's relative error at 0 is a limit: it is checked from the first bin on.
        const bool relative = c.jtype == 2 && c.desired[b] > 0.0;
        for (std::size_t k = std::max<std::size_t>(first, relative ? 1 : 0);
             k <= last && k < mag.size(); ++k) {
            const double f = static_cast<double>(k) / size;
            const double desired = c.jtype == 2 ? c.desired[b] * f : c.desired[b];
            const double weight = relative ? c.weights[b] / f : c.weights[b];
            error.push_back(std::fabs(mag[k] - desired) * weight);
        }
        ASSERT_GT(error.size(), 2u);
        const double largest = *std::max_element(error.begin(), error.end());
        EXPECT_LE(largest, limit);
        double low = largest;
        int peaks = 0;
        for (std::size_t i = 1; i + 1 < error.size(); ++i) {
            if (error[i] > error[i - 1] && error[i] >= error[i + 1]) {
                low = std::min(low, error[i]);
                ++peaks;
            }
        }
        EXPECT_GT(peaks, 3);
        EXPECT_LE(Db(largest) - Db(low), 0.1);
    }
}

// Lowpass 0..0.2 with 1 % weight against a 95 dB stopband, transition 5 / taps.
CLongCase Lowpass(int taps) {
    const double t = 5.0 / taps;
    return {"lowpass_" + std::to_string(taps), 1,          taps,
            {0.0, 0.2, 0.2 + t, 0.5},          {1.0, 0.0}, {100.0, std::pow(10.0, 95.0 / 20.0)}};
}

SRemezResult Design(CRemezContext& context, const CLongCase& c, ERemezEngine engine) {
    const SRemezResult result =
        context.Design(RemezSpecOf(c.jtype, c.taps, 16, c.edges, c.desired, c.weights, engine));
    EXPECT_TRUE(result.Succeeded()) << "status " << static_cast<int>(result.status);
    return result;
}

} // namespace

// Largest error of h in its bands (magnitudes on an FFT grid 64 times denser than the taps) over
// the deviation, in dB.
double RiseDb(const CLongCase& c, const std::vector<double>& h, double deviation) {
    std::size_t size = 1;
    while (size < 64 * h.size()) {
        size *= 2;
    }
    const std::vector<double> mag = Magnitudes(h, size);
    double largest = 0.0;
    for (std::size_t k = 0; k < mag.size(); ++k) {
        const double f = static_cast<double>(k) / size;
        for (std::size_t b = 0; b < c.desired.size(); ++b) {
            if (f >= c.edges[2 * b] && f <= c.edges[2 * b + 1]) {
                largest = std::max(largest, std::fabs(mag[k] - c.desired[b]) * c.weights[b]);
            }
        }
    }
    return Db(largest / deviation);
}

// Lowpass designs the classical exchange reports as designed but that are not equiripple: at 4001
// taps a stopband lobe stands far above the deviation on the grid; at 1500 taps the design is
// equiripple on its grid but rises about 1 dB between its grid points. The automatic choice
// notices both and designs them with the long-filter exchange.
TEST(RemezLong, AutoReplacesClassicalDesignsThatAreNotEquiripple) {
    const std::vector<CLongCase> cases = {
        Lowpass(4001),
        {"lowpass_1500_between_grid_points",
         1,
         1500,
         {0.0, 0.1, 0.105, 0.5},
         {1.0, 0.0},
         {1.0, 100.0}},
    };
    for (const CLongCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRemezContext classic;
        const SRemezResult first = Design(classic, c, ERemezEngine::Classic);
        EXPECT_GT(RiseDb(c, first.taps, first.deviation), 0.1);

        CRemezContext automatic;
        const SRemezResult result = Design(automatic, c, ERemezEngine::Auto);
        EXPECT_EQ(result.usedEngine, ERemezEngine::Robust);
        ExpectEquiripple(c, result.taps, result.deviation);
    }
}

// Long designs of every kind, through the automatic choice: equiripple on the dense FFT grid
// at the deviation reported, with one reference point per cosine term and one more.
TEST(RemezLong, LongDesignsAreEquiripple) {
    const double stop = std::pow(10.0, 90.0 / 20.0);
    const auto gap = [](int taps) { return 5.0 / taps; };
    const std::vector<CLongCase> cases = {
        Lowpass(8001),
        {"bandpass_4001",
         1,
         4001,
         {0.0, 0.15, 0.15 + gap(4001), 0.25, 0.25 + gap(4001), 0.5},
         {0.0, 1.0, 0.0},
         {stop, 100.0, stop}},
        {"hilbert_4001", 3, 4001, {2.0 / 4001, 0.5 - 2.0 / 4001}, {1.0}, {1.0}},
        {"hilbert_even_4000", 3, 4000, {2.0 / 4000, 0.5}, {1.0}, {1.0}},
    };
    for (const CLongCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRemezContext context;
        const SRemezResult result = Design(context, c, ERemezEngine::Auto);
        EXPECT_EQ(result.usedEngine, ERemezEngine::Robust);
        ExpectEquiripple(c, result.taps, result.deviation);
        const int nfcns = c.jtype == 1 ? (c.taps + 1) / 2 : c.taps / 2;
        EXPECT_EQ(result.extremals.size(), static_cast<std::size_t>(nfcns) + 1);
    }
}

// Hilbert transformers and differentiators with a stopband at DC or at Fs/2 and weights up to
// 1e4 apart. Where a band ends several reference spacings short of 0 or Fs/2 the optimum grows
// in that gap like a Chebyshev polynomial outside its interval; the design must still be
// equiripple in its bands. A differentiator's passband from 0 must hold its relative error
// between 0 and the first grid point too.
TEST(RemezLong, HilbertAndDifferentiatorsWithAStopbandAtAnEnd) {
    const auto at = [](int taps, double spacings) { return spacings / taps; };
    const std::vector<CLongCase> cases = {
        {"hilbert_3001_dc", 3, 3001, {0.0, 0.0005, 0.002, 0.498}, {0.0, 1.0}, {20.0, 0.01}},
        {"hilbert_3000_dc", 3, 3000, {0.0, 0.0005, 0.002, 0.498}, {0.0, 1.0}, {20.0, 0.01}},
        {"hilbert_8001_dc",
         3,
         8001,
         {0.0, at(8001, 3.0), at(8001, 6.0), 0.5 - at(8001, 5.0)},
         {0.0, 1.0},
         {100.0, 0.01}},
        {"hilbert_4000_nyquist",
         3,
         4000,
         {at(4000, 5.0), 0.49, 0.4925, 0.5},
         {1.0, 0.0},
         {1.0, 1.0}},
        {"differentiator_2001_dc",
         2,
         2001,
         {0.0, 0.0015, 0.003, 0.4975},
         {0.0, 1.0},
         {10000.0, 1.0}},
        {"differentiator_2000_dc",
         2,
         2000,
         {0.0, at(2000, 3.0), at(2000, 6.0), 0.5},
         {0.0, 1.0},
         {10000.0, 1.0}},
        {"differentiator_5001_dc",
         2,
         5001,
         {0.0, 0.0006, 0.0012, 0.4992},
         {0.0, 1.0},
         {1000.0, 0.1}},
        {"hilbert_2001_nyquist",
         3,
         2001,
         {at(2001, 5.0), 0.5 - at(2001, 8.0), 0.5 - at(2001, 5.0), 0.5},
         {1.0, 0.0},
         {0.01, 100.0}},
        {"hilbert_2000_nyquist",
         3,
         2000,
         {at(2000, 5.0), 0.5 - at(2000, 6.0), 0.5 - at(2000, 3.0), 0.5},
         {1.0, 0.0},
         {0.01, 100.0}},
        {"hilbert_2000_nyquist_wide_transition",
         3,
         2000,
         {at(2000, 5.0), 0.5 - at(2000, 8.0), 0.5 - at(2000, 5.0), 0.5},
         {1.0, 0.0},
         {0.01, 100.0}},
        {"differentiator_2000_nyquist",
         2,
         2000,
         {0.0, 0.5 - at(2000, 8.0), 0.5 - at(2000, 5.0), 0.5},
         {1.0, 0.0},
         {1.0, 10000.0}},
        // The classical exchange converges on its grid here, but its relative error rises about
        // 1.6 % above the deviation between 0 and the grid's first point.
        {"differentiator_2000_nyquist_equal_weights",
         2,
         2000,
         {0.0, 0.5 - at(2000, 8.0), 0.5 - at(2000, 5.0), 0.5},
         {1.0, 0.0},
         {1.0, 1.0}},
        {"differentiator_8001_nyquist",
         2,
         8001,
         {0.0, 0.5 - at(8001, 8.0), 0.5 - at(8001, 5.0), 0.5},
         {1.0, 0.0},
         {1.0, 10000.0}},
    };
    for (const CLongCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRemezContext context;
        const SRemezResult result = Design(context, c, ERemezEngine::Auto);
        EXPECT_EQ(result.usedEngine, ERemezEngine::Robust);
        ExpectEquiripple(c, result.taps, result.deviation);
    }
}

// A differentiator whose passband ends a hundred reference spacings short of Fs/2: its optimum
// rises in that gap far beyond what the taps can hold in double precision, and the design is
// refused instead of delivering taps that are not equiripple.
TEST(RemezLong, DesignBeyondDoublePrecisionIsRefused) {
    const CLongCase c{"differentiator_2001_wide_gap", 2,          2001,
                      {0.0, 0.0005, 0.002, 0.45},     {0.0, 1.0}, {100.0, 0.01}};
    for (const ERemezEngine engine : {ERemezEngine::Robust, ERemezEngine::Auto}) {
        const SRemezResult result =
            DesignRemez(RemezSpecOf(c.jtype, c.taps, 16, c.edges, c.desired, c.weights, engine));
        EXPECT_FALSE(result.Succeeded());
        EXPECT_NE(result.status, ERemezStatus::Success);
    }
}

// Lowpass designs whose optimum lies below double precision's resolution: the levelled deviation
// is rounding noise and falls from one pass to the next, which ends the exchange with that
// reason. The last trial polynomial before the fall is delivered only when it is equiripple.
TEST(RemezLong, FallingDeviationEndsTheExchangeWithItsReason) {
    struct SCase {
        int taps;
        bool designed;
    };
    for (const SCase c : {SCase{61, false}, SCase{31, true}}) {
        SCOPED_TRACE(c.taps);
        const CLongCase lowpass{"lowpass", 1, c.taps, {0.0, 0.1, 0.4, 0.5}, {1.0, 0.0}, {1.0, 1.0}};
        CRemezContext context;
        const SRemezResult result = context.Design(RemezSpecOf(
            1, c.taps, 16, lowpass.edges, lowpass.desired, lowpass.weights, ERemezEngine::Robust));
        EXPECT_EQ(context.LongExchangeEnd(), EExchangeEnd::DeviationNotGrowing);
        EXPECT_EQ(result.Succeeded(), c.designed);
        EXPECT_EQ(result.status, c.designed ? ERemezStatus::Success : ERemezStatus::NotEquiripple);
        if (c.designed) {
            ExpectEquiripple(lowpass, result.taps, result.deviation);
        }
    }
}

// The longest design: forced onto the long-filter exchange, as the classical one spends its
// passes on it in vain.
TEST(RemezLong, LowpassOf16001TapsIsEquiripple) {
    const CLongCase c = Lowpass(16001);
    CRemezContext context;
    const SRemezResult result = Design(context, c, ERemezEngine::Robust);
    ExpectEquiripple(c, result.taps, result.deviation);
}

// Through the filter: the margin the design reports is the margin of the coefficients on a dense
// grid.
TEST(RemezLong, FilterReportsTheMarginOfALongDesign) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignSimplePm);
    const int taps = 4001;
    ASSERT_TRUE(f.SetSimpleSpec(taps, 0.2, 0.1, 0.2 + 5.0 / taps, 95.0, 0.0, 0.0, 16, 0));
    ASSERT_TRUE(f.DesignFilter("long"));
    ASSERT_EQ(f.GetN(), taps);
    std::vector<double> h(static_cast<std::size_t>(taps));
    for (int i = 0; i < taps; ++i) {
        h[static_cast<std::size_t>(i)] = f.m_pI->GetAt(i);
    }
    const std::vector<double> mag = Magnitudes(h, 1u << 18);
    double passLo = 1e300, passHi = 0.0, stopHi = 0.0;
    for (std::size_t k = 0; k < mag.size(); ++k) {
        const double fr = static_cast<double>(k) / (1u << 18);
        if (fr <= 0.2) {
            passLo = std::min(passLo, mag[k]);
            passHi = std::max(passHi, mag[k]);
        } else if (fr >= 0.2 + 5.0 / taps) {
            stopHi = std::max(stopHi, mag[k]);
        }
    }
    const double margin = std::min(0.1 - (Db(passHi) - Db(passLo)), -Db(stopHi) - 95.0);
    EXPECT_NEAR(f.GetMargin(), margin, 0.05);
}
