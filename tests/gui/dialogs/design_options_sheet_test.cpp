#include "dialogs/design_options_sheet.h"

#include "command_fixture.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "doc/fir_commands.h"
#include "doc/operation_checks.h"
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

TEST_F(DesignOptionsSheet, ARefusedPageShowsItsMessageAndTheSheetAgain) {
    struct Case {
        const char* min;
        const char* max;
        const char* parity;
        const char* message;
    };
    const Case cases[] = {
        {"10", "10", "Odd", kMsgParityConflictsLimits},
        {"20", "10", "None", kMsgMinAboveMax},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        host.messages.clear();
        const NTapsConstraints before = doc.Filter().m_Constraints;
        int shown = 0;
        std::function<void(QDialog*)> fill = [&](QDialog* sheet) {
            if (++shown == 1) {
                GoToPage(sheet, "NTaps Constraints");
                TypeInto(Field<QLineEdit>(sheet, "Minimum"), c.min);
                TypeInto(Field<QLineEdit>(sheet, "Maximum"), c.max);
                SetTicked(Caption(sheet, c.parity), true);
                ClickOk(sheet);
                OnNextModal(fill);
            } else {
                // Shown again on the page, with the values typed.
                EXPECT_EQ(sheet->findChild<QTabWidget*>()->currentIndex(), 1);
                EXPECT_EQ(Field<QLineEdit>(sheet, "Maximum")->text(), c.max);
                sheet->reject();
            }
        };
        OnNextModal(fill);
        EXPECT_FALSE(FirCommand::DesignOptions(doc, dialogs));
        EXPECT_EQ(shown, 2);
        EXPECT_EQ(host.LastMessage(), c.message);
        EXPECT_EQ(doc.Filter().m_Constraints.m_nMax, before.m_nMax);
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
