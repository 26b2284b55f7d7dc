#include "shell/help_context.h"

#include "dialogs/data_files_dialog.h"
#include "dialogs/design_options_sheet.h"
#include "dialogs/format_options_dialogs.h"
#include "dialogs/operation_dialog.h"
#include "editors/fir_editor.h"
#include "help/help_catalog.h"
#include "shell/data_view.h"
#include "shell/preferences_dialog.h"
#include "shell/project_chooser.h"
#include "views/plot_dialogs.h"
#include "views/plot_view.h"

#include <QWidget>

namespace {

template <class T> bool Is(const QWidget* w) {
    return dynamic_cast<const T*>(w) != nullptr;
}

// Windows whose page follows from their class.
struct SClassTopic {
    bool (*is)(const QWidget*);
    const char* topic;
};

constexpr SClassTopic kClassTopics[] = {
    {&Is<CFirDesignOptionsSheet>, kHelpDesignOptions},
    {&Is<CDataFilesDialog>, kHelpDataFiles},
    {&Is<CFixedPointOptsDialog>, kHelpFileFormats},
    {&Is<CWavFmtDialog>, kHelpFileFormats},
    {&Is<COptionsCDialog>, kHelpFileFormats},
    {&Is<CAsmOptsDialog>, kHelpFileFormats},
    {&Is<COperationDialog>, kHelpCommands},
    {&Is<CDataViewFormat>, kHelpViews},
    {&Is<CDataView>, kHelpViews},
    {&Is<CPlotView>, kHelpViews},
    {&Is<CAxisDlg>, kHelpViews},
    {&Is<CTitles>, kHelpViews},
    {&Is<CGraphOptions>, kHelpViews},
    {&Is<CProjectChooser>, kHelpProjects},
    {&Is<CPreferencesDialog>, kHelpProjects},
};

} // namespace

QString HelpTopicOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* editor = qobject_cast<const CFirEditor*>(w))
            return HelpTopicOfDesignType(editor->EditorDesignType());
        for (const SClassTopic& row : kClassTopics)
            if (row.is(w))
                return row.topic;
    }
    return kHelpContents;
}
