#include "shell/plot_splitter.h"

#include "doc/fir_doc.h"
#include "shell/doc_panes.h"
#include "views/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include <functional>

namespace {

constexpr int kBoxLength = 24; // pixels
constexpr int kBoxThickness = 8;

} // namespace

// A split box: a small raised handle that splits its window when dragged to where the divider
// is to go (or clicked, for a divider in the middle). Qt::Vertical splits off a row.
class CSplitBox : public QWidget {
public:
    CSplitBox(Qt::Orientation orientation, const QString& caption, const QString& tip,
              QWidget* parent, std::function<void(int)> split)
        : QWidget(parent), m_orientation(orientation), m_split(std::move(split)),
          m_pLine(new QRubberBand(QRubberBand::Line, parent)) {
        setAccessibleName(caption);
        setToolTip(tip);
        setCursor(orientation == Qt::Vertical ? Qt::SplitVCursor : Qt::SplitHCursor);
        resize(orientation == Qt::Vertical ? QSize(kBoxLength, kBoxThickness)
                                           : QSize(kBoxThickness, kBoxLength));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QBrush fill = palette().button();
        qDrawWinPanel(&painter, rect(), palette(), false, &fill);
        // Two grip lines across the box, in the direction of the divider it makes.
        painter.setPen(palette().color(QPalette::Dark));
        const QPoint c = rect().center();
        for (int d : {-1, 1}) {
            if (m_orientation == Qt::Vertical)
                painter.drawLine(c.x() - 6, c.y() + d, c.x() + 6, c.y() + d);
            else
                painter.drawLine(c.x() + d, c.y() - 6, c.x() + d, c.y() + 6);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_press = event->globalPosition().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const int pos = Position(event);
        const QWidget* area = parentWidget();
        m_pLine->setGeometry(m_orientation == Qt::Vertical ? QRect(0, pos, area->width(), 2)
                                                           : QRect(pos, 0, 2, area->height()));
        m_pLine->show();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        m_pLine->hide();
        const bool clicked = (event->globalPosition().toPoint() - m_press).manhattanLength() <
                             QApplication::startDragDistance();
        m_split(clicked ? -1 : Position(event));
    }

private:
    // Where the divider would go, in the window's coordinates.
    int Position(QMouseEvent* event) const {
        const QPoint p = mapToParent(event->position().toPoint());
        return m_orientation == Qt::Vertical ? p.y() : p.x();
    }

    Qt::Orientation m_orientation;
    std::function<void(int)> m_split;
    QRubberBand* m_pLine;
    QPoint m_press;
};

CPlotSplitter::CPlotSplitter(CFirDoc& doc, EViewKind kind, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_kind(kind), m_pRows(new QSplitter(Qt::Vertical, this)) {
    setObjectName("plotSplitter");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pRows);
    m_pRows->setChildrenCollapsible(true);
    connect(m_pRows, &QSplitter::splitterMoved, this, [this] { OnRowsMoved(); });
    m_panes = {{NewPane(NewRow(), {})}};
    m_pActive = m_panes[0][0];

    m_pSplitRow = new QAction(tr("Split &Horizontally"), this);
    m_pSplitColumn = new QAction(tr("Split &Vertically"), this);
    m_pRemoveSplit = new QAction(tr("&Remove Split"), this);
    connect(m_pSplitRow, &QAction::triggered, this, [this] { SplitRow(); });
    connect(m_pSplitColumn, &QAction::triggered, this, [this] { SplitColumn(); });
    connect(m_pRemoveSplit, &QAction::triggered, this, &CPlotSplitter::RemoveSplit);
    m_pRowBox = new CSplitBox(Qt::Vertical, tr("Split Horizontally"),
                              tr("Drag down, or click, to split the plot into two rows"), this,
                              [this](int pos) { SplitRow(pos); });
    m_pColumnBox = new CSplitBox(Qt::Horizontal, tr("Split Vertically"),
                                 tr("Drag right, or click, to split the plot into two columns"),
                                 this, [this](int pos) { SplitColumn(pos); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const auto& row : m_panes)
            for (CPlotPane* pane : row)
                if (now && (pane == now || pane->isAncestorOf(now)))
                    m_pActive = pane;
    });
    UpdateControls();
}

CPlotPane* CPlotSplitter::Pane(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return nullptr;
    return m_panes[row][column];
}

CPlotPane* CPlotSplitter::ActivePane() const {
    return m_pActive ? m_pActive.data() : m_panes[0][0];
}

QSplitter* CPlotSplitter::NewRow() {
    auto* row = new QSplitter(Qt::Horizontal);
    row->setChildrenCollapsible(true);
    m_pRows->addWidget(row);
    connect(row, &QSplitter::splitterMoved, this, [this, row] { OnColumnsMoved(row); });
    return row;
}

CPlotPane* CPlotSplitter::NewPane(QWidget* row, const SChangeNotice& notice) {
    auto* pane = new CPlotPane(m_doc, m_kind);
    pane->setMinimumSize(kMinPane, kMinPane);
    pane->View()->setMinimumSize(kMinPane, kMinPane);
    connect(pane->View(), &CPlotView::statusText, this, &CPlotSplitter::statusText);
    static_cast<QSplitter*>(row)->addWidget(pane);
    if (notice.change != EChange::None)
        pane->View()->OnUpdate(m_doc, notice);
    return pane;
}

