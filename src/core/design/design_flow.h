#pragma once

#include <functional>
#include <string>

class CDesignControl;
class CFirData;
class CHost;
class OptimizerState;

// The steps a front end adds to the Design and Optimize flows; each may be left empty.
struct SDesignFlowSteps {
    // Stores the specification again with a new tap count (an editor puts the count into its
    // taps field and stores its fields); false stops the flow. Empty: the filter's count is set.
    std::function<bool(int taps)> storeTaps;
    // The method's checks refused the specification (a form shows the stored fields again).
    std::function<void()> refused;
    // Designs in place of the method's own design (a design no design type holds), on the
    // flow's control.
    std::function<bool(CDesignControl& control)> design;
    // The document's after-design step (views, scaling, undo point, change notice).
    std::function<void()> afterDesign;
};

// How a Design or Optimize flow ended.
enum class EDesignEnd {
    Refused,   // a check or a question stopped it before the design; the filter is unchanged
    Cancelled, // the user cancelled the running design
    Failed,    // the method could not design (it has said why)
    Designed,  // the method designed; the margin tells whether it meets its specification
};

// What a Design or Optimize flow did, for the editors and the command line to show.
struct SDesignResult {
    EDesignEnd end = EDesignEnd::Refused;
    bool hasCoefficients = false;
    // Whether the filter has a band list to measure, and its margin (dB; >= 0 meets it).
    bool measured = false;
    double margin = 0.0;
    // Exchange iterations of the last engine run of the design (0 when none ran).
    int iterations = 0;
    // The status text the flow showed ("" when it showed none).
    std::string statusText;
};

// The status text after a design: "Design succeeded, with a margin of %1 dB." (three
// decimals), "Design failed to meet specifcations.", or "Ready" for a filter without
// coefficients or without a band list to measure them against.
std::string DesignStatusText(CFirData& filter);

// Stores the specification again with the tap count taps, through steps.storeTaps when given;
// false when the front end refused it.
bool StoreFlowTaps(CFirData& filter, const SDesignFlowSteps& steps, int taps);

// The Design flow of every front end (the editors, `design`, `run ... design`), after the
// front end has stored its fields into filter: the method's own steps before its checks (the
// Lth-band estimate and odd-count question), or the estimate question for a count below the
// minimum; the tap-count checks and the method's own checks; the design (caption: the status
// display's title after "Designing "); the method's step after a design; the after-design
// step; and the status text through host (the filter's host). The design runs on control
// when given (whoever holds it may cancel it from any thread), else on a control of the flow's
// own.
SDesignResult RunDesignFlow(CFirData& filter, CHost& host, const std::string& caption,
                            const SDesignFlowSteps& steps = {}, CDesignControl* control = nullptr);

// The Optimize flow: a method with steps of its own before its checks runs them and its checks
// first; then the search for the fewest taps (its outcome is shown by the optimiser) and the
// after-design step. The optimiser's counters are kept in *pState when given; the search runs
// on control when given, else on one of the flow's own.
SDesignResult RunOptimizeFlow(CFirData& filter, CHost& host, const std::string& caption,
                              const SDesignFlowSteps& steps = {}, OptimizerState* pState = nullptr,
                              CDesignControl* control = nullptr);
