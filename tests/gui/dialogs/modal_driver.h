#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Drives modal dialogs from a test: the action runs on the next modal dialog that opens, as a
// person would act on it once it is shown.
// A dialog is acted on once (dialogs reopened at the same address are new ones: they are shown
// again without the mark). With `alive`, the wait ends once *alive is false.
inline void OnNextModal(std::function<void(QDialog*)> action,
                        std::shared_ptr<bool> alive = nullptr) {
    QTimer::singleShot(10, [action, alive] {
        if (alive && !*alive)
            return;
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->property("driven").toBool()) {
            OnNextModal(action, alive);
            return;
        }
        dialog->setProperty("driven", true);
        action(dialog);
    });
}

// Replaces the text of a field by typing into it.
inline void TypeInto(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// The field whose accessible name (its caption) is name.
template <class T> T* Field(QWidget* dialog, const QString& name) {
    for (T* w : dialog->findChildren<T*>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// Presses Space on a check box or radio button until it shows the wanted state.
inline void SetTicked(QAbstractButton* box, bool on) {
    box->setFocus();
    if (box->isChecked() != on)
        QTest::keyClick(box, Qt::Key_Space);
}

inline QPushButton* Button(QWidget* dialog, const QString& caption) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == caption && b->isVisible())
            return b;
    return nullptr;
}

inline void ClickOk(QWidget* dialog) {
    QTest::mouseClick(Button(dialog, "OK"), Qt::LeftButton);
}
