#pragma once

#include "support/host.h"

#include <memory>

class QWidget;
class CDesignStatusDialog;

// The desktop program's host: message boxes, the main window's status bar, the wait cursor and
// a modal status dialog polling a worker thread every 10 ms.
class CQtHost : public CHost {
public:
    explicit CQtHost(QWidget* parent);
    ~CQtHost() override;
    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void SetClipboardText(const std::string& text) override;

protected:
    void OpenJobDisplay(CLongJob& job) override;
    bool PollJobDisplay(CLongJob& job) override;
    void CloseJobDisplay(CLongJob& job) override;

private:
    QWidget* m_pParent;
    std::unique_ptr<CDesignStatusDialog> m_pStatus; // while a long job shows its status
};
