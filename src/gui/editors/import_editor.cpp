#include "editors/import_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CImportEditor::CImportEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CRspListFirEditor(kDesignImport, doc, dialogs, parent) {
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
        MarkModified();
    };
    connect(import, &QPushButton::clicked, this, [this, after] {
        FirCommand::Import(Doc(), Dialogs());
        after();
    });
    connect(boxcar, &QPushButton::clicked, this, [this, after] {
        FirCommand::FillConstant(Doc(), Dialogs(), EParts::Inphase);
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
