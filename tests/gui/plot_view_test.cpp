#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/scripted_dialogs.h"
#include "gui_test_util.h"
#include "plot/plot_messages.h"
#include "response/response_types.h"
#include "support/scripted_host.h"
#include "views/fir_plots.h"
#include "views/plot_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

// The action captioned text in the view's context menu, filled into menu; null when it has none.
QAction* MenuAction(CPlotView& view, QMenu& menu, const char* text) {
    view.FillMenu(menu);
    for (QAction* a : menu.findChildren<QAction*>())
        if (a->text() == text)
            return a;
    return nullptr;
}

// A document of the designed lowpass (48 kHz, passband to 6 kHz) with a frequency and a time
// window bound by the hints its opening sends.
struct PlotViews : ::testing::Test {
    CScriptedHost host;
    CFirDoc doc{host};
    CFirFreqPlot freq{doc};
    CFirTimePlot time{doc};
    void SetUp() override {
        ASSERT_TRUE(doc.OnOpenDocument(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp"));
        for (CPlotView* v : {static_cast<CPlotView*>(&freq), static_cast<CPlotView*>(&time)}) {
            v->resize(800, 500);
            v->show();
        }
        QApplication::processEvents();
    }
    static int RedPixelsInColumn(const QImage& image, int x, int yFrom, int yTo) {
        int n = 0;
        for (int y = yFrom; y <= yTo; ++y) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
        return n;
    }
    // Quantizes the in-phase taps to 6 bits, sizes the view, then picks its "Compare With:
    // Previous".
    void QuantizeThenCompareWithPrevious(CPlotView& view, QSize size) {
        CScriptedCommandDialogs dialogs;
        dialogs.quantize = [](CQuantizeSettings& s) {
            s.m_nAlgorithm = 0;
            s.m_nBits = 6;
            return true;
        };
        ASSERT_TRUE(FirCommand::Quantize(doc, dialogs, EParts::Inphase));
        view.resize(size);
        QMenu menu;
        QAction* previous = MenuAction(view, menu, PlotMenus::kComparePrevious);
        ASSERT_NE(previous, nullptr);
        ASSERT_TRUE(previous->isEnabled());
        previous->trigger();
    }
};

} // namespace

TEST_F(PlotViews, OpenedDocumentShowsItsResponses) {
    const QImage image = freq.grab().toImage();
    const CFirFreqPlotModel& m = freq.FreqModel();
    EXPECT_EQ(m.m_strTitle, "Inphase Filter Frequency Response");
    const int top = m.Map(false).ToDeviceY(0);
    // The curve runs along 0 dB in the passband.
    const int x = m.Map(true).ToDeviceX(3000);
    EXPECT_GT(RedPixelsInColumn(image, x, top - 3, top + 3), 0);
    EXPECT_EQ(time.TimeModel().m_strTitle, "Impulse Response");
    EXPECT_EQ(time.TimeModel().XColumn().size(), 41u);
    // 41 taps are spread over the whole plot, not squeezed into 41 columns.
    const SDeviceRect& plot = time.TimeModel().Layout().m_plot;
    EXPECT_GT(plot.right - plot.left, 600);
}

TEST_F(PlotViews, RubberBandWheelAndReadout) {
    QSignalSpy status(&freq, &CPlotView::statusText);
    const CFirFreqPlotModel& m = freq.FreqModel();
    const SDeviceRect p = m.Layout().m_plot;
    // A drag across the plot's middle zooms both axes.
    const QPoint from(p.left + 100, p.top + 40), to(p.left + 300, p.top + 200);
    QTest::mousePress(&freq, Qt::LeftButton, {}, from);
    QTest::mouseMove(&freq, to);
    QMouseEvent move(QEvent::MouseMove, to, freq.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&freq, &move);
    QTest::mouseRelease(&freq, Qt::LeftButton, {}, to);
    QApplication::processEvents();
    freq.grab();
    QApplication::processEvents(); // the status follows the paint
    EXPECT_EQ(m.Zoom().GetLevelCount(), 1);
    EXPECT_GT(m.XRangeMin(), 0);
    EXPECT_EQ(status.last().at(0).toString(), "Zoom Level 1 of 1");

    // The wheel toward the user zooms out to the top.
    QWheelEvent wheel(QPointF(400, 250), freq.mapToGlobal(QPointF(400, 250)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&freq, &wheel);
    freq.grab();
    QApplication::processEvents();
    EXPECT_EQ(m.XRangeMin(), 0);
    EXPECT_EQ(status.last().at(0).toString(), "Top Zoom Level of 1");

    // A click reads the point under it out.
    const CPlotLayout& l = m.Layout();
    const int cx = m.Map(true).ToDeviceX(1500);
    QTest::mouseClick(&freq, Qt::LeftButton, {}, QPoint(cx, l.m_plot.top + 50));
    QApplication::processEvents();
    EXPECT_TRUE(status.last().at(0).toString().startsWith("At 1."));
    EXPECT_TRUE(status.last().at(0).toString().contains(" kHz, Inphase filter gain is "));
}

TEST_F(PlotViews, TwoClickedPointsShowTwoCrosshairs) {
    const SDeviceRect p = freq.FreqModel().Layout().m_plot;
    // Columns of the plot crossed from top to bottom by a line in the cursor colour.
    const auto crosshairColumns = [&] {
        const QImage image = freq.grab().toImage();
        int columns = 0;
        for (int x = p.left + 1; x < p.right; ++x) {
            int hits = 0;
            for (int y = p.top; y <= p.bottom; ++y)
                hits += image.pixelColor(x, y) == QColor(209, 116, 168);
            columns += hits > (p.bottom - p.top) / 2;
        }
        return columns;
    };
    const int y = p.top + 50;
    QTest::mouseClick(&freq, Qt::LeftButton, {}, QPoint(p.left + 100, y));
    EXPECT_EQ(crosshairColumns(), 1);
    QTest::mouseClick(&freq, Qt::LeftButton, {}, QPoint(p.left + 300, y));
    EXPECT_EQ(crosshairColumns(), 2);
    // The first point clicked again takes its lines away.
    QTest::mouseClick(&freq, Qt::LeftButton, {}, QPoint(p.left + 100, y));
    EXPECT_EQ(crosshairColumns(), 1);
}

TEST_F(PlotViews, ShiftWheelChangesTheHistogramsBinCount) {
    time.TimeModel().SetHistogram(true);
    time.RefreshPlot();
    time.grab();
    const int bins = time.TimeModel().m_Histogram.m_nBins;
    const size_t bars = time.TimeModel().XColumn().size();
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(400, 250);
        QWheelEvent e(at, time.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&time, &e);
        time.grab();
    };
    wheel(120, Qt::ShiftModifier);
    EXPECT_EQ(time.TimeModel().m_Histogram.m_nBins, static_cast<int>(bins * 1.25));
    EXPECT_GT(time.TimeModel().XColumn().size(), bars); // more bars drawn
    wheel(-120, Qt::ShiftModifier);
    wheel(-120, Qt::ShiftModifier);
    EXPECT_LT(time.TimeModel().m_Histogram.m_nBins, bins);
    // Without Shift the wheel zooms and leaves the bins alone.
    const int now = time.TimeModel().m_Histogram.m_nBins;
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(time.TimeModel().m_Histogram.m_nBins, now);
}

TEST_F(PlotViews, ThePointerFollowsItsValueThroughACtrlWheelZoom) {
    const CFirFreqPlotModel& m = freq.FreqModel();
    const SDeviceRect p = m.Layout().m_plot;
    const QPoint at(p.left + (p.right - p.left) / 4, p.top + (p.bottom - p.top) / 3);
    const double value = m.Map(true).FromDeviceX(at.x());
    QCursor::setPos(freq.mapToGlobal(at));
    QWheelEvent e(at, freq.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                  Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&freq, &e);
    freq.grab();
    ASSERT_EQ(m.Zoom().GetLevelCount(), 1);
    const QPoint now = freq.mapFromGlobal(QCursor::pos());
    EXPECT_NE(now, at);
    EXPECT_NEAR(now.x(), m.Map(true).ToDeviceX(value), 1);
}

TEST_F(PlotViews, CopiesAndCapture) {
    freq.CopyData();
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_EQ(text.count("\r\n"), static_cast<int>(freq.FreqModel().XColumn().size()));
    freq.CopyImage();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasImage());
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<polyline"));
    const QImage capture = freq.CaptureReportImage();
    EXPECT_EQ(capture.size(), freq.size() + QSize(15, 15));
    EXPECT_EQ(capture.pixelColor(3, 3), QColor(128, 128, 128));
}

