#pragma once

#include <QDialog>

class CLongJob;
class QLabel;
class QPushButton;

// The modal "Design Status" window of a long job running on a worker thread. Its host polls it
// every 10 ms while the job runs and closes it once the job has ended. Cancel (the button, Esc
// or the window's close box) asks once to stop: the text becomes "Cancelling, please wait...",
// the button is disabled, and the window stays until the job has ended.
class CDesignStatusDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCancelling = "\n   Cancelling, please wait...";

    explicit CDesignStatusDialog(const CLongJob& job, QWidget* parent = nullptr);
    // Shows the job's status text unless cancelling; true once the user has asked to cancel.
    bool Poll(const CLongJob& job);
    bool CancelRequested() const { return m_bCancelRequested; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_pText;
    QPushButton* m_pCancel;
    bool m_bCancelRequested = false;
};
