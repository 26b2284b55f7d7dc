#pragma once

#include "doc/doc_view.h"

#include <QWidget>

class CCommandDialogs;
class CFirEditor;
class CPlotView;

// The upper left pane of a project window: the editor of the project's design method, which
// is itself a view of the document. A pane narrower or lower than the form scrolls it.
class CEditorPane : public QWidget {
    Q_OBJECT
public:
    CEditorPane(CFirDoc& doc, int designType, CCommandDialogs& dialogs, QWidget* parent = nullptr);

    CFirDoc& Document() const { return m_doc; }
    CFirEditor* Editor() const { return m_pEditor; }
    // The size of the editor's form in pixels: the form table's size in dialog units, widened
    // to what the form needs to show every field in full.
    QSize FormSize() const;

private:
    CFirDoc& m_doc;
    int m_nDesignType;
    CFirEditor* m_pEditor = nullptr;
};

// A response plot pane: the frequency or the time response of the project's filter. The plot
// is a view of the document and binds at the document's next binding notice of its kind.
class CPlotPane : public QWidget {
    Q_OBJECT
public:
    CPlotPane(CFirDoc& doc, EViewKind kind, QWidget* parent = nullptr);

    EViewKind Kind() const { return m_kind; }
    CFirDoc& Document() const { return m_doc; }
    CPlotView* View() const { return m_pView; }

private:
    CFirDoc& m_doc;
    EViewKind m_kind;
    CPlotView* m_pView;
};
