#include "shell/find_replace_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* AddField(QFormLayout& form, const char* caption, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    field->setAccessibleName(QString(caption).remove('&'));
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 28);
    form.addRow(label, field);
    return field;
}

} // namespace

CFindReplaceDialog::CFindReplaceDialog(bool replace, QWidget* parent) : QDialog(parent) {
    using namespace FindReplaceText;
    setWindowTitle(replace ? kReplaceTitle : kFindTitle);
    auto* form = new QFormLayout;
    m_pFindWhat = AddField(*form, kFindWhat, this);
    if (replace)
        m_pReplaceWith = AddField(*form, kReplaceWith, this);
    m_pMatchCase = new QCheckBox(kMatchCase, this);
    auto* fields = new QVBoxLayout;
    fields->addLayout(form);
    fields->addWidget(m_pMatchCase);
    fields->addStretch();

    auto* buttons = new QVBoxLayout;
    auto addButton = [this, buttons](const char* caption) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_pFindNext = addButton(kFindNext);
    m_pFindNext->setDefault(true);
    connect(m_pFindNext, &QPushButton::clicked, this, &CFindReplaceDialog::findNext);
    if (replace) {
        m_pReplace = addButton(kReplace);
        m_pReplaceAll = addButton(kReplaceAll);
        connect(m_pReplace, &QPushButton::clicked, this, &CFindReplaceDialog::replaceOne);
        connect(m_pReplaceAll, &QPushButton::clicked, this, &CFindReplaceDialog::replaceAll);
    }
    connect(addButton(kCancel), &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    connect(m_pFindWhat, &QLineEdit::textChanged, this, &CFindReplaceDialog::UpdateButtons);
    UpdateButtons();
}

QString CFindReplaceDialog::FindWhat() const {
    return m_pFindWhat->text();
}

QString CFindReplaceDialog::ReplaceWith() const {
    return m_pReplaceWith ? m_pReplaceWith->text() : QString();
}

bool CFindReplaceDialog::MatchCase() const {
    return m_pMatchCase->isChecked();
}

void CFindReplaceDialog::SetFindWhat(const QString& text) {
    m_pFindWhat->setText(text);
    m_pFindWhat->selectAll();
}

void CFindReplaceDialog::UpdateButtons() {
    const bool any = !m_pFindWhat->text().isEmpty();
    for (QPushButton* b : {m_pFindNext, m_pReplace, m_pReplaceAll})
        if (b)
            b->setEnabled(any);
}
