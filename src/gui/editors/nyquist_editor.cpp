#include "editors/nyquist_editor.h"

#include "design/design_flow.h"
#include "design/fir_data.h"
#include "design/lth_band.h"
#include "design/windowed_sinc.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "editors/window_list.h"
#include "forms/form_messages.h"
#include "forms/lth_form_fields.h"
#include "forms/method_form_rules.h"
#include "support/format_number.h"
#include "support/host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kSpecRipple = 0, kSpecAttn = 1;
} // namespace

CNyquistEditor::CNyquistEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CFirEditor(kDesignLthBand, doc, dialogs, parent) {
    auto* methodBox = new QGroupBox("Design Method");
    auto* method = new QVBoxLayout(methodBox);
    m_pMethod =
        AddRadios(method, {"Parks-McClellan", "Windowed Sinc", "Spline Sinc"}, "designMethod");

    auto* tapsBox = new QGroupBox("Number of Taps");
    auto* taps = new QGridLayout(tapsBox);
    m_pTaps = AddNumberField(taps, 0, 0, "Taps", nullptr, "taps");
    m_pTaps->setAccessibleName("Number of Taps");
    m_pEstimate = NewButton("Estimate", "estimate");
    taps->addWidget(m_pEstimate, 1, 1);

    auto* cutoffBox = new QGroupBox("Cutoff");
    auto* cutoff = new QGridLayout(cutoffBox);
    m_pCutoff = AddNumberField(cutoff, 0, 0, "Frequency", NewUnitLabel(), "cutoff");
    m_pCutoff->setAccessibleName("Cutoff");
    auto* lBox = new QGroupBox("L");
    auto* l = new QGridLayout(lBox);
    m_pL = AddNumberField(l, 0, 0, "Bands", nullptr, "l");
    m_pL->setAccessibleName("L");

    m_pInfoBox = new QGroupBox("Filter Info");
    m_pInfoBox->setObjectName("bandInfoBox");
    auto* info = new QVBoxLayout(m_pInfoBox);
    m_pInfo = new QLabel;
    m_pInfo->setObjectName("bandInfo");
    m_pInfo->setTextFormat(Qt::PlainText);
    m_pInfo->setMinimumWidth(m_pInfo->fontMetrics().horizontalAdvance("Stopband Upper 0000.000"));
    m_pInfo->setMinimumHeight(m_pInfo->fontMetrics().lineSpacing() * 3);
    info->addWidget(m_pInfo);

    auto* optionsBox = new QGroupBox("Options");
    auto* options = new QGridLayout(optionsBox);
    m_pZeroize = NewCheck("Zeroize", "zeroize", "Zeroize");
    options->addWidget(m_pZeroize, 0, 0, 1, 3);
    auto* specRadios = new QVBoxLayout;
    m_pSpec = AddRadios(specRadios, {"Passband Ripple", "Stopband Attn"}, "specChoice");
    options->addLayout(specRadios, 1, 0, 2, 1);
    m_pRipple = NewField("ripple", "Passband Ripple");
    m_pAttn = NewField("attenuation", "Stopband Attn");
    m_pRippleDb = NewCheck("in dB", "rippleInDb", "Ripple in dB");
    m_pAttnDb = NewCheck("in dB", "attnInDb", "Attenuation in dB");
    options->addWidget(m_pRipple, 1, 1);
    options->addWidget(m_pRippleDb, 1, 2);
    options->addWidget(m_pAttn, 2, 1);
    options->addWidget(m_pAttnDb, 2, 2);
    m_pGrid = AddNumberField(options, 3, 0, "Grid Density", nullptr, "grid");
    m_pWindow = new QComboBox;
    m_pWindow->setObjectName("window");
    m_pWindow->setAccessibleName("Window");
    FillWindowList(m_pWindow, 1);
    auto* windowLabel = new QLabel("Window");
    windowLabel->setBuddy(m_pWindow);
    options->addWidget(windowLabel, 4, 0);
    options->addWidget(m_pWindow, 4, 1, 1, 2);
    m_pParam = AddNumberField(options, 5, 0, "Gamma", nullptr, "windowParam");
    m_pParamLabel = qobject_cast<QLabel*>(options->itemAtPosition(5, 0)->widget());
    m_pOrder = AddNumberField(options, 6, 0, "Order", nullptr, "order");
    m_pAutoOrder = NewCheck("Auto", "autoOrder", "Auto");
    options->addWidget(m_pAutoOrder, 6, 2);

    auto* design = NewButton("Design", "design");
    m_pOptimize = NewButton("Optimize", "optimize");
    auto* left = new QVBoxLayout;
    left->addWidget(methodBox);
    left->addWidget(tapsBox);
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(cutoffBox);
    middle->addWidget(lBox);
    middle->addWidget(m_pInfoBox);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(FsButton());
    right->addWidget(design);
    right->addWidget(m_pOptimize);
    right->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(middle);
    top->addWidget(optionsBox, 0, Qt::AlignTop);
    top->addLayout(right);

    WriteInt(m_pTaps, 0);
    WriteDouble(m_pCutoff, 0.0);
    WriteInt(m_pL, 0);
    m_pZeroize->setChecked(true);
    WriteDouble(m_pRipple, 0.0);
    WriteDouble(m_pAttn, 0.0);
    WriteInt(m_pGrid, 0);
    WriteDouble(m_pParam, 0.0);
    WriteInt(m_pOrder, 0);

    connect(m_pMethod, &QButtonGroup::idClicked, this, &CNyquistEditor::UpdateEnabling);
    connect(m_pSpec, &QButtonGroup::idClicked, this, &CNyquistEditor::UpdateEnabling);
    connect(m_pAutoOrder, &QCheckBox::clicked, this, &CNyquistEditor::UpdateEnabling);
    connect(m_pWindow, &QComboBox::currentIndexChanged, this, &CNyquistEditor::OnWindowChanged);
    connect(m_pZeroize, &QCheckBox::clicked, this, &CNyquistEditor::OnZeroize);
    connect(m_pEstimate, &QPushButton::clicked, this, &CNyquistEditor::OnEstimate);
    connect(design, &QPushButton::clicked, this, &CNyquistEditor::Design);
    connect(m_pOptimize, &QPushButton::clicked, this, &CNyquistEditor::Optimize);
    for (QLineEdit* e : {m_pCutoff, m_pL, m_pTaps})
        connect(e, &QLineEdit::editingFinished, this, &CNyquistEditor::WriteForm);
    UpdateEnabling();
    WriteForm();
}

