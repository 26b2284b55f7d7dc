#include "cli.h"
#include "cli_plot_render.h"
#include "cli_test_util.h"
#include "doc/project_file.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

Result Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The named lists of numbers of the reference file ("name count" then count values).
std::map<std::string, std::vector<double>> ReadReference(const std::string& path) {
    std::ifstream in(path);
    std::map<std::string, std::vector<double>> lists;
    std::string line, current;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (std::isalpha(static_cast<unsigned char>(line[0]))) {
            current = line.substr(0, line.find(' '));
            continue;
        }
        lists[current].push_back(std::stod(line));
    }
    return lists;
}

// The numbers of the JSON array after "key": [.
std::vector<double> JsonArray(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\": [");
    if (at == std::string::npos)
        return {};
    const size_t open = json.find('[', at);
    const size_t close = json.find(']', open);
    std::string body = json.substr(open + 1, close - open - 1);
    for (char& c : body)
        if (c == ',')
            c = ' ';
    std::istringstream is(body);
    std::vector<double> v;
    for (double x; is >> x;)
        v.push_back(x);
    return v;
}

std::string JsonValue(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos)
        return {};
    const size_t start = at + key.size() + 4;
    return json.substr(start, json.find_first_of(",\n", start) - start);
}

class CliRun : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("corvifir_run_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    // A project holding the taps, made with the import command.
    std::string MakeProject(const std::string& name, const std::vector<double>& taps) {
        const std::string text = Path(name + ".txt");
        std::ofstream out(text);
        out.precision(17);
        for (double t : taps)
            out << t << "\n";
        out.close();
        const std::string project = Path(name + ".cfp");
        const Result r = Cli({"import", text, "--format", "Text:Decimal", "-o", project});
        EXPECT_EQ(r.status, 0) << r.err;
        return project;
    }

    std::filesystem::path m_dir;
};

} // namespace

