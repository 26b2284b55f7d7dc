#include "data/code_export_options.h"
#include "io/code_export.h"

#include <gtest/gtest.h>

TEST(CodeExport, CArraysByteExact) {
    COptionsC opts;
    opts.m_strName = "h";
    const double real[] = {0.5, -0.25};
    std::string out;
    WriteC(out, 2, real, nullptr, opts);
    EXPECT_EQ(out, "#define H_LENGTH 2\r\n\r\n"
                   "float h[H_LENGTH] = {\r\n"
                   "    0.500000000000f,\r\n"
                   "   -0.250000000000f\r\n"
                   "};\r\n\r\n");

    opts.m_strName = "lp";
    opts.m_strType = "double";
    opts.m_strSuffix = "";
    const double i[] = {1.0};
    const double q[] = {-1.0};
    out.clear();
    WriteC(out, 1, i, q, opts);
    EXPECT_EQ(out, "#define LP_LENGTH 1\r\n\r\n"
                   "double lp_I[LP_LENGTH] = {\r\n"
                   "    1.000000000000\r\n"
                   "};\r\n\r\n\r\n"
                   "double lp_Q[LP_LENGTH] = {\r\n"
                   "   -1.000000000000\r\n"
                   "};\r\n\r\n");
}

TEST(CodeExport, TiValueLines) {
    struct Case {
        const char* what;
        int format;
        int other, floating;
        double x;
        const char* line;
    };
    const Case cases[] = {
        {"dec all", CAsmOpts::DecimalInt, 1, 1, 0.5, "   .int  16384      ; = 04000h    0.500000"},
        {"dec max", CAsmOpts::DecimalInt, 1, 1, 1.0, "   .int  32767      ; = 07FFFh    0.999969"},
        {"dec min", CAsmOpts::DecimalInt, 1, 1, -1.0, "   .int -32768      ; = 08000h   -1.000000"},
        {"dec clipped", CAsmOpts::DecimalInt, 0, 0, -3.0, "   .int -32768"},
        {"dec float only", CAsmOpts::DecimalInt, 0, 1, 0.5, "   .int  16384      ;     0.500000"},
        {"hex all", CAsmOpts::HexInt, 1, 1, 0.5, "   .hex 04000h      ; =  16384    0.500000"},
        {"hex bare", CAsmOpts::HexInt, 0, 0, -0.5, "   .hex 0C000h"},
        {"float", CAsmOpts::Float, 1, 1, 0.5, "   .float    0.500000000"},
        {"float bare", CAsmOpts::Float, 0, 0, -0.125, "   .float   -0.125000000"},
    };
    for (const Case& c : cases) {
        CAsmOpts opts;
        opts.m_nDataFormat = c.format;
        opts.m_bShowOtherFormat = c.other;
        opts.m_bShowFloat = c.floating;
        opts.m_bShowGraph = 0;
        EXPECT_EQ(TiAsmValueLine(c.x, -1.0, 1.0, opts), c.line) << c.what;
    }
}

TEST(CodeExport, TiBarGraph) {
    CAsmOpts opts;
    opts.m_bShowOtherFormat = 0;
    opts.m_bShowFloat = 0;
    // "   .int  16384" + "      ; " + 11 blanks = 33 characters, so w = 43: 44 graph columns,
    // the value at round(43 - 43 * 1.5 / 2) = 11 and zero at round(43 - 43 / 2) = 22.
    const std::string head = "   .int  16384      ;            ";
    std::string graph(44, ' ');
    graph[11] = '*';
    graph[22] = '|';
    EXPECT_EQ(TiAsmValueLine(0.5, -1.0, 1.0, opts), head + graph);
    // The largest value at the left end, the smallest at the right; zero outside the range is
    // not drawn.
    std::string left(44, ' ');
    left[0] = '*';
    EXPECT_EQ(TiAsmValueLine(0.5, 0.25, 0.5, opts), head + left);
    // All values equal: no graph, the separators only.
    opts.m_nDataFormat = CAsmOpts::Float;
    EXPECT_EQ(TiAsmValueLine(0.5, 0.5, 0.5, opts),
              std::string("   .float    0.500000000      ; ") + std::string(11, ' '));
    opts.m_nDataFormat = CAsmOpts::DecimalInt;
    opts.m_bShowOtherFormat = 1;
    EXPECT_EQ(TiAsmValueLine(0.5, 0.5, 0.5, opts),
              std::string("   .int  16384      ; = 04000h") + std::string(11, ' '));
}

TEST(CodeExport, TiFileByteExact) {
    CAsmOpts opts;
    opts.m_strBaseName = "FIR";
    opts.m_bShowRatio = 1;
    opts.m_strRatio = std::string(1, '4');
    opts.m_bShowOtherFormat = 0;
    opts.m_bShowFloat = 0;
    opts.m_bShowGraph = 0;
    opts.m_strFinalText = "   .end";
    const double i[] = {0.5, -0.5};
    std::string out;
    WriteTiAsm(out, 2, i, nullptr, opts);
    EXPECT_EQ(out, "   .text\r\n\r\n"
                   "FIR_LENGTH   .equ   2\r\n"
                   "FIR_RATIO    .equ   4\r\n"
                   "\r\n"
                   "FIR_COEFFS:\r\n"
                   "   .int  16384\r\n"
                   "   .int -16384\r\n"
                   "   .end\r\n");

    // Complex, no base name, no ratio text, no final text.
    opts.m_strBaseName.clear();
    opts.m_strRatio.clear();
    opts.m_strFinalText.clear();
    const double q[] = {0.25, 0.0};
    out.clear();
    WriteTiAsm(out, 2, i, q, opts);
    EXPECT_EQ(out, "   .text\r\n\r\n"
                   "\r\n"
                   "\r\n"
                   "_COEFFS_I:\r\n"
                   "   .int  16384\r\n"
                   "   .int -16384\r\n"
                   "\r\n"
                   "_COEFFS_Q:\r\n"
                   "   .int   8192\r\n"
                   "   .int      0\r\n"
                   "\r\n");
}
