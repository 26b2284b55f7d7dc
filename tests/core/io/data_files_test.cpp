#include "data/corvi_data.h"
#include "io/data_files.h"
#include "io/file_formats.h"
#include "io/io_messages.h"
#include "io_test_bytes.h"
#include "io_test_files.h"
#include "support/archive.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

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

// A dialog that is accepted at once, counting its runs.
CDataFiles::FRunDialog AcceptDialog(int& runs) {
    return [&runs](CDataFiles&) {
        ++runs;
        return true;
    };
}

} // namespace

TEST(DataFiles, ArchiveByVersion) {
    CDataFiles files;
    files.SetPaths("C:\\filters\\lp.txt", "/tmp/q.hex");
    files.m_bComplex = 1;
    files.m_nInterleave = CDataFiles::Reverse;
    files.m_nFactor = 4;
    files.m_FormatQ.m_nFormat = kFormatHex;
    files.m_FormatQ.m_FixedPoint.m_nBits = 12;

    CArchiveWriter w;
    files.Serialize(w, 16);
    CArchiveWriter expected;
    expected.WriteString("C:\\filters\\lp.txt");
    expected.WriteString("/tmp/q.hex");
    expected.WriteInt16(1);
    expected.WriteInt32(2);
    expected.WriteInt32(4);
    files.m_FormatI.Serialize(expected, 16);
    files.m_FormatQ.Serialize(expected, 16);
    EXPECT_EQ(w.Bytes(), expected.Bytes());

    CDataFiles loaded;
    CArchiveReader r(w.Bytes());
    loaded.Serialize(r, 16);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(loaded.m_strNameI, "lp.txt");
    EXPECT_EQ(loaded.m_strNameQ, "q.hex");
    EXPECT_EQ(loaded.m_bComplex, 1);
    EXPECT_EQ(loaded.m_nInterleave, 2);
    EXPECT_EQ(loaded.m_nFactor, 4);
    EXPECT_EQ(loaded.m_FormatQ, files.m_FormatQ);

    // Version 5 has neither the complex flag nor the interleave fields; 8 has no interleave.
    for (int version : {5, 8}) {
        CArchiveWriter old;
        old.WriteString("a.txt");
        old.WriteString("");
        if (version > 5)
            old.WriteInt16(1);
        files.m_FormatI.Serialize(old, version);
        files.m_FormatQ.Serialize(old, version);
        CDataFiles f;
        CArchiveReader ro(old.Bytes());
        f.Serialize(ro, version);
        EXPECT_TRUE(ro.AtEnd()) << version;
        EXPECT_EQ(f.m_strNameI, "a.txt");
        EXPECT_EQ(f.m_bComplex, version > 5 ? 1 : 0);
        EXPECT_EQ(f.m_nInterleave, 0);
        EXPECT_EQ(f.m_FormatQ.m_nFormat, kFormatHex);
    }

    // A short stream changes nothing.
    const std::vector<uint8_t> all = w.Bytes();
    for (size_t cut : {size_t{0}, size_t{5}, all.size() - 1}) {
        CDataFiles f;
        CArchiveReader rc(all.data(), cut);
        EXPECT_THROW(f.Serialize(rc, 16), CArchiveException) << cut;
        EXPECT_EQ(f.m_strPathI, "");
        EXPECT_EQ(f.m_FormatI.m_nFormat, kFormatDecimal);
    }
}

