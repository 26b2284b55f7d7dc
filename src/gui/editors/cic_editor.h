#pragma once

#include "editors/rsp_list.h"

class QCheckBox;

// The CIC form: stages, rate change factor, differential delay, unity gain, the impulse length
// and the response list.
class CCicEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CCicEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;

private:
    QLineEdit* m_pStages;
    QLineEdit* m_pRate;
    QLineEdit* m_pDelay;
    QCheckBox* m_pUnityGain;
    QLabel* m_pLength;
};