TEST_F(PlotViews, ChooseFontKeepsTheChosenFaceAndSize) {
    const double before = freq.FreqModel().Layout().m_dFontHeight;
    QFont chosen("DejaVu Serif");
    chosen.setWeight(QFont::Normal);
    chosen.setItalic(true);
    OnModal<QFontDialog>([&](QFontDialog* d) {
        chosen.setPointSizeF(d->currentFont().pointSizeF() * 2);
        d->setCurrentFont(chosen);
        d->accept();
    });
    freq.ChooseFont();
    freq.grab();
    const CFirFreqPlotModel& m = freq.FreqModel();
    EXPECT_EQ(m.m_face.m_strFamily, "DejaVu Serif");
    EXPECT_EQ(m.m_face.m_nWeight, QFont::Normal);
    EXPECT_TRUE(m.m_face.m_bItalic);
    EXPECT_NEAR(m.Layout().m_dFontHeight, 2 * before, 2);
    // The dialog opens again on the face the plot shows.
    QFont shown;
    OnModal<QFontDialog>([&](QFontDialog* d) {
        shown = d->currentFont();
        d->reject();
    });
    freq.ChooseFont();
    EXPECT_EQ(shown.family(), "DejaVu Serif");
    EXPECT_TRUE(shown.italic());
    EXPECT_EQ(m.m_face.m_strFamily, "DejaVu Serif"); // Cancel keeps it
}

