#include "help/help_catalog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

// The resources live in a static library: make sure the linker keeps them. (Qt's macro cannot
// be used inside a namespace.)
static void InitHelpResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(help);
        return true;
    }();
    (void)done;
}

namespace {

QString ReadPage(const QString& key) {
    QFile file(":/help/" + key + ".html");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

SHelpPage ParsePage(const QString& key, const QString& html) {
    SHelpPage page;
    page.key = key;
    static const QRegularExpression title("<title>(.*?)</title>");
    page.title = title.match(html).captured(1);
    static const QRegularExpression keywords(R"re(<meta name="keywords" content="([^"]*)")re");
    for (const QString& k : keywords.match(html).captured(1).split(',', Qt::SkipEmptyParts))
        page.keywords << k.trimmed();
    QTextDocument doc;
    doc.setHtml(html);
    page.text = doc.toPlainText() + " " + page.keywords.join(' ');
    return page;
}

QStringList LinkedKeys(const QString& html) {
    static const QRegularExpression link(R"(href="([a-z_]+)\.html")");
    QStringList keys;
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString key = it.next().captured(1);
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

} // namespace

QString HelpTopicOfDesignType(int designType) {
    static const char* const keys[] = {"simple_pm", "advanced_pm", "windowed_sinc", "raised_cosine",
                                       "import",    "lth_band",    "maxflat",       "cic"};
    if (designType >= 0 && designType < static_cast<int>(std::size(keys)))
        return keys[designType];
    return kHelpEditors;
}

CHelpCatalog::CHelpCatalog() {
    InitHelpResources();
    const QString contents = ReadPage(kHelpContents);
    QStringList order = QStringList{kHelpContents} + LinkedKeys(contents);
    for (const QString& file : QDir(":/help").entryList({"*.html"}, QDir::Files, QDir::Name)) {
        const QString key = file.chopped(5);
        if (!order.contains(key))
            order << key;
    }
    for (const QString& key : order) {
        const QString html = ReadPage(key);
        if (!html.isEmpty())
            m_pages << ParsePage(key, html);
    }
}

const SHelpPage* CHelpCatalog::Find(const QString& key) const {
    for (const SHelpPage& page : m_pages)
        if (page.key == key)
            return &page;
    return nullptr;
}

QString CHelpCatalog::PageUrl(const QString& key) {
    return "qrc:/help/" + key + ".html";
}

QList<SHelpIndexEntry> CHelpCatalog::Index() const {
    QList<SHelpIndexEntry> entries;
    for (const SHelpPage& page : m_pages)
        for (const QString& keyword : page.keywords)
            entries << SHelpIndexEntry{keyword, page.key};
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

QStringList CHelpCatalog::Search(const QString& query) const {
    const QStringList words = query.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    QList<std::pair<int, QString>> hits;
    for (const SHelpPage& page : m_pages) {
        int mentions = 0;
        bool all = true;
        for (const QString& word : words) {
            const int n = static_cast<int>(page.text.count(word, Qt::CaseInsensitive));
            all = all && n > 0;
            mentions += n;
        }
        if (all)
            hits << std::pair{mentions, page.key};
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList keys;
    for (const auto& hit : hits)
        keys << hit.second;
    return keys;
}
