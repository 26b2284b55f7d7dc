#pragma once

#include <QImage>

#include <string>

class CFirData;
class CHost;
struct SViewSettings;

// The pictures an HTML report shows, each a window's client area in its grey frame: the
// specification, the frequency response and the impulse response.
struct SReportPictures {
    QImage spec;
    QImage freq;
    QImage impulse;
};

// Pictures drawn from the filter alone, the size of a project window's pane, for a report
// without windows: the design summary as text, and the plot the command line names view
// ("magnitude", "impulse") with the project's view settings. Each in its grey frame.
QImage ReportSummaryPicture(const CFirData& filter);
QImage ReportPlotPicture(const CFirData& filter, const SViewSettings& settings, const char* view);

// Writes the pictures beside the report: its path without the extension followed by
// "_spec.bmp", "_freq_rsp.bmp" and "_imp_rsp.bmp". A file that cannot be written is reported
// through the host; false when any could not.
bool WriteReportPictureFiles(const SReportPictures& pictures, const std::string& reportPath,
                             CHost& host);
