#include "dialogs/design_options_sheet.h"

#include "command_fixture.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "doc/fir_commands.h"
#include "doc/operation_checks.h"
#include "dsp/min_phase_options.h"
#include "modal_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QStringList TabNames(QWidget* sheet) {
    auto* tabs = sheet->findChild<QTabWidget*>();
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        names << tabs->tabText(i);
    return names;
}

void GoToPage(QWidget* sheet, const QString& name) {
    sheet->findChild<QTabWidget*>()->setCurrentIndex(TabNames(sheet).indexOf(name));
}

QAbstractButton* Caption(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text)
            return b;
    return nullptr;
}

using DesignOptionsSheet = CCommandFixture;

TEST_F(DesignOptionsSheet, SetsTheFilterAsTheCommandLineAndReopensOnThePageLastAccepted) {
    const CFirData expected = RunOnCommandLine(
        "design-options --fs 48 --fs-unit kHz --min-taps 9 --max-taps 99 --parity odd "
        "--quantize 12 --quant-algorithm round --min-phase yes");
    doc.m_nDesignOptionsPage = 3;
    OnNextModal([](QDialog* sheet) {
        EXPECT_EQ(sheet->windowTitle(), "FIR Design Options");
        EXPECT_EQ(TabNames(sheet), (QStringList{"Sampling Frequency", "NTaps Constraints",
                                                "Min Phase", "Quantization"}));
        EXPECT_EQ(sheet->findChild<QTabWidget*>()->currentIndex(), 3);
        SetTicked(Caption(sheet, "Quantize to"), true);
        TypeInto(Field<QLineEdit>(sheet, "Quantize to bits"), "12");
        auto* algorithm = Field<QComboBox>(sheet, "Algorithm");
        algorithm->setFocus();
        QTest::keyClick(algorithm, Qt::Key_Home);
        QTest::keyClick(algorithm, Qt::Key_Down);
        GoToPage(sheet, "Sampling Frequency");
        TypeInto(Field<QLineEdit>(sheet, "Sampling Frequency"), "48");
        auto* unit = Field<QComboBox>(sheet, "Units of Frequency,Time");
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Home);
        QTest::keyClick(unit, Qt::Key_Down);
        GoToPage(sheet, "Min Phase");
        SetTicked(Caption(sheet, "Convert to minimum phase"), true);
        GoToPage(sheet, "NTaps Constraints");
        TypeInto(Field<QLineEdit>(sheet, "Minimum"), "9");
        TypeInto(Field<QLineEdit>(sheet, "Maximum"), "99");
        SetTicked(Caption(sheet, "Odd"), true);
        ClickOk(sheet);
    });
    ASSERT_TRUE(FirCommand::DesignOptions(doc, dialogs));
    EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
    const CFirData& f = doc.Filter();
    EXPECT_EQ(f.m_Fs, expected.m_Fs);
    EXPECT_EQ(f.m_Quant.m_nBits, expected.m_Quant.m_nBits);
    EXPECT_EQ(f.m_Quant.m_nAlgorithm, expected.m_Quant.m_nAlgorithm);
    EXPECT_EQ(f.m_MinPhase, expected.m_MinPhase);
    EXPECT_EQ(f.m_Constraints.m_nMin, expected.m_Constraints.m_nMin);
    EXPECT_EQ(f.m_Constraints.m_nMax, expected.m_Constraints.m_nMax);
    EXPECT_EQ(f.m_Constraints.m_nParity, expected.m_Constraints.m_nParity);
    EXPECT_EQ(doc.m_nDesignOptionsPage, 1); // the page shown at OK
}

TEST_F(DesignOptionsSheet, ARefusedPageKeepsTheSheetOpenOnThatPageWithItsMessage) {
    struct Case {
        const char* page;
        const char* tick; // a check or radio button ticked first (nullptr: none)
        const char* field;
        const char* text;
        int refusingPage;
        const char* message;
    };
    // Each case first sets Minimum 10 on the constraints page, then types its field; OK is
    // pressed while the Quantization page is shown.
    const Case cases[] = {
        {"NTaps Constraints", "Odd", "Maximum", "10", 1, kMsgParityConflictsLimits},
        {"NTaps Constraints", nullptr, "Maximum", "5", 1, kMsgMinAboveMax},
        {"Min Phase", "Convert to minimum phase", "Maximum frequency response error", "0", 2,
         kMsgMaxDbErrorNotPositive},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        host.messages.clear();
        doc.m_nDesignOptionsPage = 3;
        const CFirData before(doc.Filter());
        bool stayedOpen = false;
        int shownPage = -1;
        OnNextModal([&](QDialog* sheet) {
            GoToPage(sheet, "NTaps Constraints");
            TypeInto(Field<QLineEdit>(sheet, "Minimum"), "10");
            TypeInto(Field<QLineEdit>(sheet, "Maximum"), "20");
            GoToPage(sheet, c.page);
            if (c.tick)
                SetTicked(Caption(sheet, c.tick), true);
            TypeInto(Field<QLineEdit>(sheet, c.field), c.text);
            GoToPage(sheet, "Quantization");
            ClickOk(sheet);
            stayedOpen = sheet->isVisible();
            shownPage = sheet->findChild<QTabWidget*>()->currentIndex();
            EXPECT_EQ(host.LastMessage(), c.message);
            EXPECT_EQ(Field<QLineEdit>(sheet, c.field)->text(), c.text); // as typed
            sheet->reject();
        });
        EXPECT_FALSE(FirCommand::DesignOptions(doc, dialogs));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(shownPage, c.refusingPage);
        EXPECT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(doc.Filter().m_Constraints.m_nMin, before.m_Constraints.m_nMin);
        EXPECT_EQ(doc.Filter().m_MinPhase, before.m_MinPhase);
    }
}

TEST_F(DesignOptionsSheet, CicShowsTwoPagesAndQuantizationEnablingFollowsTheChoices) {
    CFirData cic(&host);
    cic.SetDesignType(kDesignCic);
    cic.m_Quant.m_nBits = 16;
    CDesignOptions options = GetDesignOptions(cic, 1);
    CFirDesignOptionsSheet sheet(options, host, nullptr);
    sheet.show();
    EXPECT_EQ(TabNames(&sheet), (QStringList{"Sampling Frequency", "Quantization"}));
    auto* from = Field<QLineEdit>(&sheet, "from");
    auto* algorithm = Field<QComboBox>(&sheet, "Algorithm");
    EXPECT_TRUE(algorithm->isEnabled());
    EXPECT_FALSE(from->isEnabled()); // "Round Multiple" does not search
    algorithm->setFocus();
    QTest::keyClick(algorithm, Qt::Key_Down);
    QTest::keyClick(algorithm, Qt::Key_Down);
    EXPECT_TRUE(from->isEnabled()); // "Symmetric Search"
    SetTicked(Caption(&sheet, "Quantize to"), false);
    EXPECT_FALSE(algorithm->isEnabled());
    EXPECT_FALSE(from->isEnabled());
    ClickOk(&sheet);
    EXPECT_FALSE(options.m_Quant.m_bQuantize);
    EXPECT_EQ(options.m_Quant.m_nBits, 16); // kept while quantization is off
    EXPECT_EQ(options.m_nPage, 1);
}

} // namespace
