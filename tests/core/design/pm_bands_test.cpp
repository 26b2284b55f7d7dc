#include "design/fir_data.h"
#include "design/pm_method.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// A two-band specification in fractions of Fs: ripple and attenuation in dB.
void TwoBands(CFirData& f, bool lowpass, double f1, double gap, double rippleDb, double attnDb) {
    f.ResetSpec(PmResponseType::Filter, 16, 0);
    if (lowpass) {
        ASSERT_TRUE(f.AddBand(true, false, 0.0, f1, 1.0, rippleDb, 0.0, false));
        ASSERT_TRUE(f.AddBand(true, false, f1 + gap, 0.5, 0.0, attnDb, 0.0, false));
    } else {
        ASSERT_TRUE(f.AddBand(true, false, 0.0, f1, 0.0, attnDb, 0.0, false));
        ASSERT_TRUE(f.AddBand(true, false, f1 + gap, 0.5, 1.0, rippleDb, 0.0, false));
    }
}

} // namespace

TEST(PmBands, AddBandConvertsUnits) {
    CScriptedHost host;
    CFirData f(&host);
    f.ApplyFs(CFs(1000.0, 0));
    f.m_dMinDb = -120.0;
    // Passband entered in Hz and dB: 1 dB ripple peak to peak.
    ASSERT_TRUE(f.AddBand(true, true, 0.0, 100.0, 0.0, 1.0, 0.0, true));
    EXPECT_DOUBLE_EQ(f.Band(0).upper, 0.1);
    EXPECT_DOUBLE_EQ(f.Band(0).desired, 1.0);
    const double a = std::pow(10.0, 0.05);
    EXPECT_DOUBLE_EQ(f.Band(0).attn, (a + 1.0) / (a - 1.0));
    EXPECT_EQ(f.GetBandAttn(0, true), 1.0);
    EXPECT_EQ(f.GetBandGain(0, true), 0.0);
    // -130 dB is below the minimum dB: a stopband; attenuation and weight become factors.
    ASSERT_TRUE(f.AddBand(true, true, 150.0, 300.0, -130.0, 60.0, 20.0, true));
    EXPECT_EQ(f.Band(1).desired, 0.0);
    EXPECT_DOUBLE_EQ(f.Band(1).attn, 1000.0);
    EXPECT_DOUBLE_EQ(f.Band(1).stopWeight, 10.0);
    EXPECT_EQ(f.GetBandAttn(1, true), 60.0);
    EXPECT_EQ(f.GetBandGain(1, true), -1000.0);
    EXPECT_EQ(f.GetBandGain(1, false), 0.0);
    // A gain of -6.0206 dB is a passband of gain one half.
    ASSERT_TRUE(f.AddBand(true, true, 350.0, 500.0, 20.0 * std::log10(0.5), 3.0, 0.0, true));
    EXPECT_DOUBLE_EQ(f.Band(2).desired, 0.5);
    EXPECT_EQ(f.GetBandGain(2, true), -6.0206);
    EXPECT_EQ(f.GetBandAttn(2, true), 3.0);
    // Linear entry keeps the values.
    f.ResetSpec(PmResponseType::Filter, 16, 0);
    ASSERT_TRUE(f.AddBand(false, false, 0.1, 0.2, 0.000001, 40.0, 1.0, false));
    EXPECT_EQ(f.Band(0).attn, 40.0);
    EXPECT_EQ(f.GetBandGain(0, false), 0.0); // below 0.00001 shows as 0
    EXPECT_FALSE(f.m_bAttnInDb);
    EXPECT_TRUE(host.messages.empty());
}

TEST(PmBands, AddBandRefusals) {
    const struct {
        double lower, upper, desired;
        const char* message;
    } cases[] = {
        {0.2, 0.3, 1.0, "Overlapping or intersecting bands."}, // touches the previous band
        {0.15, 0.3, 1.0, "Overlapping or intersecting bands."},
        {0.0, 0.1, 1.0, "Overlapping or intersecting bands."}, // below the previous band
        {0.3, 0.4, -0.5, "Linear Gain must be greater than or equal to zero."},
        {0.3, 0.4, 1.0, "Maximum number of bands exceeded."},
    };
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.SetBandCapacity(std::string(c.message).find("Maximum") == 0 ? 2 : 32);
        ASSERT_TRUE(f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false));
        ASSERT_TRUE(f.AddBand(false, false, 0.15, 0.2, 0.0, 100.0, 1.0, false));
        f.m_bGainInDb = 1;
        EXPECT_FALSE(f.AddBand(false, false, c.lower, c.upper, c.desired, 10.0, 1.0, false));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        EXPECT_EQ(f.GetNumBands(), 2);
        EXPECT_EQ(f.m_bGainInDb, 1);
    }
}

