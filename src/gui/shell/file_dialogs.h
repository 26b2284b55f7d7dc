#pragma once

#include <QString>

class QSettings;
class QWidget;

// The project file dialogs. Both start in the folder used last (kept in the settings given to
// SetFileDialogSettings) and remember the folder of the file chosen.
void SetFileDialogSettings(QSettings* settings);
// The Open dialog: projects (".cfp", and the older ".cfa" and ".cfs"); only existing files.
// start: a file or folder to start from ("" for the folder used last). "" when cancelled.
QString GetProjectOpenPath(QWidget* parent, const QString& start = {});
// The Save As dialog for projects; the ".cfp" extension is added when none is typed.
QString GetProjectSavePath(QWidget* parent, const QString& start);
// The Qt filter text of a filter list written as "Text (*.a)|*.a|All (*.*)|*.*||".
QString QtFileFilter(const char* filterList);
