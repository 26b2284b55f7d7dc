#include "shell/doc_panes.h"

#include "doc/fir_doc.h"
#include "doc/project_templates.h"
#include "editors/editor_factory.h"
#include "editors/fir_editor.h"
#include "views/fir_plots.h"

#include <QFontMetrics>
#include <QScrollArea>
#include <QVBoxLayout>

CEditorPane::CEditorPane(CFirDoc& doc, int designType, CCommandDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_nDesignType(designType),
      m_pEditor(CreateFirEditor(designType, doc, dialogs, this)) {
    setObjectName("editorPane");
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_pEditor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    setFocusProxy(m_pEditor);
}

QSize CEditorPane::FormSize() const {
    const CProjectTemplate* t = TemplateOfType(m_nDesignType);
    const CProjectTemplate& form = t ? FormOfEditor(t->editorClass) : FormOfEditor("");
    // Dialog units: a quarter of the average character width, an eighth of the line height.
    const QFontMetrics fm(font());
    const double charWidth =
        fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
    const QSize fromTable(int(form.formWidthDu * charWidth / 4 + 0.5),
                          int(form.formHeightDu * fm.height() / 8.0 + 0.5));
    // The form's own layout wins where its captions need more room than the table gives.
    return m_pEditor ? fromTable.expandedTo(m_pEditor->PreferredSize()) : fromTable;
}

CPlotPane::CPlotPane(CFirDoc& doc, EViewKind kind, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_kind(kind), m_pView(CreatePlotView(doc, kind, this)) {
    setObjectName(kind == EViewKind::Frequency  ? "frequencyPane"
                  : kind == EViewKind::PoleZero ? "poleZeroPane"
                                                : "timePane");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pView);
    setFocusProxy(m_pView);
}
