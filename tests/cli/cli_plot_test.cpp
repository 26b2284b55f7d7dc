#include "cli.h"
#include "cli_plot_render.h"
#include "design/design_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

const std::string kLowpass = CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp";

struct PlotRun {
    int status;
    std::string err;
};

PlotRun Plot(std::vector<std::string> args) {
    args.insert(args.begin(), "plot");
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, err.str()};
}

std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream is(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(is), {});
}

struct CliPlot : ::testing::Test {
    std::filesystem::path dir;
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("corvifir_cli_plot_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
};

} // namespace

TEST_F(CliPlot, PlotFileHoldsThePointsDrawn) {
    const std::string plt = Path("zoom.plt");
    ASSERT_EQ(Plot({kLowpass, "--view", "magnitude", "--x-range", "1000", "2000", "--size",
                    "400x300", "--titles", "-o", plt})
                  .status,
              0);
    std::istringstream lines(ReadAll(plt));
    std::string line;
    std::vector<std::string> titles(3);
    for (std::string& t : titles)
        std::getline(lines, t);
    EXPECT_EQ(titles[0], "Inphase Filter Frequency Response\r");
    EXPECT_EQ(titles[1], "Magnitude in dB\r");
    int points = 0;
    double first = 0, last = 0, f, db;
    while (std::getline(lines, line)) {
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf   %lf", &f, &db), 2) << line;
        if (points++ == 0)
            first = f;
        last = f;
        EXPECT_NEAR(db, 0, 0.5); // the passband
    }
    EXPECT_NEAR(first, 1000, 1e-6);
    EXPECT_NEAR(last, 2000, 10);
    // One point per device column of a plot narrower than 400 units.
    EXPECT_GT(points, 150);
    EXPECT_LT(points, 400);
}

TEST_F(CliPlot, RefusesWhatItCannotDraw) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{kLowpass, "--view", "spectrum", "-o", Path("a.png")}, 2, "--view"},
        {{kLowpass, "--view", "phase", "-o", Path("a.gif")}, 2, ".png"},
        {{kLowpass, "--view", "phase", "--size", "10x10", "-o", Path("a.png")}, 2, "--size"},
        {{kLowpass, "--view", "phase", "--size", "20001x100", "-o", Path("a.png")},
         2,
         "option '--size' takes WxH, from 50x40 to 20000x20000"},
        {{kLowpass, "--view", "phase", "--x-range", "5", "1", "-o", Path("a.png")}, 2, "A < B"},
        {{kLowpass, "--view", "phase", "--channel", "complex", "-o", Path("a.png")}, 2, "real"},
        {{kLowpass, "--view", "phase", "-o", Path("missing/a.plt")}, 1, "Cannot write file"},
        {{kLowpass, "--view", "magnitude", "--x-range", "30000", "40000", "-o", Path("a.plt")},
         2,
         "too narrow"},
        {{kLowpass, "--view", "pole-zero", "--compare", kLowpass, "-o", Path("a.plt")},
         2,
         "--compare needs a frequency or time view"},
        {{kLowpass, "--view", "magnitude", "--compare", "previous", "-o", Path("a.plt")},
         2,
         "keeps no previous state"},
        {{kLowpass, "--view", "magnitude", "--difference", "-o", Path("a.plt")},
         2,
         "--difference needs --compare"},
        {{kLowpass, "--view", "phase", "--compare", kLowpass, "--difference", "-o", Path("a.plt")},
         2,
         "magnitude view in dB"},
        {{kLowpass, "--view", "phase", "--compare", Path("none.cfp"), "-o", Path("a.plt")},
         1,
         "none.cfp"},
    };
    for (const Case& c : cases) {
        const PlotRun r = Plot(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << " " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST_F(CliPlot, PicturesAndReportImages) {
    if (!HasPlotPictures())
        GTEST_SKIP() << "built without pictures";
    for (const char* name : {"m.png", "m.bmp", "m.svg", "m.pdf"})
        ASSERT_EQ(Plot({kLowpass, "--view", "impulse", "-o", Path(name)}).status, 0) << name;
    EXPECT_EQ(ReadAll(dir / "m.png").substr(1, 3), "PNG");
    EXPECT_EQ(ReadAll(dir / "m.bmp").substr(0, 2), "BM");
    const std::string svg = ReadAll(dir / "m.svg");
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_EQ(svg.find("<image"), std::string::npos);
    EXPECT_EQ(ReadAll(dir / "m.pdf").substr(0, 5), "%PDF-");

    const std::string report = Path("lp.htm");
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"export", kLowpass, "--format", "HTML:Report", "-o", report}, out, err), 0)
        << err.str();
    for (const char* suffix : {kReportSpecImage, kReportFreqImage, kReportImpulseImage}) {
        const std::string bmp = ReadAll(HtmlReportImagePath(report, suffix));
        ASSERT_GT(bmp.size(), 1000u) << suffix;
        EXPECT_EQ(bmp.substr(0, 2), "BM") << suffix;
    }
}

