// What the forms do besides designing: captions and names, enabling, questions, the response
// list and the editor picture.
#include "editor_driver.h"

#include "design/driver_messages.h"
#include "design/method_messages.h"
#include "doc/preferences.h"
#include "forms/form_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

namespace {
const int kEditorTypes[] = {kDesignSimplePm, kDesignAdvancedPm, kDesignWinSinc, kDesignRaisedCos,
                            kDesignImport,   kDesignLthBand,    kDesignMaxflat, kDesignCic};
} // namespace

TEST(EditorForm, EveryInputIsNamedAndNothingIsCutOff) {
    for (int type : kEditorTypes) {
        CEditorDriver d(type);
        d.editor->resize(d.editor->PreferredSize());
        QApplication::processEvents();
        QList<QWidget*> inputs;
        for (QWidget* w : d.editor->findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w))
                inputs << w;
        ASSERT_FALSE(inputs.isEmpty());
        for (QWidget* w : inputs) {
            if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget()))
                continue; // a combo box's own line edit
            if (!w->isVisibleTo(d.editor.get()) || qobject_cast<QAbstractItemView*>(w->parent()))
                continue;
            EXPECT_FALSE(w->accessibleName().isEmpty())
                << type << " " << w->metaObject()->className() << " "
                << w->objectName().toStdString();
            EXPECT_GE(w->width(), w->minimumSizeHint().width())
                << type << " " << w->objectName().toStdString();
        }
    }
}

TEST(EditorForm, FsButtonShowsTheSamplingFrequency) {
    CEditorDriver small(kDesignCic, 8000.0);
    EXPECT_EQ(small.editor->FsButton()->text(), "Fs = 8000 Hz");
    CEditorDriver wide(kDesignCic, 44100.125);
    const QString text = QString::fromStdString(wide.Filter().m_Fs.GetFsText());
    ASSERT_GE(text.size(), 10);
    EXPECT_EQ(wide.editor->FsButton()->text(), text);
}

TEST(EditorForm, SimplePmTypeOrdersFrequenciesAndEnablesFields) {
    CEditorDriver d(kDesignSimplePm);
    d.Type("firstFrequency", "0.3");
    d.Type("secondFrequency", "0.2");
    d.Click("filterType1");
    EXPECT_EQ(d.Text("firstFrequency"), "0.2");
    EXPECT_EQ(d.Text("secondFrequency"), "0.3");
    EXPECT_EQ(d.Find<QLineEdit>("firstFrequency")->accessibleName(), "Stopband Upper Frequency");
    EXPECT_FALSE(d.Find<QLineEdit>("center")->isEnabled());
    d.Click("filterType3");
    EXPECT_EQ(d.Text("firstFrequency"), "0.3");
    EXPECT_TRUE(d.Find<QLineEdit>("center")->isEnabled());
    EXPECT_FALSE(d.Find<QPushButton>("estimate")->isEnabled());
}

TEST(EditorForm, SimplePmTypeChangeClearsTheResultsAndTheirVerdict) {
    CEditorDriver d(kDesignSimplePm);
    d.Type("firstFrequency", "0.1");
    d.Type("secondFrequency", "0.2");
    d.Type("ripple", "1");
    d.Type("attenuation", "40");
    d.Type("taps", "31");
    d.Click("design");
    auto actuals = [&d] {
        for (QGroupBox* box : d.editor->findChildren<QGroupBox*>())
            if (box->title().startsWith("Actuals"))
                return box;
        return static_cast<QGroupBox*>(nullptr);
    };
    ASSERT_NE(actuals(), nullptr);
    ASSERT_EQ(actuals()->title(), "Actuals - PASS");
    d.Click("filterType1"); // highpass: the lowpass results say nothing about it
    EXPECT_EQ(actuals()->title(), "Actuals");
    for (QLabel* label : actuals()->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().endsWith(" dB")) << label->text().toStdString();
}

TEST(EditorForm, SimplePmEstimateFillsTheTaps) {
    CEditorDriver d(kDesignSimplePm);
    d.Type("secondFrequency", "0.15");
    d.Type("attenuation", "60");
    d.Click("estimate");
    EXPECT_EQ(d.Text("taps").toInt(), d.Filter().EstimateNumTaps());
    EXPECT_GT(d.Text("taps").toInt(), 28);
}

