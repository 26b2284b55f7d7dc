#pragma once

#include "support/host.h"

#include <atomic>
#include <functional>
#include <string>

class CFirData;

// A design step that the host runs on its worker thread: it ends by setting the filter's
// m_bDesignDone, and describes the design's progress for the status display, whose Cancel sets
// the filter's m_bCancel.
class CDesignJob : public CLongJob {
public:
    // title: caption of the status display; showStatus: false to wait without one.
    CDesignJob(CFirData& filter, std::string title, std::function<void()> work, bool showStatus);

    void Run() override;
    std::string StatusText() const override;
    void RequestCancel() override;
    bool ShowStatusDisplay() const override { return m_bShowStatus; }
    std::string Title() const override { return m_strTitle; }

protected:
    // Lines shown below the design status (an optimiser's counters).
    virtual std::string ExtraStatusText() const { return std::string(); }

    CFirData& m_filter;

private:
    std::string m_strTitle;
    std::function<void()> m_work;
    bool m_bShowStatus;
    std::atomic<bool> m_bCancelling{false};
};
