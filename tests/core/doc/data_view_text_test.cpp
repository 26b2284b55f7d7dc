#include "doc/data_view_text.h"

#include "design/fir_data.h"

#include <gtest/gtest.h>

#include <complex>
#include <sstream>
#include <utility>
#include <vector>

namespace {

// A real filter with taps 1, 2, ..., n (last value zero when lastZero).
CFirData RampFilter(int n, bool lastZero = false) {
    std::vector<std::complex<double>> taps;
    for (int i = 1; i <= n; ++i)
        taps.emplace_back(lastZero && i == n ? 0.0 : i, 0.0);
    CFirData filter;
    filter.LoadComplex(taps);
    filter.DetectReal();
    return filter;
}

// The first `count` lines of text.
std::string FirstLines(const std::string& text, int count) {
    std::istringstream in(text);
    std::string line, out;
    for (int i = 0; i < count && std::getline(in, line); ++i)
        out += line + "\n";
    return out;
}

} // namespace

TEST(DataViewText, ListsOneLinePerTapAndReadsEditedTextBack) {
    CFirData filter = RampFilter(32);
    CDataViewSettings settings;
    const std::string text = ListCoefficients(filter, settings);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 32);
    // Deleting the last 12 lines leaves 20 taps.
    ASSERT_TRUE(ReadCoefficientsText(filter, settings, FirstLines(text, 20)));
    EXPECT_EQ(filter.GetN(), 20);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(0, 19), 20.0);
}

TEST(DataViewText, TrailingZerosGoAndAllZerosLeaveAnEmptyFilter) {
    CFirData filter = RampFilter(6, /*lastZero=*/true);
    CDataViewSettings settings;
    ASSERT_TRUE(ReadCoefficientsText(filter, settings, ListCoefficients(filter, settings)));
    EXPECT_EQ(filter.GetN(), 5);
    ReadCoefficientsText(filter, settings, "0\n0\n0\n");
    EXPECT_EQ(filter.GetN(), 0);
}

TEST(DataViewText, QuadratureModeReadsOnlyQAndPadsWithZeros) {
    CFirData filter = RampFilter(4);
    CDataViewSettings settings;
    settings.m_nMode = DataViewModeOf(SChangeNotice::FromCode(0x321));
    ASSERT_EQ(settings.m_nMode, CDataViewSettings::Quadrature);
    ASSERT_TRUE(ReadCoefficientsText(filter, settings, "0.5\n0.25\n"));
    ASSERT_EQ(filter.GetN(), 4);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(0, 3), 4.0);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(1, 1), 0.25);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(1, 2), 0.0);
    EXPECT_FALSE(filter.IsReal());
    // Automatic on a complex filter lists I and Q on each line.
    settings.m_nMode = DataViewModeOf(SChangeNotice::FromCode(0x301));
    const std::string text = ListCoefficients(filter, settings);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("0.25"), std::string::npos);
}

TEST(DataViewText, TheModeIsWhatTheBindingNoticeShows) {
    const std::pair<int, int> cases[] = {{0x311, CDataViewSettings::Inphase},
                                         {0x321, CDataViewSettings::Quadrature},
                                         {0x331, CDataViewSettings::Complex},
                                         {0x341, CDataViewSettings::Automatic},
                                         {0x301, CDataViewSettings::Automatic}};
    for (const auto& [code, mode] : cases)
        EXPECT_EQ(DataViewModeOf(SChangeNotice::FromCode(code)), mode) << code;
}