TEST(EditorForm, ResponseListAddNeedsCoefficientsAndEditsTheFiltersList) {
    CEditorDriver d(kDesignCic);
    auto* entry = d.Find<QListWidget>("rspFrequencies");
    d.Click("rspAdd"); // disabled without coefficients: nothing happens
    EXPECT_TRUE(d.host.messages.empty());
    d.Click("design");
    EXPECT_TRUE(d.Find<QCheckBox>("rspAutomatic")->isChecked());
    const int automatic = entry->count();
    ASSERT_GE(automatic, 2);

    d.Type("rspFrequency", "0.01");
    d.Click("rspAdd");
    EXPECT_FALSE(d.Find<QCheckBox>("rspAutomatic")->isChecked());
    EXPECT_EQ(d.Filter().m_bRspAuto, 0);
    ASSERT_EQ(d.Filter().m_RspFreqs.GetSize(), automatic + 1);
    EXPECT_EQ(entry->item(automatic)->text(), "0.01");
    EXPECT_EQ(d.Text("rspFrequency"), "");

    d.Find<QListWidget>("rspList")->setCurrentRow(0);
    EXPECT_EQ(entry->currentRow(), 0);
    EXPECT_EQ(d.Text("rspFrequency"), "0.0");
    d.Click("rspDelete");
    EXPECT_EQ(d.Filter().m_RspFreqs.GetSize(), automatic);
    EXPECT_EQ(d.Filter().m_RspFreqs[automatic - 1], 0.01);

    d.host.QueueAnswer(EAnswer::Yes);
    d.Click("rspReset");
    EXPECT_EQ(d.host.questions.back(), kMsgRspAskReset);
    EXPECT_EQ(d.Filter().m_RspFreqs.GetSize(), 0);

    d.Click("rspAutomatic");
    EXPECT_EQ(entry->count(), automatic);
}

TEST(EditorForm, ResponseListAddWithoutCoefficientsIsRefused) {
    CEditorDriver d(kDesignImport);
    auto* add = d.Find<QPushButton>("rspAdd");
    EXPECT_FALSE(add->isEnabled());
    add->setEnabled(true); // as after the coefficients were removed behind the list's back
    d.Click("rspAdd");
    EXPECT_EQ(d.host.LastMessage(), kMsgRspNoCoefficients);
    EXPECT_FALSE(d.Find<QCheckBox>("rspAutomatic")->isChecked());
}

TEST(EditorForm, ImportEditorShowsTheBoxcarTheDocumentMade) {
    CEditorDriver d(kDesignImport);
    d.dialogs.fillConstant = [](CCombFillSettings& s) {
        s.m_nTaps = 8;
        s.m_dConstant = 1.0;
        s.m_bOneOverN = 0;
        return true;
    };
    d.Click("createBoxcar");
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.Find<QLabel>("taps")->text(), "8");
    auto* list = d.Find<QListWidget>("rspList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "18.06"); // 20 log10 8
    d.SaveShot("Import");
}

TEST(EditorForm, LthBandAsksForAnOddCountAndCancelDesignsNothing) {
    CEditorDriver d(kDesignLthBand);
    d.Type("taps", "20");
    d.Type("cutoff", "0.2");
    d.Type("l", "2");
    d.host.QueueAnswer(EAnswer::Cancel);
    d.Click("design");
    ASSERT_EQ(d.host.questions.size(), 1u);
    EXPECT_EQ(d.host.questions[0], kMsgLthAskOddTaps);
    EXPECT_FALSE(d.Filter().HasCoefficients());

    d.host.QueueAnswer(EAnswer::Yes);
    d.Click("design");
    EXPECT_EQ(d.Filter().GetN(), 21);
    EXPECT_EQ(d.Text("taps"), "21");
    EXPECT_EQ(d.Find<QGroupBox>("bandInfoBox")->title(), "Band Info - Lowpass");
}

