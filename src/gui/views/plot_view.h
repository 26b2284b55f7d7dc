#pragma once

#include "doc/doc_view.h"
#include "plot/graph.h"
#include "plot/rubber_band.h"

#include <QImage>
#include <QWidget>

class CFirDoc;
class CHost;
class QMenu;

// A plot window: draws its plot model, zooms by rubber band, wheel and the zoom commands, shows
// the readout of a clicked point, and offers the plot commands in its context menu (style,
// dialogs, copy, write, print). Derived views bind the model to a document's filter.
class CPlotView : public QWidget, public CDocView {
    Q_OBJECT
public:
    CPlotView(CFirDoc& doc, QWidget* parent);
    ~CPlotView() override;

    virtual CGraph& Model() = 0;
    CFirDoc& Document() const { return m_doc; }

    // The window's picture for a report: the client area in a grey frame.
    QImage CaptureReportImage();

    // The plot's commands (zoom, the view's own items, style, dialogs, copy, print), as in its
    // context menu; also the menu bar's plot menu while the plot has the focus.
    void FillMenu(QMenu& menu);

    // Commands.
    void ZoomNavigate(int kind);
    void SetStyle(int style);
    void CopyImage();
    void CopyData();
    void WriteData();
    void Print();
    void PrintPreview();
    void EditAxis(bool x);
    void EditTitles();
    void EditProperties();
    void ChooseFont();
    // Empties the points and repaints (the next paint recomputes them).
    void RefreshPlot();

signals:
    // Text for the status bar: a readout or the zoom level.
    void statusText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The view's own items of the context menu (channel, kind, type, mode).
    virtual void AddViewMenus(QMenu& menu) = 0;
    void AddZoomItems(QMenu& menu);
    void AddCommonItems(QMenu& menu);
    CHost& Host() const;

private:
    void Click(int x, int y);
    void ShowStatus(const std::string& text);

    CFirDoc& m_doc;
    CRubberBand m_band;
    CCrosshair m_crosshair;
    QImage m_cache; // the drawn plot; valid while the model's points are
    bool m_bCacheValid = false;
    CZoomStatusReport m_zoomStatus;
};
