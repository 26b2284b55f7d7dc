#include "editors/simple_pm_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"
#include "forms/method_form_rules.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSimplePmEditor::CSimplePmEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CFirEditor(kDesignSimplePm, doc, dialogs, parent) {
    auto* typeBox = new QGroupBox("Filter Type");
    auto* typeLayout = new QVBoxLayout(typeBox);
    m_pType = AddRadios(typeLayout, {"Lowpass", "Highpass", "Bandpass", "Bandstop"}, "filterType");

    auto* specBox = new QGroupBox("Specifications");
    auto* spec = new QGridLayout(specBox);
    m_pFirst = AddNumberField(spec, 0, 0, "", NewUnitLabel(), "firstFrequency");
    m_pSecond = AddNumberField(spec, 1, 0, "", NewUnitLabel(), "secondFrequency");
    m_pRipple = AddNumberField(spec, 2, 0, "Passband Ripple", new QLabel("dB"), "ripple");
    m_pAttn = AddNumberField(spec, 3, 0, "Stopband Attenuation", new QLabel("dB"), "attenuation");
    m_pCenter = AddNumberField(spec, 4, 0, "", NewUnitLabel(), "center");
    m_pFirstLabel = qobject_cast<QLabel*>(spec->itemAtPosition(0, 0)->widget());
    m_pSecondLabel = qobject_cast<QLabel*>(spec->itemAtPosition(1, 0)->widget());
    m_pCenterLabel = qobject_cast<QLabel*>(spec->itemAtPosition(4, 0)->widget());

    m_pActuals = new QGroupBox("Actuals");
    auto* actuals = new QGridLayout(m_pActuals);
    m_pRippleActual = new QLabel;
    m_pAttnActual = new QLabel;
    m_pRippleActual->setObjectName("rippleActual");
    m_pAttnActual->setObjectName("attenuationActual");
    const int actualWidth = m_pRippleActual->fontMetrics().horizontalAdvance("-000.000 dB");
    m_pRippleActual->setMinimumWidth(actualWidth);
    m_pAttnActual->setMinimumWidth(actualWidth);
    actuals->addWidget(new QLabel("Ripple"), 0, 0);
    actuals->addWidget(m_pRippleActual, 0, 1);
    actuals->addWidget(new QLabel("Attenuation"), 1, 0);
    actuals->addWidget(m_pAttnActual, 1, 1);

    auto* tapsBox = new QGroupBox("Number of Taps");
    auto* taps = new QGridLayout(tapsBox);
    m_pTaps = AddNumberField(taps, 0, 0, "Taps", nullptr, "taps");
    m_pTaps->setAccessibleName("Number of Taps");
    m_pEstimate = NewButton("Estimate", "estimate");
    taps->addWidget(m_pEstimate, 1, 1);

    auto* gridBox = new QGroupBox("Grid");
    auto* grid = new QGridLayout(gridBox);
    m_pGrid = AddNumberField(grid, 0, 0, "Density", nullptr, "grid");
    m_pGrid->setAccessibleName("Grid");

    auto* optionsBox = new QGroupBox("Design Options");
    auto* options = new QVBoxLayout(optionsBox);
    options->addWidget(FsButton());
    auto* design = NewButton("Design", "design");
    auto* optimize = NewButton("Optimize", "optimize");
    options->addWidget(design);
    options->addWidget(optimize);

    auto* left = new QVBoxLayout;
    left->addWidget(typeBox);
    left->addWidget(m_pActuals);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(tapsBox);
    right->addWidget(gridBox);
    right->addWidget(optionsBox);
    right->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(specBox, 0, Qt::AlignTop);
    top->addLayout(right);

    WriteDouble(m_pFirst, 0.1);
    WriteDouble(m_pSecond, 0.2);
    WriteDouble(m_pRipple, 1.0);
    WriteDouble(m_pAttn, 80.0);
    WriteDouble(m_pCenter, 0.0);
    WriteInt(m_pTaps, 28);
    WriteInt(m_pGrid, 16);

    connect(m_pType, &QButtonGroup::idClicked, this, &CSimplePmEditor::OnTypeChanged);
    connect(m_pEstimate, &QPushButton::clicked, this, &CSimplePmEditor::OnEstimate);
    connect(design, &QPushButton::clicked, this, &CSimplePmEditor::Design);
    connect(optimize, &QPushButton::clicked, this, &CSimplePmEditor::Optimize);
    WriteForm();
}

bool CSimplePmEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignSimplePm);
    return f.SetSimpleSpec(ReadInt(m_pTaps), ReadDouble(m_pFirst), ReadDouble(m_pRipple),
                           ReadDouble(m_pSecond), ReadDouble(m_pAttn), ReadDouble(m_pCenter), 0.0,
                           ReadInt(m_pGrid), m_pType->checkedId());
}

void CSimplePmEditor::LoadSpecs() {
    int taps = 0, grid = 0, type = 0;
    double e1 = 0, ripple = 0, e2 = 0, atten = 0, center = 0;
    if (Filter().GetSimpleSpec(taps, e1, ripple, e2, atten, center, grid, type)) {
        m_pType->button(type)->setChecked(true);
        WriteDouble(m_pFirst, e1);
        WriteDouble(m_pSecond, e2);
        WriteDouble(m_pRipple, ripple);
        WriteDouble(m_pAttn, atten);
        WriteDouble(m_pCenter, center);
        WriteInt(m_pTaps, taps);
        WriteInt(m_pGrid, grid);
    }
    WriteForm();
}

void CSimplePmEditor::WriteForm() {
    const int type = m_pType->checkedId();
    const SSimplePmLabels labels = SimplePmLabels(type);
    SetCaption(m_pFirstLabel, labels.first);
    SetCaption(m_pSecondLabel, labels.second);
    SetCaption(m_pCenterLabel, labels.center);
    m_pCenter->setEnabled(type >= 2);
    m_pEstimate->setEnabled(type <= 1);
    const SSimplePmActuals actuals = SimplePmActuals(Filter(), type);
    m_pRippleActual->setText(QString::fromStdString(actuals.ripple));
    m_pAttnActual->setText(QString::fromStdString(actuals.atten));
    m_pActuals->setTitle(QString::fromStdString(actuals.caption));
}

void CSimplePmEditor::OnTypeChanged() {
    double first = ReadDouble(m_pFirst), second = ReadDouble(m_pSecond);
    OrderSimplePmFrequencies(m_pType->checkedId(), first, second);
    WriteDouble(m_pFirst, first);
    WriteDouble(m_pSecond, second);
    WriteForm();
    // The results were of the other type: neither their values nor PASS/FAIL apply now.
    m_pRippleActual->clear();
    m_pAttnActual->clear();
    m_pActuals->setTitle(kActualsCaption);
    MarkModified();
}

void CSimplePmEditor::OnEstimate() {
    if (!StoreSpecs())
        return;
    if (Filter().CanEstimateNumTaps(true)) {
        WriteInt(m_pTaps, Filter().EstimateNumTaps());
        StoreSpecs();
    }
}

void CSimplePmEditor::Design() {
    RunDesignFlow(m_pTaps);
}

void CSimplePmEditor::OnFirstBind(const SChangeNotice& notice) {
    LoadSpecs();
    if (notice.shows >= EViewShows::Lowpass && notice.shows <= EViewShows::Bandstop) {
        const int type = static_cast<int>(notice.shows) - static_cast<int>(EViewShows::Lowpass);
        m_pType->button(type)->setChecked(true);
        OnTypeChanged();
    }
}
