#include "dialogs/design_options_sheet.h"

#include "design/coefficient_messages.h"
#include "design/design_types.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "modal_driver.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

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
    auto* tabs = sheet->findChild<QTabWidget*>();
    tabs->setCurrentIndex(TabNames(sheet).indexOf(name));
}

QAbstractButton* Caption(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text)
            return b;
    return nullptr;
}

void Tick(QAbstractButton* b) {
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
}

class DesignOptionsSheetTest : public ::testing::Test {
protected:
    void SetUp() override { filter.SetDesignType(kDesignSimplePm); }
    CScriptedHost host;
    CFirData filter{&host};
};

TEST_F(DesignOptionsSheetTest, AcceptedValuesReachTheFilterAndThePageIsRemembered) {
    int lastPage = 3;
    OnNextModal([](QDialog* sheet) {
        EXPECT_EQ(sheet->windowTitle(), "FIR Design Options");
        EXPECT_EQ(TabNames(sheet), (QStringList{"Sampling Frequency", "NTaps Constraints",
                                                "Min Phase", "Quantization"}));
        EXPECT_EQ(sheet->findChild<QTabWidget*>()->currentIndex(), 3);
        // 12 bits, then "Quantize to" switched off: the word length is kept as -12.
        Tick(Caption(sheet, "Quantize to"));
        TypeInto(Field<QLineEdit>(sheet, "Quantize to bits"), "12");
        Tick(Caption(sheet, "Quantize to"));
        GoToPage(sheet, "Sampling Frequency");
        TypeInto(Field<QLineEdit>(sheet, "Sampling Frequency"), "48");
        auto* unit = Field<QComboBox>(sheet, "Units of Frequency,Time");
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);
        GoToPage(sheet, "Min Phase");
        Tick(Caption(sheet, "Convert to minimum phase"));
        ClickOk(sheet);
    });
    ASSERT_TRUE(ShowDesignOptions(nullptr, filter, lastPage, host));
    EXPECT_EQ(lastPage, 2);
    EXPECT_EQ(filter.m_Quant.m_nBits, -12);
    EXPECT_EQ(filter.m_Fs, CFs(48.0, 1));
    EXPECT_EQ(filter.m_MinPhase.m_bEnabled, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignOptionsSheetTest, ARefusingPageKeepsTheSheetOnIt) {
    struct Case {
        const char* min;
        const char* max;
        const char* parity;
        const char* multiple; // nullptr: "Multiple of" off
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {"10", "10", "Odd", nullptr, kMsgParityConflictsLimits},
        {"10", "10", "Even", nullptr, nullptr},
        {"11", "14", "None", "5", kMsgMultipleOutsideLimits},
        {"8", "14", "None", "5", nullptr},
        {"9", "99", "Odd", "4", kMsgMultipleEvenWhenOdd},
        {"20", "10", "None", nullptr, kMsgMinAboveMax},
        {"x", "10", "None", nullptr, "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.min) + ".." + c.max + " " + c.parity);
        host.messages.clear();
        CFirData before(filter);
        CFirDesignOptionsSheet sheet(filter, 1, host, nullptr);
        sheet.show();
        TypeInto(Field<QLineEdit>(&sheet, "Minimum"), c.min);
        TypeInto(Field<QLineEdit>(&sheet, "Maximum"), c.max);
        Tick(Caption(&sheet, c.parity));
        if (Caption(&sheet, "Multiple of")->isChecked() != (c.multiple != nullptr))
            Tick(Caption(&sheet, "Multiple of"));
        if (c.multiple)
            TypeInto(Field<QLineEdit>(&sheet, "Multiple"), c.multiple);
        GoToPage(&sheet, "Quantization"); // leaving the page checks it
        if (c.message) {
            EXPECT_EQ(sheet.ActivePage(), 1);
            EXPECT_EQ(host.LastMessage(), c.message);
            ClickOk(&sheet);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(filter.m_Constraints.m_nMin, before.m_Constraints.m_nMin);
            sheet.reject();
        } else {
            EXPECT_EQ(sheet.ActivePage(), 3);
            EXPECT_TRUE(host.messages.empty()) << host.LastMessage();
            ClickOk(&sheet);
            EXPECT_FALSE(sheet.isVisible());
            EXPECT_EQ(filter.m_Constraints.m_nMin, std::atoi(c.min));
        }
    }
}

TEST_F(DesignOptionsSheetTest, CicShowsTwoPagesAndQuantizationEnablingFollowsTheChoices) {
    filter.SetDesignType(kDesignCic);
    filter.m_Quant.m_nBits = 16;
    CFirDesignOptionsSheet sheet(filter, 1, host, nullptr);
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
    TypeInto(from, "40");
    TypeInto(Field<QLineEdit>(&sheet, "to"), "8");
    ClickOk(&sheet);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(host.LastMessage(), kMsgQuantSearchRange);
    Tick(Caption(&sheet, "Quantize to"));
    EXPECT_FALSE(algorithm->isEnabled());
    EXPECT_FALSE(from->isEnabled());
}

} // namespace
