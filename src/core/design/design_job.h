#pragma once

#include "support/host.h"

#include <atomic>
#include <functional>
#include <string>

class CFirData;

// One design, optimisation or quantization of a filter, for the whole of its run: the outermost
// run clears the filter's cancel request (the one place where it is cleared) and holds
// m_bDesignDone at 0 until it ends; a run started inside another changes nothing.
class CDesignRun {
public:
    explicit CDesignRun(CFirData& filter);
    ~CDesignRun();
    CDesignRun(const CDesignRun&) = delete;
    CDesignRun& operator=(const CDesignRun&) = delete;
    bool IsOutermost() const { return m_bOutermost; }

private:
    CFirData& m_filter;
    bool m_bOutermost;
};

// A design step that the host runs on its worker thread. It describes the design's progress
// for the status display (the tap count as it was handed over when the job was made: the
// worker may change the filter's own), whose Cancel sets the filter's m_bCancel.
class CDesignJob : public CLongJob {
public:
    // title: caption of the status display; showStatus: false to wait without one.
    CDesignJob(CFirData& filter, std::string title, std::function<void()> work, bool showStatus);
    // The filter's tap count when the job was made.
    int GetNumTaps() const { return m_nTaps; }

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
    int m_nTaps;
    std::atomic<bool> m_bCancelling{false};
};
