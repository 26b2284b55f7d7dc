#pragma once

#include "support/host.h"

#include <atomic>
#include <functional>
#include <string>

// What a running design shares between the thread that runs it and the status display: the
// cancel request, the exchange iterations of the engine run in progress, the percent done of a
// quantization and whether a run is in progress. The front end that starts a design owns it
// and hands it to every step the design runs; the filter holds none of it.
class CDesignControl {
public:
    CDesignControl() = default;
    CDesignControl(const CDesignControl&) = delete;
    CDesignControl& operator=(const CDesignControl&) = delete;

    // From any thread: the running steps stop at their next check.
    void RequestCancel() { m_bCancel = 1; }
    bool CancelRequested() const { return m_bCancel != 0; }
    int Iterations() const { return m_nIteration; }
    int QuantProgress() const { return m_nQuantProgress; }

    std::atomic<int> m_bCancel{0};
    std::atomic<int> m_nIteration{0};     // exchange iterations of the engine run in progress
    std::atomic<int> m_nQuantProgress{0}; // percent of a running quantization; 0 when none runs
    std::atomic<int> m_bDesignDone{1};    // 0 while a design, optimisation or quantization runs
};

// One design, optimisation or quantization of a filter for the whole of its run, on control
// (none: a control of its own). The outermost run on a control clears its cancel request (the
// one place where it is cleared) and marks the control running until it ends; a run started
// inside another changes nothing.
class CDesignRun {
public:
    explicit CDesignRun(CDesignControl* control);
    ~CDesignRun();
    CDesignRun(const CDesignRun&) = delete;
    CDesignRun& operator=(const CDesignRun&) = delete;
    bool IsOutermost() const { return m_bOutermost; }
    CDesignControl& Control() const { return m_control; }

private:
    CDesignControl m_own;
    CDesignControl& m_control;
    bool m_bOutermost;
};

// A design step that the host runs on its worker thread. It describes the design's progress
// for the status display (the tap count handed over when the job was made: the worker may
// change the filter's own), whose Cancel goes to the run's control.
class CDesignJob : public CLongJob {
public:
    // title: caption of the status display; showStatus: false to wait without one.
    CDesignJob(CDesignControl& control, int taps, std::string title, std::function<void()> work,
               bool showStatus);
    // The tap count the job was made with.
    int GetNumTaps() const { return m_nTaps; }

    void Run() override;
    std::string StatusText() const override;
    void RequestCancel() override;
    bool ShowStatusDisplay() const override { return m_bShowStatus; }
    std::string Title() const override { return m_strTitle; }

protected:
    // Lines shown below the design status (an optimiser's counters).
    virtual std::string ExtraStatusText() const { return std::string(); }

    CDesignControl& m_control;

private:
    std::string m_strTitle;
    std::function<void()> m_work;
    bool m_bShowStatus;
    int m_nTaps;
    std::atomic<bool> m_bCancelling{false};
};
