#pragma once

#include "io/data_files.h"

#include <QDialog>

#include <string>

class CHost;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The data file dialog: one or two file names with their formats and options, the complex
// switch and, for exports, the polyphase interleaving. It edits a copy of the settings and
// writes them back on OK; the flows, checks and enabling rules are the settings' own.
class CDataFilesDialog : public QDialog {
public:
    CDataFilesDialog(CDataFiles& files, CHost& host, QWidget* parent);
    void accept() override;

private:
    struct SFileRow {
        QLineEdit* name = nullptr;
        QPushButton* browse = nullptr;
        QComboBox* format = nullptr;
        QPushButton* options = nullptr;
    };

    SFileRow AddFileRow(class QGridLayout* grid, int row, const QString& which,
                        const std::string& name, const CFileFormatOpts& opts);
    QGroupBox* CreateInterleaveGroup();
    void Browse(SFileRow& row, std::string& path);
    void UpdateControls();

    CDataFiles& m_files;
    CDataFiles m_work;
    CHost& m_host;
    SFileRow m_inphase;
    SFileRow m_quadrature;
    QCheckBox* m_pComplex;
    QGroupBox* m_pInterleave;
    QButtonGroup* m_pInterleaveMode;
    QSpinBox* m_pFactor;
};
