// Each editor, filled by key presses and designed with its Design button, gives the
// coefficients the command line gives for the same specification; the project file brings
// the same form back.
#include "editor_driver.h"

#include "design/driver_messages.h"
#include "editors/editor_factory.h"
#include "forms/rsp_list_rules.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

namespace {

std::vector<double> CliCoefficients(const QStringList& args) {
    QProcess cli;
    cli.start(CORVIFIR_CLI_PATH, args);
    EXPECT_TRUE(cli.waitForFinished(60000));
    std::vector<double> taps;
    for (const QByteArray& line : cli.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            taps.push_back(line.trimmed().toDouble());
    EXPECT_FALSE(taps.empty()) << cli.readAllStandardError().toStdString();
    return taps;
}

void ExpectSameTaps(CFirData& filter, const std::vector<double>& expected) {
    ASSERT_EQ(filter.GetN(), static_cast<int>(expected.size()));
    for (int i = 0; i < filter.GetN(); ++i)
        EXPECT_NEAR(filter.m_pI->GetAt(i), expected[static_cast<size_t>(i)], 1e-15) << i;
}

// Every field, check and radio of a form by object name, as a person would read them.
QStringList FormState(QWidget* editor) {
    QStringList state;
    for (QLineEdit* e : editor->findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty())
            state << e->objectName() + "=" + e->text();
    for (QAbstractButton* b : editor->findChildren<QAbstractButton*>())
        if (b->isCheckable())
            state << b->objectName() + (b->isChecked() ? "+" : "-");
    for (QComboBox* c : editor->findChildren<QComboBox*>())
        if (!c->isEditable())
            state << c->objectName() + "#" + QString::number(c->currentIndex());
    state.sort();
    return state;
}

struct SDesignCase {
    const char* name;
    int type;
    std::function<void(CEditorDriver&)> fill;
    QStringList cli;
    const char* status; // status text after the design, "" for none expected
};

// A case prints as its method's name, in the test list and in failure messages.
void PrintTo(const SDesignCase& c, std::ostream* os) {
    *os << c.name;
}

const SDesignCase kCases[] = {
    {"SimplePm",
     kDesignSimplePm,
     [](CEditorDriver& d) {
         d.Type("firstFrequency", "0.1");
         d.Type("secondFrequency", "0.2");
         d.Type("ripple", "1");
         d.Type("attenuation", "60");
         d.Type("taps", "41");
     },
     {"design", "simple-pm", "--fs", "1", "--type", "lowpass", "--edge1", "0.1", "--edge2", "0.2",
      "--ripple", "1", "--atten", "60", "--taps", "41"},
     "Design succeeded, with a margin of "},
    {"AdvancedPm",
     kDesignAdvancedPm,
     [](CEditorDriver& d) {
         d.Type("lower", "0");
         d.Type("upper", "0.1");
         d.Type("desired", "1");
         d.Type("attn", "1");
         d.Click("add");
         d.Type("lower", "0.2");
         d.Type("upper", "0.5");
         d.Type("desired", "0");
         d.Type("attn", "80");
         d.Click("add");
         d.Type("taps", "21");
     },
     {"design", "advanced-pm", "--fs", "1", "--band", "0", "0.1", "1", "1", "--band", "0.2", "0.5",
      "0", "80", "--taps", "21"},
     "Design failed to meet specifcations."},
    {"WindowedSinc",
     kDesignWinSinc,
     [](CEditorDriver& d) {
         d.Click("filterType2");
         d.Type("corner1", "0.1");
         d.Type("corner2", "0.3");
         d.Choose("window", 2);
         d.Type("windowParam", "4");
         d.Type("taps", "31");
     },
     {"design", "windowed-sinc", "--fs", "1", "--type", "bandpass", "--corner1", "0.1", "--corner2",
      "0.3", "--taps", "31", "--window", "kaiser-bessel", "--param", "4"},
     ""},
    {"RaisedCosine",
     kDesignRaisedCos,
     [](CEditorDriver& d) {
         d.Click("lengthMode1");
         d.Type("taps", "41");
         if (d.Find<QCheckBox>("zeroPad")->isChecked())
             d.Click("zeroPad");
         d.Click("rateMode0");
         d.Type("samplesPerSymbol", "8");
         d.Type("rolloff", "0.35");
         d.Click("root");
     },
     {"design", "raised-cosine", "--fs", "1", "--rolloff", "0.35", "--sps", "8", "--taps", "41",
      "--root"},
     ""},
    {"LthBand",
     kDesignLthBand,
     [](CEditorDriver& d) {
         d.Click("designMethod0");
         d.Type("taps", "41");
         d.Type("cutoff", "0.2");
         d.Type("l", "2");
         d.Click("specChoice1");
         d.Type("attenuation", "60");
         if (!d.Find<QCheckBox>("attnInDb")->isChecked())
             d.Click("attnInDb");
         d.Type("grid", "16");
     },
     {"design", "lth-band", "--fs", "1", "--l", "2", "--cutoff", "0.2", "--taps", "41", "--atten",
      "60"},
     "Design succeeded, with a margin of "},
    {"LthBandEstimated",
     kDesignLthBand,
     [](CEditorDriver& d) {
         d.Type("taps", "0");
         d.Type("cutoff", "0.1");
         d.Type("l", "4");
     },
     {"design", "lth-band", "--fs", "1", "--l", "4", "--cutoff", "0.1"},
     "Design succeeded, with a margin of "},
    {"Maxflat",
     kDesignMaxflat,
     [](CEditorDriver& d) {
         d.Type("center", "0.2");
         d.Click("rolloffMode0");
         d.Type("taps", "51");
     },
     {"design", "maxflat", "--fs", "1", "--center", "0.2", "--taps", "51"},
     ""},
    {"Cic",
     kDesignCic,
     [](CEditorDriver& d) {
         d.Type("stages", "3");
         d.Type("rate", "4");
         d.Type("delay", "1");
     },
     {"design", "cic", "--fs", "1", "--stages", "3", "--rate", "4", "--delay", "1"},
     ""},
};

} // namespace

class EditorDesign : public ::testing::TestWithParam<SDesignCase> {};

TEST_P(EditorDesign, DesignButtonMatchesTheCommandLineAndTheProjectKeepsTheForm) {
    const SDesignCase& c = GetParam();
    CEditorDriver d(c.type);
    c.fill(d);
    d.Click("design");
    ASSERT_TRUE(d.host.messages.empty()) << d.host.LastMessage();
    d.SaveShot(c.name);
    ExpectSameTaps(d.Filter(), CliCoefficients(c.cli));

    const std::string status = d.host.statusTexts.empty() ? "" : d.host.statusTexts.back();
    if (*c.status)
        EXPECT_EQ(status.substr(0, std::string(c.status).size()), c.status);
    else
        EXPECT_EQ(status.find("failed"), std::string::npos) << status;
    if (auto* list = d.editor->findChild<QListWidget*>("rspList")) {
        // The automatic response list shows the response from 0 on, one value per frequency.
        auto* freqs = d.Find<QListWidget>("rspFrequencies");
        ASSERT_GE(list->count(), 2);
        EXPECT_EQ(freqs->count(), list->count());
        EXPECT_EQ(freqs->item(0)->text(), "0.0");
        EXPECT_EQ(list->item(0)->text(), QString::fromStdString(FormatRspDb(d.Filter(), 0.0)));
    }

    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("design.cfp").toStdString();
    ASSERT_TRUE(d.doc.OnSaveDocument(path));
    EXPECT_FALSE(d.doc.IsModified());
    CScriptedHost host2;
    CFirDoc reopened(host2);
    CScriptedCommandDialogs dialogs2;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    std::unique_ptr<CFirEditor> again(CreateFirEditor(reopened.m_nDesignType, reopened, dialogs2));
    EXPECT_EQ(reopened.m_nDesignType, c.type);
    EXPECT_EQ(FormState(again.get()), FormState(d.editor.get()));
    ExpectSameTaps(reopened.Filter(), CliCoefficients(c.cli));
}

INSTANTIATE_TEST_SUITE_P(AllMethods, EditorDesign, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditorResult, PassAndFailAreShown) {
    CEditorDriver simple(kDesignSimplePm);
    simple.Type("secondFrequency", "0.2");
    simple.Type("attenuation", "60");
    simple.Type("taps", "41");
    simple.Click("design");
    auto actuals = simple.editor->findChildren<QGroupBox*>();
    QStringList titles;
    for (QGroupBox* g : actuals)
        titles << g->title();
    EXPECT_TRUE(titles.contains("Actuals - PASS")) << titles.join(",").toStdString();
    EXPECT_TRUE(simple.Find<QLabel>("attenuationActual")->text().endsWith(" dB"));

    CEditorDriver advanced(kDesignAdvancedPm);
    advanced.Type("lower", "0");
    advanced.Type("upper", "0.1");
    advanced.Type("attn", "1");
    advanced.Click("add");
    advanced.Type("lower", "0.2");
    advanced.Type("upper", "0.5");
    advanced.Type("desired", "s");
    advanced.Type("attn", "120");
    advanced.Click("add");
    advanced.Type("taps", "15");
    advanced.Click("design");
    EXPECT_EQ(advanced.Find<QLabel>("result")->text(), "FAIL");
    EXPECT_EQ(advanced.host.statusTexts.back(), kMsgDesignFailedSpec);
    advanced.Type("attn", "");
    advanced.Type("taps", "15");
    // Loosening the stopband by selecting its row and adding it again gives PASS.
    advanced.Type("lower", "0.2");
    advanced.Type("upper", "0.5");
    advanced.Type("desired", "s");
    advanced.Type("attn", "20");
    advanced.Click("add");
    advanced.Click("design");
    EXPECT_EQ(advanced.Find<QLabel>("result")->text(), "PASS");
}
