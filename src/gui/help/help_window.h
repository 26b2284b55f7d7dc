#pragma once

#include "help/help_catalog.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// The help window: the pages in a browser beside three tabs, "Contents", "Index" and "Search".
class CHelpWindow : public QWidget {
public:
    enum ETab { ContentsTab = 0, IndexTab = 1, SearchTab = 2 };

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows the page of a topic key; false (and the contents page) for an unknown key.
    bool ShowTopic(const QString& key);
    // Brings the window up on a tab, the focus in that tab's field.
    void ShowTab(ETab tab);
    QString CurrentTopic() const;

private:
    QWidget* CreateContentsTab();
    QWidget* CreateIndexTab();
    QWidget* CreateSearchTab();
    void FillIndex(const QString& prefix);
    void RunSearch();

    CHelpCatalog m_catalog;
    QTabWidget* m_pTabs;
    QTextBrowser* m_pBrowser;
    QListWidget* m_pContents;
    QLineEdit* m_pKeyword;
    QListWidget* m_pIndex;
    QLineEdit* m_pQuery;
    QListWidget* m_pResults;
};

// Entry points for the Help menu and F1. The window is created once and reused.
CHelpWindow* ShowHelpContents();
CHelpWindow* ShowHelpIndex();
CHelpWindow* ShowHelpSearch();
// The page of a topic key (a page name such as "simple_pm", see help_catalog.h); an unknown key
// shows the contents page. The window is returned either way.
CHelpWindow* ShowHelpTopic(const QString& key);
