#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The help pages shipped with the program (HTML resources under ":/help"), their titles, the
// index of keywords and the full-text search over them.

// Topic keys: the name of a page without ".html".
inline constexpr const char* kHelpContents = "contents";
inline constexpr const char* kHelpEditors = "editors";
inline constexpr const char* kHelpDesignOptions = "design_options";
inline constexpr const char* kHelpCommands = "commands";
inline constexpr const char* kHelpViews = "views";
inline constexpr const char* kHelpDataFiles = "data_files";
inline constexpr const char* kHelpFileFormats = "file_formats";
inline constexpr const char* kHelpProjects = "projects";
inline constexpr const char* kHelpCommandLine = "command_line";

// The page of a design method's editor by design type code (0 Simple PM ... 7 CIC); the
// editors page for any other code.
QString HelpTopicOfDesignType(int designType);

struct SHelpPage {
    QString key;
    QString title;
    QStringList keywords;
    QString text; // the page's words without markup, for searching
};

struct SHelpIndexEntry {
    QString keyword;
    QString key; // page
};

class CHelpCatalog {
public:
    // Loads every page: the contents page first, then the pages in the order it links them,
    // then any page it does not link.
    CHelpCatalog();

    const QList<SHelpPage>& Pages() const { return m_pages; }
    const SHelpPage* Find(const QString& key) const;
    // The resource URL of a page.
    static QString PageUrl(const QString& key);
    // Every keyword of every page, sorted without regard to case.
    QList<SHelpIndexEntry> Index() const;
    // Pages holding every word of the query (case-insensitive), the most mentions first.
    QStringList Search(const QString& query) const;

private:
    QList<SHelpPage> m_pages;
};
