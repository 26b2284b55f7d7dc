#include "shell/project_commands.h"

#include "design/fir_data.h"
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

void CProjectCommands::CreateFirMenu() {
    const CShellActions& a = m_frame.Actions();
    CCommandDialogs& d = m_dialogs;
    Add(a.undo, Rule(ECommand::Undo), [](CFirDoc& doc) { FirCommand::Undo(doc); });
    Add(a.redo, Rule(ECommand::Redo), [](CFirDoc& doc) { FirCommand::Redo(doc); });
    Add(a.fileImport, Rule(ECommand::Import), [&d](CFirDoc& doc) { FirCommand::Import(doc, d); });
    Add(a.fileExport, Rule(ECommand::Export), [&d](CFirDoc& doc) { FirCommand::Export(doc, d); });

    QMenu* fir = m_frame.FirMenu();
    auto item = [this, &d](QMenu* menu, const char* caption, ECommand command,
                           bool (*run)(CFirDoc&, CCommandDialogs&)) {
        Add(menu->addAction(caption), Rule(command), [&d, run](CFirDoc& doc) { run(doc, d); });
    };
    auto plain = [this](QMenu* menu, const char* caption, ECommand command, bool (*run)(CFirDoc&)) {
        Add(menu->addAction(caption), Rule(command), [run](CFirDoc& doc) { run(doc); });
    };
    // A submenu of the three variants of a command.
    auto variants = [this, fir, &d](const char* title, ECommand command,
                                    bool (*run)(CFirDoc&, CCommandDialogs&, EParts)) {
        QMenu* menu = fir->addMenu(title);
        const std::pair<const char*, EParts> rows[] = {{"&Inphase...", EParts::Inphase},
                                                       {"&Quadrature...", EParts::Quadrature},
                                                       {"&Complex...", EParts::Complex}};
        for (const auto& row : rows) {
            const EParts parts = row.second;
            Add(menu->addAction(row.first), Rule(command, parts),
                [&d, run, parts](CFirDoc& doc) { run(doc, d, parts); });
        }
    };
    fir->addSeparator();
    item(fir, "Sampling &Frequency...", ECommand::SamplingFrequency,
         &FirCommand::SamplingFrequency);
    item(fir, "Design Options...", ECommand::DesignOptions, &FirCommand::DesignOptions);
    item(fir, "Minimum &dB...", ECommand::MinimumDb, &FirCommand::MinimumDb);
    fir->addSeparator();
    variants("Fill Filter With Constant", ECommand::FillConstant, &FirCommand::FillConstant);
    variants("Fill Filter With &Sine", ECommand::FillSine, &FirCommand::FillSine);
    fir->addSeparator();
    variants("&Window Filter", ECommand::Window, &FirCommand::Window);
    variants("&Scale Filter", ECommand::Scale, &FirCommand::Scale);
    variants("&Quantize Filter", ECommand::Quantize, &FirCommand::Quantize);
    item(fir, "&Mix Complex Filter...", ECommand::Mix, &FirCommand::Mix);
    item(fir, "&Zero-Stuff and Zero-Pad...", ECommand::ZeroStuff, &FirCommand::ZeroStuff);
    item(fir, "Con&volve...", ECommand::Convolve, &FirCommand::Convolve);
    item(fir, "&Truncate...", ECommand::Truncate, &FirCommand::Truncate);
    item(fir, "Select &Polyphase Filter...", ECommand::Polyphase, &FirCommand::Polyphase);
    fir->addSeparator();
    plain(fir, "Convert to Minimum Phase", ECommand::MinPhase, &FirCommand::MinPhase);
    plain(fir, "Reverse", ECommand::Reverse, &FirCommand::Reverse);
    plain(fir, "Copy &Inphase to Quadrature", ECommand::CopyIToQ, &FirCommand::CopyIToQ);
    plain(fir, "Copy &Quadrature to Inphase", ECommand::CopyQToI, &FirCommand::CopyQToI);
    plain(fir, "Swap Inphase and Quadrature", ECommand::SwapIQ, &FirCommand::SwapIQ);
    fir->addSeparator();
    plain(fir, "&Copy Filter Data to Clipboard", ECommand::CopyToClipboard,
          &FirCommand::CopyToClipboard);
}

void CProjectCommands::CreateViewMenus() {
    // The window items go between "Specifications" and the separator before the bars' toggles.
    QMenu* project = m_frame.ProjectViewMenu();
    QList<QAction*> tail = project->actions().mid(1);
    for (QAction* a : tail)
        project->removeAction(a);
    m_pCoefficientView = new QMenu("&View", &m_frame);
    m_pCoefficientView->addAction(m_frame.Actions().viewSpecs);

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
    const CShellActions& a = m_frame.Actions();
    CCommandDialogs& d = m_dialogs;
    Add(
        a.window,
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Window, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::Window(doc, d, KindOf(doc)); });
    Add(
        a.scale,
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Scale, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::ScaleWithSettings(doc, d); });
    Add(
        a.quantize,
        [](const CFirDoc& doc) { return IsCommandEnabled(doc, ECommand::Quantize, KindOf(doc)); },
        [&d](CFirDoc& doc) { FirCommand::Quantize(doc, d, KindOf(doc)); });
    Add(a.mix, Rule(ECommand::Mix), [&d](CFirDoc& doc) { FirCommand::Mix(doc, d); });
}
