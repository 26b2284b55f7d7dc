#include "shell/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

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

int main(int argc, char** argv) {
    // Test discovery runs this program without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
