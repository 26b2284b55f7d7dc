#include "design/design_summary.h"

#include "design/design_method.h"
#include "design/fir_data.h"
#include "support/format_number.h"
#include "support/paths.h"

void GetDesignSummary(const CFirData& f, std::string& text, std::string& method) {
    const CDesignMethodImpl* impl = DesignMethodOfKind(f.m_nKind);
    method = impl ? impl->SummaryName() : "Unkown";
    text = impl ? impl->SummaryText(f) : std::string();
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
