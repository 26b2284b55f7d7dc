#include "design/design_summary.h"

#include "design/fir_data.h"
#include "support/format_number.h"
#include "support/paths.h"

namespace {

// Grid density, then one line per band: edges in the unit of Fs, the desired gain ("Passband"
// at exactly 0 dB, "Stopband" below -250 dB, otherwise the gain in dB) and the ripple or
// attenuation in dB.
std::string PmSummary(const CFirData& f) {
    const std::string unit = f.m_Fs.GetFreqUnitName();
    const double fs = f.m_Fs.m_dValue;
    std::string text = StrPrintf("Grid Density = %i\n", f.m_nGridDensity);
    text += "\nBands:\n";
    text += "       Lower              Upper       Desired    Attn/Ripple\n";
    text += "  -----------------------------------------------------------------\n";
    for (int i = 0; i < f.GetNumBands(); ++i) {
        text += StrPrintf("  %3.10f %-4s %3.10f %-4s ", f.Band(i).lower * fs, unit.c_str(),
                          f.Band(i).upper * fs, unit.c_str());
        const double gainDb = f.GetBandGain(i, true);
        if (gainDb == 0.0)
            text += "Passband";
        else if (gainDb < -250.0)
            text += "Stopband";
        else
            text += StrPrintf("%6.3f dB", gainDb);
        text += StrPrintf("%12.3f dB\n", f.GetBandAttn(i, true));
    }
    return text;
}

} // namespace

void GetDesignSummary(const CFirData& f, std::string& text, std::string& method) {
    text.clear();
    switch (f.m_nKind) {
    case kKindParksMcClellan:
        method = "Parks-McClellan";
        text = PmSummary(f);
        break;
    case kKindCic:
        method = "Cascaded Integrator Comb";
        text = StrPrintf("Number of stages,   N = %i\n", f.m_Cic.m_nStages) +
               StrPrintf("Rate change factor, R = %i\n", f.m_Cic.m_nRate) +
               StrPrintf("Differential Delay, M = %i\n", f.m_Cic.m_nDelay);
        break;
    case kKindRaisedCosine:
        method = "Raised Cosine";
        break;
    case kKindWindowedSinc:
        method = "Windowed Sinc";
        break;
    case kKindMaxflat:
        method = "Maxflat";
        text = f.m_Maxflat.m_bGammaGiven ? StrPrintf("Gamma = %f\n", f.m_Maxflat.m_dGamma)
                                         : StrPrintf("Beta = %f\n", f.m_Maxflat.m_dBeta);
        break;
    case kKindLthBand:
        method = "Lth Band";
        break;
    default:
        method = "Unkown";
        break;
    }
    text += QuantizationLossText(f);
}

std::string QuantizationLossText(const CFirData& f) {
    const std::optional<SQuantizationLoss> loss = MeasureQuantizationLoss(f);
    if (!loss)
        return std::string();
    return StrPrintf("Worst stopband level = %.2f dB unquantized, %.2f dB quantized (%.2f dB "
                     "lost to quantization)\n",
                     loss->dUnquantizedDb, loss->dQuantizedDb,
                     loss->dQuantizedDb - loss->dUnquantizedDb);
}

std::string HtmlReportImagePath(const std::string& outputPath, const char* suffix) {
    return ReplaceExtension(outputPath, "") + suffix;
}

std::string HtmlReportHead(const CFirData& f, const std::string& outputPath) {
    const std::string base = NameWithoutExtension(outputPath);
    std::string head = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                       "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n";
    head += StrPrintf("<HTML>\r\n\r\n<HEAD>\r\n<TITLE>\r\n%s\r\n</TITLE>\r\n<LINK "
                      "href=\"corvifir.css\" rel=\"stylesheet\" type=\"text/css\">\r\n</HEAD>\r\n"
                      "\r\n<BODY>\r\n",
                      base.c_str());
    const auto image = [&](const char* suffix) {
        return StrPrintf("<IMG SRC=\"%s%s\">\r\n\r\n", base.c_str(), suffix);
    };
    head += "<H3>Specifications</H3>\r\n" + image(kReportSpecImage);
    head += "<H3>Frequency Response</H3>\r\n" + image(kReportFreqImage);
    head += "<H3>Impulse Response</H3>\r\n" + image(kReportImpulseImage);
    head += "<H3>Design Parameters</H3>\r\n\n<PRE>\r\n";
    head += StrPrintf("Fs = %f %s\r\n", f.m_Fs.m_dValue, f.m_Fs.GetFreqUnitName().c_str());
    head += StrPrintf("Number of taps = %i\r\n", f.GetN());
    std::string summary, method;
    GetDesignSummary(f, summary, method);
    head += summary;
    head += "</PRE>\r\n\n<H3>Coefficients</H3>\r\n<PRE>\r\n";
    return head;
}

std::string HtmlReportTail() {
    return "</PRE>\r\n</BODY>\r\n</HTML>";
}
