#include "render/plot_painter.h"

#include "plot/rubber_band.h"
#include "render/image_file.h"
#include "render/image_memory.h"
#include "support/file_access.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

const QColor kGridColor(160, 160, 160);
const QColor kCursorColor(209, 116, 168);

QColor ToQColor(SRgb c) {
    return QColor(c.r, c.g, c.b);
}

QString ToQString(const std::string& s) {
    return QString::fromStdString(s);
}

QRectF Grown(const SDeviceRect& r, int by) {
    return QRectF(r.left - by, r.top - by, r.right - r.left + 2 * by + 1,
                  r.bottom - r.top + 2 * by + 1);
}

bool HasDots(int style) {
    return style == kStyleDot || style == kStyleLineDot || style == kStyleStem;
}

} // namespace

// ---- text ---------------------------------------------------------------------------------------

QFont CQtTextMeasurer::PlotFont(const SPlotFace& face, double pixelHeight) {
    QFont font(ToQString(face.m_strFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(face.m_nWeight, 100, 900)));
    font.setItalic(face.m_bItalic);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
    return font;
}

SPlotFace CQtTextMeasurer::FaceOf(const QFont& font) {
    return {font.family().toStdString(), static_cast<int>(font.weight()), font.italic()};
}

double CQtTextMeasurer::TextWidth(const std::string& text, double fontHeight) const {
    const QFont font = PlotFont(m_face, fontHeight);
    const QFontMetricsF m = m_pDevice ? QFontMetricsF(font, m_pDevice) : QFontMetricsF(font);
    return m.horizontalAdvance(ToQString(text));
}

double CQtTextMeasurer::LineHeight(double fontHeight) const {
    const QFont font = PlotFont(m_face, fontHeight);
    const QFontMetricsF m = m_pDevice ? QFontMetricsF(font, m_pDevice) : QFontMetricsF(font);
    return m.height();
}

// ---- drawing ------------------------------------------------------------------------------------

void CPlotPainter::Draw(QPainter& painter, const QRect& rect, double percent) {
    const CQtTextMeasurer measurer(painter.device(), m_plot.m_face);
    m_plot.Prepare(measurer, {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1},
                   percent);
    Paint(painter);
}

void CPlotPainter::Paint(QPainter& painter) const {
    const CPlotLayout& l = m_plot.Layout();
    if (!l.m_bDrawn)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintTitles(painter, l);
    PaintGrid(painter, l);
    PaintAxes(painter, l);
    PaintLegend(painter, l);
    painter.setClipRect(Grown(l.m_plot, l.m_nDotRadius));
    PaintCurves(painter, l);
    for (const SOverlayLine& o : l.m_overlay) {
        painter.setPen(QPen(ToQColor(o.m_color), 1));
        painter.drawLine(o.x1, o.y1, o.x2, o.y2);
    }
    PaintMarks(painter, l);
    painter.setClipping(false);
    PaintMessage(painter, l);
    painter.restore();
}

void CPlotPainter::PaintMarks(QPainter& painter, const CPlotLayout& l) const {
    if (l.m_marks.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QFont font = CQtTextMeasurer::PlotFont(m_plot.m_face, l.m_dLabelFontHeight * 0.8);
    painter.setFont(font);
    for (const SPlotMark& m : l.m_marks) {
        QPen pen(ToQColor(m.m_color), m.nShape == SPlotMark::kOutline ? 1 : 2);
        pen.setCosmetic(true);
        painter.setPen(pen);
        const QPointF at(m.x, m.y);
        switch (m.nShape) {
        case SPlotMark::kCross:
            painter.drawLine(at + QPointF(-m.rx, -m.rx), at + QPointF(m.rx, m.rx));
            painter.drawLine(at + QPointF(-m.rx, m.rx), at + QPointF(m.rx, -m.rx));
            break;
        case SPlotMark::kOutline:
            painter.drawEllipse(at, m.rx, m.ry);
            break;
        default:
            painter.drawEllipse(at, m.rx, m.rx);
            break;
        }
        if (!m.m_strText.empty())
            painter.drawText(at + QPointF(m.rx + 2, -m.rx - 2), ToQString(m.m_strText));
    }
    painter.restore();
}

void CPlotPainter::PaintMessage(QPainter& painter, const CPlotLayout& l) const {
    if (l.m_strMessage.empty())
        return;
    const SDeviceRect& p = l.m_plot;
    const QRect box(p.left, p.top, p.right - p.left, p.bottom - p.top);
    painter.setFont(CQtTextMeasurer::PlotFont(m_plot.m_face, l.m_dFontHeight));
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(box.width() / 10, 0, -box.width() / 10, 0),
                     Qt::AlignCenter | Qt::TextWordWrap, ToQString(l.m_strMessage));
}

