#include "shell/qt_host.h"

#include "shell/design_status_dialog.h"
#include "support/version.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {

QMessageBox::Icon QtIcon(EMsgIcon icon) {
    QMessageBox::Icon qicon = QMessageBox::Information;
    switch (icon) {
    case EMsgIcon::Stop:
        qicon = QMessageBox::Critical;
        break;
    case EMsgIcon::Exclamation:
        qicon = QMessageBox::Warning;
        break;
    case EMsgIcon::Question:
        qicon = QMessageBox::Question;
        break;
    case EMsgIcon::Information:
        qicon = QMessageBox::Information;
        break;
    case EMsgIcon::None:
        qicon = QMessageBox::NoIcon;
        break;
    }
    return qicon;
}

} // namespace

void CQtHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    QMessageBox box(QtIcon(icon), kProgramName, QString::fromStdString(text), QMessageBox::Ok,
                    m_pParent);
    box.exec();
}

EAnswer CQtHost::Ask(const std::string& text, bool withCancel, EAnswer def, EMsgIcon icon) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QtIcon(icon), kProgramName, QString::fromStdString(text), buttons, m_pParent);
    box.setDefaultButton(def == EAnswer::Yes  ? QMessageBox::Yes
                         : def == EAnswer::No ? QMessageBox::No
                                              : QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return EAnswer::Yes;
    case QMessageBox::No:
        return EAnswer::No;
    default:
        return withCancel ? EAnswer::Cancel : EAnswer::No;
    }
}

void CQtHost::SetStatusText(const std::string& text) {
    auto* frame = qobject_cast<QMainWindow*>(m_pParent ? m_pParent->window() : nullptr);
    if (frame) {
        frame->statusBar()->showMessage(QString::fromStdString(text));
        frame->statusBar()->repaint();
    }
}

void CQtHost::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CQtHost::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

CQtHost::CQtHost(QWidget* parent) : m_pParent(parent) {}

CQtHost::~CQtHost() = default;

void CQtHost::OpenJobDisplay(CLongJob& job) {
    if (!job.ShowStatusDisplay())
        return;
    m_pStatus = std::make_unique<CDesignStatusDialog>(job, m_pParent);
    m_pStatus->show();
}

bool CQtHost::PollJobDisplay(CLongJob& job) {
    if (!m_pStatus)
        return false;
    QCoreApplication::processEvents();
    return m_pStatus->Poll(job);
}

void CQtHost::CloseJobDisplay(CLongJob& /*job*/) {
    m_pStatus.reset();
}

void CQtHost::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}
