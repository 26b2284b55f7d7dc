#pragma once

#include "doc/data_view_text.h"
#include "doc/doc_view.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>

class CFindReplaceDialog;
class CHost;
class QButtonGroup;
class QListWidget;
class QMenu;
class QPrinter;
class QPushButton;

// The "Data View Format" dialog: which coefficients the view lists and in which text format.
// A change of the format list's selection is stored into the view's settings at once.
class CDataViewFormat : public QDialog {
    Q_OBJECT
public:
    CDataViewFormat(CDataViewSettings& settings, CHost& host, QWidget* parent = nullptr);

private:
    void Store();

    CDataViewSettings& m_settings;
    CHost& m_host;
    QButtonGroup* m_pMode;
    QListWidget* m_pFormats;
    QPushButton* m_pOptions;
};

// The coefficient data view: the filter's coefficients as editable text in one of the text
// formats. It binds to its document's filter on the first time binding notice and relists on every
// change of the coefficients; "Update Filter From Editor" reads the edited text back.
class CDataView : public QPlainTextEdit, public CDocView {
    Q_OBJECT
public:
    CDataView(CFirDoc& doc, QWidget* parent = nullptr);
    ~CDataView() override;

    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;
    bool IsBound() const { return m_bBound; }
    CFirDoc& Document() const { return m_doc; }
    CDataViewSettings& Settings() { return m_settings; }
    // The width that shows one line of a listed coefficient in full, with the scroll bar.
    int LineWidth() const;

    // The "Coefficients" menu of the coefficient-view menu bar (also the context menu).
    QMenu* CoefficientsMenu() const { return m_pMenu; }
    // "&Update Filter From Editor".
    void UpdateFilterFromEditor();
    // "&Select Filter and Data Format...".
    void SelectFormat();
    void ChooseFont();
    // "&Find..." and "Replace...": the modeless find or replace dialog, starting from the
    // selected text or the text searched for last.
    void FindText();
    void ReplaceText();
    // "&Repeat Last Find/Replace".
    void RepeatLastFind();
    // Selects the next occurrence after the cursor, wrapping round to the start once; says so
    // when there is none.
    bool FindNext(const QString& what, bool matchCase);
    // Replaces the selection when it is an occurrence of what, then finds the next one.
    void ReplaceNext(const QString& what, const QString& with, bool matchCase);
    // Replaces every occurrence (one undo step); the number replaced.
    int ReplaceAll(const QString& what, const QString& with, bool matchCase);

public slots:
    // The coefficient text on the printer, in the page setup chosen last (landscape at first).
    void PrintText();
    void PrintPreview();

public:
    // Prints the text on an open printer (also a PDF file).
    void Print(QPrinter& printer) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void List();
    void CreateMenus();
    void ShowFindDialog(bool replace);
    bool FindNoMessage(const QString& what, bool matchCase);

    CFirDoc& m_doc;
    CDataViewSettings m_settings;
    bool m_bBound = false;
    QMenu* m_pMenu = nullptr;
    QMenu* m_pContextMenu = nullptr;
    QPointer<CFindReplaceDialog> m_pFindDialog;
    // The last search: what was searched for, with what it was replaced (when it was a replace).
    struct SLastSearch {
        QString what;
        QString with;
        bool matchCase = false;
        bool replace = false;
    } m_last;
};
