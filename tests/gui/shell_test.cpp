#include "doc/fir_doc.h"
#include "doc/project_templates.h"
#include "gui_test_util.h"
#include "shell/child_frame.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"
#include "shell/preferences_dialog.h"
#include "shell/project_chooser.h"
#include "shell/shell_open.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

TEST_F(ShellTest, ChooserCreatesAProjectOfEachKind) {
    for (int radio = 0; radio < 8; ++radio) {
        const int type = ChooserTypes()[radio];
        const QString caption = TemplateOfType(type)->chooserCaption;
        OnModal<CProjectChooser>([caption](CProjectChooser* chooser) {
            for (QRadioButton* r : chooser->findChildren<QRadioButton*>())
                if (r->text() == caption)
                    QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
            ClickButton(chooser, "OK");
        });
        app.FileNew();
        CFirDoc* doc = app.ActiveDocument();
        ASSERT_NE(doc, nullptr) << caption.toStdString();
        EXPECT_EQ(doc->m_nDesignType, type) << caption.toStdString();
        EXPECT_EQ(doc->m_strTitle, std::string(TemplateOfType(type)->docName) + "1");
        EXPECT_EQ(app.MainFrame().windowTitle(),
                  QString("CorviFIR - %1[*]").arg(QString::fromStdString(doc->m_strTitle)));
    }
    EXPECT_EQ(CFirDoc::Documents().size(), 8u);
    // The chooser opens with the button chosen last.
    OnModal<CProjectChooser>([](CProjectChooser* chooser) {
        EXPECT_EQ(chooser->RadioIndex(), 7);
        chooser->reject();
    });
    app.FileNew();
}

TEST_F(ShellTest, SaveCloseAndReopenShowTheSameCoefficients) {
    app.NewProject(0);
    EnterCoefficients("0.25\n0.5\n0.25\n");
    CFirDoc* doc = app.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(app.MainFrame().findChild<QLabel*>("tapsPane")->text(), "3 Taps");
    EXPECT_TRUE(app.MainFrame().isWindowModified());
    const QString listed = ActiveDataView()->toPlainText();

    const QString path = dir.filePath("three.cfp");
    AnswerSaveAs(path);
    app.MainFrame().Action(EShellAction::FileSave)->trigger();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(app.MainFrame().windowTitle(), "CorviFIR - three.cfp[*]");
    EXPECT_FALSE(app.MainFrame().isWindowModified());

    app.MainFrame().Action(EShellAction::FileClose)->trigger();
    ASSERT_TRUE(WaitFor([] { return CFirDoc::Documents().empty(); }));
    EXPECT_EQ(MenuTitles(), "&File,&View,&Help");
    EXPECT_EQ(app.MainFrame().findChild<QLabel*>("tapsPane")->text(), "");

    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    EXPECT_EQ(ActiveDataView()->toPlainText(), listed);
    EXPECT_EQ(app.RecentFiles().Entries().front(), path.toStdString());
    // Opening it again brings its window forward instead of a second copy.
    app.OpenDocumentFile(path);
    EXPECT_EQ(CFirDoc::Documents().size(), 1u);
}

TEST_F(ShellTest, ClosingAModifiedProjectAsksToSaveIt) {
    app.NewProject(2);
    EnterCoefficients("1\n2\n");
    auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
    const std::string question = "Save changes to WindowedSinc1?";
    // Cancel keeps the window; No closes it without saving.
    for (auto [button, staysOpen] :
         {std::pair{QMessageBox::Cancel, true}, {QMessageBox::No, false}}) {
        QString asked;
        OnModal<QMessageBox>([&asked, button](QMessageBox* box) {
            asked = box->text();
            box->button(button)->click();
        });
        frame->close();
        EXPECT_EQ(asked.toStdString(), question);
        WaitFor([] { return CFirDoc::Documents().empty(); }, staysOpen ? 100 : 5000);
        EXPECT_EQ(CFirDoc::Documents().size(), staysOpen ? 1u : 0u);
    }
}

