#pragma once

#include "doc/data_view_text.h"
#include "doc/doc_view.h"

#include <QDialog>
#include <QPlainTextEdit>

class QButtonGroup;
class QListWidget;
class QMenu;
class QPushButton;

// The "Data View Format" dialog: which coefficients the view lists and in which text format.
// A change of the format list's selection is stored into the view's settings at once.
class CDataViewFormat : public QDialog {
    Q_OBJECT
public:
    CDataViewFormat(CDataViewSettings& settings, QWidget* parent = nullptr);

private:
    void Store();

    CDataViewSettings& m_settings;
    QButtonGroup* m_pMode;
    QListWidget* m_pFormats;
    QPushButton* m_pOptions;
};

// The coefficient data view: the filter's coefficients as editable text in one of the text
// formats. It binds to its document's filter on the first binding hint and relists on every
// change of the coefficients; "Update Filter From Editor" reads the edited text back.
class CDataView : public QPlainTextEdit, public CDocView {
    Q_OBJECT
public:
    CDataView(CFirDoc& doc, QWidget* parent = nullptr);
    ~CDataView() override;

    void OnUpdate(CFirDoc& doc, int hint) override;
    bool IsBound() const { return m_bBound; }
    CFirDoc& Document() const { return m_doc; }
    CDataViewSettings& Settings() { return m_settings; }

    // The "Coefficients" menu of the coefficient-view menu bar (also the context menu).
    QMenu* CoefficientsMenu() const { return m_pMenu; }
    // "&Update Filter From Editor".
    void UpdateFilterFromEditor();
    // "&Select Filter and Data Format...".
    void SelectFormat();
    void ChooseFont();
    void FindText();
    void PrintText();
    void PrintPreview();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void List();
    void CreateMenus();

    CFirDoc& m_doc;
    CDataViewSettings m_settings;
    bool m_bBound = false;
    QMenu* m_pMenu = nullptr;
    QMenu* m_pContextMenu = nullptr;
    QString m_strLastFind;
};
