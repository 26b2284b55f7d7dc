#pragma once

#include "doc/fir_commands.h"

#include <QObject>

#include <functional>
#include <vector>

class CCommandDialogs;
class CFirDoc;
class CMainFrame;
class QAction;
class QMenu;

// The project commands of the menus and the toolbar: the FIR menu, the View menu's windows, the
// File menu's import and export, and the toolbar's Window, Scale, Quantize and Mix. Each item runs
// the core command on the active project with the desktop's dialogs; each is enabled by the
// core's rule for that project.
class CProjectCommands : public QObject {
    Q_OBJECT
public:
    using DocumentOf = std::function<CFirDoc*()>;
    // activeDocument: the project of the window with the focus (nullptr when none). afterCommand
    // runs after every command (the commands' enabling may have changed).
    CProjectCommands(CMainFrame& frame, CCommandDialogs& dialogs, DocumentOf activeDocument,
                     std::function<void()> afterCommand, QObject* parent = nullptr);

    // The View menu of the coefficient view: the project's, with a shorter "Frequency Response".
    QMenu* CoefficientViewMenu() const { return m_pCoefficientView; }
    // Enables every item by its rule for doc (all off when doc is nullptr).
    void Update(const CFirDoc* doc);

private:
    struct SItem {
        QAction* action;
        std::function<bool(const CFirDoc&)> enabled;
    };
    void Add(QAction* action, std::function<bool(const CFirDoc&)> enabled,
             std::function<void(CFirDoc&)> run);
    // The main window's action of a command, or nullptr when the menu makes its own item.
    QAction* ShellAction(ECommand id) const;
    void CreateFirMenu();
    void CreateViewMenus();
    void CreateToolCommands();
    QMenu* Submenu(QMenu* menu, const QString& path);

    CMainFrame& m_frame;
    CCommandDialogs& m_dialogs;
    DocumentOf m_activeDocument;
    std::function<void()> m_afterCommand;
    std::vector<SItem> m_items;
    QMenu* m_pCoefficientView = nullptr;
};
