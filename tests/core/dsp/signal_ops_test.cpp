#include "data/corvi_data.h"
#include "dsp/signal_messages.h"
#include "dsp/signal_ops.h"
#include "dsp/windows.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Values = std::vector<double>;
constexpr double kPi = 3.14159265358979323846;

// Replaces the data with I and Q (Q zero and the data real when q is empty).
void Load(CCorviData& d, const Values& i, const Values& q = {}) {
    d.RemoveAll();
    for (double v : i)
        d.m_pI->Add(v);
    for (size_t k = 0; k < i.size(); ++k)
        d.m_pQ->Add(q.empty() ? 0.0 : q[k]);
    d.m_bReal = q.empty() ? 1 : 0;
    d.ResetRange();
}

Values Col(const CDataColumn& c) {
    return Values(c.begin(), c.end());
}

void ExpectNear(const Values& actual, const Values& expected, double tol) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t k = 0; k < actual.size(); ++k)
        EXPECT_NEAR(actual[k], expected[k], tol) << "at " << k;
}

Values Ramp(int n) {
    Values v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[k] = k;
    return v;
}

} // namespace

TEST(SignalOps, ApplyWindowWeighsChosenColumnsAndRecordsTheCode) {
    CCorviData d;
    Load(d, {1, 1, 1, 1, 1}, {2, 2, 2, 2, 2});
    ApplyWindow(d, static_cast<int>(EWindow::Hanning), 0.0, true, false);
    ExpectNear(Col(*d.m_pI), {0, 0.5, 1, 0.5, 0}, 1e-15);
    ExpectNear(Col(*d.m_pQ), {2, 2, 2, 2, 2}, 0.0);
    EXPECT_EQ(d.m_nWindow, 5);
    ApplyWindow(d, static_cast<int>(EWindow::Hamming), 0.0, false, true);
    ExpectNear(Col(*d.m_pQ), {0.16, 1.08, 2, 1.08, 0.16}, 1e-15);
    EXPECT_EQ(d.m_nWindow, 7);

    // Real data keeps its Q as it is, even a residue below the real-detection threshold.
    Load(d, {1, 1, 1, 1, 1}, {0, 1e-7, 0, 0, 0});
    d.m_bReal = 1;
    ApplyWindow(d, static_cast<int>(EWindow::Hanning), 0.0, true, true);
    EXPECT_EQ((*d.m_pQ)[1], 1e-7);
    EXPECT_EQ((*d.m_pI)[1], 0.5);

    CCorviData empty;
    ApplyWindow(empty, 1, 40.0, true, true);
    EXPECT_EQ(empty.m_nWindow, -1);
}

TEST(SignalOps, ScaleMultipliesRoundsAndAsksBeforeClearing) {
    CScriptedHost host;
    CCorviData d(&host);
    Load(d, {1, -1, 0.2, 0.1});
    d.m_pQ->SetAt(0, 1e-9); // residue of real data: never scaled
    ASSERT_TRUE(Scale(d, true, true, true, 2.5));
    ExpectNear(Col(*d.m_pI), {3, -3, 1, 0}, 0.0); // 2.5 -> 3, -2.5 -> -3, 0.5 -> 1, 0.25 -> 0
    EXPECT_EQ((*d.m_pQ)[0], 1e-9);
    EXPECT_TRUE(host.questions.empty());

    Load(d, {1, 2}, {3, 4});
    ASSERT_TRUE(Scale(d, false, true, false, -0.5));
    ExpectNear(Col(*d.m_pI), {1, 2}, 0.0);
    ExpectNear(Col(*d.m_pQ), {-1.5, -2}, 0.0);

    host.QueueAnswer(EAnswer::No);
    EXPECT_FALSE(Scale(d, true, true, false, 0.0));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], SignalMsg::kScaleByZero);
    ExpectNear(Col(*d.m_pI), {1, 2}, 0.0);
    host.QueueAnswer(EAnswer::Yes);
    EXPECT_TRUE(Scale(d, true, true, false, 0.0));
    ExpectNear(Col(*d.m_pI), {0, 0}, 0.0);
    ExpectNear(Col(*d.m_pQ), {0, 0}, 0.0);

    // Without a host the question cannot be asked, and nothing is cleared.
    CCorviData alone;
    Load(alone, {1, 2});
    EXPECT_FALSE(Scale(alone, true, true, false, 0.0));
    ExpectNear(Col(*alone.m_pI), {1, 2}, 0.0);
}

