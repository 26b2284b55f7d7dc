#include "support/change_notice.h"

#include <gtest/gtest.h>

// The numbers of the project window's notices, as its commands and views have always used them,
// and the typed notices they stand for; each converts into the other.
TEST(ChangeNotice, CodesAndTypedNoticesConvertBothWays) {
    using enum EViewShows;
    using C = EViewChannel;
    struct Case {
        int code;
        SChangeNotice notice;
    };
    const Case cases[] = {
        {5, Notice::kCoefficients},
        {6, Notice::kAboutToSave},
        {7, Notice::kSampleRate},
        {8, Notice::kClosing},
        {0x1005, {EChange::Coefficients, Automatic, C::Inphase, 0, true}}, // and reset the zoom
        {769, Notice::kNewTime},
        {67, Notice::kNewFreqReal},
        {835, Notice::kNewFreqComplex},
        {0x443, SChangeNotice::BindFreq(Magnitude, C::ByFilter)},
        {0x283, SChangeNotice::BindFreq(GroupDelay, C::IAndQ)},
        {0x153, SChangeNotice::BindFreq(Phase, C::Quadrature)},
        {0x311, SChangeNotice::BindTime(Inphase, C::Complex)},
        {0x331, SChangeNotice::BindTime(IAndQ, C::Complex)},
        {0x35B, SChangeNotice::BindTime(Phase, C::Complex, true)},
        {0x2341, {EChange::BindTime, Magnitude, C::Complex, 2}}, // style 2
        {0xB1, SChangeNotice::BindTime(Bandpass, C::Inphase)},
        {0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.notice.Code(), c.code);
        EXPECT_TRUE(SChangeNotice::FromCode(c.code) == c.notice);
    }
}
