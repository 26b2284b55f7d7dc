#include "shell/shell_actions.h"

#include "doc/command_catalogue.h"
#include "doc/view_commands.h"
#include "editors/fir_editor.h"
#include "help/help_window.h"
#include "shell/child_frame.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"
#include "views/page_setup.h"
#include "views/plot_view.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWhatsThis>

#include <algorithm>
#include <stdexcept>

namespace {

// ---- enabling rules -------------------------------------------------------------------------

bool HasDocument(const SShellState& s) {
    return s.doc != nullptr;
}

bool IsPrintable(const SShellState& s) {
    auto* plot = AncestorOf<CPlotView>(s.focus);
    return AncestorOf<CDataView>(s.focus) != nullptr || (plot && plot->Model().HasData());
}

bool IsDataViewFocused(const SShellState& s) {
    return AncestorOf<CDataView>(s.focus) != nullptr;
}

bool IsTextFocused(const SShellState& s) {
    return qobject_cast<QPlainTextEdit*>(s.focus) || qobject_cast<QLineEdit*>(s.focus);
}

QPushButton* FsButtonOf(const CSplitFrame* project) {
    CFirEditor* editor = project ? project->Editor()->Editor() : nullptr;
    return editor ? editor->FsButton() : nullptr;
}

bool HasFsButton(const SShellState& s) {
    return FsButtonOf(s.project) != nullptr;
}

// ---- what the commands run ------------------------------------------------------------------

template <void (*Command)(CFirDoc&)> void OnActiveDocument(CFirApp& app) {
    if (CFirDoc* doc = app.ActiveDocument())
        Command(*doc);
}

template <bool AskPath> void SaveActive(CFirApp& app) {
    if (CFirDoc* doc = app.ActiveDocument())
        app.SaveDocument(*doc, AskPath);
}

void CloseActive(CFirApp& app) {
    CFirDoc* doc = app.ActiveDocument();
    if (doc && app.SaveModified(*doc))
        app.CloseDocument(*doc);
}

// Print and Print Preview act on the data view or the plot with the focus.
void PrintFocused(CFirApp&) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* data = AncestorOf<CDataView>(focus))
        data->PrintText();
    else if (auto* plot = AncestorOf<CPlotView>(focus))
        plot->Print();
}

void PreviewFocused(CFirApp&) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* data = AncestorOf<CDataView>(focus))
        data->PrintPreview();
    else if (auto* plot = AncestorOf<CPlotView>(focus))
        plot->PrintPreview();
}

// The clipboard commands and the field's own undo act on the text field with the focus.
template <const char* Slot> void OnTextField(CFirApp&) {
    if (QWidget* w = QApplication::focusWidget())
        QMetaObject::invokeMethod(w, Slot);
}
constexpr char kCut[] = "cut";
constexpr char kCopy[] = "copy";
constexpr char kPaste[] = "paste";
constexpr char kUndo[] = "undo";

template <bool Next> void MovePane(CFirApp& app) {
    if (auto* frame = qobject_cast<CChildFrame*>(app.MainFrame().MdiArea()->activeSubWindow()))
        frame->MovePane(Next);
}

void ChooseDataFont(CFirApp&) {
    if (auto* view = AncestorOf<CDataView>(QApplication::focusWidget()))
        view->ChooseFont();
}

void ClickFsButton(CFirApp& app) {
    if (QPushButton* button = FsButtonOf(app.ActiveProjectWindow()))
        button->click();
}

QKeySequence Keys(QKeyCombination key) {
    return QKeySequence(key);
}