TEST(DataFiles, DialogSettings) {
    CDataFiles files;
    EXPECT_EQ(files.m_FormatI.m_nFormat, kFormatDecimal);
    files.PrepareDialog("Export Coefficients", "lowpass.v2.cfp", false, true);
    EXPECT_EQ(files.DialogTitle(), "Export Coefficients lowpass.v2.cfp");
    EXPECT_EQ(files.m_FormatI.m_AsmOpts.m_strBaseName, "lowpass_v2_cfp");
    EXPECT_EQ(files.m_FormatQ.m_OptionsC.m_strName, "lowpass_v2_cfp");

    files.m_strPathI = "/data/old.txt";
    files.ApplyDialog("  new.hex ", "Text:Hex", "", "No such format");
    EXPECT_EQ(files.m_strPathI, "/data/new.hex");
    EXPECT_EQ(files.m_strNameI, "new.hex");
    EXPECT_EQ(files.m_strPathQ, "");
    EXPECT_EQ(files.m_FormatI.m_nFormat, kFormatHex);
    EXPECT_EQ(files.m_FormatQ.m_nFormat, kFormatDecimal);
    files.ApplyDialog("/other/x.txt", "Text:Decimal", "", "");
    EXPECT_EQ(files.m_strPathI, "/other/x.txt");
    EXPECT_EQ(files.m_strNameI, "x.txt");

    files.SetWordLength(20);
    EXPECT_EQ(files.m_FormatI.m_FixedPoint.m_nBits, 20);
    EXPECT_EQ(files.m_FormatQ.m_FixedPoint.m_nBits, 20);

    struct Case {
        bool import, real;
        int complex, interleave, formatI, formatQ;
        SDataFilesControls c;
    };
    const Case cases[] = {
        {true, true, 0, 0, kFormatHex, kFormatWave, {true, true, true, true, false, false}},
        {true, true, 1, 0, kFormatDecimal, kFormatHex, {false, true, false, false, false, false}},
        {false, true, 0, 1, kFormatC, kFormatHex, {true, false, false, false, true, true}},
        {false, false, 0, 0, kFormatDecimal, kFormatHex, {false, true, true, true, true, false}},
        {false, false, 1, 2, kFormatTiAsm, kFormatHex, {true, true, false, false, true, true}},
    };
    for (const Case& t : cases) {
        files.PrepareDialog("t", "d", t.import, t.real);
        files.m_bComplex = t.complex;
        files.m_nInterleave = t.interleave;
        files.m_FormatI.m_nFormat = t.formatI;
        files.m_FormatQ.m_nFormat = t.formatQ;
        const SDataFilesControls c = files.GetControls();
        const size_t row = static_cast<size_t>(&t - cases);
        EXPECT_EQ(c.inphaseOptions, t.c.inphaseOptions) << row;
        EXPECT_EQ(c.complex, t.c.complex) << row;
        EXPECT_EQ(c.quadrature, t.c.quadrature) << row;
        EXPECT_EQ(c.quadratureOptions, t.c.quadratureOptions) << row;
        EXPECT_EQ(c.interleaveVisible, t.c.interleaveVisible) << row;
        EXPECT_EQ(c.factor, t.c.factor) << row;
    }
}

