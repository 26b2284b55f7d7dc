#include "design/design_method.h"

#include "design/design_types.h"
#include "design/fir_data.h"

SDesignOutcome SDesignOutcome::OfTaps(std::vector<double> taps) {
    SDesignOutcome outcome;
    outcome.end = taps.empty() ? EEnd::Failed : EEnd::Designed;
    outcome.taps = std::move(taps);
    return outcome;
}

SDesignOutcome SDesignOutcome::Failure(std::string text, std::vector<double> taps) {
    SDesignOutcome outcome;
    outcome.taps = std::move(taps);
    outcome.failure.text = std::move(text);
    return outcome;
}

std::string CDesignMethodImpl::SummaryText(const CFirData&) const {
    return std::string();
}

bool CDesignMethodImpl::Check(CFirData& filter) const {
    return !ShowMethodMessage(filter, Validate(filter));
}

std::optional<SMethodMessage> CDesignMethodImpl::CannotEstimate(const CFirData&) const {
    return SMethodMessage{};
}

int CDesignMethodImpl::Estimate(const CFirData& filter) const {
    return filter.GetNumTaps();
}

bool CDesignMethodImpl::Optimize(CFirData&, const SDesignJob&, OptimizerState*) const {
    return false;
}

bool ShowMethodMessage(const CFirData& filter, const SMethodMessage& message) {
    if (message.Empty())
        return false;
    if (CHost* host = filter.GetHost())
        host->ShowMessage(message.text, message.icon);
    return true;
}

const CDesignMethodImpl* DesignMethodOfKind(int kind) {
    for (const SDesignMethod& row : DesignMethods())
        if (row.kind == kind && row.impl)
            return &row.impl();
    return nullptr;
}
