#pragma once

#include "dialogs/number_field.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

class CFs;
class CHost;
class QFormLayout;
class QVBoxLayout;

// Groups of fields that more than one dialog shows the same way.

// The sampling frequency's value and unit: two rows of a form.
class CFsFields {
public:
    CFsFields(QFormLayout* form, const CFs& fs);
    // The entered frequency into fs; false (the host has said why) for a value that is not a
    // number, fs unchanged.
    bool Read(CFs& fs, CHost& host) const;

private:
    CNumberField* m_pValue;
    QComboBox* m_pUnit;
};

// The quantization choices that follow the bit count: the save box, the algorithm (the first
// `offered` of the list), "Truncate end zeros" and the search grid range. Settings records with
// the fields m_bSave, m_nAlgorithm, m_bTruncateZeros, m_nSearchLow and m_nSearchHigh fill and
// take them.
class CQuantFields {
public:
    template <class T>
    CQuantFields(QVBoxLayout* layout, const QString& saveCaption, int offered, const T& s)
        : CQuantFields(layout, saveCaption, offered) {
        m_pSave->setChecked(s.m_bSave);
        m_pAlgorithm->setCurrentIndex(s.m_nAlgorithm < offered ? s.m_nAlgorithm : 0);
        m_pTruncate->setChecked(s.m_bTruncateZeros);
        m_pFrom->SetInt(s.m_nSearchLow);
        m_pTo->SetInt(s.m_nSearchHigh);
    }
    // False (the host has said why) for a range bound that is not a number, s unchanged.
    template <class T> bool Read(T& s, CHost& host) const {
        int low = s.m_nSearchLow, high = s.m_nSearchHigh;
        if (!m_pFrom->ReadInt(low, host) || !m_pTo->ReadInt(high, host))
            return false;
        s.m_nSearchLow = low;
        s.m_nSearchHigh = high;
        s.m_bSave = m_pSave->isChecked();
        s.m_nAlgorithm = m_pAlgorithm->currentIndex();
        s.m_bTruncateZeros = m_pTruncate->isChecked();
        return true;
    }
    // Enables the fields; the range only where the chosen algorithm searches.
    void SetEnabled(bool on);
    QComboBox* Algorithm() const { return m_pAlgorithm; }
    QGroupBox* Range() const { return m_pGrid; }

private:
    CQuantFields(QVBoxLayout* layout, const QString& saveCaption, int offered);

    QCheckBox* m_pSave;
    QComboBox* m_pAlgorithm;
    QCheckBox* m_pTruncate;
    QGroupBox* m_pGrid;
    CNumberField* m_pFrom;
    CNumberField* m_pTo;
};
