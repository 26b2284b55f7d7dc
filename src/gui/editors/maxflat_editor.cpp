#include "editors/maxflat_editor.h"

#include "design/fir_data.h"
#include "design/maxflat.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kModeTaps = 0, kModeGamma = 1;
} // namespace

CMaxflatEditor::CMaxflatEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CRspListFirEditor(kDesignMaxflat, doc, dialogs, parent) {
    auto* centerBox = new QGroupBox("Transition Center");
    auto* center = new QGridLayout(centerBox);
    m_pCenter = AddNumberField(center, 0, 0, "Center", NewUnitLabel(), "center");
    m_pCenter->setAccessibleName("Transition Center");

    auto* rolloffBox = new QGroupBox("Rolloff");
    auto* rolloff = new QGridLayout(rolloffBox);
    auto* radios = new QVBoxLayout;
    m_pMode = AddRadios(radios, {"Number of Taps", "Gamma"}, "rolloffMode");
    rolloff->addLayout(radios, 0, 0, 2, 1);
    m_pTaps = NewField("taps", "Number of Taps");
    m_pGamma = NewField("gamma", "Gamma");
    rolloff->addWidget(m_pTaps, 0, 1);
    rolloff->addWidget(m_pGamma, 1, 1);
    rolloff->addWidget(NewUnitLabel(), 1, 2);

    auto* design = NewButton("Design", "design");
    auto* left = new QVBoxLayout;
    left->addWidget(centerBox);
    left->addWidget(rolloffBox);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(FsButton());
    middle->addWidget(design);
    middle->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(middle);
    top->addWidget(m_pRspList);

    WriteDouble(m_pCenter, 0.2);
    WriteInt(m_pTaps, 51);
    WriteDouble(m_pGamma, 0.1);
    connect(m_pMode, &QButtonGroup::idClicked, this, [this] {
        UpdateEnabling();
        MarkModified();
    });
    connect(design, &QPushButton::clicked, this, &CMaxflatEditor::Design);
    UpdateEnabling();
}

void CMaxflatEditor::UpdateEnabling() {
    m_pTaps->setEnabled(m_pMode->checkedId() == kModeTaps);
    m_pGamma->setEnabled(m_pMode->checkedId() == kModeGamma);
}

bool CMaxflatEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignMaxflat);
    const double fs = f.GetFs();
    const bool gammaGiven = m_pMode->checkedId() == kModeGamma;
    return StoreMaxflatSpec(f, ReadDouble(m_pCenter) / fs, gammaGiven, ReadDouble(m_pGamma) / fs,
                            ReadInt(m_pTaps));
}

void CMaxflatEditor::LoadSpecs() {
    const CFirData& f = Filter();
    const double fs = f.GetFs();
    WriteDouble(m_pCenter, fs * f.m_Maxflat.m_dBeta);
    WriteDouble(m_pGamma, fs * f.m_Maxflat.m_dGamma);
    m_pMode->button(f.m_Maxflat.m_bGammaGiven ? kModeGamma : kModeTaps)->setChecked(true);
    if (f.GetNumTaps() > 0)
        WriteInt(m_pTaps, f.GetNumTaps());
    LoadRspAuto();
    UpdateEnabling();
}

void CMaxflatEditor::OnFsScaled(double ratio) {
    WriteDouble(m_pCenter, ReadDouble(m_pCenter) * ratio);
    WriteDouble(m_pGamma, ReadDouble(m_pGamma) * ratio);
}
