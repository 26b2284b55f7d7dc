#pragma once

#include "editors/fir_editor.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QListWidget;

// The group "Examine Frequency Response in dB": an entry with the list of frequencies (unit of
// Fs) below it, beside the list of the filter's response at each, with Add, Delete, Reset and
// Automatic. The frequencies and the automatic flag belong to the filter.
class CRspList : public QGroupBox {
    Q_OBJECT
public:
    CRspList(CFirData& filter, CHost& host, QWidget* parent = nullptr);

    // Both lists from the filter's frequencies, then the enabling.
    void Refresh();
    bool IsAutomatic() const;
    void SetAutomatic(bool on);

    QLineEdit* Entry() const { return m_pEntry; }
    QListWidget* Frequencies() const { return m_pFreqs; }
    QListWidget* Responses() const { return m_pResponses; }

signals:
    // Automatic was switched on: the editor fills the list by its rule.
    void automaticChanged();
    // The list changed (mark the document modified).
    void listChanged();

private:
    void UpdateEnabling();
    void OnAdd();
    void OnDelete();
    void OnReset();
    void OnAutomatic();
    void AutomaticOff();
    void SelectRow(int row);

    CFirData& m_filter;
    CHost& m_host;
    QLineEdit* m_pEntry;
    QListWidget* m_pFreqs;
    QListWidget* m_pResponses;
    QPushButton* m_pAdd;
    QPushButton* m_pDelete;
    QPushButton* m_pReset;
    QCheckBox* m_pAuto;
};

// An editor with a response list; its OnSampleRateChange fills the list with the method's
// automatic frequencies when Automatic is on.
class CRspListFirEditor : public CFirEditor {
    Q_OBJECT
public:
    CRspListFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs,
                      QWidget* parent = nullptr);
    void OnSampleRateChange() override;
    CRspList* RspList() const { return m_pRspList; }

protected:
    // The automatic flag of the form into the filter.
    void StoreRspAuto();
    // The automatic flag of the filter into the form, then OnSampleRateChange.
    void LoadRspAuto();

    CRspList* m_pRspList;
};
