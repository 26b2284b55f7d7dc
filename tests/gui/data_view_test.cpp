#include "shell/find_replace_dialog.h"
#include "shell_fixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

// The data view of a new project's window.
class DataViewTest : public ShellTest {
protected:
    DataViewTest() {
        app.NewProject(2);
        view = ActiveDataView();
    }
    void RunMenuItem(const QString& caption) {
        for (QAction* a : view->CoefficientsMenu()->actions())
            if (a->text() == caption) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << caption.toStdString();
    }
    CFindReplaceDialog* Dialog() const { return view->findChild<CFindReplaceDialog*>(); }
    template <typename T> T* Named(const QString& name) const {
        for (T* w : Dialog()->findChildren<T*>())
            if (w->accessibleName() == name || w->text().remove('&') == name)
                return w;
        return nullptr;
    }
    // Types into a field of the dialog after selecting what it holds.
    void Type(const QString& field, const QString& text) {
        QLineEdit* edit = Named<QLineEdit>(field);
        ASSERT_NE(edit, nullptr) << field.toStdString();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
    void Press(const QString& caption) {
        auto* b = Named<QAbstractButton>(caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        ASSERT_TRUE(b->isEnabled()) << caption.toStdString();
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Space);
    }

    CDataView* view = nullptr;
};

} // namespace

TEST_F(DataViewTest, ReplaceAllRepeatAndMatchCaseByKeyPresses) {
    view->setPlainText("0.25\n0.5\nabc ABC\n0.25\n");
    RunMenuItem("Replace...");
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_TRUE(Dialog()->isVisible());
    EXPECT_EQ(Dialog()->windowTitle(), "Replace");
    Type("Find what:", "0.25");
    Type("Replace with:", "0.125");
    Press("Replace All");
    EXPECT_EQ(view->toPlainText(), "0.125\n0.5\nabc ABC\n0.125\n");
    // One undo step takes the whole Replace All back.
    view->undo();
    EXPECT_EQ(view->toPlainText(), "0.25\n0.5\nabc ABC\n0.25\n");

    // Match case replaces only the occurrence of the same case.
    Type("Find what:", "abc");
    Type("Replace with:", "x");
    Press("Match case");
    EXPECT_TRUE(Named<QCheckBox>("Match case")->isChecked());
    Press("Replace All");
    EXPECT_EQ(view->toPlainText(), "0.25\n0.5\nx ABC\n0.25\n");

    // Replace finds the first occurrence, then replaces it and goes on to the next; Repeat
    // Last Find/Replace does the same again.
    view->moveCursor(QTextCursor::Start);
    Press("Match case");
    Type("Find what:", "0.25");
    Type("Replace with:", "1");
    Press("Replace");
    EXPECT_EQ(view->textCursor().selectedText(), "0.25");
    EXPECT_EQ(view->toPlainText(), "0.25\n0.5\nx ABC\n0.25\n");
    Press("Replace");
    EXPECT_EQ(view->toPlainText(), "1\n0.5\nx ABC\n0.25\n");
    EXPECT_EQ(view->textCursor().selectionStart(), view->toPlainText().lastIndexOf("0.25"));
    // After the last one there is nothing more to find, and the user is told so.
    QString said;
    auto answer = [&said](QMessageBox* box) {
        said = box->text();
        box->accept();
    };
    OnModal<QMessageBox>(answer);
    RunMenuItem("&Repeat Last Find/Replace");
    EXPECT_EQ(view->toPlainText(), "1\n0.5\nx ABC\n1\n");
    EXPECT_EQ(said, "Cannot find the string '0.25'.");

    // Nothing to replace: the text stays.
    said.clear();
    OnModal<QMessageBox>(answer);
    Type("Find what:", "zzz");
    Press("Replace All");
    EXPECT_EQ(said, "Cannot find the string 'zzz'.");
    EXPECT_EQ(view->toPlainText(), "1\n0.5\nx ABC\n1\n");

    // The replaced text goes into the filter like any edit.
    view->setPlainText("0.25\n0.5\n0.25\n");
    Type("Find what:", "0.25");
    Type("Replace with:", "-0.125");
    Press("Replace All");
    view->UpdateFilterFromEditor();
    const CFirData& filter = app.ActiveDocument()->Filter();
    ASSERT_EQ(filter.Columns().GetLength(), 3);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(0, 0), -0.125);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(0, 1), 0.5);
    EXPECT_DOUBLE_EQ(filter.Columns().GetValue(0, 2), -0.125);

    // Find is the same dialog without its replace field.
    RunMenuItem("&Find...");
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Dialog()->windowTitle(), "Find");
    EXPECT_EQ(Named<QLineEdit>("Replace with:"), nullptr);
    Type("Find what:", "0.5");
    Press("Find Next");
    EXPECT_EQ(view->textCursor().selectedText(), "0.5");
}

