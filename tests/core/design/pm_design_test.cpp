#include "design/design_job.h"
#include "design/fir_data.h"
#include "design/pm_method.h"
#include "response/response_types.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace {

std::map<std::string, std::vector<double>> LoadReference() {
    std::map<std::string, std::vector<double>> designs;
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/filter/pm_designs.txt");
    std::string name;
    int index = 0;
    double value = 0.0;
    while (in >> name >> index >> value)
        designs[name].push_back(value);
    return designs;
}

// |H(f)|^2 of the inphase coefficients by a direct sum, f a fraction of Fs.
double Power(const CFirData& f, double freq) {
    double re = 0.0;
    double im = 0.0;
    for (int n = 0; n < f.GetN(); ++n) {
        re += f.m_pI->GetAt(n) * std::cos(2.0 * std::numbers::pi * freq * n);
        im -= f.m_pI->GetAt(n) * std::sin(2.0 * std::numbers::pi * freq * n);
    }
    return re * re + im * im;
}

// Passband ripple (max - min dB) or stopband attenuation (-max dB) on a dense grid.
double DenseActual(const CFirData& f, int band) {
    double lo = 1e300;
    double hi = -1e300;
    const double a = f.Band(band).lower;
    const double b = f.Band(band).upper;
    for (int k = 0; k <= 4000; ++k) {
        const double db = 10.0 * std::log10(Power(f, a + (b - a) * k / 4000.0));
        lo = std::min(lo, db);
        hi = std::max(hi, db);
    }
    return f.IsPassband(band) ? hi - lo : -hi;
}

// A host that records how each long job would be displayed.
class CRecordingHost : public CScriptedHost {
public:
    std::vector<bool> shown;
    std::vector<std::string> titles;

protected:
    void OpenJobDisplay(CLongJob& job) override {
        shown.push_back(job.ShowStatusDisplay());
        titles.push_back(job.Title());
        CScriptedHost::OpenJobDisplay(job);
    }
};

} // namespace

TEST(PmDesign, DesignsMatchAnIndependentRemez) {
    const auto reference = LoadReference();
    ASSERT_EQ(reference.size(), 2u);

    CRecordingHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignSimplePm);
    f.ApplyFs(CFs(8.0, 1)); // 8 kHz: the bands are given in kHz
    ASSERT_TRUE(f.SetSimpleSpec(31, 0.8, 1.0, 1.2, 40.0, 0.0, 0.0, 16, 0));
    CDesignControl control;
    ASSERT_TRUE(DesignPm(f, "Lowpass", &control));
    const std::vector<double>& lp = reference.at("lowpass31");
    ASSERT_EQ(f.GetN(), 31);
    for (int i = 0; i < 31; ++i)
        EXPECT_NEAR(f.m_pI->GetAt(i), lp[static_cast<size_t>(i)], 1e-7) << i;
    EXPECT_EQ(f.m_pQ->Max(), 0.0);
    EXPECT_EQ(f.m_pQ->Min(), 0.0);
    EXPECT_TRUE(f.IsReal());
    EXPECT_EQ(f.m_nWindow, -1);
    EXPECT_EQ(f.GetFs(), 8.0);
    EXPECT_EQ(f.m_nLast, 30);
    EXPECT_EQ(f.m_bDesignedFromSpec, 1);
    EXPECT_EQ(f.m_Response.m_nResolution, 32);
    EXPECT_EQ(f.m_Response.GetN(), 32 * 32);
    EXPECT_GT(control.Iterations(), 0);
    EXPECT_EQ(control.m_bDesignDone, 1);
    EXPECT_EQ(host.titles.at(0), "Designing Lowpass");
    EXPECT_TRUE(host.messages.empty());

    // The stopband weight replaces the stopband's attenuation factor as its weight.
    f.ResetSpec(PmResponseType::Filter, 16, 45);
    ASSERT_TRUE(f.AddBand(true, false, 0.0, 0.2, 0.0, 60.0, 20.0, false));
    ASSERT_TRUE(f.AddBand(true, false, 0.26, 0.5, 1.0, 0.5, 0.0, false));
    ASSERT_TRUE(DesignPm(f, "Highpass"));
    const std::vector<double>& hp = reference.at("highpass45");
    ASSERT_EQ(f.GetN(), 45);
    for (int i = 0; i < 45; ++i)
        EXPECT_NEAR(f.m_pI->GetAt(i), hp[static_cast<size_t>(i)], 1e-7) << i;
}

