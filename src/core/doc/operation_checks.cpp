#include "doc/operation_checks.h"

#include "design/coefficient_messages.h"
#include "design/fir_data.h"
#include "doc/command_messages.h"
#include "dsp/operation_settings.h"
#include "dsp/signal_messages.h"
#include "dsp/windows.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cstdlib>

namespace {

// The class library's range check of an integer field; "" when v lies in [low, high].
std::string RangeRefusal(int v, int low, int high) {
    if (v >= low && v <= high)
        return {};
    return FormatMessage(CmdMsg::kIntegerRange, {std::to_string(low), std::to_string(high)});
}

// The grid range fields (1 to 256 each), then their order.
std::string SearchGridRefusal(int low, int high) {
    for (int v : {low, high})
        if (std::string text = RangeRefusal(v, 1, 256); !text.empty())
            return text;
    return low > high ? kMsgQuantSearchRange : "";
}

} // namespace

std::string CheckQuantizeDialog(const CQuantizeSettings& s) {
    if (std::string text = SearchGridRefusal(s.m_nSearchLow, s.m_nSearchHigh); !text.empty())
        return text;
    if (s.m_nBits <= 0 || s.m_nBits > 62)
        return kMsgQuantBitsRange;
    return {};
}

std::string CheckFillConstantDialog(const CCombFillSettings& s) {
    return s.m_nTaps < 1 ? CmdMsg::kFillTapsNotPositive : "";
}

std::string CheckPolyphaseDialog(const CPolyphaseSettings& s, int nTaps) {
    const int phases = s.m_nPhases;
    if (!(phases > 0 && phases < nTaps))
        return CmdMsg::kPhasesOutOfRange;
    if (nTaps % phases != 0)
        return CmdMsg::kPhasesNotDividing;
    if (s.m_nPhase < 0 || s.m_nPhase >= phases)
        return CmdMsg::kPhaseOutOfRange;
    return {};
}

std::string CheckWindowDialog(const CWindowSettings& s) {
    if (s.m_nCode == static_cast<int>(EWindow::DolphChebyshev) && !(s.m_fGamma >= 1.0f))
        return SignalMsg::kGammaTooSmall;
    if (s.m_nCode == static_cast<int>(EWindow::KaiserBessel) && !(s.m_fAlpha > 0.0f))
        return SignalMsg::kAlphaNotPositive;
    return {};
}

double WindowParameter(const CWindowSettings& s) {
    return WindowSettingsParameter(s.m_nCode, s.m_fAlpha, s.m_fGamma);
}

void ApplyOneOverN(CCombFillSettings& s) {
    if (s.m_bOneOverN && s.m_nTaps > 0)
        s.m_dConstant = 1.0 / s.m_nTaps;
}

// ---- design options ------------------------------------------------------------------------

SQuantDialogValues GetQuantDialogValues(const QuantOptions& q) {
    SQuantDialogValues v;
    v.m_bQuantize = q.m_nBits > 0;
    v.m_nBits = std::abs(q.m_nBits);
    v.m_bSave = q.m_bSaveInFileOptions;
    v.m_nAlgorithm = q.m_nAlgorithm;
    v.m_bTruncateZeros = q.m_bTruncateZeros;
    v.m_nSearchLow = q.m_nSearchLow;
    v.m_nSearchHigh = q.m_nSearchHigh;
    return v;
}

QuantOptions QuantOptionsOf(const SQuantDialogValues& v) {
    QuantOptions q;
    q.m_nBits = v.m_bQuantize ? v.m_nBits : -v.m_nBits;
    q.m_bSaveInFileOptions = v.m_bSave;
    q.m_nAlgorithm = v.m_nAlgorithm;
    q.m_bTruncateZeros = v.m_bTruncateZeros;
    q.m_nSearchLow = v.m_nSearchLow;
    q.m_nSearchHigh = v.m_nSearchHigh;
    return q;
}

CDesignOptions GetDesignOptions(const CFirData& filter, int page) {
    CDesignOptions o;
    o.m_Fs = filter.m_Fs;
    o.m_bConstraintPages = filter.m_nKind != kKindCic;
    o.m_NTaps = GetConstraintPageValues(filter.m_Constraints);
    o.m_Limits = filter.m_Constraints;
    o.m_MinPhase = filter.m_MinPhase;
    o.m_Quant = GetQuantDialogValues(filter.m_Quant);
    o.m_nPage = page;
    return o;
}

std::string CheckQuantPage(const SQuantDialogValues& v) {
    if (std::string text = RangeRefusal(v.m_nBits, 1, 63); !text.empty())
        return text;
    return SearchGridRefusal(v.m_nSearchLow, v.m_nSearchHigh);
}

std::string CheckMinPhasePage(const MinPhaseOptions& m) {
    return m.m_dMaxDbError > 0.0 ? "" : kMsgMaxDbErrorNotPositive;
}

SOptionsRefusal CheckDesignOptions(CDesignOptions& o) {
    // Pages in the sheet's order: Sampling Frequency, NTaps Constraints, Min Phase, Quantization
    // (the middle two only for methods with constraints).
    int page = 1;
    if (o.m_bConstraintPages) {
        if (std::string text = CheckConstraintPage(o.m_NTaps, o.m_Limits); !text.empty())
            return {page, text};
        if (std::string text = CheckMinPhasePage(o.m_MinPhase); !text.empty())
            return {page + 1, text};
        page += 2;
    }
    if (std::string text = CheckQuantPage(o.m_Quant); !text.empty())
        return {page, text};
    return {};
}

bool ApplyDesignOptions(CDesignOptions& o, CFirData& filter, CHost& host) {
    o.m_Limits = filter.m_Constraints;
    if (const SOptionsRefusal refusal = CheckDesignOptions(o); refusal.page >= 0) {
        host.Error(refusal.text);
        return false;
    }
    filter.ApplyFs(o.m_Fs);
    if (o.m_bConstraintPages) {
        ApplyConstraintPage(o.m_NTaps, filter.m_Constraints, nullptr);
        filter.m_MinPhase = o.m_MinPhase;
    }
    filter.m_Quant = QuantOptionsOf(o.m_Quant);
    return true;
}
