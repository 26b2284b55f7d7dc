#pragma once

#include "doc/fir_commands.h"
#include "shell/tool_icons.h"

#include <QKeySequence>
#include <QList>
#include <QStyle>
#include <QWidget>

#include <optional>
#include <span>
#include <variant>

class CFirApp;
class CFirDoc;
class CSplitFrame;

// The main window's commands: its menu items, toolbar buttons and keys.
enum class EShellAction {
    FileNew,
    FileOpen,
    FileClose,
    FileSave,
    FileSaveAs,
    FileImport,
    FileExport,
    FilePrint,
    FilePrintPreview,
    FilePrintSetup,
    Exit,
    DesignFs,
    Window,
    Scale,
    Quantize,
    Mix,
    Undo,
    Redo,
    ViewSpecs,
    ViewFreq,
    ViewImpulse,
    ViewCoeffs,
    Cut,
    Copy,
    Paste,
    ContextHelp,
    ChooseFont,
    Preferences,
    HelpContents,
    HelpIndex,
    HelpSearch,
    About,
    EditUndo, // the text field's own undo (Alt+Backspace)
    NextPane,
    PrevPane,
    Count
};

inline constexpr int kShellActionCount = static_cast<int>(EShellAction::Count);

// What the enabling rules look at: the active project, its project window (when the active
// window is one) and the widget with the focus.
struct SShellState {
    const CFirDoc* doc = nullptr;
    CSplitFrame* project = nullptr;
    QWidget* focus = nullptr;
};

// A toolbar picture: one of the style's or one drawn by the program.
using ShellIcon = std::variant<std::monostate, QStyle::StandardPixmap, EToolIcon>;

// One row per command of the main window. A row with a catalogue command takes its caption
// from the command catalogue; the project commands (those and the toolbar's Window, Scale,
// Quantize and Mix) are run and enabled by the project's rules, the others by the row.
struct SShellAction {
    EShellAction id;
    const char* caption = ""; // "" for a catalogue command
    // The status bar's fly-by text, then after a line break the tool tip (when it differs from
    // the caption).
    const char* prompt = "";
    QList<QKeySequence> keys = {};
    ShellIcon icon = {};
    const char* iconText = nullptr; // the toolbar button's short caption, when it has one
    std::optional<ECommand> command = {};
    void (*run)(CFirApp&) = nullptr;               // nullptr: a project command
    bool (*enabled)(const SShellState&) = nullptr; // nullptr: always enabled
};

std::span<const SShellAction> ShellActions();
const SShellAction& ShellAction(EShellAction id);
// The caption of a row's menu item.
QString ShellActionCaption(const SShellAction& row);
// Whether a row is one of the project's commands (run and enabled by the project's rules).
inline bool IsProjectAction(const SShellAction& row) {
    return row.run == nullptr;
}

// The nearest widget of type T that holds w (w itself included), or nullptr.
template <typename T> T* AncestorOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* match = qobject_cast<T*>(w))
            return match;
    return nullptr;
}