TEST_F(DataViewTest, PrintsTheCoefficientTextLandscapeToPdfAndPreview) {
    QStringList lines;
    for (int i = 1; i <= 120; ++i)
        lines << QString("0.%1").arg(1000 + i);
    view->setPlainText(lines.join('\n'));
    view->UpdateFilterFromEditor();
    const QString listed = view->toPlainText();
    ASSERT_TRUE(listed.contains("0.1001"));

    int previewPages = 0;
    bool landscape = false;
    OnModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
        landscape = preview->printer()->pageLayout().orientation() == QPageLayout::Landscape;
        if (auto* w = preview->findChild<QPrintPreviewWidget*>())
            previewPages = w->pageCount();
        preview->reject();
    });
    view->PrintPreview();
    EXPECT_TRUE(landscape);
    EXPECT_GE(previewPages, 2); // 120 lines do not fit on one landscape page

    const QString pdf = dir.filePath("coefficients.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageOrientation(QPageLayout::Landscape);
    view->Print(printer);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), previewPages);
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed: the PDF's text is not read back";
    QProcess process;
    process.start(pdftotext, {pdf, "-"});
    ASSERT_TRUE(process.waitForFinished(10000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& line : listed.split('\n', Qt::SkipEmptyParts))
        EXPECT_TRUE(text.contains(line.trimmed())) << line.toStdString();
}

namespace {

// The list of the "Data View Format" dialog and its "Options" button.
QListWidget* FormatList(QDialog* d) {
    return d->findChild<QListWidget*>();
}
QPushButton* OptionsButton(QDialog* d) {
    for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->text() == "Options")
            return b;
    return nullptr;
}

} // namespace

TEST_F(DataViewTest, FormatOptionsOpenTheOptionsOfTheSelectedFormat) {
    EnterCoefficients("0.5\n-0.25\n");
    struct SCase {
        const char* format;
        const char* optionsTitle; // nullptr: "Options" is disabled
    };
    const SCase cases[] = {
        {"Text:Decimal", nullptr},
        {"Text:Plot", "Titles"},
        {"Text:FIR", nullptr},
        {"Text:Hex", "Fixed-Point Options"},
        {"Text:Fract", "Fixed-Point Options"},
    };
    for (const SCase& c : cases) {
        QString opened;
        bool enabled = false;
        OnModal<CDataViewFormat>([&](CDataViewFormat* d) {
            QListWidget* list = FormatList(d);
            const auto items = list->findItems(c.format, Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1) << c.format;
            list->setCurrentItem(items.first());
            QPushButton* options = OptionsButton(d);
            ASSERT_NE(options, nullptr);
            enabled = options->isEnabled();
            if (enabled) {
                OnModal<QDialog>([&](QDialog* o) {
                    opened = o->windowTitle();
                    // The fixed-point formats ask for the word length.
                    for (QLabel* label : o->findChildren<QLabel*>())
                        if (label->text().remove('&').startsWith("Number of bits"))
                            if (auto* bits = qobject_cast<QSpinBox*>(label->buddy()))
                                bits->setValue(12);
                    o->accept();
                });
                QTest::mouseClick(options, Qt::LeftButton);
            }
            ClickButton(d, "OK");
        });
        view->SelectFormat();
        EXPECT_EQ(enabled, c.optionsTitle != nullptr) << c.format;
        EXPECT_EQ(opened, c.optionsTitle ? c.optionsTitle : "") << c.format;
    }
    // The word length chosen through Options lists the taps in 12 bits: 0.5 is 2^10.
    const QStringList lines = view->toPlainText().split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].trimmed(), "1024");
    EXPECT_EQ(lines[1].trimmed(), "-512");
}
