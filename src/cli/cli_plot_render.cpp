#include "cli_plot_render.h"

#include "design/design_summary.h"
#include "design/fir_data.h"
#include "io/io_messages.h"
#include "plot/fir_plot_request.h"
#include "plot/graph.h"
#include "plot/image_file.h"
#include "plot/plot_painter.h"
#include "support/format_number.h"
#include "support/host.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>

namespace {

// Size of the window pictures of a report, like a project window's pane (device units).
constexpr int kReportWidth = 640;
constexpr int kReportHeight = 400;

// QtGui needs an application object; the command line draws offscreen.
void EnsureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "corvifir-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The design summary as a window would show it: method and parameter lines on white.
QImage SummaryImage(const CFirData& filter) {
    std::string text, method;
    GetDesignSummary(filter, text, method);
    QImage image(kReportWidth, kReportHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString all = QString::fromStdString(method + "\n\n" + text);
    painter.drawText(image.rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop, all);
    return image;
}

QImage ViewImage(const CFirData& filter, const char* word) {
    SFirPlotRequest request;
    for (size_t i = 0; i < FirPlotViews().size(); ++i)
        if (std::string(FirPlotViews()[i].word) == word)
            request.nView = static_cast<int>(i);
    std::string error;
    std::unique_ptr<CGraph> plot = MakeFirPlot(filter, request, nullptr, error);
    if (!plot)
        return QImage();
    return PlotOutput::RenderImage(*plot, QSize(kReportWidth, kReportHeight));
}

} // namespace

bool HasPlotPictures() {
    return true;
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

bool WriteReportPictures(const CFirData& filter, const std::string& reportPath, CHost& host) {
    EnsureGuiApplication();
    const std::pair<const char*, QImage> pictures[] = {
        {kReportSpecImage, SummaryImage(filter)},
        {kReportFreqImage, ViewImage(filter, "magnitude")},
        {kReportImpulseImage, ViewImage(filter, "impulse")},
    };
    bool ok = true;
    for (const auto& [suffix, image] : pictures) {
        const std::string path = HtmlReportImagePath(reportPath, suffix);
        std::string reason;
        if (!WriteImageFile(PlotOutput::FramedCapture(image), QString::fromStdString(path),
                            reason)) {
            host.Error(FormatMessage(kMsgCannotWriteFile, {path, reason}));
            ok = false;
        }
    }
    return ok;
}