TEST_F(CliRun, CommandChainMatchesAnIndependentComputation) {
    auto ref = ReadReference(std::string(CORVIFIR_TEST_DATA_DIR) + "/doc/run_chain.txt");
    ASSERT_EQ(ref["first"].size(), 21u);
    const std::string first = MakeProject("first", ref["first"]);
    const std::string second = MakeProject("second", ref["second"]);
    const std::string out = Path("out.cfp");
    const Result r =
        Cli({"run", first, "-o", out, "--show-json", "window inphase --type hamming",
             "scale inphase --method sum-abs --value 1 --linear",
             "zero-stuff --stuff 1 --append 2 --no-scale-fs", "convolve " + second,
             "polyphase --phases 2 --select 1 --no-scale-values --no-scale-fs", "reverse"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<double> taps = JsonArray(r.out, "i");
    const std::vector<double>& expected = ref["result"];
    ASSERT_EQ(taps.size(), expected.size());
    for (size_t i = 0; i < taps.size(); ++i)
        EXPECT_NEAR(taps[i], expected[i], 1e-12) << i;
    EXPECT_EQ(JsonValue(r.out, "undoDepth"), "6");
    EXPECT_EQ(JsonValue(r.out, "redoDepth"), "0");
    EXPECT_EQ(JsonValue(r.out, "modified"), "false"); // written to out
    EXPECT_TRUE(Contains(r.err, "message: The convolved filter contains 50 taps."));

    // the written project holds the result, the input is untouched
    CScriptedHost host;
    CFirProject saved(&host);
    ASSERT_EQ(LoadProject(out, saved, host), ELoadResult::Ok);
    EXPECT_EQ(saved.m_Filter.GetN(), static_cast<int>(expected.size()));
    EXPECT_NEAR((*saved.m_Filter.m_pI)[0], expected[0], 1e-12);
    CFirProject input(&host);
    ASSERT_EQ(LoadProject(first, input, host), ELoadResult::Ok);
    EXPECT_EQ(input.m_Filter.GetN(), 21);
}

TEST_F(CliRun, RefusalsFailAndWriteNothing) {
    const std::string project = MakeProject("p", {1, 2, 3, 4});
    // a project without coefficients: all four truncated away
    const std::string empty = Path("e.cfp");
    ASSERT_EQ(Cli({"run", project, "-o", empty, "truncate --method quantity --value 2 --end each"})
                  .status,
              0);
    const std::string out = Path("out.cfp");
    struct Case {
        std::vector<std::string> commands;
        int status;
        std::string message; // part of standard error
    };
    const std::vector<Case> cases = {
        {{"undo"}, 1, "error: The command \"undo\" is not available: there is nothing to undo."},
        {{"reverse", "undo", "reverse", "redo"},
         1,
         "error: The command \"redo\" is not available: there is nothing to redo."},
        {{"scale quadrature --method max"},
         1,
         "error: The command \"scale\" is not available: the filter is real."},
        {{"polyphase --phases 3 --select 0"},
         1,
         "error: The number of total phases must divide evenly into the number of taps."},
        {{"convolve " + empty}, 1, "error: Only one filter project with coefficients"},
        {{"window inphase --type dolph-chebyshev --param 0.5"},
         1,
         "error: Gamma must be 1.0 or greater."},
        // a result too large to be read back is refused before it is made
        {{"zero-stuff --stuff 1999999 --no-scale-fs"},
         1,
         "error: The result would have 6000001 taps; a project holds at most 4000000."},
        {{"zero-stuff --stuff 0 --append 1000000000"}, 1, "a project holds at most 4000000."},
        {{"fill-constant inphase --taps 4 --value 1e308", "scale inphase --method dc"},
         1,
         "error: The result would not be a finite number; the coefficients are unchanged."},
        // an export never replaces the project read or the one to be written
        {{"export " + project + " --format Text:Decimal"},
         1,
         "error: The output file \"" + project + "\" is also an input file."},
        {{"export " + out + " --format Text:Decimal"}, 1, "is also an input file."},
        {{"reverse", "frobnicate"}, 2, "unknown command 'frobnicate'"},
        // a huge command word is echoed only in part
        {{"reverse", std::string(1 << 20, 'w')}, 2, "unknown command 'www"},
        {{"scale inphase --method median"}, 2, "option '--method' takes dc|gain-at|"},
        // the export options as export reads them; an overflow takes --answer, not --force
        {{"export " + Path("x.txt") + " --format Text:Hex --force"},
         2,
         "run answers the overflow question with --answer yes|no; --force is export's"},
        {{"export " + Path("x.txt") + " --format Text:Hex --interleave forward"},
         2,
         "--interleave needs --factor K"},
        {{"export " + Path("x.txt") + " --format Text:Hex --wave-bits 16"},
         2,
         "--wave-bits and --wave-rate belong to the format Binary:Wave"},
        {{"export " + Path("x.txt") + " --format Text:Hex --hdl-name f"},
         2,
         "the implementation options are for \"HDL:Verilog\""},
        {{"truncate --value"}, 2, "option '--value' needs a value"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"run", project, "-o", out};
        args.insert(args.end(), c.commands.begin(), c.commands.end());
        const Result r = Cli(args);
        EXPECT_EQ(r.status, c.status) << c.commands.back().substr(0, 40) << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, c.message)) << r.err.substr(0, 400);
        EXPECT_LT(r.err.size(), 2000u);
        EXPECT_FALSE(std::filesystem::exists(out)) << c.commands.back().substr(0, 40);
    }
    EXPECT_EQ(Cli({"run"}).status, 2);
    EXPECT_EQ(Cli({"run", project, "-o", out, "--in-place"}).status, 2);
    EXPECT_EQ(Cli({"run", Path("missing.cfp"), "reverse"}).status, 1);
}

