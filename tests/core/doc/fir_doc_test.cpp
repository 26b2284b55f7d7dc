#include "doc/fir_doc.h"
#include "doc/view_commands.h"

#include "design/design_flow.h"
#include "doc/doc_messages.h"
#include "dsp/signal_ops.h"
#include "support/archive.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

const std::string kDataDir = CORVIFIR_TEST_DATA_DIR;

// Records the code of every notice it hears; optionally poses as a method editor.
class CRecordingView : public CDocView {
public:
    explicit CRecordingView(int editorType = -1) : m_nEditorType(editorType) {}
    void OnUpdate(CFirDoc&, const SChangeNotice& notice) override {
        hints.push_back(notice.Code());
    }
    int EditorDesignType() const override { return m_nEditorType; }
    std::vector<int> hints;

private:
    int m_nEditorType;
};

// Records the windows asked for and closes documents by forgetting them.
class CRecordingOwner : public CViewOwner {
public:
    void OpenView(CFirDoc&, const SViewRequest& r) override { requests.push_back(r); }
    void CloseDocument(CFirDoc& doc) override { closed.push_back(&doc); }
    std::vector<SViewRequest> requests;
    std::vector<CFirDoc*> closed;
};

// A distinct filter state per step: step taps of value step.
void ChangeFilter(CFirDoc& doc, int step) {
    Fill(doc.Filter(), step, true, false, step);
    doc.OnFilterChanged();
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int Taps(const CFirDoc& doc) {
    return doc.Filter().GetN();
}

class FirDoc : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_doc_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    CScriptedHost host;
    std::filesystem::path m_dir;
};

} // namespace

TEST_F(FirDoc, UndoWalksBackToTheOpenedStateAndNoFurther) {
    CFirDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
    const int opened = Taps(doc);
    EXPECT_FALSE(doc.CanUndo()); // one snapshot: the state as opened
    for (int step = 1; step <= 3; ++step)
        ChangeFilter(doc, step);
    for (int expected : {2, 1, opened}) {
        ASSERT_TRUE(doc.CanUndo());
        doc.OnUndo();
        EXPECT_EQ(Taps(doc), expected);
    }
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.RedoDepth(), 3);
    // redo in the order undone
    for (int expected : {1, 2, 3}) {
        doc.OnRedo();
        EXPECT_EQ(Taps(doc), expected);
    }
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(FirDoc, ElevenChangesKeepOnlyTheLastTenUndoable) {
    CFirDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
    for (int step = 1; step <= 11; ++step)
        ChangeFilter(doc, step);
    EXPECT_EQ(doc.UndoDepth(), 10);
    while (doc.CanUndo())
        doc.OnUndo();
    EXPECT_EQ(Taps(doc), 1); // the state as opened is lost
    // redo back to the end also keeps the list at eleven snapshots
    while (doc.CanRedo())
        doc.OnRedo();
    EXPECT_EQ(Taps(doc), 11);
    EXPECT_EQ(doc.UndoDepth(), 10);
}

TEST_F(FirDoc, ANewChangeDropsRedoAndSuspendedChangesTakeNoPoint) {
    CFirDoc doc(host);
    ChangeFilter(doc, 1);
    ChangeFilter(doc, 2);
    doc.OnUndo();
    EXPECT_TRUE(doc.CanRedo());
    ChangeFilter(doc, 5);
    EXPECT_FALSE(doc.CanRedo());
    {
        CUndoSuspend suspend(doc);
        ChangeFilter(doc, 6);
    }
    EXPECT_EQ(doc.UndoDepth(), 1);
    doc.OnUndo();
    EXPECT_EQ(Taps(doc), 1);
}

TEST_F(FirDoc, UndoSendsHintSevenOnlyWhenTheSamplingFrequencyChanges) {
    CFirDoc doc(host);
    CRecordingView view;
    doc.AddView(view);
    ChangeFilter(doc, 4);
    doc.Filter().ApplyFs(CFs(48.0, 1));
    doc.OnSampleRateChanged();
    view.hints.clear();
    doc.OnUndo();
    EXPECT_EQ(view.hints,
              (std::vector<int>{Notice::kCoefficients.Code(), Notice::kSampleRate.Code()}));
    EXPECT_EQ(doc.Filter().m_Fs, CFs(1.0, 0));
    view.hints.clear();
    doc.OnRedo();
    EXPECT_EQ(view.hints,
              (std::vector<int>{Notice::kCoefficients.Code(), Notice::kSampleRate.Code()}));
    ChangeFilter(doc, 6);
    view.hints.clear();
    doc.OnUndo();
    EXPECT_EQ(view.hints, (std::vector<int>{Notice::kCoefficients.Code()}));
}

TEST_F(FirDoc, UndoKeepsTheModifiedFlagAndRemembersDialogValues) {
    CFirDoc doc(host);
    ChangeFilter(doc, 1);
    doc.m_Scale.m_dTarget = -6.0;
    ChangeFilter(doc, 2);
    doc.SetModifiedFlag(false);
    doc.OnUndo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_Scale.m_dTarget, 0.0); // the dialog values are part of the state
}