TEST(PmBands, ValidationMessages) {
    const struct {
        int responseType;
        int bands; // 0 none, 1 two passbands, 2 passband and stopband
        int grid;
        const char* message;
    } cases[] = {
        {PmResponseType::Hilbert, 0, 16, "Hilbert specification must have at least one passband."},
        {PmResponseType::Filter, 0, 16,
         "FIR specification must contain at least one passband and one stopband."},
        {PmResponseType::Hilbert, 1, 16,
         "FIR specification must contain at least one passband and one stopband."},
        {PmResponseType::Filter, 2, 0, "Cannot design FIR with Grid Density less than one."},
        {PmResponseType::Differentiator, 2, 16, nullptr},
    };
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.ResetSpec(c.responseType, c.grid, 21);
        if (c.bands > 0) {
            f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
            f.AddBand(false, false, 0.2, 0.5, c.bands == 1 ? 1.0 : 0.0, 100.0, 1.0, false);
        }
        EXPECT_EQ(CheckPm(f, false), c.message == nullptr);
        EXPECT_EQ(host.LastMessage(), c.message ? c.message : "");
    }

    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Differentiator, 16, 21);
    f.AddBand(false, false, 0.0, 0.2, 1.0, 10.0, 1.0, false);
    f.AddBand(false, false, 0.3, 0.5, 0.0, 100.0, 1.0, false);
    EXPECT_FALSE(CheckPmForOptimize(f));
    EXPECT_EQ(host.LastMessage(), "Response Types other than 'Filter' cannot be optimized.");
    f.m_nResponseType = PmResponseType::Filter;
    EXPECT_TRUE(CheckPmForOptimize(f));

    // The full check adds the tap count: too few, then an even count with a passband at Fs/2.
    f.SetNumTaps(2);
    EXPECT_FALSE(CheckPm(f, true));
    EXPECT_EQ(host.LastMessage(), "Cannot design FIR with less than 3 taps.");
    f.SetNumTaps(20);
    EXPECT_TRUE(CheckPm(f, true));
    EXPECT_TRUE(host.questions.empty()); // the passband ends at 0.2
    f.ResetSpec(PmResponseType::Filter, 16, 20);
    f.AddBand(false, false, 0.0, 0.2, 0.0, 100.0, 1.0, false);
    f.AddBand(false, false, 0.3, 0.5, 1.0, 10.0, 1.0, false);
    host.QueueAnswer(EAnswer::Cancel);
    EXPECT_FALSE(CheckPm(f, true));
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(f.m_nTaps, 20);
    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(CheckPm(f, true));
    EXPECT_EQ(f.m_nTaps, 21);
}

TEST(PmBands, EstimateNeedsOnePassbandAndOneStopbandOverTheWholeRange) {
    const struct {
        int responseType;
        double firstLower, secondUpper;
        bool bothPass;
        int bands;
        const char* message;
    } cases[] = {
        {PmResponseType::Filter, 0.0, 0.5, false, 3,
         "Cannot estimate FIR with other than two bands.\n(Exactly one passband and one stopband "
         "is required.)"},
        {PmResponseType::Filter, 0.0, 0.5, true, 2,
         "Cannot estimate if there is not one passband and one stopband."},
        {PmResponseType::Hilbert, 0.0, 0.5, false, 2,
         "Cannot estimate number of taps for Differentiator or Hilbert."},
        {PmResponseType::Filter, 0.0011, 0.5, false, 2,
         "Cannot estimate if both the bottom and top of the band are not specified."},
        {PmResponseType::Filter, 0.0, 0.4989, false, 2,
         "Cannot estimate if both the bottom and top of the band are not specified."},
        {PmResponseType::Filter, 0.001, 0.499, false, 2, nullptr},
    };
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.ResetSpec(c.responseType, 16, 33);
        f.AddBand(false, false, c.firstLower, 0.1, 1.0, 10.0, 1.0, false);
        f.AddBand(false, false, 0.2, c.bands == 3 ? 0.3 : c.secondUpper, c.bothPass ? 1.0 : 0.0,
                  100.0, 1.0, false);
        if (c.bands == 3)
            f.AddBand(false, false, 0.4, 0.5, 1.0, 10.0, 1.0, false);
        EXPECT_EQ(CanEstimatePm(f, false), c.message == nullptr);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(CanEstimatePm(f, true), c.message == nullptr);
        EXPECT_EQ(host.LastMessage(), c.message ? c.message : "");
        if (c.message) {
            EXPECT_EQ(f.EstimateNumTaps(), 33);
        }
    }
}

