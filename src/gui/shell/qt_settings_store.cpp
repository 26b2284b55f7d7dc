#include "shell/qt_settings_store.h"

#include <QSettings>

namespace {

QString KeyOf(const std::string& section, const std::string& name) {
    return QString::fromStdString(section + "/" + name);
}

} // namespace

int CQtSettingsStore::GetInt(const std::string& section, const std::string& name, int fallback) {
    bool ok = false;
    const int value = m_settings.value(KeyOf(section, name)).toInt(&ok);
    return ok ? value : fallback;
}

std::string CQtSettingsStore::GetString(const std::string& section, const std::string& name,
                                        const std::string& fallback) {
    const QVariant value = m_settings.value(KeyOf(section, name));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void CQtSettingsStore::WriteInt(const std::string& section, const std::string& name, int value) {
    m_settings.setValue(KeyOf(section, name), value);
}

void CQtSettingsStore::WriteString(const std::string& section, const std::string& name,
                                   const std::string& value) {
    m_settings.setValue(KeyOf(section, name), QString::fromStdString(value));
}
