#pragma once

#include "doc/doc_view.h"

#include <QMdiSubWindow>

class CCommandDialogs;
class CDataView;
class CEditorPane;
class CFirApp;
class QSplitter;

// A window of a project inside the main window: the project window (editor, coefficients and two
// plots in splitters), a coefficient window or a plot window. Closing the last window of a
// project closes the project, after asking to save its changes.
class CChildFrame : public QMdiSubWindow, public CDocView {
    Q_OBJECT
public:
    CChildFrame(CFirApp& app, CFirDoc& doc, EViewKind kind, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CFirDoc& Document() const { return m_doc; }
    EViewKind Kind() const { return m_kind; }
    // The title of the project, with the modified mark.
    void UpdateTitle();
    // Closes without asking (the project is going away).
    void ForceClose();
    // F6 and Shift+F6: the focus moves to the next (previous) pane of the window (editor,
    // coefficients, plots, split plot panes), round the end to the first (last).
    void MovePane(bool next);
    // Every notice refreshes the title, the taps pane and the commands.
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CFirApp& m_app;
    CFirDoc& m_doc;
    EViewKind m_kind;
    bool m_bForced = false;
};

// The content of a project window: the outer splitter holds the upper splitter (editor, data
// view) over the lower one (frequency and time plots). The panes take their sizes from the
// editor's form and the window size.
class CSplitFrame : public QWidget {
    Q_OBJECT
public:
    // size: the window's size (W x H).
    CSplitFrame(CFirDoc& doc, int designType, CCommandDialogs& dialogs, QSize size,
                QWidget* parent = nullptr);

    CEditorPane* Editor() const { return m_pEditor; }
    CDataView* DataView() const { return m_pDataView; }
    QSplitter* LowerSplitter() const { return m_pLower; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CEditorPane* m_pEditor;
    CDataView* m_pDataView;
    QSplitter* m_pOuter;
    QSplitter* m_pUpper;
    QSplitter* m_pLower;
    bool m_bWasMaximized = false;
};
