#include "editors/nyquist_editor.h"

#include "design/design_flow.h"
#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "editors/window_list.h"
#include "forms/form_messages.h"
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
    const bool pm = method == LthBandParams::kMethodPm;
    const bool ripple = m_pSpec->checkedId() == kSpecRipple;
    for (QAbstractButton* b : m_pSpec->buttons())
        b->setEnabled(pm);
    m_pOptimize->setEnabled(pm);
    m_pEstimate->setEnabled(pm);
    m_pGrid->setEnabled(pm);
    m_pZeroize->setEnabled(pm);
    m_pRipple->setEnabled(pm && ripple);
    m_pRippleDb->setEnabled(pm && ripple);
    m_pAttn->setEnabled(pm && !ripple);
    m_pAttnDb->setEnabled(pm && !ripple);
    const bool ws = method == LthBandParams::kMethodWindowedSinc;
    m_pWindow->setEnabled(ws);
    m_pParam->setEnabled(ws && WindowHasParam(WindowCode()));
    const bool spline = method == LthBandParams::kMethodSplineSinc;
    m_pAutoOrder->setEnabled(spline);
    m_pOrder->setEnabled(spline && !m_pAutoOrder->isChecked());
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
        cutoff > 0.0 && l > 0 && taps > 0) {
        CFirData& f = Filter();
        const WindowedSincParams saved = f.m_Ws;
        const int savedTaps = f.GetNumTaps();
        f.m_Ws.m_dCorner1 = cutoff;
        f.m_Ws.m_dCorner2 = fs / l;
        f.m_Ws.m_bAutoOrder = 1;
        f.m_nTaps = taps;
        if (f.ValidateSplineSinc(false))
            WriteInt(m_pOrder, f.m_Ws.m_nSplineOrder);
        f.m_Ws = saved;
        f.m_nTaps = savedTaps;
    }
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
    CFirData& f = Filter();
    if (!f.CanEstimateNumTaps(false))
        return;
    f.ValidateLth(false, false);
    f.BuildLthBands();
    WriteInt(m_pTaps, f.EstimateNumTaps());
    WriteForm();
    StoreSpecs();
}

void CNyquistEditor::Design() {
    RunDesign(false);
}

void CNyquistEditor::Optimize() {
    RunDesign(true);
}

void CNyquistEditor::RunDesign(bool optimize) {
    if (!StoreSpecs())
        return;
    CFirData& f = Filter();
    if (ReadInt(m_pTaps) <= 0) {
        OnEstimate();
        if (f.m_Constraints.m_nMin >= ReadInt(m_pTaps)) {
            Host().Error(
                FormatMessage(kMsgLthTapsConstrained, {std::to_string(f.m_Constraints.m_nMin)}));
            return;
        }
    }
    if (ReadInt(m_pTaps) % 2 == 0) {
        const EAnswer answer = Host().Ask(kMsgLthAskOddTaps, true, EAnswer::Yes);
        if (answer == EAnswer::Cancel)
            return;
        if (answer == EAnswer::Yes) {
            WriteInt(m_pTaps, ReadInt(m_pTaps) + 1);
            if (!StoreSpecs())
                return;
        }
    }
    if (!f.ValidateSpecs()) {
        LoadSpecs();
        return;
    }
    const int window = f.m_Ws.m_nWindowType;
    if (f.m_Lth.m_nLthMethod != LthBandParams::kMethodWindowedSinc)
        f.m_Ws.m_nWindowType = 0;
    if (optimize)
        f.OptimizeFilter(Caption());
    else
        f.DesignFilter(Caption());
    f.m_Ws.m_nWindowType = window;
    LoadSpecs();
    AfterDesign();
    WriteForm();
    if (!optimize)
        Host().SetStatusText(DesignStatusText(f));
}

void CNyquistEditor::OnZeroize() {
    if (!StoreSpecs())
        return;
    CFirData& f = Filter();
    if (m_pZeroize->isChecked()) {
        if (f.HasCoefficients() && f.GetN() % 2 == 1 &&
            f.m_Lth.m_nLthMethod == LthBandParams::kMethodPm) {
            f.LthFixup();
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
