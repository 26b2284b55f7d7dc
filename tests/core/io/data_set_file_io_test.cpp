#include "data/corvi_data.h"
#include "fixed/fixed_messages.h"
#include "hdl/hdl_export.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "io/format_state.h"
#include "io/io_messages.h"
#include "io_test_bytes.h"
#include "io_test_files.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

void Fill(CCorviData& d, const std::vector<double>& i, const std::vector<double>& q) {
    d.RemoveAll();
    for (double v : i)
        d.m_pI->Add(v);
    for (double v : q)
        d.m_pQ->Add(v);
    d.EqualizeLengths(0.0);
}

std::vector<double> Values(const CDataColumn& c) {
    return {c.begin(), c.end()};
}

} // namespace

TEST(DataSetFileIO, EveryFormatRoundTrips) {
    CTempFolder folder;
    CScriptedHost host;
    std::vector<double> i, q;
    for (int k = 0; k < 40; ++k) {
        i.push_back(std::sin(0.3 * k) * 0.9);
        q.push_back(std::cos(0.7 * k) * 0.5 - 0.25);
    }
    struct Case {
        const char* format;
        double tolerance;
    };
    const Case cases[] = {
        {"Text:Decimal", 1e-17},      {"Text:Plot", 1e-17},      {"Text:FIR", 1e-17},
        {"Text:Fract", 0.5 / 32767},  {"Text:Hex", 0.5 / 32767}, {"Text:Binary", 0.5 / 32767},
        {"Asm:ADI PM", 0.5 / 32767},  {"Binary:float", 3e-8},    {"Binary:double", 0.0},
        {"Binary:Wave", 1.5 / 32767},
    };
    for (const Case& c : cases) {
        for (bool complex : {false, true}) {
            CCorviData out(&host);
            Fill(out, i, complex ? q : std::vector<double>{});
            CFileFormatOpts opts;
            ASSERT_TRUE(SelectFormat(opts, c.format));
            opts.m_WavFmt.m_nSampleSize = 1;
            const std::string path = folder.Path("data");
            ASSERT_EQ(WriteDataSetFile(out, opts, path, 0, complex ? 1 : -1, 1), 1) << c.format;

            CCorviData in(&host);
            CFileFormatOpts readOpts;
            ASSERT_TRUE(SelectFormat(readOpts, c.format));
            ASSERT_TRUE(ReadDataSetFile(in, readOpts, path, 0, complex ? 1 : -1)) << c.format;
            const auto gotI = Values(*in.m_pI);
            ASSERT_EQ(gotI.size(), i.size()) << c.format;
            for (size_t k = 0; k < i.size(); ++k) {
                EXPECT_NEAR(gotI[k], i[k], c.tolerance) << c.format << " " << k;
                if (complex) {
                    EXPECT_NEAR(in.m_pQ->GetAt(static_cast<int>(k)), q[k], c.tolerance)
                        << c.format << " " << k;
                }
            }
        }
    }
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    EXPECT_TRUE(host.questions.empty());
}

TEST(DataSetFileIO, OpeningFiles) {
    CTempFolder folder;
    CScriptedHost host;
    CCorviData d(&host);
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatDecimal;
    EXPECT_FALSE(ReadDataSetFile(d, opts, "", 0, -1));
    const std::string missing = folder.Path("missing.txt");
    EXPECT_FALSE(ReadDataSetFile(d, opts, missing, 0, -1));
    EXPECT_TRUE(host.messages.empty());
    d.m_File.m_bReportOpenErrors = 1;
    EXPECT_FALSE(ReadDataSetFile(d, opts, missing, 0, -1));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Cannot open file \"" + missing + "\".");
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);

    // A name that begins with "." is taken in the folder of the data set's path.
    WriteText(folder.Path("near.txt"), "0.5\n0.25\n");
    d.m_File.m_strPath = folder.Path("project.cfp");
    EXPECT_TRUE(ReadDataSetFile(d, opts, "./near.txt", 0, -1));
    EXPECT_EQ(Values(*d.m_pI), (std::vector<double>{0.5, 0.25}));
    EXPECT_EQ(WriteDataSetFile(d, opts, "", 0, -1, 1), 1); // nothing to write to
    d.EqualizeLengths(0.0);
    EXPECT_EQ(WriteDataSetFile(d, opts, "./copy.txt", 0, -1, 1), 1);
    EXPECT_EQ(ReadText(folder.Path("copy.txt")),
              " 0.500000000000000000\r\n 0.250000000000000000\r\n");

    host.messages.clear();
    EXPECT_EQ(WriteDataSetFile(d, opts, folder.Path("no/such/folder.txt"), 0, -1, 1), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
}

TEST(DataSetFileIO, RefusedWritesLeaveTheFileAlone) {
    CTempFolder folder;
    CScriptedHost host;
    CCorviData d(&host);
    Fill(d, {1.5, 0.5, 0.25}, {});
    const std::string path = folder.Path("old.hex");
    WriteText(path, "previous");
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatHex;
    host.QueueAnswer(EAnswer::No);
    EXPECT_EQ(WriteDataSetFile(d, opts, path, 0, -1, 1), 0);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(WriteDataSetFile(d, opts, path, 0, -1, 2), 0); // 2 does not divide 3
    EXPECT_EQ(host.LastMessage(),
              "The number of points (3) is not a multiple of the interleave factor (2).");
    EXPECT_EQ(ReadText(path), "previous");
}

