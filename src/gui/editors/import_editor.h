#pragma once

#include "editors/rsp_list.h"

// The form of imported coefficients: the number of taps, the document's import and
// fill-with-constant commands and the response list.
class CImportEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CImportEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;

private:
    QLabel* m_pTaps;
};