// The lowpass has 41 taps: 40 zeros, written one per line; the SVG draws the unit circle and
// the rings as vector shapes.
TEST_F(CliPlot, PoleZeroViewWritesTheZeros) {
    const std::string plt = Path("pz.plt");
    ASSERT_EQ(Plot({kLowpass, "--view", "pole-zero", "-o", plt}).status, 0);
    std::istringstream lines(ReadAll(plt));
    int zeros = 0, onCircle = 0;
    double re, im;
    while (lines >> re >> im) {
        ++zeros;
        onCircle += std::fabs(std::hypot(re, im) - 1.0) < 1e-6 ? 1 : 0;
    }
    EXPECT_EQ(zeros, 40);
    EXPECT_GT(onCircle, 20); // the stopband's zeros
    if (!HasPlotPictures())
        return;
    ASSERT_EQ(Plot({kLowpass, "--view", "pole-zero", "-o", Path("pz.svg")}).status, 0);
    const std::string svg = ReadAll(dir / "pz.svg");
    EXPECT_NE(svg.find("Pole-Zero Plot"), std::string::npos);
    EXPECT_GE(std::count(svg.begin(), svg.end(), '\n'), 40);
}

// A compared project's points follow a "# compare" line at the same frequencies; comparing a
// project with itself repeats its points, and their difference is 0 dB.
TEST_F(CliPlot, CompareWritesTheOtherFilterAfterItsTitle) {
    const std::string plt = Path("cmp.plt");
    for (const char* view : {"magnitude", "impulse", "impulse-step"}) {
        ASSERT_EQ(Plot({kLowpass, "--view", view, "--compare", kLowpass, "-o", plt}).status, 0);
        const std::string text = ReadAll(plt);
        const size_t mark = text.find("# compare lowpass\r\n");
        ASSERT_NE(mark, std::string::npos) << view;
        EXPECT_EQ(text.substr(0, mark),
                  text.substr(mark + std::string("# compare lowpass\r\n").size()))
            << view;
    }
    ASSERT_EQ(
        Plot({kLowpass, "--view", "magnitude", "--compare", kLowpass, "--difference", "-o", plt})
            .status,
        0);
    std::istringstream lines(ReadAll(plt));
    double f, db;
    int points = 0;
    while (lines >> f >> db) {
        ++points;
        EXPECT_EQ(db, 0.0) << f;
    }
    EXPECT_GT(points, 100);
}

