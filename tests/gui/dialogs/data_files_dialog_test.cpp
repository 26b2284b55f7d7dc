#include "dialogs/data_files_dialog.h"

#include "command_fixture.h"
#include "dialogs/format_options_dialogs.h"
#include "doc/command_messages.h"
#include "doc/fir_commands.h"
#include "io/file_formats.h"
#include "io/io_messages.h"
#include "modal_driver.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ChooseFormat(QDialog* dialog, const QString& which, const QString& format) {
    auto* combo = Field<QComboBox>(dialog, which + " Format");
    combo->setFocus();
    // Keyboard search through the list, as typing the name does.
    QTest::keyClick(combo, Qt::Key_Home);
    while (combo->currentText() != format && combo->currentIndex() + 1 < combo->count())
        QTest::keyClick(combo, Qt::Key_Down);
}

void Tick(QWidget* box) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

QCheckBox* CheckBox(QWidget* dialog, const QString& caption) {
    for (QCheckBox* c : dialog->findChildren<QCheckBox*>())
        if (c->text() == caption)
            return c;
    return nullptr;
}

QRadioButton* Radio(QWidget* dialog, const QString& caption) {
    for (QRadioButton* r : dialog->findChildren<QRadioButton*>())
        if (r->text() == caption)
            return r;
    return nullptr;
}

// The project of the fixture, exported through the Export command with the dialog.
class DataFilesDialogTest : public CCommandFixture {
protected:
    int ExportWithDialog(std::function<void(QDialog*)> fill) {
        auto exporting = std::make_shared<bool>(true);
        OnNextModal([fill, exporting](QDialog* d) {
            fill(d);
            // A refusal reopens the dialog: close it so that the test ends.
            OnNextModal([](QDialog* again) { again->reject(); }, exporting);
        });
        const bool result = FirCommand::Export(doc, dialogs);
        *exporting = false;
        return result ? 1 : 0;
    }
};

struct SExportCase {
    const char* name;
    std::vector<std::string> cliOptions; // after "export proj.cfp -o gui/out"
    std::function<void(QDialog*, const std::string& folder)> fill;
};

TEST_F(DataFilesDialogTest, WritesTheSameFilesAsTheCommandLine) {
    const std::vector<SExportCase> cases = {
        {"hex, one complex file, forward interleave, 12 bits",
         {"--format", "Text:Hex", "--complex", "--bits", "12", "--interleave", "forward",
          "--factor", "3"},
         [](QDialog* d, const std::string& folder) {
             TypeInto(Field<QLineEdit>(d, "Inphase File"), QString::fromStdString(folder + "out"));
             ChooseFormat(d, "Inphase", "Text:Hex");
             OnNextModal([](QDialog* options) {
                 EXPECT_EQ(options->windowTitle(), "Fixed-Point Options");
                 TypeInto(Field<QSpinBox>(options, "Number of bits"), "12");
                 ClickOk(options);
             });
             QTest::mouseClick(Button(d, "Options..."), Qt::LeftButton);
             SetTicked(CheckBox(d, "Complex"), true);
             Tick(Radio(d, "Forward"));
             TypeInto(Field<QSpinBox>(d, "Factor"), "3");
             ClickOk(d);
         }},
        {"decimal and fractional files, reverse interleave",
         {"--format", "Text:Decimal", "--quadrature-file", "{folder}out.q", "--quadrature-format",
          "Text:Fract", "--interleave", "reverse", "--factor", "4"},
         [](QDialog* d, const std::string& folder) {
             TypeInto(Field<QLineEdit>(d, "Inphase File"), QString::fromStdString(folder + "out"));
             ChooseFormat(d, "Inphase", "Text:Decimal");
             SetTicked(CheckBox(d, "Complex"), false);
             TypeInto(Field<QLineEdit>(d, "Quadrature File"),
                      QString::fromStdString(folder + "out.q"));
             ChooseFormat(d, "Quadrature", "Text:Fract");
             Tick(Radio(d, "Reverse"));
             TypeInto(Field<QSpinBox>(d, "Factor"), "4");
             ClickOk(d);
         }},
        {"C array of both parts with its own name",
         {"--format", "Text:C", "--complex", "--c-name", "taps"},
         [](QDialog* d, const std::string& folder) {
             TypeInto(Field<QLineEdit>(d, "Inphase File"), QString::fromStdString(folder + "out"));
             ChooseFormat(d, "Inphase", "Text:C");
             OnNextModal([](QDialog* options) {
                 EXPECT_EQ(options->windowTitle(), "C Output Options");
                 TypeInto(Field<QLineEdit>(options, "Data Variable Name"), "taps");
                 ClickOk(options);
             });
             QTest::mouseClick(Button(d, "Options..."), Qt::LeftButton);
             SetTicked(CheckBox(d, "Complex"), true);
             ClickOk(d);
         }},
    };
    for (const SExportCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string cliFolder = Path(std::string("cli_") + c.name[0] + c.name[1]) + "/";
        const std::string guiFolder = Path(std::string("gui_") + c.name[0] + c.name[1]) + "/";
        QDir().mkpath(QString::fromStdString(cliFolder));
        QDir().mkpath(QString::fromStdString(guiFolder));
        std::vector<std::string> args = {"export", Path("proj.cfp"), "-o", cliFolder + "out"};
        for (std::string option : c.cliOptions) {
            if (option.rfind("{folder}", 0) == 0)
                option = cliFolder + option.substr(8);
            args.push_back(option);
        }
        Cli(args);

        ASSERT_TRUE(doc.OnOpenDocument(Path("proj.cfp")));
        EXPECT_GT(ExportWithDialog([&](QDialog* d) { c.fill(d, guiFolder); }), 0);
        EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
        ASSERT_FALSE(doc.m_DataFiles.m_writtenFiles.empty());
        for (const std::string& written : doc.m_DataFiles.m_writtenFiles) {
            const std::string name = written.substr(guiFolder.size());
            const std::string expected = ReadAll(cliFolder + name);
            EXPECT_FALSE(expected.empty()) << name;
            EXPECT_EQ(ReadAll(written), expected) << name;
        }
    }
}

