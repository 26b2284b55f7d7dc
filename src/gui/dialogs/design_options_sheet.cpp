#include "dialogs/design_options_sheet.h"

#include "design/coefficient_messages.h"
#include "design/constraint_rules.h"
#include "design/design_types.h"
#include "design/fir_data.h"
#include "design/quantization.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/number_field.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

// "Sampling Frequency": the value and its unit.
class CFsPage : public CDesignOptionsPage {
public:
    explicit CFsPage(const CFs& fs) : m_fs(fs) {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        m_pValue = new CNumberField;
        m_pValue->SetDouble(fs.m_dValue);
        AddCaptionedRow(form, "&Sampling Frequency", m_pValue);
        m_pUnit = new QComboBox;
        for (int u = 0; u < CFs::kUnitCount; ++u)
            m_pUnit->addItem(ToQ(CFs::GetUnitString(u)));
        m_pUnit->setCurrentIndex(fs.m_nUnit);
        AddCaptionedRow(form, "&Units of Frequency,Time", m_pUnit);
        layout->addLayout(form);
        layout->addStretch();
    }
    bool Leave(CHost& host) override {
        double value = m_fs.m_dValue;
        if (!m_pValue->ReadDouble(value, host))
            return false;
        m_fs = CFs(value, m_pUnit->currentIndex());
        return true;
    }
    void Store(CFirData& filter) const override { filter.m_Fs = m_fs; }

private:
    CFs m_fs;
    CNumberField* m_pValue;
    QComboBox* m_pUnit;
};

// "NTaps Constraints": limits, parity, multiple and whether estimates obey them.
class CNTapsPage : public CDesignOptionsPage {
public:
    explicit CNTapsPage(const NTapsConstraints& c)
        : m_constraints(c), m_values(GetConstraintPageValues(c)) {
        auto* layout = new QVBoxLayout(this);
        auto* limits = new QGroupBox("Limits");
        auto* limitsForm = new QFormLayout(limits);
        m_pMin = new CNumberField;
        m_pMax = new CNumberField;
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
        layout->addWidget(parity);

        auto* multiple = new QGroupBox("Multiple");
        auto* multipleLayout = new QHBoxLayout(multiple);
        m_pMultipleOn = new QCheckBox("Multiple &of");
        m_pMultiple = new CNumberField;
        m_pMultiple->setAccessibleName("Multiple");
        multipleLayout->addWidget(m_pMultipleOn);
        multipleLayout->addWidget(m_pMultiple);
        multipleLayout->addStretch();
        layout->addWidget(multiple);
        m_pConstrainEstimates = new QCheckBox("&Constrain estimates");
        layout->addWidget(m_pConstrainEstimates);
        layout->addStretch();

        Show();
        connect(m_pMultipleOn, &QCheckBox::toggled, m_pMultiple, &QWidget::setEnabled);
    }
    bool Leave(CHost& host) override {
        if (!m_pMin->ReadInt(0, 1 << 30, m_values.m_nMin, host) ||
            !m_pMax->ReadInt(0, 1 << 30, m_values.m_nMax, host))
            return false;
        m_values.m_nParity = std::max(0, m_pParity->checkedId());
        m_values.m_bMultipleOn = m_pMultipleOn->isChecked();
        if (!m_pMultiple->ReadInt(-(1 << 30), 1 << 30, m_values.m_nMultiple, host))
            return false;
        m_values.m_bConstrainEstimates = m_pConstrainEstimates->isChecked();
        const bool ok = ApplyConstraintPage(m_values, m_constraints, &host);
        Show(); // a minimum below the lowest allowed has been raised to it
        return ok;
    }
    void Store(CFirData& filter) const override { filter.m_Constraints = m_constraints; }

private:
    void Show() {
        m_pMin->SetInt(m_values.m_nMin);
        m_pMax->SetInt(m_values.m_nMax);
        if (QAbstractButton* b = m_pParity->button(m_values.m_nParity))
            b->setChecked(true);
        m_pMultipleOn->setChecked(m_values.m_bMultipleOn);
        m_pMultiple->SetInt(m_values.m_nMultiple);
        m_pMultiple->setEnabled(m_values.m_bMultipleOn);
        m_pConstrainEstimates->setChecked(m_values.m_bConstrainEstimates);
    }

