#pragma once

#include "doc/project_templates.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QListWidget;

// The chooser that File New shows: a new project of one of the eight methods, or an existing
// project from the recent files, the working folder or a file dialog.
class CProjectChooser : public QDialog {
    Q_OBJECT
public:
    // files: the list to show; radioIndex: the button checked at first.
    CProjectChooser(const QStringList& files, int radioIndex, QWidget* parent = nullptr);

    // After OK: the checked button (-1 for none) and what to open.
    int RadioIndex() const;
    CChooserResult Result() const;

private:
    void OnListFocused();
    void OnSelectionChanged();
    void Browse();
    void UncheckRadios();

    QButtonGroup* m_pRadios;
    QListWidget* m_pList = nullptr;
    QString m_strPath; // the file chosen in the list or through Browse...
};
