#include "help/help_window.h"

#include "modal_driver.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

namespace {

QString BrowserTitle(CHelpWindow* w) {
    return w->findChild<QTextBrowser*>("helpBrowser")->documentTitle();
}

TEST(HelpCatalog, EveryPageHasATitleKeywordsAndLinksThatResolve) {
    const CHelpCatalog catalog;
    ASSERT_GE(catalog.Pages().size(), 15);
    EXPECT_EQ(catalog.Pages().front().key, "contents");
    static const QRegularExpression link(R"(href="([^"#]+)\.html)");
    for (const SHelpPage& page : catalog.Pages()) {
        SCOPED_TRACE(page.key.toStdString());
        EXPECT_FALSE(page.title.isEmpty());
        EXPECT_FALSE(page.keywords.isEmpty());
        EXPECT_GT(page.text.size(), 300); // a real explanation, not a stub
    }
    for (const SHelpPage& page : catalog.Pages()) {
        QFile file(":/help/" + page.key + ".html");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_NE(catalog.Find(target), nullptr)
                << page.key.toStdString() << " -> " << target.toStdString();
        }
    }
    for (int type = 0; type <= 7; ++type)
        EXPECT_NE(catalog.Find(HelpTopicOfDesignType(type)), nullptr) << type;
}

TEST(HelpCatalog, SearchNeedsEveryWordAndRanksByMentions) {
    const CHelpCatalog catalog;
    const QStringList kaiser = catalog.Search("kaiser");
    EXPECT_TRUE(kaiser.contains("windowed_sinc"));
    EXPECT_TRUE(kaiser.contains("commands"));
    EXPECT_FALSE(kaiser.contains("cic"));
    const QStringList both = catalog.Search("polyphase  INTERLEAVING");
    ASSERT_FALSE(both.isEmpty());
    EXPECT_EQ(both.front(), "data_files");
    EXPECT_TRUE(catalog.Search("kaiser zzzqx").isEmpty());
    EXPECT_TRUE(catalog.Search("   ").isEmpty());
}

TEST(HelpWindow, OpensTopicsAndFallsBackToContents) {
    CHelpWindow* w = ShowHelpTopic("cic");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->CurrentTopic(), "cic");
    EXPECT_EQ(BrowserTitle(w), "CIC design");
    EXPECT_EQ(ShowHelpContents(), w); // one window, reused
    EXPECT_EQ(w->CurrentTopic(), "contents");
    EXPECT_FALSE(w->ShowTopic("no_such_topic"));
    EXPECT_EQ(w->CurrentTopic(), "contents");
    // A link of the contents page opens its page.
    auto* browser = w->findChild<QTextBrowser*>("helpBrowser");
    browser->setSource(QUrl("lth_band.html"));
    EXPECT_EQ(BrowserTitle(w), "Lth-band design");
}

TEST(HelpWindow, IndexAndSearchAreDrivenFromTheKeyboard) {
    CHelpWindow* w = ShowHelpIndex();
    auto* tabs = w->findChild<QTabWidget*>();
    EXPECT_EQ(tabs->currentIndex(), CHelpWindow::IndexTab);
    auto* keyword = Field<QLineEdit>(w, "Keyword");
    ASSERT_NE(keyword, nullptr);
    EXPECT_TRUE(keyword->hasFocus() || !QApplication::focusWidget());
    QTest::keyClicks(keyword, "hilb");
    auto* index = Field<QListWidget>(w, "Index");
    ASSERT_EQ(index->count(), 1);
    EXPECT_TRUE(index->item(0)->text().startsWith("Hilbert transformer"));
    QTest::keyClick(keyword, Qt::Key_Return);
    EXPECT_EQ(w->CurrentTopic(), "advanced_pm");

    ShowHelpSearch();
    EXPECT_EQ(tabs->currentIndex(), CHelpWindow::SearchTab);
    auto* query = Field<QLineEdit>(w, "Search for");
    ASSERT_NE(query, nullptr);
    QTest::keyClicks(query, "interleaving");
    QTest::keyClick(query, Qt::Key_Return);
    EXPECT_EQ(w->CurrentTopic(), "data_files");
}

} // namespace
