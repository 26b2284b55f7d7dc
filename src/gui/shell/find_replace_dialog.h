#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Captions and messages of the find and replace dialogs.
namespace FindReplaceText {
inline constexpr const char* kFindTitle = "Find";
inline constexpr const char* kReplaceTitle = "Replace";
inline constexpr const char* kFindWhat = "Fi&nd what:";
inline constexpr const char* kReplaceWith = "Re&place with:";
inline constexpr const char* kMatchCase = "Match &case";
inline constexpr const char* kFindNext = "&Find Next";
inline constexpr const char* kReplace = "&Replace";
inline constexpr const char* kReplaceAll = "Replace &All";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kNotFound = "Cannot find the string '%1'.";
} // namespace FindReplaceText

// The modeless find or replace dialog of a text view: "Find what", with "Replace with" in its
// replace form, and "Match case". Its buttons ask the view to find the next occurrence, to
// replace the selected one and find the next, or to replace them all.
class CFindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDialog(bool replace, QWidget* parent);

    QString FindWhat() const;
    QString ReplaceWith() const;
    bool MatchCase() const;
    void SetFindWhat(const QString& text);

signals:
    void findNext();
    void replaceOne();
    void replaceAll();

private:
    void UpdateButtons();

    QLineEdit* m_pFindWhat;
    QLineEdit* m_pReplaceWith = nullptr;
    QCheckBox* m_pMatchCase;
    QPushButton* m_pFindNext;
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};
