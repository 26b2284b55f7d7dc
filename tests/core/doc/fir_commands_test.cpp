#include "doc/fir_commands.h"

#include "doc/command_messages.h"
#include "doc/fir_doc.h"
#include "doc/scripted_dialogs.h"
#include "doc/view_commands.h"
#include "io/data_files.h"
#include "io/file_formats.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

class CHintView : public CDocView {
public:
    void OnUpdate(CFirDoc&, const SChangeNotice& notice) override {
        hints.push_back(notice.Code());
    }
    std::vector<int> hints;
};

// A document whose filter holds the given real taps, opened with one undo point.
class Commands : public ::testing::Test {
protected:
    void Load(CFirDoc& d, const std::vector<double>& taps) {
        d.Filter().SetDesignType(kDesignImport);
        d.m_nDesignType = kDesignImport;
        d.Filter().Fill(static_cast<int>(taps.size()), true, false, 0.0);
        for (size_t i = 0; i < taps.size(); ++i)
            (*d.Filter().m_pI)[static_cast<int>(i)] = taps[i];
        d.CheckPoint();
    }
    std::vector<double> TapsI() const {
        const CFirData& f = doc.Filter();
        return std::vector<double>(f.m_pI->begin(), f.m_pI->begin() + f.GetN());
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> v;
        for (const auto& m : host.messages)
            v.push_back(m.text);
        return v;
    }

    CScriptedHost host;
    CFirDoc doc{host};
    CScriptedCommandDialogs dialogs;
};

} // namespace

TEST_F(Commands, EnablingFollowsCoefficientsRealnessAndHistory) {
    EXPECT_FALSE(IsCommandEnabled(doc, ECommand::Reverse));
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::FillSine, EParts::Complex));
    EXPECT_STREQ(CommandDisabledReason(doc, ECommand::Undo), "there is nothing to undo");
    Load(doc, {1, 2, 3});
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::Window, EParts::Inphase));
    EXPECT_STREQ(CommandDisabledReason(doc, ECommand::Scale, EParts::Quadrature),
                 "the filter is real");
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::MinPhase));
    FirCommand::CopyIToQ(doc);
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::Quantize, EParts::Complex));
    EXPECT_FALSE(IsCommandEnabled(doc, ECommand::MinPhase));
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::Undo));
    FirCommand::Undo(doc);
    EXPECT_TRUE(IsCommandEnabled(doc, ECommand::Redo));
    FirCommand::Reverse(doc);
    EXPECT_FALSE(IsCommandEnabled(doc, ECommand::Redo));
}

TEST_F(Commands, TruncateReportsWhatItRemoved) {
    struct Case {
        int method, where;
        double value;
        std::vector<double> left;
        std::string message; // "" none
    };
    const std::vector<Case> cases = {
        {0, 0, 2, {2, 3, 4, 3, 2}, ""},
        {1, 0, 0.5, {1, 2, 3, 4, 3, 2, 1}, "Truncated 1 coefficient at each end."},
        {1, 1, 1.5, {2, 3, 4, 3, 2, 1, 0.25}, "Truncated 2 coefficients."},
        {1, 2, 10.0, {0.1, 1, 2, 3, 4, 3, 2, 1, 0.25}, "Filter was not truncated."},
    };
    for (const Case& c : cases) {
        CScriptedHost h;
        CFirDoc d(h);
        Load(d, {0.1, 1, 2, 3, 4, 3, 2, 1, 0.25});
        dialogs.truncate = [&](CTruncateSettings& s) {
            s = {c.where, c.method, c.value};
            return true;
        };
        EXPECT_TRUE(FirCommand::Truncate(d, dialogs));
        const CFirData& f = d.Filter();
        EXPECT_EQ(std::vector<double>(f.m_pI->begin(), f.m_pI->begin() + f.GetN()), c.left);
        EXPECT_EQ(h.LastMessage(), c.message);
        EXPECT_EQ(d.CanUndo(), c.left.size() != 9);
    }
}

