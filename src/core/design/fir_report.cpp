#include "design/design_summary.h"
#include "design/fir_data.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"

namespace {

// The "HTML:Report" page of a filter around its coefficient text, its title and picture names
// taken from the file being written. Other signals keep the coefficient text alone.
void FrameHtmlReport(const CCorviData& set, const std::string& path, std::string& body) {
    const auto* filter = dynamic_cast<const CFirData*>(&set);
    if (!filter)
        return;
    body = HtmlReportHead(*filter, path) + body + HtmlReportTail();
}

} // namespace

void RegisterHtmlReport() {
    static const bool registered = (SetDocumentFrame(kFormatHtml, FrameHtmlReport), true);
    (void)registered;
}
