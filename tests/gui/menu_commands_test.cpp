#include "cli.h"
#include "design/fir_data.h"
#include "dialogs/modal_driver.h"
#include "help/help_window.h"
#include "shell/child_frame.h"
#include "shell/doc_panes.h"
#include "shell_fixture.h"
#include "support/scripted_host.h"
#include "views/plot_view.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolBar>

#include <fstream>
#include <sstream>

namespace {

// The desktop program with one project of 12 taps (complex or real), made by the command line,
// opened from its file.
class MenuCommands : public ShellTest {
protected:
    CFirDoc* OpenTaps(bool complex) {
        {
            std::ofstream data(Path("taps.txt"));
            for (int i = 0; i < 12; ++i)
                data << 0.05 * (i - 5) + 0.002 * i * i << " " << -0.03 * i << "\n";
        }
        std::vector<std::string> args{"import", Path("taps.txt"), "--format", "Text:Decimal",
                                      "-o",     Path("proj.cfp")};
        if (complex)
            args.push_back("--complex");
        Cli(args);
        CFirDoc* doc = app.OpenDocumentFile(QString::fromStdString(Path("proj.cfp")));
        FocusEditor();
        return doc;
    }
    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }
    static void Cli(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(args, out, err), 0) << err.str();
    }
    // The project after `corvifir-cli run` of one command on the original project.
    CFirData RunOnCommandLine(const std::string& command) {
        Cli({"run", Path("proj.cfp"), "-o", Path("run.cfp"), command});
        CScriptedHost quiet;
        CFirDoc result(quiet);
        EXPECT_TRUE(result.OnOpenDocument(Path("run.cfp")));
        return CFirData(result.Filter());
    }
    // Brings the active project's window to the top and puts the focus in its editor.
    void FocusEditor(CFirDoc* doc = nullptr) {
        if (!doc)
            doc = app.ActiveDocument();
        ASSERT_NE(doc, nullptr);
        for (CChildFrame* frame : app.FramesOf(*doc))
            if (auto* split = frame->findChild<CSplitFrame*>()) {
                app.MainFrame().MdiArea()->setActiveSubWindow(frame);
                split->Editor()->setFocus();
                QApplication::processEvents();
                return;
            }
        ADD_FAILURE() << "no project window";
    }
    // The menu bar's item at a path of captions ("&" marks left out), nullptr when there is none.
    QAction* MenuItem(const QStringList& path) const {
        QList<QAction*> actions = app.MainFrame().menuBar()->actions();
        QAction* found = nullptr;
        for (const QString& caption : path) {
            found = nullptr;
            for (QAction* a : actions)
                if (a->text().remove('&') == caption)
                    found = a;
            if (!found)
                return nullptr;
            actions = found->menu() ? found->menu()->actions() : QList<QAction*>{};
        }
        return found;
    }
    bool IsEnabled(const QStringList& path) const {
        QAction* item = MenuItem(path);
        EXPECT_NE(item, nullptr) << path.join(" > ").toStdString();
        return item && item->isEnabled();
    }
    // Chooses a menu item as a person does: only an enabled item runs.
    void Choose(const QStringList& path) {
        QApplication::processEvents();
        QAction* item = MenuItem(path);
        ASSERT_NE(item, nullptr) << path.join(" > ").toStdString();
        ASSERT_TRUE(item->isEnabled()) << path.join(" > ").toStdString();
        item->trigger();
        QApplication::processEvents();
    }
    QString FirstDataViewText() const {
        auto* split = app.MainFrame().MdiArea()->subWindowList().first()->findChild<CSplitFrame*>();
        return split->DataView()->toPlainText();
    }
};

CHelpWindow* HelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* help = dynamic_cast<CHelpWindow*>(w))
            return help;
    return nullptr;
}

void ExpectSameTaps(const CFirData& a, const CFirData& b) {
    ASSERT_EQ(a.GetN(), b.GetN());
    EXPECT_EQ(a.IsReal(), b.IsReal());
    EXPECT_EQ(a.m_Fs, b.m_Fs);
    for (int i = 0; i < a.GetN(); ++i) {
        EXPECT_NEAR(a.m_pI->GetAt(i), b.m_pI->GetAt(i), 1e-12) << i;
        EXPECT_NEAR(a.m_pQ->GetAt(i), b.m_pQ->GetAt(i), 1e-12) << i;
    }
}

