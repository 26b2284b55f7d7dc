#include "dsp/operation_settings.h"
#include "dsp/signal_messages.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(OperationSettings, WindowChecksRefuseSmallGammaAndNonPositiveAlpha) {
    struct Case {
        int code;
        double alpha, gamma;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {1, 4.0, 0.5, SignalMsg::kGammaTooSmall},
        {1, 0.0, 1.0, nullptr},
        {2, 0.0, 40.0, SignalMsg::kAlphaNotPositive},
        {2, -1.0, 40.0, SignalMsg::kAlphaNotPositive},
        {2, 0.1, 0.0, nullptr},
        {5, 0.0, 0.0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CScriptedHost host;
        EXPECT_EQ(CheckWindowSettings(host, c.code, c.alpha, c.gamma), c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.message);
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
    EXPECT_EQ(WindowSettingsParameter(1, 4.0, 40.0), 40.0);
    EXPECT_EQ(WindowSettingsParameter(2, 4.0, 40.0), 4.0);
    EXPECT_EQ(WindowSettingsParameter(3, 4.0, 40.0), 0.0);
}

TEST(OperationSettings, MixFrequencyDefaultsAndRangeQuestion) {
    SMixSettings s;
    ApplyMixDefaults(s, 1000.0);
    EXPECT_EQ(s.frequency, 250.0);
    EXPECT_EQ(s.divisor, 4.0);
    EXPECT_EQ(s.multiplier, 0.25);

    s.mode = static_cast<int>(EMixMode::FsDivided);
    CScriptedHost host;
    EXPECT_EQ(MixFrequency(s, 1000.0), 250.0);
    EXPECT_TRUE(CheckMixSettings(host, s, 1000.0));
    EXPECT_TRUE(host.questions.empty());

    s.divisor = 1.5; // 2000/3, beyond Fs/2
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(CheckMixSettings(host, s, 1000.0));
    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(CheckMixSettings(host, s, 1000.0));
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0], SignalMsg::kMixOutOfRange);

    s.mode = static_cast<int>(EMixMode::FsMultiplied);
    s.multiplier = -0.5; // exactly -Fs/2 is inside the range
    EXPECT_TRUE(CheckMixSettings(host, s, 1000.0));
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST(OperationSettings, MixRefusesZeroDivisorAndZeroFrequency) {
    CScriptedHost host;
    SMixSettings s;
    s.mode = static_cast<int>(EMixMode::FsDivided);
    EXPECT_FALSE(CheckMixSettings(host, s, 1000.0));
    s.mode = static_cast<int>(EMixMode::Frequency);
    EXPECT_FALSE(CheckMixSettings(host, s, 1000.0));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, SignalMsg::kMixDivisorZero);
    EXPECT_EQ(host.messages[1].text, SignalMsg::kMixFrequencyZero);
    EXPECT_EQ(host.messages[1].icon, EMsgIcon::Stop);
}

TEST(OperationSettings, MixPhaseIsReducedKeepingItsSign) {
    constexpr double pi = 3.14159265358979323846;
    SMixSettings s;
    // Linear phase for 31 taps at Fs/4: -7.5 pi, reduced to -1.5 pi.
    EXPECT_NEAR(MixPhase(s, 250.0, 1000.0, 31), -1.5 * pi, 1e-12);
    s.phaseMode = static_cast<int>(EMixPhaseMode::Degrees);
    s.phaseDegrees = 450.0;
    EXPECT_NEAR(MixPhase(s, 250.0, 1000.0, 31), 0.5 * pi, 1e-12);
    s.phaseDegrees = -450.0;
    EXPECT_NEAR(MixPhase(s, 250.0, 1000.0, 31), -0.5 * pi, 1e-12);
}