    NTapsConstraints m_constraints;
    SConstraintPageValues m_values;
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
    explicit CMinphasePage(const MinPhaseOptions& o) : m_options(o) {
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
    bool Leave(CHost& host) override {
        MinPhaseOptions o = m_options;
        o.m_bEnabled = m_pEnabled->isChecked();
        o.m_bWarn = m_pWarn->isChecked();
        if (!m_pMaxTaps->ReadInt(0, 1 << 30, o.m_nMaxTaps, host) ||
            !m_pMaxError->ReadDouble(o.m_dMaxDbError, host))
            return false;
        if (!o.Validate(host)) {
            m_pMaxError->setFocus();
            return false;
        }
        m_options = o;
        return true;
    }
    void Store(CFirData& filter) const override { filter.m_MinPhase = m_options; }

private:
    void UpdateControls() {
        const bool on = m_pEnabled->isChecked();
        m_pMaxTaps->setEnabled(on);
        m_pMaxError->setEnabled(on);
        m_pWarn->setEnabled(on);
    }

    MinPhaseOptions m_options;
    QCheckBox* m_pEnabled;
    CNumberField* m_pMaxTaps;
    CNumberField* m_pMaxError;
    QCheckBox* m_pWarn;
};

// "Quantization": quantization after each design.
class CQuantPage : public CDesignOptionsPage {
public:
    explicit CQuantPage(const QuantOptions& q) : m_options(q) {
        auto* layout = new QVBoxLayout(this);
        auto* bitsRow = new QHBoxLayout;
        m_pOn = new QCheckBox("&Quantize to");
        m_pOn->setChecked(q.m_nBits > 0);
        m_pBits = new CNumberField;
        m_pBits->setAccessibleName("Quantize to bits");
        m_pBits->SetInt(std::abs(q.m_nBits));
        bitsRow->addWidget(m_pOn);
        bitsRow->addWidget(m_pBits);
        bitsRow->addWidget(new QLabel("bits"));
        bitsRow->addStretch();
        layout->addLayout(bitsRow);
        m_pSave = new QCheckBox("&Save in file options");
        m_pSave->setChecked(q.m_bSaveInFileOptions);
        layout->addWidget(m_pSave);
        auto* form = new QFormLayout;
        m_pAlgorithm = new QComboBox;
        for (const char* name : kQuantAlgorithmNames)
            m_pAlgorithm->addItem(name);
        m_pAlgorithm->setCurrentIndex(q.m_nAlgorithm);
        AddCaptionedRow(form, "&Algorithm", m_pAlgorithm);
        layout->addLayout(form);
        m_pTruncate = new QCheckBox("&Truncate end zeros");
        m_pTruncate->setChecked(q.m_bTruncateZeros);
        layout->addWidget(m_pTruncate);
        m_pGrid = new QGroupBox("Search Grid Range");
        auto* gridRow = new QGridLayout(m_pGrid);
        m_pFrom = new CNumberField;
        m_pFrom->SetInt(q.m_nSearchLow);
        m_pTo = new CNumberField;
        m_pTo->SetInt(q.m_nSearchHigh);
        AddCaptionedCell(gridRow, 0, 0, "&from", m_pFrom);
        AddCaptionedCell(gridRow, 0, 2, "t&o", m_pTo);
        layout->addWidget(m_pGrid);
        layout->addStretch();
        connect(m_pOn, &QCheckBox::toggled, this, &CQuantPage::UpdateControls);
        connect(m_pAlgorithm, &QComboBox::currentIndexChanged, this, &CQuantPage::UpdateControls);
        UpdateControls();
    }
    bool Leave(CHost& host) override {
        QuantOptions q = m_options;
        int bits = 0;
        if (!m_pBits->ReadInt(1, 63, bits, host) ||
            !m_pFrom->ReadInt(1, 256, q.m_nSearchLow, host) ||
            !m_pTo->ReadInt(1, 256, q.m_nSearchHigh, host))
            return false;
        if (!CheckSearchRange(q.m_nSearchLow, q.m_nSearchHigh, &host)) {
            m_pFrom->setFocus();
            return false;
        }
        q.m_nBits = m_pOn->isChecked() ? bits : -bits;
        q.m_bSaveInFileOptions = m_pSave->isChecked();
        q.m_nAlgorithm = m_pAlgorithm->currentIndex();
        q.m_bTruncateZeros = m_pTruncate->isChecked();
        m_options = q;
        return true;
    }
    void Store(CFirData& filter) const override { filter.m_Quant = m_options; }

private:
    void UpdateControls() {
        const bool on = m_pOn->isChecked();
        for (QWidget* w :
             std::initializer_list<QWidget*>{m_pBits, m_pSave, m_pAlgorithm, m_pTruncate})
            w->setEnabled(on);
        m_pGrid->setEnabled(on && SearchRangeApplies(m_pAlgorithm->currentIndex()));
    }