QAbstractButton* Caption(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text)
            return b;
    return nullptr;
}

struct SMenuCase {
    QStringList item;                   // menu path, or {"toolbar", caption}
    const char* cli;                    // the same command for `corvifir-cli run`
    std::function<void(QDialog*)> fill; // nullptr: the command has no dialog
};

} // namespace

TEST_F(MenuCommands, MenuItemsChangeTheFilterAsTheCommandLineDoes) {
    const std::vector<SMenuCase> cases = {
        {{"FIR", "Scale Filter", "Inphase..."},
         "scale inphase --method max --value 0.5 --linear --no-round",
         [](QDialog* d) {
             EXPECT_EQ(d->windowTitle(), "Scale Filter");
             SetTicked(Caption(d, "Maximum coefficient magnitude"), true);
             TypeInto(Field<QLineEdit>(d, "Scale to Value"), "0.5");
             SetTicked(Caption(d, "dB"), false);
             ClickOk(d);
         }},
        {{"FIR", "Truncate..."},
         "truncate --method quantity --value 2 --end beginning",
         [](QDialog* d) {
             SetTicked(Caption(d, "Beginning"), true);
             SetTicked(Caption(d, "Quantity"), true);
             TypeInto(Field<QLineEdit>(d, "using value"), "2");
             ClickOk(d);
         }},
        {{"FIR", "Reverse"}, "reverse", nullptr},
        {{"FIR", "Swap Inphase and Quadrature"}, "swap-iq", nullptr},
        // The toolbar's Window acts on the filter's kind: complex here.
        {{"toolbar", "Window"},
         "window complex --type kaiser-bessel --param 6",
         [](QDialog* d) {
             SetTicked(Caption(d, "Kaiser-Bessel, Alpha ="), true);
             TypeInto(Field<QLineEdit>(d, "Alpha"), "6");
             ClickOk(d);
         }},
    };
    CFirDoc* doc = OpenTaps(true);
    ASSERT_NE(doc, nullptr);
    for (const SMenuCase& c : cases) {
        SCOPED_TRACE(c.cli);
        ASSERT_TRUE(doc->OnOpenDocument(Path("proj.cfp")));
        FocusEditor();
        if (c.fill)
            OnNextModal(c.fill);
        if (c.item.first() == "toolbar") {
            QAction* button = app.MainFrame().Action(EShellAction::Window);
            ASSERT_TRUE(button->isEnabled());
            auto* tool = app.MainFrame().findChild<QToolBar*>()->widgetForAction(button);
            QTest::mouseClick(tool, Qt::LeftButton);
            QApplication::processEvents();
        } else {
            Choose(c.item);
        }
        ExpectSameTaps(doc->Filter(), RunOnCommandLine(c.cli));
    }
}

TEST_F(MenuCommands, UndoAndRedoFromMenuAndKeyboardUpdateEveryViewOfTheProject) {
    CFirDoc* doc = OpenTaps(false);
    Choose({"View", "Coefficient Data", "Inphase"});
    auto* window = app.MainFrame().MdiArea()->activeSubWindow();
    auto* coefficients = window->findChild<CDataView*>();
    ASSERT_NE(coefficients, nullptr);
    const QString before = coefficients->toPlainText();
    EXPECT_EQ(FirstDataViewText(), before);

    FocusEditor();
    Choose({"FIR", "Reverse"});
    const QString reversed = coefficients->toPlainText();
    EXPECT_NE(reversed, before);
    EXPECT_EQ(FirstDataViewText(), reversed);

    Choose({"FIR", "Undo"});
    EXPECT_EQ(coefficients->toPlainText(), before);
    EXPECT_EQ(FirstDataViewText(), before);
    Choose({"FIR", "Redo"});
    EXPECT_EQ(coefficients->toPlainText(), reversed);

    // The keyboard: Ctrl+Z, then Ctrl+Y and Ctrl+Shift+Z.
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(FirstDataViewText(), before);
    QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(FirstDataViewText(), reversed);
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(coefficients->toPlainText(), reversed);
    EXPECT_EQ(doc->Filter().GetN(), 12);
}

