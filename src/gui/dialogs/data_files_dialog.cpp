#include "dialogs/data_files_dialog.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/format_options_dialogs.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "shell/file_dialogs.h"
#include "support/paths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

CDataFilesDialog::CDataFilesDialog(CDataFiles& files, CHost& host, QWidget* parent)
    : QDialog(parent), m_files(files), m_work(files), m_host(host) {
    setWindowTitle(ToQ(files.DialogTitle()));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    m_inphase = AddFileRow(grid, 0, "Inphase", m_work.m_strNameI, m_work.m_FormatI);
    m_pComplex = new QCheckBox("Complex");
    m_pComplex->setChecked(m_work.m_bComplex);
    grid->addWidget(m_pComplex, 2, 1);
    m_quadrature = AddFileRow(grid, 3, "Quadrature", m_work.m_strNameQ, m_work.m_FormatQ);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    m_pInterleave = CreateInterleaveGroup();
    layout->addWidget(m_pInterleave);
    AddOkCancel(this, layout);

    connect(m_inphase.browse, &QPushButton::clicked, this,
            [this] { Browse(m_inphase, m_work.m_strPathI); });
    connect(m_quadrature.browse, &QPushButton::clicked, this,
            [this] { Browse(m_quadrature, m_work.m_strPathQ); });
    const auto watchFormat = [this](QComboBox* combo, CFileFormatOpts& opts) {
        connect(combo, &QComboBox::currentTextChanged, this, [this, &opts](const QString& name) {
            SelectFormat(opts, ToStd(name));
            UpdateControls();
        });
    };
    watchFormat(m_inphase.format, m_work.m_FormatI);
    watchFormat(m_quadrature.format, m_work.m_FormatQ);
    connect(m_inphase.options, &QPushButton::clicked, this,
            [this] { ShowFormatOptions(this, m_work.m_FormatI, m_host, m_work.m_exportTaps); });
    connect(m_quadrature.options, &QPushButton::clicked, this,
            [this] { ShowFormatOptions(this, m_work.m_FormatQ, m_host); });
    connect(m_pComplex, &QCheckBox::toggled, this, [this](bool on) {
        m_work.m_bComplex = on ? 1 : 0;
        UpdateControls();
    });
    connect(m_pInterleaveMode, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            m_work.m_nInterleave = id;
        UpdateControls();
    });
    UpdateControls();
    setMinimumWidth(520);
}

CDataFilesDialog::SFileRow CDataFilesDialog::AddFileRow(QGridLayout* grid, int row,
                                                        const QString& which,
                                                        const std::string& name,
                                                        const CFileFormatOpts& opts) {
    SFileRow r;
    r.name = new QLineEdit(ToQ(name));
    r.name->setObjectName(which.toLower() + "Name");
    AddCaptionedCell(grid, row, 0, "&" + which + " File:", r.name);
    r.browse = new QPushButton("Browse...");
    r.browse->setObjectName(which.toLower() + "Browse");
    grid->addWidget(r.browse, row, 2);

    r.format = new QComboBox;
    r.format->setObjectName(which.toLower() + "Format");
    for (const std::string& format : m_work.m_bImport ? ReadFormatNames() : WriteFormatNames())
        r.format->addItem(ToQ(format));
    r.format->setCurrentIndex(
        r.format->findText(ToQ(FileFormatName(FileFormatListCode(opts.m_nFormat)))));
    AddCaptionedCell(grid, row + 1, 0, which + " Format:", r.format);
    r.options = new QPushButton("Options...");
    r.options->setObjectName(which.toLower() + "Options");
    r.options->setAccessibleName(which + " Options...");
    grid->addWidget(r.options, row + 1, 2);
    return r;
}

QGroupBox* CDataFilesDialog::CreateInterleaveGroup() {
    auto* box = new QGroupBox("Polyphase Interleaving");
    auto* layout = new QHBoxLayout(box);
    m_pInterleaveMode = new QButtonGroup(this);
    const char* const modes[] = {"None", "Forward", "Reverse"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(modes[i]);
        m_pInterleaveMode->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (QAbstractButton* b = m_pInterleaveMode->button(m_work.m_nInterleave))
        b->setChecked(true);
    layout->addStretch();
    m_pFactor = new QSpinBox;
    m_pFactor->setObjectName("factor");
    m_pFactor->setRange(0, 1000000);
    m_pFactor->setValue(m_work.m_nFactor);
    auto* grid = new QGridLayout;
    AddCaptionedCell(grid, 0, 0, "&Factor", m_pFactor);
    layout->addLayout(grid);
    return box;
}

void CDataFilesDialog::UpdateControls() {
    const SDataFilesControls c = m_work.GetControls();
    m_inphase.options->setEnabled(c.inphaseOptions);
    m_pComplex->setEnabled(c.complex);
    m_quadrature.name->setEnabled(c.quadrature);
    m_quadrature.browse->setEnabled(c.quadrature);
    m_quadrature.format->setEnabled(c.quadrature);
    m_quadrature.options->setEnabled(c.quadratureOptions);
    m_pInterleave->setVisible(c.interleaveVisible);
    m_pFactor->setEnabled(c.factor);
}

void CDataFilesDialog::Browse(SFileRow& row, std::string& path) {
    const QString folder = ToQ(DirectoryOf(path));
    const QString filter = QtFileFilter(kDataFilesFilter);
    const QString chosen = m_work.m_bImport
                               ? QFileDialog::getOpenFileName(this, QString(), folder, filter,
                                                              nullptr, QFileDialog::ReadOnly)
                               : QFileDialog::getSaveFileName(this, QString(), folder, filter);
    if (chosen.isEmpty())
        return;
    path = ToStd(chosen);
    row.name->setText(ToQ(FileNameOf(path)));
}

void CDataFilesDialog::accept() {
    m_work.m_nFactor = m_pFactor->value();
    m_work.ApplyDialog(ToStd(m_inphase.name->text()), ToStd(m_inphase.format->currentText()),
                       ToStd(m_quadrature.name->text()), ToStd(m_quadrature.format->currentText()));
    m_files = m_work;
    QDialog::accept();
}
