#include "shell/fir_app.h"

#include "dialogs/qt_command_dialogs.h"
#include "doc/doc_messages.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/project_file.h"
#include "help/help_window.h"
#include "shell/child_frame.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/file_dialogs.h"
#include "shell/help_context.h"
#include "shell/main_frame.h"
#include "shell/plot_splitter.h"
#include "shell/preferences_dialog.h"
#include "shell/project_chooser.h"
#include "shell/project_commands.h"
#include "shell/qt_host.h"
#include "shell/qt_settings_store.h"
#include "shell/shell_actions.h"
#include "shell/shell_open.h"
#include "support/format_number.h"
#include "support/version.h"
#include "views/plot_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTimer>

namespace {

constexpr const char* kGeometryKey = "Settings/MainWindowGeometry";
constexpr const char* kStateKey = "Settings/MainWindowState";

} // namespace

CFirApp::CFirApp(QSettings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_pStore(std::make_unique<CQtSettingsStore>(settings)),
      m_pFrame(std::make_unique<CMainFrame>()), m_pHost(std::make_unique<CQtHost>(m_pFrame.get())),
      m_pDialogs(std::make_unique<CQtCommandDialogs>(m_pFrame.get(), *m_pHost)) {
    ReadPreferences(*m_pStore, m_prefs);
    m_recent.Read(*m_pStore);
    SetFileDialogSettings(&m_settings);
    m_pFrame->restoreGeometry(m_settings.value(kGeometryKey).toByteArray());
    m_pFrame->restoreState(m_settings.value(kStateKey).toByteArray());
    ConnectCommands();
    UpdateRecentMenu();
    UpdateCommands();
}

CFirApp::~CFirApp() {
    // Windows (and their views) go before the projects they show: every project window, also one
    // that was closed and waits for its deferred deletion (no longer in the area's window list).
    std::vector<QPointer<CChildFrame>> frames;
    for (CChildFrame* w : m_pFrame->MdiArea()->findChildren<CChildFrame*>())
        frames.emplace_back(w);
    for (QPointer<CChildFrame>& w : frames)
        delete w.data();
    for (CFirDoc* doc : Documents())
        delete doc;
    SetFileDialogSettings(nullptr);
}

void CFirApp::ConnectCommands() {
    for (const SShellAction& row : ShellActions())
        if (!IsProjectAction(row))
            connect(m_pFrame->Action(row.id), &QAction::triggered, this,
                    [this, run = row.run] { run(*this); });
    m_pCommands = std::make_unique<CProjectCommands>(
        *m_pFrame, *m_pDialogs, [this] { return ActiveDocument(); }, [this] { UpdateCommands(); });
    // F1 opens the page of the window with the focus, also from a modal dialog.
    qApp->installEventFilter(this);
    connect(m_pFrame->PlotMenu(), &QMenu::aboutToShow, this, &CFirApp::FillPlotMenu);
    connect(m_pFrame.get(), &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            OpenDocumentFile(path);
    });
    connect(m_pFrame.get(), &CMainFrame::CloseRequested, this, [this](bool* accept) {
        *accept = CloseAllDocuments();
        if (*accept)
            SaveGeometry();
    });
    connect(m_pFrame->MdiArea(), &QMdiArea::subWindowActivated, this,
            &CFirApp::OnSubWindowActivated);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

bool CFirApp::IsProjectUndoKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !AncestorOf<CChildFrame>(widget))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action :
         {m_pFrame->Action(EShellAction::Undo), m_pFrame->Action(EShellAction::Redo)})
        if (action->shortcuts().contains(pressed))
            return true;
    return false;
}

