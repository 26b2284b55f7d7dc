#pragma once

#include "support/host.h"

class QWidget;

// The desktop program's host: message boxes, the main window's status bar, the wait cursor and
// a modal status dialog polling a worker thread every 10 ms.
class CQtHost : public CHost {
public:
    explicit CQtHost(QWidget* parent) : m_pParent(parent) {}
    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void RunLongJob(CLongJob& job) override;
    void SetClipboardText(const std::string& text) override;

private:
    QWidget* m_pParent;
};
