#pragma once

#include "editors/fir_editor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;

// The Lth-band form: design method, taps, cutoff, L, band information and the options of each
// method (ripple or attenuation and grid for Parks-McClellan, window for windowed sinc, order
// for spline sinc).
class CNyquistEditor : public CFirEditor {
    Q_OBJECT
public:
    CNyquistEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;
    void Design() override;
    void Optimize() override;

protected:
    void OnFsScaled(double ratio) override;
    void OnRefused() override;

private:
    void OnEstimate();
    void OnZeroize();
    void OnWindowChanged(int index);
    void UpdateEnabling();
    void WriteForm();
    int WindowCode() const;

    QButtonGroup* m_pMethod;
    QLineEdit* m_pTaps;
    QPushButton* m_pEstimate;
    QPushButton* m_pOptimize;
    QLineEdit* m_pCutoff;
    QLineEdit* m_pL;
    QGroupBox* m_pInfoBox;
    QLabel* m_pInfo;
    QCheckBox* m_pZeroize;
    QButtonGroup* m_pSpec;
    QLineEdit* m_pRipple;
    QCheckBox* m_pRippleDb;
    QLineEdit* m_pAttn;
    QCheckBox* m_pAttnDb;
    QLineEdit* m_pGrid;
    QComboBox* m_pWindow;
    QLabel* m_pParamLabel;
    QLineEdit* m_pParam;
    QLineEdit* m_pOrder;
    QCheckBox* m_pAutoOrder;
    int m_nShownWindow = 1;
};
