#include "render/report_pictures.h"

#include "design/design_summary.h"
#include "design/fir_data.h"
#include "io/io_messages.h"
#include "plot/fir_plot_request.h"
#include "plot/graph.h"
#include "render/image_file.h"
#include "render/plot_painter.h"
#include "support/format_number.h"
#include "support/host.h"

#include <QPainter>

namespace {

// Size of the pictures drawn without a window, like a project window's pane (device units).
constexpr int kReportWidth = 640;
constexpr int kReportHeight = 400;

} // namespace

QImage ReportSummaryPicture(const CFirData& filter) {
    std::string text, method;
    GetDesignSummary(filter, text, method);
    QImage image(kReportWidth, kReportHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QString all = QString::fromStdString(method + "\n\n" + text);
        painter.drawText(image.rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop,
                         all);
    }
    return PlotOutput::FramedCapture(image);
}

QImage ReportPlotPicture(const CFirData& filter, const SViewSettings& settings, const char* view) {
    SFirPlotRequest request;
    request.viewSettings = settings;
    for (size_t i = 0; i < FirPlotViews().size(); ++i)
        if (std::string(FirPlotViews()[i].word) == view)
            request.nView = static_cast<int>(i);
    std::string error;
    std::unique_ptr<CGraph> plot = MakeFirPlot(filter, request, nullptr, error);
    QImage image(kReportWidth, kReportHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (plot)
        image = PlotOutput::RenderImage(*plot, image.size());
    return PlotOutput::FramedCapture(image);
}

bool WriteReportPictureFiles(const SReportPictures& pictures, const std::string& reportPath,
                             CHost& host) {
    const std::pair<const char*, const QImage*> files[] = {
        {kReportSpecImage, &pictures.spec},
        {kReportFreqImage, &pictures.freq},
        {kReportImpulseImage, &pictures.impulse},
    };
    bool ok = true;
    for (const auto& [suffix, image] : files) {
        const std::string path = HtmlReportImagePath(reportPath, suffix);
        std::string reason;
        if (!WriteImageFile(*image, QString::fromStdString(path), reason)) {
            host.Error(FormatMessage(kMsgCannotWriteFile, {path, reason}));
            ok = false;
        }
    }
    return ok;
}
