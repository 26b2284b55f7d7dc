#include "design/design_summary.h"
#include "design/fir_data.h"
#include "io/data_files.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace {

// A fresh folder for the files of one test, removed afterwards.
class CReportFolder {
public:
    CReportFolder() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("corvifir_report_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~CReportFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string Path(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 41-tap equiripple lowpass at 48 kHz: passband to 6 kHz, stopband from 9 kHz.
void DesignLowpass(CFirData& f) {
    f.SetDesignType(kDesignSimplePm);
    f.ApplyFs(CFs(48000.0, 0));
    ASSERT_TRUE(f.SetSimpleSpec(41, 6000.0, 1.0, 9000.0, 60.0, 0.0, 0.0, 16, 0));
    ASSERT_TRUE(f.ValidateSpecs());
    ASSERT_TRUE(f.DesignFilter("lowpass"));
    ASSERT_EQ(f.GetN(), 41);
}

} // namespace

TEST(FirReport, HtmlReportOfADesignWrapsTheCoefficientLines) {
    CScriptedHost host;
    CFirData f(&host);
    DesignLowpass(f);
    CReportFolder dir;
    const std::string path = dir.Path("lp.htm");
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatHtml;
    ASSERT_EQ(WriteDataSetFile(f, opts, path, 0, -1, 1), 1);
    const std::string text = ReadAll(path);

    const std::string head = HtmlReportHead(f, path);
    ASSERT_EQ(text.compare(0, head.size(), head), 0) << text.substr(0, 400);
    // The parts of the head a reader looks for, in the report's own words.
    EXPECT_NE(head.find("<TITLE>\r\nlp\r\n</TITLE>"), std::string::npos);
    EXPECT_NE(head.find("<IMG SRC=\"lp_spec.bmp\">"), std::string::npos);
    EXPECT_NE(head.find("<IMG SRC=\"lp_freq_rsp.bmp\">"), std::string::npos);
    EXPECT_NE(head.find("<IMG SRC=\"lp_imp_rsp.bmp\">"), std::string::npos);
    EXPECT_NE(head.find("Fs = 48000.000000 Hz\r\nNumber of taps = 41\r\nGrid Density = 16\n"),
              std::string::npos);
    EXPECT_NE(head.find("  9000.0000000000 Hz   24000.0000000000 Hz   Stopband      60.000 dB\n"),
              std::string::npos)
        << head;

    const std::string tail = HtmlReportTail();
    ASSERT_GE(text.size(), head.size() + tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // Between head and tail: one "  h[i] = value" line per coefficient, in order.
    std::istringstream body(text.substr(head.size(), text.size() - head.size() - tail.size()));
    std::string line;
    int i = 0;
    while (std::getline(body, line)) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r') << line;
        int index = -1;
        double value = 0.0;
        ASSERT_EQ(std::sscanf(line.c_str(), "  h[%d] = %lf", &index, &value), 2) << line;
        EXPECT_EQ(index, i);
        EXPECT_NEAR(value, f.m_pI->GetAt(i), 1e-17 + 1e-15 * std::abs(f.m_pI->GetAt(i)));
        ++i;
    }
    EXPECT_EQ(i, 41);
    EXPECT_TRUE(host.messages.empty());
}

TEST(FirReport, ComplexReportThroughTheExportFlowAndOtherFormatsUnchanged) {
    CScriptedHost host;
    CFirData f(&host);
    f.SetDesignType(kDesignImport);
    f.m_bReal = 0;
    for (double x : {0.25, -0.5})
        f.m_pI->Add(x);
    for (double x : {-0.125, 0.75})
        f.m_pQ->Add(x);
    CReportFolder dir;

    // The export flow reaches the filter's writer through its data-set base.
    CDataFiles files;
    files.PrepareDialog("Export Coefficients", "cx", false, false);
    files.SetPaths(dir.Path("cx.html"), "");
    files.m_FormatI.m_nFormat = kFormatHtml;
    files.m_bComplex = 1;
    ASSERT_EQ(files.RunExport(f, host), 1);
    const std::string report = ReadAll(dir.Path("cx.html"));
    const std::string expectedBody = "  h[0] =  0.250000000000000000 -  0.125000000000000000i\r\n"
                                     "  h[1] = -0.500000000000000000 +  0.750000000000000000i\r\n";
    EXPECT_EQ(report, HtmlReportHead(f, dir.Path("cx.html")) + expectedBody + HtmlReportTail());
    // An imported design has no summary: only the Fs and tap-count lines.
    EXPECT_NE(report.find("<PRE>\r\nFs = 1.000000 Hz\r\nNumber of taps = 2\r\n</PRE>"),
              std::string::npos);

    // Any other format is the plain writer's text.
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatDecimal;
    std::string plain;
    ASSERT_EQ(WriteDataSet(f, opts, plain, 0, 1, 1), 1);
    EXPECT_EQ(plain, " 0.250000000000000000 -0.125000000000000000\r\n"
                     "-0.500000000000000000  0.750000000000000000\r\n");
}

TEST(FirReport, CopiesKeepTheDesignKindThatSelectsTheSummary) {
    CFirData cic;
    cic.SetDesignType(kDesignCic);
    const CFirData copied(cic);
    CFirData assigned;
    assigned = cic;
    for (const CFirData* f : {&copied, static_cast<const CFirData*>(&assigned)}) {
        EXPECT_EQ(f->m_nKind, kKindCic);
        std::string text, method;
        GetDesignSummary(*f, text, method);
        EXPECT_EQ(method, "Cascaded Integrator Comb");
    }
}
