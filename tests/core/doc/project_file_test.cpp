#include "doc/project_file.h"

#include "hand_built_project.h"

#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "support/archive.h"
#include "support/file_access.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

TEST(ProjectFile, ReadsEveryVersionFromHandBuiltBytes) {
    for (int v = 3; v <= 20; ++v) {
        SCOPED_TRACE(v);
        const auto bytes = HandBuiltProject(v, kDesignLthBand);
        CArchiveReader r(bytes);
        CFirProject p;
        p.Serialize(r);
        EXPECT_TRUE(r.AtEnd());
        EXPECT_EQ(p.m_nFileVersion, v);
        EXPECT_EQ(p.m_nDesignType, kDesignLthBand);
        EXPECT_EQ(p.m_bModified, v < 20);
        EXPECT_EQ(p.m_Generate.m_nSamples, 512);
        EXPECT_EQ(p.m_Generate.m_nRateMode, v > 7 ? 0 : 1);
        EXPECT_EQ(p.m_Generate.m_nWaveform, v >= 19 ? 2 : 0);
        EXPECT_EQ(p.m_Mix.m_settings.divisor, 8.0);
        EXPECT_EQ(p.m_Scale.m_nMethod, 2);
        EXPECT_EQ(p.m_Scale.m_bRound, v >= 9 ? 1 : 0);
        EXPECT_EQ(p.m_CombFill.m_dConstant, 0.125);
        EXPECT_EQ(p.m_DataFiles.m_strPathI, v > 3 ? "/tmp/coef.txt" : "");
        EXPECT_EQ(p.m_DataFiles.m_bComplex, v > 5 ? 1 : 0);
        EXPECT_EQ(p.m_DataFiles.m_nFactor, v >= 9 ? 4 : 0);
        EXPECT_EQ(p.m_Window.m_nCode, 2);
        EXPECT_EQ(p.m_Window.m_fGamma, v >= 10 ? 55.0f : 40.0f);
        EXPECT_EQ(p.m_QuantDialog.m_nBits, v > 13 ? 12 : -16);
        EXPECT_EQ(p.m_nReservedA, 7);
        EXPECT_EQ(p.m_dReservedB, 2.5);
        EXPECT_EQ(p.m_strTitle, v > 8 ? "My Filter" : "");
    }
}

TEST(ProjectFile, WritesCurrentVersionAndRoundTrips) {
    const auto old = HandBuiltProject(12, kDesignMaxflat);
    CArchiveReader r(old);
    CFirProject p;
    p.Serialize(r);
    p.m_Filter.SetDesignType(kDesignMaxflat);
    p.m_Filter.m_pI->Add(0.25);
    p.m_Filter.m_pQ->Add(0.0);
    p.m_Filter.ResetRange();
    // the fields version 12 does not hold, as the hand-built version-20 sections have them
    p.m_Generate.m_nWaveform = 2;
    p.m_QuantDialog = QuantOptions{12, 0, 3, 0, 8, 64};

    CArchiveWriter expected;
    expected.WriteUInt16(kDesignMaxflat * 256 + 20);
    p.m_Filter.Serialize(expected, 20);
    AppendDialogSections(expected, 20);
    const auto saved = p.ToBytes();
    EXPECT_EQ(saved, expected.Bytes());

    CArchiveReader again(saved);
    CFirProject q;
    q.Serialize(again);
    EXPECT_EQ(q.ToBytes(), saved);
    EXPECT_FALSE(q.m_bModified);
    EXPECT_EQ(q.m_Filter.GetN(), 1);
}

TEST(ProjectFile, TruncatedStreamLeavesProjectUnchanged) {
    const auto bytes = HandBuiltProject(20, kDesignSimplePm);
    CFirProject p;
    p.m_strTitle = "kept";
    const auto before = p.ToBytes();
    for (size_t cut : {size_t(1), size_t(2), bytes.size() / 2, bytes.size() - 1}) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        CArchiveReader r(part);
        EXPECT_THROW(p.Serialize(r), CArchiveException) << cut;
        EXPECT_EQ(p.ToBytes(), before);
    }
}

TEST(ProjectFile, NewerVersionIsWarnedThenRead) {
    auto bytes = HandBuiltProject(20, kDesignSimplePm);
    bytes[0] = 21;
    CScriptedHost host;
    CFirProject p(&host);
    CArchiveReader r(bytes);
    p.Serialize(r);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
    EXPECT_EQ(host.messages[0].text.rfind("This Project file is for a newer version", 0), 0u);
    EXPECT_EQ(p.m_nFileVersion, 21);
}

class ProjectFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_doc_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    std::filesystem::path m_dir;
};