void CPlotPainter::PaintTitles(QPainter& painter, const CPlotLayout& l) const {
    const QFont font = CQtTextMeasurer::PlotFont(m_plot.m_face, l.m_dFontHeight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF m(font, painter.device());
    const auto centred = [&](const SPlacedText& t) {
        const QString s = ToQString(t.m_strText);
        painter.drawText(QPointF(t.x - m.horizontalAdvance(s) / 2, t.y), s);
    };
    centred(l.m_mainTitle);
    centred(l.m_xTitle);
    const QString y = ToQString(l.m_yTitle.m_strText);
    painter.save();
    painter.translate(l.m_yTitle.x, l.m_yTitle.y);
    painter.rotate(-90);
    painter.drawText(QPointF(-m.horizontalAdvance(y) / 2, (m.ascent() - m.descent()) / 2), y);
    painter.restore();
}

void CPlotPainter::PaintGrid(QPainter& painter, const CPlotLayout& l) const {
    QPen pen(kGridColor, 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const SDeviceRect& p = l.m_plot;
    for (int x : l.m_gridX)
        if (x > p.left && x <= p.right)
            painter.drawLine(x, p.bottom - 1, x, p.top);
    for (int y : l.m_gridY)
        if (y >= p.top && y < p.bottom)
            painter.drawLine(p.left + 1, y, p.right, y);
}

void CPlotPainter::PaintAxes(QPainter& painter, const CPlotLayout& l) const {
    if (l.m_dLabelFontHeight <= 0)
        return;
    const SDeviceRect& p = l.m_plot;
    QPen pen(Qt::black, 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(p.left, p.bottom, p.right, p.bottom);
    painter.drawLine(p.left, p.bottom, p.left, p.top);
    if (l.m_nZeroY >= p.top && l.m_nZeroY <= p.bottom)
        painter.drawLine(p.left, l.m_nZeroY, p.right, l.m_nZeroY);
    if (l.m_nZeroX >= p.left && l.m_nZeroX <= p.right)
        painter.drawLine(l.m_nZeroX, p.bottom, l.m_nZeroX, p.top);
    const int tic = l.m_nTicLength;
    for (int x : l.m_ticX)
        if (x >= p.left && x <= p.right)
            painter.drawLine(x, p.bottom + tic, x, p.bottom - tic);
    for (int y : l.m_ticY)
        if (y >= p.top && y <= p.bottom)
            painter.drawLine(p.left - tic, y, p.left + tic, y);
    const QFont font = CQtTextMeasurer::PlotFont(m_plot.m_face, l.m_dLabelFontHeight);
    painter.setFont(font);
    const QFontMetricsF m(font, painter.device());
    for (const SPlacedText& t : l.m_xLabels) {
        const QString s = ToQString(t.m_strText);
        painter.drawText(QPointF(t.x - m.horizontalAdvance(s) / 2, t.y), s);
    }
    for (const SPlacedText& t : l.m_yLabels) {
        const QString s = ToQString(t.m_strText);
        painter.drawText(
            QPointF(t.x - m.horizontalAdvance(s), t.y + (m.ascent() - m.descent()) / 2), s);
    }
}

void CPlotPainter::PaintLegend(QPainter& painter, const CPlotLayout& l) const {
    if (l.m_legend.empty())
        return;
    const QFont font = CQtTextMeasurer::PlotFont(
        m_plot.m_face, l.m_dLegendFontHeight > 0 ? l.m_dLegendFontHeight : l.m_dFontHeight);
    painter.setFont(font);
    const QFontMetricsF m(font, painter.device());
    for (const SLegendEntry& e : l.m_legend) {
        QPen pen(ToQColor(e.m_color), 3, e.m_bDotted ? Qt::DotLine : Qt::SolidLine);
        painter.setPen(pen);
        if (l.m_nStyle != kStyleDot)
            painter.drawLine(e.x1, e.y, e.x2, e.y);
        if (HasDots(l.m_nStyle)) {
            painter.setBrush(e.m_bDotted ? QColor(Qt::white) : ToQColor(e.m_color));
            painter.drawEllipse(QPoint((e.x1 + e.x2) / 2, e.y), l.m_nDotRadius, l.m_nDotRadius);
        }
        painter.setPen(Qt::black);
        const QString s = ToQString(e.m_strName);
        painter.drawText(
            QPointF(e.nameX - m.horizontalAdvance(s) / 2, e.y + (m.ascent() - m.descent()) / 2), s);
    }
    painter.setBrush(Qt::NoBrush);
}

void CPlotPainter::PaintCurves(QPainter& painter, const CPlotLayout& l) const {
    const int style = l.m_nStyle;
    const int r = l.m_nDotRadius;
    const int base = l.m_nBaseY;
    for (size_t c = 0; c < l.m_curves.size(); ++c) {
        const std::vector<SDevicePoint>& pts = l.m_curves[c];
        if (pts.empty())
            continue;
        const SCurveAttributes& a = l.m_curveAttributes[c];
        const QColor color = ToQColor(a.m_color);
        QPen pen(color, 1, a.m_bDotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(a.m_bDotted ? QColor(Qt::white) : color);
        std::vector<QPoint> poly(pts.size());
        std::transform(pts.begin(), pts.end(), poly.begin(),
                       [](const SDevicePoint& p) { return QPoint(p.x, p.y); });
        const auto dots = [&] {
            for (const QPoint& p : poly)
                painter.drawEllipse(p, r, r);
        };
        switch (style) {
        case kStyleDot:
            dots();
            break;
        case kStyleLineDot:
            painter.drawPolyline(poly.data(), static_cast<int>(poly.size()));
            dots();
            break;
        case kStyleStem:
            for (const QPoint& p : poly)
                painter.drawLine(p.x(), base, p.x(), p.y());
            dots();
            break;
        case kStyleVLine:
            for (const QPoint& p : poly)
                painter.drawLine(p.x(), base, p.x(), p.y());
            break;
        case kStyleStair: {
            QPolygon stair;
            stair << poly[0];
            for (size_t i = 1; i < poly.size(); ++i)
                stair << QPoint(poly[i].x(), poly[i - 1].y()) << poly[i];
            painter.drawPolyline(stair);
            break;
        }
        case kStyleBar: {
            const int width = poly.size() > 1 ? std::abs(poly[1].x() - poly[0].x()) : 1;
            int left = poly[0].x() - width / 2;
            for (const QPoint& p : poly) {
                if (width < 3) {
                    painter.drawLine(p.x(), base, p.x(), p.y());
                    continue;
                }
                const QRect bar(QPoint(left, std::min(base, p.y())),
                                QPoint(left + width, std::max(base, p.y())));
                for (int x = bar.left() + 1; x < bar.right(); ++x)
                    painter.drawLine(x, bar.top(), x, bar.bottom());
                painter.save();
                painter.setPen(QPen(Qt::black, 1));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(bar);
                painter.restore();
                left += width;
            }
            break;
        }
        default:
            painter.drawPolyline(poly.data(), static_cast<int>(poly.size()));
            break;
        }
    }
    painter.setBrush(Qt::NoBrush);
}

void CPlotPainter::DrawRubberBand(QPainter& painter, const CRubberBand& band) {
    if (!band.IsActive())
        return;
    painter.save();
    painter.setPen(QPen(kCursorColor, 1));
    painter.setBrush(Qt::NoBrush);
    const SDeviceRect& p = band.Plot();
    switch (band.Mode()) {
    case kBandX:
        painter.drawLine(band.AnchorX(), p.top, band.AnchorX(), p.bottom);
        if (band.HasMoved())
            painter.drawLine(band.PointX(), p.top, band.PointX(), p.bottom);
        break;
    case kBandY:
        painter.drawLine(p.left, band.AnchorY(), p.right, band.AnchorY());
        if (band.HasMoved())
            painter.drawLine(p.left, band.PointY(), p.right, band.PointY());
        break;
    default:
        if (band.HasMoved())
            painter.drawRect(
                QRect(QPoint(band.AnchorX(), band.AnchorY()), QPoint(band.PointX(), band.PointY()))
                    .normalized());
        break;
    }
    painter.restore();
}

void CPlotPainter::DrawCrosshair(QPainter& painter, const SDeviceRect& plot,
                                 const CCrosshair& lines) {
    if (lines.IsEmpty())
        return;
    painter.save();
    painter.setPen(QPen(kCursorColor, 1));
    for (int x : lines.VerticalLines())
        painter.drawLine(x, plot.top, x, plot.bottom);
    for (int y : lines.HorizontalLines())
        painter.drawLine(plot.left, y, plot.right, y);
    painter.restore();
}

// ---- outputs ------------------------------------------------------------------------------------

namespace PlotOutput {

namespace {
constexpr const char* kReasonCannotDraw = "the picture could not be drawn";
} // namespace

QImage RenderImage(CPlot& plot, QSize size) {
    QImage image = NewOpaqueImage(size);
    image.fill(Qt::white);
    QPainter painter(&image);
    CPlotPainter(plot).Draw(painter, image.rect());
    return image;
}

namespace {
void DrawOnWhite(CPlot& plot, QPainter& painter, const QRect& rect) {
    painter.fillRect(rect, Qt::white);
    CPlotPainter(plot).Draw(painter, rect);
}
} // namespace

QByteArray SvgBytes(CPlot& plot, QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setDescription(QStringLiteral("Corvi Plot"));
    {
        QPainter painter(&svg);
        DrawOnWhite(plot, painter, QRect(QPoint(0, 0), size));
    }
    return buffer.data();
}

QByteArray PdfBytes(CPlot& plot, QSize size) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0),
                                  QPageSize::Point));
        QPainter painter;
        if (!painter.begin(&pdf))
            return QByteArray();
        DrawOnWhite(plot, painter, QRect(QPoint(0, 0), QSize(pdf.width(), pdf.height())));
        painter.end();
    }
    return buffer.data();
}

bool SavePlot(CPlot& plot, QSize size, const QString& path, std::string& reason) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != "svg" && ext != "pdf")
        return WriteImageFile(RenderImage(plot, size), path, reason);
    const QByteArray bytes = ext == "svg" ? SvgBytes(plot, size) : PdfBytes(plot, size);
    if (bytes.isEmpty()) {
        reason = kReasonCannotDraw;
        return false;
    }
    return WriteFileSafely(path.toStdString(),
                           {bytes.constData(), static_cast<size_t>(bytes.size())}, reason);
}

QImage FramedCapture(const QImage& client) {
    QImage framed(client.width() + 15, client.height() + 15, QImage::Format_RGB32);
    framed.fill(QColor(128, 128, 128));
    QPainter painter(&framed);
    painter.drawImage(7, 7, client);
    return framed;
}

} // namespace PlotOutput