// In place, a read-only project is kept, and runs of one project at the same time take turns:
// every change is kept.
TEST_F(CliRun, InPlaceKeepsReadOnlyProjectsAndEveryConcurrentChange) {
    const std::string project = MakeProject("p", {1, 2, 3, 4});
    const std::string before = ReadAll(project);
    std::filesystem::permissions(project, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
    const Result refused = Cli({"run", project, "--in-place", "reverse"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.err, "Permission denied")) << refused.err;
    EXPECT_EQ(ReadAll(project), before);
    std::filesystem::permissions(project, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);

    constexpr int kRuns = 6;
    std::vector<std::thread> runs;
    std::atomic<int> failures{0};
    for (int k = 0; k < kRuns; ++k)
        runs.emplace_back([&] {
            if (Cli({"run", project, "--in-place", "zero-stuff --stuff 0 --append 1"}).status != 0)
                ++failures;
        });
    for (std::thread& t : runs)
        t.join();
    EXPECT_EQ(failures.load(), 0);
    CScriptedHost host;
    CFirProject result(&host);
    ASSERT_EQ(LoadProject(project, result, host), ELoadResult::Ok);
    EXPECT_EQ(result.m_Filter.GetN(), 4 + kRuns);
}

extern "C" void IgnoreInterrupt(int) {}

// Ctrl+C while a command's long job runs: the command failed, nothing is written.
TEST_F(CliRun, ACancelledCommandFailsAndWritesNothing) {
    std::vector<double> taps(3000);
    for (size_t k = 0; k < taps.size(); ++k)
        taps[k] = std::sin(0.37 * static_cast<double>(k * k)) * 0.9;
    const std::string project = MakeProject("p", taps);
    const std::string before = ReadAll(project);
    struct sigaction quiet {};
    struct sigaction previous {};
    quiet.sa_handler = IgnoreInterrupt;
    sigemptyset(&quiet.sa_mask);
    ::sigaction(SIGINT, &quiet, &previous);
    std::atomic<bool> done{false};
    std::thread pressCtrlC([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ::kill(::getpid(), SIGINT);
        }
    });
    const Result r = Cli(
        {"run", project, "--in-place", "quantize inphase --bits 16 --algorithm symmetric-search"});
    done = true;
    pressCtrlC.join();
    ::sigaction(SIGINT, &previous, nullptr);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "was cancelled; the project was not written.")) << r.err;
    EXPECT_EQ(ReadAll(project), before);
}

