#include "help/help_window.h"

#include "dialogs/dialog_layout.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>

#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kKeyRole = Qt::UserRole;

QListWidgetItem* TopicItem(const QString& text, const QString& key) {
    auto* item = new QListWidgetItem(text);
    item->setData(kKeyRole, key);
    return item;
}

} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("CorviFIR Help");
    setObjectName("helpWindow");
    auto* layout = new QHBoxLayout(this);
    auto* splitter = new QSplitter;
    m_pTabs = new QTabWidget;
    m_pTabs->addTab(CreateContentsTab(), "Contents");
    m_pTabs->addTab(CreateIndexTab(), "Index");
    m_pTabs->addTab(CreateSearchTab(), "Search");
    m_pBrowser = new QTextBrowser;
    m_pBrowser->setObjectName("helpBrowser");
    m_pBrowser->setAccessibleName("Help Page");
    m_pBrowser->setOpenExternalLinks(true);
    splitter->addWidget(m_pTabs);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    // The tabs as wide as the longest index entry (within reason), the page beside them.
    int widest = 0;
    for (int i = 0; i < m_pIndex->count(); ++i)
        widest =
            std::max(widest, m_pIndex->fontMetrics().horizontalAdvance(m_pIndex->item(i)->text()));
    const int left = std::clamp(widest + 60, 260, 420);
    splitter->setSizes({left, 640});
    layout->addWidget(splitter);
    resize(left + 700, 680);

    for (QListWidget* list : {m_pContents, m_pIndex, m_pResults}) {
        connect(list, &QListWidget::itemActivated, this,
                [this](QListWidgetItem* item) { ShowTopic(item->data(kKeyRole).toString()); });
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { ShowTopic(item->data(kKeyRole).toString()); });
    }
    ShowTopic(kHelpContents);
}

QWidget* CHelpWindow::CreateContentsTab() {
    m_pContents = new QListWidget;
    m_pContents->setAccessibleName("Contents");
    for (const SHelpPage& page : m_catalog.Pages())
        m_pContents->addItem(TopicItem(page.title, page.key));
    return m_pContents;
}

QWidget* CHelpWindow::CreateIndexTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    auto* form = new QFormLayout;
    m_pKeyword = new QLineEdit;
    AddCaptionedRow(form, "&Keyword:", m_pKeyword);
    layout->addLayout(form);
    m_pIndex = new QListWidget;
    m_pIndex->setAccessibleName("Index");
    layout->addWidget(m_pIndex);
    connect(m_pKeyword, &QLineEdit::textChanged, this, &CHelpWindow::FillIndex);
    connect(m_pKeyword, &QLineEdit::returnPressed, this, [this] {
        if (m_pIndex->count() > 0)
            ShowTopic(m_pIndex->item(0)->data(kKeyRole).toString());
    });
    FillIndex({});
    return tab;
}

QWidget* CHelpWindow::CreateSearchTab() {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    auto* form = new QFormLayout;
    m_pQuery = new QLineEdit;
    AddCaptionedRow(form, "Search &for:", m_pQuery);
    layout->addLayout(form);
    auto* list = new QPushButton("&List Topics");
    layout->addWidget(list);
    m_pResults = new QListWidget;
    m_pResults->setAccessibleName("Topics Found");
    layout->addWidget(m_pResults);
    connect(list, &QPushButton::clicked, this, &CHelpWindow::RunSearch);
    connect(m_pQuery, &QLineEdit::returnPressed, this, &CHelpWindow::RunSearch);
    return tab;
}

void CHelpWindow::FillIndex(const QString& prefix) {
    m_pIndex->clear();
    for (const SHelpIndexEntry& entry : m_catalog.Index()) {
        if (!entry.keyword.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const SHelpPage* page = m_catalog.Find(entry.key);
        m_pIndex->addItem(TopicItem(entry.keyword + " - " + page->title, entry.key));
    }
}

void CHelpWindow::RunSearch() {
    m_pResults->clear();
    for (const QString& key : m_catalog.Search(m_pQuery->text()))
        m_pResults->addItem(TopicItem(m_catalog.Find(key)->title, key));
    if (m_pResults->count() > 0) {
        m_pResults->setCurrentRow(0);
        ShowTopic(m_pResults->item(0)->data(kKeyRole).toString());
    } else {
        m_pResults->addItem("No topics found.");
    }
}

bool CHelpWindow::ShowTopic(const QString& key) {
    const bool known = m_catalog.Find(key) != nullptr;
    m_pBrowser->setSource(QUrl(CHelpCatalog::PageUrl(known ? key : QString(kHelpContents))));
    return known;
}

QString CHelpWindow::CurrentTopic() const {
    return m_pBrowser->source().fileName().chopped(5);
}

void CHelpWindow::ShowTab(ETab tab) {
    m_pTabs->setCurrentIndex(tab);
    show();
    raise();
    activateWindow();
    if (tab == IndexTab)
        m_pKeyword->setFocus();
    else if (tab == SearchTab)
        m_pQuery->setFocus();
    else
        m_pContents->setFocus();
}

namespace {

CHelpWindow* HelpWindow() {
    static QPointer<CHelpWindow> window;
    if (!window)
        window = new CHelpWindow;
    return window;
}

} // namespace

CHelpWindow* ShowHelpContents() {
    CHelpWindow* w = HelpWindow();
    w->ShowTopic(kHelpContents);
    w->ShowTab(CHelpWindow::ContentsTab);
    return w;
}

CHelpWindow* ShowHelpIndex() {
    CHelpWindow* w = HelpWindow();
    w->ShowTab(CHelpWindow::IndexTab);
    return w;
}

CHelpWindow* ShowHelpSearch() {
    CHelpWindow* w = HelpWindow();
    w->ShowTab(CHelpWindow::SearchTab);
    return w;
}

CHelpWindow* ShowHelpTopic(const QString& key) {
    CHelpWindow* w = HelpWindow();
    w->ShowTopic(key);
    w->ShowTab(CHelpWindow::ContentsTab);
    return w;
}
