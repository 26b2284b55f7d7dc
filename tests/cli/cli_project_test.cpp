#include "cli.h"
#include "cli_plot_render.h"
#include "cli_test_util.h"
#include "doc/project_file.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

int CountLines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::vector<double> ParseNumbers(const std::string& text) {
    std::istringstream is(text);
    std::vector<double> v;
    double x = 0.0;
    while (is >> x)
        v.push_back(x);
    return v;
}

// A small JSON reader: the whole text must be one valid value (RFC 8259 grammar), so a test
// both checks that the output is JSON and reads its fields.
struct JValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    double num = 0.0;
    std::string str;
    std::vector<JValue> items;
    std::map<std::string, JValue> fields;

    const JValue& operator[](const std::string& key) const {
        static const JValue missing;
        const auto it = fields.find(key);
        return it == fields.end() ? missing : it->second;
    }
    bool Has(const std::string& key) const { return fields.count(key) != 0; }
};

class CJsonReader {
public:
    explicit CJsonReader(const std::string& text) : m_text(text) {}

    bool Parse(JValue& v) {
        SkipSpace();
        if (!Value(v))
            return false;
        SkipSpace();
        return m_pos == m_text.size();
    }

private:
    void SkipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\t'))
            ++m_pos;
    }
    bool Literal(const char* word) {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0)
            return false;
        m_pos += w.size();
        return true;
    }
    bool Value(JValue& v) {
        if (m_pos >= m_text.size())
            return false;
        const char c = m_text[m_pos];
        if (c == '{')
            return ObjectValue(v);
        if (c == '[')
            return ArrayValue(v);
        if (c == '"') {
            v.kind = JValue::String;
            return StringValue(v.str);
        }
        if (Literal("true")) {
            v.kind = JValue::Bool;
            v.b = true;
            return true;
        }
        if (Literal("false")) {
            v.kind = JValue::Bool;
            return true;
        }
        if (Literal("null"))
            return true;
        return NumberValue(v);
    }
    bool NumberValue(JValue& v) {
        const size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        if (m_pos >= m_text.size() || !std::isdigit(static_cast<unsigned char>(m_text[m_pos])))
            return false;
        if (m_text[m_pos] == '0')
            ++m_pos;
        else
            Digits();
        if (m_pos < m_text.size() && m_text[m_pos] == '.') {
            ++m_pos;
            if (!Digits())
                return false;
        }
        if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
            ++m_pos;
            if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-'))
                ++m_pos;
            if (!Digits())
                return false;
        }
        v.kind = JValue::Number;
        v.num = std::strtod(m_text.substr(start, m_pos - start).c_str(), nullptr);
        return true;
    }
    bool Digits() {
        const size_t start = m_pos;
        while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        return m_pos > start;
    }
    bool StringValue(std::string& s) {
        ++m_pos; // opening quote
        while (m_pos < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c != '\\') {
                s += static_cast<char>(c);
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const char e = m_text[m_pos++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                s += e;
                break;
            case 'n':
                s += '\n';
                break;
            case 'r':
                s += '\r';
                break;
            case 't':
                s += '\t';
                break;
            case 'b':
                s += '\b';
                break;
            case 'f':
                s += '\f';
                break;
            case 'u': {
                if (m_pos + 4 > m_text.size())
                    return false;
                const long code = std::strtol(m_text.substr(m_pos, 4).c_str(), nullptr, 16);
                if (code >= 0x80)
                    return false; // not needed here
                s += static_cast<char>(code);
                m_pos += 4;
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }
    bool ArrayValue(JValue& v) {
        v.kind = JValue::Array;
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            SkipSpace();
            JValue item;
            if (!Value(item))
                return false;
            v.items.push_back(std::move(item));
            SkipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == ']')
                return true;
            if (c != ',')
                return false;
        }
    }
    bool ObjectValue(JValue& v) {
        v.kind = JValue::Object;
        ++m_pos;
        SkipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            SkipSpace();
            std::string key;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !StringValue(key))
                return false;
            SkipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos++] != ':')
                return false;
            SkipSpace();
            JValue item;
            if (!Value(item) || v.fields.count(key))
                return false;
            v.fields.emplace(key, std::move(item));
            SkipSpace();
            if (m_pos >= m_text.size())
                return false;
            const char c = m_text[m_pos++];
            if (c == '}')
                return true;
            if (c != ',')
                return false;
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