TEST_F(MenuCommands, ItemsAreEnabledByTheRulesForRealComplexAndEmptyFilters) {
    struct SRule {
        QStringList item;
        bool empty, real, complex;
    };
    const std::vector<SRule> rules = {
        {{"File", "Import Coefficients..."}, true, true, true},
        {{"File", "Export Coefficients..."}, true, true, true},
        {{"FIR", "Sampling Frequency..."}, true, true, true},
        {{"FIR", "Design Options..."}, true, true, true},
        {{"FIR", "Fill Filter With Sine", "Complex..."}, true, true, true},
        {{"FIR", "Window Filter", "Inphase..."}, false, true, true},
        {{"FIR", "Window Filter", "Quadrature..."}, false, false, true},
        {{"FIR", "Scale Filter", "Complex..."}, false, false, true},
        {{"FIR", "Quantize Filter", "Inphase..."}, false, true, true},
        {{"FIR", "Mix Complex Filter..."}, false, true, true},
        {{"FIR", "Select Polyphase Filter..."}, false, true, true},
        {{"FIR", "Convert to Minimum Phase"}, false, true, false},
        {{"FIR", "Copy Inphase to Quadrature"}, false, true, true},
        {{"FIR", "Copy Filter Data to Clipboard"}, false, true, true},
        {{"View", "Specifications"}, true, true, true},
        {{"View", "Frequency Response", "Magnitude", "Inphase"}, false, true, true},
        {{"View", "Frequency Response", "Group Delay", "Complex"}, false, false, true},
        {{"View", "Time Response", "Step Response", "Inphase Amplitude"}, false, true, true},
        {{"View", "Time Response", "Impulse Response", "Complex Phase"}, false, false, true},
        {{"View", "Coefficient Data", "Quadrature"}, false, false, true},
    };
    auto check = [&](const char* which, bool SRule::*expected) {
        SCOPED_TRACE(which);
        for (const SRule& r : rules)
            EXPECT_EQ(IsEnabled(r.item), r.*expected) << r.item.join(" > ").toStdString();
        const CMainFrame& frame = app.MainFrame();
        // The toolbar's Window, Scale and Quantize act on the filter's kind.
        const bool hasTaps = expected != &SRule::empty;
        EXPECT_EQ(frame.Action(EShellAction::Window)->isEnabled(), hasTaps);
        EXPECT_EQ(frame.Action(EShellAction::Quantize)->isEnabled(), hasTaps);
        EXPECT_EQ(frame.Action(EShellAction::Undo)->isEnabled(), false);
    };
    app.NewProject(0);
    FocusEditor();
    check("empty", &SRule::empty);
    OpenTaps(false);
    check("real", &SRule::real);
    QMdiArea* area = app.MainFrame().MdiArea();
    area->activeSubWindow()->close();
    ASSERT_TRUE(WaitFor([&] { return CFirDoc::Documents().size() == 1; }));
    OpenTaps(true);
    check("complex", &SRule::complex);
}

// The items of a menu as a person reads them: captions with their "&" marks and shortcuts, "-"
// for a separator, a submenu's items indented under its title.
QString MenuOutline(const QMenu& menu, const QString& indent = QString()) {
    QString text;
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            text += indent + "-\n";
            continue;
        }
        text += indent + a->text();
        for (const QKeySequence& key : a->shortcuts())
            text += " [" + key.toString() + "]";
        text += "\n";
        if (a->menu())
            text += MenuOutline(*a->menu(), indent + "  ");
    }
    return text;
}

