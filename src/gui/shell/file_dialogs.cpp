#include "shell/file_dialogs.h"

#include "doc/doc_messages.h"
#include "doc/project_templates.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace {

QSettings* g_pSettings = nullptr;
constexpr const char* kLastFolderKey = "Settings/LastFolder";

QString StartPath(const QString& start) {
    if (!start.isEmpty())
        return start;
    return g_pSettings ? g_pSettings->value(kLastFolderKey).toString() : QString();
}

void RememberFolder(const QString& path) {
    if (g_pSettings && !path.isEmpty())
        g_pSettings->setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

} // namespace

void SetFileDialogSettings(QSettings* settings) {
    g_pSettings = settings;
}

QString QtFileFilter(const char* filterList) {
    const QStringList parts = QString(filterList).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ').replace("*.*", "*");
        const int open = text.lastIndexOf('(');
        text = (open < 0 ? text + " " : text.left(open)) + "(" + patterns + ")";
        filters << text;
    }
    return filters.join(";;");
}

QString GetProjectOpenPath(QWidget* parent, const QString& start) {
    QString filter = QtFileFilter(DocMsg::kProjectFilter);
    filter.replace("(*.cfp)",
                   QString("(*.cfp *%1 *%2)")
                       .arg(ShellText::kAdvancedPmExtension, ShellText::kSimplePmExtension));
    const QString path = QFileDialog::getOpenFileName(parent, "Open", StartPath(start), filter,
                                                      nullptr, QFileDialog::DontResolveSymlinks);
    RememberFolder(path);
    return path;
}

QString GetProjectSavePath(QWidget* parent, const QString& start) {
    QFileDialog dialog(parent, "Save As", StartPath(start), QtFileFilter(DocMsg::kProjectFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString(ShellText::kProjectExtension).mid(1));
    if (!start.isEmpty())
        dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    RememberFolder(path);
    return path;
}
