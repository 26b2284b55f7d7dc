#include "design/design_summary.h"
#include "dialogs/modal_driver.h"
#include "dialogs/qt_command_dialogs.h"
#include "doc/fir_commands.h"
#include "doc/view_commands.h"
#include "editors/fir_editor.h"
#include "shell/child_frame.h"
#include "shell/doc_panes.h"
#include "shell/qt_host.h"
#include "shell_fixture.h"
#include "views/fir_plots.h"

#include <QComboBox>
#include <QFile>
#include <QImage>

namespace {

// A project of a few taps with its project window and a second frequency window, exported
// as an HTML report through the Export Coefficients dialog.
class ReportPicturesTest : public ShellTest {
protected:
    ReportPicturesTest() : dialogs(&app.MainFrame(), app.Host()) {
        app.MainFrame().resize(1200, 900);
        app.NewProject(2);
        doc = app.ActiveDocument();
        project = app.MainFrame().MdiArea()->activeSubWindow();
        EnterCoefficients("0.1\n0.3\n0.5\n0.3\n0.1\n");
    }
    // Exports through the dialog, filled by key presses; the report's path.
    QString ExportReport(const QString& name) {
        const QString path = dir.filePath(name);
        OnNextModal([path](QDialog* d) {
            TypeInto(Field<QLineEdit>(d, "Inphase File"), path);
            auto* format = Field<QComboBox>(d, "Inphase Format");
            format->setFocus();
            QTest::keyClick(format, Qt::Key_Home);
            while (format->currentText() != "HTML:Report" &&
                   format->currentIndex() + 1 < format->count())
                QTest::keyClick(format, Qt::Key_Down);
            ClickOk(d);
        });
        EXPECT_TRUE(FirCommand::Export(*doc, dialogs));
        return path;
    }
    static QImage Picture(const QString& report, const char* suffix) {
        return QImage(QString::fromStdString(HtmlReportImagePath(report.toStdString(), suffix)));
    }
    static void ExpectGreyFrame(const QImage& image) {
        const QRgb grey = qRgb(128, 128, 128);
        EXPECT_EQ(image.pixel(0, 0), grey);
        EXPECT_EQ(image.pixel(6, image.height() / 2), grey);
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), grey);
        EXPECT_EQ(image.pixel(image.width() / 2, image.height() - 8), grey);
    }

    CQtCommandDialogs dialogs;
    CFirDoc* doc = nullptr;
    QMdiSubWindow* project = nullptr;
};

} // namespace

TEST_F(ReportPicturesTest, TheReportShowsTheEditorAndTheLastPlotOfEachKind) {
    for (const SViewMenuItem& item : ViewMenuItems())
        if (std::string(item.name) == "phase-inphase")
            OpenMenuView(*doc, item);
    QApplication::processEvents();
    CPlotView* lastFreq = app.MainFrame().MdiArea()->activeSubWindow()->findChild<CPlotView*>();
    ASSERT_NE(lastFreq, nullptr);
    CEditorPane* editor = project->findChild<CEditorPane*>();
    CPlotPane* time = project->findChild<CPlotPane*>("timePane");
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(time, nullptr);

    const QString report = ExportReport("lowpass.htm");
    const QImage spec = Picture(report, kReportSpecImage);
    const QImage freq = Picture(report, kReportFreqImage);
    const QImage impulse = Picture(report, kReportImpulseImage);
    const QSize frame(15, 15);
    EXPECT_EQ(spec.size(), editor->Editor()->size() + frame);
    EXPECT_EQ(freq.size(), lastFreq->size() + frame);
    EXPECT_NE(freq.size(), project->findChild<CPlotPane*>("frequencyPane")->size() + frame);
    EXPECT_EQ(impulse.size(), time->View()->size() + frame);
    for (const QImage& image : {spec, freq, impulse})
        ExpectGreyFrame(image);
    // The plot is drawn inside the frame: not a blank picture.
    EXPECT_GT(freq.copy(7, 7, freq.width() - 15, freq.height() - 15)
                  .convertToFormat(QImage::Format_Indexed8)
                  .colorCount(),
              2);

    QFile html(report);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    for (const char* name : {"lowpass_spec.bmp", "lowpass_freq_rsp.bmp", "lowpass_imp_rsp.bmp"})
        EXPECT_TRUE(text.contains(name)) << name;
}

TEST_F(ReportPicturesTest, WithoutAProjectWindowThePicturesAreDrawnFromTheFilter) {
    ShowFrequencyView(*doc);
    for (const SViewMenuItem& item : ViewMenuItems())
        if (std::string(item.name) == "magnitude-inphase")
            OpenMenuView(*doc, item);
    QApplication::processEvents();
    project->close();
    ASSERT_TRUE(WaitFor([&] { return app.FramesOf(*doc).size() == 1; }));

    const QString report = ExportReport("alone.htm");
    const QImage spec = Picture(report, kReportSpecImage);
    const QImage impulse = Picture(report, kReportImpulseImage);
    EXPECT_EQ(spec.size(), QSize(655, 415));
    EXPECT_EQ(impulse.size(), QSize(655, 415));
    ExpectGreyFrame(spec);
    ExpectGreyFrame(impulse);
    EXPECT_FALSE(Picture(report, kReportFreqImage).isNull());
}