TEST(DataFiles, ImportFlow) {
    CTempFolder folder;
    WriteText(folder.Path("i.txt"), "1\n2\n3\n");
    WriteText(folder.Path("q.txt"), "0.5\n0.25\n");
    WriteText(folder.Path("words.txt"), "none here\n");
    CBytes mono = WaveHeader46(1, 22050, 8, 2);
    mono.U8(0xC0).U8(0x40);
    WriteText(folder.Path("mono.wav"), mono.Str());
    int runs = 0;

    {
        // Only a quadrature file: I becomes zeros of its length.
        CScriptedHost host;
        CCorviData d(&host);
        Fill(d, {9, 9, 9, 9, 9}, {});
        CDataFiles files;
        files.SetPaths("", folder.Path("q.txt"));
        EXPECT_EQ(files.Import("Import Coefficients", d, "doc", host, AcceptDialog(runs)), 1);
        EXPECT_EQ(Values(*d.m_pI), (std::vector<double>{0, 0}));
        EXPECT_EQ(Values(*d.m_pQ), (std::vector<double>{0.5, 0.25}));
        EXPECT_FALSE(d.IsReal());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(host.WaitDepth(), 0);
    }
    {
        // Two files of different lengths: the shorter is padded with zeros.
        CScriptedHost host;
        CCorviData d(&host);
        CDataFiles files;
        files.SetPaths(folder.Path("i.txt"), " ");
        files.m_strNameQ = "q.txt";
        files.m_strPathQ = folder.Path("q.txt");
        EXPECT_EQ(files.Import("t", d, "doc", host, AcceptDialog(runs)), 1);
        EXPECT_EQ(Values(*d.m_pI), (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(Values(*d.m_pQ), (std::vector<double>{0.5, 0.25, 0}));
    }
    {
        // Complex from a one-channel WAVE file: the warning, then real data.
        CScriptedHost host;
        CCorviData d(&host);
        CDataFiles files;
        files.SetPaths(folder.Path("mono.wav"), "");
        files.m_bComplex = 1;
        files.m_FormatI.m_nFormat = kFormatWave;
        EXPECT_EQ(files.Import("t", d, "doc", host, AcceptDialog(runs)), 1);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, kMsgOneChannelOnly);
        EXPECT_EQ(Values(*d.m_pI), (std::vector<double>{0.5, -0.5}));
        EXPECT_TRUE(d.IsReal());
        EXPECT_EQ(files.m_FormatI.m_nFormat, kFormatWave8);
    }
    struct Refusal {
        const char* what;
        std::string pathI, pathQ;
        std::string message;
    };
    const Refusal refusals[] = {
        {"no names", "", "", kMsgNoInputFiles},
        {"missing", folder.Path("none.txt"), "",
         "File \"" + folder.Path("none.txt") +
             "\" does not exist or is in use by another process."},
        {"missing Q", folder.Path("i.txt"), folder.Path("none.txt"),
         "File \"" + folder.Path("none.txt") +
             "\" does not exist or is in use by another process."},
        {"no data", folder.Path("words.txt"), "", kMsgBadFormatOrNoData},
    };
    for (const Refusal& t : refusals) {
        CScriptedHost host;
        CCorviData d(&host);
        Fill(d, {1, 2}, {});
        CDataFiles files;
        files.SetPaths(t.pathI, t.pathQ);
        EXPECT_EQ(files.Import("t", d, "doc", host, AcceptDialog(runs)), 0) << t.what;
        ASSERT_EQ(host.messages.size(), 1u) << t.what;
        EXPECT_EQ(host.messages[0].text, t.message) << t.what;
        EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop) << t.what;
    }
    {
        // A failed inphase read stops before the quadrature file.
        CScriptedHost host;
        CCorviData d(&host);
        CDataFiles files;
        files.SetPaths(folder.Path("words.txt"), folder.Path("q.txt"));
        EXPECT_EQ(files.Import("t", d, "doc", host, AcceptDialog(runs)), 0);
        EXPECT_EQ(host.LastMessage(), kMsgBadFormatOrNoData);
    }
    {
        CScriptedHost host;
        CCorviData d(&host);
        Fill(d, {1, 2}, {});
        CDataFiles files;
        files.SetPaths(folder.Path("i.txt"), "");
        EXPECT_EQ(files.Import("t", d, "doc", host, [](CDataFiles&) { return false; }), 0);
        EXPECT_EQ(d.GetN(), 2); // cancelled: nothing read, nothing cleared
    }
}

TEST(DataFiles, ExportChecks) {
    struct Case {
        const char* nameI;
        const char* nameQ;
        int complex, real, interleave, factor, n;
        std::string message;
    };
    const Case cases[] = {
        {"", "", 1, 0, 0, 0, 4, kMsgSpecifyComplexName},
        {"", "", 0, 1, 0, 0, 4, kMsgSpecifyInphaseName},
        {"", "q", 0, 0, 0, 0, 4, kMsgSpecifyInphaseName},
        {" ", "", 0, 0, 0, 0, 4, kMsgSpecifyBothNames},
        {"i", "", 0, 0, 0, 0, 4, kMsgDataIsComplex},
        {"i", "", 0, 1, 1, 1, 4, kMsgInterleaveTooSmall},
        {"i", "", 1, 0, 2, -3, 4, kMsgInterleaveTooSmall},
        {"i", "", 0, 1, 1, 3, 4,
         "The number of points (4) is not a multiple of the interleave factor (3)."},
        {"i", "", 0, 1, 1, 2, 4, ""},
        {"i", "q", 0, 0, 0, 1, 4, ""},
    };
    for (const Case& c : cases) {
        CDataFiles files;
        files.m_strNameI = c.nameI;
        files.m_strNameQ = c.nameQ;
        files.m_bComplex = c.complex;
        files.m_bReal = c.real;
        files.m_nInterleave = c.interleave;
        files.m_nFactor = c.factor;
        std::string text;
        EXPECT_EQ(files.CheckExport(c.n, text), c.message.empty()) << c.message;
        EXPECT_EQ(text, c.message);
    }
}