SChangeNotice CPlotSplitter::SplitNotice() const {
    // A frequency pane shows the magnitude of the filter, its channel by the filter's real
    // flag; a time pane its impulse response, its type by the filter's real flag.
    if (m_kind == EViewKind::PoleZero)
        return Notice::kCoefficients;
    return m_kind == EViewKind::Frequency
               ? SChangeNotice::BindFreq(EViewShows::Magnitude, EViewChannel::ByFilter)
               : SChangeNotice::BindTime(EViewShows::Automatic, EViewChannel::Inphase);
}

bool CPlotSplitter::SplitRow(int pos) {
    const int height = m_pRows->height();
    if (pos < 0)
        pos = height / 2;
    if (RowCount() >= kMaxRows || pos < kMinPane ||
        height - pos - m_pRows->handleWidth() < kMinPane)
        return false;
    const QList<int> widths = static_cast<QSplitter*>(m_pRows->widget(0))->sizes();
    QSplitter* row = NewRow();
    std::vector<CPlotPane*> panes;
    for (int c = 0; c < ColumnCount(); ++c)
        panes.push_back(NewPane(row, SplitNotice()));
    row->setSizes(widths);
    m_panes.push_back(panes);
    m_pRows->setSizes({pos, height - pos - m_pRows->handleWidth()});
    UpdateControls();
    return true;
}

bool CPlotSplitter::SplitColumn(int pos) {
    const int width = m_pRows->width();
    if (pos < 0)
        pos = width / 2;
    if (ColumnCount() >= kMaxColumns || pos < kMinPane ||
        width - pos - m_pRows->handleWidth() < kMinPane)
        return false;
    for (int r = 0; r < RowCount(); ++r) {
        auto* row = static_cast<QSplitter*>(m_pRows->widget(r));
        m_panes[r].push_back(NewPane(row, SplitNotice()));
        row->setSizes({pos, width - pos - row->handleWidth()});
    }
    UpdateControls();
    return true;
}

void CPlotSplitter::RemoveRow(int row) {
    if (RowCount() < 2 || row < 0 || row >= RowCount())
        return;
    setFocusProxy(nullptr);
    delete m_pRows->widget(row);
    m_panes.erase(m_panes.begin() + row);
    UpdateControls();
}

void CPlotSplitter::RemoveColumn(int column) {
    if (ColumnCount() < 2 || column < 0 || column >= ColumnCount())
        return;
    setFocusProxy(nullptr);
    for (auto& row : m_panes) {
        delete row[column];
        row.erase(row.begin() + column);
    }
    UpdateControls();
}

void CPlotSplitter::RemoveSplit() {
    CPlotPane* keep = ActivePane();
    int keepRow = 0;
    int keepColumn = 0;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColumnCount(); ++c)
            if (m_panes[r][c] == keep) {
                keepRow = r;
                keepColumn = c;
            }
    for (int r = RowCount() - 1; r >= 0; --r)
        if (r != keepRow)
            RemoveRow(r);
    for (int c = ColumnCount() - 1; c >= 0; --c)
        if (c != keepColumn)
            RemoveColumn(c);
}

// A divider dragged onto the edge of the window takes away the row or column it collapsed.
void CPlotSplitter::OnRowsMoved() {
    const QList<int> heights = m_pRows->sizes();
    for (int r = 0; r < heights.size(); ++r)
        if (heights[r] == 0)
            QTimer::singleShot(0, this, [this, r] { RemoveRow(r); });
}

void CPlotSplitter::OnColumnsMoved(QSplitter* row) {
    const QList<int> widths = row->sizes();
    for (int c = 0; c < widths.size(); ++c)
        if (widths[c] == 0) {
            QTimer::singleShot(0, this, [this, c] { RemoveColumn(c); });
            return;
        }
    // The columns of both rows move together.
    for (int r = 0; r < RowCount(); ++r)
        if (m_pRows->widget(r) != row)
            static_cast<QSplitter*>(m_pRows->widget(r))->setSizes(widths);
}

void CPlotSplitter::UpdateControls() {
    const bool moreRows = RowCount() < kMaxRows;
    const bool moreColumns = ColumnCount() < kMaxColumns;
    m_pSplitRow->setEnabled(moreRows);
    m_pSplitColumn->setEnabled(moreColumns);
    m_pRemoveSplit->setEnabled(!moreRows || !moreColumns);
    m_pRowBox->setVisible(moreRows);
    m_pColumnBox->setVisible(moreColumns);
    setFocusProxy(ActivePane());
    PlaceSplitBoxes();
}

void CPlotSplitter::PlaceSplitBoxes() {
    m_pRowBox->move(width() - m_pRowBox->width(), 0);
    m_pColumnBox->move(0, height() - m_pColumnBox->height());
    m_pRowBox->raise();
    m_pColumnBox->raise();
}

void CPlotSplitter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceSplitBoxes();
}

void CPlotSplitter::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_bInWindowMenu)
        return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* window = qobject_cast<QMdiSubWindow*>(w); window && window->systemMenu()) {
            QMenu* menu = window->systemMenu();
            menu->addSeparator();
            menu->addActions({m_pSplitRow, m_pSplitColumn, m_pRemoveSplit});
            m_bInWindowMenu = true;
            return;
        }
}
