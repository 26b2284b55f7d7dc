#pragma once

#include "editors/rsp_list.h"

// The form of imported coefficients: the number of taps, the import and boxcar commands and
// the response list.
class CImportEditor : public CRspListFirEditor {
    Q_OBJECT
public:
    CImportEditor(CFirData& filter, CHost& host, QWidget* parent = nullptr);

    bool StoreSpecs() override;
    void LoadSpecs() override;

signals:
    // The document's "&Import Coefficients..." command; it runs before the signal returns.
    void importRequested();
    // The document's fill of the inphase coefficients with a constant.
    void boxcarRequested();

private:
    QLabel* m_pTaps;
};
