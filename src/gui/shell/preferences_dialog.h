#pragma once

#include "doc/preferences.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// The "Preferences" dialog: shows a copy of the preferences and gives back what was entered.
class CPreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPreferencesDialog(const CPreferences& prefs, QWidget* parent = nullptr);
    // The values entered; a number field that does not hold a number keeps its value.
    CPreferences Entered() const;

private:
    CPreferences m_prefs;
    QSpinBox* m_pGridDensity;
    QLineEdit* m_pMaxPassDb;
    QLineEdit* m_pMinDb;
    QComboBox* m_pEngine;
    struct FlagBox {
        bool CPreferences::*member;
        QCheckBox* box;
    };
    std::vector<FlagBox> m_flags;
};
