#pragma once

#include "design/fir_data.h"
#include "doc/fir_doc.h"
#include "doc/scripted_dialogs.h"
#include "editors/editor_factory.h"
#include "editors/fir_editor.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

// An editor of one design type on a new document, shown offscreen, driven as a person would:
// typing into fields, clicking buttons.
struct CEditorDriver {
    CScriptedHost host;
    CFirDoc doc{host};
    CScriptedCommandDialogs dialogs; // accept the remembered values, after a test's edit
    std::unique_ptr<CFirEditor> editor;

    explicit CEditorDriver(int designType, double fs = 1.0) {
        doc.Filter().ApplyFs(CFs(fs, 0));
        editor.reset(CreateFirEditor(designType, doc, dialogs));
        doc.OnNewDocument();
        editor->show();
    }
    CFirData& Filter() { return doc.Filter(); }

    template <class T> T* Find(const char* name) {
        T* w = editor->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Replaces the field's text by typing.
    void Type(const char* name, const QString& text) {
        QLineEdit* e = Find<QLineEdit>(name);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    void Click(const char* name) {
        QAbstractButton* b = Find<QAbstractButton>(name);
        // A check or radio button reacts on its indicator and caption only.
        const QPoint at = b->isCheckable() ? QPoint(6, b->height() / 2) : b->rect().center();
        QTest::mouseClick(b, Qt::LeftButton, {}, at);
    }
    void Choose(const char* name, int index) { Find<QComboBox>(name)->setCurrentIndex(index); }
    QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }
    // For looking at the forms: CORVIFIR_EDITOR_SHOTS names a folder for a picture of each.
    void SaveShot(const QString& name) {
        const QString folder = qEnvironmentVariable("CORVIFIR_EDITOR_SHOTS");
        if (folder.isEmpty())
            return;
        editor->resize(editor->PreferredSize());
        editor->grab().save(folder + "/" + name + ".png");
    }
};