TEST_F(CliRun, AnswersScriptsAndRememberedValues) {
    const std::string project = MakeProject("p", {1, 2, 3});
    const std::string script = Path("commands.txt");
    std::ofstream(script) << "# double, then the sine is refused\n\n"
                             "scale inphase --method multiply --value 2 --linear\n"
                             "fill-sine inphase --samples 16\n";
    Result r =
        Cli({"run", project, "--in-place", "--answer", "no", "--script", script, "--show-json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "question: Filling with a sine will overwrite all current data. "
                                "-> No"));
    EXPECT_EQ(JsonArray(r.out, "i"), (std::vector<double>{2, 4, 6}));
    EXPECT_EQ(JsonValue(r.out, "modified"), "false"); // saved in place

    // the scale dialog opens with the values it was last used with in this project
    r = Cli({"run", project, "--show-json", "scale inphase", "fill-sine complex --samples 4"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(JsonValue(r.out, "coefficientCount"), "4");
    EXPECT_EQ(JsonValue(r.out, "undoDepth"), "2");
    r = Cli({"run", project, "--show-json", "scale inphase"});
    EXPECT_EQ(JsonArray(r.out, "i"), (std::vector<double>{4, 8, 12}));
}

TEST_F(CliRun, DesignOptionsActAsTheSheetsOk) {
    const std::string project = MakeProject("p", {1, 2, 3});
    const std::string out = Path("out.cfp");
    Result r = Cli({"run", project, "-o", out,
                    "design-options --quantize 12 --quant-save yes --fs 8 --fs-unit kHz"});
    ASSERT_EQ(r.status, 0) << r.err;
    CScriptedHost host;
    CFirProject saved(&host);
    ASSERT_EQ(LoadProject(out, saved, host), ELoadResult::Ok);
    EXPECT_EQ(saved.m_Filter.m_Quant.m_nBits, 12);
    EXPECT_EQ(saved.m_DataFiles.m_FormatI.m_FixedPoint.m_nBits, 12);
    EXPECT_EQ(saved.m_Filter.GetFs(), 8.0);

    // The design command's spellings are aliases here too.
    for (const char* parity : {"--parity odd", "--odd"}) {
        r = Cli(
            {"run", project, std::string("design-options --min-taps 10 --max-taps 10 ") + parity});
        EXPECT_EQ(r.status, 1) << parity;
        EXPECT_TRUE(Contains(r.err, "The even/odd constraint conflicts")) << parity;
    }
    r = Cli({"run", project, "-o", out, "design-options --quantize 10 --algorithm round"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(LoadProject(out, saved, host), ELoadResult::Ok);
    EXPECT_EQ(saved.m_Filter.m_Quant.m_nAlgorithm, 1);
}

TEST_F(CliRun, DesignRunsTheProjectsMethodAfterOtherCommands) {
    const std::string lowpass = std::string(CORVIFIR_TEST_DATA_DIR) + "/doc/lowpass.cfp";
    const Result before = Cli({"show", lowpass, "--json"});
    const Result r = Cli({"run", lowpass, "--show-json", "reverse",
                          "scale inphase --method "
                          "multiply --value 3 --linear",
                          "design"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(JsonValue(r.out, "undoDepth"), "3");
    const std::vector<double> designed = JsonArray(r.out, "i");
    const std::vector<double> stored = JsonArray(before.out, "i");
    ASSERT_EQ(designed.size(), stored.size());
    for (size_t i = 0; i < designed.size(); ++i)
        EXPECT_NEAR(designed[i], stored[i], 1e-9);
    EXPECT_EQ(Cli({"run", MakeProject("i", {1, 2}), "optimize"}).status, 1);
}

// An undone change keeps the project's method: its design runs again and its report describes it.
TEST_F(CliRun, UndoKeepsTheMethodOfARaisedCosineProject) {
    const std::string rc = Path("rc.cfp");
    ASSERT_EQ(Cli({"design", "raised-cosine", "--fs", "48000", "--rolloff", "0.35", "--sps", "8",
                   "--taps", "65", "-p", rc, "-o", Path("rc.txt")})
                  .status,
              0);
    const Result stored = Cli({"show", rc, "--json"});
    const Result r = Cli({"run", rc, "--show-json", "reverse", "undo", "design"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(JsonValue(r.out, "designKind"), "\"Raised Cosine\"");
    EXPECT_EQ(JsonArray(r.out, "i"), JsonArray(stored.out, "i"));

    const std::string report = Path("r.htm");
    ASSERT_EQ(
        Cli({"run", rc, "reverse", "undo", "export " + report + " --format HTML:Report"}).status,
        0);
    const std::string html = ReadAll(report);
    EXPECT_TRUE(Contains(html, "Number of taps = 65")) << html;
    EXPECT_FALSE(Contains(html, "Grid Density")) << html;
    // The report's pictures are written beside it, as the export command writes them.
    for (const char* picture : {"r_spec.bmp", "r_freq_rsp.bmp", "r_imp_rsp.bmp"})
        EXPECT_EQ(std::filesystem::exists(Path(picture)), HasPlotPictures()) << picture;
}

TEST_F(CliRun, DesignQuantizationIsKeptForLaterFixedPointExports) {
    const std::string project = Path("q.cfp");
    const Result r =
        Cli({"design", "simple-pm", "--fs",       "48000",    "--type", "lowpass", "--edge1",
             "6000",   "--edge2",   "9000",       "--ripple", "1",      "--atten", "60",
             "--taps", "41",        "--quantize", "12",       "-p",     project});
    ASSERT_TRUE(r.status == 0 || r.status == 3) << r.err; // 3: 12 bits miss the 60 dB
    CScriptedHost host;
    CFirProject saved(&host);
    ASSERT_EQ(LoadProject(project, saved, host), ELoadResult::Ok);
    EXPECT_EQ(saved.m_DataFiles.m_FormatI.m_FixedPoint.m_nBits, 12);
}

// run's export takes the export command's options and writes the same files.
TEST_F(CliRun, ExportTakesTheOptionsOfTheExportCommand) {
    const std::string project = MakeProject("p", {0.125, -0.25, 0.5, 0.75, -0.5, 0.25});
    struct Case {
        std::string format, suffix, options;
    };
    const Case cases[] = {
        {"Text:Hex", ".hex", "--bits 12 --interleave reverse --factor 3"},
        {"Text:C", ".h",
         "--c-name taps --c-type double --c-suffix L --interleave forward "
         "--factor 2"},
        {"Binary:Wave", ".wav", "--wave-bits 16 --wave-rate 44100"},
        {"HDL:Verilog", ".v", "--bits 10 --output-bits 14 --rounding round --hdl-name lp"},
    };
    for (const Case& c : cases) {
        const std::string byExport = Path("export" + c.suffix);
        const std::string byRun = Path("run" + c.suffix);
        std::vector<std::string> args = {"export", project, "--format", c.format, "-o", byExport};
        std::istringstream words(c.options);
        for (std::string w; words >> w;)
            args.push_back(w);
        const Result exported = Cli(args);
        ASSERT_EQ(exported.status, 0) << c.format << "\n" << exported.err;
        const Result run =
            Cli({"run", project, "export " + byRun + " --format " + c.format + " " + c.options});
        ASSERT_EQ(run.status, 0) << c.format << "\n" << run.err;
        EXPECT_EQ(ReadAll(byRun), ReadAll(byExport)) << c.format;
    }
}
