#pragma once

#include "plot/plot.h"

#include <QFont>
#include <QRect>

#include <string>
#include <utility>

class QPainter;
class QPaintDevice;
class CCrosshair;
class CRubberBand;

// The plot font (a bold sans face unless chosen otherwise) at a pixel height, measured on a
// paint device.
class CQtTextMeasurer : public CTextMeasurer {
public:
    explicit CQtTextMeasurer(QPaintDevice* pDevice = nullptr, SPlotFace face = {})
        : m_pDevice(pDevice), m_face(std::move(face)) {}
    double TextWidth(const std::string& text, double fontHeight) const override;
    double LineHeight(double fontHeight) const override;
    static QFont PlotFont(const SPlotFace& face, double pixelHeight);
    // The face of a font, as the plot keeps it.
    static SPlotFace FaceOf(const QFont& font);

private:
    QPaintDevice* m_pDevice;
    SPlotFace m_face;
};

// Draws a plot model with a QPainter: the same drawing serves the screen, printing, PDF, SVG,
// images and the clipboard, so vector output stays vector.
class CPlotPainter {
public:
    explicit CPlotPainter(CPlot& plot) : m_plot(plot) {}

    // Lays the plot out in rect (scaling and building its points when they were emptied) and
    // draws it. percent: base font height in percent of the smaller side (4 screen, 3 paper).
    void Draw(QPainter& painter, const QRect& rect, double percent = 4.0);
    // Draws the plot as last laid out, without computing anything.
    void Paint(QPainter& painter) const;

    // The rubber band's lines or rectangle and the crosshair lines, in the cursor colour.
    static void DrawRubberBand(QPainter& painter, const CRubberBand& band);
    static void DrawCrosshair(QPainter& painter, const SDeviceRect& plot, const CCrosshair& lines);

private:
    void PaintTitles(QPainter& painter, const CPlotLayout& l) const;
    void PaintGrid(QPainter& painter, const CPlotLayout& l) const;
    void PaintAxes(QPainter& painter, const CPlotLayout& l) const;
    void PaintLegend(QPainter& painter, const CPlotLayout& l) const;
    void PaintCurves(QPainter& painter, const CPlotLayout& l) const;
    void PaintMarks(QPainter& painter, const CPlotLayout& l) const;
    void PaintMessage(QPainter& painter, const CPlotLayout& l) const;
    CPlot& m_plot;
};

// Convenience outputs of a plot drawn at a size in device units (pixels).
namespace PlotOutput {
// The plot on a white image.
QImage RenderImage(CPlot& plot, QSize size);
// Writes the plot as SVG, PDF or an image (PNG, BMP, ...) by the path's extension through the
// safe file writer; false, with the reason, when the file cannot be written.
bool SavePlot(CPlot& plot, QSize size, const QString& path, std::string& reason);
// The SVG text and the PDF document of the plot (empty when it cannot be drawn).
QByteArray SvgBytes(CPlot& plot, QSize size);
QByteArray PdfBytes(CPlot& plot, QSize size);
// A picture of a window for the report: the image in a grey frame 7 units wide (15 in all).
QImage FramedCapture(const QImage& client);
} // namespace PlotOutput
