#include "fixed/fixed_messages.h"
#include "fixed/fixed_point_filter.h"
#include "io/data_file_writer.h"
#include "support/format_number.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

Int128 ParseInt128(const std::string& text) {
    Int128 v = 0;
    const bool negative = text[0] == '-';
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i)
        v = v * 10 + (text[i] - '0');
    return negative ? -v : v;
}

std::vector<Int128> ParseWords(std::istringstream& line) {
    std::vector<Int128> v;
    std::string word;
    while (line >> word)
        v.push_back(ParseInt128(word));
    return v;
}

std::vector<int64_t> ToInt64(const std::vector<Int128>& v) {
    return {v.begin(), v.end()};
}

// One case of tools/refdata/fixed_point_reference.py.
struct SReferenceCase {
    struct Output {
        int bits = 0;
        int shift = 0;
        ERounding rounding = ERounding::Truncate;
        EOverflow overflow = EOverflow::Saturate;
        std::vector<Int128> words;
    };
    std::string name;
    int coefBits = 0;
    int inputBits = 0;
    int accBits = 0;
    Int128 low = 0;
    Int128 high = 0;
    std::vector<int64_t> c, x;
    std::vector<Int128> y;
    std::vector<Output> outputs;
};

std::vector<SReferenceCase> ReadReference() {
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/fixed/fixed_point_reference.txt");
    EXPECT_TRUE(in.good());
    std::vector<SReferenceCase> cases;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream line(text);
        std::string key;
        line >> key;
        if (key == "case") {
            SReferenceCase c;
            std::string low, high;
            line >> c.name >> c.coefBits >> c.inputBits >> c.accBits >> low >> high;
            c.low = ParseInt128(low);
            c.high = ParseInt128(high);
            cases.push_back(c);
        } else if (key == "c") {
            cases.back().c = ToInt64(ParseWords(line));
        } else if (key == "x") {
            cases.back().x = ToInt64(ParseWords(line));
        } else if (key == "y") {
            cases.back().y = ParseWords(line);
        } else if (key == "out") {
            SReferenceCase::Output o;
            std::string rounding, overflow;
            line >> o.bits >> o.shift >> rounding >> overflow;
            o.rounding = rounding == "round" ? ERounding::Round : ERounding::Truncate;
            o.overflow = overflow == "wrap" ? EOverflow::Wrap : EOverflow::Saturate;
            o.words = ParseWords(line);
            cases.back().outputs.push_back(o);
        }
    }
    return cases;
}

CFixedPointFilter MakeFilter(const std::vector<int64_t>& c, SFixedPointFormat format) {
    CFixedPointFilter filter;
    std::string error;
    EXPECT_TRUE(filter.MakeFromIntegers(c, format, error)) << error;
    return filter;
}

} // namespace

TEST(FixedPointFilter, EqualsBigIntegerConvolution) {
    const std::vector<SReferenceCase> cases = ReadReference();
    ASSERT_EQ(cases.size(), 4u);
    for (const SReferenceCase& ref : cases) {
        SCOPED_TRACE(ref.name);
        SFixedPointFormat format;
        format.coefBits = ref.coefBits;
        format.inputBits = ref.inputBits;
        const CFixedPointFilter full = MakeFilter(ref.c, format);
        EXPECT_EQ(full.AccumulatorBits(), ref.accBits);
        EXPECT_TRUE(full.WorstCaseLow() == ref.low && full.WorstCaseHigh() == ref.high);
        EXPECT_TRUE(full.Accumulate(ref.x) == ref.y);
        EXPECT_TRUE(full.FullPrecision());
        ASSERT_EQ(ref.outputs.size(), 12u);
        for (const SReferenceCase::Output& out : ref.outputs) {
            SCOPED_TRACE(StrPrintf("%d bits, shift %d, rounding %d, overflow %d", out.bits,
                                   out.shift, static_cast<int>(out.rounding),
                                   static_cast<int>(out.overflow)));
            format.outputBits = out.bits;
            format.outputShift = out.shift;
            format.rounding = out.rounding;
            format.overflow = out.overflow;
            EXPECT_TRUE(MakeFilter(ref.c, format).Filter(ref.x) == out.words);
        }
    }
}

// The worst-case sequence drives the accumulator to an extreme that needs every bit of it, and
// no input of the word length gets beyond the extremes (the reference found them by search).
TEST(FixedPointFilter, WorstCaseSequenceReachesTheAccumulatorWidth) {
    for (const SReferenceCase& ref : ReadReference()) {
        SCOPED_TRACE(ref.name);
        SFixedPointFormat format;
        format.coefBits = ref.coefBits;
        format.inputBits = ref.inputBits;
        const CFixedPointFilter filter = MakeFilter(ref.c, format);
        const std::vector<int64_t> worst = filter.WorstCaseInput();
        ASSERT_EQ(worst.size(), ref.c.size());
        const Int128 last = filter.Accumulate(worst).back();
        EXPECT_TRUE(last == ref.low || last == ref.high);
        EXPECT_EQ(SignedWidth(last), filter.AccumulatorBits());
        for (const Int128 y : filter.Accumulate(ref.x))
            EXPECT_TRUE(y >= ref.low && y <= ref.high);
    }
}