TEST(EditorForm, LthBandRefusesLBelowTwo) {
    CEditorDriver d(kDesignLthBand);
    d.Type("l", "1");
    d.Type("cutoff", "0.2");
    d.Type("taps", "21");
    d.Click("design");
    EXPECT_EQ(d.host.LastMessage(), kMsgLthFormL);
    EXPECT_FALSE(d.Filter().HasCoefficients());
}

TEST(EditorForm, WindowParameterIsRememberedPerWindow) {
    CEditorDriver d(kDesignWinSinc);
    d.Choose("window", 1);
    d.Type("windowParam", "50");
    d.Choose("window", 2);
    EXPECT_EQ(d.Find<QLineEdit>("windowParam")->accessibleName(), "Alpha");
    EXPECT_EQ(d.Text("windowParam"), "2.5");
    d.Type("windowParam", "6");
    d.Choose("window", 3);
    EXPECT_FALSE(d.Find<QLineEdit>("windowParam")->isEnabled());
    d.Choose("window", 1);
    EXPECT_EQ(d.Find<QLineEdit>("windowParam")->accessibleName(), "Gamma");
    EXPECT_EQ(d.Text("windowParam"), "50");
    d.Choose("window", 2);
    EXPECT_EQ(d.Text("windowParam"), "6");
}

TEST(EditorForm, BandEditorWarnsAboutAnEntryNotAddedOrPartial) {
    CEditorDriver d(kDesignAdvancedPm);
    d.Type("lower", "0");
    d.host.QueueAnswer(EAnswer::No);
    d.Click("design");
    EXPECT_EQ(d.host.questions.back(), kMsgPartialBand);
    EXPECT_EQ(d.host.questionIcons.back(), EMsgIcon::Exclamation);
    EXPECT_EQ(d.Text("lower"), "0"); // No abandons the design and keeps the entry

    d.Type("upper", "0.1");
    d.Type("attn", "1");
    d.host.QueueAnswer(EAnswer::Cancel);
    d.Click("design");
    EXPECT_EQ(d.host.questions.back(), kMsgBandNotAdded);
    EXPECT_EQ(d.host.questionIcons.back(), EMsgIcon::Exclamation);
    EXPECT_EQ(d.Find<QTableWidget>("bandTable")->rowCount(), 0);
    EXPECT_EQ(d.Text("lower"), "0");

    d.host.QueueAnswer(EAnswer::Yes); // adds the band, then the design refuses one band
    d.Click("design");
    EXPECT_EQ(d.Find<QTableWidget>("bandTable")->rowCount(), 1);
    EXPECT_FALSE(d.Filter().HasCoefficients());
}

TEST(EditorForm, BandEditorConvertsValuesWhenTheUnitChanges) {
    CEditorDriver d(kDesignAdvancedPm);
    d.Type("lower", "0.2");
    d.Type("upper", "0.5");
    d.Type("desired", "0");
    d.Type("attn", "40");
    d.Click("add");
    auto* table = d.Find<QTableWidget>("bandTable");
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 4)->text().trimmed(), "40");
    d.Click("attnInDb");
    EXPECT_EQ(table->item(0, 4)->text().trimmed(), "100");
    table->selectRow(0);
    EXPECT_EQ(d.Text("attn"), "100");
}

TEST(EditorForm, CopyImagePutsAFramedPictureOnTheClipboard) {
    CEditorDriver d(kDesignMaxflat);
    d.editor->resize(d.editor->PreferredSize());
    d.editor->CopyImage();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QImage image = qvariant_cast<QImage>(mime->imageData());
    EXPECT_EQ(image.size(), d.editor->size() + QSize(15, 15));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(image.width() - 4, image.height() - 4), QColor(128, 128, 128));
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
}

TEST(EditorForm, FsButtonRunsTheDesignOptionsAndRescalesTheCutoff) {
    CEditorDriver d(kDesignLthBand, 1000.0);
    d.Type("cutoff", "200");
    d.Type("l", "2");
    d.dialogs.designOptions = [](CDesignOptions& o) {
        o.m_Fs = CFs(2000.0, 0);
        return true;
    };
    d.Click("fsButton");
    EXPECT_EQ(d.editor->FsButton()->text(), "Fs = 2000 Hz");
    EXPECT_EQ(d.Text("cutoff"), "400");
    EXPECT_TRUE(d.doc.IsModified());
}

