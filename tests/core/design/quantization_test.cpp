#include "design/coefficient_messages.h"
#include "design/design_job.h"
#include "design/design_types.h"
#include "design/fir_data.h"
#include "design/pm_method.h"
#include "design/quant_search.h"
#include "design/quantization.h"
#include "dsp/fixed_point.h"
#include "response/fir_freq_response.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

enum { kRoundMultiple = 0, kRound = 1, kSymmetric = 2, kAsymmetric = 3 };

void SetTaps(CCorviData& f, const std::vector<double>& i, const std::vector<double>& q = {}) {
    f.m_pI->SetSize(0);
    f.m_pQ->SetSize(0);
    for (size_t k = 0; k < i.size(); ++k) {
        f.m_pI->Add(i[k]);
        f.m_pQ->Add(q.empty() ? 0.0 : q[k]);
    }
    f.m_bReal = q.empty() ? 1 : 0;
    f.ResetRange();
}

std::vector<double> Column(const CDataColumn& c) {
    return std::vector<double>(c.begin(), c.end());
}

QuantOptions Options(int bits, int algorithm) {
    QuantOptions o;
    o.m_nBits = bits;
    o.m_nAlgorithm = algorithm;
    return o;
}

// A Hamming-windowed sinc lowpass of cutoff fc (fraction of Fs), times gain.
std::vector<double> Lowpass(int taps, double fc, double gain = 1.0) {
    std::vector<double> h(static_cast<size_t>(taps));
    const double centre = (taps - 1) / 2.0;
    for (int n = 0; n < taps; ++n) {
        const double t = n - centre;
        const double sinc =
            t == 0.0 ? 2.0 * fc
                     : std::sin(2.0 * std::numbers::pi * fc * t) / (std::numbers::pi * t);
        const double w = 0.54 - 0.46 * std::cos(2.0 * std::numbers::pi * n / (taps - 1));
        h[static_cast<size_t>(n)] = gain * sinc * w;
    }
    return h;
}

std::vector<double> ReadColumn(const std::string& name) {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/quant/" + name);
    std::vector<double> v;
    double x = 0.0;
    while (in >> x)
        v.push_back(x);
    return v;
}

// ---- the searches, transcribed step by step with one transform per measurement -------------

struct SNaive {
    std::vector<double> taps;
    bool closeCall = false; // some comparison was decided within rounding
};

bool Close(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

bool InRange(const CFixedPointQuantizer& q, double level) {
    const double s = level * q.m_dFullScale;
    return s >= static_cast<double>(q.m_nLower) && s <= static_cast<double>(q.m_nUpper);
}

SNaive NaiveSearch(const std::vector<double>& taps, const std::vector<double>& qtaps,
                   const QuantOptions& o) {
    CFirData f;
    SetTaps(f, taps, qtaps);
    CFixedPointQuantizer q;
    q.Setup(o.m_nBits);
    CFirFreqResponse reference(&f);
    reference.ComputeResponse(o.m_nSearchHigh);
    CDataColumn& x = *f.m_pI;
    const int n = f.GetN();
    const double step = q.m_dInvFullScale;
    SNaive out;
    auto measure = [&](int m) {
        f.m_Response.ComputeResponse(m);
        return ResponseError(f.m_Response, reference);
    };
    if (o.m_nAlgorithm == kSymmetric) {
        int i = n % 2 ? n / 2 : n / 2 - 1;
        int j = n / 2;
        double carry = 0.0;
        for (; i >= 0; --i, ++j) {
            if (x[i] != x[j]) {
                x[i] = q.Quantize(x[i]);
                x[j] = q.Quantize(x[j]);
                continue;
            }
            const double before = x[i];
            const double v = before + carry;
            const double level = q.Quantize(v);
            std::vector<double> candidates{level};
            if (level < v)
                candidates = {level, level + step};
            else if (level > v)
                candidates = {level - step, level};
            double best = 1e30;
            double chosen = 0.0;
            for (double c : candidates) {
                if (!InRange(q, c))
                    continue;
                x[i] = x[j] = c;
                for (int m = o.m_nSearchLow; m <= o.m_nSearchHigh; m *= 2) {
                    const double e = measure(m);
                    out.closeCall = out.closeCall || Close(e, best);
                    if (e < best) {
                        best = e;
                        chosen = c;
                    }
                }
            }
            x[i] = x[j] = chosen;
            carry = before - chosen;
        }
    } else {
        const int k0 = n / 2;
        for (int k = k0;
             k >= 0 && k<n; k = k> k0 ? 2 * k0 - k - 1 : (k < k0 ? 2 * k0 - k : k0 - 1)) {
            const double r = q.Quantize(x[k]);
            double best = 1e30;
            double chosen = 0.0;
            for (double u : {-step, 0.0, step}) {
                if (!InRange(q, r + u))
                    continue;
                x[k] = r + u;
                for (int m = o.m_nSearchLow; m <= o.m_nSearchHigh; m *= 2) {
                    const double e = measure(m);
                    out.closeCall = out.closeCall || Close(e, best);
                    if (e >= best)
                        break;
                    best = e;
                    chosen = u;
                }
            }
            x[k] = r + chosen;
        }
    }
    out.taps = Column(x);
    return out;
}

// A host that records the titles of the long jobs it runs.
class CTitleHost : public CScriptedHost {
public:
    std::vector<std::string> titles;

protected:
    void OpenJobDisplay(CLongJob& job) override {
        titles.push_back(job.Title());
        CScriptedHost::OpenJobDisplay(job);
    }
};

// A host whose status display cancels the job as soon as it shows quantization progress.
class CCancelOnProgressHost : public CScriptedHost {
public:
    bool cancelled = false;
    std::string progressText;

protected:
    bool PollJobDisplay(CLongJob& job) override {
        const std::string text = job.StatusText();
        if (!cancelled && text.find("Quantizing: ") != std::string::npos) {
            progressText = text;
            cancelled = true;
        }
        return cancelled;
    }
};

} // namespace

