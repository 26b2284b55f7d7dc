#include "doc/preferences.h"

#include "support/scripted_host.h"

#include <gtest/gtest.h>

TEST(Preferences, NothingStoredGivesTheDefaults) {
    CMemorySettingsStore store;
    CPreferences prefs;
    ReadPreferences(store, prefs);
    EXPECT_EQ(prefs, CPreferences{});
    EXPECT_EQ(prefs.m_nEditorGridDensity, 16);
    EXPECT_TRUE(prefs.m_bEditorAttnInDb);
    EXPECT_DOUBLE_EQ(prefs.m_dEditorMaxPassDb, 10.0);
    EXPECT_DOUBLE_EQ(prefs.m_dMinDb, -130.0);
}

TEST(Preferences, WritesIntegersAndNumbersWithThreeDecimalsInOrder) {
    CMemorySettingsStore store;
    CPreferences prefs;
    prefs.m_dEditorMaxPassDb = 3.25;
    prefs.m_bDesignViewFreq = true;
    WritePreferences(store, prefs);
    EXPECT_EQ(store.values["Options/m_dEditorMaxPassDb"], "3.250");
    EXPECT_EQ(store.values["Options/m_dMinDb"], "-130.000");
    EXPECT_EQ(store.values["Options/m_bDesignViewFreq"], "1");
    EXPECT_EQ(store.values["Options/m_nEditorGridDensity"], "16");
    const std::vector<std::string> order{"m_nEditorGridDensity", "m_bEditorSelectPassStop",
                                         "m_dEditorMaxPassDb",   "m_bEditorAttnInDb",
                                         "m_bEditorGainInDb",    "m_bEditorShowPassStop",
                                         "m_bDesignViewImp",     "m_bDesignViewFreq",
                                         "m_bDesignViewCoeffs",  "m_bReadViewCoeffs",
                                         "m_bReadViewFreq",      "m_bReadViewImp",
                                         "m_bScaleAfterDesign",  "m_bScaleAfterMix",
                                         "m_bScaleAfterRead",    "m_dMinDb",
                                         "m_eRemezEngine"};
    EXPECT_EQ(store.writes, order);
}

TEST(Preferences, WrittenValuesReadBack) {
    CPreferences written;
    written.m_nEditorGridDensity = 7;
    written.m_bEditorSelectPassStop = true;
    written.m_bEditorAttnInDb = false;
    written.m_bReadViewImp = true;
    written.m_bScaleAfterMix = true;
    written.m_dMinDb = -96.5;
    written.m_eRemezEngine = ERemezEngine::Robust;
    CMemorySettingsStore store;
    WritePreferences(store, written);
    CPreferences read;
    ReadPreferences(store, read);
    EXPECT_EQ(read, written);
}

TEST(Preferences, AStoredTextThatIsNoNumberKeepsTheValueHeld) {
    CMemorySettingsStore store;
    store.values["Options/m_dMinDb"] = "loud";
    store.values["Options/m_dEditorMaxPassDb"] = " 12.5 dB";
    store.WriteInt(PrefText::kSection, "m_eRemezEngine", 3);
    CPreferences prefs;
    prefs.m_eRemezEngine = ERemezEngine::Classic;
    ReadPreferences(store, prefs);
    EXPECT_EQ(prefs.m_eRemezEngine, ERemezEngine::Classic);
    EXPECT_DOUBLE_EQ(prefs.m_dMinDb, -130.0);
    EXPECT_DOUBLE_EQ(prefs.m_dEditorMaxPassDb, 12.5);
}

TEST(Preferences, AcceptWarnsAboutAGridDensityBelowOneAndStoresOne) {
    for (int density : {0, -5}) {
        CMemorySettingsStore store;
        CScriptedHost host;
        CPreferences prefs;
        CPreferences entered;
        entered.m_nEditorGridDensity = density;
        entered.m_bScaleAfterRead = true;
        AcceptPreferences(entered, prefs, store, host);
        EXPECT_EQ(prefs.m_nEditorGridDensity, 1);
        EXPECT_TRUE(prefs.m_bScaleAfterRead);
        EXPECT_EQ(store.values["Options/m_nEditorGridDensity"], "1");
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, PrefText::kGridDensityNotPositive);
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Exclamation);
    }
    CMemorySettingsStore store;
    CScriptedHost host;
    CPreferences prefs;
    CPreferences entered;
    entered.m_nEditorGridDensity = 3;
    AcceptPreferences(entered, prefs, store, host);
    EXPECT_EQ(prefs.m_nEditorGridDensity, 3);
    EXPECT_TRUE(host.messages.empty());
}
