#include "dialogs/design_options_sheet.h"

#include "design/coefficient_messages.h"
#include "design/quantization.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/number_field.h"
#include "dialogs/shared_fields.h"
#include "doc/operation_checks.h"
#include "support/host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <iterator>
#include <memory>

namespace {

// "Sampling Frequency": the value and its unit.
class CFsPage : public CDesignOptionsPage {
public:
    explicit CFsPage(const CFs& fs) {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        m_pFs = std::make_unique<CFsFields>(form, fs);
        layout->addLayout(form);
        layout->addStretch();
    }
    bool Read(CDesignOptions& o, CHost& host) override { return m_pFs->Read(o.m_Fs, host); }

private:
    std::unique_ptr<CFsFields> m_pFs;
};

// "NTaps Constraints": limits, parity, multiple and whether estimates obey them.
class CNTapsPage : public CDesignOptionsPage {
public:
    explicit CNTapsPage(const SConstraintPageValues& v) {
        auto* layout = new QVBoxLayout(this);
        auto* limits = new QGroupBox("Limits");
        auto* limitsForm = new QFormLayout(limits);
        m_pMin = new CNumberField;
        m_pMax = new CNumberField;
        m_pMin->SetInt(v.m_nMin);
        m_pMax->SetInt(v.m_nMax);
        AddCaptionedRow(limitsForm, "Mi&nimum", m_pMin);
        AddCaptionedRow(limitsForm, "Ma&ximum", m_pMax);
        layout->addWidget(limits);

        auto* parity = new QGroupBox("Even/Odd Constraint");
        auto* parityLayout = new QHBoxLayout(parity);
        m_pParity = new QButtonGroup(this);
        const char* const captions[] = {"None", "Odd", "Even"};
        for (int i = 0; i < 3; ++i) {
            auto* radio = new QRadioButton(captions[i]);
            m_pParity->addButton(radio, i);
            parityLayout->addWidget(radio);
        }
        if (QAbstractButton* b = m_pParity->button(v.m_nParity))
            b->setChecked(true);
        layout->addWidget(parity);

        auto* multiple = new QGroupBox("Multiple");
        auto* multipleLayout = new QHBoxLayout(multiple);
        m_pMultipleOn = new QCheckBox("Multiple &of");
        m_pMultipleOn->setChecked(v.m_bMultipleOn);
        m_pMultiple = new CNumberField;
        m_pMultiple->setAccessibleName("Multiple");
        m_pMultiple->SetInt(v.m_nMultiple);
        m_pMultiple->setEnabled(v.m_bMultipleOn);
        multipleLayout->addWidget(m_pMultipleOn);
        multipleLayout->addWidget(m_pMultiple);
        multipleLayout->addStretch();
        layout->addWidget(multiple);
        m_pConstrainEstimates = new QCheckBox("&Constrain estimates");
        m_pConstrainEstimates->setChecked(v.m_bConstrainEstimates);
        layout->addWidget(m_pConstrainEstimates);
        layout->addStretch();
        connect(m_pMultipleOn, &QCheckBox::toggled, m_pMultiple, &QWidget::setEnabled);
    }
    bool Read(CDesignOptions& o, CHost& host) override {
        SConstraintPageValues v = o.m_NTaps;
        if (!m_pMin->ReadInt(v.m_nMin, host) || !m_pMax->ReadInt(v.m_nMax, host) ||
            !m_pMultiple->ReadInt(v.m_nMultiple, host))
            return false;
        v.m_nParity = std::max(0, m_pParity->checkedId());
        v.m_bMultipleOn = m_pMultipleOn->isChecked();
        v.m_bConstrainEstimates = m_pConstrainEstimates->isChecked();
        o.m_NTaps = v;
        return true;
    }
    void ShowCorrected(const CDesignOptions& o) override {
        m_pMin->SetInt(o.m_NTaps.m_nMin);
        m_pMax->SetInt(o.m_NTaps.m_nMax);
    }

private:
    CNumberField* m_pMin;
    CNumberField* m_pMax;
    QButtonGroup* m_pParity;
    QCheckBox* m_pMultipleOn;
    CNumberField* m_pMultiple;
    QCheckBox* m_pConstrainEstimates;
};

// "Min Phase": conversion to minimum phase after each design.
class CMinphasePage : public CDesignOptionsPage {
public:
    explicit CMinphasePage(const MinPhaseOptions& o) {
        auto* layout = new QVBoxLayout(this);
        m_pEnabled = new QCheckBox("Con&vert to minimum phase");
        m_pEnabled->setChecked(o.m_bEnabled);
        layout->addWidget(m_pEnabled);
        auto* grid = new QGridLayout;
        m_pMaxTaps = new CNumberField;
        m_pMaxTaps->SetInt(o.m_nMaxTaps);
        AddCaptionedCell(grid, 0, 0, "Maximum number of &taps to convert", m_pMaxTaps);
        m_pMaxError = new CNumberField;
        m_pMaxError->SetDouble(o.m_dMaxDbError);
        AddCaptionedCell(grid, 1, 0, "Maximum frequency response &error", m_pMaxError);
        grid->addWidget(new QLabel("dB"), 1, 2);
        layout->addLayout(grid);
        m_pWarn = new QCheckBox("&Notify me when the conversion fails");
        m_pWarn->setChecked(o.m_bWarn);
        layout->addWidget(m_pWarn);
        layout->addStretch();
        connect(m_pEnabled, &QCheckBox::toggled, this, &CMinphasePage::UpdateControls);
        UpdateControls();
    }
    bool Read(CDesignOptions& options, CHost& host) override {
        MinPhaseOptions o = options.m_MinPhase;
        if (!m_pMaxTaps->ReadInt(o.m_nMaxTaps, host) ||
            !m_pMaxError->ReadDouble(o.m_dMaxDbError, host))
            return false;
        o.m_bEnabled = m_pEnabled->isChecked();
        o.m_bWarn = m_pWarn->isChecked();
        options.m_MinPhase = o;
        return true;
    }

private:
    void UpdateControls() {
        const bool on = m_pEnabled->isChecked();
        m_pMaxTaps->setEnabled(on);
        m_pMaxError->setEnabled(on);
        m_pWarn->setEnabled(on);
    }

