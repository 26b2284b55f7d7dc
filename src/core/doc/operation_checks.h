#pragma once

#include "data/sampling_frequency.h"
#include "design/constraint_rules.h"
#include "design/quant_options.h"
#include "doc/dialog_settings.h"
#include "dsp/min_phase_options.h"

#include <string>

class CFirData;
class CHost;

// The checks the operation dialogs make when they close with OK. Each returns the message of the
// first check that fails, or "" when the values are accepted; the dialog shows the message (stop
// icon) and stays open.

// "Quantize": grid values 1 to 256, grid order, then 1 to 62 bits.
std::string CheckQuantizeDialog(const CQuantizeSettings& s);
// "Fill Coefficients With Constant": at least one tap.
std::string CheckFillConstantDialog(const CCombFillSettings& s);
// "Select Polyphase Filter" for a filter of nTaps taps: 0 < phases < nTaps, phases divides nTaps,
// 0 <= phase < phases.
std::string CheckPolyphaseDialog(const CPolyphaseSettings& s, int nTaps);
// "Window Filter Coefficients": gamma of Dolph-Chebyshev at least 1, alpha of Kaiser-Bessel above
// 0 (the command then ends as if cancelled).
std::string CheckWindowDialog(const CWindowSettings& s);
// "Fill Coefficients With Constant": with "= 1 / NTaps" on and taps above 0, the constant becomes
// 1 / taps.
void ApplyOneOverN(CCombFillSettings& s);
// The parameter the window operation takes: gamma, alpha or 0.
double WindowParameter(const CWindowSettings& s);

// The dialog values of a quantization record, and back: the bit count is kept negated while
// "Quantize to" is off.
SQuantDialogValues GetQuantDialogValues(const QuantOptions& q);
QuantOptions QuantOptionsOf(const SQuantDialogValues& v);

// The pages of the "FIR Design Options" sheet.
struct CDesignOptions {
    CFs m_Fs;
    bool m_bConstraintPages = true; // the taps and minimum-phase pages (not for CIC)
    SConstraintPageValues m_NTaps;
    MinPhaseOptions m_MinPhase;
    SQuantDialogValues m_Quant;
    int m_nPage = 0;           // the page shown first
    NTapsConstraints m_Limits; // the filter's constraints: the absolute limits of the method
};
// The first page (index in the sheet) whose values a check refuses, with the refusal's text;
// page -1 when every page accepts its values.
struct SOptionsRefusal {
    int page = -1;
    std::string text;
};
// The sheet's values of a filter's settings.
CDesignOptions GetDesignOptions(const CFirData& filter, int page);
// "Quantization" page: 1 to 63 bits, grid values 1 to 256 and in order.
std::string CheckQuantPage(const SQuantDialogValues& v);
// "Min Phase" page: a maximum error above 0 dB.
std::string CheckMinPhasePage(const MinPhaseOptions& m);
// Each page's checks in page order: the first refusal. A minimum or maximum outside the absolute
// limits is reset to them in the options.
SOptionsRefusal CheckDesignOptions(CDesignOptions& options);
// OK of the sheet: each page's checks in page order (the first refusal is shown through host and
// the result is false, nothing stored); then the values are written into the filter.
bool ApplyDesignOptions(CDesignOptions& options, CFirData& filter, CHost& host);