int CNyquistEditor::WindowCode() const {
    return m_pWindow->currentIndex() + 1;
}

void CNyquistEditor::UpdateEnabling() {
    const int method = m_pMethod->checkedId();
    auto applies = [method](ELthField field) { return LthFieldApplies(field, method); };
    const bool ripple = m_pSpec->checkedId() == kSpecRipple;
    for (QAbstractButton* b : m_pSpec->buttons())
        b->setEnabled(applies(ELthField::SpecChoice));
    m_pOptimize->setEnabled(applies(ELthField::Optimize));
    m_pEstimate->setEnabled(applies(ELthField::Estimate));
    m_pGrid->setEnabled(applies(ELthField::Grid));
    m_pZeroize->setEnabled(applies(ELthField::Zeroize));
    m_pRipple->setEnabled(applies(ELthField::Ripple) && ripple);
    m_pRippleDb->setEnabled(applies(ELthField::InDb) && ripple);
    m_pAttn->setEnabled(applies(ELthField::Atten) && !ripple);
    m_pAttnDb->setEnabled(applies(ELthField::InDb) && !ripple);
    m_pWindow->setEnabled(applies(ELthField::Window));
    m_pParam->setEnabled(applies(ELthField::WindowParam) && WindowHasParam(WindowCode()));
    m_pAutoOrder->setEnabled(applies(ELthField::AutoOrder));
    m_pOrder->setEnabled(applies(ELthField::SplineOrder) && !m_pAutoOrder->isChecked());
}

void CNyquistEditor::WriteForm() {
    const double fs = Filter().GetFs();
    const int l = ReadInt(m_pL);
    const double cutoff = ReadDouble(m_pCutoff);
    const SLthBandInfo info = LthBandInfo(fs, l, cutoff);
    m_pInfoBox->setTitle(QString::fromStdString(info.caption));
    QStringList lines;
    for (const auto& [label, value] : info.lines)
        lines << QString::fromStdString(label + "  " + value);
    m_pInfo->setText(lines.join('\n'));
    const int taps = ReadInt(m_pTaps);
    if (m_pMethod->checkedId() == LthBandParams::kMethodSplineSinc && m_pAutoOrder->isChecked() &&
        cutoff > 0.0 && l > 0 && taps > 0)
        WriteInt(m_pOrder, AutoSplineOrder(taps, cutoff, fs / l, fs));
}

void CNyquistEditor::OnWindowChanged(int index) {
    const int code = index + 1;
    if (WindowHasParam(m_nShownWindow))
        SetWindowParam(Filter(), m_nShownWindow, ReadDouble(m_pParam));
    if (WindowHasParam(code)) {
        SetCaption(m_pParamLabel, WindowParamLabel(code));
        WriteDouble(m_pParam, GetWindowParam(Filter(), code));
    }
    m_nShownWindow = code;
    UpdateEnabling();
}