    QCheckBox* m_pEnabled;
    CNumberField* m_pMaxTaps;
    CNumberField* m_pMaxError;
    QCheckBox* m_pWarn;
};

// "Quantization": quantization after each design.
class CQuantPage : public CDesignOptionsPage {
public:
    explicit CQuantPage(const SQuantDialogValues& q) {
        auto* layout = new QVBoxLayout(this);
        auto* bitsRow = new QHBoxLayout;
        m_pOn = new QCheckBox("&Quantize to");
        m_pOn->setChecked(q.m_bQuantize);
        m_pBits = new CNumberField;
        m_pBits->setAccessibleName("Quantize to bits");
        m_pBits->SetInt(q.m_nBits);
        bitsRow->addWidget(m_pOn);
        bitsRow->addWidget(m_pBits);
        bitsRow->addWidget(new QLabel("bits"));
        bitsRow->addStretch();
        layout->addLayout(bitsRow);
        m_pQuant = std::make_unique<CQuantFields>(layout, "&Save in file options",
                                                  int(std::size(kQuantAlgorithms)), q);
        layout->addStretch();
        connect(m_pOn, &QCheckBox::toggled, this, &CQuantPage::UpdateControls);
        connect(m_pQuant->Algorithm(), &QComboBox::currentIndexChanged, this,
                &CQuantPage::UpdateControls);
        UpdateControls();
    }
    bool Read(CDesignOptions& o, CHost& host) override {
        SQuantDialogValues q = o.m_Quant;
        if (!m_pBits->ReadInt(q.m_nBits, host) || !m_pQuant->Read(q, host))
            return false;
        q.m_bQuantize = m_pOn->isChecked();
        o.m_Quant = q;
        return true;
    }

private:
    // The list and the options follow "Quantize to"; the search range applies only to the two
    // search algorithms.
    void UpdateControls() {
        const bool on = m_pOn->isChecked();
        m_pBits->setEnabled(on);
        m_pQuant->SetEnabled(on);
    }

    QCheckBox* m_pOn;
    CNumberField* m_pBits;
    std::unique_ptr<CQuantFields> m_pQuant;
};

} // namespace

CFirDesignOptionsSheet::CFirDesignOptionsSheet(CDesignOptions& options, CHost& host,
                                               QWidget* parent)
    : QDialog(parent), m_options(options), m_host(host) {
    setWindowTitle("FIR Design Options");
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget;
    m_pTabs->addTab(new CFsPage(options.m_Fs), "Sampling Frequency");
    if (options.m_bConstraintPages) {
        m_pTabs->addTab(new CNTapsPage(options.m_NTaps), "NTaps Constraints");
        m_pTabs->addTab(new CMinphasePage(options.m_MinPhase), "Min Phase");
    }
    m_pTabs->addTab(new CQuantPage(options.m_Quant), "Quantization");
    const int page = options.m_nPage;
    m_pTabs->setCurrentIndex(page >= 0 && page < m_pTabs->count() ? page : 0);
    layout->addWidget(m_pTabs);
    AddOkCancel(this, layout);
    // Every tab in view, without scroll arrows, in whatever font the desktop uses.
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(m_pTabs->tabBar()->sizeHint().width() + margins.left() + margins.right() + 8);
}

void CFirDesignOptionsSheet::accept() {
    CDesignOptions read = m_options;
    for (int i = 0; i < m_pTabs->count(); ++i) {
        if (!static_cast<CDesignOptionsPage*>(m_pTabs->widget(i))->Read(read, m_host)) {
            m_pTabs->setCurrentIndex(i);
            return;
        }
    }
    if (const SOptionsRefusal refusal = CheckDesignOptions(read); refusal.page >= 0) {
        m_pTabs->setCurrentIndex(refusal.page);
        static_cast<CDesignOptionsPage*>(m_pTabs->widget(refusal.page))->ShowCorrected(read);
        m_host.Error(refusal.text);
        return;
    }
    read.m_nPage = m_pTabs->currentIndex();
    m_options = read;
    QDialog::accept();
}
