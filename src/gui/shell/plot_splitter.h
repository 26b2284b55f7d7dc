#pragma once

#include "doc/doc_view.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class CFirDoc;
class CPlotPane;
class CSplitBox;
class QAction;
class QSplitter;

// The client area of a plot window: a grid of at most two rows and two columns of plot panes of
// one kind, all showing the same filter. The first pane is the window's own plot; the user
// splits off a row or a column with the split boxes at the window's top right and bottom left
// corners (drag to the place of the divider, or click to split in the middle) or with the split
// commands, and removes a row or column by dragging its divider onto the window's edge or with
// Remove Split (in the window's system menu). A pane that is split off binds to the same filter.
class CPlotSplitter : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;
    static constexpr int kMinPane = 10; // pixels, either way

    // kind: EViewKind::Frequency or EViewKind::Time. The first pane binds at the document's
    // next binding notice of its kind.
    CPlotSplitter(CFirDoc& doc, EViewKind kind, QWidget* parent = nullptr);

    int RowCount() const { return static_cast<int>(m_panes.size()); }
    int ColumnCount() const { return m_panes.empty() ? 0 : static_cast<int>(m_panes[0].size()); }
    CPlotPane* Pane(int row, int column) const;
    // The pane that had the focus last (the first pane until another one had it).
    CPlotPane* ActivePane() const;

    // Splits off a second row (column) whose divider is at pos pixels from the top (left);
    // -1 puts it in the middle. False when there are two already or a pane would be smaller
    // than kMinPane.
    bool SplitRow(int pos = -1);
    bool SplitColumn(int pos = -1);
    // Removes the row and the column that do not hold the active pane.
    void RemoveSplit();

    // "Split &Horizontally" (rows), "Split &Vertically" (columns), "&Remove Split", enabled as
    // they apply, for a menu.
    QAction* SplitRowAction() const { return m_pSplitRow; }
    QAction* SplitColumnAction() const { return m_pSplitColumn; }
    QAction* RemoveSplitAction() const { return m_pRemoveSplit; }

signals:
    // A readout or zoom text of any pane, for the status bar.
    void statusText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The split commands join the window menu of the window that shows the splitter.
    void showEvent(QShowEvent* event) override;

private:
    CPlotPane* NewPane(QWidget* parent, const SChangeNotice& notice);
    QSplitter* NewRow();
    // The binding notice that makes a new pane show what the active pane's filter shows.
    SChangeNotice SplitNotice() const;
    void RemoveRow(int row);
    void RemoveColumn(int column);
    void OnRowsMoved();
    void OnColumnsMoved(QSplitter* row);
    void UpdateControls();
    void PlaceSplitBoxes();

    CFirDoc& m_doc;
    EViewKind m_kind;
    QSplitter* m_pRows;
    std::vector<std::vector<CPlotPane*>> m_panes; // [row][column]
    QPointer<CPlotPane> m_pActive;
    CSplitBox* m_pRowBox;
    CSplitBox* m_pColumnBox;
    QAction* m_pSplitRow;
    QAction* m_pSplitColumn;
    QAction* m_pRemoveSplit;
    bool m_bInWindowMenu = false;
};
