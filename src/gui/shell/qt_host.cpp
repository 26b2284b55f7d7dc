#include "shell/qt_host.h"

#include "support/version.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

void CQtHost::ShowMessage(const std::string& text, EMsgIcon icon) {
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
    QMessageBox box(qicon, kProgramName, QString::fromStdString(text), QMessageBox::Ok, m_pParent);
    box.exec();
}

EAnswer CQtHost::Ask(const std::string& text, bool withCancel, EAnswer def) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, kProgramName, QString::fromStdString(text), buttons,
                    m_pParent);
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

void CQtHost::RunLongJob(CLongJob& job) {
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        job.Run();
        finished = true;
    });
    if (!job.ShowStatusDisplay()) {
        while (!finished)
            QThread::msleep(25);
        worker.join();
        return;
    }
    QProgressDialog dialog(QString::fromStdString(job.StatusText()), "Cancel", 0, 0, m_pParent);
    dialog.setWindowTitle(QString::fromStdString(job.Title()));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &dialog, [&] {
        if (finished) {
            dialog.accept();
            return;
        }
        dialog.setLabelText(QString::fromStdString(job.StatusText()));
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] { job.RequestCancel(); });
    timer.start(10);
    if (!finished)
        dialog.exec();
    timer.stop();
    worker.join();
}

void CQtHost::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}