TEST_F(ShellTest, MenusFollowTheFocusAndTheMessagePaneReturnsToReady) {
    app.NewProject(1);
    auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
    auto* split = frame->findChild<CSplitFrame*>();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(MenuTitles(), "&File,F&IR,&View,&Help");
    // The data view adds its menu only when its filter holds something.
    EnterCoefficients("0.5\n");
    split->Editor()->setFocus();
    split->DataView()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(MenuTitles(), "&File,F&IR,&Coefficients,&View,&Help");
    split->Editor()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(MenuTitles(), "&File,F&IR,&View,&Help");

    QStatusBar* bar = app.MainFrame().statusBar();
    QStatusTipEvent flyBy("Undo the last change");
    QApplication::sendEvent(&app.MainFrame(), &flyBy);
    EXPECT_EQ(bar->currentMessage(), "Undo the last change");
    QStatusTipEvent gone("");
    QApplication::sendEvent(&app.MainFrame(), &gone);
    EXPECT_EQ(bar->currentMessage(), "Ready");

    // Undo is the FIR menu's and follows the project's history: the first change only takes
    // the first snapshot.
    EXPECT_FALSE(app.MainFrame().Action(EShellAction::Undo)->isEnabled());
    EnterCoefficients("0.25\n0.5\n");
    EXPECT_EQ(app.MainFrame().TapsText(), "2 Taps");
    EXPECT_TRUE(app.MainFrame().Action(EShellAction::Undo)->isEnabled());
    app.MainFrame().Action(EShellAction::Undo)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(app.MainFrame().TapsText(), "1 Taps");
    EXPECT_FALSE(app.MainFrame().Action(EShellAction::Undo)->isEnabled());
    EXPECT_TRUE(app.MainFrame().Action(EShellAction::Redo)->isEnabled());
}

TEST_F(ShellTest, PreferencesStoreAGridDensityBelowOneAsOne) {
    QString warning;
    OnModal<CPreferencesDialog>([&warning](CPreferencesDialog* dialog) {
        QSpinBox* density = dialog->findChild<QSpinBox*>();
        density->selectAll();
        QTest::keyClicks(density, "-5");
        OnModal<QMessageBox>([&warning](QMessageBox* box) {
            warning = box->text();
            box->accept();
        });
        ClickButton(dialog, "OK");
    });
    app.MainFrame().Action(EShellAction::Preferences)->trigger();
    EXPECT_EQ(warning.toStdString(), "Grid Density must be greater than zero.\nSetting it to one.");
    EXPECT_EQ(app.Preferences().m_nEditorGridDensity, 1);
    EXPECT_EQ(settings.value("Options/m_nEditorGridDensity").toInt(), 1);
    EXPECT_EQ(settings.value("Options/m_dMinDb").toString(), "-130.000");
}

TEST_F(ShellTest, PreferencesChooseTheExchangeEngine) {
    QString shown;
    OnModal<CPreferencesDialog>([&shown](CPreferencesDialog* dialog) {
        auto* engine = dialog->findChild<QComboBox*>();
        ASSERT_NE(engine, nullptr);
        EXPECT_EQ(engine->accessibleName(), "Parks-McClellan Engine");
        shown = engine->currentText();
        engine->setCurrentIndex(engine->findText("Long-filter"));
        ClickButton(dialog, "OK");
    });
    app.MainFrame().Action(EShellAction::Preferences)->trigger();
    EXPECT_EQ(shown.toStdString(), "Auto (classical, long-filter when needed)");
    EXPECT_EQ(app.Preferences().m_eRemezEngine, ERemezEngine::Robust);
    EXPECT_EQ(settings.value("Options/m_eRemezEngine").toInt(), 2);
}

TEST_F(ShellTest, ASecondLaunchHandsItsFileToTheFirstAndDroppedFilesOpen) {
    app.NewProject(0);
    EnterCoefficients("1\n");
    const QString path = dir.filePath("handed.cfp");
    AnswerSaveAs(path);
    app.SaveDocument(*app.ActiveDocument(), true);
    app.MainFrame().Action(EShellAction::FileClose)->trigger();
    ASSERT_TRUE(WaitFor([] { return CFirDoc::Documents().empty(); }));

    const QString name = dir.filePath("open-socket");
    ASSERT_TRUE(app.EnableShellOpen(name));
    bool handed = false;
    bool done = false;
    std::thread secondLaunch([&] {
        handed = HandOverToRunningProgram(name, {path});
        done = true;
    });
    WaitFor([&] { return done; });
    secondLaunch.join();
    EXPECT_TRUE(handed);
    ASSERT_EQ(CFirDoc::Documents().size(), 1u);
    EXPECT_EQ(CFirDoc::Documents()[0]->GetPathName(), path.toStdString());
    // Nobody listens under another name: the launch goes on by itself.
    EXPECT_FALSE(HandOverToRunningProgram(name + "-none", {path}, 200));

    app.CloseAllDocuments();
    ASSERT_TRUE(WaitFor([] { return CFirDoc::Documents().empty(); }));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&app.MainFrame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    const bool delivered = QApplication::sendEvent(&app.MainFrame(), &drop);
    EXPECT_TRUE(delivered);
    EXPECT_EQ(CFirDoc::Documents().size(), 1u);
}

