#include "shell/main_frame.h"

#include "doc/project_templates.h"
#include "shell/tool_icons.h"
#include "support/host.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(ShellText::kAppName);
    setObjectName("mainFrame");
    m_pMdi = new QMdiArea(this);
    m_pMdi->setObjectName("mdiArea");
    setCentralWidget(m_pMdi);
    setAcceptDrops(true);
    CreateActions();
    CreateToolBar();
    CreateMenus();
    CreateStatusBar();
    ShowMainMenu();
    resize(1024, 720);
}

QAction* CMainFrame::CreateAction(const SShellAction& row) {
    auto* action = new QAction(ShellActionCaption(row), this);
    // A prompt's first line is the status bar's fly-by text, its second the tool tip.
    const QStringList lines = QString(row.prompt).split('\n');
    action->setStatusTip(lines.value(0));
    if (lines.size() > 1)
        action->setToolTip(lines[1]);
    if (!row.keys.isEmpty())
        action->setShortcuts(row.keys);
    if (const auto* icon = std::get_if<QStyle::StandardPixmap>(&row.icon))
        action->setIcon(style()->standardIcon(*icon));
    else if (const auto* drawn = std::get_if<EToolIcon>(&row.icon))
        action->setIcon(ToolIcon(*drawn));
    if (row.iconText)
        action->setIconText(row.iconText);
    addAction(action); // shortcuts work whichever menu is shown
    return action;
}

void CMainFrame::CreateActions() {
    for (const SShellAction& row : ShellActions())
        m_actions[static_cast<int>(row.id)] = CreateAction(row);
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar("Main");
    m_pToolBar->setObjectName("mainToolBar");
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pToolBar->setIconSize(QSize(24, 24));
    using A = EShellAction;
    const QList<QList<A>> groups{{A::FileNew, A::FileOpen, A::FileSave},
                                 {A::DesignFs, A::Window, A::Scale, A::Quantize, A::Mix},
                                 {A::Undo, A::Redo},
                                 {A::ViewSpecs, A::ViewFreq, A::ViewImpulse, A::ViewCoeffs},
                                 {A::Cut, A::Copy, A::Paste},
                                 {A::FilePrint, A::ContextHelp}};
    for (int i = 0; i < groups.size(); ++i) {
        if (i > 0)
            m_pToolBar->addSeparator();
        for (A id : groups[i])
            m_pToolBar->addAction(Action(id));
    }
}

void CMainFrame::CreateMenus() {
    using A = EShellAction;
    auto a = [this](A id) { return Action(id); };
    m_pRecentMenu = new QMenu("Recent &Files", this);
    auto fileMenu = [&](bool project) {
        auto* menu = new QMenu("&File", this);
        menu->addAction(a(A::FileNew));
        menu->addAction(a(A::FileOpen));
        if (project) {
            menu->addAction(a(A::FileClose));
            menu->addAction(a(A::FileSave));
            menu->addAction(a(A::FileSaveAs));
            menu->addSeparator();
            menu->addAction(a(A::FileImport));
            menu->addAction(a(A::FileExport));
            menu->addSeparator();
            menu->addAction(a(A::FilePrint));
            menu->addAction(a(A::FilePrintPreview));
        }
        menu->addAction(a(A::FilePrintSetup));
        menu->addSeparator();
        menu->addMenu(m_pRecentMenu);
        menu->addSeparator();
        menu->addAction(a(A::Exit));
        return menu;
    };
    m_pMainFile = fileMenu(false);
    m_pProjectFile = fileMenu(true);

    QAction* toolbarToggle = m_pToolBar->toggleViewAction();
    toolbarToggle->setText("Toolbar");
    m_pStatusBarToggle = new QAction("&Status Bar", this);
    m_pStatusBarToggle->setCheckable(true);
    m_pStatusBarToggle->setChecked(true);
    connect(m_pStatusBarToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
    m_pMainView = new QMenu("&View", this);
    m_pMainView->addAction(a(A::ChooseFont));
    m_pMainView->addAction(toolbarToggle);
    m_pMainView->addAction(m_pStatusBarToggle);
    m_pMainView->addAction(a(A::Preferences));

    m_pFirMenu = new QMenu("F&IR", this);
    m_pFirMenu->addAction(a(A::Undo));
    m_pFirMenu->addAction(a(A::Redo));

    // The project's view items go before the separator (the application adds them).
    m_pProjectView = new QMenu("&View", this);
    m_pProjectView->addAction(a(A::ViewSpecs));
    m_pProjectView->addSeparator();
    m_pProjectView->addAction(toolbarToggle);
    m_pProjectView->addAction(m_pStatusBarToggle);
    m_pProjectView->addAction(a(A::Preferences));

    m_pPlotMenu = new QMenu("&Plot", this);

    m_pHelp = new QMenu("&Help", this);
    m_pHelp->addAction(a(A::HelpContents));
    m_pHelp->addAction(a(A::HelpIndex));
    m_pHelp->addAction(a(A::HelpSearch));
    m_pHelp->addSeparator();
    m_pHelp->addAction(a(A::About));
}

void CMainFrame::CreateStatusBar() {
    m_pTaps = new QLabel(this);
    m_pTaps->setObjectName("tapsPane");
    m_pTaps->setAlignment(Qt::AlignCenter);
    m_pTaps->setMinimumWidth(
        2 * m_pTaps->fontMetrics().horizontalAdvance(ShellText::kTapsPaneWidthText));
    statusBar()->addPermanentWidget(m_pTaps);
    // Whenever nothing else is to be said (a fly-by prompt ended, a message was cleared), the
    // message pane says "Ready".
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->showMessage(kReadyText);
    });
    statusBar()->showMessage(kReadyText);
}

void CMainFrame::SetStatusText(const QString& text) {
    statusBar()->showMessage(text);
    statusBar()->repaint();
}

void CMainFrame::SetTaps(int taps) {
    m_pTaps->setText(QString(ShellText::kTapsPane).replace("%d", QString::number(taps)));
}

void CMainFrame::ClearTaps() {
    m_pTaps->clear();
}

QString CMainFrame::TapsText() const {
    return m_pTaps->text();
}

QList<QMenu*> CMainFrame::ProjectMenus() const {
    return {m_pProjectFile, m_pFirMenu, m_pProjectView, m_pHelp};
}

void CMainFrame::SetMenus(const QList<QMenu*>& menus) {
    QList<QAction*> wanted;
    for (QMenu* m : menus)
        wanted << m->menuAction();
    if (menuBar()->actions() == wanted)
        return;
    menuBar()->clear();
    for (QMenu* m : menus)
        menuBar()->addMenu(m);
}

void CMainFrame::ShowMainMenu() {
    SetMenus({m_pMainFile, m_pMainView, m_pHelp});
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        emit FilesDropped(paths);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    bool accept = true;
    emit CloseRequested(&accept);
    if (accept)
        event->accept();
    else
        event->ignore();
}
