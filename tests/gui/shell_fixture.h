#pragma once

#include "doc/fir_doc.h"
#include "gui_test_util.h"
#include "shell/data_view.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// A program with its own settings file in a temporary folder.
class ShellTest : public ::testing::Test {
protected:
    ShellTest() : settings(dir.filePath("settings.ini"), QSettings::IniFormat), app(settings) {
        app.MainFrame().show();
        QApplication::processEvents();
    }
    ~ShellTest() override {
        // Projects left modified close without a question.
        for (CFirDoc* doc : CFirDoc::Documents())
            doc->SetModifiedFlag(false);
    }

    QString MenuTitles() const {
        QStringList titles;
        for (QAction* a : app.MainFrame().menuBar()->actions())
            titles << a->text();
        return titles.join(",");
    }
    CDataView* ActiveDataView() const {
        auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
        return frame ? frame->findChild<CDataView*>() : nullptr;
    }
    static void ClickButton(QWidget* parent, const QString& caption) {
        for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
            if (b->text().remove('&') == caption) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no button " << caption.toStdString();
    }
    // Types text into the active project's data view and reads it into the filter.
    void EnterCoefficients(const QString& text) {
        CDataView* view = ActiveDataView();
        ASSERT_NE(view, nullptr);
        view->setFocus();
        view->selectAll();
        QTest::keyClick(view, Qt::Key_Delete);
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
            QTest::keyClicks(view, line);
            QTest::keyClick(view, Qt::Key_Return);
        }
        view->UpdateFilterFromEditor();
        QApplication::processEvents();
    }
    // Answers the next "Save As" dialog with path.
    static void AnswerSaveAs(const QString& path) {
        OnModal<QFileDialog>([path](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
    }

    QTemporaryDir dir;
    QSettings settings;
    CFirApp app;
};
