#pragma once

#include "design/fir_data.h"
#include "doc/project_file.h"
#include "editors/editor_factory.h"
#include "editors/fir_editor.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

// An editor of one design type on a project's filter, shown offscreen, driven as a person
// would: typing into fields, clicking buttons.
struct CEditorDriver {
    CScriptedHost host;
    CFirProject project{&host};
    std::unique_ptr<CFirEditor> editor;

    explicit CEditorDriver(int designType, double fs = 1.0) {
        project.m_Filter.ApplyFs(CFs(fs, 0));
        project.m_Filter.SetDesignType(designType);
        editor.reset(CreateFirEditor(designType, project.m_Filter, host));
        editor->show();
    }
    CFirData& Filter() { return project.m_Filter; }

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
};
