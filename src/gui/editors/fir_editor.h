#pragma once

#include "design/design_flow.h"
#include "doc/doc_view.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

class CCommandDialogs;
class CFirData;
class CFirDoc;
class CHost;
class QLabel;
class QLineEdit;
class QPushButton;

// The form of one design method above a project's plots, a view of its document: it moves
// the specification between its fields and the document's filter, shows the sampling
// frequency on its "FS" button, and runs the Design and Optimize flows. The document's
// commands (design options, after-design step, import, fills) run through dialogs.
class CFirEditor : public QWidget, public CDocView {
    Q_OBJECT
public:
    CFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent = nullptr);
    ~CFirEditor() override;

    CFirDoc& Doc() const { return m_doc; }
    CFirData& Filter() const;
    CHost& Host() const;
    CCommandDialogs& Dialogs() const { return m_dialogs; }

    // Reads the fields and stores them into the filter; false after telling the user why.
    virtual bool StoreSpecs() { return true; }
    // Fills the fields from the filter.
    virtual void LoadSpecs() {}
    // Adapts what depends on the sampling frequency (the automatic response list).
    virtual void OnSampleRateChange() {}
    // The sampling frequency on the FS button and the unit on every unit label.
    virtual void ShowSampleRate();
    // The Design button.
    virtual void Design();
    // The Optimize button of the methods that optimise.
    virtual void Optimize();

    // The document's notices: the first time binding and a change of the coefficients
    // (LoadSpecs), about to save (StoreSpecs), a change of the sampling frequency
    // (OnSampleRateChange).
    void OnUpdate(CFirDoc& doc, const SChangeNotice& notice) override;
    int EditorDesignType() const override { return m_nDesignType; }
    // The editor window with a gray frame of 7 pixels left and top, 8 right and bottom.
    QImage CaptureImage();
    // Puts CaptureImage on the clipboard as PNG and SVG.
    void CopyImage();
    // The least size at which every field of the form shows in full.
    virtual QSize PreferredSize() const { return minimumSizeHint(); }

    QPushButton* FsButton() const { return m_pFsButton; }

protected:
    // A label that shows the sampling-frequency unit (at most 10 per form).
    QLabel* NewUnitLabel();
    QPushButton* NewButton(const QString& caption, const char* objectName);
    // The core's Design flow around the number-of-taps field (none for forms without one).
    void RunDesignFlow(QLineEdit* taps);
    // The core's Optimize flow.
    void RunOptimizeFlow(QLineEdit* taps = nullptr);
    // The editor's steps of a flow: a new tap count goes into the taps field and is stored;
    // when the method's checks refuse, OnRefused; after a design, the document's after-design
    // step, then LoadSpecs.
    SDesignFlowSteps EditorSteps(QLineEdit* taps);
    // The method's checks refused the stored specification.
    virtual void OnRefused() {}
    // The after-design step of the document.
    void AfterDesign();
    // A field changed: the document is modified (no undo point).
    void MarkModified();
    // The document title, the caption of a design's status display.
    std::string Caption() const;
    // The document's first time binding: the fields come from the filter.
    virtual void OnFirstBind(const SChangeNotice& /*notice*/) { LoadSpecs(); }
    // Called after the FS button changed the sampling frequency by the factor ratio.
    virtual void OnFsScaled(double /*ratio*/) {}

    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnFsButton();
    // Every field, check, radio button and list of the form marks the project modified when
    // the user edits it.
    void WatchFieldEdits();

    int m_nDesignType;
    CFirDoc& m_doc;
    CCommandDialogs& m_dialogs;
    bool m_bBound = false;
    QPushButton* m_pFsButton = nullptr;
    QList<QLabel*> m_unitLabels;
};
