#include "editors/form_fields.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>

double ReadDouble(const QLineEdit* edit) {
    double value = 0.0;
    const QByteArray text = edit->text().toLatin1();
    if (std::sscanf(text.constData(), "%lf", &value) != 1)
        return 0.0;
    return value;
}

int ReadInt(const QLineEdit* edit) {
    int value = 0;
    const QByteArray text = edit->text().toLatin1();
    if (std::sscanf(text.constData(), "%d", &value) != 1)
        return 0;
    return value;
}

void WriteDouble(QLineEdit* edit, double value) {
    edit->setText(QString::number(value, 'g', 15));
}

void WriteInt(QLineEdit* edit, int value) {
    edit->setText(QString::number(value));
}

namespace {
QString PlainCaption(const QString& caption) {
    QString plain = caption;
    plain.remove('&');
    return plain.simplified();
}
} // namespace

void SetCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    if (QWidget* buddy = label->buddy())
        buddy->setAccessibleName(PlainCaption(caption));
}

QLineEdit* AddNumberField(QGridLayout* grid, int row, int col, const QString& caption, QLabel* unit,
                          const QString& objectName) {
    auto* label = new QLabel(caption);
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("0000.000000") + 12);
    label->setBuddy(edit);
    edit->setAccessibleName(PlainCaption(caption));
    grid->addWidget(label, row, col);
    grid->addWidget(edit, row, col + 1);
    if (unit)
        grid->addWidget(unit, row, col + 2);
    return edit;
}

QLineEdit* NewField(const char* name, const QString& accessible) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

QCheckBox* NewCheck(const QString& caption, const char* name, const QString& accessible) {
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    check->setAccessibleName(accessible.isEmpty() ? PlainCaption(caption) : accessible);
    return check;
}

void NameButton(QAbstractButton* button) {
    button->setAccessibleName(PlainCaption(button->text()));
}

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

QButtonGroup* AddRadios(QBoxLayout* layout, const QStringList& captions, const QString& name) {
    auto* group = new QButtonGroup(layout);
    group->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i]);
        radio->setObjectName(name + QString::number(i));
        NameButton(radio);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(0)->setChecked(true);
    return group;
}
