#pragma once

#include "shell/shell_actions.h"

#include <QList>
#include <QMainWindow>

#include <array>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window: a multi-document area, the menu bar (switched to the menus of the pane with
// the focus), the main toolbar and the status bar with its message and taps panes.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_pMdi; }
    // The action of a command of the menus and the toolbar (made from its row; the application
    // connects it and decides whether it is enabled).
    QAction* Action(EShellAction id) const { return m_actions[static_cast<int>(id)]; }
    QMenu* RecentFilesMenu() const { return m_pRecentMenu; }

    // The message pane's text, shown at once (before a long operation starts).
    void SetStatusText(const QString& text);
    // The taps pane: "%d Taps", or empty when no project is active.
    void SetTaps(int taps);
    void ClearTaps();
    QString TapsText() const;

    // The menus of the pane with the focus; the main menu when none is given.
    void SetMenus(const QList<QMenu*>& menus);
    void ShowMainMenu();
    // The project menu: File, FIR and View of a project, and Help.
    QMenu* ProjectFileMenu() const { return m_pProjectFile; }
    QMenu* FirMenu() const { return m_pFirMenu; }
    QMenu* ProjectViewMenu() const { return m_pProjectView; }
    QMenu* HelpMenu() const { return m_pHelp; }
    // The plot menu of a plot with the focus; its items are those of the plot's context menu.
    QMenu* PlotMenu() const { return m_pPlotMenu; }
    QList<QMenu*> ProjectMenus() const;

signals:
    void FilesDropped(const QStringList& paths);
    void CloseRequested(bool* accept);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* CreateAction(const SShellAction& row);

    QMdiArea* m_pMdi = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pTaps = nullptr;
    std::array<QAction*, kShellActionCount> m_actions{};
    QAction* m_pStatusBarToggle = nullptr;
    QMenu* m_pMainFile = nullptr;
    QMenu* m_pMainView = nullptr;
    QMenu* m_pProjectFile = nullptr;
    QMenu* m_pFirMenu = nullptr;
    QMenu* m_pProjectView = nullptr;
    QMenu* m_pHelp = nullptr;
    QMenu* m_pPlotMenu = nullptr;
    QMenu* m_pRecentMenu = nullptr;
};