TEST_F(ShellTest, ADesignInTheProjectWindowFillsTheCoefficientPaneAndTheTapsPane) {
    app.NewProject(2); // windowed sinc: designed on this thread, quickly
    CDataView* view = ActiveDataView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->toPlainText().isEmpty());
    auto* editor = app.MainFrame().MdiArea()->activeSubWindow()->findChild<QWidget*>("editorPane");
    ASSERT_NE(editor, nullptr);
    auto setField = [editor](const QString& name, const QString& text) {
        for (QLineEdit* field : editor->findChildren<QLineEdit*>())
            if (field->accessibleName() == name) {
                field->selectAll();
                QTest::keyClicks(field, text);
                return;
            }
        ADD_FAILURE() << "no field " << name.toStdString();
    };
    setField("Number of Taps", "31");
    setField("First Corner", "0.1");
    QString said;
    OnModal<QMessageBox>(
        [&said](QMessageBox* box) {
            said = box->text();
            box->done(QMessageBox::Ok);
        },
        500);
    ClickButton(editor, "Design");
    EXPECT_EQ(said.toStdString(), "");
    QApplication::processEvents();
    const int taps = app.ActiveDocument()->Filter().Columns().GetLength();
    ASSERT_EQ(taps, 31);
    EXPECT_EQ(view->toPlainText().count('\n'), taps);
    EXPECT_EQ(app.MainFrame().TapsText(), QString("%1 Taps").arg(taps));
    EXPECT_TRUE(app.MainFrame().isWindowModified());
}

// Opening a handed-over file may show a message whose event loop outlasts the waiting launch:
// the launch has its acknowledgement already and the program goes on opening the files.
TEST(ShellOpen, AnOpenThatWaitsOutlastsTheLaunchThatAskedForIt) {
    QTemporaryDir dir;
    const QString name = dir.filePath("open-socket");
    CShellOpenServer server;
    ASSERT_TRUE(server.Listen(name));
    QStringList opened;
    QObject::connect(&server, &CShellOpenServer::OpenRequested, [&](const QString& path) {
        QEventLoop message;
        QTimer::singleShot(600, &message, &QEventLoop::quit);
        message.exec();
        opened << path;
    });
    std::atomic<bool> handed{false};
    std::atomic<bool> done{false};
    std::thread secondLaunch([&] {
        handed = HandOverToRunningProgram(name, {"/x/a.cfp", "/x/b.cfp"}, 300);
        done = true;
    });
    WaitFor([&] { return done && opened.size() == 2; });
    secondLaunch.join();
    EXPECT_TRUE(handed);
    EXPECT_EQ(opened, (QStringList{"/x/a.cfp", "/x/b.cfp"}));
}

// The hand-over reaches only the program of the same user on the same display, through a socket
// in the user's private runtime folder; without one, every launch opens a window of its own.
TEST(ShellOpen, OnlyTheSameSessionTakesTheHandOver) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    QTemporaryDir dir; // made for this user alone (0700)
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("DISPLAY", ":71");
    const QString first = ShellOpenServerName();
    EXPECT_TRUE(first.startsWith(dir.path() + "/")) << first.toStdString();
    CShellOpenServer server;
    ASSERT_TRUE(server.Listen(first));
    qputenv("DISPLAY", ":72");
    const QString other = ShellOpenServerName();
    EXPECT_NE(other, first);
    EXPECT_FALSE(HandOverToRunningProgram(other, {"/x/a.cfp"}, 200));

    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::WriteOther |
                                          QFileDevice::ExeOther | QFileDevice::ReadOther);
    EXPECT_TRUE(ShellOpenServerName().isEmpty());
    EXPECT_FALSE(CShellOpenServer().Listen(QString()));
    EXPECT_FALSE(HandOverToRunningProgram(QString(), {"/x/a.cfp"}, 200));
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    for (const auto& [key, value] :
         {std::pair{"XDG_RUNTIME_DIR", runtime}, std::pair{"DISPLAY", display},
          std::pair{"WAYLAND_DISPLAY", wayland}})
        if (value.isNull())
            qunsetenv(key);
        else
            qputenv(key, value);
}

namespace {

// The main window's title as the window manager shows it.
QString ShownTitle(const QWidget& window) {
    QString title = window.windowTitle();
    return title.replace("[*]", window.isWindowModified() ? "*" : "");
}

} // namespace

TEST_F(ShellTest, AMaximizedProjectWindowIsNamedOnceInTheMainTitle) {
    app.NewProject(0);
    EnterCoefficients("0.25\n0.5\n0.25\n");
    CFirDoc* doc = app.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    const QString name = QString::fromStdString(doc->m_strTitle);
    CMainFrame& frame = app.MainFrame();
    EXPECT_EQ(ShownTitle(frame), QString("CorviFIR - %1*").arg(name));
    QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
    window->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(ShownTitle(frame), QString("CorviFIR - [%1*]").arg(name));
    // A change of the project while maximized keeps one name.
    EnterCoefficients("0.5\n0.5\n");
    doc->SetModifiedFlag(false);
    app.RefreshDocument(*doc);
    QApplication::processEvents();
    EXPECT_EQ(ShownTitle(frame), QString("CorviFIR - [%1]").arg(name));
    window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(ShownTitle(frame), QString("CorviFIR - %1").arg(name));
}