TEST_F(Commands, PolyphaseChecksThenKeepsOnePhase) {
    Load(doc, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    std::vector<CPolyphaseSettings> entries = {{0, 5, 0, 0}, {4, 4, 0, 0}, {3, 4, 0, 0}};
    size_t next = 0;
    dialogs.polyphase = [&](CPolyphaseSettings& s) {
        s = entries[next++];
        return true;
    };
    EXPECT_TRUE(FirCommand::Polyphase(doc, dialogs));
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{CmdMsg::kPhasesNotDividing, CmdMsg::kPhaseOutOfRange}));
    EXPECT_EQ(TapsI(), (std::vector<double>{3, 7, 11}));
    EXPECT_EQ(CheckPolyphaseDialog({0, 12, 1, 1}, 12), CmdMsg::kPhasesOutOfRange);
    // cancelled on the first refusal: nothing changes
    dialogs.polyphase = [&](CPolyphaseSettings& s) {
        s.m_nPhases = 2;
        return dialogs.shown < 0;
    };
    EXPECT_FALSE(FirCommand::Polyphase(doc, dialogs));
    EXPECT_EQ(doc.UndoDepth(), 1);
}

TEST_F(Commands, MinimumPhaseAcceptsAsksOrRefusesByTheError) {
    // AcceptMinPhaseError has its own thresholds test; here: a refusal changes nothing and the
    // leading zeros go only with an accepted conversion.
    Load(doc, {0, 0, 1, -0.5});
    EXPECT_TRUE(FirCommand::MinPhase(doc));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(doc.Filter().GetN(), 2);
    EXPECT_EQ(doc.Filter().m_bMinPhaseDone, 1);
    EXPECT_FALSE(IsCommandEnabled(doc, ECommand::MinPhase));

    CScriptedHost h;
    CFirDoc d(h);
    Load(d, {0, 1e-30, 1, 1}); // a first tap too small to factor
    EXPECT_FALSE(FirCommand::MinPhase(d));
    EXPECT_EQ(h.LastMessage(), "Conversion to minimum phase failed.");
    EXPECT_EQ(d.Filter().GetN(), 4);
    EXPECT_FALSE(d.CanUndo());
}

TEST_F(Commands, ConvolveNeedsAnotherProjectWithCoefficients) {
    Load(doc, {1, 1});
    CFirDoc empty(host);
    EXPECT_FALSE(FirCommand::Convolve(doc, dialogs));
    EXPECT_EQ(host.LastMessage(), CmdMsg::kOnlyOneProject);

    CFirDoc other(host), third(host);
    Load(other, {1, 2, 3});
    other.m_strTitle = "other.cfp";
    Load(third, {5});
    third.m_strTitle = "third.cfp";
    other.Filter().ApplyFs(CFs(1.0, 1)); // 1 kHz against 1 Hz
    int calls = 0;
    dialogs.convolve = [&](SConvolveChoice& c) {
        EXPECT_EQ(c.titles, (std::vector<std::string>{"other.cfp", "third.cfp"}));
        c.selected = calls++ == 0 ? -1 : 0;
        return true;
    };
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(FirCommand::Convolve(doc, dialogs));
    EXPECT_EQ(host.LastMessage(), CmdMsg::kSelectProject);
    EXPECT_EQ(host.questions.back(), CmdMsg::kFsDiffer);
    EXPECT_EQ(TapsI(), (std::vector<double>{1, 1}));
    EXPECT_TRUE(FirCommand::Convolve(doc, dialogs)); // default Yes
    EXPECT_EQ(TapsI(), (std::vector<double>{1, 3, 5, 3}));
    EXPECT_EQ(host.messages.back().text, "The convolved filter contains 4 taps.");
    EXPECT_EQ(host.messages.back().icon, EMsgIcon::None);
}

TEST_F(Commands, FillWithConstantAsksNothingFillWithSineAsksFirst) {
    Load(doc, {1, 2, 3});
    int shows = 0;
    dialogs.fillConstant = [&](CCombFillSettings& s) {
        s.m_nTaps = shows++ == 0 ? 0 : 8;
        return true;
    };
    EXPECT_TRUE(FirCommand::FillConstant(doc, dialogs, EParts::Inphase));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(Texts(), std::vector<std::string>{CmdMsg::kFillTapsNotPositive});
    EXPECT_EQ(TapsI(), std::vector<double>(8, 0.125)); // "= 1 / NTaps"
    EXPECT_TRUE(doc.IsModified());

    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(FirCommand::FillSine(doc, dialogs, EParts::Complex));
    EXPECT_EQ(host.questions.back(), "Filling with a sine will overwrite all current data.");
    EXPECT_EQ(doc.Filter().GetN(), 8);
    dialogs.generate = [](CGenerateSettings& s) {
        s.m_nSamples = 8;
        s.m_fCycles = 1;
        return true;
    };
    EXPECT_TRUE(FirCommand::FillSine(doc, dialogs, EParts::Complex));
    EXPECT_FALSE(doc.Filter().IsReal());
    EXPECT_NEAR((*doc.Filter().m_pQ)[2], 1.0, 1e-12); // sin(2 pi 2/8)
    EXPECT_EQ(doc.Filter().GetNumTaps(), 8);
}

