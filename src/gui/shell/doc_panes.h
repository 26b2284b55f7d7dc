#pragma once

#include "doc/doc_view.h"

#include <QWidget>

class CFirEditor;
class CHost;

// The upper left pane of a project window: the editor of the project's design method. It
// passes the document's hints on to the editor and the editor's requests to the document.
class CEditorPane : public QWidget, public CDocView {
    Q_OBJECT
public:
    CEditorPane(CFirDoc& doc, int designType, QWidget* parent = nullptr);
    ~CEditorPane() override;

    void OnUpdate(CFirDoc& doc, int hint) override;
    int EditorDesignType() const override { return m_nDesignType; }
    CFirDoc& Document() const { return m_doc; }
    // The natural size of the editor's form, in pixels.
    QSize FormSize() const;

signals:
    // The document changed without a hint (modified mark, undo point).
    void documentTouched();

private:
    CFirDoc& m_doc;
    int m_nDesignType;
    CFirEditor* m_pEditor = nullptr;
};

// A response plot pane (the frequency or the time response of the project's filter).
class CPlotPane : public QWidget, public CDocView {
    Q_OBJECT
public:
    CPlotPane(CFirDoc& doc, EViewKind kind, QWidget* parent = nullptr);
    ~CPlotPane() override;

    void OnUpdate(CFirDoc& doc, int hint) override;
    EViewKind Kind() const { return m_kind; }
    CFirDoc& Document() const { return m_doc; }

private:
    CFirDoc& m_doc;
    EViewKind m_kind;
    QWidget* m_pView = nullptr;
};