TEST_F(PlotViews, StyleMenuListsTheStylesInItsOwnOrderWithTheCurrentChecked) {
    for (CPlotView* view : {static_cast<CPlotView*>(&freq), static_cast<CPlotView*>(&time)}) {
        view->SetStyle(kStyleBar);
        QMenu menu;
        view->FillMenu(menu);
        QMenu* style = nullptr;
        for (QAction* a : menu.actions())
            if (a->menu() && a->text() == PlotMenus::kStyleMenu)
                style = a->menu();
        ASSERT_NE(style, nullptr);
        QStringList items, checked;
        for (QAction* a : style->actions()) {
            items << a->text();
            if (a->isChecked())
                checked << a->text();
        }
        EXPECT_EQ(items.join(","), "Auto,Line,Dot,Line And Dot,Stem,Vertical Line,Bar,Stair");
        EXPECT_EQ(checked.join(","), "Bar");
    }
}

TEST_F(PlotViews, CommandsFollowTheFilter) {
    // A real filter offers only the inphase channel.
    EXPECT_TRUE(freq.FreqModel().CanChooseChannel(kChannelInphase));
    EXPECT_FALSE(freq.FreqModel().CanChooseChannel(kChannelComplex));
    freq.SetKind(kResponseGroupDelay);
    freq.grab();
    EXPECT_EQ(freq.FreqModel().m_strYTitle.rfind("Group Delay in ", 0), 0u);
    time.SetMode(kTimeImpulseAndStep);
    time.grab();
    EXPECT_EQ(time.TimeModel().m_strTitle, "Impulse and Step Response");
    // The document closing forgets the filter.
    doc.OnCloseDocument();
    EXPECT_EQ(freq.FreqModel().Filter(), nullptr);
    EXPECT_FALSE(time.TimeModel().HasData());
}

