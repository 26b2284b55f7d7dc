#pragma once

#include <string>

class CFirData;

// The plain-text description of a design's parameters and the name of its method, by design
// kind ("Parks-McClellan" with its band table, "Cascaded Integrator Comb" with N, R and M, ...).
// A filter whose quantized coefficients keep their unquantized copy adds the quantization loss.
void GetDesignSummary(const CFirData& filter, std::string& text, std::string& method);
// "Worst stopband level = A dB unquantized, B dB quantized (B - A dB lost to quantization)" for
// a filter with stopbands and an unquantized copy of its coefficients; "" otherwise.
std::string QuantizationLossText(const CFirData& filter);

// The HTML report around the coefficient text of the "HTML:Report" format: the head (title,
// the three pictures beside the report, Fs, the tap count and the design summary) and the tail.
// outputPath is the report's path; its name without folder and extension titles the page and
// prefixes the picture names.
std::string HtmlReportHead(const CFirData& filter, const std::string& outputPath);
std::string HtmlReportTail();
// Makes the "HTML:Report" data file format write a filter's report page around its
// coefficients (once per process; every filter does it when it is made).
void RegisterHtmlReport();

// The picture files the desktop program writes beside a report: the report's path without its
// extension followed by "_spec.bmp", "_freq_rsp.bmp" and "_imp_rsp.bmp".
std::string HtmlReportImagePath(const std::string& outputPath, const char* suffix);
inline constexpr const char* kReportSpecImage = "_spec.bmp";
inline constexpr const char* kReportFreqImage = "_freq_rsp.bmp";
inline constexpr const char* kReportImpulseImage = "_imp_rsp.bmp";
