#include "dsp/min_phase.h"
#include "dsp/min_phase_options.h"
#include "dsp/poly_roots.h"
#include "min_phase_ref_data.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

namespace {

double MaxAbsDifference(const mvect& a, const mvect& b) {
    double worst = 0.0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        worst = std::max(worst, std::abs(a[i] - b[i]));
    }
    return a.size() == b.size() ? worst : INFINITY;
}

double MaxAbs(const mvect& a) {
    double m = 0.0;
    for (const mcplx& z : a) {
        m = std::max(m, std::abs(z));
    }
    return m;
}

const CRefCase& FindCase(const std::vector<CRefCase>& cases, const std::string& name) {
    for (const CRefCase& c : cases) {
        if (c.name == name) {
            return c;
        }
    }
    ADD_FAILURE() << "no reference case " << name;
    return cases.front();
}

} // namespace

TEST(MinPhase, TwoTapExample) {
    mvect h{1.0, 2.0}; // zero at -2
    double errorDb = -1.0;
    ASSERT_TRUE(ConvertToMinPhase(h, errorDb));
    EXPECT_LE(MaxAbsDifference(h, {2.0, 1.0}), 1e-15); // zero at -0.5, gain 3 kept
    EXPECT_LT(errorDb, 1e-12);
    EXPECT_GE(errorDb, 0.0);

    std::vector<double> real{1.0, 2.0};
    ASSERT_TRUE(ConvertToMinPhase(real, errorDb));
    EXPECT_NEAR(real[0], 2.0, 1e-15);
    EXPECT_NEAR(real[1], 1.0, 1e-15);
}

// Against an independent conversion in NumPy: the same taps, all zeros inside the unit circle,
// the magnitude response kept, and the energy moved to the front.
TEST(MinPhase, MatchesReferenceConversions) {
    for (const CRefCase& c : LoadRefCases("min_phase.txt")) {
        mvect h = c.first;
        double errorDb = 0.0;
        ASSERT_TRUE(ConvertToMinPhase(h, errorDb)) << c.name;
        EXPECT_LE(MaxAbsDifference(h, c.second), 1e-9 * MaxAbs(c.second)) << c.name;
        EXPECT_EQ(h.IsReal(), c.first.IsReal()) << c.name;
        if (c.check == "small") {
            EXPECT_LT(errorDb, 1e-6) << c.name;
        } else if (c.check == "equal") {
            EXPECT_NEAR(errorDb, c.value, 1e-9 * c.value) << c.name;
        }

        if (c.first.IsReal() || c.first.size() < 4) {
            mvect g = h;
            g /= h[0];
            for (const mcplx& r : FindRoots(g)) {
                EXPECT_LE(std::abs(r), 1.0 + 1e-7) << c.name;
            }
            double before = 0.0, after = 0.0;
            for (size_t k = 0; k < h.size(); ++k) {
                before += std::norm(c.first[k]);
                after += std::norm(h[k]);
                EXPECT_GE(after, before * (1.0 - 1e-9)) << c.name << " at tap " << k;
            }
            EXPECT_NEAR(after, before, 1e-9 * before) << c.name;
        }
    }
}

TEST(MinPhase, MinimumPhaseFilterComesBackUnchanged) {
    const std::vector<CRefCase> cases = LoadRefCases("min_phase.txt");
    mvect h = FindCase(cases, "already_minimum").first;
    double errorDb = 0.0;
    ASSERT_TRUE(ConvertToMinPhase(h, errorDb));
    EXPECT_LE(MaxAbsDifference(h, FindCase(cases, "already_minimum").first), 1e-12);
    EXPECT_LT(errorDb, 1e-9);
}

TEST(MinPhase, SymmetricFilterLosesItsSymmetry) {
    mvect h = FindCase(LoadRefCases("min_phase.txt"), "symmetric_5").first;
    double errorDb = 0.0;
    ASSERT_TRUE(ConvertToMinPhase(h, errorDb));
    EXPECT_LT(errorDb, 1e-9);
    EXPECT_GT(std::abs(h[0] - h[4]), 0.1);
    EXPECT_GT(std::abs(h[1] - h[3]), 0.1);
}

// A zero at z = 1 makes both zero-frequency gains 0; the conversion still keeps the magnitude.
TEST(MinPhase, ZeroAtZeroFrequency) {
    mvect h{1.0, -3.0, 2.0}; // zeros at 1 and 2
    double errorDb = 0.0;
    ASSERT_TRUE(ConvertToMinPhase(h, errorDb));
    EXPECT_LE(MaxAbsDifference(h, {2.0, -3.0, 1.0}), 1e-14);
    EXPECT_LT(errorDb, 1e-9);

    mvect difference{1.0, -1.0}; // its zero is on the circle: nothing to move
    ASSERT_TRUE(ConvertToMinPhase(difference, errorDb));
    EXPECT_EQ(difference, (mvect{1.0, -1.0}));
    EXPECT_EQ(errorDb, 0.0); // exact zeros of both responses at DC agree
}

