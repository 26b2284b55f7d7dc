#include "shell/project_commands.h"

#include "design/fir_data.h"
#include "doc/command_catalogue.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/view_commands.h"
#include "shell/main_frame.h"

#include <QAction>
#include <QMenu>

namespace {

// The variant of Window, Scale and Quantize on the toolbar: the filter's own kind.
EParts KindOf(const CFirDoc& doc) {
    return doc.Filter().IsReal() ? EParts::Inphase : EParts::Complex;
}

// The rule of a command for every project.
std::function<bool(const CFirDoc&)> Rule(ECommand command, EParts parts = EParts::Inphase) {
    return [command, parts](const CFirDoc& doc) { return IsCommandEnabled(doc, command, parts); };
}

} // namespace

CProjectCommands::CProjectCommands(CMainFrame& frame, CCommandDialogs& dialogs,
                                   DocumentOf activeDocument, std::function<void()> afterCommand,
                                   QObject* parent)
    : QObject(parent), m_frame(frame), m_dialogs(dialogs),
      m_activeDocument(std::move(activeDocument)), m_afterCommand(std::move(afterCommand)) {
    CreateFirMenu();
    CreateViewMenus();
    CreateToolCommands();
}

void CProjectCommands::Add(QAction* action, std::function<bool(const CFirDoc&)> enabled,
                           std::function<void(CFirDoc&)> run) {
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        if (CFirDoc* doc = m_activeDocument()) {
            run(*doc);
            m_afterCommand();
        }
    });
    m_items.push_back({action, std::move(enabled)});
}

void CProjectCommands::Update(const CFirDoc* doc) {
    for (const SItem& item : m_items)
        item.action->setEnabled(doc && item.enabled(*doc));
}

QMenu* CProjectCommands::Submenu(QMenu* menu, const QString& path) {
    for (const QString& title : path.split('/')) {
        QMenu* found = nullptr;
        for (QAction* a : menu->actions())
            if (a->menu() && a->text() == title)
                found = a->menu();
        menu = found ? found : menu->addMenu(title);
    }
    return menu;
}

QAction* CProjectCommands::ShellAction(ECommand id) const {
    for (const SShellAction& row : ShellActions())
        if (row.command == id)
            return m_frame.Action(row.id);
    return nullptr;
}

void CProjectCommands::CreateFirMenu() {
    // The File menu's items and Undo and Redo are the main window's actions (shortcuts, toolbar
    // buttons); the other items of the FIR menu are made here, in the catalogue's order.
    QMenu* fir = m_frame.FirMenu();
    CCommandDialogs& d = m_dialogs;
    for (const SCommandInfo& command : CommandCatalogue()) {
        const SCommandInfo* c = &command;
        if (c->separatorBefore)
            fir->addSeparator();
        if (!c->runParts) {
            QAction* action = ShellAction(c->id);
            if (!action)
                action = fir->addAction(c->caption);
            Add(action, Rule(c->id), [&d, c](CFirDoc& doc) { RunCommand(*c, doc, d); });
            continue;
        }
        QMenu* menu = fir->addMenu(c->caption);
        for (const SPartsVariant& variant : PartsVariants()) {
            const EParts parts = variant.parts;
            Add(menu->addAction(variant.caption), Rule(c->id, parts),
                [&d, c, parts](CFirDoc& doc) { RunCommand(*c, doc, d, parts); });
        }
    }
}

void CProjectCommands::CreateViewMenus() {
    // The window items go between "Specifications" and the separator before the bars' toggles.
    QMenu* project = m_frame.ProjectViewMenu();
    QList<QAction*> tail = project->actions().mid(1);
    for (QAction* a : tail)
        project->removeAction(a);
    m_pCoefficientView = new QMenu("&View", &m_frame);
    m_pCoefficientView->addAction(m_frame.Action(EShellAction::ViewSpecs));

    auto enabledFor = [](const SViewMenuItem* item) {
        return [item](const CFirDoc& doc) { return IsViewItemEnabled(doc, *item); };
    };
    auto open = [](const SViewMenuItem* item) {
        return [item](CFirDoc& doc) { OpenMenuView(doc, *item); };
    };
    // The coefficient view's own, shorter frequency-response submenu comes first.
    QMenu* shortFreq = m_pCoefficientView->addMenu("&Frequency Response");
    for (const SShortViewMenuItem& s : CoefficientViewFrequencyItems())
        Add(shortFreq->addAction(s.caption), enabledFor(s.item), open(s.item));
    for (const SViewMenuItem& item : ViewMenuItems()) {
        const bool top = *item.submenu == '\0';
        QAction* action = (top ? project : Submenu(project, item.submenu))->addAction(item.caption);
        Add(action, enabledFor(&item), open(&item));
        if (item.kind != EViewKind::Frequency)
            (top ? m_pCoefficientView : Submenu(m_pCoefficientView, item.submenu))
                ->addAction(action);
    }
    for (QAction* a : tail) {
        project->addAction(a);
        m_pCoefficientView->addAction(a);
    }
}

void CProjectCommands::CreateToolCommands() {
    CCommandDialogs& d = m_dialogs;
    Add(
        m_frame.Action(EShellAction::Window),
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Window, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::Window(doc, d, KindOf(doc)); });
    Add(
        m_frame.Action(EShellAction::Scale),
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Scale, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::ScaleWithSettings(doc, d); });
    Add(
        m_frame.Action(EShellAction::Quantize),
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Quantize, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::Quantize(doc, d, KindOf(doc)); });
    Add(m_frame.Action(EShellAction::Mix), Rule(ECommand::Mix),
        [&d](CFirDoc& doc) { FirCommand::Mix(doc, d); });
}