JValue ParseJson(const std::string& text) {
    JValue v;
    EXPECT_TRUE(CJsonReader(text).Parse(v)) << "not valid JSON:\n" << text;
    return v;
}

// The files of one test in a fresh folder, removed afterwards; the 48 kHz lowpass designed into
// lp.cfp on first use.
class CliProject : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_cliproject_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    // Passband 0..6 kHz with 1 dB ripple, stopband from 9 kHz with 60 dB, 41 taps.
    Result DesignLowpass(const std::string& project) {
        return RunCommand({"design", "simple-pm", "--fs", "48000", "--type", "lowpass", "--edge1",
                           "6000", "--edge2", "9000", "--ripple", "1", "--atten", "60", "--taps",
                           "41", "-p", Path(project)});
    }

    // An imported project of the given values (Text:Decimal through the import command).
    void ImportValues(const std::vector<double>& values, const std::string& project) {
        std::string text;
        for (double v : values)
            text += StrPrintf("%.17g\n", v);
        WriteAll(Path(project + ".txt"), text);
        const Result r = RunCommand(
            {"import", Path(project + ".txt"), "--format", "Text:Decimal", "-o", Path(project)});
        ASSERT_EQ(r.status, kExitOk) << r.err;
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CliProject, DesignShowExportImportRoundTrip) {
    const Result design = DesignLowpass("lp.cfp");
    ASSERT_EQ(design.status, kExitOk) << design.err;
    const std::vector<double> h = ParseNumbers(design.out);
    ASSERT_EQ(h.size(), 41u);

    const Result show = RunCommand({"show", Path("lp.cfp")});
    ASSERT_EQ(show.status, kExitOk) << show.err;
    EXPECT_TRUE(show.err.empty()) << show.err;
    for (const char* part : {"method: Simple PM (Parks-McClellan)\n", "fs: 48000 Hz\n",
                             "taps: 41 real, next design 41\n", "Grid Density = 16\n",
                             "margin: ", "band 2: 9000 - 24000 stop attenuation "})
        EXPECT_TRUE(Contains(show.out, part)) << part << "\n" << show.out;

    // 12-bit two's complement hexadecimal, three digits a line, computed here by hand.
    const std::string hex = Path("lp.hex");
    const Result exported =
        RunCommand({"export", Path("lp.cfp"), "--format", "Text:Hex", "-o", hex, "--bits", "12"});
    ASSERT_EQ(exported.status, kExitOk) << exported.err;
    std::string expected;
    for (double x : h) {
        const long long word = std::llround(x * 2047.0);
        expected += StrPrintf("%03llX\r\n", static_cast<unsigned long long>(word) & 0xFFFull);
    }
    EXPECT_EQ(ReadAll(hex), expected);

    const Result imported = RunCommand({"import", hex, "--format", "Text:Hex", "--bits", "12",
                                        "--fs", "48", "--fs-unit", "kHz", "-o", Path("back.cfp")});
    ASSERT_EQ(imported.status, kExitOk) << imported.err;
    const JValue back = ParseJson(RunCommand({"show", Path("back.cfp"), "--json"}).out);
    EXPECT_EQ(back["designType"].num, 4.0);
    EXPECT_EQ(back["method"].str, "Import");
    EXPECT_EQ(back["fs"].num, 48.0);
    EXPECT_EQ(back["fsUnit"].str, "kHz");
    EXPECT_EQ(back["taps"].num, 41.0);
    EXPECT_TRUE(back["real"].b);
    EXPECT_EQ(back["margin"].kind, JValue::Null);
    const JValue& i = back["coefficients"]["i"];
    ASSERT_EQ(i.items.size(), h.size());
    for (size_t k = 0; k < h.size(); ++k) {
        // Agrees to the word length: exactly the 12-bit value of the original.
        EXPECT_NEAR(i.items[k].num, h[k], 0.5 / 2047.0 + 1e-15);
        EXPECT_NEAR(i.items[k].num, static_cast<double>(std::llround(h[k] * 2047.0)) / 2047.0,
                    1e-15);
    }
}

