#include "doc/view_commands.h"
#include "response/response_types.h"
#include "shell/child_frame.h"
#include "shell/doc_panes.h"
#include "shell/plot_splitter.h"
#include "shell_fixture.h"
#include "views/fir_plots.h"

#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>

namespace {

// A project of three taps.
class PlotSplitterTest : public ShellTest {
protected:
    PlotSplitterTest() {
        app.MainFrame().resize(1200, 900);
        app.NewProject(2);
        doc = app.ActiveDocument();
        dataView = ActiveDataView();
        Enter("0.25\n0.5\n0.25\n");
    }
    // Reads coefficients into the filter through the project window's data view.
    void Enter(const QString& coefficients) {
        dataView->setPlainText(coefficients);
        dataView->UpdateFilterFromEditor();
        QApplication::processEvents();
    }
    // Opens a new window of the View menu's item and returns its splitter.
    CPlotSplitter* OpenPlotWindow(const std::string& item) {
        for (const SViewMenuItem& i : ViewMenuItems()) {
            if (i.name == item) {
                EXPECT_TRUE(OpenMenuView(*doc, i));
            }
        }
        QApplication::processEvents();
        auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
        return frame ? frame->findChild<CPlotSplitter*>() : nullptr;
    }
    static QWidget* SplitBox(CPlotSplitter* s, const QString& name) {
        for (QWidget* w : s->findChildren<QWidget*>())
            if (w->accessibleName() == name && w->isVisible())
                return w;
        return nullptr;
    }
    // The magnitude each frequency pane computes at a few frequencies.
    static std::vector<std::vector<double>> Curves(CPlotPane* pane) {
        auto* plot = dynamic_cast<CFirFreqPlot*>(pane->View());
        std::vector<std::vector<double>> curves;
        if (plot)
            plot->FreqModel().ComputeCurves({0.0, 0.1, 0.2, 0.3}, curves);
        return curves;
    }

    CFirDoc* doc = nullptr;
    CDataView* dataView = nullptr;
};

} // namespace

TEST_F(PlotSplitterTest, SplitPanesOfAFrequencyWindowShowTheSameCurve) {
    CPlotSplitter* s = OpenPlotWindow("magnitude-inphase");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->RowCount(), 1);
    EXPECT_EQ(s->ColumnCount(), 1);
    const auto first = Curves(s->Pane(0, 0));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(first[0].size(), 4u);
    EXPECT_NEAR(first[0][0], 0.0, 1e-9); // 0.25 + 0.5 + 0.25 = 1 at DC

    // A click on the row split box splits in the middle; a drag on the column box splits where
    // the mouse is let go.
    QWidget* rowBox = SplitBox(s, "Split Horizontally");
    ASSERT_NE(rowBox, nullptr);
    QTest::mouseClick(rowBox, Qt::LeftButton);
    ASSERT_EQ(s->RowCount(), 2);
    QWidget* columnBox = SplitBox(s, "Split Vertically");
    ASSERT_NE(columnBox, nullptr);
    QTest::mousePress(columnBox, Qt::LeftButton, {}, QPoint(3, 8));
    QTest::mouseMove(columnBox, QPoint(200, 8));
    QTest::mouseRelease(columnBox, Qt::LeftButton, {}, QPoint(200, 8));
    ASSERT_EQ(s->ColumnCount(), 2);
    EXPECT_NEAR(s->Pane(0, 0)->width(), 200 + columnBox->x(), 4);
    EXPECT_EQ(SplitBox(s, "Split Horizontally"), nullptr);
    EXPECT_EQ(SplitBox(s, "Split Vertically"), nullptr);

    // The split commands are in the window's menu too, enabled as they apply.
    QMenu* windowMenu = app.MainFrame().MdiArea()->activeSubWindow()->systemMenu();
    ASSERT_NE(windowMenu, nullptr);
    QStringList items;
    for (QAction* a : windowMenu->actions())
        if (a->isEnabled())
            items << a->text();
    EXPECT_FALSE(items.contains("Split &Horizontally"));
    EXPECT_FALSE(items.contains("Split &Vertically"));
    EXPECT_TRUE(items.contains("&Remove Split"));

    // At most two rows and two columns, and no pane below 10 pixels.
    EXPECT_FALSE(s->SplitRow());
    EXPECT_FALSE(s->SplitColumn());
    QApplication::processEvents();
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            CPlotPane* pane = s->Pane(r, c);
            EXPECT_TRUE(pane->isVisible());
            EXPECT_EQ(Curves(pane), first) << r << "," << c;
            auto* plot = static_cast<CFirFreqPlot*>(pane->View());
            EXPECT_EQ(plot->FreqModel().Filter(), &doc->Filter());
            EXPECT_EQ(plot->FreqModel().GetKind(), kResponseMagnitude);
            EXPECT_TRUE(plot->Model().HasData());
        }
    // A change of the filter reaches every pane.
    Enter("1\n-1\n");
    const auto changed = Curves(s->Pane(0, 0));
    EXPECT_NE(changed, first);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(Curves(s->Pane(r, c)), changed);

    // Remove Split keeps the pane that had the focus.
    CPlotPane* kept = s->Pane(1, 1);
    kept->View()->setFocus();
    QApplication::processEvents();
    s->RemoveSplitAction()->trigger();
    EXPECT_EQ(s->RowCount(), 1);
    EXPECT_EQ(s->ColumnCount(), 1);
    EXPECT_EQ(s->Pane(0, 0), kept);

    auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
    frame->close();
    ASSERT_TRUE(WaitFor([&] { return app.FramesOf(*doc).size() == 1; }));
    EXPECT_EQ(CFirDoc::Documents().size(), 1u);
}