// A plot step of run draws the project as it stands at that step; --compare previous draws the
// state Undo restores: after a quantization exactly the unquantized filter, as plot draws it
// from the project file. Without a change before it, or over an input file, the step fails.
TEST_F(CliPlot, PlotStepOfRunComparesWithThePreviousState) {
    const std::string own = Path("own.plt"), step = Path("step.plt");
    ASSERT_EQ(Plot({kLowpass, "--view", "impulse", "-o", own}).status, 0);
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"run", kLowpass, "quantize inphase --bits 6",
                      "plot --view impulse --compare previous -o " + step},
                     out, err),
              0)
        << err.str();
    const std::string text = ReadAll(step);
    const std::string mark = "# compare Previous State\r\n";
    const size_t at = text.find(mark);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(text.substr(at + mark.size()), ReadAll(own));
    EXPECT_NE(text.substr(0, at), ReadAll(own));

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"run", kLowpass, "plot --view impulse --compare previous -o " + step},
         1,
         "no previous state"},
        {{"run", kLowpass, "-o", step, "reverse", "plot --view impulse -o " + step},
         1,
         "also an input file"},
        {{"run", kLowpass, "plot --view pole-zero --compare previous -o " + step},
         2,
         "not pole-zero"},
        {{"plot", kLowpass, "--view", "impulse", "--compare", "previous", "-o", step},
         2,
         "keeps no previous state"},
    };
    for (const Case& c : cases) {
        std::ostringstream o, e;
        EXPECT_EQ(RunCli(c.args, o, e), c.status) << c.args.back();
        EXPECT_NE(e.str().find(c.message), std::string::npos) << e.str();
    }
}

// A design quantized by its design options keeps its unquantized coefficients in the project
// file: --compare unquantized (and previous, for a file) draws exactly the design without the
// quantization, and show states the quantization loss. Any other change of the coefficients
// leaves nothing to compare with.
TEST_F(CliPlot, DesignOptionsQuantizationKeepsTheUnquantizedDesign) {
    const std::vector<std::string> design = {
        "design", "simple-pm", "--fs", "48000",    "--type", "lowpass", "--edge1",
        "4000",   "--edge2",   "6000", "--ripple", "0.5",    "--atten", "60"};
    const auto run = [](std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = RunCli(args, out, err);
        return std::make_pair(status, out.str() + err.str());
    };
    // The design without quantization, named as the legend names the unquantized copy, so
    // that both plots are laid out alike.
    std::vector<std::string> ideal = design, quantized = design;
    ideal.insert(ideal.end(), {"-p", Path("Unquantized.cfp")});
    quantized.insert(quantized.end(), {"--quantize", "8", "-p", Path("q8.cfp")});
    ASSERT_LE(run(ideal).first, 3);
    ASSERT_LE(run(quantized).first, 3);
    for (const char* view : {"magnitude", "impulse"}) {
        ASSERT_EQ(Plot({Path("q8.cfp"), "--view", view, "--compare", Path("Unquantized.cfp"), "-o",
                        Path("file.plt")})
                      .status,
                  0);
        const std::string expected = ReadAll(Path("file.plt"));
        ASSERT_NE(expected.find("# compare Unquantized\r\n"), std::string::npos);
        for (const char* word : {"unquantized", "previous"}) {
            ASSERT_EQ(
                Plot({Path("q8.cfp"), "--view", view, "--compare", word, "-o", Path("kept.plt")})
                    .status,
                0)
                << word;
            EXPECT_EQ(ReadAll(Path("kept.plt")), expected) << view << " " << word;
        }
    }
    EXPECT_EQ(run({"show", Path("Unquantized.cfp")}).second.find("Worst stopband"),
              std::string::npos);
    const auto shown = run({"show", Path("q8.cfp")});
    EXPECT_NE(shown.second.find("Worst stopband level = "), std::string::npos) << shown.second;

    ASSERT_EQ(run({"run", Path("q8.cfp"), "-o", Path("scaled.cfp"),
                   "scale inphase --method multiply --value 2"})
                  .first,
              0);
    const PlotRun none = Plot({Path("scaled.cfp"), "--view", "magnitude", "--compare",
                               "unquantized", "-o", Path("a.plt")});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("keeps no unquantized coefficients"), std::string::npos);
    EXPECT_EQ(run({"show", Path("scaled.cfp")}).second.find("Worst stopband"), std::string::npos);
}