TEST(SignalOps, FillReplacesColumnsAndPadsTheOther) {
    CCorviData d;
    Load(d, {5, 6}, {7, 8});
    d.m_bReal = 1;
    d.m_nWindow = 3;
    Fill(d, 4, true, false, 0.25);
    ExpectNear(Col(*d.m_pI), {0.25, 0.25, 0.25, 0.25}, 0.0);
    ExpectNear(Col(*d.m_pQ), {0, 0, 0, 0}, 0.0); // real data loses its Q
    EXPECT_TRUE(d.IsReal());
    EXPECT_EQ(d.m_nWindow, -1);
    EXPECT_EQ(d.m_nLast, 3);

    Fill(d, 3, false, true, 2.0);
    ExpectNear(Col(*d.m_pI), {0.25, 0.25, 0.25, 0.25}, 0.0);
    ExpectNear(Col(*d.m_pQ), {2, 2, 2, 0}, 0.0);
    EXPECT_FALSE(d.IsReal());
}

TEST(SignalOps, GenerateFollowsTheClosedFormOverManyPhaseWraps) {
    CCorviData d;
    d.ApplyFs(CFs(8.0, 1)); // 8 kHz
    d.m_nWindow = 2;
    ASSERT_TRUE(Generate(d, 1000, true, true, 0.3, 30.0)); // 0.3 kHz
    ASSERT_EQ(d.GetN(), 1000);
    for (int k = 0; k < 1000; k += 37) {
        const double phi = 2 * kPi * 0.3 * k / 8.0 + kPi / 6;
        EXPECT_NEAR((*d.m_pI)[k], std::cos(phi), 1e-11) << k;
        EXPECT_NEAR((*d.m_pQ)[k], std::sin(phi), 1e-11) << k;
    }
    EXPECT_FALSE(d.IsReal());
    EXPECT_EQ(d.m_nWindow, -1);

    // Two cycles in eight samples is a quarter of Fs: 1, 0, -1, 0, ...; Q is padded with zeros.
    d.RemoveAll();
    ASSERT_TRUE(GenerateCycles(d, 8, true, false, 2.0, 0.0));
    ExpectNear(Col(*d.m_pI), {1, 0, -1, 0, 1, 0, -1, 0}, 1e-12);
    ExpectNear(Col(*d.m_pQ), Values(8, 0.0), 0.0);
    EXPECT_TRUE(d.IsReal());

    d.ApplyFs(CFs(0.0, 0));
    Load(d, {1, 2});
    EXPECT_FALSE(Generate(d, 4, true, true, 0.1, 0.0));
    ExpectNear(Col(*d.m_pI), {1, 2}, 0.0);
}

TEST(SignalOps, MixShiftsByAComplexSine) {
    CCorviData d;
    d.ApplyFs(CFs(1000.0, 0));
    Load(d, Values(8, 1.0));
    ASSERT_TRUE(Mix(d, 250.0, 0.0));
    ExpectNear(Col(*d.m_pI), {1, 0, -1, 0, 1, 0, -1, 0}, 1e-12);
    ExpectNear(Col(*d.m_pQ), {0, 1, 0, -1, 0, 1, 0, -1}, 1e-12);
    EXPECT_FALSE(d.IsReal());

    Load(d, {1, 2, 3});
    ASSERT_TRUE(Mix(d, 0.0, 0.0));
    ExpectNear(Col(*d.m_pI), {1, 2, 3}, 0.0);
    EXPECT_TRUE(d.IsReal());

    // Mixing up and back down returns the data, across many wraps of the phase.
    Values ramp = Ramp(500);
    Load(d, ramp);
    ASSERT_TRUE(Mix(d, 123.4, 2.5));
    ASSERT_TRUE(Mix(d, -123.4, -2.5));
    ExpectNear(Col(*d.m_pI), ramp, 1e-9);
    EXPECT_TRUE(d.IsReal());
}

TEST(SignalOps, ZeroStuffingAndPadding) {
    CCorviData d;
    d.ApplyFs(CFs(2.0, 1));
    Load(d, {1, 2, 3}, {4, 5, 6});
    StuffZeros(d, 2, true);
    ExpectNear(Col(*d.m_pI), {1, 0, 0, 2, 0, 0, 3}, 0.0);
    ExpectNear(Col(*d.m_pQ), {4, 0, 0, 5, 0, 0, 6}, 0.0);
    EXPECT_EQ(d.m_dFs, 6.0);
    EXPECT_EQ(d.m_nLast, 6);
    PrependZeros(d, 2);
    AppendZeros(d, 1);
    ExpectNear(Col(*d.m_pI), {0, 0, 1, 0, 0, 2, 0, 0, 3, 0}, 0.0);
    ExpectNear(Col(*d.m_pQ), {0, 0, 4, 0, 0, 5, 0, 0, 6, 0}, 0.0);
    EXPECT_EQ(d.m_nLast, 9);

    Load(d, {7});
    StuffZeros(d, 3, false);
    StuffZeros(d, 0, true);
    PrependZeros(d, -1);
    AppendZeros(d, 0);
    ExpectNear(Col(*d.m_pI), {7}, 0.0);
    EXPECT_EQ(d.m_dFs, 6.0);
}

