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
    CAdvancedPmEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;
    void Design() override;
    void Optimize() override;

    QTableWidget* Table() const { return m_pTable; }

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

    // The band table's preferences, from the application's.
    SBandEditorPrefs Prefs() const;
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
