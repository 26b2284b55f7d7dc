#pragma once

#include "doc/preferences.h"

class QSettings;

// The settings store over QSettings: each section is a group, each value a key of it.
class CQtSettingsStore : public CSettingsStore {
public:
    explicit CQtSettingsStore(QSettings& settings) : m_settings(settings) {}
    int GetInt(const std::string& section, const std::string& name, int fallback) override;
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& fallback) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;

private:
    QSettings& m_settings;
};
