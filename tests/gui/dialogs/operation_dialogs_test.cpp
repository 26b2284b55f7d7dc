#include "command_fixture.h"
#include "doc/fir_commands.h"
#include "dsp/signal_messages.h"
#include "modal_driver.h"
#include "support/field_exchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <functional>

namespace {

QAbstractButton* Caption(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text)
            return b;
    return nullptr;
}

void Choose(QWidget* w, const QString& caption) {
    SetTicked(Caption(w, caption), true);
}

struct SCommandCase {
    const char* cli; // the same command for `corvifir-cli run`
    std::function<bool(CFirDoc&, CCommandDialogs&)> command;
    std::function<void(QDialog*)> fill;
};

using OperationDialogs = CCommandFixture;

TEST_F(OperationDialogs, EachCommandChangesTheFilterAsTheCommandLineDoes) {
    const std::vector<SCommandCase> cases = {
        {"scale inphase --method max --value 0.5 --linear --no-round",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Scale(d, g, EParts::Inphase); },
         [](QDialog* d) {
             EXPECT_EQ(d->windowTitle(), "Scale Filter");
             Choose(d, "Maximum coefficient magnitude");
             TypeInto(Field<QLineEdit>(d, "Scale to Value"), "0.5");
             SetTicked(Caption(d, "dB"), false);
             ClickOk(d);
         }},
        {"window complex --type kaiser-bessel --param 6",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Window(d, g, EParts::Complex); },
         [](QDialog* d) {
             Choose(d, "Kaiser-Bessel, Alpha =");
             TypeInto(Field<QLineEdit>(d, "Alpha"), "6");
             ClickOk(d);
         }},
        {"quantize inphase --bits 8 --algorithm round",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Quantize(d, g, EParts::Inphase); },
         [](QDialog* d) {
             TypeInto(Field<QLineEdit>(d, "Quantize to"), "8");
             auto* algorithm = Field<QComboBox>(d, "Algorithm");
             EXPECT_EQ(algorithm->count(), 4); // the searches are offered for the inphase part
             algorithm->setFocus();
             QTest::keyClick(algorithm, Qt::Key_Home);
             QTest::keyClick(algorithm, Qt::Key_Down);
             ClickOk(d);
         }},
        {"mix --divisor 8 --auto-phase",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Mix(d, g); },
         [](QDialog* d) {
             Choose(d, "Fs divided by");
             TypeInto(Field<QLineEdit>(d, "Fs divided by"), "8");
             Choose(d, "Set automatically for linear phase");
             ClickOk(d);
         }},
        {"zero-stuff --stuff 1 --prepend 2 --append 3 --scale-fs",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::ZeroStuff(d, g); },
         [](QDialog* d) {
             TypeInto(Field<QLineEdit>(d, "Stuff"), "1");
             TypeInto(Field<QLineEdit>(d, "Prepend"), "2");
             TypeInto(Field<QLineEdit>(d, "Append"), "3");
             SetTicked(Caption(d, "Scale sampling frequency"), true);
             ClickOk(d);
         }},
        {"truncate --method quantity --value 2 --end beginning",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Truncate(d, g); },
         [](QDialog* d) {
             Choose(d, "Beginning");
             Choose(d, "Quantity");
             TypeInto(Field<QLineEdit>(d, "using value"), "2");
             ClickOk(d);
         }},
        {"polyphase --phases 3 --select 1 --scale-values --no-scale-fs",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::Polyphase(d, g); },
         [](QDialog* d) {
             TypeInto(Field<QLineEdit>(d, "Select polyphase filter number"), "1");
             TypeInto(Field<QLineEdit>(d, "total polyphases"), "3");
             SetTicked(Caption(d, "Scale gain"), true);
             SetTicked(Caption(d, "Scale sampling frequency"), false);
             ClickOk(d);
         }},
        {"fill-constant quadrature --taps 8 --one-over-n",
         [](CFirDoc& d, CCommandDialogs& g) {
             return FirCommand::FillConstant(d, g, EParts::Quadrature);
         },
         [](QDialog* d) {
             TypeInto(Field<QLineEdit>(d, "Number of Taps"), "8");
             SetTicked(Caption(d, "= 1 / NTaps"), true);
             EXPECT_EQ(Field<QLineEdit>(d, "Constant")->text(), "0.125");
             ClickOk(d);
         }},
        {"sampling-frequency 2.5 MHz",
         [](CFirDoc& d, CCommandDialogs& g) { return FirCommand::SamplingFrequency(d, g); },
         [](QDialog* d) {
             TypeInto(Field<QLineEdit>(d, "Sampling Frequency"), "2.5");
             auto* unit = Field<QComboBox>(d, "Units of Frequency,Time");
             unit->setFocus();
             QTest::keyClick(unit, Qt::Key_Home);
             QTest::keyClick(unit, Qt::Key_Down);
             QTest::keyClick(unit, Qt::Key_Down);
             ClickOk(d);
         }},
    };
    for (const SCommandCase& c : cases) {
        SCOPED_TRACE(c.cli);
        const CFirData expected = RunOnCommandLine(c.cli);
        ASSERT_TRUE(doc.OnOpenDocument(Path("proj.cfp")));
        host.messages.clear();
        OnNextModal(c.fill);
        EXPECT_TRUE(c.command(doc, dialogs));
        ExpectSameFilter(doc.Filter(), expected);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(OperationDialogs, ARefusedValueShowsTheMessageAndTheDialogAgain) {
    // Polyphase of 12 taps into 5 phases is refused; the dialog reopens with the values typed.
    int shown = 0;
    std::function<void(QDialog*)> fill = [&](QDialog* d) {
        ++shown;
        if (shown == 1) {
            TypeInto(Field<QLineEdit>(d, "total polyphases"), "5");
            ClickOk(d);
            OnNextModal(fill);
        } else {
            EXPECT_EQ(Field<QLineEdit>(d, "total polyphases")->text(), "5");
            d->reject();
        }
    };
    OnNextModal(fill);
    const CFirData before(doc.Filter());
    EXPECT_FALSE(FirCommand::Polyphase(doc, dialogs));
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
    ExpectSameFilter(doc.Filter(), before);

    // Text that is not a number keeps the dialog itself open.
    OnNextModal([&](QDialog* d) {
        TypeInto(Field<QLineEdit>(d, "Minimum dB"), "low");
        ClickOk(d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(host.LastMessage(), kMsgEnterNumber);
        d->reject();
    });
    EXPECT_FALSE(FirCommand::MinimumDb(doc, dialogs));
}

TEST_F(OperationDialogs, MixAsksOutsideHalfFsAndWindowRefusalEndsTheCommand) {
    // Fs 1 Hz: 1/1.5 lies outside +-0.5; No shows the dialog again.
    host.QueueAnswer(EAnswer::No);
    int shown = 0;
    std::function<void(QDialog*)> fill = [&](QDialog* d) {
        ++shown;
        Choose(d, "Fs divided by");
        TypeInto(Field<QLineEdit>(d, "Fs divided by"), shown == 1 ? "1.5" : "4");
        ClickOk(d);
        if (shown == 1)
            OnNextModal(fill);
    };
    OnNextModal(fill);
    EXPECT_TRUE(FirCommand::Mix(doc, dialogs));
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], SignalMsg::kMixOutOfRange);

    const CFirData before(doc.Filter());
    OnNextModal([](QDialog* d) {
        Choose(d, "Dolph-Cheby, Gamma =");
        TypeInto(Field<QLineEdit>(d, "Gamma"), "0.5");
        ClickOk(d);
    });
    EXPECT_FALSE(FirCommand::Window(doc, dialogs, EParts::Inphase));
    EXPECT_EQ(host.LastMessage(), SignalMsg::kGammaTooSmall);
    ExpectSameFilter(doc.Filter(), before);
}

TEST_F(OperationDialogs, ConvolveListsTheOtherProjects) {
    CScriptedHost otherHost;
    CFirDoc other(otherHost);
    ASSERT_TRUE(other.OnOpenDocument(Path("proj.cfp")));
    other.m_strTitle = "other.cfp";
    OnNextModal([](QDialog* d) {
        auto* list = Field<QListWidget>(d, "Select an open CorviFIR project");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "other.cfp");
        ClickOk(d);
    });
    EXPECT_TRUE(FirCommand::Convolve(doc, dialogs));
    EXPECT_EQ(doc.Filter().GetN(), 23);
}

} // namespace