TEST(EditorForm, DesignTellsTheDocument) {
    CEditorDriver d(kDesignCic);
    d.Type("stages", "2");
    d.doc.CheckPoint(); // the state of the new project
    d.Click("design");
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_TRUE(d.doc.CanUndo());
    EXPECT_EQ(d.Find<QLabel>("impulseLength")->text(), "15");
}

TEST(EditorForm, TabFollowsTheFieldsInReadingOrder) {
    CEditorDriver d(kDesignSimplePm);
    d.editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.editor.get()));
    QWidget* field = d.Find<QLineEdit>("firstFrequency");
    field->setFocus();
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              (QStringList{"secondFrequency", "ripple", "attenuation", "taps", "estimate"}));
}

TEST(EditorForm, FirstBindingHintPreselectsTheSimpleFilterType) {
    CEditorDriver d(kDesignSimplePm); // bound by the new document's hints
    EXPECT_TRUE(d.Find<QAbstractButton>("filterType0")->isChecked());
    CScriptedHost host;
    CFirDoc doc(host);
    CScriptedCommandDialogs dialogs;
    std::unique_ptr<CFirEditor> editor(CreateFirEditor(kDesignSimplePm, doc, dialogs));
    doc.UpdateAllViews(SChangeNotice::BindTime(EViewShows::Bandpass, EViewChannel::Inphase));
    EXPECT_TRUE(editor->findChild<QAbstractButton*>("filterType2")->isChecked());
    // only the first binding chooses
    doc.UpdateAllViews(SChangeNotice::BindTime(EViewShows::Bandstop, EViewChannel::Inphase));
    EXPECT_TRUE(editor->findChild<QAbstractButton*>("filterType2")->isChecked());
}

// Every designing editor runs the core's design flow: a design that its form or its checks
// refuse leaves the project as it was (no after-design step, not modified, no undo step), and
// each designs with the exchange engine of the preferences.
TEST(EditorForm, EveryEditorDesignsThroughTheSharedFlow) {
    struct SCase {
        const char* name;
        int type;
        std::function<void(CEditorDriver&)> fillRefused;
    };
    const SCase cases[] = {
        {"Cic", kDesignCic, [](CEditorDriver& d) { d.Type("stages", "0"); }},
        {"Maxflat", kDesignMaxflat,
         [](CEditorDriver& d) {
             d.Click("rolloffMode1");
             d.Type("gamma", "0");
         }},
        {"RaisedCosine", kDesignRaisedCos, [](CEditorDriver& d) { d.Type("rolloff", "2"); }},
        {"WindowedSinc", kDesignWinSinc, [](CEditorDriver& d) { d.Type("taps", "0"); }},
        {"LthBand", kDesignLthBand,
         [](CEditorDriver& d) {
             d.Type("taps", "21");
             d.Type("cutoff", "0.2");
             d.Type("l", "2");
             d.Click("specChoice1");
             d.Type("attenuation", "0");
         }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEditorDriver d(c.type);
        c.fillRefused(d);
        d.doc.SetModifiedFlag(false);
        const bool couldUndo = d.doc.CanUndo();
        d.Click("design");
        EXPECT_FALSE(d.host.messages.empty());
        EXPECT_FALSE(d.Filter().HasCoefficients());
        EXPECT_FALSE(d.doc.IsModified());
        EXPECT_EQ(d.doc.CanUndo(), couldUndo);
    }

    CPreferences prefs;
    prefs.m_eRemezEngine = ERemezEngine::Robust;
    CEditorDriver lth(kDesignLthBand);
    lth.doc.SetPreferences(&prefs);
    lth.Type("taps", "21");
    lth.Type("cutoff", "0.2");
    lth.Type("l", "2");
    lth.Click("design");
    EXPECT_TRUE(lth.Filter().HasCoefficients()) << lth.host.LastMessage();
    EXPECT_EQ(lth.Filter().m_eRemezEngine, ERemezEngine::Robust);
}
