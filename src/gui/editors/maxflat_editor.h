#pragma once

#include "editors/rsp_list.h"

class QButtonGroup;

// The maxflat form: transition center and the rolloff given as a number of taps or as gamma,
// with the response list.
class CMaxflatEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CMaxflatEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;

protected:
    void OnFsScaled(double ratio) override;

private:
    void UpdateEnabling();

    QLineEdit* m_pCenter;
    QButtonGroup* m_pMode;
    QLineEdit* m_pTaps;
    QLineEdit* m_pGamma;
};