TEST_F(CliProject, ShowJsonHoldsTheProjectInFullPrecision) {
    const Result design = DesignLowpass("lp.cfp");
    ASSERT_EQ(design.status, kExitOk) << design.err;
    const std::vector<double> h = ParseNumbers(design.out);
    // A file name with characters JSON must escape.
    const std::string odd = Path("say \"lp\" tab\t.cfp");
    std::filesystem::copy_file(Path("lp.cfp"), odd);

    const Result r = RunCommand({"show", odd, "--json"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const JValue j = ParseJson(r.out);
    ASSERT_EQ(j.kind, JValue::Object);
    EXPECT_EQ(j["title"].str, "say \"lp\" tab\t.cfp");
    EXPECT_EQ(j["designType"].num, 0.0);
    EXPECT_EQ(j["method"].str, "Simple PM");
    EXPECT_EQ(j["fs"].num, 48000.0);
    EXPECT_EQ(j["fsUnit"].str, "Hz");
    EXPECT_EQ(j["taps"].num, 41.0);
    EXPECT_TRUE(j["real"].b);
    ASSERT_EQ(j["margin"].kind, JValue::Number);
    EXPECT_GE(j["margin"].num, 0.0); // the design command's status said it meets the spec
    const JValue& i = j["coefficients"]["i"];
    const JValue& q = j["coefficients"]["q"];
    ASSERT_EQ(i.items.size(), 41u);
    ASSERT_EQ(q.items.size(), 41u);
    for (size_t k = 0; k < h.size(); ++k) {
        EXPECT_NEAR(i.items[k].num, h[k], 1e-17);       // stdout has 18 decimals
        EXPECT_EQ(i.items[k].num, i.items[40 - k].num); // linear phase, exactly
        EXPECT_EQ(q.items[k].num, 0.0);
    }
    struct Band {
        double lower, upper, desired, attn;
    };
    const Band bands[] = {{0, 6000, 0, 1}, {9000, 24000, -1000, 60}};
    const JValue& b = j["bands"];
    ASSERT_EQ(b.items.size(), 2u);
    double smallest = 1e9;
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_NEAR(b.items[k]["lower"].num, bands[k].lower, 1e-9);
        EXPECT_NEAR(b.items[k]["upper"].num, bands[k].upper, 1e-9);
        EXPECT_NEAR(b.items[k]["desired"].num, bands[k].desired, 1e-9);
        EXPECT_NEAR(b.items[k]["attn"].num, bands[k].attn, 1e-9);
        smallest = std::min(smallest, b.items[k]["margin"].num);
    }
    EXPECT_EQ(j["margin"].num, smallest);
}

TEST_F(CliProject, HtmlReportHasTheDesignAndItsPictures) {
    ASSERT_EQ(DesignLowpass("lp.cfp").status, kExitOk);
    const std::string report = Path("rep.htm");
    const Result r =
        RunCommand({"export", Path("lp.cfp"), "--format", "HTML:Report", "-o", report});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string text = ReadAll(report);
    EXPECT_EQ(text.rfind("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"", 0),
              0u);
    for (const char* part :
         {"<TITLE>\r\nrep\r\n</TITLE>", "<IMG SRC=\"rep_spec.bmp\">",
          "<IMG SRC=\"rep_freq_rsp.bmp\">", "<IMG SRC=\"rep_imp_rsp.bmp\">",
          "Fs = 48000.000000 Hz\r\nNumber of taps = 41\r\n", "Grid Density = 16\n", "Passband",
          "Stopband      60.000 dB\n", "  h[0] = ", "  h[40] = "})
        EXPECT_TRUE(Contains(text, part)) << part;
    EXPECT_FALSE(Contains(text, "h[41]"));
    const std::string tail = "</PRE>\r\n</BODY>\r\n</HTML>";
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // The pictures are written beside the report where the build can draw them.
    EXPECT_EQ(std::filesystem::exists(Path("rep_spec.bmp")), HasPlotPictures());
    EXPECT_EQ(std::filesystem::exists(Path("rep_freq_rsp.bmp")), HasPlotPictures());
}

// The files of one export are written whole or not at all: when one of them cannot be written
// (here a folder stands where it goes), the others keep their previous contents.
TEST_F(CliProject, AnExportThatCannotWriteEveryFileReplacesNone) {
    ASSERT_EQ(DesignLowpass("lp.cfp").status, kExitOk);
    WriteAll(Path("q.txt"), "0.25\n0.125\n");
    ASSERT_EQ(RunCommand({"import", Path("lp.cfp.txt"), "--format", "Text:Decimal",
                          "--quadrature-file", Path("q.txt"), "-o", Path("c.cfp")})
                  .status,
              kExitFailed); // no such inphase file: nothing imported
    ImportValues({0.5, 0.25}, "i");
    ASSERT_EQ(RunCommand({"import", Path("i.txt"), "--format", "Text:Decimal", "--quadrature-file",
                          Path("q.txt"), "-o", Path("c.cfp")})
                  .status,
              kExitOk);
    WriteAll(Path("out_i.txt"), "previous inphase");
    std::filesystem::create_directory(Path("out_q.txt"));
    Result r = RunCommand({"export", Path("c.cfp"), "--format", "Text:Decimal", "-o",
                           Path("out_i.txt"), "--quadrature-file", Path("out_q.txt")});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(ReadAll(Path("out_i.txt")), "previous inphase");

    if (!HasPlotPictures())
        return;
    WriteAll(Path("rep.htm"), "previous report");
    std::filesystem::create_directory(Path("rep_imp_rsp.bmp"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", Path("lp.cfp"), "--format", "HTML:Report", "-o",
                                   Path("rep.htm")},
          std::vector<std::string>{"run", Path("lp.cfp"), "-o", Path("lp2.cfp"),
                                   "export " + Path("rep.htm") + " --format HTML:Report"}}) {
        r = RunCommand(args);
        EXPECT_EQ(r.status, kExitFailed) << args[0];
        EXPECT_TRUE(Contains(r.err, "rep_imp_rsp.bmp")) << r.err;
        EXPECT_EQ(ReadAll(Path("rep.htm")), "previous report") << args[0];
        EXPECT_FALSE(std::filesystem::exists(Path("rep_spec.bmp"))) << args[0];
    }
}

TEST_F(CliProject, ExportOptionsOverflowAndInterleave) {
    ImportValues({0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 1.5}, "nine.cfp");
    const std::string out = Path("nine.txt.out");
    // 1.5 overflows a fixed-point word: not written unless --force.
    const Result refused = RunCommand(
        {"export", Path("nine.cfp"), "--format", "Text:Fract", "--bits", "8", "-o", out});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_TRUE(Contains(refused.err, "overflow")) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    const Result forced = RunCommand({"export", Path("nine.cfp"), "--format", "Text:Fract",
                                      "--bits", "8", "-o", out, "--force"});
    ASSERT_EQ(forced.status, kExitOk) << forced.err;
    EXPECT_EQ(ReadAll(out).substr(0, 10), "   0\r\n  13"); // 0.1 * 127 = 12.7 -> 13

    // Forward interleave by 3 writes the polyphase components one after another.
    const Result inter = RunCommand({"export", Path("nine.cfp"), "--format", "Text:Decimal", "-o",
                                     out, "--interleave", "forward", "--factor", "3"});
    ASSERT_EQ(inter.status, kExitOk) << inter.err;
    const std::vector<double> order = ParseNumbers(ReadAll(out));
    const std::vector<double> expected = {0.0, 0.3, 0.6, 0.1, 0.4, 0.7, 0.2, 0.5, 1.5};
    ASSERT_EQ(order.size(), expected.size());
    for (size_t k = 0; k < order.size(); ++k)
        EXPECT_NEAR(order[k], expected[k], 1e-15);

    // Text:C takes the array's name, type and suffix.
    const Result c = RunCommand({"export", Path("nine.cfp"), "--format", "Text:C", "-o", out,
                                 "--c-name", "taps9", "--c-type", "double", "--c-suffix", ""});
    ASSERT_EQ(c.status, kExitOk) << c.err;
    const std::string code = ReadAll(out);
    EXPECT_TRUE(Contains(code, "double taps9")) << code;
}

TEST_F(CliProject, DesignOfAStoredProject) {
    ASSERT_EQ(DesignLowpass("lp.cfp").status, kExitOk);
    const Result first = RunCommand({"design", Path("lp.cfp")});
    const Result again = RunCommand({"design", Path("lp.cfp"), "-p", Path("again.cfp")});
    ASSERT_EQ(again.status, kExitOk) << again.err;
    EXPECT_EQ(first.out, again.out);
    EXPECT_EQ(ParseNumbers(again.out).size(), 41u);
    EXPECT_TRUE(Contains(again.err, "margin: ")) << again.err;
    EXPECT_EQ(RunCommand({"show", Path("again.cfp")}).status, kExitOk);

    // The optimiser finds fewer taps for the same specification.
    const Result opt = RunCommand({"design", Path("lp.cfp"), "--optimize", "-p", Path("opt.cfp")});
    ASSERT_EQ(opt.status, kExitOk) << opt.err;
    const size_t optTaps = ParseNumbers(opt.out).size();
    EXPECT_LT(optTaps, 41u);
    EXPECT_EQ(ParseJson(RunCommand({"show", Path("opt.cfp"), "--json"}).out)["taps"].num,
              static_cast<double>(optTaps));

    // A CIC project saved by the design command runs its own method again: 2 stages of rate 2
    // give 1 2 1, scaled to unit gain.
    const Result cicDesign = RunCommand(
        {"design", "cic", "--stages", "2", "--rate", "2", "--delay", "1", "-p", Path("cic.cfp")});
    ASSERT_EQ(cicDesign.status, kExitOk) << cicDesign.err;
    EXPECT_EQ(ParseJson(RunCommand({"show", Path("cic.cfp"), "--json"}).out)["designType"].num,
              7.0);
    const Result cicRun = RunCommand({"design", Path("cic.cfp")});
    ASSERT_EQ(cicRun.status, kExitOk) << cicRun.err;
    const std::vector<double> cicTaps = ParseNumbers(cicRun.out);
    ASSERT_EQ(cicTaps.size(), 3u);
    EXPECT_NEAR(cicTaps[0], 0.25, 1e-15);
    EXPECT_NEAR(cicTaps[1], 0.5, 1e-15);
    EXPECT_NEAR(cicTaps[2], 0.25, 1e-15);
    EXPECT_TRUE(Contains(cicRun.err, "(Cascaded Integrator Comb)")) << cicRun.err;

    // Imported coefficients have no design to run.
    ImportValues({0.5, 0.5}, "imp.cfp");
    const Result imp = RunCommand({"design", Path("imp.cfp")});
    EXPECT_EQ(imp.status, kExitUsage);
    EXPECT_TRUE(Contains(imp.err, "Import")) << imp.err;
}

TEST_F(CliProject, ErrorsAreOneMessageAndAStatus) {
    ASSERT_EQ(DesignLowpass("lp.cfp").status, kExitOk);
    const std::string bytes = ReadAll(Path("lp.cfp"));
    WriteAll(Path("damaged.cfp"), bytes.substr(0, bytes.size() / 2));
    ImportValues({0.5, 0.5}, "imp.cfp");
    const std::string out = Path("x.txt");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"show", Path("missing.cfp")}, kExitFailed, "Cannot open file"},
        {{"show", Path("damaged.cfp")}, kExitFailed, "damaged.cfp"},
        {{"show", Path("damaged.cfp"), "--json"}, kExitFailed, "damaged.cfp"},
        {{"design", Path("damaged.cfp")}, kExitFailed, "damaged.cfp"},
        {{"export", Path("damaged.cfp"), "--format", "Text:Hex", "-o", out},
         kExitFailed,
         "damaged.cfp"},
        {{"export", Path("missing.cfp"), "--format", "Text:Hex", "-o", out},
         kExitFailed,
         "Cannot open file"},
        {{"export", Path("lp.cfp"), "--format", "Text:Nope", "-o", out}, kExitUsage, "Text:Nope"},
        {{"export", Path("lp.cfp"), "--format", "Text:Analyzer", "-o", out},
         kExitUsage,
         "cannot be written"},
        {{"export", Path("lp.cfp"), "--format", "Text:Hex"}, kExitUsage, "-o FILE"},
        {{"export", Path("lp.cfp"), "--format", "Text:Hex", "-o", out, "--bits", "65"},
         kExitUsage,
         "--bits"},
        {{"export", Path("lp.cfp"), "--format", "Text:Hex", "-o", out, "--quadrature-file",
          Path("q.txt")},
         kExitUsage,
         "real"},
        {{"export", Path("imp.cfp"), "--format", "Text:Decimal", "-o", out, "--interleave",
          "forward", "--factor", "1"},
         kExitUsage,
         "Interleave factor must be greater than 1."},
        {{"import", Path("missing.txt"), "--format", "Text:Decimal", "-o", Path("m.cfp")},
         kExitFailed,
         "missing.txt"},
        {{"import", Path("lp.cfp"), "--format", "Text:C", "-o", Path("m.cfp")},
         kExitUsage,
         "cannot be read"},
        {{"import", Path("lp.cfp"), "--format", "Text:Decimal", "-o", Path("m.cfp")},
         kExitFailed,
         "contain no data"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args)
            line += a + " ";
        SCOPED_TRACE(line);
        const Result r = RunCommand(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        if (c.status == kExitFailed) {
            EXPECT_EQ(CountLines(r.err), 1) << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(Path("m.cfp")));
}