TEST_F(FirDoc, DocumentsAreListedInCreationOrder) {
    const size_t before = CFirDoc::Documents().size();
    auto a = std::make_unique<CFirDoc>(host);
    auto b = std::make_unique<CFirDoc>(host);
    auto c = std::make_unique<CFirDoc>(host);
    b.reset();
    const auto& docs = CFirDoc::Documents();
    ASSERT_EQ(docs.size(), before + 2);
    EXPECT_EQ(docs[before], a.get());
    EXPECT_EQ(docs[before + 1], c.get());
}

TEST_F(FirDoc, TheFirstEditorViewSetsTheDesignType) {
    CFirDoc doc(host);
    EXPECT_EQ(doc.m_nDesignType, kDesignNone);
    CRecordingView plot, editor(kDesignLthBand);
    doc.AddView(plot);
    EXPECT_EQ(doc.m_nDesignType, kDesignNone);
    doc.AddView(editor);
    EXPECT_EQ(doc.m_nDesignType, kDesignLthBand);
    EXPECT_EQ(doc.Filter().m_nDesignType, kDesignLthBand);
    EXPECT_EQ(doc.Filter().m_nKind, kKindLthBand);
}

TEST_F(FirDoc, OpeningSendsNewDocumentHintsAndClosesOnlyUnusedAdvancedProjects) {
    CRecordingOwner owner;
    CFirDoc empty(host, &owner), designed(host, &owner), edited(host, &owner), banded(host, &owner),
        saved(host, &owner);
    CRecordingView editor(kDesignAdvancedPm);
    empty.AddView(editor);
    for (CFirDoc* kept : {&designed, &edited, &banded, &saved})
        kept->m_nDesignType = kDesignAdvancedPm;
    Fill(designed.Filter(), 3, true, false, 1.0);
    edited.SetModifiedFlag();
    banded.Filter().SetBandCapacity(1);
    ASSERT_TRUE(banded.Filter().AddBand(true, false, 0.0, 0.1, 0.0, 1.0, 0.0, true));
    ASSERT_TRUE(saved.OnSaveDocument(Path("saved.cfp")));

    CFirDoc doc(host, &owner);
    CRecordingView view;
    doc.AddView(view);
    ASSERT_TRUE(doc.OnOpenDocument(kDataDir + "/doc/complex_import.cfp"));
    EXPECT_EQ(owner.closed, std::vector<CFirDoc*>{&empty});
    EXPECT_EQ(view.hints, (std::vector<int>{0x301, 835}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_strTitle, "complex_import.cfp");
}

TEST_F(FirDoc, AnOlderProjectIsNoticedAndMarkedModifiedAndSavingConvertsIt) {
    // an older file: a current one with its version byte lowered
    CFirDoc current(host);
    ASSERT_TRUE(current.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
    const std::string path = Path("old.cfp");
    ASSERT_TRUE(current.OnSaveDocument(path));
    {
        std::ifstream saved(path, std::ios::binary);
        std::vector<char> b((std::istreambuf_iterator<char>(saved)), {});
        b[0] = 19; // version word low byte
        std::ofstream(path, std::ios::binary).write(b.data(), static_cast<long>(b.size()));
    }
    host.messages.clear();
    CFirDoc doc(host);
    CRecordingView view;
    doc.AddView(view);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Information);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_nFileVersion, 19);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(view.hints.back(), Notice::kAboutToSave.Code());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_nFileVersion, 20);
}

TEST_F(FirDoc, AFailedOpenOrSaveLeavesTheDocumentAsItWas) {
    CFirDoc doc(host);
    ChangeFilter(doc, 3);
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.cfp")));
    EXPECT_EQ(Taps(doc), 3);
    EXPECT_EQ(doc.UndoDepth(), 0);
    EXPECT_FALSE(doc.OnSaveDocument(Path("no/such/folder/x.cfp")));
    EXPECT_TRUE(doc.IsModified());
}

