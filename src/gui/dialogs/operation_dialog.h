#pragma once

#include <QDialog>
#include <QStringList>

class CHost;
class CNumberField;
class QButtonGroup;
class QBoxLayout;
class QGroupBox;
class QVBoxLayout;

// Base of the coefficient-operation dialogs: a column of controls above OK and Cancel. OK reads
// the fields into the dialog's values and runs the dialog's checks (core functions); a refusal
// has shown its message and keeps the dialog open.
class COperationDialog : public QDialog {
public:
    COperationDialog(const QString& title, CHost& host, QWidget* parent);
    void accept() override;

protected:
    // Reads the fields and checks them; false keeps the dialog open.
    virtual bool Exchange() = 0;
    // Adds OK and Cancel below the controls; call at the end of the constructor.
    void FinishLayout();
    // A group of radio buttons (ids are their positions) with an optional field after some of
    // them: fields[i] (may be null) goes on the row of radio i.
    QGroupBox* RadioGroup(const QString& title, const QStringList& captions, QButtonGroup*& group,
                          const QList<QWidget*>& fields = {});
    static void CheckId(QButtonGroup* group, int id);

    CHost& m_host;
    QVBoxLayout* m_pLayout;
};

// The captions of a table of texts.
template <class Texts> QStringList Captions(const Texts& texts) {
    QStringList list;
    for (const char* t : texts)
        list << t;
    return list;
}

// Shows a dialog modally; true when it was accepted.
inline bool RunModal(QDialog&& dialog) {
    return dialog.exec() == QDialog::Accepted;
}
