#include "dialogs/dialog_layout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

void NameAfterCaption(QWidget* field, const QString& caption) {
    QString name = caption;
    name.remove('&');
    name = name.trimmed();
    if (name.endsWith(':'))
        name.chop(1);
    field->setAccessibleName(name.trimmed());
}

QLabel* AddCaptionedRow(QFormLayout* form, const QString& caption, QWidget* field) {
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    NameAfterCaption(field, caption);
    form->addRow(label, field);
    return label;
}

QLabel* AddCaptionedCell(QGridLayout* grid, int row, int column, const QString& caption,
                         QWidget* field) {
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    NameAfterCaption(field, caption);
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1);
    return label;
}

QDialogButtonBox* AddOkCancel(QDialog* dialog, QLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}