const std::vector<SShellAction>& Rows() {
    using A = EShellAction;
    using K = QKeySequence;
    using S = QStyle;
    using I = EToolIcon;
    static const std::vector<SShellAction> rows{
        {.id = A::FileNew,
         .caption = "&New",
         .prompt = "Create a new project\nNew",
         .keys = {K(K::New)},
         .icon = S::SP_FileIcon,
         .run = [](CFirApp& app) { app.FileNew(); }},
        {.id = A::FileOpen,
         .caption = "&Open...",
         .prompt = "Open an existing project\nOpen",
         .keys = {K(K::Open)},
         .icon = S::SP_DialogOpenButton,
         .run = [](CFirApp& app) { app.FileOpen(); }},
        {.id = A::FileClose,
         .caption = "&Close",
         .prompt = "Close the active project",
         .run = CloseActive,
         .enabled = HasDocument},
        {.id = A::FileSave,
         .caption = "&Save",
         .prompt = "Save the active project\nSave",
         .keys = {K(K::Save)},
         .icon = S::SP_DialogSaveButton,
         .run = SaveActive<false>,
         .enabled = HasDocument},
        {.id = A::FileSaveAs,
         .caption = "Save &As...",
         .prompt = "Save the active project with a new name",
         .run = SaveActive<true>,
         .enabled = HasDocument},
        {.id = A::FileImport,
         .prompt = "Read coefficients from a data file",
         .command = ECommand::Import},
        {.id = A::FileExport,
         .prompt = "Write the coefficients to a data file",
         .command = ECommand::Export},
        {.id = A::FilePrint,
         .caption = "&Print...",
         .prompt = "Print the active view\nPrint",
         .keys = {K(K::Print)},
         .icon = I::Print,
         .iconText = "Print",
         .run = PrintFocused,
         .enabled = IsPrintable},
        {.id = A::FilePrintPreview,
         .caption = "Print Pre&view",
         .prompt = "Display full pages",
         .run = PreviewFocused,
         .enabled = IsPrintable},
        {.id = A::FilePrintSetup,
         .caption = "P&rint Setup...",
         .prompt = "Change the printer and printing options",
         .run = [](CFirApp& app) { EditPageSetup(&app.MainFrame()); }},
        {.id = A::Exit,
         .caption = "E&xit",
         .prompt = "Quit the application; prompts to save projects",
         .run = [](CFirApp& app) { app.MainFrame().close(); }},
        {.id = A::DesignFs,
         .caption = "FS",
         .prompt = "Set the sampling frequency\nSampling Frequency",
         .icon = I::SamplingFrequency,
         .run = ClickFsButton,
         .enabled = HasFsButton},
        {.id = A::Window,
         .caption = "Window",
         .prompt = "Window filter coefficients\nWindow",
         .icon = I::Window},
        {.id = A::Scale,
         .caption = "Scale",
         .prompt = "Scale filter coefficients\nScale",
         .icon = I::Scale},
        {.id = A::Quantize,
         .caption = "Quantize",
         .prompt = "Quantize filter coefficients\nQuantize",
         .icon = I::Quantize},
        {.id = A::Mix,
         .caption = "Mix",
         .prompt = "Mix the current filter coefficients with a complex sine\nMix",
         .icon = I::Mix},
        {.id = A::Undo,
         .prompt = "Undo the last change\nUndo",
         .keys = {Keys(Qt::CTRL | Qt::Key_Z)},
         .icon = S::SP_ArrowBack,
         .command = ECommand::Undo},
        {.id = A::Redo,
         .prompt = "Redo the last change\nRedo",
         .keys = {Keys(Qt::CTRL | Qt::Key_Y), Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         .icon = S::SP_ArrowForward,
         .command = ECommand::Redo},
        {.id = A::ViewSpecs,
         .caption = "&Specifications",
         .prompt = "View FIR filter specification editor\nView Editor",
         .icon = I::Specifications,
         .iconText = "Specs",
         .run = OnActiveDocument<ShowSpecifications>,
         .enabled = HasDocument},
        {.id = A::ViewFreq,
         .caption = "Frequency Response",
         .prompt = "View filter magnitude\nView Magnitude",
         .icon = I::FrequencyResponse,
         .iconText = "Freq",
         .run = OnActiveDocument<ShowFrequencyView>,
         .enabled = HasDocument},
        {.id = A::ViewImpulse,
         .caption = "Impulse Response",
         .prompt = "View filter impulse response magnitude\nView Impulse",
         .icon = I::ImpulseResponse,
         .iconText = "Impulse",
         .run = OnActiveDocument<ShowImpulseViewTool>,
         .enabled = HasDocument},
        {.id = A::ViewCoeffs,
         .caption = "Coefficients",
         .prompt = "View and Edit filter coefficients\nView Coefficients",
         .icon = I::Coefficients,
         .iconText = "Coeffs",
         .run = OnActiveDocument<ShowCoefficientViewTool>,
         .enabled = HasDocument},
        {.id = A::Cut,
         .caption = "Cu&t",
         .prompt = "Cut the selection to the clipboard\nCut",
         .keys = {Keys(Qt::CTRL | Qt::Key_X), Keys(Qt::SHIFT | Qt::Key_Delete)},
         .icon = I::Cut,
         .run = OnTextField<kCut>,
         .enabled = IsTextFocused},
        {.id = A::Copy,
         .caption = "&Copy",
         .prompt = "Copy the selection to the clipboard\nCopy",
         .keys = {Keys(Qt::CTRL | Qt::Key_C), Keys(Qt::CTRL | Qt::Key_Insert)},
         .icon = I::Copy,
         .run = OnTextField<kCopy>,
         .enabled = IsTextFocused},
        {.id = A::Paste,
         .caption = "&Paste",
         .prompt = "Insert the clipboard's contents\nPaste",
         .keys = {Keys(Qt::CTRL | Qt::Key_V), Keys(Qt::SHIFT | Qt::Key_Insert)},
         .icon = I::Paste,
         .run = OnTextField<kPaste>,
         .enabled = IsTextFocused},
        {.id = A::ContextHelp,
         .caption = "Help",
         .prompt = "Display help for the clicked item\nHelp",
         .keys = {Keys(Qt::SHIFT | Qt::Key_F1)},
         .icon = I::ContextHelp,
         .iconText = "Help",
         .run = [](CFirApp&) { QWhatsThis::enterWhatsThisMode(); }},
        {.id = A::ChooseFont,
         .caption = "Choose Font...",
         .prompt = "Choose the font of the coefficient text",
         .run = ChooseDataFont,
         .enabled = IsDataViewFocused},
        {.id = A::Preferences,
         .caption = "&Preferences...",
         .prompt = "Change the program's preferences",
         .run = [](CFirApp& app) { app.EditPreferences(); }},
        {.id = A::HelpContents,
         .caption = "&Contents...",
         .prompt = "List the help topics",
         .run = [](CFirApp&) { ShowHelpContents(); }},
        {.id = A::HelpIndex,
         .caption = "Index...",
         .prompt = "Find a help topic by keyword",
         .run = [](CFirApp&) { ShowHelpIndex(); }},
        {.id = A::HelpSearch,
         .caption = "&Search...",
         .prompt = "Search the help pages for words",
         .run = [](CFirApp&) { ShowHelpSearch(); }},
        {.id = A::About,
         .caption = "&About...",
         .prompt = "Display program information and version\nAbout",
         .run = [](CFirApp& app) { app.ShowAbout(); }},
        {.id = A::EditUndo,
         .caption = "Undo Edit",
         .prompt = "Undo the last edit of the text field",
         .keys = {Keys(Qt::ALT | Qt::Key_Backspace)},
         .run = OnTextField<kUndo>,
         .enabled = IsTextFocused},
        {.id = A::NextPane,
         .caption = "Next Pane",
         .prompt = "Move to the next pane of the window",
         .keys = {Keys(Qt::Key_F6)},
         .run = MovePane<true>},
        {.id = A::PrevPane,
         .caption = "Previous Pane",
         .prompt = "Move to the previous pane of the window",
         .keys = {Keys(Qt::SHIFT | Qt::Key_F6)},
         .run = MovePane<false>},
    };
    return rows;
}

} // namespace

std::span<const SShellAction> ShellActions() {
    return Rows();
}

const SShellAction& ShellAction(EShellAction id) {
    const auto& rows = Rows();
    const auto it =
        std::find_if(rows.begin(), rows.end(), [id](const SShellAction& r) { return r.id == id; });
    if (it == rows.end())
        throw std::logic_error("a shell command without a row");
    return *it;
}

QString ShellActionCaption(const SShellAction& row) {
    return row.command ? CommandInfo(*row.command).caption : row.caption;
}