// The Verilog export of a real filter with the implementation options chosen in "Fixed-Point
// Implementation" writes the same four files as the command line; the summary beside the
// options follows them.
TEST_F(DataFilesDialogTest, VerilogWithTheImplementationOptions) {
    std::ofstream(Path("real.txt")) << "0.125\n-0.25\n0.5\n0.75\n0.5\n-0.25\n0.125\n";
    Cli({"import", Path("real.txt"), "--format", "Text:Decimal", "-o", Path("real.cfp")});
    QDir().mkpath(QString::fromStdString(Path("cli")));
    QDir().mkpath(QString::fromStdString(Path("gui")));
    Cli({"export",
         Path("real.cfp"),
         "--format",
         "HDL:Verilog",
         "-o",
         Path("cli/lp.v"),
         "--bits",
         "12",
         "--input-bits",
         "10",
         "--output-bits",
         "10",
         "--output-shift",
         "11",
         "--rounding",
         "round",
         "--overflow",
         "wrap",
         "--hdl-structure",
         "systolic"});
    ASSERT_TRUE(doc.OnOpenDocument(Path("real.cfp")));
    QStringList summaries;
    EXPECT_GT(ExportWithDialog([&](QDialog* d) {
                  TypeInto(Field<QLineEdit>(d, "Inphase File"),
                           QString::fromStdString(Path("gui/lp.v")));
                  ChooseFormat(d, "Inphase", "HDL:Verilog");
                  OnNextModal([&](QDialog* options) {
                      EXPECT_EQ(options->windowTitle(), "Fixed-Point Implementation");
                      auto* summary = Field<QPlainTextEdit>(options, "Implementation");
                      summaries << summary->toPlainText();
                      TypeInto(Field<QSpinBox>(options, "Coefficient bits"), "12");
                      TypeInto(Field<QSpinBox>(options, "Input bits"), "10");
                      auto* output = Field<QSpinBox>(options, "Output bits");
                      EXPECT_FALSE(output->isEnabled());
                      SetTicked(CheckBox(options, "Full precision (the accumulator)"), false);
                      EXPECT_TRUE(output->isEnabled());
                      TypeInto(output, "10");
                      SetTicked(CheckBox(options, "Keep the top bits"), false);
                      TypeInto(Field<QSpinBox>(options, "Dropped low bits"), "11");
                      Field<QComboBox>(options, "Rounding")->setCurrentIndex(1);
                      Field<QComboBox>(options, "Overflow")->setCurrentIndex(1);
                      summaries << summary->toPlainText();
                      Field<QComboBox>(options, "Structure")->setCurrentIndex(1);
                      summaries << summary->toPlainText();
                      ClickOk(options);
                  });
                  QTest::mouseClick(Button(d, "Options..."), Qt::LeftButton);
                  ClickOk(d);
              }),
              0);
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    ASSERT_EQ(summaries.size(), 3);
    EXPECT_TRUE(summaries[0].contains("multipliers: 4\n")) << summaries[0].toStdString();
    EXPECT_TRUE(summaries[0].contains("(drops 0 low bits, truncate, saturate)"));
    EXPECT_TRUE(summaries[1].contains("output bits: 10 (drops 11 low bits, round, wrap)"));
    EXPECT_TRUE(summaries[1].contains("latency: 4 clock cycles"));
    EXPECT_TRUE(summaries[2].contains("adders: 7 (3 pre-adders, 3 sum, 1 rounding)"));
    EXPECT_TRUE(summaries[2].contains("latency: 7 clock cycles"));
    for (const char* name : {"lp.v", "lp_tb.v", "lp_in.txt", "lp_out.txt"}) {
        const std::string expected = ReadAll(Path(std::string("cli/") + name));
        EXPECT_FALSE(expected.empty()) << name;
        EXPECT_EQ(ReadAll(Path(std::string("gui/") + name)), expected) << name;
    }
}

