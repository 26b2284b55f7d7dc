#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

TEST(MainFrame, OpensWithTitleMenuAndReadyStatus) {
    CMainFrame frame;
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), "CorviFIR");
    ASSERT_NE(frame.findChild<QMdiArea*>("mdiArea"), nullptr);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");

    QStringList menus;
    for (QAction* a : frame.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
}

TEST(MainFrame, RendersReadableText) {
    // With no usable font every glyph is the same box: narrow and wide letters would match.
    QFontMetrics fm(QApplication::font());
    EXPECT_LT(fm.horizontalAdvance("iiiiii"), fm.horizontalAdvance("WWWWWW"));

    CMainFrame frame;
    frame.resize(640, 480);
    frame.show();
    QApplication::processEvents();
    const QImage image = frame.grab().toImage();
    ASSERT_FALSE(image.isNull());
    // The menu bar's text is drawn: its strip holds dark text pixels on a light background.
    const QRect bar = frame.menuBar()->geometry();
    int dark = 0;
    for (int y = bar.top(); y <= bar.bottom(); ++y)
        for (int x = bar.left(); x < bar.left() + 150 && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++dark;
    EXPECT_GT(dark, 10);
}

// An item as a person meets it: caption, keys, the tool tip and the status bar's prompt, and
// the button's short caption and whether it has a picture; "-" for a separator.
QString ItemText(const QAction& a, bool button) {
    if (a.isSeparator())
        return "-";
    QString text = button ? a.iconText() : a.text();
    for (const QKeySequence& key : a.shortcuts())
        text += " [" + key.toString() + "]";
    if (button)
        text += QString(" <%1>%2").arg(a.toolTip(), a.icon().isNull() ? " no icon" : "");
    return text + " | " + a.statusTip();
}

QStringList Outline(const QList<QAction*>& actions, bool buttons) {
    QStringList lines;
    for (const QAction* a : actions)
        lines << (a->menu() ? a->text() + " >" : ItemText(*a, buttons));
    return lines;
}

TEST(MainFrame, TheToolbarAndTheMenusKeepTheirCaptionsKeysAndPrompts) {
    CMainFrame frame;
    const QToolBar* bar = frame.findChild<QToolBar*>("mainToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Outline(bar->actions(), true),
              (QStringList{
                  "New [Ctrl+N] <New> | Create a new project",
                  "Open [Ctrl+O] <Open> | Open an existing project",
                  "Save [Ctrl+S] <Save> | Save the active project",
                  "-",
                  "FS <Sampling Frequency> | Set the sampling frequency",
                  "Window <Window> | Window filter coefficients",
                  "Scale <Scale> | Scale filter coefficients",
                  "Quantize <Quantize> | Quantize filter coefficients",
                  "Mix <Mix> | Mix the current filter coefficients with a complex sine",
                  "-",
                  "Undo [Ctrl+Z] <Undo> | Undo the last change",
                  "Redo [Ctrl+Y] [Ctrl+Shift+Z] <Redo> | Redo the last change",
                  "-",
                  "Specs <View Editor> | View FIR filter specification editor",
                  "Freq <View Magnitude> | View filter magnitude",
                  "Impulse <View Impulse> | View filter impulse response magnitude",
                  "Coeffs <View Coefficients> | View and Edit filter coefficients",
                  "-",
                  "Cut [Ctrl+X] [Shift+Del] <Cut> | Cut the selection to the clipboard",
                  "Copy [Ctrl+C] [Ctrl+Ins] <Copy> | Copy the selection to the clipboard",
                  "Paste [Ctrl+V] [Shift+Ins] <Paste> | Insert the clipboard's contents",
                  "-",
                  "Print [Ctrl+P] <Print> | Print the active view",
                  "Help [Shift+F1] <Help> | Display help for the clicked item",
              }));
    EXPECT_EQ(Outline(frame.ProjectFileMenu()->actions(), false),
              (QStringList{
                  "&New [Ctrl+N] | Create a new project",
                  "&Open... [Ctrl+O] | Open an existing project",
                  "&Close | Close the active project",
                  "&Save [Ctrl+S] | Save the active project",
                  "Save &As... | Save the active project with a new name",
                  "-",
                  "&Import Coefficients... | Read coefficients from a data file",
                  "&Export Coefficients... | Write the coefficients to a data file",
                  "-",
                  "&Print... [Ctrl+P] | Print the active view",
                  "Print Pre&view | Display full pages",
                  "P&rint Setup... | Change the printer and printing options",
                  "-",
                  "Recent &Files >",
                  "-",
                  "E&xit | Quit the application; prompts to save projects",
              }));
    EXPECT_EQ(Outline(frame.HelpMenu()->actions(), false),
              (QStringList{"&Contents... | List the help topics",
                           "Index... | Find a help topic by keyword",
                           "&Search... | Search the help pages for words", "-",
                           "&About... | Display program information and version"}));
    // Keys of commands that have no menu item: they work from every window.
    QStringList keys;
    for (const QAction* a : frame.actions())
        if (!a->shortcuts().isEmpty())
            keys << ItemText(*a, false);
    for (const char* key : {"Undo Edit [Alt+Backspace] | Undo the last edit of the text field",
                            "Next Pane [F6] | Move to the next pane of the window",
                            "Previous Pane [Shift+F6] | Move to the previous pane of the window"})
        EXPECT_TRUE(keys.contains(key)) << key;
}

int main(int argc, char** argv) {
    // Test discovery runs this program without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