TEST(SignalOps, TruncateByQuantityAndMagnitude) {
    struct Case {
        int kind, mode;
        double value;
        Values input;
        int removed;
        Values kept;
    };
    const Values ramp = Ramp(10);
    const Values mags = {1, 0.2, 0.8, 0.1, 0.05};
    const Values peaky = {0.001, 0.01, 1, 0.5, 0.0001};
    const Case cases[] = {
        {0, 0, 2.4, ramp, 2, {2, 3, 4, 5, 6, 7}},
        {0, 0, 6, ramp, 0, ramp},                   // would leave fewer than no points
        {0, 0, 5, ramp, 5, {}},                     // leaves exactly none
        {0, 1, -3, ramp, 3, {3, 4, 5, 6, 7, 8, 9}}, // the value's sign is dropped
        {0, 2, 2.5, ramp, 3, {0, 1, 2, 3, 4, 5, 6}},
        {0, 3, 2, ramp, 0, ramp}, // no such end
        {9, 0, 2, ramp, 0, ramp}, // no such kind
        {1, 2, 0.5, mags, 2, {1, 0.2, 0.8}},
        {1, 1, 0.5, {0.1, 0.7, 0.2}, 1, {0.7, 0.2}},
        {1, 0, 0.5, {0.1, 0.7, 0.2, 0.9}, 1, {0.7, 0.2}}, // the leading count at both ends
        {1, 1, 5.0, mags, 0, mags},                       // nothing exceeds the threshold
        {2, 1, 30, peaky, 2, {1, 0.5, 0.0001}},           // 30 dB below the peak of 1
        {3, 2, 20, peaky, 1, {0.001, 0.01, 1, 0.5}},      // 20 dB below the sum of 1.5111
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.kind << " mode " << c.mode << " value " << c.value);
        CCorviData d;
        Load(d, c.input);
        EXPECT_EQ(Truncate(d, c.kind, c.mode, c.value), c.removed);
        ExpectNear(Col(*d.m_pI), c.kept, 0.0);
        EXPECT_EQ(d.m_pQ->GetSize(), static_cast<int>(c.kept.size()));
        EXPECT_EQ(d.m_nLast, std::max(0, static_cast<int>(c.kept.size()) - 1));
    }
    // The magnitude counts Q as well.
    CCorviData d;
    Load(d, {0.1, 0.1, 0.1}, {0, 0.6, 0});
    EXPECT_EQ(TruncateBelow(d, 1, 0.5), 1);
    ExpectNear(Col(*d.m_pQ), {0.6, 0}, 0.0);
}