bool CFirApp::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z are the project's Undo and Redo also while a text field of
    // a project window has the focus (Alt+Backspace is the field's own undo).
    if (IsProjectUndoKey(watched, event)) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
        watched == QApplication::focusWidget()) {
        ShowHelpTopic(HelpTopicOfWidget(QApplication::focusWidget()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CFirApp::FillPlotMenu() {
    QMenu* menu = m_pFrame->PlotMenu();
    menu->clear();
    if (!m_pFocusPlot)
        return;
    m_pFocusPlot->FillMenu(*menu);
    // A plot window's own commands: splitting its panes.
    if (auto* splitter = AncestorOf<CPlotSplitter>(m_pFocusPlot)) {
        menu->addSeparator();
        menu->addActions({splitter->SplitRowAction(), splitter->SplitColumnAction(),
                          splitter->RemoveSplitAction()});
    }
}

void CFirApp::SaveGeometry() {
    m_settings.setValue(kGeometryKey, m_pFrame->saveGeometry());
    m_settings.setValue(kStateKey, m_pFrame->saveState());
}

// ---- start-up and the application's commands ----------------------------------------------

void CFirApp::ProcessCommandLine(const QStringList& paths) {
    if (paths.isEmpty())
        FileNew();
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

bool CFirApp::EnableShellOpen(const QString& serverName) {
    m_pShellOpen = new CShellOpenServer(this);
    connect(m_pShellOpen, &CShellOpenServer::OpenRequested, this, [this](const QString& path) {
        OpenDocumentFile(path);
        m_pFrame->setWindowState(m_pFrame->windowState() & ~Qt::WindowMinimized);
        m_pFrame->show();
        m_pFrame->raise();
        m_pFrame->activateWindow();
    });
    return m_pShellOpen->Listen(serverName);
}

void CFirApp::FileNew() {
    QStringList files;
    for (const std::string& path :
         ChooserFileList(m_recent.Entries(), QDir::currentPath().toStdString()))
        files << QString::fromStdString(path);
    CProjectChooser chooser(files, m_nChooserRadio, m_pFrame.get());
    if (chooser.exec() != QDialog::Accepted)
        return;
    if (chooser.RadioIndex() >= 0)
        m_nChooserRadio = chooser.RadioIndex();
    const CChooserResult result = chooser.Result();
    if (!result.path.empty())
        OpenDocumentFile(QString::fromStdString(result.path));
    else
        NewProject(result.designType);
}

void CFirApp::FileOpen() {
    const QString path = GetProjectOpenPath(m_pFrame.get());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CFirApp::EditPreferences() {
    CPreferencesDialog dialog(m_prefs, m_pFrame.get());
    if (dialog.exec() == QDialog::Accepted)
        AcceptPreferences(dialog.Entered(), m_prefs, *m_pStore, *m_pHost);
}

void CFirApp::ShowAbout() {
    QMessageBox::about(m_pFrame.get(), QString("About %1").arg(kProgramName),
                       QString("%1 %2\nFIR filter design, analysis and export.")
                           .arg(kProgramName, kProgramVersion));
}

// ---- projects -----------------------------------------------------------------------------

std::vector<CFirDoc*> CFirApp::Documents() const {
    // Every document is in the documents' own list; those whose views this application opens
    // are its own.
    std::vector<CFirDoc*> docs;
    for (CFirDoc* doc : CFirDoc::Documents())
        if (doc->ViewOwner() == this)
            docs.push_back(doc);
    return docs;
}

CFirDoc& CFirApp::CreateDocument() {
    // Owned by this application from now on: deleted once its last window is gone.
    auto* doc = new CFirDoc(*m_pHost, this);
    doc->SetPreferences(&m_prefs);
    return *doc;
}

CFirDoc* CFirApp::NewProject(int designType) {
    const CProjectTemplate* t = TemplateOfType(designType);
    if (!t)
        return nullptr;
    CFirDoc& doc = CreateDocument();
    doc.m_strTitle = t->docName + std::to_string(++m_nUntitled[designType]);
    CreateProjectWindow(doc, designType);
    doc.OnNewDocument();
    RefreshDocument(doc);
    return &doc;
}

CFirDoc* CFirApp::OpenDocumentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CFirDoc* doc : Documents())
        if (QString::fromStdString(doc->GetPathName()) == full) {
            if (CChildFrame* frame = FindFrame(*doc, EViewKind::Editor))
                m_pFrame->MdiArea()->setActiveSubWindow(frame);
            return doc;
        }
    const int type = PeekProjectType(full.toStdString());
    if (!TemplateOfType(type)) {
        // Let the reader say why the file does not open.
        CFirProject project(m_pHost.get());
        LoadProject(full.toStdString(), project, *m_pHost);
        return nullptr;
    }
    CFirDoc& doc = CreateDocument();
    CreateProjectWindow(doc, type);
    if (!doc.OnOpenDocument(full.toStdString())) {
        CloseDocument(doc);
        return nullptr;
    }
    AddRecentFile(full);
    RefreshDocument(doc);
    return &doc;
}

bool CFirApp::SaveDocument(CFirDoc& doc, bool askPath) {
    QString path = QString::fromStdString(doc.GetPathName());
    if (askPath || path.isEmpty()) {
        QString start = path;
        if (start.isEmpty()) {
            start = QString::fromStdString(doc.m_strTitle);
            if (QFileInfo(start).suffix().isEmpty())
                start += ShellText::kProjectExtension;
        }
        path = GetProjectSavePath(m_pFrame.get(), start);
        if (path.isEmpty())
            return false;
    }
    if (!doc.OnSaveDocument(path.toStdString()))
        return false;
    AddRecentFile(path);
    RefreshDocument(doc);
    return true;
}

bool CFirApp::SaveModified(CFirDoc& doc) {
    if (!doc.IsModified())
        return true;
    const std::string question = FormatMessage(ShellText::kSaveChanges, {doc.m_strTitle});
    switch (m_pHost->Ask(question, true, EAnswer::Yes)) {
    case EAnswer::Yes:
        return SaveDocument(doc, false);
    case EAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CFirApp::CloseAllDocuments() {
    const std::vector<CFirDoc*> docs = Documents();
    for (CFirDoc* doc : docs)
        if (!SaveModified(*doc))
            return false;
    for (CFirDoc* doc : docs)
        CloseDocument(*doc);
    return true;
}

void CFirApp::CloseDocument(CFirDoc& doc) {
    doc.OnCloseDocument();
    for (CChildFrame* frame : FramesOf(doc))
        frame->ForceClose();
}

void CFirApp::OnLastViewClosed(CFirDoc& doc) {
    // The document is still running the call that removed its last view.
    CFirDoc* p = &doc;
    QMetaObject::invokeMethod(
        this, [this, p] { DestroyDocument(p); }, Qt::QueuedConnection);
}

void CFirApp::OnStateChanged(CFirDoc& doc) {
    RefreshDocument(doc);
}

void CFirApp::DestroyDocument(CFirDoc* doc) {
    const std::vector<CFirDoc*> docs = Documents();
    if (std::find(docs.begin(), docs.end(), doc) != docs.end() && doc->Views().empty())
        delete doc;
    UpdateCommands();
}

bool CFirApp::CanCloseFrame(CChildFrame& frame) {
    if (FramesOf(frame.Document()).size() > 1)
        return true;
    if (!SaveModified(frame.Document()))
        return false;
    frame.Document().OnCloseDocument();
    return true;
}

// ---- windows ------------------------------------------------------------------------------

std::vector<CChildFrame*> CFirApp::FramesOf(const CFirDoc& doc) const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : m_pFrame->MdiArea()->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(w); frame && &frame->Document() == &doc)
            frames.push_back(frame);
    return frames;
}

CChildFrame* CFirApp::FindFrame(const CFirDoc& doc, EViewKind kind) const {
    CChildFrame* project = nullptr;
    for (CChildFrame* frame : FramesOf(doc)) {
        if (frame->Kind() == kind)
            return frame;
        if (frame->Kind() == EViewKind::Editor)
            project = frame;
    }
    // The project window shows a view of every kind.
    return project;
}

CChildFrame* CFirApp::AddFrame(CChildFrame* frame, QWidget* content, QSize size) {
    frame->setWidget(content);
    m_pFrame->MdiArea()->addSubWindow(frame);
    frame->resize(size);
    frame->show();
    frame->UpdateTitle();
    return frame;
}

CChildFrame* CFirApp::CreateProjectWindow(CFirDoc& doc, int designType) {
    auto* frame = new CChildFrame(*this, doc, EViewKind::Editor);
    const QSize area = m_pFrame->MdiArea()->viewport()->size();
    const QSize size(std::max(area.width() - 10, 200), std::max(area.height() - 10, 150));
    auto* content = new CSplitFrame(doc, designType, *m_pDialogs, size);
    for (CPlotPane* pane : content->findChildren<CPlotPane*>())
        ConnectPlot(*pane);
    AddFrame(frame, content, size);
    frame->move(0, 0);
    return frame;
}

CChildFrame* CFirApp::CreateViewWindow(CFirDoc& doc, EViewKind kind) {
    auto* frame = new CChildFrame(*this, doc, kind);
    QWidget* content = nullptr;
    if (kind == EViewKind::Data) {
        content = new CDataView(doc);
    } else {
        auto* plots = new CPlotSplitter(doc, kind);
        connect(plots, &CPlotSplitter::statusText, m_pFrame.get(), &CMainFrame::SetStatusText);
        content = plots;
    }
    const QSize area = m_pFrame->MdiArea()->viewport()->size();
    return AddFrame(frame, content, QSize(area.width() * 3 / 5, area.height() * 3 / 5));
}

void CFirApp::OpenView(CFirDoc& doc, const SViewRequest& request) {
    if (request.reuse || request.kind == EViewKind::Editor) {
        if (CChildFrame* frame = FindFrame(doc, request.kind)) {
            m_pFrame->MdiArea()->setActiveSubWindow(frame);
            return;
        }
    }
    if (request.kind == EViewKind::Editor)
        CreateProjectWindow(doc, doc.m_nDesignType);
    else
        CreateViewWindow(doc, request.kind);
}

// ---- menus, commands and panes that follow the focus ---------------------------------------

CFirDoc* CFirApp::ActiveDocument() const {
    auto* frame = qobject_cast<CChildFrame*>(m_pFrame->MdiArea()->activeSubWindow());
    return frame ? &frame->Document() : nullptr;
}

void CFirApp::ConnectPlot(CPlotPane& pane) {
    connect(pane.View(), &CPlotView::statusText, m_pFrame.get(), &CMainFrame::SetStatusText);
}

CSplitFrame* CFirApp::ActiveProjectWindow() const {
    auto* frame = qobject_cast<CChildFrame*>(m_pFrame->MdiArea()->activeSubWindow());
    return frame ? frame->findChild<CSplitFrame*>() : nullptr;
}

void CFirApp::OnFocusChanged(QWidget* now) {
    UpdateMenus(now);
    UpdateCommands();
}

void CFirApp::UpdateMenus(QWidget* now) {
    // The menu bar follows the pane with the focus: the coefficient-view menu for a data view
    // with a filter, the plot menu for a plot with data, the project menu for an editor.
    const CMainFrame& f = *m_pFrame;
    if (auto* data = AncestorOf<CDataView>(now)) {
        if (data->IsBound() && !data->Document().Filter().IsEmpty())
            m_pFrame->SetMenus({f.ProjectFileMenu(), f.FirMenu(), data->CoefficientsMenu(),
                                m_pCommands->CoefficientViewMenu(), f.HelpMenu()});
    } else if (auto* plot = AncestorOf<CPlotView>(now)) {
        m_pFocusPlot = plot;
        if (plot->Model().HasData())
            m_pFrame->SetMenus({f.ProjectFileMenu(), f.FirMenu(), f.PlotMenu(), f.ProjectViewMenu(),
                                f.HelpMenu()});
    } else if (AncestorOf<CEditorPane>(now)) {
        m_pFrame->SetMenus(m_pFrame->ProjectMenus());
    }
}

void CFirApp::OnSubWindowActivated(QMdiSubWindow* window) {
    if (!window) {
        if (m_pFrame->MdiArea()->subWindowList().isEmpty()) {
            m_pFrame->ShowMainMenu();
            m_pFrame->ClearTaps();
            m_pFrame->setWindowTitle(ShellText::kAppName);
        }
        UpdateCommands();
        return;
    }
    if (auto* frame = qobject_cast<CChildFrame*>(window)) {
        if (frame->Kind() != EViewKind::Data)
            m_pFrame->SetMenus(m_pFrame->ProjectMenus());
        if (frame->isAncestorOf(QApplication::focusWidget()))
            UpdateMenus(QApplication::focusWidget());
        RefreshDocument(frame->Document());
    }
}

void CFirApp::UpdateFrameTitle(CFirDoc& doc) {
    const QMdiSubWindow* active = m_pFrame->MdiArea()->activeSubWindow();
    // A maximized window's title is added by the MDI area after the application's name; the
    // title set here must not name the project a second time.
    if (active && active->isMaximized())
        m_pFrame->setWindowTitle(ShellText::kAppName);
    else
        m_pFrame->setWindowTitle(
            QString("%1 - %2[*]").arg(ShellText::kAppName, QString::fromStdString(doc.m_strTitle)));
    m_pFrame->setWindowModified(doc.IsModified());
}

void CFirApp::RefreshDocument(CFirDoc& doc) {
    for (CChildFrame* frame : FramesOf(doc))
        frame->UpdateTitle();
    if (ActiveDocument() == &doc) {
        m_pFrame->SetTaps(doc.Filter().Columns().GetLength());
        UpdateFrameTitle(doc);
    }
    // A notice may come before the change is complete (the undo point follows it): the
    // commands are brought up to date once the event loop is idle again.
    if (!m_bCommandsPending) {
        m_bCommandsPending = true;
        QTimer::singleShot(0, this, [this] {
            m_bCommandsPending = false;
            // A view that has just received its data may now show its own menu.
            UpdateMenus(QApplication::focusWidget());
            UpdateCommands();
        });
    }
}

void CFirApp::UpdateCommands() {
    const SShellState state{ActiveDocument(), ActiveProjectWindow(), QApplication::focusWidget()};
    for (const SShellAction& row : ShellActions())
        if (row.enabled)
            m_pFrame->Action(row.id)->setEnabled(row.enabled(state));
    m_pCommands->Update(ActiveDocument());
}

// ---- recent files -------------------------------------------------------------------------

void CFirApp::AddRecentFile(const QString& path) {
    m_recent.Add(path.toStdString());
    m_recent.Write(*m_pStore);
    UpdateRecentMenu();
}

void CFirApp::UpdateRecentMenu() {
    QMenu* menu = m_pFrame->RecentFilesMenu();
    menu->clear();
    int n = 0;
    for (const std::string& entry : m_recent.Entries()) {
        const QString path = QString::fromStdString(entry);
        QAction* action = menu->addAction(QString("&%1 %2").arg(++n).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenDocumentFile(path); });
    }
    menu->setEnabled(n > 0);
}
