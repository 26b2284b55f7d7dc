#include "design/design_summary.h"
#include "design/fir_data.h"
#include "io/file_formats.h"

int CFirData::Write(CFileFormatOpts& opts, std::string& out, int columnA, int columnB, int step) {
    if (opts.m_nFormat != kFormatHtml)
        return CCorviData::Write(opts, out, columnA, columnB, step);
    std::string coefficients;
    if (!CCorviData::Write(opts, coefficients, columnA, columnB, step))
        return 0;
    out += HtmlReportHead(*this, m_strWritingPath);
    out += coefficients;
    out += HtmlReportTail();
    return 1;
}
