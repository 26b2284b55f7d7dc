#include "shell/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

TEST(QtSettingsStore, PreferencesSurviveTheSettingsFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("corvifir.ini");
    CPreferences written;
    written.m_nEditorGridDensity = 9;
    written.m_bDesignViewImp = true;
    written.m_dMinDb = -80.25;
    {
        QSettings settings(path, QSettings::IniFormat);
        CQtSettingsStore store(settings);
        WritePreferences(store, written);
    }
    QSettings settings(path, QSettings::IniFormat);
    EXPECT_EQ(settings.value("Options/m_dMinDb").toString(), "-80.250");
    EXPECT_EQ(settings.value("Options/m_nEditorGridDensity").toInt(), 9);
    CQtSettingsStore store(settings);
    CPreferences read;
    ReadPreferences(store, read);
    EXPECT_EQ(read, written);
    // A value of the wrong kind falls back to the value held.
    settings.setValue("Options/m_nEditorGridDensity", "many");
    ReadPreferences(store, read);
    EXPECT_EQ(read.m_nEditorGridDensity, 9);
}
