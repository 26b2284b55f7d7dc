#pragma once

#include "editors/fir_editor.h"

class QButtonGroup;
class QGroupBox;

// The Simple Parks-McClellan form: lowpass, highpass, bandpass or bandstop by two frequencies,
// ripple, attenuation and band center.
class CSimplePmEditor : public CFirEditor {
    Q_OBJECT
public:
    CSimplePmEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;
    void Design() override;

protected:
    // A binding that shows lowpass, highpass, bandpass or bandstop preselects that type.
    void OnFirstBind(const SChangeNotice& notice) override;

private:
    void OnTypeChanged();
    void OnEstimate();
    void WriteForm();

    QButtonGroup* m_pType;
    QLabel* m_pFirstLabel;
    QLabel* m_pSecondLabel;
    QLabel* m_pCenterLabel;
    QLineEdit* m_pFirst;
    QLineEdit* m_pSecond;
    QLineEdit* m_pRipple;
    QLineEdit* m_pAttn;
    QLineEdit* m_pCenter;
    QLineEdit* m_pTaps;
    QLineEdit* m_pGrid;
    QPushButton* m_pEstimate;
    QLabel* m_pRippleActual;
    QLabel* m_pAttnActual;
    QGroupBox* m_pActuals;
};
