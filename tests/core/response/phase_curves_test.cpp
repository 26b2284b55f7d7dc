#include "response/phase_curves.h"

#include "data/data_column.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

void Fill(CDataColumn& column, std::initializer_list<double> values) {
    column.SetSize(0);
    for (double v : values) {
        column.Add(v);
    }
}

std::vector<double> Values(const CDataColumn& column) {
    return std::vector<double>(column.begin(), column.end());
}

} // namespace

TEST(Response, UnwrapPhaseAddsTurnsOnlyForJumpsBeyond180) {
    struct SCase {
        const char* what;
        std::initializer_list<double> raw;
        std::vector<double> unwrapped;
    };
    const SCase cases[] = {
        {"exactly +180 kept", {-90.0, 90.0}, {-90.0, 90.0}},
        {"exactly -180 kept", {90.0, -90.0}, {90.0, -90.0}},
        {"+181 wraps down", {-90.0, 91.0}, {-90.0, -269.0}},
        {"-181 wraps up", {90.0, -91.0}, {90.0, 269.0}},
        // Differences are taken between raw values, so the offsets accumulate.
        {"rising through three wraps",
         {170.0, -170.0, 0.0, 170.0, -170.0, 10.0, 179.0, -179.0},
         {170.0, 190.0, 360.0, 530.0, 550.0, 730.0, 899.0, 901.0}},
        {"steady descent",
         {0.0, -120.0, 120.0, 0.0, -120.0, 120.0},
         {0.0, -120.0, -240.0, -360.0, -480.0, -600.0}},
        {"single point", {123.0}, {123.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CDataColumn curve;
        Fill(curve, c.raw);
        UnwrapPhase(curve);
        EXPECT_EQ(Values(curve), c.unwrapped);
    }
    CDataColumn empty;
    UnwrapPhase(empty);
    EXPECT_EQ(empty.GetSize(), 0);
}

TEST(Response, PhaseDelayIsPhaseOverMinus360F) {
    // Fs = 1000 Hz: -90 degrees at 250 Hz is a quarter period of 4 ms.
    CDataColumn curve;
    CDataColumn freqs;
    Fill(freqs, {-250.0, 250.0, 500.0});
    Fill(curve, {90.0, -90.0, -360.0});
    PhaseToPhaseDelay(curve, freqs);
    EXPECT_DOUBLE_EQ(curve[0], 0.001);
    EXPECT_DOUBLE_EQ(curve[1], 0.001);
    EXPECT_DOUBLE_EQ(curve[2], 0.002);

    // An unwrapped curve that entered its first point a turn up: the turn is not a delay.
    Fill(freqs, {-3.0, -1.0, 2.0});
    Fill(curve, {360.0 + 108.0, 360.0 + 36.0, 360.0 - 72.0});
    PhaseToPhaseDelay(curve, freqs);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(curve[i], 0.1, 1e-15) << "point " << i;
    }
}

TEST(Response, PhaseDelayAtZeroFrequencyBorrowsANeighbour) {
    struct SCase {
        const char* what;
        std::initializer_list<double> freqs;
        std::initializer_list<double> phase;
        std::vector<double> delay;
    };
    const SCase cases[] = {
        {"first point", {0.0, 1.0, 2.0}, {0.0, -36.0, -144.0}, {0.1, 0.1, 0.2}},
        {"middle point", {-1.0, 0.0, 1.0}, {72.0, 0.0, -36.0}, {0.2, 0.1, 0.1}},
        {"last point", {-2.0, -1.0, 0.0}, {144.0, 72.0, 0.0}, {0.2, 0.2, 0.2}},
        {"only point", {0.0}, {15.0}, {0.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CDataColumn freqs;
        CDataColumn curve;
        Fill(freqs, c.freqs);
        Fill(curve, c.phase);
        PhaseToPhaseDelay(curve, freqs);
        ASSERT_EQ(curve.GetSize(), static_cast<int>(c.delay.size()));
        for (size_t i = 0; i < c.delay.size(); ++i) {
            EXPECT_DOUBLE_EQ(curve[static_cast<int>(i)], c.delay[i]) << "point " << i;
        }
    }
}