// Complex zeros are mirrored through the circle (r -> 1/conj r), which keeps |H|.
TEST(MinPhase, ComplexZeroIsMirroredThroughTheCircle) {
    mvect h{1.0, mcplx(0.0, 2.0)}; // zero at -2j
    double errorDb = 0.0;
    ASSERT_TRUE(ConvertToMinPhase(h, errorDb));
    EXPECT_LE(MaxAbsDifference(h, {mcplx(1.6, 1.2), mcplx(-0.6, 0.8)}), 1e-15);
    EXPECT_LT(errorDb, 1e-12);
}

TEST(MinPhase, RefusedInputsAreLeftUnchanged) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const mvect cases[] = {
        {},
        {3.0},
        {0.0, 1.0, 2.0},
        {1e-21, 1.0, 0.5},
        {0.0, 0.0, 0.0, 0.0, 1.0},
        {nan, 1.0},
        {1.0, 0.5, INFINITY},
    };
    for (const mvect& input : cases) {
        mvect h = input;
        double errorDb = 0.0;
        EXPECT_FALSE(ConvertToMinPhase(h, errorDb)) << input.size();
        EXPECT_EQ(errorDb, kMinPhaseNotDoneDb);
        EXPECT_EQ(h.size(), input.size());
        for (size_t k = 0; k < h.size(); ++k) {
            EXPECT_TRUE(h[k] == input[k] || std::isnan(h[k].real()));
        }
    }
}

TEST(MinPhase, ConversionsOnTwoThreadsAgreeWithOneThread) {
    const std::vector<CRefCase> cases = LoadRefCases("min_phase.txt");
    const mvect inputs[] = {FindCase(cases, "firwin_101").first,
                            FindCase(cases, "remez_128").first};
    mvect expected[2];
    for (int i = 0; i < 2; ++i) {
        double errorDb = 0.0;
        expected[i] = inputs[i];
        ConvertToMinPhase(expected[i], errorDb);
    }
    bool same[2] = {true, true};
    auto work = [&](int i) {
        for (int round = 0; round < 10; ++round) {
            mvect h = inputs[i];
            double errorDb = 0.0;
            ConvertToMinPhase(h, errorDb);
            same[i] = same[i] && h == expected[i];
        }
    };
    std::thread a(work, 0), b(work, 1);
    a.join();
    b.join();
    EXPECT_TRUE(same[0]);
    EXPECT_TRUE(same[1]);
}

TEST(MinPhase, CommandVerdictOnTheError) {
    struct Case {
        double errorDb;
        bool answerYes;
        bool accepted;
        const char* question; // nullptr: no question
        bool refused;
    };
    const Case cases[] = {
        {0.0, false, true, nullptr, false},
        {0.1, false, true, nullptr, false},
        {0.15, true, true, "Minphase conversion failed by 0.1 dB.  Use anyway?", false},
        {0.16, false, false, "Minphase conversion failed by 0.2 dB.  Use anyway?", false},
        {40.0, true, true, "Minphase conversion failed by 40.0 dB.  Use anyway?", false},
        {40.01, true, false, nullptr, true},
        {200.0, true, false, nullptr, true},
        {INFINITY, true, false, nullptr, true},
        {std::numeric_limits<double>::quiet_NaN(), true, false, nullptr, true},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        host.QueueAnswer(c.answerYes ? EAnswer::Yes : EAnswer::No);
        EXPECT_EQ(AcceptMinPhaseError(host, c.errorDb), c.accepted) << c.errorDb;
        if (c.question) {
            ASSERT_EQ(host.questions.size(), 1u) << c.errorDb;
            EXPECT_EQ(host.questions[0], c.question);
        } else {
            EXPECT_TRUE(host.questions.empty()) << c.errorDb;
        }
        if (c.refused) {
            ASSERT_EQ(host.messages.size(), 1u) << c.errorDb;
            EXPECT_EQ(host.messages[0].text, "Conversion to minimum phase failed.");
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.errorDb;
        }
    }
}

