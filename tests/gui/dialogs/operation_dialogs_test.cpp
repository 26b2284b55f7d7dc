#include "dialogs/operation_dialogs.h"

#include "data/sampling_frequency.h"
#include "doc/dialog_settings.h"
#include "dsp/operation_settings.h"
#include "dsp/signal_messages.h"
#include "modal_driver.h"
#include "support/field_exchange.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

namespace {

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

TEST(OperationDialogs, ScaleTakesTheTypedValuesAndFocusOnTheFrequencyChoosesGainAt) {
    CScriptedHost host;
    CScaleSettings s;
    OnNextModal([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Scale Filter");
        EXPECT_TRUE(Caption(d, "Gain at DC (coefficient sum)")->isChecked());
        TypeInto(Field<QLineEdit>(d, "Gain at frequency"), "0.125");
        EXPECT_TRUE(Caption(d, "Gain at")->isChecked());
        TypeInto(Field<QLineEdit>(d, "Scale to Value"), "-6");
        Tick(Caption(d, "Round to nearest integer"));
        ClickOk(d);
    });
    ASSERT_TRUE(RunScaleDialog(nullptr, s, "kHz", host));
    EXPECT_EQ(s.m_nMethod, 1);
    EXPECT_DOUBLE_EQ(s.m_dFrequency, 0.125);
    EXPECT_DOUBLE_EQ(s.m_dTarget, -6.0);
    EXPECT_EQ(s.m_bInDb, 1);
    EXPECT_EQ(s.m_bRound, 1);

    // Text that is not a number keeps the dialog open; Cancel then changes nothing.
    const CScaleSettings before = s;
    OnNextModal([&](QDialog* d) {
        TypeInto(Field<QLineEdit>(d, "Scale to Value"), "six");
        ClickOk(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(host.LastMessage(), kMsgEnterNumber);
        d->reject();
    });
    EXPECT_FALSE(RunScaleDialog(nullptr, s, "kHz", host));
    EXPECT_DOUBLE_EQ(s.m_dTarget, before.m_dTarget);
}

TEST(OperationDialogs, WindowRefusalEndsTheDialogAsCancel) {
    struct Case {
        const char* window;
        const char* field;
        const char* value;
        bool accepted;
        const char* message;
        int code;
    };
    const Case cases[] = {
        {"Dolph-Cheby, Gamma =", "Gamma", "0.5", false, SignalMsg::kGammaTooSmall, 1},
        {"Kaiser-Bessel, Alpha =", "Alpha", "0", false, SignalMsg::kAlphaNotPositive, 1},
        {"Kaiser-Bessel, Alpha =", "Alpha", "6", true, "", 2},
        {"Hamming", "Alpha", "-1", true, "", 7}, // a parameter the window does not take
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        CScriptedHost host;
        CWindowSettings s; // Dolph-Chebyshev, gamma 40, alpha 4
        OnNextModal([&](QDialog* d) {
            Tick(Caption(d, c.window));
            TypeInto(Field<QLineEdit>(d, c.field), c.value);
            ClickOk(d);
        });
        EXPECT_EQ(RunWindowDialog(nullptr, s, host), c.accepted);
        EXPECT_EQ(host.LastMessage(), c.message);
        EXPECT_EQ(s.m_nCode, c.code);
    }
}

TEST(OperationDialogs, MixOpensWithDefaultsAndAsksOutsideHalfFs) {
    CScriptedHost host;
    SMixSettings s;
    host.QueueAnswer(EAnswer::No);
    int shown = 0;
    OnNextModal([&](QDialog* d) {
        EXPECT_EQ(Field<QLineEdit>(d, "Frequency")->text(), "250");
        EXPECT_EQ(Field<QLineEdit>(d, "Fs divided by")->text(), "4");
        EXPECT_EQ(Field<QLineEdit>(d, "Fs multiplied by")->text(), "0.25");
        Tick(Caption(d, "Fs divided by"));
        TypeInto(Field<QLineEdit>(d, "Fs divided by"), "1.5");
        ClickOk(d); // 2000/3 lies outside +-500: asked, No keeps the dialog
        shown += d->isVisible();
        TypeInto(Field<QLineEdit>(d, "Fs divided by"), "0");
        ClickOk(d);
        shown += d->isVisible();
        TypeInto(Field<QLineEdit>(d, "Fs divided by"), "8");
        ClickOk(d);
    });
    ASSERT_TRUE(RunMixDialog(nullptr, s, 1000.0, host));
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], SignalMsg::kMixOutOfRange);
    EXPECT_EQ(host.LastMessage(), SignalMsg::kMixDivisorZero);
    EXPECT_EQ(s.mode, 1);
    EXPECT_DOUBLE_EQ(MixFrequency(s, 1000.0), 125.0);
}

TEST(OperationDialogs, FillConstantFollowsOneOverTaps) {
    CScriptedHost host;
    CCombFillSettings s;
    s.m_bOneOverN = 0;
    s.m_dConstant = 2.0;
    OnNextModal([](QDialog* d) {
        auto* constant = Field<QLineEdit>(d, "Constant");
        EXPECT_TRUE(constant->isEnabled());
        TypeInto(Field<QLineEdit>(d, "Number of Taps"), "8");
        EXPECT_EQ(constant->text(), "2");
        Tick(Caption(d, "= 1 / NTaps"));
        EXPECT_EQ(constant->text(), "0.125");
        EXPECT_FALSE(constant->isEnabled());
        TypeInto(Field<QLineEdit>(d, "Number of Taps"), "4");
        EXPECT_EQ(constant->text(), "0.25");
        ClickOk(d);
    });
    ASSERT_TRUE(RunCombFillDialog(nullptr, s, host));
    EXPECT_EQ(s.m_nTaps, 4);
    EXPECT_DOUBLE_EQ(s.m_dConstant, 0.25);
    EXPECT_EQ(s.m_bOneOverN, 1);
}

TEST(OperationDialogs, GeneratorMinimumDbAndSamplingFrequencyTakeTheirFields) {
    CScriptedHost host;
    CGenerateSettings g;
    OnNextModal([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Waveform Generator");
        TypeInto(Field<QLineEdit>(d, "Number of Samples"), "64");
        Tick(Caption(d, "Frequency"));
        TypeInto(Field<QLineEdit>(d, "Frequency"), "0.0625");
        ClickOk(d);
    });
    ASSERT_TRUE(RunGenerateDialog(nullptr, g, host));
    EXPECT_EQ(g.m_nSamples, 64);
    EXPECT_EQ(g.m_nRateMode, 0);
    EXPECT_FLOAT_EQ(g.m_fFrequency, 0.0625f);

    double minDb = -130.0;
    OnNextModal([](QDialog* d) {
        TypeInto(Field<QLineEdit>(d, "Minimum dB"), "-90");
        ClickOk(d);
    });
    ASSERT_TRUE(RunMinDbDialog(nullptr, minDb, host));
    EXPECT_DOUBLE_EQ(minDb, -90.0);

    CFs fs(1.0, 0);
    OnNextModal([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Set Sampling Frequency");
        TypeInto(Field<QLineEdit>(d, "Sampling Frequency"), "2.5");
        auto* unit = Field<QComboBox>(d, "Units of Frequency,Time");
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);
        QTest::keyClick(unit, Qt::Key_Down);
        ClickOk(d);
    });
    ASSERT_TRUE(RunSampRateDialog(nullptr, fs, host));
    EXPECT_EQ(fs, CFs(2.5, 2));
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