TEST(PlotDialogs, AxisChecksCorrectTheSpacings) {
    CScriptedHost host;
    CAxisSettings linear;
    linear.Refit(0, 1000);
    linear.m_bAutoScale = 0;
    CAxisDlg dialog(linear, true);
    dialog.m_pLabel->setText("5");
    dialog.m_pTic->setText("1");
    CAxisSettings out;
    ASSERT_TRUE(dialog.GetRecord(out, &host));
    EXPECT_DOUBLE_EQ(out.m_dLabel, 100);
    EXPECT_DOUBLE_EQ(out.m_dTic, 20);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "X-Axis: Specified Label Spacing will result in too many labels.\nTen labels will "
              "be used.");
    // The same on a log axis: no message.
    host.messages.clear();
    dialog.m_pLog->setChecked(true);
    dialog.m_pLabel->setText("5");
    dialog.m_pTic->setText("1");
    ASSERT_TRUE(dialog.GetRecord(out, &host));
    EXPECT_TRUE(host.messages.empty());
    // Checking Automatic refills the fields from the fitted data range.
    dialog.m_pLog->setChecked(false);
    dialog.m_pAutoScale->setChecked(true);
    EXPECT_EQ(dialog.m_pLabel->text(), "100");
    EXPECT_FALSE(dialog.m_pMax->isEnabled());
    // A field that is not a number keeps the dialog open.
    dialog.m_pDecimals->setText("x");
    EXPECT_FALSE(dialog.GetRecord(out, &host));
}

TEST(PlotDialogs, PropertiesRefuseAnEmptyHistogramRange) {
    CScriptedHost host;
    SGraphOptions o;
    o.bAutoRange = false;
    o.dMin = o.dMax = 5;
    CGraphOptions dialog(o, host);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, PlotMessages::kHistogramRange);
    // With the range automatic the values are ignored.
    dialog.m_pAutoRange->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Compare With > Previous State after a quantization: the second curve is the unquantized
// response, as a view of the unquantized filter computes it, named in the legend; None removes
// it and another project can take its place.
TEST_F(PlotViews, CompareWithThePreviousStateShowsTheUnquantizedResponse) {
    CFirProject original(&host);
    ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", original, host),
              ELoadResult::Ok);
    // room for a legend of both names
    ASSERT_NO_FATAL_FAILURE(QuantizeThenCompareWithPrevious(freq, QSize(1200, 600)));
    const QImage image = freq.grab().toImage();
    const CFirFreqPlotModel& m = freq.FreqModel();
    ASSERT_EQ(m.Curves().size(), 2u);
    CFirFreqPlotModel unquantized(&host);
    unquantized.Bind(original.m_Filter, kResponseMagnitude, kChannelInphase);
    std::vector<std::vector<double>> expected;
    unquantized.ComputeCurves(m.XColumn(), expected);
    EXPECT_EQ(m.Curves()[1], expected[0]);
    EXPECT_NE(m.Curves()[0], expected[0]);
    const CPlotLayout& l = m.Layout();
    ASSERT_EQ(l.m_legend.size(), 2u);
    EXPECT_EQ(l.m_legend[1].m_strName, PlotMenus::kComparePrevious);
    // The second curve is drawn in blue where the stopband differs.
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(m.Map(true).ToDeviceX(20000), y);
        blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
    }
    EXPECT_GT(blue, 0);

    freq.CompareWithNone();
    freq.grab();
    EXPECT_EQ(freq.FreqModel().Curves().size(), 1u);
    EXPECT_FALSE(freq.CompareWithProject(CORVIFIR_TEST_DATA_DIR "/doc/missing.cfp"));
    ASSERT_TRUE(freq.CompareWithProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp"));
    freq.grab();
    unquantized.ComputeCurves(freq.FreqModel().XColumn(), expected);
    EXPECT_EQ(freq.FreqModel().Curves()[1], expected[0]);
    EXPECT_EQ(freq.FreqModel().Layout().m_legend[1].m_strName, "lowpass");
}