TEST_F(DataFilesDialogTest, RefusedExportShowsTheMessageAndReopens) {
    int shown = 0;
    std::function<void(QDialog*)> fill = [&](QDialog* d) {
        ++shown;
        if (shown == 1) {
            // Complex data, no quadrature file and "Complex" unchecked.
            SetTicked(CheckBox(d, "Complex"), false);
            TypeInto(Field<QLineEdit>(d, "Inphase File"), QString::fromStdString(Path("x.txt")));
            ClickOk(d);
            OnNextModal(fill);
        } else {
            EXPECT_EQ(Field<QLineEdit>(d, "Inphase File")->text(), "x.txt");
            d->reject();
        }
    };
    EXPECT_EQ(ExportWithDialog(fill), 0);
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgDataIsComplex);
    EXPECT_FALSE(std::ifstream(Path("x.txt")).good());
}

TEST_F(DataFilesDialogTest, ControlsFollowTheDataAndTheChoices) {
    CDataFiles files;
    files.PrepareDialog(CmdMsg::kExportTitle, "lp.cfp", false, /*dataReal=*/true);
    CDataFilesDialog exportReal(files, host, nullptr);
    exportReal.show();
    EXPECT_EQ(exportReal.windowTitle(), "Export Coefficients lp.cfp");
    EXPECT_FALSE(CheckBox(&exportReal, "Complex")->isEnabled());
    EXPECT_FALSE(Field<QLineEdit>(&exportReal, "Quadrature File")->isEnabled());
    EXPECT_TRUE(exportReal.findChild<QGroupBox*>()->isVisible());
    EXPECT_FALSE(Field<QSpinBox>(&exportReal, "Factor")->isEnabled());
    Tick(Radio(&exportReal, "Forward"));
    EXPECT_TRUE(Field<QSpinBox>(&exportReal, "Factor")->isEnabled());
    auto* options = exportReal.findChild<QPushButton*>("inphaseOptions");
    EXPECT_FALSE(options->isEnabled()); // Text:Decimal has no options
    ChooseFormat(&exportReal, "Inphase", "Binary:Wave");
    EXPECT_TRUE(options->isEnabled());
    // The export list holds no format that cannot be written.
    auto* formats = Field<QComboBox>(&exportReal, "Inphase Format");
    EXPECT_EQ(formats->findText("Text:Analyzer"), -1);

    files.PrepareDialog(CmdMsg::kImportTitle, "lp.cfp", true, true);
    CDataFilesDialog import(files, host, nullptr);
    import.show();
    EXPECT_TRUE(CheckBox(&import, "Complex")->isEnabled());
    EXPECT_TRUE(Field<QLineEdit>(&import, "Quadrature File")->isEnabled());
    EXPECT_FALSE(import.findChild<QGroupBox*>()->isVisible());
    EXPECT_EQ(Field<QComboBox>(&import, "Inphase Format")->findText("Text:C"), -1);
    Tick(CheckBox(&import, "Complex"));
    EXPECT_FALSE(Field<QLineEdit>(&import, "Quadrature File")->isEnabled());
}

TEST_F(DataFilesDialogTest, ImportReadsTheNamedFile) {
    CFirDoc target(host);
    target.OnNewDocument();
    OnNextModal([&](QDialog* d) {
        EXPECT_EQ(d->windowTitle().left(19), "Import Coefficients");
        TypeInto(Field<QLineEdit>(d, "Inphase File"), QString::fromStdString(Path("taps.txt")));
        ChooseFormat(d, "Inphase", "Text:Decimal");
        SetTicked(CheckBox(d, "Complex"), true);
        ClickOk(d);
    });
    EXPECT_TRUE(FirCommand::Import(target, dialogs));
    ExpectSameFilter(target.Filter(), doc.Filter());
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
}

TEST(FormatOptionsDialogs, AssemblerBaseNameLeftEmptyIsRefusedAndTheDialogStays) {
    CScriptedHost host;
    CAsmOpts opts;
    opts.m_strBaseName = "LP";
    CAsmOptsDialog dialog(opts, host, nullptr);
    dialog.show();
    TypeInto(Field<QLineEdit>(&dialog, "Name"), "   ");
    Tick(Radio(&dialog, "Float"));
    EXPECT_FALSE(CheckBox(&dialog, "Show Other Format")->isEnabled());
    EXPECT_FALSE(CheckBox(&dialog, "Show Floating Point")->isEnabled());
    ClickOk(&dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgAsmFieldsEmpty);
    EXPECT_EQ(Field<QLineEdit>(&dialog, "Name")->text(), "FIR");
    EXPECT_EQ(opts.m_strBaseName, "LP");
    ClickOk(&dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(opts.m_strBaseName, "FIR");
    EXPECT_EQ(opts.m_nDataFormat, CAsmOpts::Float);
}

TEST(FormatOptionsDialogs, FormatWithoutOptionsIsRefused) {
    CScriptedHost host;
    CFileFormatOpts opts;
    opts.m_nFormat = kFormatDecimal;
    EXPECT_FALSE(ShowFormatOptions(nullptr, opts, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kMsgNoFormatOptions);
}

} // namespace