bool CNyquistEditor::StoreSpecs() {
    CFirData& f = Filter();
    const int l = ReadInt(m_pL);
    const double cutoff = ReadDouble(m_pCutoff);
    const int method = m_pMethod->checkedId();
    if (!CheckLthForm(l, cutoff, f.GetFs(), method, WindowCode(), ReadDouble(m_pParam), Host()))
        return false;
    f.SetDesignType(kDesignLthBand);
    LthBandParams& lth = f.m_Lth;
    lth.m_dCutoff = cutoff;
    lth.m_nL = l;
    lth.m_bZeroize = m_pZeroize->isChecked() ? 1 : 0;
    lth.m_nLthMethod = method;
    f.SetWindowAfterDesignByMethod();
    lth.m_bSpecifyAttn = m_pSpec->checkedId() == kSpecAttn ? 1 : 0;
    lth.m_dRipple = ReadDouble(m_pRipple);
    lth.m_bRippleInDb = m_pRippleDb->isChecked() ? 1 : 0;
    lth.m_dAttn = ReadDouble(m_pAttn);
    lth.m_bAttnDb = m_pAttnDb->isChecked() ? 1 : 0;
    f.m_Ws.m_nWindowType = WindowCode();
    SetWindowParam(f, WindowCode(), ReadDouble(m_pParam));
    f.SetNumTaps(ReadInt(m_pTaps));
    f.m_Ws.m_nSplineOrder = ReadInt(m_pOrder);
    f.m_Ws.m_bAutoOrder = m_pAutoOrder->isChecked() ? 1 : 0;
    f.m_nGridDensity = ReadInt(m_pGrid);
    return true;
}

void CNyquistEditor::LoadSpecs() {
    const CFirData& f = Filter();
    const LthBandParams& lth = f.m_Lth;
    WriteDouble(m_pCutoff, lth.m_dCutoff);
    WriteInt(m_pL, lth.m_nL);
    m_pZeroize->setChecked(lth.m_bZeroize != 0);
    if (QAbstractButton* b = m_pMethod->button(lth.m_nLthMethod))
        b->setChecked(true);
    m_pSpec->button(lth.m_bSpecifyAttn ? kSpecAttn : kSpecRipple)->setChecked(true);
    WriteDouble(m_pRipple, lth.m_dRipple);
    m_pRippleDb->setChecked(lth.m_bRippleInDb != 0);
    WriteDouble(m_pAttn, lth.m_dAttn);
    m_pAttnDb->setChecked(lth.m_bAttnDb != 0);
    const int code = std::clamp(f.m_Ws.m_nWindowType, 1, m_pWindow->count());
    {
        const QSignalBlocker block(m_pWindow);
        m_pWindow->setCurrentIndex(code - 1);
    }
    m_nShownWindow = code;
    SetCaption(m_pParamLabel, WindowParamLabel(code));
    WriteDouble(m_pParam, GetWindowParam(f, code));
    WriteInt(m_pTaps, f.GetNumTaps());
    WriteInt(m_pOrder, f.m_Ws.m_nSplineOrder);
    m_pAutoOrder->setChecked(f.m_Ws.m_bAutoOrder != 0);
    WriteInt(m_pGrid, f.m_nGridDensity);
    UpdateEnabling();
    WriteForm();
}

void CNyquistEditor::OnEstimate() {
    if (!StoreSpecs())
        return;
    const int taps = EstimateLthTaps(Filter());
    if (taps == 0)
        return;
    WriteInt(m_pTaps, taps);
    WriteForm();
    StoreSpecs();
}

void CNyquistEditor::Design() {
    RunDesignFlow(m_pTaps);
}

void CNyquistEditor::Optimize() {
    RunOptimizeFlow(m_pTaps);
}

void CNyquistEditor::OnRefused() {
    LoadSpecs();
}

void CNyquistEditor::OnZeroize() {
    if (!StoreSpecs())
        return;
    CFirData& f = Filter();
    if (m_pZeroize->isChecked()) {
        if (f.HasCoefficients() && f.GetN() % 2 == 1 &&
            f.m_Lth.m_nLthMethod == LthBandParams::kMethodPm) {
            LthFixup(f);
            AfterDesign();
        }
    } else if (f.HasCoefficients()) {
        Design();
    }
}

void CNyquistEditor::OnFsScaled(double ratio) {
    WriteDouble(m_pCutoff, ReadDouble(m_pCutoff) * ratio);
    StoreSpecs();
    WriteForm();
}
