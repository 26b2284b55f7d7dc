#include "views/plot_view.h"

#include "doc/fir_doc.h"
#include "plot/plot_messages.h"
#include "render/plot_painter.h"
#include "support/file_access.h"
#include "support/host.h"
#include "views/page_setup.h"
#include "views/plot_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWheelEvent>

namespace {

// The folder and name Write Data offered last, until the program ends.
QString& LastPlotFile() {
    static QString path = QString::fromLatin1(PlotMessages::kPlotFileName);
    return path;
}

// The file dialog's filter from the "All Files (*.*)|*.*|PlotFiles (*.plt)|*.plt||" form.
QString PlotFileFilter() {
    const QStringList parts =
        QString::fromLatin1(PlotMessages::kPlotFileFilter).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    return filters.join(";;");
}

void PrintPlot(CGraph& model, QPrinter& printer) {
    QPainter painter(&printer);
    const SDeviceRect page = model.PrintArea(printer.width(), printer.height());
    CPlotPainter(model).Draw(
        painter, QRect(page.left, page.top, page.right - page.left, page.bottom - page.top), 3.0);
}

} // namespace

CPlotView::CPlotView(CFirDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
    setMinimumSize(120, 90);
    m_doc.AddView(*this);
}

CPlotView::~CPlotView() {
    m_doc.RemoveView(*this);
}

CHost& CPlotView::Host() const {
    return m_doc.Host();
}

void CPlotView::ShowStatus(const std::string& text) {
    // Said once the paint is over: the status bar is not redrawn from inside another paint.
    QMetaObject::invokeMethod(
        this, [this, text] { emit statusText(QString::fromStdString(text)); },
        Qt::QueuedConnection);
}

void CPlotView::RefreshPlot() {
    Model().Refresh();
    m_bCacheValid = false;
    m_crosshair.Clear();
    update();
}

// ---- painting -----------------------------------------------------------------------------------

void CPlotView::paintEvent(QPaintEvent*) {
    CGraph& model = Model();
    if (!m_bCacheValid || !model.PointsValid() || m_cache.size() != size()) {
        m_cache = QImage(size(), QImage::Format_RGB32);
        m_cache.fill(palette().color(QPalette::Base));
        QPainter painter(&m_cache);
        CPlotPainter(model).Draw(painter, m_cache.rect());
        m_bCacheValid = true;
        // After a centred zoom the pointer stays on the value it pointed at.
        if (int x = 0, y = 0; model.TakeWheelTarget(x, y))
            QCursor::setPos(mapToGlobal(QPoint(x, y)));
        if (model.HasData())
            if (const std::string status = m_zoomStatus.AfterPaint(model.Zoom(), hasFocus());
                !status.empty())
                ShowStatus(status);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_cache);
    CPlotPainter::DrawRubberBand(painter, m_band);
    CPlotPainter::DrawCrosshair(painter, model.Layout().m_plot, m_crosshair);
}

void CPlotView::resizeEvent(QResizeEvent* event) {
    // The points depend on the plot width.
    Model().Refresh();
    m_bCacheValid = false;
    m_crosshair.Clear();
    QWidget::resizeEvent(event);
}

QImage CPlotView::CaptureReportImage() {
    return PlotOutput::FramedCapture(grab().toImage());
}

// ---- mouse --------------------------------------------------------------------------------------

void CPlotView::mousePressEvent(QMouseEvent* event) {
    const CPlotLayout& l = Model().Layout();
    if (event->button() == Qt::MiddleButton) {
        ZoomNavigate(Model().CanNavigate(kZoomTop) ? kZoomTop : kZoomBottom);
        return;
    }
    if (event->button() != Qt::LeftButton || !l.m_bDrawn)
        return;
    // A click adds its crosshair to the last one, so that two points can be compared; a zoom
    // takes them away with the points.
    m_band.Press(event->position().toPoint().x(), event->position().toPoint().y(), l.m_plot);
    update();
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_band.IsActive())
        return;
    m_band.Move(event->position().toPoint().x(), event->position().toPoint().y());
    update();
}

void CPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_band.IsActive())
        return;
    const QPoint p = event->position().toPoint();
    const SBandResult r = m_band.Release(p.x(), p.y());
    update();
    switch (r.nMode) {
    case kBandX:
    case kBandY:
    case kBandBoth:
        if (Model().ZoomToDevice(r.nMode != kBandY, r.nMode != kBandX, true, r))
            RefreshPlot();
        break;
    case kBandClick:
        Click(r.x1, r.y1);
        break;
    default:
        break;
    }
}

void CPlotView::Click(int x, int y) {
    CGraph& model = Model();
    int curve = 0;
    const int index = model.HitTest(x, y, curve);
    if (index < 0)
        return;
    const CPlotLayout& l = model.Layout();
    if (static_cast<size_t>(curve) < l.m_curves.size() &&
        static_cast<size_t>(index) < l.m_curves[curve].size()) {
        const SDevicePoint& p = l.m_curves[curve][index];
        m_crosshair.Show(p.x, p.y);
    }
    ShowStatus(model.ReadoutText(index, curve));
    update();
}

void CPlotView::wheelEvent(QWheelEvent* event) {
    CGraph& model = Model();
    // Some platforms turn the wheel with a modifier held into a horizontal one.
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta != 0 && (event->modifiers() & Qt::ShiftModifier) && model.m_bHistogram) {
        if (model.StepHistogramBins(delta > 0))
            RefreshPlot();
    } else if (delta > 0 && (event->modifiers() & Qt::ControlModifier)) {
        const QPoint p = event->position().toPoint();
        if (model.CenteredZoom(p.x(), p.y()))
            RefreshPlot();
    } else if (delta > 0 && model.CanNavigate(kZoomIn)) {
        ZoomNavigate(kZoomIn);
    } else if (delta < 0 && model.CanNavigate(kZoomOut)) {
        ZoomNavigate(kZoomOut);
    }
    event->accept();
}