TEST(DataFiles, ExportFlow) {
    CTempFolder folder;
    CScriptedHost host;
    CCorviData d(&host);
    Fill(d, {0.5, 0.25, -0.5, -0.25}, {1, 2, 3, 4});

    // The dialog reopens until the checks pass; the check is shown as a question.
    CDataFiles files;
    files.SetPaths(folder.Path("i.txt"), folder.Path("q.txt"));
    files.m_nInterleave = CDataFiles::Forward;
    files.m_nFactor = 1;
    int runs = 0;
    auto dialog = [&runs](CDataFiles& f) {
        if (++runs == 2)
            f.m_nFactor = 2;
        return true;
    };
    EXPECT_EQ(files.Export("Export Coefficients", d, "doc", host, dialog), 1);
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgInterleaveTooSmall);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Question);
    EXPECT_EQ(ReadText(folder.Path("i.txt")), " 0.500000000000000000\r\n-0.500000000000000000\r\n"
                                              " 0.250000000000000000\r\n-0.250000000000000000\r\n");
    EXPECT_EQ(ReadText(folder.Path("q.txt")), " 1.000000000000000000\r\n 3.000000000000000000\r\n"
                                              " 2.000000000000000000\r\n 4.000000000000000000\r\n");
    EXPECT_EQ(files.m_writtenFiles,
              (std::vector<std::string>{folder.Path("i.txt"), folder.Path("q.txt")}));
    EXPECT_EQ(host.WaitDepth(), 0);

    // One complex file, reverse interleave.
    files.m_bComplex = 1;
    files.m_nInterleave = CDataFiles::Reverse;
    files.SetPaths(folder.Path("c.txt"), folder.Path("q.txt"));
    files.m_FormatI.m_nFormat = kFormatHex;
    WriteText(folder.Path("q.txt"), "keep");
    host.QueueAnswer(EAnswer::Yes); // Q goes beyond 1
    EXPECT_EQ(files.Export("t", d, "doc", host, AcceptDialog(runs)), 1);
    EXPECT_EQ(ReadText(folder.Path("c.txt")),
              "C000 7FFD\r\n4000 7FFF\r\nE000 FFFC\r\n2000 FFFE\r\n");
    EXPECT_EQ(ReadText(folder.Path("q.txt")), "keep");
    EXPECT_EQ(files.m_writtenFiles, std::vector<std::string>{folder.Path("c.txt")});

    // Real data: a quadrature name left from before is not written.
    CCorviData real(&host);
    Fill(real, {0.5, 0.25}, {});
    files.m_bComplex = 0;
    files.m_nInterleave = CDataFiles::None;
    files.m_FormatI.m_nFormat = kFormatDecimal;
    files.SetPaths(folder.Path("r.txt"), folder.Path("q.txt"));
    EXPECT_EQ(files.Export("t", real, "doc", host, AcceptDialog(runs)), 1);
    EXPECT_EQ(ReadText(folder.Path("q.txt")), "keep");
    EXPECT_EQ(files.m_writtenFiles, std::vector<std::string>{folder.Path("r.txt")});

    // Cancelled, or the only write declined.
    EXPECT_EQ(files.Export("t", real, "doc", host, [](CDataFiles&) { return false; }), 0);
    Fill(real, {2.0}, {});
    files.m_FormatI.m_nFormat = kFormatFract;
    host.QueueAnswer(EAnswer::No);
    EXPECT_EQ(files.Export("t", real, "doc", host, AcceptDialog(runs)), 0);
    EXPECT_TRUE(files.m_writtenFiles.empty());
}
