#include "shell/qt_command_dialogs.h"

#include "doc/operation_checks.h"
#include "support/format_number.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {

// A dialog of labelled fields with OK and Cancel.
struct CFieldDialog {
    CFieldDialog(QWidget* parent, const QString& title) : dialog(parent), form(new QFormLayout) {
        dialog.setWindowTitle(title);
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addLayout(form);
        layout->addWidget(buttons);
    }
    QLineEdit* NumberField(const QString& caption, double value) {
        auto* edit = new QLineEdit(QString::number(value, 'g', 12), &dialog);
        form->addRow(caption, edit);
        edit->setAccessibleName(QString(caption).remove('&'));
        return edit;
    }
    bool Run() { return dialog.exec() == QDialog::Accepted; }

    QDialog dialog;
    QFormLayout* form;
};

double NumberOf(const QLineEdit* edit, double fallback) {
    return ParseDouble(edit->text().toStdString()).value_or(fallback);
}

// Value and unit of a sampling frequency.
bool EditFs(QWidget* parent, const QString& title, CFs& fs) {
    CFieldDialog d(parent, title);
    QLineEdit* value = d.NumberField("&Sampling Frequency", fs.m_dValue);
    auto* unit = new QComboBox(&d.dialog);
    for (int u = 0; u < CFs::kUnitCount; ++u)
        unit->addItem(CFs::GetFreqUnitName(u));
    unit->setCurrentIndex(fs.m_nUnit);
    d.form->addRow("&Units", unit);
    unit->setAccessibleName("Units");
    if (!d.Run())
        return false;
    fs.m_dValue = NumberOf(value, fs.m_dValue);
    fs.m_nUnit = unit->currentIndex();
    return true;
}

} // namespace

bool CQtCommandDialogs::SamplingFrequency(CFs& fs) {
    return EditFs(m_pParent, "Sampling Frequency", fs);
}

bool CQtCommandDialogs::DesignOptions(CDesignOptions& options) {
    return EditFs(m_pParent, "FIR Design Options", options.m_Fs);
}

bool CQtCommandDialogs::MinimumDb(double& minDb) {
    CFieldDialog d(m_pParent, "Set Minimum Decibels");
    QLineEdit* value = d.NumberField("&Minimum dB", minDb);
    if (!d.Run())
        return false;
    minDb = NumberOf(value, minDb);
    return true;
}