TEST(FixedPointFilter, AccumulatorWidthOfSmallFilters) {
    struct Case {
        std::vector<int64_t> c;
        int coefBits;
        int inputBits;
        int accBits;
    };
    const Case cases[] = {
        {{1}, 16, 16, 16},            // a wire: the input's own range
        {{-1}, 16, 16, 17},           // -(-32768) needs a 17th bit
        {{-32768}, 16, 16, 32},       // (-2^15)(-2^15) = 2^30
        {{32767, 32767}, 16, 16, 32}, // -2 * 32767 * 32768 needs all 32
        {{0, 0, 0}, 16, 12, 1},       // nothing but zeros
        {{3, -5, 7, 0, -2}, 4, 3, 7}, // extremes -61 and 58
    };
    for (const Case& c : cases) {
        SFixedPointFormat format;
        format.coefBits = c.coefBits;
        format.inputBits = c.inputBits;
        const CFixedPointFilter filter = MakeFilter(c.c, format);
        EXPECT_EQ(filter.AccumulatorBits(), c.accBits) << c.c.size() << " taps";
        EXPECT_EQ(SignedWidth(filter.Accumulate(filter.WorstCaseInput()).back()), c.accBits);
    }
}

// The coefficient words are those that Text:Hex writes for the same word length.
TEST(FixedPointFilter, CoefficientsAreTheWordsOfTheHexFormat) {
    const std::vector<double> taps = {-1.0,    -0.7071067811865476, -1e-9,    0.0,
                                      0.49999, 0.5000152587890625,  0.999999, 1.0};
    for (const int bits : {2, 5, 16, 24, 33, 48}) {
        SFormatState state;
        state.code = kFormatHex;
        state.fixedBits = bits;
        CScriptedHost host;
        std::string hex;
        ASSERT_EQ(WriteDataBytes(state, hex, taps.data(), nullptr, static_cast<int>(taps.size()),
                                 -1.0, 1.0, 1, host),
                  1);
        SFixedPointFormat format;
        format.coefBits = bits;
        CFixedPointFilter filter;
        std::string error;
        ASSERT_TRUE(filter.Make(taps, format, error)) << error;
        std::istringstream lines(hex);
        for (const int64_t c : filter.Coefficients()) {
            std::string word;
            ASSERT_TRUE(lines >> word);
            // The file holds whole hexadecimal digits of the two's complement word.
            const Int128 value = WrapToWidth(static_cast<Int128>(std::stoull(word, nullptr, 16)),
                                             4 * static_cast<int>(word.size()));
            EXPECT_TRUE(value == c) << bits << " bits: " << word << " for " << c;
        }
    }
}

TEST(FixedPointFilter, RefusesWhatItCannotImplement) {
    struct Case {
        const char* what;
        std::vector<double> taps;
        SFixedPointFormat format;
        std::string message;
    };
    const auto formatOf = [](int coef, int input, int output, int shift) {
        SFixedPointFormat f;
        f.coefBits = coef;
        f.inputBits = input;
        f.outputBits = output;
        f.outputShift = shift;
        return f;
    };
    const Case cases[] = {
        {"no taps", {}, formatOf(16, 16, 0, -1), kMsgFixedNoCoefficients},
        {"gain beyond the word",
         {0.5, 1.5, 0.5},
         formatOf(16, 16, 0, -1),
         "Coefficient h[1] = 1.5 does not fit in a word of 16 bits."},
        {"coefficient word too short",
         {0.5},
         formatOf(1, 16, 0, -1),
         "Coefficient word length must be 2 to 48 bits."},
        {"input word too long",
         {0.5},
         formatOf(16, 49, 0, -1),
         "Input word length must be 2 to 48 bits."},
        {"output wider than the accumulator",
         {0.5},
         formatOf(8, 8, 15, -1),
         "Output word length must be 1 bit up to the accumulator width, 14 bits."},
        {"shift drops every bit",
         {0.5},
         formatOf(8, 8, 4, 14),
         "The output can drop at most 13 low bits of the accumulator."},
    };
    for (const Case& c : cases) {
        CFixedPointFilter filter;
        std::string error;
        EXPECT_FALSE(filter.Make(c.taps, c.format, error)) << c.what;
        EXPECT_EQ(error, c.message) << c.what;
    }
}

// Overflow of the output word is decided by the accumulator's extremes, which then saturate.
TEST(FixedPointFilter, OutputOverflowFollowsTheExtremes) {
    struct Case {
        int outputBits;
        int shift;
        ERounding rounding;
        bool overflows;
    };
    const Case cases[] = {
        {0, -1, ERounding::Truncate, false}, // full precision
        {16, 15, ERounding::Truncate, false},
        {16, 15, ERounding::Round, false},
        {16, 14, ERounding::Truncate, true},
        {12, -1, ERounding::Truncate, false}, // the top 12 of 31 bits
        {12, -1, ERounding::Round, true},     // ... whose rounding carries the top value out
    };
    for (const Case& c : cases) {
        SFixedPointFormat format;
        format.outputBits = c.outputBits;
        format.outputShift = c.shift;
        format.rounding = c.rounding;
        const CFixedPointFilter filter = MakeFilter({16384, 16384}, format);
        EXPECT_EQ(filter.OutputCanOverflow(), c.overflows) << c.outputBits << " " << c.shift;
        if (c.overflows) {
            const int bits = filter.OutputBits();
            EXPECT_TRUE(filter.OutputOf(filter.WorstCaseLow()) == SignedMin(bits) ||
                        filter.OutputOf(filter.WorstCaseHigh()) == SignedMax(bits));
        }
    }
}