TEST(PmBands, TapEstimates) {
    CFirData f;
    f.SetDesignType(kDesignSimplePm);
    // Lowpass 1 dB / 60 dB with a transition of 0.05 Fs: 42.706 rounds to 43.
    TwoBands(f, true, 0.2, 0.05, 1.0, 60.0);
    EXPECT_EQ(EstimatePmTaps(f), 43);
    EXPECT_EQ(f.EstimateNumTaps(), 43);
    // The mirrored highpass: 45.856 rounds to 46, made odd.
    TwoBands(f, false, 0.2, 0.05, 1.0, 60.0);
    EXPECT_EQ(EstimatePmTaps(f), 47);
    // Highpass estimates are always odd; the result is never below 3.
    for (double gap : {0.02, 0.06, 0.1, 0.17, 0.25, 0.3}) {
        TwoBands(f, false, 0.1, gap, 3.0, 30.0);
        EXPECT_EQ(EstimatePmTaps(f) % 2, 1) << gap;
    }
    TwoBands(f, true, 0.05, 0.44, 6.0, 10.0);
    EXPECT_EQ(EstimatePmTaps(f), 3);

    // Lth band: an odd estimate gains two taps, an even one one tap.
    f.SetDesignType(kDesignLthBand);
    TwoBands(f, true, 0.2, 0.05, 1.0, 60.0);
    EXPECT_EQ(f.EstimateNumTaps(), 45);

    // Estimates move up onto the tap constraints when asked to.
    f.SetDesignType(kDesignSimplePm);
    f.m_Constraints.m_nParity = NTapsConstraints::kParityEven;
    EXPECT_EQ(f.EstimateNumTaps(), 44);
    f.m_Constraints.m_nMin = 60;
    EXPECT_EQ(f.EstimateNumTaps(), 60);
    f.m_Constraints.m_bConstrainEstimates = 0;
    EXPECT_EQ(f.EstimateNumTaps(), 43);

    // Other kinds keep the tap count.
    f.SetDesignType(kDesignWinSinc);
    f.m_nTaps = 17;
    EXPECT_EQ(f.EstimateNumTaps(), 17);
}

TEST(PmBands, GridDensity) {
    CScriptedHost host;
    CFirData f(&host);
    EXPECT_EQ(f.GetRequiredGridDensity(), 4);
    f.ResetSpec(PmResponseType::Filter, 16, 300);
    f.AddBand(false, false, 0.0, 0.2, 1.0, 10.0, 1.0, false);
    f.AddBand(false, false, 0.3, 0.45, 0.0, 100.0, 1.0, false);
    EXPECT_EQ(f.GetRequiredGridDensity(), 1);
    f.EnsureGridDensity();
    EXPECT_EQ(f.m_nGridDensity, 16);
    EXPECT_TRUE(host.messages.empty());

    f.ResetSpec(PmResponseType::Filter, 1, 8);
    f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
    f.AddBand(false, false, 0.2, 0.25, 0.0, 100.0, 1.0, false);
    f.EnsureGridDensity();
    EXPECT_EQ(f.m_nGridDensity, 3);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Grid Density is too small so it has been increased to 3.");
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Information);

    // Bands without width give no measure.
    f.ResetSpec(PmResponseType::Filter, 16, 8);
    f.AddBand(false, false, 0.1, 0.1, 1.0, 10.0, 1.0, false);
    EXPECT_EQ(f.GetRequiredGridDensity(), 4);
}

