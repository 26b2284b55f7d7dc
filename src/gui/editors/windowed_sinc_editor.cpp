#include "editors/windowed_sinc_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "editors/window_list.h"
#include "forms/method_form_rules.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CWindowedSincEditor::CWindowedSincEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CRspListFirEditor(kDesignWinSinc, doc, dialogs, parent) {
    auto* typeBox = new QGroupBox("Filter Type");
    auto* typeLayout = new QVBoxLayout(typeBox);
    m_pType = AddRadios(typeLayout, {"Lowpass", "Highpass", "Bandpass", "Bandstop"}, "filterType");

    auto* freqBox = new QGroupBox("Frequency Specifications");
    auto* freq = new QGridLayout(freqBox);
    m_pCorner1 = AddNumberField(freq, 0, 0, "First Corner", NewUnitLabel(), "corner1");
    m_pCorner2 = AddNumberField(freq, 1, 0, "Second Corner", NewUnitLabel(), "corner2");

    auto* windowBox = new QGroupBox("Window Type");
    auto* window = new QGridLayout(windowBox);
    m_pWindow = new QComboBox;
    m_pWindow->setObjectName("window");
    m_pWindow->setAccessibleName("Window Type");
    FillWindowList(m_pWindow, 0);
    window->addWidget(m_pWindow, 0, 0, 1, 2);
    m_pParam = AddNumberField(window, 1, 0, "Alpha", nullptr, "windowParam");
    m_pParamLabel = qobject_cast<QLabel*>(window->itemAtPosition(1, 0)->widget());

    auto* tapsBox = new QGroupBox("Number of Taps");
    auto* taps = new QGridLayout(tapsBox);
    m_pTaps = AddNumberField(taps, 0, 0, "Taps", nullptr, "taps");
    m_pTaps->setAccessibleName("Number of Taps");

    auto* design = NewButton("Design", "design");
    auto* left = new QVBoxLayout;
    left->addWidget(typeBox);
    left->addWidget(FsButton());
    left->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addWidget(freqBox);
    middle->addWidget(windowBox);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(tapsBox);
    right->addWidget(design);
    right->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(middle);
    top->addLayout(right);
    top->addWidget(m_pRspList);

    m_pWindow->setCurrentIndex(1);
    WriteDouble(m_pCorner1, 0.0);
    WriteDouble(m_pCorner2, 0.0);
    WriteDouble(m_pParam, 0.0);
    WriteInt(m_pTaps, 0);
    connect(m_pType, &QButtonGroup::idClicked, this, [this] {
        UpdateEnabling();
        MarkModified();
    });
    connect(m_pWindow, &QComboBox::currentIndexChanged, this,
            &CWindowedSincEditor::OnWindowChanged);
    connect(design, &QPushButton::clicked, this, &CWindowedSincEditor::Design);
    UpdateEnabling();
}

void CWindowedSincEditor::UpdateEnabling() {
    m_pCorner2->setEnabled(m_pType->checkedId() >= 2);
    m_pParam->setEnabled(WindowHasParam(m_pWindow->currentIndex()));
}

void CWindowedSincEditor::OnWindowChanged(int code) {
    if (WindowHasParam(m_nShownWindow))
        SetWindowParam(Filter(), m_nShownWindow, ReadDouble(m_pParam));
    if (WindowHasParam(code)) {
        SetCaption(m_pParamLabel, WindowParamLabel(code));
        WriteDouble(m_pParam, GetWindowParam(Filter(), code));
    }
    m_nShownWindow = code;
    UpdateEnabling();
    MarkModified();
}

bool CWindowedSincEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignWinSinc);
    f.SetWindowAfterDesignByMethod();
    f.SetNumTaps(ReadInt(m_pTaps));
    StoreRspAuto();
    const int code = m_pWindow->currentIndex();
    f.m_Ws.m_nWindowType = code;
    SetWindowParam(f, code, ReadDouble(m_pParam));
    f.m_Ws.m_nFilterType = m_pType->checkedId();
    f.m_Ws.m_dCorner1 = ReadDouble(m_pCorner1);
    f.m_Ws.m_dCorner2 = ReadDouble(m_pCorner2);
    return true;
}

void CWindowedSincEditor::LoadSpecs() {
    const CFirData& f = Filter();
    WriteInt(m_pTaps, f.GetNumTaps());
    const int code = std::clamp(f.m_Ws.m_nWindowType, 0, m_pWindow->count() - 1);
    {
        const QSignalBlocker block(m_pWindow);
        m_pWindow->setCurrentIndex(code);
    }
    m_nShownWindow = code;
    SetCaption(m_pParamLabel, WindowParamLabel(code));
    WriteDouble(m_pParam, GetWindowParam(f, code));
    if (QAbstractButton* b = m_pType->button(f.m_Ws.m_nFilterType))
        b->setChecked(true);
    WriteDouble(m_pCorner1, f.m_Ws.m_dCorner1);
    WriteDouble(m_pCorner2, f.m_Ws.m_dCorner2);
    UpdateEnabling();
    LoadRspAuto();
}

void CWindowedSincEditor::OnRefused() {
    LoadSpecs();
}