TEST(SignalOps, TrimZerosRemovesExactZerosOfBothColumns) {
    CCorviData d;
    Load(d, {0, 0, 1, 0, 2, 0, 0}, {0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(TrimZeros(d), 4);
    ExpectNear(Col(*d.m_pI), {1, 0, 2}, 0.0);
    EXPECT_EQ(d.m_nLast, 2);

    Load(d, {0, 0, 1, 0, 0}, {0, 0, 0, 1e-300, 0});
    TrimTrailingZeros(d);
    ExpectNear(Col(*d.m_pI), {0, 0, 1, 0}, 0.0);
    ExpectNear(Col(*d.m_pQ), {0, 0, 0, 1e-300}, 0.0);

    Load(d, {0, 0, 0});
    EXPECT_EQ(TrimZeros(d), 3);
    EXPECT_TRUE(d.IsEmpty());
    Load(d, {0, 0, 0});
    TrimTrailingZeros(d);
    EXPECT_TRUE(d.IsEmpty());
    Load(d, {1, 2});
    EXPECT_EQ(TrimZeros(d), 0);
}

TEST(SignalOps, SelectPhaseKeepsEveryStepthPoint) {
    CCorviData d;
    d.ApplyFs(CFs(4.0, 1)); // 4 kHz
    Load(d, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 1, 1, 1, 1, 1, 1, 1});
    ASSERT_TRUE(SelectPhase(d, 1, 4, true, true));
    ExpectNear(Col(*d.m_pI), {8, 24}, 0.0);
    ExpectNear(Col(*d.m_pQ), {4, 4}, 0.0);
    EXPECT_EQ(d.m_Fs.m_dValue, 1.0);
    EXPECT_EQ(d.m_Fs.m_nUnit, 1);
    EXPECT_EQ(d.m_nLast, 1);

    // Real data keeps its Q unscaled; an Fs below 0.001 of its unit moves to a smaller unit.
    d.ApplyFs(CFs(0.004, 1));
    Load(d, {1, 2, 3}, {0, 0, 1e-9});
    d.m_bReal = 1;
    ASSERT_TRUE(SelectPhase(d, 0, 8, true, true));
    ExpectNear(Col(*d.m_pI), {8}, 0.0);
    ExpectNear(Col(*d.m_pQ), {0}, 0.0);
    EXPECT_DOUBLE_EQ(d.m_Fs.m_dValue, 0.5);
    EXPECT_EQ(d.m_Fs.m_nUnit, 0);
    EXPECT_DOUBLE_EQ(d.m_dFs, 0.5);

    Load(d, {1, 2, 3});
    EXPECT_FALSE(SelectPhase(d, 2, 2, false, false));
    EXPECT_FALSE(SelectPhase(d, 0, 0, false, false));
    EXPECT_FALSE(SelectPhase(d, -1, 3, false, false));
    ExpectNear(Col(*d.m_pI), {1, 2, 3}, 0.0);
}

namespace {

struct SConvolveCase {
    std::vector<std::complex<double>> a, b, c;
};

// Reads the numpy.convolve results written by tools/refdata/dsp_windows_reference.py.
std::vector<SConvolveCase> LoadConvolveCases() {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/dsp/convolve.txt");
    std::vector<SConvolveCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream head(line);
        std::string tag;
        int la = 0, lb = 0;
        head >> tag >> la >> lb;
        SConvolveCase c;
        auto read = [&](std::vector<std::complex<double>>& v, int n) {
            for (int k = 0; k < n; ++k) {
                double re = 0, im = 0;
                in >> re >> im;
                v.emplace_back(re, im);
            }
        };
        read(c.a, la);
        read(c.b, lb);
        read(c.c, la + lb - 1);
        std::getline(in, line);
        cases.push_back(std::move(c));
    }
    return cases;
}

void LoadComplexValues(CCorviData& d, const std::vector<std::complex<double>>& v) {
    Values i, q;
    bool real = true;
    for (auto z : v) {
        i.push_back(z.real());
        q.push_back(z.imag());
        real = real && z.imag() == 0.0;
    }
    Load(d, i, real ? Values{} : q);
}

} // namespace

TEST(SignalOps, ConvolveMatchesNumpyForRealAndComplexOperands) {
    const auto cases = LoadConvolveCases();
    ASSERT_EQ(cases.size(), 4u);
    for (const auto& c : cases) {
        CCorviData a, b;
        LoadComplexValues(a, c.a);
        LoadComplexValues(b, c.b);
        const bool real = a.IsReal() && b.IsReal();
        SCOPED_TRACE(testing::Message() << a.IsReal() << b.IsReal());
        a.m_nWindow = 4;
        Convolve(a, b);
        ASSERT_EQ(a.GetN(), static_cast<int>(c.c.size()));
        ASSERT_EQ(a.m_pQ->GetSize(), a.GetN());
        for (size_t k = 0; k < c.c.size(); ++k) {
            EXPECT_NEAR((*a.m_pI)[static_cast<int>(k)], c.c[k].real(), 1e-12);
            EXPECT_NEAR((*a.m_pQ)[static_cast<int>(k)], c.c[k].imag(), 1e-12);
        }
        EXPECT_EQ(a.IsReal(), real);
        EXPECT_EQ(a.m_nLast, a.GetN() - 1);
    }
    // A signal convolved with itself.
    CCorviData d;
    Load(d, {1, 2, 3});
    Convolve(d, d);
    ExpectNear(Col(*d.m_pI), {1, 4, 10, 12, 9}, 0.0);
    // An empty operand changes nothing.
    CCorviData empty;
    Convolve(d, empty);
    EXPECT_EQ(d.GetN(), 5);
}

TEST(SignalOps, IntegrateGivesRunningSumsAtTheSourceRate) {
    CCorviData src;
    src.ApplyFs(CFs(2.0, 1));
    Load(src, {1, 2, 3}, {1, 0, -1});
    CCorviData step;
    Integrate(step, src);
    ExpectNear(Col(*step.m_pI), {1, 3, 6}, 0.0);
    ExpectNear(Col(*step.m_pQ), {1, 1, 0}, 0.0);
    EXPECT_EQ(step.m_Fs, src.m_Fs);
    EXPECT_EQ(step.m_dFs, 2.0);
    EXPECT_FALSE(step.IsReal());
    EXPECT_EQ(step.m_nLast, 2);

    Integrate(src, src);
    ExpectNear(Col(*src.m_pI), {1, 3, 6}, 0.0);
}
