#pragma once

#include "data/corvi_data.h"
#include "design/ntaps_constraints.h"
#include "support/host.h"

#include <atomic>
#include <string>
#include <vector>

class CDesignControl;
class CFirData;

// The search for the fewest taps that meet a Parks-McClellan specification: the range it has
// narrowed down to and the trials it has run. Lives for one optimisation; the status display
// reads the counters while the search runs on the worker thread.
class OptimizerState {
public:
    explicit OptimizerState(CFirData* pFilter) : m_pFilter(pFilter) {}
    OptimizerState(const OptimizerState&) = delete;
    OptimizerState& operator=(const OptimizerState&) = delete;

    // Runs on the worker thread: a first trial at m_nLow (and at the filter's own count when
    // that fails), a search downwards by doubling steps from a passing count or upwards from a
    // failing one, then bisection. Leaves the filter with the best passing design when the last
    // trial failed. Returns whether the final design meets its specification. The zero end taps
    // of a quantized result are removed afterwards by the caller, on the host's thread, as that
    // step may show a message.
    bool OptimizeSearch(const NTapsConstraints& constraints);

    CFirData* m_pFilter;
    // The control of the optimisation while it runs (its cancel request, the iterations of
    // the trial in progress); set by the optimisation, null otherwise.
    CDesignControl* m_pControl = nullptr;
    std::atomic<int> m_bOddOnly{0}; // force odd tap counts
    std::atomic<int> m_nLow{0};     // last count known or assumed to fail
    std::atomic<int> m_nHigh{0};    // last count known to pass
    std::atomic<int> m_nLimit{0};   // largest count the search may try
    std::atomic<int> m_nTrial{0};   // trial counter shown by the status display
    std::atomic<int> m_nTaps{0};    // tap count of the running trial, for the status display

    // Tap count of every engine run, in order (read after the search has ended).
    std::vector<int> m_Trials;
    // Function whose result was not finite in a trial, or "" (read after the search).
    std::string m_strMathFunction;
    // The best passing design of the search so far; emptied when the search ends.
    CCorviData m_Best;

private:
    // The best passing design becomes the filter's coefficients.
    void RestoreBest();
    bool TryTaps(int n);
    void SearchDown(int step);
    void SearchUp(int step);
    void Bisect();
    // Adjusts n onto the working constraints, clamped into their limits.
    bool Adjust(bool up, int& n) const { return m_C.AdjustTaps(up, n, true); }
    // Same for one of the shared range ends.
    bool Adjust(bool up, std::atomic<int>& value) const;
    bool Cancelled() const;

    NTapsConstraints m_C; // the working copy of the filter's constraints
};

// What an ended optimisation tells the user: the text (also the status text), its icon, whether
// a message box shows it and whether the tap count the optimisation started with is restored.
struct SOptimizeOutcome {
    std::string text;
    EMsgIcon icon = EMsgIcon::Information;
    bool showMessage = true;
    bool restoreTaps = false;
};

// The outcome of an optimisation that was cancelled or ended with margin (dB) at taps taps;
// quantized when quantization was on.
SOptimizeOutcome ComposeOptimizeOutcome(bool cancelled, bool quantized, double margin, int taps);

// The status display's text during an optimisation: the design status of the running trial (its
// tap count from the optimiser, as the filter's own count changes on the worker thread; its
// iterations from control), then the trial and, while it is open, the range; the cancelling
// text once Cancel was requested.
std::string FormatOptimizeStatus(const CDesignControl& control, const OptimizerState& state);
