#pragma once

#include "editors/rsp_list.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;

// The raised-cosine form: length in symbols or taps, zero-padding, samples per symbol or
// symbol rate, rolloff and the root choice, with the response list.
class CRaisedCosEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CRaisedCosEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;
    void ShowSampleRate() override;

private:
    void UpdateEnabling();

    QButtonGroup* m_pLengthMode;
    QLineEdit* m_pSymbols;
    QLineEdit* m_pTaps;
    QCheckBox* m_pZeroPad;
    QLineEdit* m_pZeroPadTaps;
    QButtonGroup* m_pRateMode;
    QLineEdit* m_pSps;
    QLineEdit* m_pRate;
    QLineEdit* m_pRolloff;
    QCheckBox* m_pRoot;
};