TEST_F(PlotSplitterTest, ATimeWindowSplitsIntoPanesOfItsImpulseResponseAndTooSmallSplitsFail) {
    CPlotSplitter* s = OpenPlotWindow("impulse-inphase");
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->SplitRow(CPlotSplitter::kMinPane - 1));
    EXPECT_FALSE(s->SplitColumn(s->width() - 5));
    EXPECT_EQ(s->RowCount(), 1);
    ASSERT_TRUE(s->SplitRow(CPlotSplitter::kMinPane));
    // The window menu's command splits in the middle.
    for (QAction* a : app.MainFrame().MdiArea()->activeSubWindow()->systemMenu()->actions())
        if (a->text() == "Split &Vertically")
            a->trigger();
    ASSERT_EQ(s->ColumnCount(), 2);
    EXPECT_NEAR(s->Pane(0, 0)->width(), s->Pane(0, 1)->width(), 8);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            auto* plot = dynamic_cast<CFirTimePlot*>(s->Pane(r, c)->View());
            ASSERT_NE(plot, nullptr);
            EXPECT_EQ(plot->TimeModel().Filter(), &doc->Filter());
            EXPECT_EQ(plot->TimeModel().GetMode(), kTimeImpulse);
            ASSERT_NE(plot->TimeModel().Plotted(), nullptr);
            EXPECT_EQ(plot->TimeModel().Plotted()->Columns().GetLength(), 3);
        }
    // Dragging the row divider onto the top edge takes the top row away.
    auto* rows = static_cast<QSplitter*>(s->Pane(0, 0)->parentWidget()->parentWidget());
    CPlotPane* lower = s->Pane(1, 0);
    rows->handle(1)->setFocus();
    QTest::mousePress(rows->handle(1), Qt::LeftButton);
    QTest::mouseMove(rows->handle(1), QPoint(2, -rows->handle(1)->y() - 50));
    QTest::mouseRelease(rows->handle(1), Qt::LeftButton, {}, QPoint(2, -rows->handle(1)->y() - 50));
    ASSERT_TRUE(WaitFor([s] { return s->RowCount() == 1; }));
    EXPECT_EQ(s->Pane(0, 0), lower);
    EXPECT_EQ(s->ColumnCount(), 2);
}

// The View menu's pole-zero window: the double zero of 0.25 + 0.5 z^-1 + 0.25 z^-2 at -1 drawn
// as a blue ring, its readout on a click, and new zeros after the coefficients change.
TEST_F(PlotSplitterTest, PoleZeroWindowShowsTheZerosAndFollowsTheCoefficients) {
    CPlotSplitter* s = OpenPlotWindow("pole-zero");
    ASSERT_NE(s, nullptr);
    auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
    EXPECT_TRUE(frame->windowTitle().endsWith("Pole-Zero Plot"))
        << frame->windowTitle().toStdString();
    auto* view = dynamic_cast<CPoleZeroPlot*>(s->Pane(0, 0)->View());
    ASSERT_NE(view, nullptr);
    const QImage image = view->grab().toImage();
    CPoleZeroPlotModel& model = view->ZerosModel();
    ASSERT_EQ(model.Zeros().zeros.size(), 2u);
    const QPoint zero(model.Map(true).ToDeviceX(-1.0), model.Map(false).ToDeviceY(0.0));
    int blue = 0;
    for (int dx = -8; dx <= 8; ++dx)
        for (int dy = -8; dy <= 8; ++dy) {
            const QColor c = image.pixelColor(zero + QPoint(dx, dy));
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_GT(blue, 10);

    QSignalSpy status(view, &CPlotView::statusText);
    QTest::mouseClick(view, Qt::LeftButton, {}, zero + QPoint(1, 1));
    // A plot says its status once the event that changed it is over.
    ASSERT_TRUE(!status.isEmpty() || status.wait(2000));
    EXPECT_EQ(status.last().at(0).toString().toStdString(),
              "Zero at radius 1.000000, angle 0.500000 Hz, multiplicity 2");

    Enter("1\n-0.5\n");
    ASSERT_EQ(model.Zeros().zeros.size(), 1u);
    EXPECT_DOUBLE_EQ(model.Zeros().zeros[0].real(), 0.5);
}
