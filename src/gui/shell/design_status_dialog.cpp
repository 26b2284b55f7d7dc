#include "shell/design_status_dialog.h"

#include "support/host.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDesignStatusDialog::CDesignStatusDialog(const CLongJob& job, QWidget* parent)
    : QDialog(parent), m_pText(new QLabel(QString::fromStdString(job.StatusText()), this)),
      m_pCancel(new QPushButton("Cancel", this)) {
    setWindowTitle(QString::fromStdString(job.Title()));
    setWindowModality(Qt::ApplicationModal);
    setObjectName("designStatusDialog");
    m_pText->setObjectName("designStatusText");
    // Room for the longest status: the design line and the optimiser's trial and range.
    const QFontMetrics fm = m_pText->fontMetrics();
    m_pText->setMinimumSize(fm.horizontalAdvance("      Optimization Status:  Trial 9999, "
                                                 "Range = 16384 - 16384  "),
                            fm.lineSpacing() * 7);
    m_pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pCancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addLayout(buttons);
    connect(m_pCancel, &QPushButton::clicked, this, &CDesignStatusDialog::reject);
}

bool CDesignStatusDialog::Poll(const CLongJob& job) {
    if (!m_bCancelRequested)
        m_pText->setText(QString::fromStdString(job.StatusText()));
    return m_bCancelRequested;
}

void CDesignStatusDialog::reject() {
    if (m_bCancelRequested)
        return;
    m_bCancelRequested = true;
    m_pText->setText(kCancelling);
    m_pCancel->setEnabled(false);
}

void CDesignStatusDialog::closeEvent(QCloseEvent* event) {
    reject();
    event->ignore();
}
