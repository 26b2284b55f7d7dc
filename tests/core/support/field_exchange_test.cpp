#include "support/field_exchange.h"

#include "support/scripted_host.h"

#include <gtest/gtest.h>

TEST(FieldExchange, NumbersAreReadOrRefusedWithTheStandardMessage) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"2.5", true, 2.5}, {"  -1e3 ", true, -1000.0}, {"44.1kHz", false, 0.0},
        {"", false, 0.0},   {"abc", false, 0.0},        {"1e999", false, 0.0},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        double v = 7.0;
        EXPECT_EQ(ExchangeDouble(c.text, v, host), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : 7.0) << c.text; // a refusal leaves the value
        EXPECT_EQ(host.LastMessage(), c.ok ? "" : kMsgEnterNumber) << c.text;
    }
}

TEST(FieldExchange, IntegersAreWholeNumbersOfTheIntRange) {
    CScriptedHost host;
    int v = 0;
    EXPECT_TRUE(ExchangeInt(" -12 ", v, host));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(ExchangeInt("1.5", v, host));
    EXPECT_FALSE(ExchangeInt("99999999999", v, host));
    EXPECT_FALSE(ExchangeInt("", v, host));
    EXPECT_EQ(v, -12);
    ASSERT_EQ(host.messages.size(), 3u);
    EXPECT_EQ(host.messages[0].text, kMsgEnterInteger);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Exclamation);
}