TEST_F(ProjectFiles, SaveThenLoadKeepsEveryField) {
    CScriptedHost host;
    CFirProject p(&host);
    p.m_Filter.SetDesignType(kDesignWinSinc);
    for (double x : {0.1, 0.5, 0.1})
        p.m_Filter.m_pI->Add(x);
    p.m_Filter.EqualizeLengths(0.0);
    p.m_Mix.m_settings.frequency = 250.0;
    p.m_nReservedA = 9;
    p.m_strTitle = "lp";
    const std::string path = Path("lp.cfp");
    ASSERT_TRUE(SaveProject(path, p, host));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1); // no temp left

    CFirProject q(&host);
    ASSERT_EQ(LoadProject(path, q, host), ELoadResult::Ok);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(q.m_nDesignType, kDesignWinSinc);
    EXPECT_EQ(q.m_Filter.m_nDesignType, kDesignWinSinc);
    EXPECT_EQ(q.m_strTitle, "lp.cfp");
    q.m_strTitle = "lp";
    EXPECT_EQ(q.ToBytes(), p.ToBytes());
}

TEST_F(ProjectFiles, FailuresAreReportedOnceAndKeepWhatWasThere) {
    CScriptedHost host;
    const std::string target = Path("keep.cfp");
    CFirProject p(&host);
    p.m_strTitle = "first";
    ASSERT_TRUE(SaveProject(target, p, host));
    std::ifstream in(target, std::ios::binary);
    const std::vector<char> original((std::istreambuf_iterator<char>(in)), {});

    // saving into a folder that does not exist fails and leaves nothing behind
    EXPECT_FALSE(SaveProject(Path("no/such/dir/x.cfp"), p, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("Cannot save the project file", 0), 0u);

    // a damaged file: one message, the project in memory is untouched
    auto bytes = HandBuiltProject(20, kDesignSimplePm);
    bytes.resize(bytes.size() / 2);
    WriteBytes(Path("cut.cfp"), bytes);
    CFirProject q(&host);
    q.m_strTitle = "untouched";
    EXPECT_EQ(LoadProject(Path("cut.cfp"), q, host), ELoadResult::Failed);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(q.m_strTitle, "untouched");

    EXPECT_EQ(LoadProject(Path("missing.cfp"), q, host), ELoadResult::Failed);
    EXPECT_EQ(host.messages.back().text, "Cannot open file \"" + Path("missing.cfp") + "\".");

    // types 8 and 9 open nothing
    WriteBytes(Path("combo.cfp"), HandBuiltProject(20, kDesignCombo));
    EXPECT_EQ(LoadProject(Path("combo.cfp"), q, host), ELoadResult::UnknownType);
    EXPECT_EQ(q.m_strTitle, "untouched");
}

TEST_F(ProjectFiles, OldExtensionsAndVersionsOpenAsTheirMethod) {
    CScriptedHost host;
    WriteBytes(Path("old.CFA"), HandBuiltProject(9, kDesignSimplePm));
    CFirProject p(&host);
    ASSERT_EQ(LoadProject(Path("old.CFA"), p, host), ELoadResult::Ok);
    EXPECT_EQ(p.m_nDesignType, kDesignAdvancedPm);
    EXPECT_TRUE(p.m_bModified);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Information);
    EXPECT_EQ(host.messages[0].text,
              "This Project file was created by a previous version of\nthe program. It will be "
              "saved in the current format.");
    EXPECT_EQ(DesignTypeOfExtension("a.cfs"), kDesignSimplePm);
    EXPECT_EQ(DesignTypeOfExtension("a.cfp"), -1);
}

// The reading limit must take every file the program writes for the longest filter, with room
// to spare: a complex filter of 16384 taps in each format that can be written, and as a project.
TEST(ProjectFile, TheReadLimitHoldsTheLargestFilesWithRoomToSpare) {
    CScriptedHost host;
    CFirProject project(&host);
    CFirData& f = project.m_Filter;
    f.SetDesignType(kDesignImport);
    constexpr int kTaps = 16384;
    for (int k = 0; k < kTaps; ++k) {
        f.m_pI->Add(-0.987654321 + 1.9 * k / kTaps);
        f.m_pQ->Add(0.876543219 - 1.7 * k / kTaps);
    }
    f.EqualizeLengths(0.0);
    f.m_bReal = 0;
    size_t largest = project.ToBytes().size();
    for (const std::string& name : WriteFormatNames()) {
        CFileFormatOpts opts;
        ASSERT_TRUE(SelectFormat(opts, name));
        // The hardware formats hold one real column of words; their own tests cover them.
        if (FindFileFormat(name)->flags & kFormatHardware)
            continue;
        opts.m_FixedPoint.m_nBits = 64;
        std::string out;
        ASSERT_EQ(WriteDataSet(f, opts, out, 0, 1, 1), 1) << name;
        largest = std::max(largest, out.size());
    }
    EXPECT_GT(largest, size_t{1} << 20); // the comparison means something
    EXPECT_LT(largest * 8, kMaxReadFileBytes);
}
