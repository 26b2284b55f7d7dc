#include "editors/rsp_list.h"

#include "design/fir_data.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"
#include "forms/rsp_list_rules.h"
#include "support/host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

CRspList::CRspList(CFirData& filter, CHost& host, QWidget* parent)
    : QGroupBox("Examine Frequency Response in dB", parent), m_filter(filter), m_host(host) {
    m_pEntry = new QComboBox;
    m_pEntry->setEditable(true);
    m_pEntry->setInsertPolicy(QComboBox::NoInsert);
    m_pEntry->setObjectName("rspFrequency");
    m_pEntry->setAccessibleName("Frequency");
    m_pEntry->setMinimumWidth(m_pEntry->fontMetrics().horizontalAdvance("000000.000000") + 30);
    m_pResponses = new QListWidget;
    m_pResponses->setObjectName("rspList");
    m_pResponses->setAccessibleName("Response in dB");
    m_pResponses->setMinimumHeight(m_pResponses->fontMetrics().height() * 5);
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

    auto* grid = new QGridLayout(this);
    auto* freqLabel = new QLabel("Frequency");
    freqLabel->setBuddy(m_pEntry);
    auto* dbLabel = new QLabel("dB");
    dbLabel->setBuddy(m_pResponses);
    grid->addWidget(freqLabel, 0, 0);
    grid->addWidget(dbLabel, 0, 1);
    grid->addWidget(m_pEntry, 1, 0, Qt::AlignTop);
    grid->addWidget(m_pResponses, 1, 1, 4, 1);
    grid->addWidget(m_pAdd, 2, 0);
    grid->addWidget(m_pDelete, 3, 0);
    grid->addWidget(m_pReset, 4, 0);
    grid->addWidget(m_pAuto, 5, 0, 1, 2);

    connect(m_pAdd, &QPushButton::clicked, this, &CRspList::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CRspList::OnDelete);
    connect(m_pReset, &QPushButton::clicked, this, &CRspList::OnReset);
    connect(m_pAuto, &QCheckBox::clicked, this, &CRspList::OnAutomatic);
    connect(m_pEntry, &QComboBox::activated, this, &CRspList::SelectRow);
    connect(m_pResponses, &QListWidget::currentRowChanged, this, &CRspList::SelectRow);
    connect(m_pEntry, &QComboBox::currentIndexChanged, this, &CRspList::UpdateEnabling);
    m_pAuto->setChecked(m_filter.m_bRspAuto != 0);
}

bool CRspList::IsAutomatic() const {
    return m_pAuto->isChecked();
}

void CRspList::SetAutomatic(bool on) {
    m_pAuto->setChecked(on);
}

void CRspList::Refresh() {
    const QSignalBlocker blockEntry(m_pEntry);
    const QSignalBlocker blockList(m_pResponses);
    m_pEntry->clear();
    m_pResponses->clear();
    for (int i = 0; i < m_filter.m_RspFreqs.GetSize(); ++i) {
        const double f = m_filter.m_RspFreqs[i];
        m_pEntry->addItem(QString::fromStdString(FormatRspFreq(f)));
        m_pResponses->addItem(QString::fromStdString(FormatRspDb(m_filter, f)));
    }
    m_pEntry->setCurrentIndex(-1);
    m_pEntry->setEditText("");
    UpdateEnabling();
}

void CRspList::UpdateEnabling() {
    const bool items = m_pEntry->count() > 0;
    m_pReset->setEnabled(items);
    m_pDelete->setEnabled(items && m_pEntry->currentIndex() >= 0);
    m_pAdd->setEnabled(m_filter.HasCoefficients());
}

void CRspList::SelectRow(int row) {
    const QSignalBlocker blockEntry(m_pEntry);
    const QSignalBlocker blockList(m_pResponses);
    m_pEntry->setCurrentIndex(row);
    m_pResponses->setCurrentRow(row);
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
    double value = 0.0;
    const QByteArray text = m_pEntry->currentText().toLatin1();
    if (std::sscanf(text.constData(), "%lf", &value) != 1)
        value = 0.0;
    m_filter.m_RspFreqs.Add(value);
    Refresh();
    m_pEntry->setFocus();
    emit listChanged();
}

void CRspList::OnDelete() {
    AutomaticOff();
    const int row = m_pEntry->currentIndex();
    if (row >= 0) {
        m_pEntry->removeItem(row);
        delete m_pResponses->takeItem(row);
        m_pEntry->setCurrentIndex(-1);
        m_pEntry->setEditText("");
        // The filter's list follows the entries that remain, in list order.
        m_filter.m_RspFreqs.SetSize(0);
        for (int i = 0; i < m_pEntry->count(); ++i) {
            double value = 0.0;
            const QByteArray t = m_pEntry->itemText(i).toLatin1();
            if (std::sscanf(t.constData(), "%lf", &value) != 1)
                value = 0.0;
            m_filter.m_RspFreqs.Add(value);
        }
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

CRspListFirEditor::CRspListFirEditor(CFirData& filter, CHost& host, QWidget* parent)
    : CFirEditor(filter, host, parent), m_pRspList(new CRspList(filter, host)) {
    connect(m_pRspList, &CRspList::automaticChanged, this, &CRspListFirEditor::OnSampleRateChange);
    connect(m_pRspList, &CRspList::listChanged, this, &CFirEditor::specChanged);
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
