#include "shell/main_frame.h"

#include "doc/command_catalogue.h"
#include "doc/project_templates.h"
#include "shell/tool_icons.h"
#include "support/host.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
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

QAction* CMainFrame::Action(const QString& text, const QString& prompt, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    // A prompt's first line is the status bar's fly-by text, its second the tool tip.
    const QStringList lines = prompt.split('\n');
    action->setStatusTip(lines.value(0));
    if (lines.size() > 1)
        action->setToolTip(lines[1]);
    if (!key.isEmpty())
        action->setShortcut(key);
    addAction(action); // shortcuts work whichever menu is shown
    return action;
}

void CMainFrame::CreateActions() {
    CShellActions& a = m_actions;
    a.fileNew = Action("&New", "Create a new project\nNew", QKeySequence::New);
    a.fileOpen = Action("&Open...", "Open an existing project\nOpen", QKeySequence::Open);
    a.fileClose = Action("&Close", "Close the active project");
    a.fileSave = Action("&Save", "Save the active project\nSave", QKeySequence::Save);
    a.fileSaveAs = Action("Save &As...", "Save the active project with a new name");
    a.fileImport =
        Action(CommandInfo(ECommand::Import).caption, "Read coefficients from a data file");
    a.fileExport =
        Action(CommandInfo(ECommand::Export).caption, "Write the coefficients to a data file");
    a.filePrint = Action("&Print...", "Print the active view\nPrint", QKeySequence::Print);
    a.filePrintPreview = Action("Print Pre&view", "Display full pages");
    a.filePrintSetup = Action("P&rint Setup...", "Change the printer and printing options");
    a.exit = Action("E&xit", "Quit the application; prompts to save projects");
    a.designFs = Action("FS", "Set the sampling frequency\nSampling Frequency");
    a.window = Action("Window", "Window filter coefficients\nWindow");
    a.scale = Action("Scale", "Scale filter coefficients\nScale");
    a.quantize = Action("Quantize", "Quantize filter coefficients\nQuantize");
    a.mix = Action("Mix", "Mix the current filter coefficients with a complex sine\nMix");
    a.undo = Action(CommandInfo(ECommand::Undo).caption, "Undo the last change\nUndo",
                    QKeySequence(Qt::CTRL | Qt::Key_Z));
    a.undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    a.redo = Action(CommandInfo(ECommand::Redo).caption, "Redo the last change\nRedo");
    a.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    a.viewSpecs = Action("&Specifications", "View FIR filter specification editor\nView Editor");
    a.viewFreq = Action("Frequency Response", "View filter magnitude\nView Magnitude");
    a.viewImpulse =
        Action("Impulse Response", "View filter impulse response magnitude\nView Impulse");
    a.viewCoeffs = Action("Coefficients", "View and Edit filter coefficients\nView Coefficients");
    a.cut = Action("Cu&t", "Cut the selection to the clipboard\nCut");
    a.cut->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    a.copy = Action("&Copy", "Copy the selection to the clipboard\nCopy");
    a.copy->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    a.paste = Action("&Paste", "Insert the clipboard's contents\nPaste");
    a.paste->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    a.contextHelp = Action("Help", "Display help for the clicked item\nHelp",
                           QKeySequence(Qt::SHIFT | Qt::Key_F1));
    a.chooseFont = Action("Choose Font...", "Choose the font of the coefficient text");
    a.preferences = Action("&Preferences...", "Change the program's preferences");
    a.helpContents = Action("&Contents...", "List the help topics");
    a.helpIndex = Action("Index...", "Find a help topic by keyword");
    a.helpSearch = Action("&Search...", "Search the help pages for words");
    a.about = Action("&About...", "Display program information and version\nAbout");
    a.editUndo = Action("Undo Edit", "Undo the last edit of the text field",
                        QKeySequence(Qt::ALT | Qt::Key_Backspace));
    a.nextPane =
        Action("Next Pane", "Move to the next pane of the window", QKeySequence(Qt::Key_F6));
    a.prevPane = Action("Previous Pane", "Move to the previous pane of the window",
                        QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    // The clipboard commands act on the text field with the focus.
    auto editCommand = [this](QAction* action, const char* slot) {
        connect(action, &QAction::triggered, this, [slot] {
            if (QWidget* w = QApplication::focusWidget())
                QMetaObject::invokeMethod(w, slot);
        });
    };
    editCommand(a.cut, "cut");
    editCommand(a.copy, "copy");
    editCommand(a.paste, "paste");
    editCommand(a.editUndo, "undo");
    // Short captions on the toolbar's buttons.
    a.viewSpecs->setIconText("Specs");
    a.viewFreq->setIconText("Freq");
    a.viewImpulse->setIconText("Impulse");
    a.viewCoeffs->setIconText("Coeffs");
    a.contextHelp->setIconText("Help");
    a.filePrint->setIconText("Print");
    QStyle* st = style();
    a.fileNew->setIcon(st->standardIcon(QStyle::SP_FileIcon));
    a.fileOpen->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    a.fileSave->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    a.undo->setIcon(st->standardIcon(QStyle::SP_ArrowBack));
    a.redo->setIcon(st->standardIcon(QStyle::SP_ArrowForward));
    const std::pair<QAction*, EToolIcon> drawn[] = {{a.designFs, EToolIcon::SamplingFrequency},
                                                    {a.window, EToolIcon::Window},
                                                    {a.scale, EToolIcon::Scale},
                                                    {a.quantize, EToolIcon::Quantize},
                                                    {a.mix, EToolIcon::Mix},
                                                    {a.viewSpecs, EToolIcon::Specifications},
                                                    {a.viewFreq, EToolIcon::FrequencyResponse},
                                                    {a.viewImpulse, EToolIcon::ImpulseResponse},
                                                    {a.viewCoeffs, EToolIcon::Coefficients},
                                                    {a.cut, EToolIcon::Cut},
                                                    {a.copy, EToolIcon::Copy},
                                                    {a.paste, EToolIcon::Paste},
                                                    {a.filePrint, EToolIcon::Print},
                                                    {a.contextHelp, EToolIcon::ContextHelp}};
    for (const auto& [action, icon] : drawn)
        action->setIcon(ToolIcon(icon));
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar("Main");
    m_pToolBar->setObjectName("mainToolBar");
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pToolBar->setIconSize(QSize(24, 24));
    const CShellActions& a = m_actions;
    const QList<QList<QAction*>> groups{{a.fileNew, a.fileOpen, a.fileSave},
                                        {a.designFs, a.window, a.scale, a.quantize, a.mix},
                                        {a.undo, a.redo},
                                        {a.viewSpecs, a.viewFreq, a.viewImpulse, a.viewCoeffs},
                                        {a.cut, a.copy, a.paste},
                                        {a.filePrint, a.contextHelp}};
    for (int i = 0; i < groups.size(); ++i) {
        if (i > 0)
            m_pToolBar->addSeparator();
        for (QAction* action : groups[i])
            m_pToolBar->addAction(action);
    }
}

void CMainFrame::CreateMenus() {
    const CShellActions& a = m_actions;
    m_pRecentMenu = new QMenu("Recent &Files", this);
    auto fileMenu = [&](bool project) {
        auto* menu = new QMenu("&File", this);
        menu->addAction(a.fileNew);
        menu->addAction(a.fileOpen);
        if (project) {
            menu->addAction(a.fileClose);
            menu->addAction(a.fileSave);
            menu->addAction(a.fileSaveAs);
            menu->addSeparator();
            menu->addAction(a.fileImport);
            menu->addAction(a.fileExport);
            menu->addSeparator();
            menu->addAction(a.filePrint);
            menu->addAction(a.filePrintPreview);
        }
        menu->addAction(a.filePrintSetup);
        menu->addSeparator();
        menu->addMenu(m_pRecentMenu);
        menu->addSeparator();
        menu->addAction(a.exit);
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
    m_pMainView->addAction(a.chooseFont);
    m_pMainView->addAction(toolbarToggle);
    m_pMainView->addAction(m_pStatusBarToggle);
    m_pMainView->addAction(a.preferences);

    m_pFirMenu = new QMenu("F&IR", this);
    m_pFirMenu->addAction(a.undo);
    m_pFirMenu->addAction(a.redo);

    // The project's view items go before the separator (the application adds them).
    m_pProjectView = new QMenu("&View", this);
    m_pProjectView->addAction(a.viewSpecs);
    m_pProjectView->addSeparator();
    m_pProjectView->addAction(toolbarToggle);
    m_pProjectView->addAction(m_pStatusBarToggle);
    m_pProjectView->addAction(a.preferences);

    m_pPlotMenu = new QMenu("&Plot", this);

    m_pHelp = new QMenu("&Help", this);
    m_pHelp->addAction(a.helpContents);
    m_pHelp->addAction(a.helpIndex);
    m_pHelp->addAction(a.helpSearch);
    m_pHelp->addSeparator();
    m_pHelp->addAction(a.about);
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
