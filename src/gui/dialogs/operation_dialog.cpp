#include "dialogs/operation_dialog.h"

#include "dialogs/dialog_layout.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

COperationDialog::COperationDialog(const QString& title, CHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_pLayout(new QVBoxLayout(this)) {
    setWindowTitle(title);
}

void COperationDialog::accept() {
    if (Exchange())
        QDialog::accept();
}

void COperationDialog::FinishLayout() {
    AddOkCancel(this, m_pLayout);
}

QGroupBox* COperationDialog::RadioGroup(const QString& title, const QStringList& captions,
                                        QButtonGroup*& group, const QList<QWidget*>& fields) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    group = new QButtonGroup(this);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i]);
        group->addButton(radio, i);
        grid->addWidget(radio, i, 0);
        if (i < fields.size() && fields[i]) {
            NameAfterCaption(fields[i], captions[i]);
            grid->addWidget(fields[i], i, 1);
        }
    }
    grid->setColumnStretch(2, 1);
    return box;
}

void COperationDialog::CheckId(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
}