// Saving over the project's own file after another program replaced or removed it asks first;
// No keeps the other program's file. A save of the file as it was asks nothing.
TEST_F(FirDoc, SavingOverAFileChangedByAnotherProgramAsksFirst) {
    const std::string path = Path("shared.cfp");
    {
        CFirDoc writer(host);
        ASSERT_TRUE(writer.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
        ASSERT_TRUE(writer.OnSaveDocument(path));
    }
    CFirDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ChangeFilter(doc, 3);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(host.questions.empty());

    CFirDoc other(host);
    ASSERT_TRUE(other.OnOpenDocument(path));
    ChangeFilter(other, 5);
    ASSERT_TRUE(other.OnSaveDocument(path));
    const std::string theirs = ReadText(path);
    ChangeFilter(doc, 7);
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], FormatMessage(DocMsg::kChangedOnDisk, {path}));
    EXPECT_EQ(ReadText(path), theirs);
    EXPECT_TRUE(doc.IsModified());

    host.QueueAnswer(EAnswer::Yes);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_NE(ReadText(path), theirs);
    ASSERT_TRUE(doc.OnSaveDocument(path)); // now the file is the one it wrote
    EXPECT_EQ(host.questions.size(), 2u);

    std::filesystem::remove(path);
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(FirDoc, ShowingAViewAsksTheOwnerThenTitlesAndHints) {
    CRecordingOwner owner;
    CFirDoc doc(host, &owner);
    CRecordingView view;
    doc.AddView(view);
    doc.RequestView(
        {EViewKind::Data, true, "FIR Inphase Coefficients", SChangeNotice::FromCode(0x311)});
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].kind, EViewKind::Data);
    EXPECT_EQ(doc.Filter().m_strName, "FIR Inphase Coefficients");
    EXPECT_EQ(view.hints, std::vector<int>{0x311});
}

// The frequency view shown after a design or a read shows the filter's own kind of response:
// its channel follows the filter's real flag (0x443), so a complex filter shows the complex one.
TEST_F(FirDoc, TheFrequencyViewFollowsTheFiltersKind) {
    CRecordingOwner owner;
    CFirDoc doc(host, &owner);
    CRecordingView view;
    doc.AddView(view);
    ShowFrequencyView(doc);
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].kind, EViewKind::Frequency);
    EXPECT_EQ(view.hints, std::vector<int>{0x443});
}

TEST_F(FirDoc, AnUndoneDesignMeasuresAsBefore) {
    CFirDoc doc(host);
    ASSERT_TRUE(doc.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
    const double margin = doc.Filter().GetMargin();
    Scale(doc.Filter(), true, false, false, 2.0);
    doc.OnFilterChanged();
    doc.OnUndo();
    EXPECT_DOUBLE_EQ(doc.Filter().GetMargin(), margin);
    EXPECT_EQ(doc.Filter().m_Response.m_nResolution, 32);
}

namespace {

std::vector<uint8_t> FilterBytes(const CFirData& f) {
    CArchiveWriter ar;
    f.Serialize(ar, CFirProject::kCurrentVersion);
    return ar.TakeBytes();
}

std::vector<double> Coefficients(const CFirData& f) {
    return std::vector<double>(f.m_pI->begin(), f.m_pI->begin() + f.GetN());
}

} // namespace

// An undone change brings back the whole filter: its method, every parameter block, options,
// constraints, sampling frequency and coefficients; designing again gives the same taps.
TEST_F(FirDoc, UndoRestoresTheMethodAndItsDesignForEveryMethod) {
    const int types[] = {kDesignSimplePm, kDesignAdvancedPm, kDesignWinSinc, kDesignRaisedCos,
                         kDesignImport,   kDesignLthBand,    kDesignMaxflat, kDesignCic};
    for (const int type : types) {
        SCOPED_TRACE(DesignTypeName(type));
        CFirDoc doc(host);
        const bool pm = type == kDesignSimplePm || type == kDesignAdvancedPm;
        if (pm) {
            ASSERT_TRUE(doc.OnOpenDocument(kDataDir + "/doc/lowpass.cfp"));
        }
        doc.m_nDesignType = type;
        CFirData& f = doc.Filter();
        f.SetDesignType(type);
        f.ApplyFs(CFs(48.0, 1));
        f.m_eRemezEngine = ERemezEngine::Classic;
        if (!pm)
            f.SetNumTaps(31);
        f.m_Ws.m_dCorner1 = 6.0;
        f.m_Ws.m_nWindowType = 2;
        f.m_Lth.m_dCutoff = 10.0;
        const std::string caption = DesignTypeName(type);
        const SDesignResult first = RunDesignFlow(f, host, caption);
        if (type == kDesignImport) {
            ChangeFilter(doc, 3);
        } else {
            ASSERT_EQ(first.end, EDesignEnd::Designed);
        }
        doc.CheckPoint();
        const std::vector<uint8_t> state = FilterBytes(f);
        const std::vector<double> taps = Coefficients(f);

        doc.Filter().Columns().ReverseAll();
        doc.OnFilterChanged();
        doc.OnUndo();
        EXPECT_EQ(doc.Filter().m_nDesignType, type);
        EXPECT_EQ(doc.Filter().m_nKind, DesignKindOf(type));
        EXPECT_EQ(doc.Filter().m_eRemezEngine, ERemezEngine::Classic);
        EXPECT_EQ(FilterBytes(doc.Filter()), state);
        if (type == kDesignImport)
            continue;
        const SDesignResult again = RunDesignFlow(doc.Filter(), host, caption);
        EXPECT_EQ(again.end, EDesignEnd::Designed);
        EXPECT_EQ(Coefficients(doc.Filter()), taps);
    }
}
