#include "design/fir_data.h"
#include "design/method_messages.h"
#include "support/format_number.h"

#include <string>

namespace {

// Band table of a Parks-McClellan summary.
constexpr const char* kFmtGridDensity = "Grid Density = %i\n";
constexpr const char* kBandTableHead =
    "\nBands:\n"
    "       Lower              Upper       Desired    Attn/Ripple\n"
    "  -----------------------------------------------------------------\n";
constexpr const char* kFmtBandEdges = "  %3.10f %-4s %3.10f %-4s ";
constexpr const char* kBandPassband = "Passband";
constexpr const char* kBandStopband = "Stopband";
constexpr const char* kFmtBandGain = "%6.3f dB";
constexpr const char* kFmtBandAttn = "%12.3f dB\n";

} // namespace

void CFirData::GetDesignSummary(std::string& text, std::string& methodName) const {
    text.clear();
    switch (m_nKind) {
    case kKindParksMcClellan: {
        methodName = kNameParksMcClellan;
        const double fs = GetFs();
        const std::string unit = m_Fs.GetFreqUnitName();
        text = StrPrintf(kFmtGridDensity, m_nGridDensity);
        text += kBandTableHead;
        for (int i = 0; i < GetNumBands(); ++i) {
            text += StrPrintf(kFmtBandEdges, GetBandLower(i) * fs, unit.c_str(),
                              GetBandUpper(i) * fs, unit.c_str());
            const double gainDb = GetBandGain(i, true);
            if (gainDb == 0.0)
                text += kBandPassband;
            else if (gainDb < -250.0)
                text += kBandStopband;
            else
                text += StrPrintf(kFmtBandGain, gainDb);
            text += StrPrintf(kFmtBandAttn, GetBandAttn(i, true));
        }
        break;
    }
    case kKindCic:
        methodName = kNameCic;
        text = StrPrintf(kFmtCicStages, m_Cic.m_nStages) + StrPrintf(kFmtCicRate, m_Cic.m_nRate) +
               StrPrintf(kFmtCicDelay, m_Cic.m_nDelay);
        break;
    case kKindRaisedCosine:
        methodName = kNameRaisedCosine;
        break;
    case kKindWindowedSinc:
        methodName = kNameWindowedSinc;
        break;
    case kKindMaxflat:
        methodName = kNameMaxflat;
        text = m_Maxflat.m_bGammaGiven ? StrPrintf(kFmtMaxflatGamma, m_Maxflat.m_dGamma)
                                       : StrPrintf(kFmtMaxflatBeta, m_Maxflat.m_dBeta);
        break;
    case kKindLthBand:
        methodName = kNameLthBand;
        break;
    default:
        methodName = kNameUnknown;
        break;
    }
}
