#include "dialogs/operation_dialogs.h"

#include "design/coefficient_messages.h"
#include "design/quantization.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/number_field.h"
#include "dialogs/operation_dialog.h"
#include "dialogs/shared_fields.h"
#include "doc/dialog_settings.h"
#include "doc/fir_commands.h"
#include "dsp/signal_messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// A row "caption field text" of a grid, the field named after the caption.
void CaptionedRow(QGridLayout* grid, int row, const QString& caption, QWidget* field,
                  const QString& after) {
    AddCaptionedCell(grid, row, 0, caption, field);
    grid->addWidget(new QLabel(after), row, 2);
}

// ---- Quantize ------------------------------------------------------------------------------

class CQuantize : public COperationDialog {
public:
    CQuantize(CQuantizeSettings& s, CHost& host, QWidget* parent)
        : COperationDialog(kQuantizeCaption, host, parent), m_s(s) {
        auto* grid = new QGridLayout;
        m_pBits = new CNumberField;
        m_pBits->SetInt(s.m_nBits);
        CaptionedRow(grid, 0, "&Quantize to", m_pBits, "bits");
        m_pLayout->addLayout(grid);
        // The searches (the last two algorithms) work on the inphase part only.
        m_pQuant = std::make_unique<CQuantFields>(m_pLayout, "&Save in fractional file options",
                                                  s.m_bInphaseOnly ? 4 : 2, s);
        m_pQuant->Range()->setVisible(s.m_bInphaseOnly);
        FinishLayout();
        connect(m_pQuant->Algorithm(), &QComboBox::currentIndexChanged, this,
                [this] { m_pQuant->SetEnabled(true); });
        m_pQuant->SetEnabled(true);
    }

protected:
    bool Exchange() override {
        CQuantizeSettings s = m_s;
        if (!m_pBits->ReadInt(s.m_nBits, m_host) || !m_pQuant->Read(s, m_host))
            return false;
        m_s = s;
        return true;
    }

private:
    CQuantizeSettings& m_s;
    CNumberField* m_pBits;
    std::unique_ptr<CQuantFields> m_pQuant;
};

// ---- Truncate ------------------------------------------------------------------------------

class CTruncDialog : public COperationDialog {
public:
    CTruncDialog(CTruncateSettings& s, CHost& host, QWidget* parent)
        : COperationDialog("Truncate", host, parent), m_s(s) {
        auto* row = new QHBoxLayout;
        row->addWidget(
            RadioGroup("Truncate At...", Captions(SignalText::kTruncateModes), m_pWhere));
        row->addWidget(
            RadioGroup("Truncate By..", Captions(SignalText::kTruncateKinds), m_pMethod));
        m_pLayout->addLayout(row);
        CheckId(m_pWhere, s.m_nWhere);
        CheckId(m_pMethod, s.m_nMethod);
        auto* form = new QFormLayout;
        m_pValue = new CNumberField;
        m_pValue->SetDouble(s.m_dValue);
        AddCaptionedRow(form, "using &value:", m_pValue);
        m_pLayout->addLayout(form);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        CTruncateSettings s = m_s;
        if (!m_pValue->ReadDouble(s.m_dValue, m_host))
            return false;
        s.m_nWhere = std::max(0, m_pWhere->checkedId());
        s.m_nMethod = std::max(0, m_pMethod->checkedId());
        m_s = s;
        return true;
    }

private:
    CTruncateSettings& m_s;
    QButtonGroup* m_pWhere;
    QButtonGroup* m_pMethod;
    CNumberField* m_pValue;
};

// ---- Select Polyphase Filter ---------------------------------------------------------------

class CSelectPolyphase : public COperationDialog {
public:
    CSelectPolyphase(CPolyphaseSettings& s, CHost& host, QWidget* parent)
        : COperationDialog("Select Polyphase Filter", host, parent), m_s(s) {
        auto* grid = new QGridLayout;
        m_pPhase = new CNumberField;
        m_pPhase->SetInt(s.m_nPhase);
        AddCaptionedCell(grid, 0, 0, "Select polyphase filter &number", m_pPhase);
        m_pPhases = new CNumberField;
        m_pPhases->SetInt(s.m_nPhases);
        CaptionedRow(grid, 1, "&Of", m_pPhases, "total polyphases");
        NameAfterCaption(m_pPhases, "total polyphases");
        m_pLayout->addLayout(grid);
        m_pScaleFs = new QCheckBox("Scale sampling &frequency");
        m_pScaleFs->setChecked(s.m_bScaleFs);
        m_pScaleGain = new QCheckBox("Scale &gain");
        m_pScaleGain->setChecked(s.m_bScaleGain);
        m_pLayout->addWidget(m_pScaleFs);
        m_pLayout->addWidget(m_pScaleGain);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        CPolyphaseSettings s = m_s;
        if (!m_pPhase->ReadInt(s.m_nPhase, m_host) || !m_pPhases->ReadInt(s.m_nPhases, m_host))
            return false;
        s.m_bScaleFs = m_pScaleFs->isChecked();
        s.m_bScaleGain = m_pScaleGain->isChecked();
        m_s = s;
        return true;
    }

private:
    CPolyphaseSettings& m_s;
    CNumberField* m_pPhase;
    CNumberField* m_pPhases;
    QCheckBox* m_pScaleFs;
    QCheckBox* m_pScaleGain;
};

