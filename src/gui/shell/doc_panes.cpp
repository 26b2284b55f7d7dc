#include "shell/doc_panes.h"

#include "doc/fir_doc.h"
#include "doc/project_templates.h"
#include "editors/editor_factory.h"
#include "editors/fir_editor.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

CEditorPane::CEditorPane(CFirDoc& doc, int designType, CCommandDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_nDesignType(designType),
      m_pEditor(CreateFirEditor(designType, doc, dialogs, this)) {
    setObjectName("editorPane");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pEditor);
    setFocusProxy(m_pEditor);
}

QSize CEditorPane::FormSize() const {
    const CProjectTemplate* t = TemplateOfType(m_nDesignType);
    const CProjectTemplate& form = t ? FormOfEditor(t->editorClass) : FormOfEditor("");
    // Dialog units: a quarter of the average character width, an eighth of the line height.
    const QFontMetrics fm(font());
    const double charWidth =
        fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52.0;
    return {int(form.formWidthDu * charWidth / 4 + 0.5),
            int(form.formHeightDu * fm.height() / 8.0 + 0.5)};
}

CPlotPane::CPlotPane(CFirDoc& doc, EViewKind kind, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_kind(kind) {
    setObjectName(kind == EViewKind::Frequency ? "frequencyPane" : "timePane");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption =
        new QLabel(kind == EViewKind::Frequency ? "Frequency Response" : "Impulse Response", this);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
    setFocusPolicy(Qt::StrongFocus);
    m_doc.AddView(*this);
}

CPlotPane::~CPlotPane() {
    m_doc.RemoveView(*this);
}

void CPlotPane::OnUpdate(CFirDoc& /*doc*/, int /*hint*/) {}
