#include "design/design_flow.h"

#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "support/format_number.h"
#include "support/host.h"

namespace {

bool StoreTaps(CFirData& filter, const SDesignFlowSteps& steps, int taps) {
    if (steps.storeTaps)
        return steps.storeTaps(taps);
    filter.SetNumTaps(taps);
    return true;
}

// The end of both flows once the design has run: the after-design step and the result.
SDesignResult EndFlow(CFirData& filter, const SDesignFlowSteps& steps, bool designed) {
    if (steps.afterDesign)
        steps.afterDesign();
    SDesignResult result;
    result.end = filter.m_bCancel ? EDesignEnd::Cancelled
                 : designed       ? EDesignEnd::Designed
                                  : EDesignEnd::Failed;
    result.hasCoefficients = filter.HasCoefficients();
    result.measured = result.hasCoefficients && filter.GetNumBands() > 0;
    if (result.measured)
        result.margin = filter.GetMargin();
    return result;
}

} // namespace

std::string DesignStatusText(CFirData& filter) {
    if (!filter.HasCoefficients() || filter.GetNumBands() == 0)
        return kReadyText;
    const double margin = filter.GetMargin();
    if (margin >= 0.0)
        return FormatMessage(kMsgDesignSucceeded, {FormatNumber(margin, 3, false)});
    return kMsgDesignFailedSpec;
}

SDesignResult RunDesignFlow(CFirData& filter, CHost& host, const std::string& caption,
                            const SDesignFlowSteps& steps) {
    int taps = filter.GetNumTaps();
    if (!filter.AskEstimateTaps(taps))
        return {};
    if (taps != filter.GetNumTaps() && !StoreTaps(filter, steps, taps))
        return {};
    if (!filter.ValidateSpecs())
        return {};
    const bool designed = steps.design ? steps.design() : filter.DesignFilter(caption);
    SDesignResult result = EndFlow(filter, steps, designed);
    result.statusText = DesignStatusText(filter);
    host.SetStatusText(result.statusText);
    return result;
}

SDesignResult RunOptimizeFlow(CFirData& filter, CHost& /*host*/, const std::string& caption,
                              const SDesignFlowSteps& steps, OptimizerState* pState) {
    if (!filter.OptimizeFilter(caption, pState))
        return {};
    return EndFlow(filter, steps, true);
}