TEST(PmBands, SimpleSpecBuildsBands) {
    struct Band {
        double lower, upper;
        bool pass;
    };
    const struct {
        int type;
        double e1, e2, center;
        Band bands[3];
        int count;
    } cases[] = {
        {0, 100.0, 150.0, 0.0, {{0.0, 0.1, true}, {0.15, 0.5, false}}, 2},
        {1, 100.0, 150.0, 0.0, {{0.0, 0.1, false}, {0.15, 0.5, true}}, 2},
        {2, 100.0, 200.0, 250.0, {{0.0, 0.15, false}, {0.2, 0.3, true}, {0.35, 0.5, false}}, 3},
        {3, 200.0, 100.0, 250.0, {{0.0, 0.15, true}, {0.2, 0.3, false}, {0.35, 0.5, true}}, 3},
    };
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.ApplyFs(CFs(1000.0, 0));
        ASSERT_TRUE(f.SetSimpleSpec(51, c.e1, 0.5, c.e2, 70.0, c.center, 0.0, 20, c.type));
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(f.m_nTaps, 51);
        EXPECT_EQ(f.m_nGridDensity, 20);
        EXPECT_EQ(f.m_nResponseType, PmResponseType::Filter);
        ASSERT_EQ(f.GetNumBands(), c.count);
        for (int i = 0; i < c.count; ++i) {
            EXPECT_NEAR(f.Band(i).lower, c.bands[i].lower, 1e-15) << c.type << i;
            EXPECT_NEAR(f.Band(i).upper, c.bands[i].upper, 1e-15) << c.type << i;
            EXPECT_EQ(f.IsPassband(i), c.bands[i].pass);
            EXPECT_EQ(f.GetBandAttn(i, true), c.bands[i].pass ? 0.5 : 70.0);
            EXPECT_EQ(f.Band(i).stopWeight, c.bands[i].pass ? 0.0 : 1.0);
        }

        int taps = 0, grid = 0, type = -1;
        double e1 = 0, ripple = 0, e2 = 0, atten = 0, center = 0;
        ASSERT_TRUE(f.GetSimpleSpec(taps, e1, ripple, e2, atten, center, grid, type));
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(taps, 51);
        EXPECT_EQ(grid, 20);
        EXPECT_NEAR(e1, c.e1, 1e-9);
        EXPECT_NEAR(e2, c.e2, 1e-9);
        EXPECT_EQ(ripple, 0.5);
        EXPECT_EQ(atten, 70.0);
        if (c.count == 3) {
            EXPECT_NEAR(center, c.center, 1e-9);
        }
    }
    CFirData empty;
    int taps = 0, grid = 0, type = -1;
    double e1 = 0, ripple = 0, e2 = 0, atten = 0, center = 0;
    EXPECT_FALSE(empty.GetSimpleSpec(taps, e1, ripple, e2, atten, center, grid, type));
}

TEST(PmBands, SimpleSpecRefusals) {
    const struct {
        int type;
        double e1, ripple, e2, atten, center;
        int grid;
        const char* message;
    } cases[] = {
        {0, 0.0, 1.0, 150.0, 60.0, 0.0, 16, "All parameters must be greater than zero."},
        {0, 100.0, 1.0, 150.0, -60.0, 0.0, 16, "All parameters must be greater than zero."},
        {0, 100.0, 1.0, 150.0, 60.0, 0.0, 0, "All parameters must be greater than zero."},
        {0, 100.0, 61.0, 150.0, 60.0, 0.0, 16,
         "The stopband attenuation must be greater than the passband ripple."},
        {0, 100.0, 1.0, 500.1, 60.0, 0.0, 16,
         "The passband or stopband is outside the\nrange of +/- half the sampling frequency."},
        {2, 100.0, 1.0, 1000.0, 60.0, 600.0, 16,
         "The passband or stopband bandwidth is outside\nthe range of +/- the sampling "
         "frequency."},
        {0, 150.0, 1.0, 150.0, 60.0, 0.0, 16,
         "For a Lowpass, the passband frequency\nmust be less than the stopband frequency."},
        {1, 200.0, 1.0, 150.0, 60.0, 0.0, 16,
         "For a Highpass, the passband frequency\nmust be greater than the stopband frequency."},
        {2, 200.0, 1.0, 100.0, 60.0, 250.0, 16,
         "The top passband bandwidth must be less than the bottom."},
        {2, 100.0, 1.0, 200.0, 60.0, 99.0, 16,
         "The center frequency minus half the bandwidth is less than zero.\nPlease increase the "
         "center and/or reduce the bandwidth."},
        {2, 100.0, 1.0, 200.0, 60.0, 401.0, 16,
         "The center frequency plus half the bandwidth is greater than half the sampling "
         "frequency.\nPlease reduce the center and/or bandwidth."},
        {3, 100.0, 1.0, 100.0, 60.0, 250.0, 16,
         "For a Bandstop, the stopband bandwidth\nmust be less than the passband bandwidth."},
        {3, 200.0, 1.0, 100.0, 60.0, 99.0, 16,
         "The center frequency minus half the bandwidth is less than zero.\nPlease increase the "
         "center and/or reduce the bandwidth."},
        {3, 200.0, 1.0, 100.0, 60.0, 401.0, 16,
         "The center frequency plus half the bandwidth must be less than half the sampling "
         "frequency."},
    };
    for (const auto& c : cases) {
        CScriptedHost host;
        CFirData f(&host);
        f.ApplyFs(CFs(1000.0, 0));
        f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
        EXPECT_FALSE(
            f.SetSimpleSpec(51, c.e1, c.ripple, c.e2, c.atten, c.center, 0.0, c.grid, c.type));
        ASSERT_EQ(host.messages.size(), 1u) << c.message;
        EXPECT_EQ(host.messages[0].text, c.message);
        EXPECT_EQ(f.GetNumBands(), 1); // the previous list is kept
    }
}
