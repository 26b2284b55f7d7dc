#include "shell/child_frame.h"

#include "doc/command_messages.h"
#include "doc/fir_doc.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/fir_app.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSplitter>

#include <algorithm>

namespace {

constexpr int kMinPane = 25;

} // namespace

CChildFrame::CChildFrame(CFirApp& app, CFirDoc& doc, EViewKind kind, QWidget* parent)
    : QMdiSubWindow(parent), m_app(app), m_doc(doc), m_kind(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_doc.AddView(*this);
    // Maximizing and restoring change how the main window's title names the project.
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        if (m_app.ActiveDocument() == &m_doc)
            m_app.UpdateFrameTitle(m_doc);
    });
}

CChildFrame::~CChildFrame() {
    m_doc.RemoveView(*this);
}

void CChildFrame::OnUpdate(CFirDoc& doc, const SChangeNotice& /*notice*/) {
    m_app.RefreshDocument(doc);
}

void CChildFrame::UpdateTitle() {
    QString title = QString::fromStdString(m_doc.m_strTitle) + "[*]";
    if (m_kind == EViewKind::PoleZero)
        title += QStringLiteral(" - ") + QString::fromLatin1(ViewTitle::kPoleZero);
    setWindowTitle(title);
    setWindowModified(m_doc.IsModified());
}

void CChildFrame::ForceClose() {
    m_bForced = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_bForced && !m_app.CanCloseFrame(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

CSplitFrame::CSplitFrame(CFirDoc& doc, int designType, CCommandDialogs& dialogs, QSize size,
                         QWidget* parent)
    : QWidget(parent), m_pOuter(new QSplitter(Qt::Vertical, this)),
      m_pUpper(new QSplitter(Qt::Horizontal, m_pOuter)),
      m_pLower(new QSplitter(Qt::Horizontal, m_pOuter)) {
    setObjectName("projectWindow");
    m_pEditor = new CEditorPane(doc, designType, dialogs, m_pUpper);
    m_pDataView = new CDataView(doc, m_pUpper);
    auto* freq = new CPlotPane(doc, EViewKind::Frequency, m_pLower);
    auto* time = new CPlotPane(doc, EViewKind::Time, m_pLower);
    for (QSplitter* s : {m_pOuter, m_pUpper, m_pLower})
        s->setChildrenCollapsible(false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pEditor, m_pDataView, freq, time})
        w->setMinimumSize(kMinPane, kMinPane);

    // The editor takes its form's width, as far as that leaves the coefficients one full line.
    const QSize form = m_pEditor->FormSize();
    const int w =
        std::max(kMinPane, std::min(form.width(), size.width() - m_pDataView->LineWidth()));
    const int h = std::min(form.height(), size.height() - kMinPane);
    // The editor keeps its size when the window is resized (or its frame takes its border):
    // the coefficients and the plots take what is gained or lost.
    m_pUpper->setStretchFactor(0, 0);
    m_pUpper->setStretchFactor(1, 1);
    m_pOuter->setStretchFactor(0, 0);
    m_pOuter->setStretchFactor(1, 1);
    m_pUpper->setSizes({w, size.width() - w});
    // Each lower pane takes half of the width, rounded to the nearest pixel.
    const int half = int(size.width() * 0.5 + 0.5);
    m_pLower->setSizes({half, half});
    m_pOuter->setSizes({std::max(h, kMinPane), std::max(size.height() - h, kMinPane)});
    resize(size);
}

void CSplitFrame::resizeEvent(QResizeEvent* event) {
    m_pOuter->setGeometry(rect());
    QWidget::resizeEvent(event);
    // Maximizing the window shares its width equally between the two plots.
    const QWidget* sub = parentWidget();
    const bool maximized = sub && sub->isMaximized();
    if (maximized && !m_bWasMaximized) {
        const int half = std::max(width() / 2, kMinPane);
        m_pLower->setSizes({half, half});
    }
    m_bWasMaximized = maximized;
}

void CChildFrame::MovePane(bool next) {
    // The panes in reading order: by rows from the top, left to right in a row.
    QList<QWidget*> panes;
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<CEditorPane*>(w) || qobject_cast<CDataView*>(w) ||
            qobject_cast<CPlotPane*>(w))
            panes << w;
    std::sort(panes.begin(), panes.end(), [this](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(this, QPoint()), pb = b->mapTo(this, QPoint());
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    if (panes.isEmpty())
        return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < panes.size(); ++i)
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) ||
            panes[i] == QApplication::focusWidget())
            at = i;
    const qsizetype n = panes.size();
    const qsizetype to = at < 0 ? 0 : (at + (next ? 1 : n - 1)) % n;
    panes[to]->setFocus(Qt::TabFocusReason);
}
