#include "cli_plot_render.h"

#include "io/io_messages.h"
#include "render/plot_painter.h"
#include "render/report_pictures.h"
#include "support/format_number.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The toolkit's own notes (a missing runtime folder, font fallbacks) are not the command's
// messages: only its critical and fatal ones reach the standard error.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// QtGui needs an application object; the command line draws offscreen.
void EnsureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    qInstallMessageHandler(ToolkitMessage);
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "corvifir-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace

bool HasPlotPictures() {
    return true;
}

std::string PlotPicturesUnavailable() {
    return {};
}

std::unique_ptr<CTextMeasurer> MakePlotMeasurer() {
    EnsureGuiApplication();
    return std::make_unique<CQtTextMeasurer>();
}

bool WritePlotPicture(CPlot& plot, int width, int height, const std::string& path,
                      std::string& error) {
    EnsureGuiApplication();
    std::string reason;
    if (PlotOutput::SavePlot(plot, QSize(width, height), QString::fromStdString(path), reason))
        return true;
    error = FormatMessage(kMsgCannotWriteFile, {path, reason});
    return false;
}

bool WriteReportPictures(const CFirData& filter, const SViewSettings& settings,
                         const std::string& reportPath, CHost& host) {
    EnsureGuiApplication();
    const SReportPictures pictures = {ReportSummaryPicture(filter),
                                      ReportPlotPicture(filter, settings, "magnitude"),
                                      ReportPlotPicture(filter, settings, "impulse")};
    return WriteReportPictureFiles(pictures, reportPath, host);
}