void CPlotView::focusOutEvent(QFocusEvent* event) {
    m_crosshair.Clear();
    update();
    QWidget::focusOutEvent(event);
}

// ---- commands -----------------------------------------------------------------------------------

void CPlotView::ZoomNavigate(int kind) {
    Model().Navigate(kind);
    RefreshPlot();
}

void CPlotView::SetStyle(int style) {
    Model().m_nStyle = style;
    RefreshPlot();
}

void CPlotView::CopyImage() {
    CGraph& model = Model();
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), PlotOutput::SvgBytes(model, size()));
    mime->setImageData(PlotOutput::RenderImage(model, size()));
    QGuiApplication::clipboard()->setMimeData(mime);
    RefreshPlot();
}

void CPlotView::CopyData() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(Model().GetCopyDataText()));
}

void CPlotView::WriteData() {
    const QString path =
        QFileDialog::getSaveFileName(this, QString(), LastPlotFile(), PlotFileFilter());
    if (path.isEmpty())
        return;
    LastPlotFile() = path;
    CGraph& model = Model();
    const bool titles =
        model.HasAllTitles() && Host().AskYesNo(PlotMessages::kWriteTitles, EAnswer::Yes);
    WriteFileReported(path.toStdString(), model.GetPlotFileText(titles), Host());
}

void CPlotView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    printer.setFromTo(1, 1);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintPlot(Model(), printer);
    RefreshPlot();
}

void CPlotView::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { PrintPlot(Model(), *p); });
    preview.exec();
    RefreshPlot();
}

void CPlotView::EditAxis(bool x) {
    if (RunAxisDialog(Model(), x, Host(), this))
        RefreshPlot();
}

void CPlotView::EditTitles() {
    if (RunTitlesDialog(Model(), this))
        RefreshPlot();
}

void CPlotView::EditProperties() {
    if (RunPropertiesDialog(Model(), Host(), this))
        RefreshPlot();
}

void CPlotView::ChooseFont() {
    CGraph& model = Model();
    const double height = std::max(1.0, Model().Layout().m_dFontHeight);
    QFont font = CQtTextMeasurer::PlotFont(model.m_face, height);
    font.setPointSizeF(height * 72.0 / logicalDpiY());
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this);
    if (!ok)
        return;
    model.m_face = CQtTextMeasurer::FaceOf(chosen);
    // The chosen size stays relative to the automatic size.
    const double chosenHeight = chosen.pointSizeF() * logicalDpiY() / 72.0;
    model.m_dFontScale = std::abs(chosenHeight * model.m_dFontScale / height);
    RefreshPlot();
}

// ---- context menu -------------------------------------------------------------------------------

void CPlotView::AddZoomItems(QMenu& menu) {
    CGraph& model = Model();
    for (int kind : {kZoomNext, kZoomOut, kZoomIn, kZoomTop, kZoomBottom}) {
        QAction* a = menu.addAction(QString::fromLatin1(ZoomCommandCaption(kind)),
                                    [this, kind] { ZoomNavigate(kind); });
        a->setEnabled(model.CanNavigate(kind));
        if (kind == kZoomTop || kind == kZoomBottom) {
            a->setCheckable(true);
            a->setChecked(kind == kZoomTop ? model.Zoom().IsAtTop() : model.Zoom().IsAtBottom());
        }
    }
    menu.addSeparator();
}

void CPlotView::AddCommonItems(QMenu& menu) {
    using namespace PlotMenus;
    CGraph& model = Model();
    QMenu* style = menu.addMenu(QString::fromLatin1(kStyleMenu));
    for (int s : kStyleMenuOrder) {
        QAction* a = style->addAction(QString::fromLatin1(kStyles[s]), [this, s] { SetStyle(s); });
        a->setCheckable(true);
        a->setChecked(model.m_nStyle == s);
    }
    QMenu* axis = menu.addMenu(QString::fromLatin1(kAxisMenu));
    axis->addAction(QString::fromLatin1(kXAxisItem), [this] { EditAxis(true); });
    axis->addAction(QString::fromLatin1(kYAxisItem), [this] { EditAxis(false); });
    menu.addAction(QString::fromLatin1(kTitlesItem), [this] { EditTitles(); });
    menu.addAction(QString::fromLatin1(kFontItem), [this] { ChooseFont(); });
    menu.addAction(QString::fromLatin1(kPropertiesItem), [this] { EditProperties(); });
    menu.addSeparator();
    menu.addAction(QString::fromLatin1(kPrintItem), [this] { Print(); });
    menu.addAction(QString::fromLatin1(kPrintPreviewItem), [this] { PrintPreview(); });
    menu.addSeparator();
    const bool data = model.HasData();
    menu.addAction(QString::fromLatin1(kCopyImageItem), [this] { CopyImage(); })->setEnabled(data);
    menu.addAction(QString::fromLatin1(kCopyDataItem), [this] { CopyData(); })->setEnabled(data);
    menu.addAction(QString::fromLatin1(kWriteDataItem), [this] { WriteData(); })->setEnabled(data);
}

void CPlotView::contextMenuEvent(QContextMenuEvent* event) {
    if (!Model().HasData())
        return;
    m_crosshair.Clear();
    update();
    QMenu menu(this);
    FillMenu(menu);
    menu.exec(event->globalPos());
}

void CPlotView::FillMenu(QMenu& menu) {
    AddZoomItems(menu);
    AddViewMenus(menu);
    AddCommonItems(menu);
}