TEST(DataSetFileIO, CodeExportFollowsTheIndexStep) {
    CScriptedHost host;
    CCorviData d(&host);
    Fill(d, {0.0, 0.25, 0.5, 0.75}, {});
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatC;
    opts.m_OptionsC.m_strName = "h";
    std::string out;
    ASSERT_EQ(WriteDataSet(d, opts, out, 0, -1, -2), 1);
    EXPECT_NE(out.find("    0.500000000000f,\r\n    0.000000000000f,\r\n"
                       "    0.750000000000f,\r\n    0.250000000000f\r\n"),
              std::string::npos)
        << out;
    out.clear();
    EXPECT_EQ(WriteDataSet(d, opts, out, 0, -1, 3), 0);
    EXPECT_TRUE(out.empty());
}

// The Verilog export holds the taps of a real filter in index order: an interleave or a
// complex filter is refused, in a file or elsewhere, and nothing is written.
TEST(DataSetFileIO, VerilogRefusesInterleaveAndComplexFilters) {
    struct Case {
        std::vector<double> q;
        int step;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, kMsgHdlNoInterleave},
        {{}, -2, kMsgHdlNoInterleave},
        {{0.5, 0.0, 0.25, 0.0}, 1, kMsgFixedNeedsRealFilter},
    };
    for (const Case& c : cases) {
        CTempFolder folder;
        CScriptedHost host;
        CCorviData d(&host);
        Fill(d, {0.25, 0.5, 0.5, 0.25}, c.q);
        CFileFormatOpts opts;
        opts.m_nFormat = kFormatVerilog;
        const int columnB = c.q.empty() ? -1 : 1;
        std::string out;
        EXPECT_EQ(WriteDataSet(d, opts, out, 0, columnB, c.step), 0);
        EXPECT_TRUE(out.empty());
        EXPECT_EQ(host.LastMessage(), c.message);
        EXPECT_EQ(WriteDataSetFile(d, opts, folder.Path("f.v"), 0, columnB, c.step), 0);
        EXPECT_EQ(host.LastMessage(), c.message);
        EXPECT_TRUE(std::filesystem::is_empty(folder.Dir())) << c.message;
    }
}

TEST(DataSetFileIO, WaveFileGivesItsOwnRate) {
    CTempFolder folder;
    CScriptedHost host;
    CCorviData d(&host);
    CBytes wav = WaveHeader46(1, 48000, 16, 4);
    wav.U16(0x4000).U16(0xC000);
    WriteText(folder.Path("a.wav"), wav.Str());
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatWave;
    double fs = 0;
    ASSERT_TRUE(ReadDataSetFile(d, opts, folder.Path("a.wav"), 0, -1));
    EXPECT_EQ(opts.m_nFormat, kFormatWave16);
    ASSERT_TRUE(GetWaveFs(opts, fs));
    EXPECT_DOUBLE_EQ(fs, 48.0);
    EXPECT_EQ(opts.m_WavFmt.m_nSampleRate, 2); // the writer's choice stays one of three

    // A written file holds, and reports, the writer's rate.
    opts.m_WavFmt.m_nSampleRate = 1;
    std::string out;
    ASSERT_EQ(WriteDataSet(d, opts, out, 0, -1, 1), 1);
    ASSERT_TRUE(GetWaveFs(opts, fs));
    EXPECT_DOUBLE_EQ(fs, 22.05);

    CFileFormatOpts fresh;
    fresh.m_nFormat = kFormatWave;
    ASSERT_TRUE(GetWaveFs(fresh, fs));
    EXPECT_DOUBLE_EQ(fs, 11.025);
    fresh.m_nFormat = kFormatDecimal;
    EXPECT_FALSE(GetWaveFs(fresh, fs));

    // A refused header leaves the columns as they were.
    WriteText(folder.Path("bad.wav"), "RIFF");
    EXPECT_FALSE(ReadDataSetFile(d, opts, folder.Path("bad.wav"), 0, -1));
    EXPECT_EQ(d.m_pI->GetSize(), 2);
    EXPECT_EQ(host.LastMessage(), kMsgInvalidHeader);
}

TEST(DataSetFileIO, OptionsOfTheFormat) {
    CScriptedHost host;
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatHex;
    EXPECT_TRUE(CheckHasOptions(opts, host));
    EXPECT_FALSE(SelectFormat(opts, "Text:Nothing"));
    EXPECT_EQ(opts.m_nFormat, kFormatHex);
    ASSERT_TRUE(SelectFormat(opts, "Asm:ADI PM"));
    EXPECT_FALSE(CheckHasOptions(opts, host));
    EXPECT_EQ(host.LastMessage(), "This file format does not\nhave any options.");
}
