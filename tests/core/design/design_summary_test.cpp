#include "design/design_summary.h"

#include "design/fir_data.h"

#include <gtest/gtest.h>

TEST(DesignSummary, ParksMcClellanBandTable) {
    CFirData f;
    f.SetDesignType(kDesignAdvancedPm);
    f.m_Fs.m_dValue = 1000.0;
    f.ApplyFs(f.m_Fs);
    f.m_nGridDensity = 16;
    ASSERT_TRUE(f.AddBand(true, true, 0.0, 100.0, 0.0, 1.0, 0.0, true));        // 0 dB: passband
    ASSERT_TRUE(f.AddBand(true, true, 150.0, 200.0, -6.0206, 1.0, 0.0, true));  // half gain
    ASSERT_TRUE(f.AddBand(true, true, 250.0, 500.0, -1000.0, 60.0, 0.0, true)); // stopband
    std::string text, method;
    GetDesignSummary(f, text, method);
    EXPECT_EQ(method, "Parks-McClellan");
    const std::string header =
        "Grid Density = 16\n\nBands:\n"
        "       Lower              Upper       Desired    Attn/Ripple\n"
        "  -----------------------------------------------------------------\n";
    ASSERT_EQ(text.substr(0, header.size()), header);
    EXPECT_NE(text.find("  0.0000000000 Hz   100.0000000000 Hz   Passband       1.000 dB\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  150.0000000000 Hz   200.0000000000 Hz   -6.021 dB"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Hz   Stopband      60.000 dB\n"), std::string::npos) << text;
}

TEST(DesignSummary, OtherMethods) {
    struct Case {
        int type;
        const char* method;
        const char* text;
    };
    const Case cases[] = {
        {kDesignCic, "Cascaded Integrator Comb",
         "Number of stages,   N = 5\nRate change factor, R = 8\nDifferential Delay, M = 1\n"},
        {kDesignRaisedCos, "Raised Cosine", ""},
        {kDesignWinSinc, "Windowed Sinc", ""},
        {kDesignMaxflat, "Maxflat", "Beta = 0.200000\n"},
        {kDesignLthBand, "Lth Band", ""},
        {kDesignImport, "Unkown", ""},
    };
    for (const Case& c : cases) {
        CFirData f;
        f.SetDesignType(c.type);
        std::string text, method;
        GetDesignSummary(f, text, method);
        EXPECT_EQ(method, c.method);
        EXPECT_EQ(text, c.text);
    }
    CFirData f;
    f.SetDesignType(kDesignMaxflat);
    f.m_Maxflat.m_bGammaGiven = 1;
    std::string text, method;
    GetDesignSummary(f, text, method);
    EXPECT_EQ(text, "Gamma = 0.100000\n");
}

TEST(DesignSummary, HtmlReportOfAnImportedFilter) {
    CFirData f;
    f.SetDesignType(kDesignImport);
    for (double x : {0.25, 0.5, 0.25})
        f.m_pI->Add(x);
    f.EqualizeLengths(0.0);
    const std::string head = HtmlReportHead(f, "/some/dir/lp.htm");
    const std::string expected =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
        "<HTML>\r\n\r\n<HEAD>\r\n<TITLE>\r\nlp\r\n</TITLE>\r\n"
        "<LINK href=\"corvifir.css\" rel=\"stylesheet\" type=\"text/css\">\r\n</HEAD>\r\n\r\n"
        "<BODY>\r\n"
        "<H3>Specifications</H3>\r\n<IMG SRC=\"lp_spec.bmp\">\r\n\r\n"
        "<H3>Frequency Response</H3>\r\n<IMG SRC=\"lp_freq_rsp.bmp\">\r\n\r\n"
        "<H3>Impulse Response</H3>\r\n<IMG SRC=\"lp_imp_rsp.bmp\">\r\n\r\n"
        "<H3>Design Parameters</H3>\r\n\n<PRE>\r\n"
        "Fs = 1.000000 Hz\r\nNumber of taps = 3\r\n"
        "</PRE>\r\n\n<H3>Coefficients</H3>\r\n<PRE>\r\n";
    EXPECT_EQ(head, expected);
    EXPECT_EQ(HtmlReportTail(), "</PRE>\r\n</BODY>\r\n</HTML>");
    EXPECT_EQ(HtmlReportImagePath("/some/dir/lp.htm", kReportSpecImage), "/some/dir/lp_spec.bmp");
}