TEST_F(Commands, ACancelledOrFailedImportChangesNothing) {
    Load(doc, {1, 2, 3});
    doc.SetModifiedFlag(false);
    CHintView view;
    doc.AddView(view);
    dialogs.dataFiles = [](CDataFiles&) { return false; };
    EXPECT_FALSE(FirCommand::Import(doc, dialogs));
    dialogs.dataFiles = [](CDataFiles& f) {
        f.SetPaths("/nonexistent/coefficients.txt", "");
        return true;
    };
    EXPECT_FALSE(FirCommand::Import(doc, dialogs));
    EXPECT_EQ(TapsI(), (std::vector<double>{1, 2, 3}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(view.hints.empty());

    const auto path = std::filesystem::temp_directory_path() / "corvifir_import_test.txt";
    std::ofstream(path) << "0.5\n0.25\n";
    dialogs.dataFiles = [&](CDataFiles& f) {
        f.SetPaths(path.string(), "");
        f.m_FormatI.m_nFormat = kFormatDecimal;
        return true;
    };
    EXPECT_TRUE(FirCommand::Import(doc, dialogs));
    std::filesystem::remove(path);
    EXPECT_EQ(TapsI(), (std::vector<double>{0.5, 0.25}));
    EXPECT_EQ(doc.Filter().GetNumTaps(), 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints, std::vector<int>{Notice::kCoefficients.Code()});
}

// A report whose pictures cannot be written.
class CNoPicturesDialogs : public CScriptedCommandDialogs {
public:
    bool SaveReportPictures(CFirDoc&, const std::string&) override { return false; }
};

TEST_F(Commands, AnExportTellsHowItEndedAndKeepsNoFileOfAnUnfinishedOne) {
    Load(doc, {0.5, 0.25, 0.125});
    const auto folder = std::filesystem::temp_directory_path();
    const std::string text = (folder / "corvifir_export_test.txt").string();
    const std::string report = (folder / "corvifir_export_test.htm").string();
    auto exportTo = [](const std::string& path, int format) {
        return [path, format](CDataFiles& f) {
            f.SetPaths(path, "");
            f.m_FormatI.m_nFormat = format;
            return true;
        };
    };
    CNoPicturesDialogs noPictures;
    noPictures.dataFiles = exportTo(report, kFormatHtml);
    dialogs.dataFiles = [](CDataFiles&) { return false; };
    EXPECT_EQ(FirCommand::ExportFiles(doc, dialogs), EExportEnd::Cancelled);
    dialogs.dataFiles = exportTo("/nonexistent/folder/taps.txt", kFormatDecimal);
    EXPECT_EQ(FirCommand::ExportFiles(doc, dialogs), EExportEnd::NotWritten);
    EXPECT_EQ(FirCommand::ExportFiles(doc, noPictures), EExportEnd::NotFinished);
    EXPECT_FALSE(std::filesystem::exists(report));
    EXPECT_TRUE(doc.m_DataFiles.m_writtenFiles.empty());
    dialogs.dataFiles = exportTo(text, kFormatDecimal);
    EXPECT_EQ(FirCommand::ExportFiles(doc, dialogs), EExportEnd::Written);
    EXPECT_EQ(doc.m_DataFiles.m_writtenFiles, std::vector<std::string>{text});
    EXPECT_TRUE(std::filesystem::exists(text));
    std::filesystem::remove(text);
}

TEST_F(Commands, TheQuantizeDialogStartsFromTheProjectsRecordButKeepsItsOwnWordLength) {
    Load(doc, {0.5, 0.25, 0.125});
    // What the project file brought back: the record; the dialog's word length and algorithm
    // live only as long as the document.
    doc.m_QuantDialog = {-12, 0, 3, 0, 2, 64};
    doc.m_Quantize.m_nBits = 10;
    doc.m_Quantize.m_nAlgorithm = 1;
    CQuantizeSettings shown;
    dialogs.quantize = [&](CQuantizeSettings& s) {
        shown = s;
        s.m_nBits = 8;
        s.m_nAlgorithm = 0;
        s.m_bTruncateZeros = 1;
        s.m_nSearchHigh = 16;
        return true;
    };
    ASSERT_TRUE(FirCommand::Quantize(doc, dialogs, EParts::Inphase));
    EXPECT_EQ(shown.m_nBits, 10);
    EXPECT_EQ(shown.m_nAlgorithm, 1);
    EXPECT_EQ(shown.m_bSave, 0);
    EXPECT_EQ(shown.m_bTruncateZeros, 0);
    EXPECT_EQ(shown.m_nSearchLow, 2);
    EXPECT_EQ(shown.m_nSearchHigh, 64);
    const QuantOptions& r = doc.m_QuantDialog;
    EXPECT_EQ(r.m_nBits, -12); // only the design options set the record's word length
    EXPECT_EQ(r.m_bSaveInFileOptions, 0);
    EXPECT_EQ(r.m_nAlgorithm, 0);
    EXPECT_EQ(r.m_bTruncateZeros, 1);
    EXPECT_EQ(r.m_nSearchLow, 2);
    EXPECT_EQ(r.m_nSearchHigh, 16);
    EXPECT_EQ(doc.m_Quantize.m_nBits, 8);
    EXPECT_EQ(TapsI(), (std::vector<double>{0.5, 0.25, 0.125})); // exact in 8 bits
}

TEST_F(Commands, ZeroStuffWithFsScalingIsUndoneWithHintSeven) {
    Load(doc, {1, 2});
    CHintView view;
    doc.AddView(view);
    dialogs.zeroPad = [](CZeroPadSettings& s) {
        s = {1, 2, 1, 1};
        return true;
    };
    EXPECT_TRUE(FirCommand::ZeroStuff(doc, dialogs));
    EXPECT_EQ(TapsI(), (std::vector<double>{0, 1, 0, 2, 0, 0}));
    EXPECT_EQ(doc.Filter().GetFs(), 2.0);
    EXPECT_EQ(view.hints, (std::vector<int>{5, 7, 5}));
    view.hints.clear();
    FirCommand::Undo(doc);
    EXPECT_EQ(doc.Filter().GetFs(), 1.0);
    EXPECT_EQ(view.hints, (std::vector<int>{5, 7}));
}

TEST_F(Commands, WindowAsksAgainAndRefusesABadParameter) {
    Load(doc, {1, 1, 1, 1, 1});
    dialogs.window = [](CWindowSettings& s) {
        s.m_nCode = 1;
        s.m_fGamma = 0.5f;
        return true;
    };
    EXPECT_FALSE(FirCommand::Window(doc, dialogs, EParts::Inphase));
    EXPECT_EQ(host.LastMessage(), "Gamma must be 1.0 or greater.");
    EXPECT_EQ(TapsI(), std::vector<double>(5, 1.0));
    dialogs.window = [](CWindowSettings& s) {
        s.m_nCode = 5; // Hanning
        return true;
    };
    EXPECT_TRUE(FirCommand::Window(doc, dialogs, EParts::Inphase));
    EXPECT_NE(TapsI(), std::vector<double>(5, 1.0));
    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(FirCommand::Window(doc, dialogs, EParts::Inphase));
    EXPECT_EQ(host.questions.back(), CmdMsg::kAlreadyWindowed);
}

TEST_F(Commands, ScaleInDbAndQuantizeWithTheDialogsRules) {
    Load(doc, {1, 1, 2});
    dialogs.scale = [](CScaleSettings& s) {
        s.m_nMethod = 0;
        s.m_dTarget = 20.0 * std::log10(8.0); // DC gain 8 in dB
        s.m_bInDb = 1;
        return true;
    };
    EXPECT_TRUE(FirCommand::Scale(doc, dialogs, EParts::Inphase));
    EXPECT_NEAR(TapsI()[2], 4.0, 1e-12);
    // Cancel still notifies
    dialogs.scale = [](CScaleSettings&) { return false; };
    EXPECT_FALSE(FirCommand::Scale(doc, dialogs, EParts::Inphase));
    EXPECT_EQ(doc.UndoDepth(), 2);

    doc.m_Quantize.m_nAlgorithm = 2;
    int shows = 0;
    dialogs.quantize = [&](CQuantizeSettings& s) {
        EXPECT_EQ(s.m_nAlgorithm, 0); // the searches are not offered for complex
        s.m_nBits = shows++ == 0 ? 63 : 4;
        return true;
    };
    FirCommand::CopyIToQ(doc);
    EXPECT_TRUE(FirCommand::Quantize(doc, dialogs, EParts::Complex));
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[host.messages.size() - 2].text,
              "The number of quantization bits must be between 1 and 62.");
    // Taps of 2 and 4 are beyond 4-bit fractions: the user is told they saturated.
    EXPECT_EQ(host.LastMessage(),
              "Some coefficients were beyond the range of 4-bit fractions and were saturated.");
    EXPECT_EQ(doc.m_DataFiles.m_FormatI.m_FixedPoint.m_nBits, 4);
}

TEST_F(Commands, DesignOptionsStoreOnlyAfterEveryPagePasses) {
    Load(doc, {1, 2, 3});
    CFirData& f = doc.Filter();
    dialogs.designOptions = [&](CDesignOptions& o) {
        if (dialogs.shown == 1) {
            o.m_NTaps = {10, 10, NTapsConstraints::kParityOdd, false, 2, true};
            o.m_Quant.m_bQuantize = true;
            o.m_Quant.m_nBits = 12;
        } else {
            o.m_NTaps.m_nParity = NTapsConstraints::kParityEven;
            o.m_Fs = CFs(8.0, 1);
            o.m_nPage = 3;
        }
        return true;
    };
    EXPECT_TRUE(FirCommand::DesignOptions(doc, dialogs));
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "The even/odd constraint conflicts with the minimum/maximum limits."});
    EXPECT_EQ(f.m_Constraints.m_nMin, 10);
    EXPECT_EQ(f.m_Quant.m_nBits, 12);
    EXPECT_EQ(doc.m_DataFiles.m_FormatI.m_FixedPoint.m_nBits, 12); // saved in the file options
    EXPECT_EQ(doc.m_nDesignOptionsPage, 3);
    EXPECT_EQ(doc.UndoDepth(), 1); // the changed Fs took an undo point

    SQuantDialogValues off = GetQuantDialogValues(f.m_Quant);
    off.m_bQuantize = false;
    EXPECT_EQ(QuantOptionsOf(off).m_nBits, -12);
    EXPECT_EQ(GetQuantDialogValues(QuantOptionsOf(off)).m_nBits, 12);
    off.m_nBits = 64;
    EXPECT_EQ(CheckQuantPage(off), "Please enter an integer between 1 and 63.");
}