TEST_F(CliProject, RelativePathsAreTakenFromTheWorkingFolder) {
    // A project from elsewhere remembers the folder of its data set; the command line still
    // writes and reads names relative to the working folder.
    CScriptedHost host;
    CFirProject project(&host);
    project.m_Filter.SetDesignType(kDesignImport);
    for (double x : {0.25, 0.5, 0.25})
        project.m_Filter.m_pI->Add(x);
    project.m_Filter.EqualizeLengths(0.0);
    project.m_Filter.m_File.m_strPath = "/nonexistent/folder/data.txt";
    ASSERT_TRUE(SaveProject(Path("elsewhere.cfp"), project, host));

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
    const Result exported =
        RunCommand({"export", "elsewhere.cfp", "--format", "Text:Decimal", "-o", "./rel.txt"});
    const Result imported =
        RunCommand({"import", "./rel.txt", "--format", "Text:Decimal", "-o", "./rel.cfp"});
    std::filesystem::current_path(previous);
    ASSERT_EQ(exported.status, kExitOk) << exported.err;
    EXPECT_EQ(ParseNumbers(ReadAll(Path("rel.txt"))), (std::vector<double>{0.25, 0.5, 0.25}));
    ASSERT_EQ(imported.status, kExitOk) << imported.err;
    EXPECT_EQ(ParseJson(RunCommand({"show", Path("rel.cfp"), "--json"}).out)["taps"].num, 3.0);
}
