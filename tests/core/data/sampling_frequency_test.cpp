#include "data/sampling_frequency.h"

#include <gtest/gtest.h>

#include <string>

TEST(SamplingFrequency, UnitStringsAndParsing) {
    CFs fs;
    EXPECT_EQ(fs.GetUnitString(), "Hz,sec");
    fs.m_nUnit = 1;
    EXPECT_EQ(fs.GetUnitString(), "kHz,ms");
    EXPECT_EQ(CFs::GetUnitString(3), "GHz,ns");

    struct Case {
        const char* text;
        bool ok;
        int unit;
    };
    const Case cases[] = {
        {"mhz,us", true, 2}, {"MHz,us", true, 2},  {"GHZ", true, 3}, {"kHz,anything", true, 1},
        {"Hz,sec", true, 0}, {"ms,kHz", false, 0}, {"", false, 0},   {"kHz ,ms", false, 0},
    };
    for (const Case& c : cases) {
        CFs parsed(5.0, 3);
        EXPECT_EQ(parsed.ParseUnitString(c.text), c.ok) << c.text;
        EXPECT_EQ(parsed.m_nUnit, c.unit) << c.text;
        EXPECT_EQ(parsed.m_dValue, 5.0) << c.text;
    }
}

TEST(SamplingFrequency, ValueMultiplierAndSetters) {
    CFs fs(44.1, 1);
    double mult = 0.0;
    EXPECT_EQ(fs.GetValue(&mult), 44.1);
    EXPECT_EQ(mult, 1000.0);
    EXPECT_DOUBLE_EQ(fs.GetHz(), 44100.0);
    fs.SetHz(8000.0);
    EXPECT_EQ(fs, CFs(8000.0, 0));
    fs.SetKHz(48.0);
    EXPECT_EQ(fs, CFs(48.0, 1));
}

TEST(SamplingFrequency, NormalizeKeepsTheFrequency) {
    struct Case {
        CFs in;
        double value;
        int unit;
    };
    const Case cases[] = {
        {CFs(44100.0, 0), 44.1, 1}, {CFs(0.0005, 2), 0.5, 1},    {CFs(2.5e9, 0), 2.5, 3},
        {CFs(5e6, 3), 5e6, 3},      {CFs(0.0002, 0), 0.0002, 0}, {CFs(1000.0, 0), 1000.0, 0},
        {CFs(0.001, 1), 0.001, 1},  {CFs(1e-7, 3), 0.1, 1},
    };
    for (const Case& c : cases) {
        CFs fs = c.in;
        fs.Normalize();
        EXPECT_NEAR(fs.m_dValue, c.value, 1e-12 * c.value) << c.in.m_dValue;
        EXPECT_EQ(fs.m_nUnit, c.unit) << c.in.m_dValue;
    }
}

TEST(SamplingFrequency, UnitLabelsAbsorbPowersOfTen) {
    struct Case {
        int unit;
        int p;
        const char* freq;
        int freqP;
        const char* time;
        int timeP;
    };
    const Case cases[] = {
        {0, 3, "kHz", 0, "sec", 3}, {0, -3, "Hz", -3, "ms", 0},   {1, 6, "GHz", 0, "sec", 3},
        {1, -6, "Hz", -3, "ns", 0}, {3, 3, "GHz", 3, "us", 0},    {2, 0, "MHz", 0, "us", 0},
        {3, -9, "Hz", 0, "ns", -9}, {0, 12, "GHz", 3, "sec", 12},
    };
    for (const Case& c : cases) {
        CFs fs(1.0, c.unit);
        int p = c.p;
        EXPECT_EQ(fs.GetFreqUnitLabel(p), c.freq) << c.unit << " " << c.p;
        EXPECT_EQ(p, c.freqP) << c.unit << " " << c.p;
        p = c.p;
        EXPECT_EQ(fs.GetTimeUnitLabel(p), c.time) << c.unit << " " << c.p;
        EXPECT_EQ(p, c.timeP) << c.unit << " " << c.p;
    }
}

TEST(SamplingFrequency, FsText) {
    EXPECT_EQ(CFs(44.1, 1).GetFsText(), "44.1 kHz");
    EXPECT_EQ(CFs(1.0, 0).GetFsText(), "1 Hz");
    EXPECT_EQ(CFs(2.5, 2).GetFsText(), "2.5 MHz");
    EXPECT_EQ(CFs(100.0, 3).GetFsText(), "100 GHz");
}
