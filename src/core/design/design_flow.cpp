#include "design/design_flow.h"

#include "design/design_job.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "support/format_number.h"
#include "support/host.h"

namespace {

// The end of both flows once the design has run: the method's step after a design, the
// after-design step and the result.
SDesignResult EndFlow(CFirData& filter, const SDesignMethod* method, const SDesignFlowSteps& steps,
                      const CDesignControl& control, bool designed) {
    if (method && method->afterDesign && filter.HasCoefficients())
        method->afterDesign(filter);
    if (steps.afterDesign)
        steps.afterDesign();
    SDesignResult result;
    result.end = control.CancelRequested() ? EDesignEnd::Cancelled
                 : designed                ? EDesignEnd::Designed
                                           : EDesignEnd::Failed;
    result.iterations = control.Iterations();
    result.hasCoefficients = filter.HasCoefficients();
    result.measured = result.hasCoefficients && filter.GetNumBands() > 0;
    if (result.measured)
        result.margin = filter.GetMargin();
    return result;
}

// The steps before the checks: the method's own, or the estimate question.
bool Prepare(CFirData& filter, CHost& host, const SDesignMethod* method,
             const SDesignFlowSteps& steps) {
    if (method && method->prepare)
        return method->prepare(filter, host, steps);
    int taps = filter.GetNumTaps();
    if (!filter.AskEstimateTaps(taps))
        return false;
    return taps == filter.GetNumTaps() || StoreFlowTaps(filter, steps, taps);
}

bool Validate(CFirData& filter, const SDesignFlowSteps& steps) {
    if (filter.ValidateSpecs())
        return true;
    if (steps.refused)
        steps.refused();
    return false;
}

bool Run(CFirData& filter, const SDesignMethod* method, const std::function<bool()>& design) {
    return method && method->run ? method->run(filter, design) : design();
}

} // namespace

bool StoreFlowTaps(CFirData& filter, const SDesignFlowSteps& steps, int taps) {
    if (steps.storeTaps)
        return steps.storeTaps(taps);
    filter.SetNumTaps(taps);
    return true;
}

std::string DesignStatusText(CFirData& filter) {
    if (!filter.HasCoefficients() || filter.GetNumBands() == 0)
        return kReadyText;
    const double margin = filter.GetMargin();
    if (margin >= 0.0)
        return FormatMessage(kMsgDesignSucceeded, {FormatNumber(margin, 3, false)});
    return kMsgDesignFailedSpec;
}

SDesignResult RunDesignFlow(CFirData& filter, CHost& host, const std::string& caption,
                            const SDesignFlowSteps& steps, CDesignControl* control) {
    const SDesignMethod* method = FindDesignMethod(filter.m_nDesignType);
    if (!Prepare(filter, host, method, steps) || !Validate(filter, steps))
        return {};
    CDesignControl own;
    CDesignControl& c = control ? *control : own;
    const bool designed = Run(filter, method, [&] {
        return steps.design ? steps.design(c) : filter.DesignFilter(caption, &c);
    });
    SDesignResult result = EndFlow(filter, method, steps, c, designed);
    result.statusText = DesignStatusText(filter);
    host.SetStatusText(result.statusText);
    return result;
}

SDesignResult RunOptimizeFlow(CFirData& filter, CHost& host, const std::string& caption,
                              const SDesignFlowSteps& steps, OptimizerState* pState,
                              CDesignControl* control) {
    const SDesignMethod* method = FindDesignMethod(filter.m_nDesignType);
    if (method && method->prepare &&
        (!method->prepare(filter, host, steps) || !Validate(filter, steps)))
        return {};
    CDesignControl own;
    CDesignControl& c = control ? *control : own;
    if (!Run(filter, method, [&] { return filter.OptimizeFilter(caption, pState, &c); }))
        return {};
    return EndFlow(filter, method, steps, c, true);
}