// ---- Zero-Stuff and Zero-Pad ---------------------------------------------------------------

class CZeroPad : public COperationDialog {
public:
    CZeroPad(CZeroPadSettings& s, CHost& host, QWidget* parent)
        : COperationDialog(SignalText::kZeroPadTitle, host, parent), m_s(s) {
        auto* stuff = new QGroupBox("Zero-Stuff");
        auto* stuffGrid = new QGridLayout(stuff);
        m_pStuff = new CNumberField;
        m_pStuff->SetInt(s.m_nStuff);
        CaptionedRow(stuffGrid, 0, "&Stuff", m_pStuff, "zero(s) between each sample");
        m_pScaleFs = new QCheckBox("Scale sampling &frequency");
        m_pScaleFs->setChecked(s.m_bScaleFs);
        stuffGrid->addWidget(m_pScaleFs, 1, 0, 1, 3);
        m_pLayout->addWidget(stuff);
        m_pLayout->addWidget(new QLabel("then"));
        auto* pad = new QGroupBox("Zero-Pad");
        auto* padGrid = new QGridLayout(pad);
        m_pPrepend = new CNumberField;
        m_pPrepend->SetInt(s.m_nPrepend);
        CaptionedRow(padGrid, 0, "&Prepend", m_pPrepend, "zero(s)");
        m_pAppend = new CNumberField;
        m_pAppend->SetInt(s.m_nAppend);
        CaptionedRow(padGrid, 1, "&Append", m_pAppend, "zero(s)");
        m_pLayout->addWidget(pad);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        CZeroPadSettings s = m_s;
        if (!m_pStuff->ReadInt(s.m_nStuff, m_host) || !m_pPrepend->ReadInt(s.m_nPrepend, m_host) ||
            !m_pAppend->ReadInt(s.m_nAppend, m_host))
            return false;
        s.m_bScaleFs = m_pScaleFs->isChecked();
        m_s = s;
        return true;
    }

private:
    CZeroPadSettings& m_s;
    CNumberField* m_pStuff;
    QCheckBox* m_pScaleFs;
    CNumberField* m_pPrepend;
    CNumberField* m_pAppend;
};

// ---- Convolve ------------------------------------------------------------------------------

class CConvolveDialog : public COperationDialog {
public:
    CConvolveDialog(SConvolveChoice& choice, CHost& host, QWidget* parent)
        : COperationDialog("Convolve", host, parent), m_choice(choice) {
        auto* label = new QLabel("&Select an open CorviFIR project");
        m_pList = new QListWidget;
        label->setBuddy(m_pList);
        NameAfterCaption(m_pList, label->text());
        for (const std::string& title : choice.titles)
            m_pList->addItem(ToQ(title));
        m_pList->setCurrentRow(choice.selected);
        m_pLayout->addWidget(label);
        m_pLayout->addWidget(m_pList);
        FinishLayout();
    }

protected:
    bool Exchange() override {
        m_choice.selected = m_pList->currentItem() && m_pList->currentItem()->isSelected()
                                ? m_pList->currentRow()
                                : -1;
        return true;
    }

private:
    SConvolveChoice& m_choice;
    QListWidget* m_pList;
};

} // namespace

bool RunQuantizeDialog(QWidget* parent, CQuantizeSettings& settings, CHost& host) {
    return RunModal(CQuantize(settings, host, parent));
}

bool RunTruncateDialog(QWidget* parent, CTruncateSettings& settings, CHost& host) {
    return RunModal(CTruncDialog(settings, host, parent));
}

bool RunPolyphaseDialog(QWidget* parent, CPolyphaseSettings& settings, CHost& host) {
    return RunModal(CSelectPolyphase(settings, host, parent));
}

bool RunZeroPadDialog(QWidget* parent, CZeroPadSettings& settings, CHost& host) {
    return RunModal(CZeroPad(settings, host, parent));
}

bool RunConvolveDialog(QWidget* parent, SConvolveChoice& choice, CHost& host) {
    return RunModal(CConvolveDialog(choice, host, parent));
}