TEST(Quantization, RoundingLevels) {
    struct Case {
        int bits;
        int algorithm;
        std::vector<double> in;
        std::vector<double> out;
    };
    const std::vector<Case> cases = {
        // 8 bits: F = 128; beyond the range clamps to -1 and 127/128.
        {8, kRound, {0.30, 1.5, -1.5, -0.30}, {38 / 128.0, 127 / 128.0, -1.0, -38 / 128.0}},
        // 1 bit: F = 1, the levels -1 and 0.
        {1, kRound, {0.3, 0.6, -0.6, -0.4}, {0.0, 0.0, -1.0, 0.0}},
        // The pair is quantized and its carry is not used further.
        {1, kRoundMultiple, {0.3, 0.3}, {0.0, 0.0}},
        // F = 4: the outer pair rounds 0.3 down, its carry -0.05 takes 0.14 to 0.
        {3, kRoundMultiple, {0.3, 0.14, 0.14, 0.3}, {0.25, 0.0, 0.0, 0.25}},
        // The outer pair rounds 0.375 up (carry +0.125); the middle takes the carry once:
        // Q(0.25 + 0.125) = 0.5.
        {3, kRoundMultiple, {0.375, 0.25, 0.375}, {0.5, 0.5, 0.5}},
        // Beyond full scale every tap saturates at the largest level; the centre's carry of
        // about -2 must not take it to the other end of the range.
        {16, kRoundMultiple, {1, 2, 3, 4, 3, 2, 1}, std::vector<double>(7, 32767 / 32768.0)},
        // Any other algorithm code acts as "Round Multiple".
        {3, 9, {0.3, 0.14, 0.14, 0.3}, {0.25, 0.0, 0.0, 0.25}},
    };
    for (const Case& c : cases) {
        CFirData f;
        SetTaps(f, c.in);
        CDesignControl control;
        ASSERT_TRUE(f.Quantize(Options(c.bits, c.algorithm), &control));
        EXPECT_EQ(Column(*f.m_pI), c.out) << c.bits << " bits, algorithm " << c.algorithm;
        EXPECT_EQ(f.m_bQuantized, 1);
        EXPECT_EQ(control.QuantProgress(), 0);
    }
}

// A clamp is reported to the result and to the user; values within range are not.
TEST(Quantization, SaturationIsReported) {
    for (const bool beyond : {true, false}) {
        CScriptedHost host;
        CFirData f(&host);
        SetTaps(f, beyond ? std::vector<double>{0.5, 1.5, 0.5} : std::vector<double>{0.5, 0.25});
        const SQuantizeResult r = f.Quantize(Options(8, kRoundMultiple));
        EXPECT_TRUE(r.completed);
        EXPECT_EQ(r.saturated, beyond);
        EXPECT_EQ(host.messages.size(), beyond ? 1u : 0u);
    }
}