TEST(PmDesign, MarginsMeasureTheDesign) {
    CFirData f;
    EXPECT_EQ(f.GetMargin(), -120.0);
    EXPECT_EQ(f.GetStopbandMargin(), 0.0);
    EXPECT_EQ(f.GetBandMargin(0), -120.0);

    f.SetDesignType(kDesignSimplePm);
    ASSERT_TRUE(f.SetSimpleSpec(0, 0.1, 1.0, 0.15, 50.0, 0.0, 0.0, 16, 0));
    f.SetNumTaps(f.EstimateNumTaps() + 6);
    ASSERT_TRUE(DesignPm(f, "Margins"));
    for (int band = 0; band < 2; ++band) {
        // The gridded measurement sees at most what a dense evaluation sees, and nearly all.
        const double dense = DenseActual(f, band);
        const double actual = f.GetBandActual(band);
        EXPECT_NEAR(actual, dense, 0.05) << band;
    }
    const double passMargin = f.GetBandMargin(0);
    const double stopMargin = f.GetBandMargin(1);
    EXPECT_DOUBLE_EQ(passMargin, 1.0 - f.GetBandActual(0));
    EXPECT_DOUBLE_EQ(stopMargin, f.GetBandActual(1) - 50.0);
    EXPECT_GT(passMargin, 0.0);
    EXPECT_GT(stopMargin, 0.0);
    EXPECT_DOUBLE_EQ(f.GetMargin(), std::min(passMargin, stopMargin));
    EXPECT_DOUBLE_EQ(f.GetStopbandMargin(), stopMargin);
    EXPECT_EQ(f.GetBandMargin(2), -120.0);

    // Too few taps: a negative margin.
    f.SetNumTaps(11);
    ASSERT_TRUE(DesignPm(f, "Margins"));
    EXPECT_LT(f.GetMargin(), 0.0);
    // Coefficients that are all zero have no ripple in the passband, and meet nothing.
    for (int i = 0; i < f.GetN(); ++i)
        (*f.m_pI)[i] = 0.0;
    f.m_Response.ComputeResponse(kDefaultResponseResolution);
    EXPECT_EQ(f.GetBandMargin(0), -120.0);
    EXPECT_LT(f.GetMargin(), 0.0);
}

TEST(PmDesign, StatusDisplayFromOneHundredAndOneTaps) {
    for (int taps : {100, 101}) {
        CRecordingHost host;
        CFirData f(&host);
        f.SetDesignType(kDesignAdvancedPm);
        f.ResetSpec(PmResponseType::Filter, 16, taps);
        f.AddBand(true, false, 0.0, 0.2, 1.0, 0.1, 0.0, false);
        f.AddBand(true, false, 0.22, 0.5, 0.0, 80.0, 0.0, false);
        ASSERT_TRUE(DesignPm(f, "Long"));
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0], taps == 101) << taps;
        EXPECT_EQ(f.GetN(), taps);
    }
}

TEST(PmDesign, CancelledDesignLeavesAnEmptyFilterWithoutMessage) {
    CScriptedHost host;
    host.CancelAfterPolls(1);
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Filter, 16, 2001);
    f.AddBand(true, false, 0.0, 0.1, 1.0, 0.01, 0.0, false);
    f.AddBand(true, false, 0.101, 0.5, 0.0, 120.0, 0.0, false);
    f.m_pI->Add(1.0);
    f.m_pQ->Add(0.0);
    EXPECT_FALSE(DesignPm(f, "Cancelled"));
    EXPECT_TRUE(host.jobCancelled);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(f.GetN(), 0);
    EXPECT_EQ(f.m_nTaps, 2001);
    EXPECT_EQ(f.m_bDesignedFromSpec, 0);
    ASSERT_FALSE(host.polledTexts.empty());
    EXPECT_EQ(host.polledTexts.back(), "\n   Cancelling, please wait...");
}

TEST(PmDesign, FailedDesignIsReported) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Filter, 16, 21);
    f.AddBand(false, false, 0.0, 0.2, 1.0, NAN, 1.0, false);
    f.AddBand(false, false, 0.3, 0.5, 0.0, 100.0, 1.0, false);
    f.m_pI->Add(1.0);
    f.m_pQ->Add(0.0);
    EXPECT_FALSE(DesignPm(f, "Failing"));
    EXPECT_EQ(host.LastMessage(), "The Parks-McClellan design algorithm failed to converge.\n(You "
                                  "might try changing the grid density or the number of taps.)");
    EXPECT_EQ(f.GetN(), 0);
    EXPECT_EQ(f.m_nTaps, 21);

    // A specification that does not validate never reaches the engine.
    host.messages.clear();
    f.ResetSpec(PmResponseType::Filter, 16, 21);
    EXPECT_FALSE(DesignPm(f, "Failing"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.jobsRun, 1);
}

TEST(PmDesign, GridDensityIsRaisedBeforeTheDesign) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignAdvancedPm);
    f.ResetSpec(PmResponseType::Filter, 1, 8);
    f.AddBand(false, false, 0.0, 0.1, 1.0, 10.0, 1.0, false);
    f.AddBand(false, false, 0.2, 0.25, 0.0, 100.0, 1.0, false);
    DesignPm(f, "Small");
    EXPECT_EQ(f.m_nGridDensity, 3);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].text, "Grid Density is too small so it has been increased to 3.");
}

TEST(PmDesign, StatusText) {
    CDesignControl control;
    control.m_nIteration = 4;
    CDesignJob job(
        control, 101, "Designing X", [] {}, true);
    EXPECT_EQ(job.StatusText(), "\n   Design Status:\n      NTaps = 101, Iteration 4\n\n\n");
    control.m_nQuantProgress = 37;
    EXPECT_EQ(job.StatusText(), "\n   Design Status:\n      NTaps = 101, Iteration 4\n"
                                "      Quantizing: 37% complete\n\n");
    job.RequestCancel();
    EXPECT_TRUE(control.CancelRequested());
    EXPECT_EQ(job.StatusText(), "\n   Cancelling, please wait...");
}
