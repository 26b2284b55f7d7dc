#include "editors/import_editor.h"

#include "design/fir_data.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CImportEditor::CImportEditor(CFirData& filter, CHost& host, QWidget* parent)
    : CRspListFirEditor(filter, host, parent) {
    auto* tapsBox = new QGroupBox("Number of Taps");
    auto* taps = new QVBoxLayout(tapsBox);
    m_pTaps = new QLabel;
    m_pTaps->setObjectName("taps");
    m_pTaps->setAccessibleName("Number of Taps");
    taps->addWidget(m_pTaps);
    auto* import = NewButton("&Import Coefficients", "importCoefficients");
    auto* boxcar = NewButton("&Create Boxcar ", "createBoxcar");

    auto* left = new QVBoxLayout;
    left->addWidget(tapsBox);
    left->addWidget(import);
    left->addWidget(boxcar);
    left->addWidget(FsButton());
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(m_pRspList);

    auto after = [this] {
        LoadSpecs();
        emit specChanged();
    };
    connect(import, &QPushButton::clicked, this, [this, after] {
        emit importRequested();
        after();
    });
    connect(boxcar, &QPushButton::clicked, this, [this, after] {
        emit boxcarRequested();
        after();
    });
}

bool CImportEditor::StoreSpecs() {
    Filter().SetDesignType(kDesignImport);
    StoreRspAuto();
    return true;
}

void CImportEditor::LoadSpecs() {
    m_pTaps->setText(QString::number(Filter().GetListedNumTaps()));
    LoadRspAuto();
}