    QuantOptions m_options;
    QCheckBox* m_pOn;
    CNumberField* m_pBits;
    QCheckBox* m_pSave;
    QComboBox* m_pAlgorithm;
    QCheckBox* m_pTruncate;
    QGroupBox* m_pGrid;
    CNumberField* m_pFrom;
    CNumberField* m_pTo;
};

CDesignOptionsPage* Page(QTabWidget* tabs, int index) {
    return static_cast<CDesignOptionsPage*>(tabs->widget(index));
}

} // namespace

CFirDesignOptionsSheet::CFirDesignOptionsSheet(CFirData& filter, int startPage, CHost& host,
                                               QWidget* parent)
    : QDialog(parent), m_filter(filter), m_host(host) {
    setWindowTitle("FIR Design Options");
    auto* layout = new QVBoxLayout(this);
    m_pTabs = new QTabWidget;
    m_pTabs->addTab(new CFsPage(filter.m_Fs), "Sampling Frequency");
    if (filter.m_nDesignType != kDesignCic) {
        m_pTabs->addTab(new CNTapsPage(filter.m_Constraints), "NTaps Constraints");
        m_pTabs->addTab(new CMinphasePage(filter.m_MinPhase), "Min Phase");
    }
    m_pTabs->addTab(new CQuantPage(filter.m_Quant), "Quantization");
    m_nCurrent = startPage >= 0 && startPage < m_pTabs->count() ? startPage : 0;
    m_pTabs->setCurrentIndex(m_nCurrent);
    layout->addWidget(m_pTabs);
    AddOkCancel(this, layout);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CFirDesignOptionsSheet::OnPageChanged);
}

int CFirDesignOptionsSheet::ActivePage() const {
    return m_pTabs->currentIndex();
}

void CFirDesignOptionsSheet::OnPageChanged(int index) {
    if (index == m_nCurrent)
        return;
    if (!Page(m_pTabs, m_nCurrent)->Leave(m_host)) {
        const QSignalBlocker block(m_pTabs);
        m_pTabs->setCurrentIndex(m_nCurrent);
        return;
    }
    m_nCurrent = index;
}

void CFirDesignOptionsSheet::accept() {
    // The page shown is checked first; the others are checked again in order, so a page that
    // was never left cannot hand back unchecked values.
    if (!Page(m_pTabs, m_nCurrent)->Leave(m_host))
        return;
    for (int i = 0; i < m_pTabs->count(); ++i) {
        if (i != m_nCurrent && !Page(m_pTabs, i)->Leave(m_host)) {
            const QSignalBlocker block(m_pTabs);
            m_pTabs->setCurrentIndex(i);
            m_nCurrent = i;
            return;
        }
    }
    for (int i = 0; i < m_pTabs->count(); ++i)
        Page(m_pTabs, i)->Store(m_filter);
    QDialog::accept();
}

bool ShowDesignOptions(QWidget* parent, CFirData& filter, int& lastPage, CHost& host) {
    CFirDesignOptionsSheet sheet(filter, lastPage, host, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    lastPage = sheet.ActivePage();
    return true;
}
