// The project window as its user meets it: what the status bar says after a design, which edits
// make the project modified, where Undo and Redo keys go, what the chooser does on Enter, how
// the panes share the window and which projects opening a file closes.

#include "design/design_flow.h"
#include "design/design_types.h"
#include "doc/fir_doc.h"
#include "doc/project_templates.h"
#include "editors/fir_editor.h"
#include "gui_test_util.h"
#include "shell/child_frame.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/project_chooser.h"
#include "shell_fixture.h"
#include "views/plot_view.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>

namespace {

class ProjectWindow : public ShellTest {
protected:
    CSplitFrame* Project() const {
        auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
        return frame ? frame->findChild<CSplitFrame*>() : nullptr;
    }
    QWidget* EditorPane() const { return Project()->Editor(); }
    QLineEdit* Field(const QString& accessibleName) const {
        for (QLineEdit* field : EditorPane()->findChildren<QLineEdit*>())
            if (field->accessibleName() == accessibleName)
                return field;
        ADD_FAILURE() << "no field " << accessibleName.toStdString();
        return nullptr;
    }
    void Type(const QString& accessibleName, const QString& text) const {
        QLineEdit* field = Field(accessibleName);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // A windowed sinc design of taps taps (designed on this thread, quickly).
    void DesignWindowedSinc(int taps) {
        Type("Number of Taps", QString::number(taps));
        Type("First Corner", "0.1");
        ClickButton(EditorPane(), "Design");
        QApplication::processEvents();
        ASSERT_EQ(app.ActiveDocument()->Filter().Columns().GetLength(), taps);
    }
    // Every plot of the window draws itself again, as after a change of the filter.
    void RepaintPlots() const {
        for (CPlotView* plot : Project()->findChildren<CPlotView*>())
            plot->repaint();
        QApplication::processEvents();
    }
    QString Status() const { return app.MainFrame().statusBar()->currentMessage(); }
    // Saves the active project as name (in the test's folder) and returns its path.
    QString SaveAs(const QString& name) {
        const QString path = dir.filePath(name);
        AnswerSaveAs(path);
        app.MainFrame().Action(EShellAction::FileSave)->trigger();
        return path;
    }
};

} // namespace

TEST_F(ProjectWindow, TheDesignResultStaysInTheStatusBarUntilAZoom) {
    app.NewProject(kDesignSimplePm);
    const std::pair<const char*, const char*> fields[] = {{"firstFrequency", "0.1"},
                                                          {"secondFrequency", "0.2"},
                                                          {"ripple", "1"},
                                                          {"attenuation", "40"},
                                                          {"taps", "31"}};
    for (const auto& [name, text] : fields) {
        auto* field = EditorPane()->findChild<QLineEdit*>(name);
        ASSERT_NE(field, nullptr) << name;
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    ClickButton(EditorPane(), "Design");
    ASSERT_TRUE(
        WaitFor([this] { return app.ActiveDocument()->Filter().Columns().GetLength() == 31; }));
    QApplication::processEvents();
    const QString result = QString::fromStdString(DesignStatusText(app.ActiveDocument()->Filter()));
    ASSERT_TRUE(result.startsWith("Design succeeded, with a margin of")) << result.toStdString();
    RepaintPlots();
    EXPECT_EQ(Status(), result);

    // A zoom of a plot is the user's next act: its level replaces the result.
    CPlotView* plot = Project()->LowerSplitter()->findChild<CPlotView*>();
    ASSERT_NE(plot, nullptr);
    const QRect r = plot->rect();
    const QPoint from(r.width() * 2 / 5, r.height() / 2), to(r.width() * 3 / 5, r.height() * 3 / 5);
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    RepaintPlots();
    EXPECT_EQ(Status(), "Zoom Level 1 of 1");
}

TEST_F(ProjectWindow, EveryEditOfAFormMarksTheProjectModified) {
    for (int type = 0; type < 8; ++type) {
        const std::string name = TemplateOfType(type)->docName;
        SCOPED_TRACE(name);
        app.NewProject(type);
        CFirDoc* doc = app.ActiveDocument();
        ASSERT_FALSE(doc->IsModified());
        QLineEdit* field = nullptr;
        for (QLineEdit* e : EditorPane()->findChildren<QLineEdit*>())
            if (e->isVisible() && e->isEnabled() && !e->isReadOnly()) {
                field = e;
                break;
            }
        ASSERT_NE(field, nullptr);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, "1");
        QApplication::processEvents();
        EXPECT_TRUE(doc->IsModified()) << field->accessibleName().toStdString();
        EXPECT_TRUE(app.MainFrame().isWindowModified());
        EXPECT_TRUE(app.MainFrame().MdiArea()->activeSubWindow()->isWindowModified());
    }
    // A check box is an edit too; and a modified project asks before it closes.
    app.NewProject(kDesignAdvancedPm);
    QCheckBox* inDb = EditorPane()->findChild<QCheckBox*>("desiredInDb");
    ASSERT_NE(inDb, nullptr);
    QTest::mouseClick(inDb, Qt::LeftButton, {}, QPoint(6, inDb->height() / 2));
    EXPECT_TRUE(app.ActiveDocument()->IsModified());
    QString asked;
    OnModal<QMessageBox>([&asked](QMessageBox* box) {
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    app.MainFrame().MdiArea()->activeSubWindow()->close();
    EXPECT_EQ(asked.toStdString(), "Save changes to " + app.ActiveDocument()->m_strTitle + "?");
}

TEST_F(ProjectWindow, UndoAndRedoKeysAreTheProjectsAlsoInAFormField) {
    app.NewProject(kDesignWinSinc);
    DesignWindowedSinc(31);
    DesignWindowedSinc(41);
    CFirDoc* doc = app.ActiveDocument();
    QLineEdit* taps = Field("Number of Taps");
    taps->setFocus();
    QTest::keyClicks(taps, "9");
    struct Key {
        Qt::KeyboardModifiers modifiers;
        int tapsAfter;
    };
    // Ctrl+Z, Ctrl+Y, Ctrl+Z, Ctrl+Shift+Z.
    const Key keys[] = {{Qt::ControlModifier, 31},
                        {Qt::ControlModifier, 41},
                        {Qt::ControlModifier, 31},
                        {Qt::ControlModifier | Qt::ShiftModifier, 41}};
    const Qt::Key letters[] = {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z, Qt::Key_Z};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        QTest::keyClick(QApplication::focusWidget(), letters[i], keys[i].modifiers);
        QApplication::processEvents();
        EXPECT_EQ(doc->Filter().Columns().GetLength(), keys[i].tapsAfter);
    }
}

TEST_F(ProjectWindow, UndoFollowsTheBandTableAtOnce) {
    app.NewProject(kDesignAdvancedPm);
    QAction* undo = app.MainFrame().Action(EShellAction::Undo);
    auto addBand = [this](const char* lower, const char* upper, const char* attn) {
        Type("Lower Frequency", lower);
        Type("Upper Frequency", upper);
        Type("Attn/Ripple", attn);
        for (QPushButton* b : EditorPane()->findChildren<QPushButton*>())
            if (b->text() == "Add")
                b->click(); // as Enter on the focused button: the focus stays where it is
        QApplication::processEvents();
    };
    addBand("0", "0.1", "1");
    EXPECT_FALSE(undo->isEnabled()); // the first change takes the first snapshot only
    addBand("0.2", "0.5", "60");
    EXPECT_TRUE(undo->isEnabled());
}

TEST_F(ProjectWindow, TheChooserOnEnterMakesANewProjectOfTheMethodChosenLast) {
    app.NewProject(kDesignRaisedCos);
    const QString saved = SaveAs("kept.cfp");
    ASSERT_EQ(app.RecentFiles().Entries().size(), 1u);
    // The chooser with a file in its list: the last choice (the second method) is checked and
    // has the focus; Enter makes a new project of it.
    for (int round = 0; round < 2; ++round) {
        QString focused;
        bool checked = false;
        int selectedFiles = -1;
        OnModal<CProjectChooser>([&](CProjectChooser* chooser) {
            if (round == 0)
                for (QRadioButton* r : chooser->findChildren<QRadioButton*>())
                    if (r->text() == "Advanced Parks-McClellan")
                        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
            QWidget* focus = chooser->focusWidget();
            auto* radio = qobject_cast<QRadioButton*>(focus);
            focused = radio ? radio->text() : QString("not a method");
            checked = radio && radio->isChecked();
            selectedFiles = int(chooser->findChild<QListWidget*>()->selectedItems().size());
            QTest::keyClick(focus ? focus : chooser, Qt::Key_Return);
        });
        app.FileNew();
        EXPECT_EQ(focused, "Advanced Parks-McClellan") << round;
        EXPECT_TRUE(checked) << round;
        EXPECT_EQ(selectedFiles, 0) << round;
        ASSERT_NE(app.ActiveDocument(), nullptr);
        EXPECT_EQ(app.ActiveDocument()->m_nDesignType, kDesignAdvancedPm) << round;
        EXPECT_TRUE(app.ActiveDocument()->GetPathName().empty()) << round;
    }
    EXPECT_EQ(CFirDoc::Documents().size(), 3u);
    EXPECT_EQ(QString::fromStdString(CFirDoc::Documents()[0]->GetPathName()),
              QFileInfo(saved).absoluteFilePath());
}

TEST_F(ProjectWindow, EveryFormFitsBesideTheCoefficientsAt1024By768) {
    app.MainFrame().showNormal();
    app.MainFrame().resize(1024, 768);
    QApplication::processEvents();
    for (int type = 0; type < 8; ++type) {
        const std::string name = TemplateOfType(type)->docName;
        SCOPED_TRACE(name);
        app.NewProject(type);
        QApplication::processEvents();
        CSplitFrame* project = Project();
        const int window = project->width();
        CEditorPane* editor = project->Editor();
        CDataView* data = project->DataView();
        // The editor pane holds the whole form; the coefficients take the rest of the row and
        // show a full line of a coefficient.
        const QSize form = editor->Editor()->minimumSizeHint();
        EXPECT_GE(editor->width(), form.width());
        EXPECT_GE(editor->height(), form.height());
        const int line = data->fontMetrics().horizontalAdvance("-0.000117088253678840") +
                         data->verticalScrollBar()->sizeHint().width();
        EXPECT_GE(data->width(), line);
        EXPECT_LE(editor->width() + data->width(), window);
        app.MainFrame().MdiArea()->activeSubWindow()->close();
        WaitFor([] { return CFirDoc::Documents().empty(); });
    }
}

TEST_F(ProjectWindow, OpeningAProjectClosesOnlyAnUnusedAdvancedProject) {
    app.NewProject(kDesignRaisedCos);
    const QString path = SaveAs("other.cfp");
    app.MainFrame().Action(EShellAction::FileClose)->trigger();
    ASSERT_TRUE(WaitFor([] { return CFirDoc::Documents().empty(); }));

    app.NewProject(kDesignAdvancedPm); // unused: goes
    app.NewProject(kDesignAdvancedPm); // a band typed in: stays
    Type("Lower Frequency", "0");
    CFirDoc* edited = app.ActiveDocument();
    ASSERT_NE(app.OpenDocumentFile(path), nullptr);
    WaitFor([] { return CFirDoc::Documents().size() == 2; });
    const std::vector<CFirDoc*>& docs = CFirDoc::Documents();
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[0], edited);
    EXPECT_EQ(QString::fromStdString(docs[1]->GetPathName()), QFileInfo(path).absoluteFilePath());
}