// The time window's Compare With after a quantization: the second curve holds the unquantized
// coefficients at their own times, in blue, and even a window of 1000 pixels names both curves.
TEST_F(PlotViews, TimeWindowComparesWithThePreviousState) {
    CFirProject original(&host);
    ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", original, host),
              ELoadResult::Ok);
    ASSERT_NO_FATAL_FAILURE(QuantizeThenCompareWithPrevious(time, QSize(1000, 600)));
    const QImage image = time.grab().toImage();
    const CFirTimePlotModel& m = time.TimeModel();
    ASSERT_EQ(m.Curves().size(), 2u);
    const CCorviData& before = original.m_Filter;
    ASSERT_EQ(m.Curves()[1].size(), static_cast<size_t>(before.GetN()));
    for (int i = 0; i < before.GetN(); ++i) {
        EXPECT_EQ(m.Curves()[1][static_cast<size_t>(i)], (*before.m_pI)[i]) << i;
        EXPECT_EQ(m.XColumnOf(1)[static_cast<size_t>(i)], before.IndexToX(i)) << i;
    }
    const CPlotLayout& l = m.Layout();
    ASSERT_EQ(l.m_legend.size(), 2u);
    EXPECT_EQ(l.m_legend[0].m_strName, doc.m_strTitle);
    EXPECT_EQ(l.m_legend[1].m_strName, PlotMenus::kComparePrevious);
    // The unquantized peak is drawn in blue.
    const size_t peak = static_cast<size_t>(
        std::max_element(m.Curves()[1].begin(), m.Curves()[1].end()) - m.Curves()[1].begin());
    const int px = m.Map(true).ToDeviceX(m.XColumnOf(1)[peak]);
    int blue = 0;
    for (int x = px - 2; x <= px + 2; ++x)
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_GT(blue, 0);
    time.CompareWithNone();
    time.grab();
    EXPECT_EQ(time.TimeModel().Curves().size(), 1u);
    EXPECT_TRUE(time.TimeModel().Layout().m_legend.empty());

    // Compare With > Unquantized shows the same coefficients, kept with the project, and ends
    // when the coefficients change otherwise.
    QMenu again;
    QAction* unquantized = MenuAction(time, again, PlotMenus::kCompareUnquantized);
    ASSERT_NE(unquantized, nullptr);
    ASSERT_TRUE(unquantized->isEnabled());
    unquantized->trigger();
    time.grab();
    ASSERT_EQ(m.Curves().size(), 2u);
    for (int i = 0; i < before.GetN(); ++i)
        EXPECT_EQ(m.Curves()[1][static_cast<size_t>(i)], (*before.m_pI)[i]) << i;
    EXPECT_EQ(m.Layout().m_legend[1].m_strName, PlotMenus::kCompareUnquantized);
    FirCommand::Reverse(doc);
    time.grab();
    EXPECT_EQ(time.TimeModel().Curves().size(), 2u); // symmetric taps: still described
    CScriptedCommandDialogs dialogs;
    dialogs.scale = [](CScaleSettings& s) {
        s.m_nMethod = CFirData::kScaleMultiply;
        s.m_dTarget = 2.0;
        s.m_bInDb = 0;
        s.m_bRound = 0;
        return true;
    };
    ASSERT_TRUE(FirCommand::Scale(doc, dialogs, EParts::Inphase));
    time.grab();
    EXPECT_EQ(time.TimeModel().Curves().size(), 1u);
}
