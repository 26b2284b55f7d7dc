#include "dialogs/operation_dialogs.h"

#include "data/sampling_frequency.h"
#include "design/coefficient_messages.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/number_field.h"
#include "dialogs/operation_dialog.h"
#include "doc/dialog_settings.h"
#include "dsp/operation_settings.h"
#include "dsp/signal_messages.h"
#include "dsp/windows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <climits>

namespace {

// A field with a unit text after it, as one widget for a form or a radio row.
QWidget* WithUnit(QWidget* field, const QString& unit, QLabel** label = nullptr) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    auto* text = new QLabel(unit);
    row->addWidget(text);
    row->addStretch();
    if (label)
        *label = text;
    return box;
}

// ---- Scale Filter --------------------------------------------------------------------------

class CFirScaleDlg : public COperationDialog {
public:
    CFirScaleDlg(CScaleSettings& s, const std::string& unitText, CHost& host, QWidget* parent)
        : COperationDialog("Scale Filter", host, parent), m_s(s) {
        m_pFrequency = new CNumberField;
        m_pFrequency->SetDouble(s.m_dFrequency);
        m_pFrequency->installEventFilter(this);
        QList<QWidget*> fields = {nullptr, WithUnit(m_pFrequency, ToQ(unitText))};
        m_pLayout->addWidget(
            RadioGroup("Scale Using:", Captions(kScaleMethodNames), m_pMethod, fields));
        NameAfterCaption(m_pFrequency, "Gain at frequency");
        CheckId(m_pMethod, s.m_nMethod);
        auto* form = new QFormLayout;
        m_pTarget = new CNumberField;
        m_pTarget->SetDouble(s.m_dTarget);
        m_pInDb = new QCheckBox("dB");
        m_pInDb->setChecked(s.m_bInDb);
        auto* targetRow = new QWidget;
        auto* row = new QHBoxLayout(targetRow);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(m_pTarget);
        row->addWidget(m_pInDb);
        row->addStretch();
        auto* label = new QLabel("Scale to &Value:");
        label->setBuddy(m_pTarget);
        NameAfterCaption(m_pTarget, label->text());
        form->addRow(label, targetRow);
        m_pLayout->addLayout(form);
        m_pRound = new QCheckBox("&Round to nearest integer");
        m_pRound->setChecked(s.m_bRound);
        m_pLayout->addWidget(m_pRound);
        FinishLayout();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Giving the frequency the focus chooses "Gain at".
        if (watched == m_pFrequency && event->type() == QEvent::FocusIn)
            CheckId(m_pMethod, 1);
        return COperationDialog::eventFilter(watched, event);
    }
    bool Exchange() override {
        CScaleSettings s = m_s;
        if (!m_pFrequency->ReadDouble(s.m_dFrequency, m_host) ||
            !m_pTarget->ReadDouble(s.m_dTarget, m_host))
            return false;
        s.m_nMethod = std::max(0, m_pMethod->checkedId());
        s.m_bInDb = m_pInDb->isChecked();
        s.m_bRound = m_pRound->isChecked();
        m_s = s;
        return true;
    }

private:
    CScaleSettings& m_s;
    QButtonGroup* m_pMethod;
    CNumberField* m_pFrequency;
    CNumberField* m_pTarget;
    QCheckBox* m_pInDb;
    QCheckBox* m_pRound;
};

// ---- Window Filter Coefficients ------------------------------------------------------------

class CWndDlg : public COperationDialog {
public:
    CWndDlg(CWindowSettings& s, CHost& host, QWidget* parent)
        : COperationDialog("Window Filter Coefficients", host, parent), m_s(s) {
        QStringList captions;
        for (const SWindowInfo& w : kWindowCatalogue)
            captions << w.dialogText;
        m_pGamma = new CNumberField;
        m_pGamma->SetDouble(s.m_fGamma);
        m_pAlpha = new CNumberField;
        m_pAlpha->SetDouble(s.m_fAlpha);
        m_pLayout->addWidget(
            RadioGroup("Window", captions, m_pWindow, {WithUnit(m_pGamma, "dB"), m_pAlpha}));
        NameAfterCaption(m_pGamma, "Gamma");
        NameAfterCaption(m_pAlpha, "Alpha");
        CheckId(m_pWindow, s.m_nCode - 1);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        CWindowSettings s = m_s;
        double gamma = s.m_fGamma, alpha = s.m_fAlpha;
        if (!m_pGamma->ReadDouble(gamma, m_host) || !m_pAlpha->ReadDouble(alpha, m_host))
            return false;
        s.m_nCode = std::max(0, m_pWindow->checkedId()) + 1;
        s.m_fGamma = static_cast<float>(gamma);
        s.m_fAlpha = static_cast<float>(alpha);
        m_s = s;
        return true;
    }

private:
    CWindowSettings& m_s;
    QButtonGroup* m_pWindow;
    CNumberField* m_pGamma;
    CNumberField* m_pAlpha;
};

// ---- Mix Filter ----------------------------------------------------------------------------

class CMixDlg : public COperationDialog {
public:
    CMixDlg(SMixSettings& s, CHost& host, QWidget* parent)
        : COperationDialog("Mix Filter", host, parent), m_s(s) {
        const SMixSettings& shown = s;
        m_pFrequency = new CNumberField;
        m_pFrequency->SetDouble(shown.frequency);
        m_pDivisor = new CNumberField;
        m_pDivisor->SetDouble(shown.divisor);
        m_pMultiplier = new CNumberField;
        m_pMultiplier->SetDouble(shown.multiplier);
        m_pLayout->addWidget(RadioGroup("Mixing Frequency", Captions(SignalText::kMixModes),
                                        m_pMode, {m_pFrequency, m_pDivisor, m_pMultiplier}));
        CheckId(m_pMode, shown.mode);
        m_pDegrees = new CNumberField;
        m_pDegrees->SetDouble(shown.phaseDegrees);
        m_pLayout->addWidget(RadioGroup("Initial Phase", Captions(SignalText::kMixPhaseModes),
                                        m_pPhaseMode, {nullptr, m_pDegrees}));
        CheckId(m_pPhaseMode, shown.phaseMode);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        SMixSettings s = m_s;
        if (!m_pFrequency->ReadDouble(s.frequency, m_host) ||
            !m_pDivisor->ReadDouble(s.divisor, m_host) ||
            !m_pMultiplier->ReadDouble(s.multiplier, m_host) ||
            !m_pDegrees->ReadDouble(s.phaseDegrees, m_host))
            return false;
        s.mode = std::max(0, m_pMode->checkedId());
        s.phaseMode = std::max(0, m_pPhaseMode->checkedId());
        m_s = s;
        return true;
    }

private:
    SMixSettings& m_s;
    QButtonGroup* m_pMode;
    QButtonGroup* m_pPhaseMode;
    CNumberField* m_pFrequency;
    CNumberField* m_pDivisor;
    CNumberField* m_pMultiplier;
    CNumberField* m_pDegrees;
};

} // namespace

bool RunScaleDialog(QWidget* parent, CScaleSettings& settings, const std::string& unitText,
                    CHost& host) {
    return RunModal(CFirScaleDlg(settings, unitText, host, parent));
}

bool RunWindowDialog(QWidget* parent, CWindowSettings& settings, CHost& host) {
    return RunModal(CWndDlg(settings, host, parent));
}

bool RunMixDialog(QWidget* parent, SMixSettings& settings, CHost& host) {
    return RunModal(CMixDlg(settings, host, parent));
}
