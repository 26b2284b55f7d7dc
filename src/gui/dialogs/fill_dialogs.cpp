#include "dialogs/operation_dialogs.h"

#include "data/sampling_frequency.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/number_field.h"
#include "dialogs/operation_dialog.h"
#include "dialogs/shared_fields.h"
#include "doc/dialog_settings.h"
#include "doc/operation_checks.h"
#include "dsp/signal_messages.h"
#include "support/format_number.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <memory>
#include <optional>

namespace {

// ---- Fill Coefficients With Constant -------------------------------------------------------

class CCombFill : public COperationDialog {
public:
    CCombFill(CCombFillSettings& s, CHost& host, QWidget* parent)
        : COperationDialog("Fill Coefficients With Constant", host, parent), m_s(s) {
        auto* form = new QFormLayout;
        m_pTaps = new CNumberField;
        m_pTaps->SetInt(s.m_nTaps);
        AddCaptionedRow(form, "&Number of Taps:", m_pTaps);
        m_pConstant = new CNumberField;
        m_pConstant->SetDouble(s.m_dConstant);
        AddCaptionedRow(form, "&Constant:", m_pConstant);
        m_pOneOverN = new QCheckBox("= &1 / NTaps");
        m_pOneOverN->setChecked(s.m_bOneOverN);
        form->addRow(QString(), m_pOneOverN);
        m_pLayout->addLayout(form);
        FinishLayout();
        connect(m_pOneOverN, &QCheckBox::clicked, this, &CCombFill::UpdateConstant);
        connect(m_pTaps, &QLineEdit::textEdited, this, &CCombFill::UpdateConstant);
        m_pConstant->setEnabled(!s.m_bOneOverN);
    }

protected:
    bool Exchange() override {
        CCombFillSettings s = m_s;
        if (!m_pTaps->ReadInt(s.m_nTaps, m_host) || !m_pConstant->ReadDouble(s.m_dConstant, m_host))
            return false;
        s.m_bOneOverN = m_pOneOverN->isChecked();
        m_s = s;
        return true;
    }

private:
    // The constant follows the number of taps while "= 1 / NTaps" is checked.
    void UpdateConstant() {
        const bool oneOverN = m_pOneOverN->isChecked();
        if (const std::optional<double> taps = ParseDouble(ToStd(m_pTaps->text()))) {
            CCombFillSettings shown;
            shown.m_nTaps = static_cast<int>(*taps);
            shown.m_bOneOverN = oneOverN;
            shown.m_dConstant = ParseDouble(ToStd(m_pConstant->text())).value_or(0.0);
            const double entered = shown.m_dConstant;
            ApplyOneOverN(shown);
            if (shown.m_dConstant != entered)
                m_pConstant->SetDouble(shown.m_dConstant);
        }
        m_pConstant->setEnabled(!oneOverN);
    }

