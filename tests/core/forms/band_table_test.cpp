#include "design/fir_data.h"
#include "forms/band_table.h"
#include "forms/form_messages.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

TEST(BandTable, FormatsValuesRightAlignedWithoutTrailingZeros) {
    EXPECT_EQ(CBandTable::FormatValue(0.25), "        0.25");
    EXPECT_EQ(CBandTable::FormatValue(3.0), "           3");
    EXPECT_EQ(CBandTable::FormatValue(-1000.0), "       -1000");
    EXPECT_EQ(CBandTable::FormatActual(60.1234), " 60.123");
    EXPECT_EQ(CBandTable::FormatActual(3.0), "  3.0");
    EXPECT_EQ(CBandTable::FormatNumber(3), " 3");
}

TEST(BandTable, ParsesDesiredKeywordsAndNumbers) {
    struct Case {
        const char* text;
        bool inDb;
        double expected;
    };
    const Case cases[] = {
        {"Pass", false, 1.0}, {" p", true, 0.0},  {"stop", true, -1000.0}, {"S", false, 0.0},
        {"0.5", false, 0.5},  {"-6", true, -6.0}, {"xyz", false, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CBandTable::ParseDesired(c.text, c.inDb), c.expected) << c.text;
}

TEST(BandTable, InfersDesiredFromAttenuation) {
    CScriptedHost host;
    SBandEditorPrefs autoSelect;
    autoSelect.m_bSelectPassStop = true;
    struct Case {
        double attn;
        SBandEditorPrefs prefs;
        double desired; // linear
        double attnAfter;
    };
    const Case cases[] = {
        {40.0, autoSelect, 0.0, 40.0},         {3.0, autoSelect, 1.0, 3.0},
        {10.0, autoSelect, 1.0, 10.0},         {-40.0, SBandEditorPrefs{}, 0.0, 40.0},
        {40.0, SBandEditorPrefs{}, 1.0, 40.0},
    };
    for (const Case& c : cases) {
        double attn = c.attn, desired = -1.0;
        ASSERT_TRUE(CBandTable::ResolveEntry("", attn, desired, false, true, c.prefs, host));
        EXPECT_EQ(desired, c.desired) << c.attn;
        EXPECT_EQ(attn, c.attnAfter);
    }
    double zero = 0.0, desired = 0.0;
    EXPECT_FALSE(CBandTable::ResolveEntry("1", zero, desired, false, true, {}, host));
    EXPECT_EQ(host.LastMessage(), kMsgAttnRippleZero);
}

TEST(BandTable, TouchingBandIsRefusedAndOverlappingBandReplaces) {
    CScriptedHost host;
    CBandTable table;
    ASSERT_EQ(table.InsertBand(0.2, 0.3, 0.0, 60.0, false, {}, host), 0);
    EXPECT_EQ(table.InsertBand(0.1, 0.2, 1.0, 1.0, false, {}, host), -1);
    EXPECT_EQ(host.LastMessage(), kMsgBandTouches);
    EXPECT_EQ(table.RowCount(), 1);

    EXPECT_EQ(table.InsertBand(0.0, 0.1, 1.0, 1.0, false, {}, host), 0);
    EXPECT_EQ(table.InsertBand(0.15, 0.25, 0.0, 50.0, false, {}, host), 1);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.GetRow(1).lower, CBandTable::FormatValue(0.15));
    EXPECT_EQ(table.GetRow(1).attn, CBandTable::FormatValue(50.0));
    EXPECT_EQ(table.GetRow(1).actual, " ");
}

TEST(BandTable, DesiredTextFollowsUnitsAndPreference) {
    CScriptedHost host;
    SBandEditorPrefs words;
    words.m_bShowPassStop = true;
    CBandTable table;
    table.InsertBand(0.0, 0.1, -1000.0, 40.0, true, {}, host);
    table.InsertBand(0.2, 0.3, 1.0, 1.0, false, words, host);
    table.InsertBand(0.4, 0.5, 0.5, 1.0, false, words, host);
    EXPECT_EQ(table.GetRow(0).desired, kStopbandText);
    EXPECT_EQ(table.GetRow(1).desired, kPassbandText);
    EXPECT_EQ(table.GetRow(2).desired, CBandTable::FormatValue(0.5));
}

TEST(BandTable, StoresRowsIntoTheFilterAndReadsThemBack) {
    CScriptedHost host;
    CFirData filter(&host);
    filter.ApplyFs(CFs(8000.0, 0));
    CBandTable table;
    table.InsertBand(0.0, 1000.0, 1.0, 1.0, false, {}, host);
    table.InsertBand(1500.0, 4000.0, 0.0, 60.0, false, {}, host);
    ASSERT_EQ(table.StoreToFilter(filter, 1, 16, 31, false, true), -1);
    ASSERT_EQ(filter.GetNumBands(), 2);
    EXPECT_DOUBLE_EQ(filter.Band(0).upper, 0.125);
    EXPECT_FALSE(filter.IsPassband(1));
    EXPECT_NEAR(filter.GetBandAttn(1, true), 60.0, 1e-9);

    CBandTable loaded;
    loaded.LoadFromFilter(filter, false, true, {});
    ASSERT_EQ(loaded.RowCount(), 2);
    EXPECT_EQ(loaded.GetRow(1).lower, table.GetRow(1).lower);
    EXPECT_EQ(loaded.GetRow(1).attn, table.GetRow(1).attn);
    EXPECT_EQ(CBandTable::ResultText(filter), "");
}

TEST(BandTable, RefusesARowBeyondNyquistAndNamesIt) {
    CScriptedHost host;
    CFirData filter(&host);
    CBandTable table;
    table.InsertBand(0.0, 0.1, 1.0, 1.0, false, {}, host);
    table.InsertBand(0.2, 0.5000004, 0.0, 60.0, false, {}, host);
    EXPECT_EQ(table.StoreToFilter(filter, 1, 16, 31, false, true), -1);
    table.InsertBand(0.6, 0.7, 0.0, 60.0, false, {}, host);
    EXPECT_EQ(table.StoreToFilter(filter, 1, 16, 31, false, true), 2);
    EXPECT_EQ(host.LastMessage(), kMsgLowerAboveNyquist);
}

TEST(BandTable, ClassifiesTheEntryRow) {
    EXPECT_EQ(CBandTable::ClassifyEntry("", " ", ""), CBandTable::EEntry::Empty);
    EXPECT_EQ(CBandTable::ClassifyEntry("", "0.2", ""), CBandTable::EEntry::Partial);
    EXPECT_EQ(CBandTable::ClassifyEntry("0.1", "0.2", ""), CBandTable::EEntry::Partial);
    EXPECT_EQ(CBandTable::ClassifyEntry("0.1", "0.2", "3"), CBandTable::EEntry::Complete);
}
