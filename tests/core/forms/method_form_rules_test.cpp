#include "design/method_messages.h"
#include "forms/form_messages.h"
#include "forms/method_form_rules.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

TEST(MethodFormRules, SimplePmFrequenciesFollowTheFilterType) {
    struct Case {
        int type;
        double first, second, wantFirst, wantSecond;
    };
    const Case cases[] = {{0, 0.3, 0.2, 0.2, 0.3},
                          {1, 0.3, 0.2, 0.2, 0.3},
                          {2, 0.1, 0.2, 0.1, 0.2},
                          {3, 0.1, 0.2, 0.2, 0.1}};
    for (const Case& c : cases) {
        double a = c.first, b = c.second;
        OrderSimplePmFrequencies(c.type, a, b);
        EXPECT_EQ(a, c.wantFirst) << c.type;
        EXPECT_EQ(b, c.wantSecond) << c.type;
    }
    EXPECT_STREQ(SimplePmLabels(1).first, "Stopband Upper Frequency");
    EXPECT_STREQ(SimplePmLabels(3).center, "Bandstop Center");
}

TEST(MethodFormRules, LthFormChecksInOrder) {
    struct Case {
        int l;
        double cutoff;
        int method, window;
        double param;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {1, 0.1, 0, 1, 0.0, kMsgLthFormL},
        {2, 0.0, 0, 1, 0.0, kMsgLthFormCutoffPositive},
        {4, 0.25, 0, 1, 0.0, kMsgLthFormCutoffBelowFsL},
        {2, 0.2, 1, 2, 0.0, kMsgWindowParamPositive},
        {2, 0.2, 1, 3, 0.0, nullptr},
        {2, 0.2, 0, 2, 0.0, nullptr},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        EXPECT_EQ(CheckLthForm(c.l, c.cutoff, 1.0, c.method, c.window, c.param, host),
                  c.message == nullptr);
        EXPECT_EQ(host.LastMessage(), c.message ? c.message : "");
    }
}

TEST(MethodFormRules, LthBandInfoNamesThePassbandSide) {
    const SLthBandInfo low = LthBandInfo(1.0, 2, 0.2);
    EXPECT_EQ(low.caption, "Band Info - Lowpass");
    ASSERT_EQ(low.lines.size(), 3u);
    EXPECT_EQ(low.lines[0], (std::pair<std::string, std::string>{"Fs / 2L", "0.250"}));
    EXPECT_EQ(low.lines[2], (std::pair<std::string, std::string>{"Stopband Lower", "0.300"}));
    const SLthBandInfo high = LthBandInfo(1.0, 4, 0.2);
    EXPECT_EQ(high.caption, "Band Info - Highpass");
    EXPECT_EQ(high.lines[1], (std::pair<std::string, std::string>{"Stopband Upper", "0.050"}));
    EXPECT_EQ(LthBandInfo(1.0, 1, 0.2).lines.size(), 0u);
}

TEST(MethodFormRules, CicParameterLimits) {
    struct Case {
        int n, r, m;
        const char* message;
    };
    const Case cases[] = {{0, 8, 1, kMsgCicAllPositive},
                          {101, 1, 1, kMsgCicTooManyStages},
                          {100, 100, 2, kMsgCicTooLong},
                          {5, 8, 1, nullptr}};
    for (const Case& c : cases) {
        CScriptedHost host;
        EXPECT_EQ(CheckCicForm(c.n, c.r, c.m, 16384, host), c.message == nullptr);
        EXPECT_EQ(host.LastMessage(), c.message ? c.message : "");
    }
}