TEST(Quantization, NothingToQuantize) {
    CFirData empty;
    EXPECT_FALSE(empty.Quantize(Options(16, kRound)));
    for (int bits : {0, -16, 64}) {
        CFirData f;
        SetTaps(f, {0.3, 0.2});
        EXPECT_FALSE(f.Quantize(Options(bits, kRound))) << bits;
        EXPECT_EQ(Column(*f.m_pI), (std::vector<double>{0.3, 0.2}));
        EXPECT_EQ(f.m_bQuantized, 0);
    }
}

TEST(Quantization, RoundingsTakeQUnlessAllZeroSearchesOnlyI) {
    CFirData f;
    SetTaps(f, {0.3, 0.2, 0.3}, {0.1, -0.26, 0.1});
    ASSERT_TRUE(f.Quantize(Options(3, kRound)));
    EXPECT_EQ(Column(*f.m_pQ), (std::vector<double>{0.0, -0.25, 0.0}));

    const std::vector<double> q{0.01, -0.013, 0.02, 0.0, 0.03};
    SetTaps(f, Lowpass(5, 0.2), q);
    ASSERT_TRUE(f.Quantize(Options(6, kAsymmetric)));
    EXPECT_EQ(Column(*f.m_pQ), q);
    for (double v : *f.m_pI)
        EXPECT_EQ(v * 32.0, std::round(v * 32.0));
}

TEST(Quantization, ResponseErrorMatchesNumPy) {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/quant/response_error.txt");
    ASSERT_TRUE(in.good());
    std::map<std::string, std::vector<double>> rows;
    std::vector<std::vector<double>> errors;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream s(line);
        std::string key;
        s >> key;
        std::vector<double> values;
        double v = 0.0;
        while (s >> v)
            values.push_back(v);
        if (key == "error")
            errors.push_back(values);
        else
            rows[key] = values;
    }
    ASSERT_EQ(errors.size(), 5u);

    CFirData original;
    CFirData quantized;
    SetTaps(original, rows["taps"]);
    SetTaps(quantized, rows["quantized"]);
    for (const auto& e : errors) {
        CFirFreqResponse current(&quantized);
        CFirFreqResponse reference(&original);
        ASSERT_TRUE(current.ComputeResponse(static_cast<int>(e[0])));
        ASSERT_TRUE(reference.ComputeResponse(static_cast<int>(e[1])));
        EXPECT_NEAR(ResponseError(current, reference), e[2], 1e-12 * e[2]) << e[0] << " " << e[1];
    }

    // Nothing in a passband and nothing raised: every bin counts, never a division by zero.
    std::vector<double> half = rows["small"];
    for (double& v : half)
        v *= 0.5;
    SetTaps(original, rows["small"]);
    SetTaps(quantized, half);
    CFirFreqResponse current(&quantized);
    CFirFreqResponse reference(&original);
    current.ComputeResponse(4);
    reference.ComputeResponse(32);
    EXPECT_NEAR(ResponseError(current, reference), rows["smallerror"][0],
                1e-12 * rows["smallerror"][0]);
    EXPECT_EQ(ResponseError(CFirFreqResponse(), reference), 0.0);
}

