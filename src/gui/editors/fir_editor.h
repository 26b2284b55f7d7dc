#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QWidget>

class CFirData;
class CHost;
class QLabel;
class QLineEdit;
class QPushButton;

// The form of one design method above a project's plots: it moves the specification between
// its fields and the filter, shows the sampling frequency on its "FS" button, and runs the
// Design and Optimize flows. The document is told of every change through the signals.
class CFirEditor : public QWidget {
    Q_OBJECT
public:
    CFirEditor(CFirData& filter, CHost& host, QWidget* parent = nullptr);

    CFirData& Filter() const { return m_filter; }
    CHost& Host() const { return m_host; }
    // The caption a design's status display carries (the document title).
    void SetTitle(const QString& title) { m_strTitle = title; }

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

    // The document's update hint: 5 coefficients changed (LoadSpecs), 6 about to save
    // (StoreSpecs), 7 sampling frequency changed (OnSampleRateChange).
    void OnUpdate(int hint);
    // The editor window with a gray frame of 7 pixels left and top, 8 right and bottom.
    QImage CaptureImage();
    // Puts CaptureImage on the clipboard as PNG and SVG.
    void CopyImage();
    // Size at which every field of the form shows in full.
    virtual QSize PreferredSize() const { return sizeHint(); }

    QPushButton* FsButton() const { return m_pFsButton; }

signals:
    // The FS button or the context menu asks for the design options (the document's command);
    // the receiver runs them before the signal returns.
    void designOptionsRequested();
    // A design or optimisation has changed the coefficients: the document runs its
    // after-design step (views, scaling, undo point, update hints).
    void filterDesigned();
    // The specification changed without a design (mark the document modified).
    void specChanged();
    // The band list changed: the document takes an undo point.
    void checkPointRequested();

protected:
    // A label that shows the sampling-frequency unit (at most 10 per form).
    QLabel* NewUnitLabel();
    QPushButton* NewButton(const QString& caption, const char* objectName);
    // The shared Design flow around the number-of-taps field (none for forms without one).
    void RunDesignFlow(QLineEdit* taps);
    // The shared Optimize flow.
    void RunOptimizeFlow();
    // The after-design step of the document.
    void AfterDesign();
    std::string Caption() const { return m_strTitle.toStdString(); }
    // Called after the FS button changed the sampling frequency by the factor ratio.
    virtual void OnFsScaled(double /*ratio*/) {}

    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OnFsButton();

    CFirData& m_filter;
    CHost& m_host;
    QString m_strTitle;
    QPushButton* m_pFsButton = nullptr;
    QList<QLabel*> m_unitLabels;
};