    CCombFillSettings& m_s;
    CNumberField* m_pTaps;
    CNumberField* m_pConstant;
    QCheckBox* m_pOneOverN;
};

// ---- Waveform Generator --------------------------------------------------------------------

class CGenerate : public COperationDialog {
public:
    CGenerate(CGenerateSettings& s, CHost& host, QWidget* parent)
        : COperationDialog(SignalText::kGeneratorTitle, host, parent), m_s(s) {
        auto* form = new QFormLayout;
        m_pSamples = new CNumberField;
        m_pSamples->SetInt(s.m_nSamples);
        AddCaptionedRow(form, "Number of &Samples", m_pSamples);
        m_pLayout->addLayout(form);
        m_pFrequency = new CNumberField;
        m_pFrequency->SetDouble(s.m_fFrequency);
        m_pCycles = new CNumberField;
        m_pCycles->SetDouble(s.m_fCycles);
        QStringList rates;
        for (const char* r : SignalText::kGenerateRateModes)
            rates << r;
        m_pLayout->addWidget(RadioGroup("Rate", rates, m_pRate, {m_pFrequency, m_pCycles}));
        CheckId(m_pRate, s.m_nRateMode);
        m_pComplex = new QCheckBox("&Complex");
        m_pComplex->setChecked(s.m_bComplex);
        m_pLayout->addWidget(m_pComplex);
        auto* more = new QFormLayout;
        m_pPhase = new CNumberField;
        m_pPhase->SetDouble(s.m_dPhaseDegrees);
        AddCaptionedRow(more, "Initial &phase in degrees", m_pPhase);
        m_pWaveform = new QComboBox;
        m_pWaveform->addItems({"Sine", "Square", "Triangle", "Sawtooth"});
        m_pWaveform->setCurrentIndex(s.m_nWaveform);
        AddCaptionedRow(more, "&Waveform", m_pWaveform);
        m_pLayout->addLayout(more);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        CGenerateSettings s = m_s;
        double frequency = s.m_fFrequency, cycles = s.m_fCycles;
        if (!m_pSamples->ReadInt(s.m_nSamples, m_host) ||
            !m_pFrequency->ReadDouble(frequency, m_host) ||
            !m_pCycles->ReadDouble(cycles, m_host) ||
            !m_pPhase->ReadDouble(s.m_dPhaseDegrees, m_host))
            return false;
        s.m_fFrequency = static_cast<float>(frequency);
        s.m_fCycles = static_cast<float>(cycles);
        s.m_nRateMode = std::max(0, m_pRate->checkedId());
        s.m_bComplex = m_pComplex->isChecked();
        s.m_nWaveform = m_pWaveform->currentIndex();
        m_s = s;
        return true;
    }

private:
    CGenerateSettings& m_s;
    CNumberField* m_pSamples;
    QButtonGroup* m_pRate;
    CNumberField* m_pFrequency;
    CNumberField* m_pCycles;
    QCheckBox* m_pComplex;
    CNumberField* m_pPhase;
    QComboBox* m_pWaveform;
};

// ---- Set Minimum Decibels ------------------------------------------------------------------

class CMinDb : public COperationDialog {
public:
    CMinDb(double& minDb, CHost& host, QWidget* parent)
        : COperationDialog("Set Minimum Decibels", host, parent), m_minDb(minDb) {
        auto* form = new QFormLayout;
        m_pValue = new CNumberField;
        m_pValue->SetDouble(minDb);
        AddCaptionedRow(form, "&Minimum dB", m_pValue);
        m_pLayout->addLayout(form);
        FinishLayout();
    }

protected:
    bool Exchange() override { return m_pValue->ReadDouble(m_minDb, m_host); }

private:
    double& m_minDb;
    CNumberField* m_pValue;
};

// ---- Set Sampling Frequency ----------------------------------------------------------------

class CSampRate : public COperationDialog {
public:
    CSampRate(CFs& fs, CHost& host, QWidget* parent)
        : COperationDialog("Set Sampling Frequency", host, parent), m_fs(fs) {
        auto* form = new QFormLayout;
        m_pFs = std::make_unique<CFsFields>(form, fs);
        m_pLayout->addLayout(form);
        FinishLayout();
    }

protected:
    bool Exchange() override { return m_pFs->Read(m_fs, m_host); }

private:
    CFs& m_fs;
    std::unique_ptr<CFsFields> m_pFs;
};

} // namespace

bool RunCombFillDialog(QWidget* parent, CCombFillSettings& settings, CHost& host) {
    return RunModal(CCombFill(settings, host, parent));
}

bool RunGenerateDialog(QWidget* parent, CGenerateSettings& settings, CHost& host) {
    return RunModal(CGenerate(settings, host, parent));
}

bool RunMinDbDialog(QWidget* parent, double& minDb, CHost& host) {
    return RunModal(CMinDb(minDb, host, parent));
}

bool RunSampRateDialog(QWidget* parent, CFs& fs, CHost& host) {
    return RunModal(CSampRate(fs, host, parent));
}
