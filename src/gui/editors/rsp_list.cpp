#include "editors/rsp_list.h"

#include "design/fir_data.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"
#include "forms/rsp_list_rules.h"
#include "support/host.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

CRspList::CRspList(CFirData& filter, CHost& host, QWidget* parent)
    : QGroupBox("Examine Frequency Response in dB", parent), m_filter(filter), m_host(host) {
    m_pEntry = NewField("rspFrequency", "Frequency");
    m_pFreqs = new QListWidget;
    m_pFreqs->setObjectName("rspFrequencies");
    m_pFreqs->setAccessibleName("Frequencies");
    m_pResponses = new QListWidget;
    m_pResponses->setObjectName("rspList");
    m_pResponses->setAccessibleName("Response in dB");
    const int width = m_pEntry->fontMetrics().horizontalAdvance("-000000.000000") + 16;
    for (QWidget* w : std::initializer_list<QWidget*>{m_pEntry, m_pFreqs, m_pResponses}) {
        w->setMinimumWidth(width);
        w->setMaximumWidth(width * 3 / 2);
    }
    for (QListWidget* list : {m_pFreqs, m_pResponses})
        list->setMinimumHeight(list->fontMetrics().lineSpacing() * 4);
    m_pAdd = new QPushButton("&Add");
    m_pDelete = new QPushButton("&Delete");
    m_pReset = new QPushButton("Reset");
    m_pAuto = new QCheckBox("Automatic");
    m_pAdd->setObjectName("rspAdd");
    m_pDelete->setObjectName("rspDelete");
    m_pReset->setObjectName("rspReset");
    m_pAuto->setObjectName("rspAutomatic");
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{m_pAdd, m_pDelete, m_pReset, m_pAuto})
        NameButton(b);

    // Two narrow columns, frequencies and their responses, with the buttons above and below
    // them: the group leaves the coefficient pane its room beside the form.
    auto* grid = new QGridLayout(this);
    auto* freqLabel = new QLabel("Frequency");
    freqLabel->setBuddy(m_pEntry);
    auto* dbLabel = new QLabel("dB");
    dbLabel->setBuddy(m_pResponses);
    grid->addWidget(freqLabel, 0, 0);
    grid->addWidget(dbLabel, 0, 1, Qt::AlignBottom);
    grid->addWidget(m_pEntry, 1, 0);
    grid->addWidget(m_pAdd, 1, 1);
    grid->addWidget(m_pFreqs, 2, 0);
    grid->addWidget(m_pResponses, 2, 1);
    grid->addWidget(m_pDelete, 3, 0);
    grid->addWidget(m_pReset, 3, 1);
    grid->addWidget(m_pAuto, 4, 0, 1, 2);

    connect(m_pAdd, &QPushButton::clicked, this, &CRspList::OnAdd);
    connect(m_pEntry, &QLineEdit::returnPressed, this, [this] {
        if (m_pAdd->isEnabled())
            OnAdd();
    });
    connect(m_pDelete, &QPushButton::clicked, this, &CRspList::OnDelete);
    connect(m_pReset, &QPushButton::clicked, this, &CRspList::OnReset);
    connect(m_pAuto, &QCheckBox::clicked, this, &CRspList::OnAutomatic);
    connect(m_pFreqs, &QListWidget::currentRowChanged, this, &CRspList::SelectRow);
    connect(m_pResponses, &QListWidget::currentRowChanged, this, &CRspList::SelectRow);
    m_pAuto->setChecked(m_filter.m_bRspAuto != 0);
}

bool CRspList::IsAutomatic() const {
    return m_pAuto->isChecked();
}

void CRspList::SetAutomatic(bool on) {
    m_pAuto->setChecked(on);
}

