#pragma once

#include "fixed/fixed_word.h"

#include <cstdint>
#include <string>
#include <vector>

// How the output word is taken from the accumulator.
enum class ERounding {
    Truncate, // drop the low bits (floor)
    Round,    // add half an output LSB, then drop the low bits
};
enum class EOverflow {
    Saturate, // hold a value beyond the output word at its nearest end
    Wrap,     // keep the low bits of the value (two's complement wrap)
};

// Word lengths of a fixed-point FIR implementation, all signed two's complement.
struct SFixedPointFormat {
    static constexpr int kMinBits = 2;
    static constexpr int kMaxBits = 48;
    static constexpr int kMaxTaps = 65536;

    int coefBits = 16;  // coefficient words, as the fixed-point text formats quantise them
    int inputBits = 16; // input samples
    int outputBits = 0; // output samples; 0 = the accumulator width (full precision)
    // Low accumulator bits dropped for the output; -1 = accumulator width less output width,
    // so that the output keeps the accumulator's top bits.
    int outputShift = -1;
    ERounding rounding = ERounding::Truncate;
    EOverflow overflow = EOverflow::Saturate;

    bool operator==(const SFixedPointFormat&) const = default;
};

// The integer model of a real FIR filter in fixed point: integer coefficients, the exact
// accumulator width and the bit-true response that a hardware implementation must reproduce.
//
// y[n] = sum_k c[k] x[n-k] is formed exactly (the accumulator never overflows: its width holds
// every sum reachable from inputs of the input width); the output word drops `shift` low bits
// (truncating or rounding) and is saturated or wrapped to the output width.
class CFixedPointFilter {
public:
    // Quantises taps (fractions of full scale) exactly as the fixed-point text formats do for
    // format.coefBits. False, with the reason in `error`, when the filter or the format cannot
    // be implemented (a coefficient that does not fit its word, a word length out of range).
    bool Make(const std::vector<double>& taps, const SFixedPointFormat& format, std::string& error);
    // The same from integer coefficients, which must fit format.coefBits.
    bool MakeFromIntegers(const std::vector<int64_t>& coefficients, const SFixedPointFormat& format,
                          std::string& error);

    const std::vector<int64_t>& Coefficients() const { return m_coefs; }
    int CoefficientBits() const { return m_format.coefBits; }
    int InputBits() const { return m_format.inputBits; }
    ERounding Rounding() const { return m_format.rounding; }
    EOverflow Overflow() const { return m_format.overflow; }
    // Smallest signed width holding every accumulator value reachable from inputs of the input
    // width: the larger of the widths of WorstCaseLow() and WorstCaseHigh().
    int AccumulatorBits() const { return m_nAccBits; }
    int OutputBits() const { return m_nOutBits; }
    int OutputShift() const { return m_nShift; }
    bool FullPrecision() const { return m_nShift == 0 && m_nOutBits == m_nAccBits; }

    // Extremes of the accumulator over every input sequence of the input width.
    Int128 WorstCaseLow() const { return m_worstLow; }
    Int128 WorstCaseHigh() const { return m_worstHigh; }
    // An input sequence of as many samples as taps whose last output is the extreme that needs
    // the full accumulator width (the low one when both do).
    std::vector<int64_t> WorstCaseInput() const;

    // The output word of an accumulator value.
    Int128 OutputOf(Int128 acc) const;
    // Whether some input sequence gives an output beyond the output word (then saturated or
    // wrapped). Rounding and shifting keep the order, so the extremes decide.
    bool OutputCanOverflow() const;
    // Accumulator values y[n] for the inputs x (each taken as its low input-width bits, as a
    // port of that width sees it; samples before x[0] are zero).
    std::vector<Int128> Accumulate(const std::vector<int64_t>& x) const;
    // The bit-true output: OutputOf of every accumulator value.
    std::vector<Int128> Filter(const std::vector<int64_t>& x) const;

private:
    bool CheckFormat(size_t taps, std::string& error) const;
    Int128 Shifted(Int128 acc) const;
    void ComputeWidths();

    SFixedPointFormat m_format;
    std::vector<int64_t> m_coefs;
    Int128 m_worstLow = 0;
    Int128 m_worstHigh = 0;
    int m_nAccBits = 1;
    int m_nOutBits = 1;
    int m_nShift = 0;
};