TEST(Quantization, FastSearchesChooseTheLevelsOfTheTransformSearches) {
    struct Case {
        std::vector<double> i;
        std::vector<double> q;
        int bits;
    };
    // A lowpass of odd and of even length, an asymmetric (decaying) filter, a complex filter.
    std::vector<double> decaying;
    std::vector<double> quadrature;
    for (int n = 0; n < 31; ++n) {
        if (n < 21)
            decaying.push_back(0.6 * std::exp(-0.2 * n) * std::cos(0.9 * n));
        quadrature.push_back(0.3 * std::exp(-0.1 * n) * std::sin(0.4 * n));
    }
    const std::vector<double> lp31 = Lowpass(31, 0.12);
    const std::vector<Case> cases = {
        {lp31, {}, 8},     {Lowpass(16, 0.2), {}, 6}, {Lowpass(33, 0.3, 1.7), {}, 10},
        {decaying, {}, 7}, {lp31, quadrature, 8},
    };
    for (int algorithm : {kSymmetric, kAsymmetric}) {
        for (size_t c = 0; c < cases.size(); ++c) {
            for (int low : {4, 3}) {
                QuantOptions o = Options(cases[c].bits, algorithm);
                o.m_nSearchLow = low;
                CFirData f;
                SetTaps(f, cases[c].i, cases[c].q);
                ASSERT_TRUE(f.Quantize(o));
                const SNaive naive = NaiveSearch(cases[c].i, cases[c].q, o);
                const std::vector<double> fast = Column(*f.m_pI);
                if (fast != naive.taps) {
                    EXPECT_TRUE(naive.closeCall)
                        << "algorithm " << algorithm << ", case " << c << ", low " << low;
                }
                // Every tap on the grid and inside the range.
                for (double v : fast) {
                    const double s = v * std::ldexp(1.0, cases[c].bits - 1);
                    EXPECT_EQ(s, std::round(s));
                    EXPECT_LE(v, 1.0 - std::ldexp(1.0, 1 - cases[c].bits));
                    EXPECT_GE(v, -1.0);
                }
            }
        }
    }
}

TEST(Quantization, SearchesKeepTapsOnTheGridAndInRange) {
    // Taps already on the grid stay; taps at or beyond full scale never reach 1.0.
    const std::vector<double> onGrid{0.0625, -0.125, 0.5, 0.75, 0.5, -0.125, 0.0625};
    const std::vector<double> large{0.2, 0.7, 0.999, 1.3, 0.999, 0.7, 0.2};
    for (int algorithm : {kSymmetric, kAsymmetric}) {
        CFirData f;
        SetTaps(f, onGrid);
        ASSERT_TRUE(f.Quantize(Options(8, algorithm)));
        EXPECT_EQ(Column(*f.m_pI), onGrid) << algorithm;

        SetTaps(f, large);
        ASSERT_TRUE(f.Quantize(Options(8, algorithm)));
        for (double v : *f.m_pI) {
            EXPECT_LE(v, 127 / 128.0) << algorithm;
            EXPECT_EQ(v * 128.0, std::round(v * 128.0)) << algorithm;
        }
    }
}

TEST(Quantization, SearchesAboveFiftyTapsRunOnTheWorkerThread) {
    for (int taps : {50, 51}) {
        CTitleHost host;
        CFirData f(&host);
        SetTaps(f, Lowpass(taps, 0.1));
        ASSERT_TRUE(f.Quantize(Options(12, kSymmetric)));
        EXPECT_EQ(host.jobsRun, taps == 51 ? 1 : 0) << taps;
        if (taps == 51) {
            EXPECT_EQ(host.titles, std::vector<std::string>{"Quantize"});
        }
        EXPECT_EQ(f.m_bQuantized, 1);
    }
    // A rounding never needs the thread.
    CTitleHost host;
    CFirData f(&host);
    SetTaps(f, Lowpass(301, 0.1));
    ASSERT_TRUE(f.Quantize(Options(12, kRound)));
    EXPECT_EQ(host.jobsRun, 0);
}

TEST(Quantization, CancelledSearchKeepsWhatItQuantized) {
    const std::vector<double> h = ReadColumn("lowpass2001.txt");
    ASSERT_EQ(h.size(), 2001u);
    for (int algorithm : {kSymmetric, kAsymmetric}) {
        CCancelOnProgressHost host;
        CFirData f(&host);
        SetTaps(f, h);
        CDesignControl control;
        const SQuantizeResult result = f.Quantize(Options(16, algorithm), &control);
        EXPECT_FALSE(result.completed) << algorithm;
        EXPECT_TRUE(result.changed); // the caller must take the filter as changed
        ASSERT_TRUE(host.cancelled);
        EXPECT_NE(host.progressText.find("% complete"), std::string::npos);
        EXPECT_EQ(f.m_bQuantized, 0);
        EXPECT_TRUE(control.CancelRequested());
        EXPECT_EQ(control.QuantProgress(), 0);
        EXPECT_EQ(control.m_bDesignDone, 1); // the run has ended
        // The search began at the centre and never reached the outermost taps; every tap is
        // either quantized or as it was.
        const double centre = (*f.m_pI)[1000];
        EXPECT_EQ(centre * 32768.0, std::round(centre * 32768.0));
        EXPECT_NE(centre, h[1000]);
        EXPECT_EQ((*f.m_pI)[0], h[0]);
        EXPECT_EQ((*f.m_pI)[2000], h[2000]);
        for (int k = 0; k < 2001; ++k) {
            const double v = (*f.m_pI)[k];
            EXPECT_TRUE(v == h[static_cast<size_t>(k)] || v * 32768.0 == std::round(v * 32768.0))
                << k;
        }
    }
}

