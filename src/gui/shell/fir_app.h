#pragma once

#include "doc/doc_view.h"
#include "doc/fir_commands.h"
#include "doc/preferences.h"
#include "doc/project_templates.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

class CChildFrame;
class CSplitFrame;
class CPlotPane;
class CPlotView;
class CProjectCommands;
class QAction;
class CMainFrame;
class CQtCommandDialogs;
class CQtHost;
class CShellOpenServer;
class QMdiSubWindow;
class QSettings;
class QWidget;

// The desktop program: the preferences, the recent files, the main window and the open
// projects with their windows. It opens the windows that a project asks for and decides which
// menus and commands apply to the window with the focus.
class CFirApp : public QObject, public CViewOwner {
    Q_OBJECT
public:
    // settings: where preferences, recent files, window geometry and the last folder are kept.
    explicit CFirApp(QSettings& settings, QObject* parent = nullptr);
    ~CFirApp() override;

    CMainFrame& MainFrame() const { return *m_pFrame; }
    CQtHost& Host() const { return *m_pHost; }
    const CPreferences& Preferences() const { return m_prefs; }
    const CRecentFileList& RecentFiles() const { return m_recent; }

    // Opens the projects given on the command line, or shows the chooser when there are none.
    void ProcessCommandLine(const QStringList& paths);
    // Listens for paths handed over by later launches.
    bool EnableShellOpen(const QString& serverName);

    // Opens the project at path with the template of its type; the open project when it is
    // open already. nullptr when it cannot be opened (the user has been told why).
    CFirDoc* OpenDocumentFile(const QString& path);
    // A new project of a design type (0..7); nullptr for any other type.
    CFirDoc* NewProject(int designType);
    // The commands of the application.
    void FileNew();
    void FileOpen();
    void EditPreferences();
    void ShowAbout();

    // Save (or Save As, or Save without a path): false when cancelled or failed.
    bool SaveDocument(CFirDoc& doc, bool askPath);
    // Asks "Save changes to ...?" for a modified project: false for Cancel or a failed save.
    bool SaveModified(CFirDoc& doc);
    // Closes every project, asking to save each modified one; false when the user cancelled.
    bool CloseAllDocuments();

    // The project of the active window, nullptr when none.
    CFirDoc* ActiveDocument() const;
    // The project window when the active window is one, nullptr otherwise.
    CSplitFrame* ActiveProjectWindow() const;
    std::vector<CChildFrame*> FramesOf(const CFirDoc& doc) const;
    // Whether a window may close: the last window of a project asks to save its changes.
    bool CanCloseFrame(CChildFrame& frame);
    // Refreshes the title, the taps pane and the commands after a change of the project.
    void RefreshDocument(CFirDoc& doc);
    // The main window's title for the active project: "CorviFIR - NAME", or, while its window
    // is maximized, "CorviFIR - [NAME]" (the MDI area joins the window's own title).
    void UpdateFrameTitle(CFirDoc& doc);

    // CViewOwner
    void OpenView(CFirDoc& doc, const SViewRequest& request) override;
    void CloseDocument(CFirDoc& doc) override;
    void OnLastViewClosed(CFirDoc& doc) override;
    void OnStateChanged(CFirDoc& doc) override;

private:
    CFirDoc& CreateDocument();
    CChildFrame* CreateProjectWindow(CFirDoc& doc, int designType);
    void ConnectPlot(CPlotPane& pane);
    CChildFrame* CreateViewWindow(CFirDoc& doc, EViewKind kind);
    CChildFrame* AddFrame(CChildFrame* frame, QWidget* content, QSize size);
    CChildFrame* FindFrame(const CFirDoc& doc, EViewKind kind) const;
    void ConnectCommands();
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool IsProjectUndoKey(QObject* watched, QEvent* event) const;
    void FillPlotMenu();
    void OnFocusChanged(QWidget* now);
    void UpdateMenus(QWidget* focus);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void UpdateCommands();
    void UpdateRecentMenu();
    void AddRecentFile(const QString& path);
    // The open projects of this application (it owns them), oldest first.
    std::vector<CFirDoc*> Documents() const;
    void DestroyDocument(CFirDoc* doc);
    void SaveGeometry();

    QSettings& m_settings;
    std::unique_ptr<CSettingsStore> m_pStore;
    CPreferences m_prefs;
    CRecentFileList m_recent;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CQtHost> m_pHost;
    std::unique_ptr<CQtCommandDialogs> m_pDialogs;
    CShellOpenServer* m_pShellOpen = nullptr;
    std::unique_ptr<CProjectCommands> m_pCommands;
    QPointer<CPlotView> m_pFocusPlot; // the plot whose menu the menu bar shows
    bool m_bCommandsPending = false;
    int m_nChooserRadio = 0; // the chooser's button chosen last since the start
    int m_nUntitled[8] = {}; // numbers given to new projects of each type
};