TEST_F(Commands, CopyAndSwapMakeTheFilterComplex) {
    Load(doc, {1, 2});
    FirCommand::SwapIQ(doc);
    EXPECT_FALSE(doc.Filter().IsReal());
    EXPECT_EQ(TapsI(), (std::vector<double>{0, 0}));
    FirCommand::CopyQToI(doc);
    EXPECT_EQ(TapsI(), (std::vector<double>{1, 2}));
    FirCommand::Reverse(doc);
    EXPECT_EQ(TapsI(), (std::vector<double>{2, 1}));
    EXPECT_EQ((*doc.Filter().m_pQ)[0], 2.0);
}

TEST_F(Commands, ViewMenuItemsNeedComplexDataWhereTheyShowQuadrature) {
    Load(doc, {1, 2});
    int opened = 0;
    for (const SViewMenuItem& item : ViewMenuItems())
        opened += OpenMenuView(doc, item) ? 1 : 0;
    // Inphase response kinds, impulse and step, coefficients, pole-zero.
    EXPECT_EQ(opened, 5 + 2 + 1 + 1);
    EXPECT_EQ(ViewMenuItems().size(), 20u + 10u + 3u + 1u);
}

// The View menu's windows bind with the notices the project window has always sent.
TEST(ViewMenu, ItemsBindWithTheirNotices) {
    const std::pair<const char*, int> cases[] = {
        {"magnitude-inphase", 0x043},
        {"phase-complex", 0x353},
        {"group-delay-i-and-q", 0x283},
        {"phase-delay-quadrature", 0x173},
        {"unwrapped-phase-inphase", 0x063},
        {"impulse-inphase", 0x311},
        {"impulse-phase", 0x351},
        {"step-quadrature", 0x32B},
        {"step-magnitude", 0x34B},
        {"coefficients-complex", 0x331},
        {"pole-zero", 5},
    };
    for (const auto& [name, code] : cases) {
        const SViewMenuItem* item = FindViewMenuItem(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->notice.Code(), code) << name;
    }
}
