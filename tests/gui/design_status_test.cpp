#include "gui_test_util.h"
#include "shell/design_status_dialog.h"
#include "shell/qt_host.h"
#include "support/host.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace {

// A job that counts iterations until cancelled, then takes a while to stop.
class CCountingJob : public CLongJob {
public:
    void Run() override {
        while (!m_bCancel) {
            ++m_nIteration;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        m_bStopped = true;
    }
    std::string StatusText() const override {
        return "Iteration " + std::to_string(m_nIteration.load());
    }
    void RequestCancel() override { m_bCancel = true; }

    std::atomic<int> m_nIteration{0};
    std::atomic<bool> m_bCancel{false};
    std::atomic<bool> m_bStopped{false};
};

class CFailingJob : public CLongJob {
public:
    void Run() override { throw std::runtime_error("The grid ran out of memory."); }
    std::string StatusText() const override { return "Designing"; }
    void RequestCancel() override {}
};

} // namespace

TEST(DesignStatus, CancelSaysSoDisablesItselfAndStaysUntilTheJobHasEnded) {
    QMainWindow window;
    window.show();
    CQtHost host(&window);
    CCountingJob job;
    struct Seen {
        QString progress, cancelling;
        bool buttonEnabledAfter = true, visibleWhileStopping = false;
        int ticksDuringJob = 0;
    } seen;
    OnModal<CDesignStatusDialog>([&](CDesignStatusDialog* dialog) {
        WaitFor([&] { return job.m_nIteration > 5; });
        auto* text = dialog->findChild<QLabel*>("designStatusText");
        WaitFor([&] { return text->text() != "Iteration 0"; }, 500);
        seen.progress = text->text();
        auto* cancel = dialog->findChild<QPushButton*>();
        QTest::mouseClick(cancel, Qt::LeftButton);
        seen.cancelling = text->text();
        seen.buttonEnabledAfter = cancel->isEnabled();
        // Escape while cancelling changes nothing; the window waits for the job.
        QTest::keyClick(dialog, Qt::Key_Escape);
        seen.visibleWhileStopping = dialog->isVisible() && !job.m_bStopped;
        // The rest of the program still gets its events.
        QTimer::singleShot(0, [&] { ++seen.ticksDuringJob; });
        QApplication::processEvents();
    });
    host.RunLongJob(job);
    EXPECT_TRUE(job.m_bStopped);
    EXPECT_TRUE(seen.progress.startsWith("Iteration ")) << seen.progress.toStdString();
    EXPECT_EQ(seen.cancelling.toStdString(), "\n   Cancelling, please wait...");
    EXPECT_FALSE(seen.buttonEnabledAfter);
    EXPECT_TRUE(seen.visibleWhileStopping);
    EXPECT_EQ(seen.ticksDuringJob, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DesignStatus, AnErrorOnTheWorkerIsShownAsAMessage) {
    QMainWindow window;
    window.show();
    CQtHost host(&window);
    CFailingJob job;
    QString shown;
    OnModal<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    host.RunLongJob(job);
    EXPECT_TRUE(shown.contains("The grid ran out of memory.")) << shown.toStdString();
}
