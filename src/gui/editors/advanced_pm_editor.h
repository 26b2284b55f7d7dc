#pragma once

#include "editors/fir_editor.h"
#include "forms/band_table.h"

class QButtonGroup;
class QCheckBox;
class QTableWidget;

// The band editor of the advanced Parks-McClellan method: response type, taps, grid, an entry
// row and the sorted band table with the achieved value of each band.
class CAdvancedPmEditor : public CFirEditor {
    Q_OBJECT
public:
    CAdvancedPmEditor(CFirData& filter, CHost& host, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;
    void Design() override;
    void Optimize() override;
    void SetPreferences(const SBandEditorPrefs& prefs) { m_prefs = prefs; }

    QTableWidget* Table() const { return m_pTable; }

signals:
    // The document's sampling-frequency command; it runs before the signal returns.
    void sampleRateRequested();

private:
    // Adds the entry row as a band; false when it was not added.
    bool AddEntry();
    void OnDelete();
    void ClearEntry();
    void OnClearAll();
    void OnEstimate();
    void OnUnitToggled(QCheckBox* check);
    void OnRowSelected();
    // The entry row before a design: false when the design is abandoned.
    bool CheckEntryBeforeDesign();
    void ShowTable();
    void SelectRow(int row);
    void WriteForm();

    SBandEditorPrefs m_prefs;
    CBandTable m_table;
    QButtonGroup* m_pResponseType;
    QLineEdit* m_pTaps;
    QLineEdit* m_pGrid;
    QLineEdit* m_pLower;
    QLineEdit* m_pUpper;
    QLineEdit* m_pDesired;
    QLineEdit* m_pAttn;
    QCheckBox* m_pDesiredDb;
    QCheckBox* m_pAttnDb;
    QTableWidget* m_pTable;
    QLabel* m_pResult;
};