void CRspList::Refresh() {
    const QSignalBlocker blockFreqs(m_pFreqs);
    const QSignalBlocker blockList(m_pResponses);
    m_pFreqs->clear();
    m_pResponses->clear();
    for (int i = 0; i < m_filter.m_RspFreqs.GetSize(); ++i) {
        const double f = m_filter.m_RspFreqs[i];
        m_pFreqs->addItem(QString::fromStdString(FormatRspFreq(f)));
        m_pResponses->addItem(QString::fromStdString(FormatRspDb(m_filter, f)));
    }
    UpdateEnabling();
}

void CRspList::UpdateEnabling() {
    const bool items = m_pFreqs->count() > 0;
    m_pReset->setEnabled(items);
    m_pDelete->setEnabled(items && m_pFreqs->currentRow() >= 0);
    m_pAdd->setEnabled(m_filter.HasCoefficients());
}

void CRspList::SelectRow(int row) {
    const QSignalBlocker blockFreqs(m_pFreqs);
    const QSignalBlocker blockList(m_pResponses);
    m_pFreqs->setCurrentRow(row);
    m_pResponses->setCurrentRow(row);
    if (row >= 0 && row < m_pFreqs->count())
        m_pEntry->setText(m_pFreqs->item(row)->text());
    UpdateEnabling();
}

void CRspList::AutomaticOff() {
    m_pAuto->setChecked(false);
    m_filter.m_bRspAuto = 0;
}

void CRspList::OnAdd() {
    AutomaticOff();
    if (!m_filter.HasCoefficients()) {
        m_host.Error(kMsgRspNoCoefficients);
        emit listChanged();
        return;
    }
    m_filter.m_RspFreqs.Add(ReadDouble(m_pEntry));
    m_pEntry->clear();
    Refresh();
    m_pEntry->setFocus();
    emit listChanged();
}

void CRspList::OnDelete() {
    AutomaticOff();
    const int row = m_pFreqs->currentRow();
    if (row >= 0) {
        delete m_pFreqs->takeItem(row);
        delete m_pResponses->takeItem(row);
        m_pEntry->clear();
        // The filter's list follows the entries that remain, in list order.
        m_filter.m_RspFreqs.SetSize(0);
        for (int i = 0; i < m_pFreqs->count(); ++i) {
            double value = 0.0;
            const QByteArray t = m_pFreqs->item(i)->text().toLatin1();
            if (std::sscanf(t.constData(), "%lf", &value) != 1)
                value = 0.0;
            m_filter.m_RspFreqs.Add(value);
        }
        SelectRow(-1);
    }
    UpdateEnabling();
    emit listChanged();
}

void CRspList::OnReset() {
    AutomaticOff();
    if (m_host.Ask(kMsgRspAskReset, false, EAnswer::Yes) == EAnswer::Yes) {
        m_filter.m_RspFreqs.SetSize(0);
        Refresh();
        m_pEntry->setFocus();
    }
    emit listChanged();
}

void CRspList::OnAutomatic() {
    m_filter.m_bRspAuto = m_pAuto->isChecked() ? 1 : 0;
    emit automaticChanged();
    emit listChanged();
}

CRspListFirEditor::CRspListFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs,
                                     QWidget* parent)
    : CFirEditor(designType, doc, dialogs, parent), m_pRspList(new CRspList(Filter(), Host())) {
    connect(m_pRspList, &CRspList::automaticChanged, this, &CRspListFirEditor::OnSampleRateChange);
    connect(m_pRspList, &CRspList::listChanged, this, [this] { MarkModified(); });
}

void CRspListFirEditor::OnSampleRateChange() {
    ApplyAutoRspFreqs(Filter());
    m_pRspList->Refresh();
}

void CRspListFirEditor::StoreRspAuto() {
    Filter().m_bRspAuto = m_pRspList->IsAutomatic() ? 1 : 0;
}

void CRspListFirEditor::LoadRspAuto() {
    m_pRspList->SetAutomatic(Filter().m_bRspAuto != 0);
    OnSampleRateChange();
}
