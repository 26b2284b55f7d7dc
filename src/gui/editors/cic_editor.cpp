#include "editors/cic_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "forms/method_form_rules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCicEditor::CCicEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CRspListFirEditor(kDesignCic, doc, dialogs, parent) {
    auto* paramBox = new QGroupBox("CIC Parameters");
    auto* params = new QGridLayout(paramBox);
    m_pStages = AddNumberField(params, 0, 0, "Number of Stages (N)", nullptr, "stages");
    m_pRate = AddNumberField(params, 1, 0, "Rate Change Factor (R)", nullptr, "rate");
    m_pDelay = AddNumberField(params, 2, 0, "Differential Delay (M)", nullptr, "delay");
    m_pUnityGain = NewCheck("Unity Gain", "unityGain");
    params->addWidget(m_pUnityGain, 3, 0, 1, 2);

    auto* lengthBox = new QGroupBox("Impulse Length");
    auto* length = new QVBoxLayout(lengthBox);
    m_pLength = new QLabel;
    m_pLength->setObjectName("impulseLength");
    m_pLength->setAccessibleName("Impulse Length");
    length->addWidget(m_pLength);

    auto* design = NewButton("Design", "design");
    auto* left = new QVBoxLayout;
    left->addWidget(paramBox);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(lengthBox);
    middle->addWidget(FsButton());
    middle->addWidget(design);
    middle->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(middle);
    top->addWidget(m_pRspList);

    WriteInt(m_pStages, 0);
    WriteInt(m_pRate, 1);
    WriteInt(m_pDelay, 1);
    m_pUnityGain->setChecked(true);
    connect(design, &QPushButton::clicked, this, &CCicEditor::Design);
}

bool CCicEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignCic);
    const int n = ReadInt(m_pStages), r = ReadInt(m_pRate), m = ReadInt(m_pDelay);
    if (!CheckCicForm(n, r, m, f.m_Constraints.m_nMax, Host()))
        return false;
    f.m_Cic.m_nStages = n;
    f.m_Cic.m_nRate = r;
    f.m_Cic.m_nDelay = m;
    f.m_bUnityGain = m_pUnityGain->isChecked() ? 1 : 0;
    StoreRspAuto();
    return true;
}

void CCicEditor::LoadSpecs() {
    const CFirData& f = Filter();
    WriteInt(m_pStages, f.m_Cic.m_nStages);
    WriteInt(m_pRate, f.m_Cic.m_nRate);
    WriteInt(m_pDelay, f.m_Cic.m_nDelay);
    m_pUnityGain->setChecked(f.m_bUnityGain != 0);
    m_pLength->setText(QString::number(f.GetN()));
    LoadRspAuto();
}
