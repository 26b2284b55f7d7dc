#include "editors/raised_cos_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int kModeSymbols = 0, kModeTaps = 1;
constexpr int kModeSps = 0, kModeRate = 1;
} // namespace

CRaisedCosEditor::CRaisedCosEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CRspListFirEditor(kDesignRaisedCos, doc, dialogs, parent) {
    auto* lengthBox = new QGroupBox("Filter Length");
    auto* length = new QGridLayout(lengthBox);
    auto* lengthRadios = new QVBoxLayout;
    m_pLengthMode = AddRadios(lengthRadios, {"Symbols", "Number of Taps"}, "lengthMode");
    length->addLayout(lengthRadios, 0, 0, 2, 1);
    m_pSymbols = NewField("symbols", "Symbols");
    m_pTaps = NewField("taps", "taps");
    length->addWidget(m_pSymbols, 0, 1);
    length->addWidget(m_pTaps, 1, 1);
    auto* tapsUnit = new QLabel("taps");
    tapsUnit->setBuddy(m_pTaps);
    length->addWidget(tapsUnit, 1, 2);
    m_pZeroPad = NewCheck("Zero-pad to", "zeroPad");
    m_pZeroPadTaps = NewField("zeroPadTaps", "Zero-pad to");
    length->addWidget(m_pZeroPad, 2, 0);
    length->addWidget(m_pZeroPadTaps, 2, 1);

    auto* rateBox = new QGroupBox("Symbol Rate");
    auto* rate = new QGridLayout(rateBox);
    auto* rateRadios = new QVBoxLayout;
    m_pRateMode = AddRadios(rateRadios, {"Samples Per Symbol", "Symbol Rate in "}, "rateMode");
    rate->addLayout(rateRadios, 0, 0, 2, 1);
    m_pSps = NewField("samplesPerSymbol", "Samples Per Symbol");
    m_pRate = NewField("symbolRate", "Symbol Rate in ");
    rate->addWidget(m_pSps, 0, 1);
    rate->addWidget(m_pRate, 1, 1);

    auto* rolloffBox = new QGroupBox("Rolloff (Beta)");
    auto* rolloff = new QGridLayout(rolloffBox);
    m_pRolloff = AddNumberField(rolloff, 0, 0, "Beta", nullptr, "rolloff");
    m_pRolloff->setAccessibleName("Rolloff (Beta)");
    m_pRoot = NewCheck("Root Raised", "root");
    rolloff->addWidget(m_pRoot, 1, 0, 1, 2);

    auto* design = NewButton("Design", "design");
    auto* left = new QVBoxLayout;
    left->addWidget(lengthBox);
    left->addWidget(rateBox);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(rolloffBox);
    middle->addWidget(FsButton());
    middle->addWidget(design);
    middle->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(middle);
    top->addWidget(m_pRspList);

    m_pRateMode->button(kModeRate)->setChecked(true);
    WriteDouble(m_pSymbols, 6.0);
    WriteInt(m_pTaps, 32);
    WriteInt(m_pZeroPadTaps, 0);
    WriteDouble(m_pSps, 8.0);
    WriteDouble(m_pRate, 0.0);
    WriteDouble(m_pRolloff, 0.6);
    connect(m_pLengthMode, &QButtonGroup::idClicked, this, &CRaisedCosEditor::UpdateEnabling);
    connect(m_pRateMode, &QButtonGroup::idClicked, this, &CRaisedCosEditor::UpdateEnabling);
    connect(m_pZeroPad, &QCheckBox::clicked, this, &CRaisedCosEditor::UpdateEnabling);
    connect(design, &QPushButton::clicked, this, &CRaisedCosEditor::Design);
    UpdateEnabling();
}

void CRaisedCosEditor::ShowSampleRate() {
    CFirEditor::ShowSampleRate();
    const QString caption =
        "Symbol Rate in " + QString::fromStdString(Filter().m_Fs.GetFreqUnitName());
    m_pRateMode->button(kModeRate)->setText(caption);
    NameButton(m_pRateMode->button(kModeRate));
    m_pRate->setAccessibleName(caption);
}

void CRaisedCosEditor::UpdateEnabling() {
    m_pSymbols->setEnabled(m_pLengthMode->checkedId() == kModeSymbols);
    m_pTaps->setEnabled(m_pLengthMode->checkedId() == kModeTaps);
    m_pZeroPadTaps->setEnabled(m_pZeroPad->isChecked());
    m_pSps->setEnabled(m_pRateMode->checkedId() == kModeSps);
    m_pRate->setEnabled(m_pRateMode->checkedId() == kModeRate);
}

bool CRaisedCosEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignRaisedCos);
    RaisedCosineParams& rc = f.m_Rc;
    rc.m_bLengthInTaps = m_pLengthMode->checkedId() == kModeTaps ? 1 : 0;
    rc.m_dSymbols = ReadDouble(m_pSymbols);
    rc.m_nRcTaps = ReadInt(m_pTaps);
    rc.m_bZeroPad = m_pZeroPad->isChecked() ? 1 : 0;
    rc.m_nZeroPadTaps = ReadInt(m_pZeroPadTaps);
    rc.m_bRateGiven = m_pRateMode->checkedId() == kModeRate ? 1 : 0;
    rc.m_dSamplesPerSymbol = ReadDouble(m_pSps);
    rc.m_dSymbolRate = ReadDouble(m_pRate);
    rc.m_dRolloff = ReadDouble(m_pRolloff);
    rc.m_bRoot = m_pRoot->isChecked() ? 1 : 0;
    StoreRspAuto();
    return true;
}

void CRaisedCosEditor::LoadSpecs() {
    const RaisedCosineParams& rc = Filter().m_Rc;
    m_pLengthMode->button(rc.m_bLengthInTaps ? kModeTaps : kModeSymbols)->setChecked(true);
    WriteDouble(m_pSymbols, rc.m_dSymbols);
    WriteInt(m_pTaps, rc.m_nRcTaps);
    m_pZeroPad->setChecked(rc.m_bZeroPad != 0);
    WriteInt(m_pZeroPadTaps, rc.m_nZeroPadTaps);
    m_pRateMode->button(rc.m_bRateGiven ? kModeRate : kModeSps)->setChecked(true);
    WriteDouble(m_pSps, rc.m_dSamplesPerSymbol);
    double rate = rc.m_dSymbolRate;
    if (rate == 0.0 && rc.m_dSamplesPerSymbol != 0.0)
        rate = Filter().GetFs() / rc.m_dSamplesPerSymbol;
    WriteDouble(m_pRate, rate);
    WriteDouble(m_pRolloff, rc.m_dRolloff);
    m_pRoot->setChecked(rc.m_bRoot != 0);
    UpdateEnabling();
    LoadRspAuto();
}