TEST(MinPhase, CommandConvertsOnlyWhatIsAccepted) {
    const mvect mismatch = FindCase(LoadRefCases("min_phase.txt"), "complex_5").first; // 10 dB
    const mvect hopeless{1.0, 0.0, 0.0, mcplx(0.0, 0.999)}; // about 63 dB
    struct Case {
        const char* what;
        mvect h;
        std::vector<EAnswer> answers;
        bool converted;
        size_t questions;
        size_t messages;
    };
    const Case cases[] = {
        {"clean conversion", {1.0, 2.0}, {}, true, 0, 0},
        {"mismatch, Yes", mismatch, {EAnswer::Yes}, true, 1, 0},
        {"mismatch, No", mismatch, {EAnswer::No}, false, 1, 0},
        {"mismatch, default answer", mismatch, {}, false, 1, 0},
        {"error above 40 dB", hopeless, {EAnswer::Yes}, false, 0, 1},
        {"cannot convert", {0.0, 1.0, 2.0}, {EAnswer::Yes}, false, 0, 1},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        for (EAnswer a : c.answers) {
            host.QueueAnswer(a);
        }
        mvect h = c.h;
        EXPECT_EQ(ConvertToMinPhaseAsking(host, h), c.converted) << c.what;
        EXPECT_EQ(h != c.h, c.converted) << c.what;
        EXPECT_EQ(host.questions.size(), c.questions) << c.what;
        EXPECT_EQ(host.messages.size(), c.messages) << c.what;
    }
    CScriptedHost host;
    mvect h = mismatch;
    ConvertToMinPhaseAsking(host, h);
    EXPECT_EQ(host.questions.at(0), "Minphase conversion failed by 10.0 dB.  Use anyway?");
}

TEST(MinPhase, AfterDesignFollowsTheOptions) {
    const mvect mismatch = FindCase(LoadRefCases("min_phase.txt"), "complex_5").first;
    MinPhaseOptions on;
    on.m_bEnabled = 1;
    MinPhaseOptions off;
    MinPhaseOptions quiet = on;
    quiet.m_bWarn = 0;
    MinPhaseOptions small = on;
    small.m_nMaxTaps = 1;
    MinPhaseOptions lenient = on;
    lenient.m_dMaxDbError = 500.0;
    struct Case {
        const char* what;
        MinPhaseOptions options;
        mvect h;
        bool converted;
        bool warned;
    };
    const Case cases[] = {
        {"disabled", off, {1.0, 2.0}, false, false},
        {"converted", on, {1.0, 2.0}, true, false},
        {"too many taps", small, {1.0, 2.0}, false, true},
        {"too many taps, no warning", {1, 1, 0.05, 0}, {1.0, 2.0}, false, false},
        {"error too large", on, mismatch, false, true},
        {"error too large, no warning", quiet, mismatch, false, false},
        {"accepted by a lenient limit", lenient, mismatch, true, false},
        {"not done is never taken", lenient, {0.0, 1.0, 2.0}, false, true},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        mvect h = c.h;
        EXPECT_EQ(ConvertToMinPhaseAfterDesign(host, c.options, static_cast<int>(h.size()), h),
                  c.converted)
            << c.what;
        EXPECT_EQ(h != c.h, c.converted) << c.what;
        if (c.warned) {
            ASSERT_EQ(host.messages.size(), 1u) << c.what;
            EXPECT_EQ(host.messages[0].text, kMsgMinPhaseFailed);
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        } else {
            EXPECT_TRUE(host.messages.empty()) << c.what;
        }
    }
}

TEST(MinPhaseOptions, ArchiveLayout) {
    MinPhaseOptions options;
    CArchiveWriter w;
    options.Write(w);
    const std::vector<uint8_t> expected = {0,    0,    0,    0,    128,  0,    0, 0, 0x9A, 0x99,
                                           0x99, 0x99, 0x99, 0x99, 0xA9, 0x3F, 1, 0, 0,    0};
    EXPECT_EQ(w.Bytes(), expected);

    const std::vector<uint8_t> stored = {1, 0, 0, 0, 0x40, 0,    0, 0, 0, 0,
                                         0, 0, 0, 0, 0xE0, 0x3F, 0, 0, 0, 0};
    CArchiveReader r(stored);
    MinPhaseOptions read;
    read.Read(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(read, (MinPhaseOptions{1, 64, 0.5, 0}));

    CArchiveReader truncated(stored.data(), stored.size() - 1);
    MinPhaseOptions kept;
    EXPECT_THROW(kept.Read(truncated), CArchiveException);
    EXPECT_EQ(kept, MinPhaseOptions());
}

TEST(MinPhaseOptions, MaxErrorMustBePositive) {
    const double cases[] = {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()};
    for (double maxDb : cases) {
        CScriptedHost host;
        MinPhaseOptions options;
        options.m_dMaxDbError = maxDb;
        EXPECT_FALSE(options.Validate(host)) << maxDb;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "The maximum dB error parameter must be greater than 0.0");
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
    }
    CScriptedHost host;
    EXPECT_TRUE(MinPhaseOptions().Validate(host));
    EXPECT_TRUE(host.messages.empty());
}
