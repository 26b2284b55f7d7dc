#pragma once

#include "editors/rsp_list.h"

class QButtonGroup;
class QComboBox;

// The windowed-sinc form: filter type, corners, window with its parameter, number of taps and
// the response list.
class CWindowedSincEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CWindowedSincEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;

protected:
    void OnRefused() override;

private:
    void OnWindowChanged(int code);
    void UpdateEnabling();

    QButtonGroup* m_pType;
    QLineEdit* m_pCorner1;
    QLineEdit* m_pCorner2;
    QComboBox* m_pWindow;
    QLabel* m_pParamLabel;
    QLineEdit* m_pParam;
    QLineEdit* m_pTaps;
    int m_nShownWindow = 1;
};
