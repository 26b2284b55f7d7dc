#include "shell/qt_host.h"

#include "shell/design_status_dialog.h"
#include "support/version.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QThread>
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
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            job.Run();
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    if (!job.ShowStatusDisplay()) {
        while (!finished)
            QThread::msleep(25);
    } else {
        CDesignStatusDialog dialog(job, m_pParent);
        dialog.show();
        bool cancelSent = false;
        while (!finished) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (dialog.Poll(job) && !cancelSent) {
                job.RequestCancel();
                cancelSent = true;
            }
            QThread::msleep(10);
        }
    }
    worker.join();
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            Error(e.what());
        } catch (...) {
            Error("Unknown error.");
        }
    }
}

void CQtHost::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}