TEST_F(MenuCommands, TheFileAndFirMenusKeepTheirItemsInOrder) {
    OpenTaps(false);
    const QString variants = "  &Inphase...\n  &Quadrature...\n  &Complex...\n";
    EXPECT_EQ(MenuOutline(*MenuItem({"FIR"})->menu()),
              "&Undo [Ctrl+Z]\n&Redo [Ctrl+Y] [Ctrl+Shift+Z]\n-\nSampling &Frequency...\n"
              "Design Options...\nMinimum &dB...\n-\nFill Filter With Constant\n" +
                  variants + "Fill Filter With &Sine\n" + variants + "-\n&Window Filter\n" +
                  variants + "&Scale Filter\n" + variants + "&Quantize Filter\n" + variants +
                  "&Mix Complex Filter...\n&Zero-Stuff and Zero-Pad...\nCon&volve...\n"
                  "&Truncate...\nSelect &Polyphase Filter...\n-\nConvert to Minimum Phase\n"
                  "Reverse\nCopy &Inphase to Quadrature\nCopy &Quadrature to Inphase\n"
                  "Swap Inphase and Quadrature\n-\n&Copy Filter Data to Clipboard\n");
    const QString file = MenuOutline(*MenuItem({"File"})->menu());
    EXPECT_TRUE(file.contains("-\n&Import Coefficients...\n&Export Coefficients...\n-\n"))
        << file.toStdString();
}

TEST_F(MenuCommands, ARefusedValueShowsTheCoreMessageAndTheDialogAgain) {
    OpenTaps(false);
    QStringList messages;
    auto refusing = std::make_shared<bool>(true);
    // 12 taps in 5 phases: refused with the message, then the dialog is shown again.
    OnNextModal([&messages, refusing](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Select Polyphase Filter");
        TypeInto(Field<QLineEdit>(d, "Select polyphase filter number"), "0");
        TypeInto(Field<QLineEdit>(d, "total polyphases"), "5");
        OnNextModal([&messages](QDialog* box) {
            messages << static_cast<QMessageBox*>(box)->text();
            box->accept();
            OnNextModal([](QDialog* again) {
                EXPECT_EQ(again->windowTitle(), "Select Polyphase Filter");
                again->reject();
            });
        });
        ClickOk(d);
    });
    Choose({"FIR", "Select Polyphase Filter..."});
    *refusing = false;
    EXPECT_EQ(messages, QStringList{"The number of total phases must divide evenly into the "
                                    "number of taps."});
    EXPECT_EQ(app.ActiveDocument()->Filter().GetN(), 12);
}

TEST_F(MenuCommands, PlotWithTheFocusShowsItsMenuAndF1OpensThePageOfTheFocusedWindow) {
    // (Opening a file closes an empty Advanced PM project: a Simple PM one stays.)
    CFirDoc* simple = app.NewProject(0);
    OpenTaps(false);
    Choose({"View", "Frequency Response", "Magnitude", "Inphase"});
    auto* plot = app.MainFrame().MdiArea()->activeSubWindow()->findChild<CPlotView*>();
    ASSERT_NE(plot, nullptr);
    plot->setFocus();
    EXPECT_TRUE(WaitFor([&] { return MenuItem({"Plot"}) != nullptr; }))
        << MenuTitles().toStdString();
    QMenu* menu = MenuItem({"Plot"})->menu();
    emit menu->aboutToShow();
    EXPECT_NE(MenuItem({"Plot", "Copy Image"}), nullptr);
    EXPECT_NE(MenuItem({"Plot", "Split Horizontally"}), nullptr);
    EXPECT_TRUE(app.MainFrame().Action(EShellAction::FilePrint)->isEnabled());
    QTest::keyClick(plot, Qt::Key_F1);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->isVisible());
    EXPECT_EQ(HelpWindow()->CurrentTopic(), "views");

    app.MainFrame().activateWindow();
    FocusEditor(simple);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(HelpWindow()->CurrentTopic(), "simple_pm");
}

TEST_F(MenuCommands, F6AndShiftF6WalkThePanesOfTheWindowRoundTheEnds) {
    OpenTaps(false);
    auto* split = app.MainFrame().MdiArea()->activeSubWindow()->findChild<CSplitFrame*>();
    auto paneOfFocus = [] {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w->objectName() == "editorPane" || w->objectName() == "dataView" ||
                w->objectName() == "frequencyPane" || w->objectName() == "timePane")
                return w->objectName();
        return QString("none");
    };
    EXPECT_EQ(paneOfFocus(), "editorPane");
    QStringList walked;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        walked << paneOfFocus();
    }
    EXPECT_EQ(walked, QStringList({"dataView", "frequencyPane", "timePane", "editorPane"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(paneOfFocus(), "timePane");
    EXPECT_NE(split, nullptr);
}