TEST(Quantization, InsideARunningDesignACancelRequestIsKept) {
    CFirData f;
    const std::vector<double> h = Lowpass(21, 0.1);
    SetTaps(f, h);
    CDesignControl control;
    {
        const CDesignRun design(&control);
        control.RequestCancel();
        EXPECT_FALSE(f.Quantize(Options(10, kAsymmetric), &control));
        EXPECT_TRUE(control.CancelRequested());
        EXPECT_EQ(Column(*f.m_pI), h);
        // A quantization on a control of its own is not part of that design.
        CFirData other;
        SetTaps(other, h);
        EXPECT_TRUE(other.Quantize(Options(10, kAsymmetric)));
    }
    // Once the design has ended, a quantization on the same control starts afresh.
    EXPECT_TRUE(f.Quantize(Options(10, kAsymmetric), &control));
    EXPECT_FALSE(control.CancelRequested());
}

TEST(Quantization, QuantizedDesignReportsTheMarginOfItsCoefficients) {
    for (int algorithm : {kRound, kAsymmetric}) {
        CFirData f;
        f.SetDesignType(kDesignAdvancedPm);
        f.ResetSpec(PmResponseType::Filter, 16, 41);
        f.AddBand(true, false, 0.0, 0.1, 1.0, 0.5, 0.0, false);
        f.AddBand(true, false, 0.2, 0.5, 0.0, 50.0, 0.0, false);
        f.m_Quant = Options(9, algorithm);
        ASSERT_TRUE(DesignPm(f, "Quantized"));
        EXPECT_EQ(f.m_bQuantized, 1);
        for (double v : *f.m_pI)
            EXPECT_EQ(v * 256.0, std::round(v * 256.0));

        // The same coefficients measured afresh.
        CFirData check(f);
        check.m_Response.RemoveAll();
        check.m_Response.ComputeResponse(32);
        EXPECT_EQ(f.GetMargin(), check.GetMargin()) << algorithm;

        // Without quantization the margin differs: the measurement did follow the rounding.
        CFirData plain(f);
        plain.m_Quant.m_nBits = -9;
        ASSERT_TRUE(DesignPm(plain, "Plain"));
        EXPECT_EQ(plain.m_bQuantized, 0);
        EXPECT_NE(plain.GetMargin(), f.GetMargin());
    }
}

TEST(Quantization, SettingChecks) {
    struct Case {
        int bits, low, high;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {1, 1, 1, nullptr},
        {62, 4, 256, nullptr},
        {0, 4, 32, kMsgQuantBitsRange},
        {63, 4, 32, kMsgQuantBitsRange},
        {16, 33, 32, kMsgQuantSearchRange},
    };
    for (const Case& c : cases) {
        CScriptedHost host;
        const bool ok = CheckQuantizeBits(c.bits, &host) && CheckSearchRange(c.low, c.high, &host);
        EXPECT_EQ(ok, c.message == nullptr) << c.bits << " " << c.low << " " << c.high;
        if (c.message) {
            ASSERT_EQ(host.messages.size(), 1u);
            EXPECT_EQ(host.messages[0].text, c.message);
            EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
}

TEST(Quantization, TheAlgorithmThatRanIsRecorded) {
    struct Case {
        int algorithm;
        int ran;
    };
    const Case cases[] = {
        {kSymmetric, kSymmetric}, {9, kRoundMultiple}, // an unknown code runs the first algorithm
    };
    for (const Case& c : cases) {
        CFirData f;
        SetTaps(f, Lowpass(21, 0.1));
        EXPECT_TRUE(f.Quantize(Options(10, c.algorithm)));
        EXPECT_EQ(f.m_nQuantAlgorithmRun, c.ran) << c.algorithm;
        EXPECT_EQ(QuantAlgorithmInfo(c.algorithm).code, c.ran);
    }
}
