#pragma once

#include "fixed/fixed_point_filter.h"

#include <string>
#include <vector>

// The hardware structure of a generated filter.
enum class EHdlStructure {
    // Transposed direct form: each input sample is multiplied by every coefficient at once and
    // the products enter a chain of accumulating registers.
    Transposed,
    // Fully pipelined direct form: a sample delay line, registered pre-adders, registered
    // multipliers and a registered adder tree, one operation per stage as a systolic array
    // has, at a fixed latency also while the input pauses.
    Systolic,
};

// Options of a generated filter beyond its word lengths.
struct SHdlOptions {
    SFixedPointFormat format;
    EHdlStructure structure = EHdlStructure::Transposed;
    std::string name; // module name; "" = from the file name

    bool operator==(const SHdlOptions&) const = default;
};

// How the coefficients are shared between taps.
enum class ESymmetry {
    None,          // every nonzero tap has its multiplier
    Symmetric,     // c[k] = c[N-1-k]: the taps of a pair share one multiplier
    Antisymmetric, // c[k] = -c[N-1-k]: the pair's second tap subtracts the shared product
};

// One multiplier of the folded filter: the coefficient of tap `first` and the tap `second`
// (-1 when none) that shares it, negated for an antisymmetric filter.
struct SHdlMultiplier {
    int first = 0;
    int second = -1;
    int64_t coefficient = 0;
};

// The implementation of a fixed-point filter: which taps share multipliers, the cost in
// multipliers and adders and the latency of each structure.
class CHdlPlan {
public:
    CHdlPlan(const CFixedPointFilter& filter, EHdlStructure structure);

    ESymmetry Symmetry() const { return m_symmetry; }
    EHdlStructure Structure() const { return m_structure; }
    const std::vector<SHdlMultiplier>& Multipliers() const { return m_multipliers; }
    // The multiplier of tap k and whether the tap subtracts its product; -1 for a zero tap.
    int MultiplierOfTap(int k) const { return m_tapMultiplier[static_cast<size_t>(k)]; }
    bool TapSubtracts(int k) const { return m_tapSubtracts[static_cast<size_t>(k)]; }
    int Taps() const { return static_cast<int>(m_tapMultiplier.size()); }
    int NonzeroTaps() const;

    // Pre-adders of the pipelined form (pairs of taps added before their multiplier).
    int PreAdders() const;
    // Adders that sum the products: the transposed chain or the pipelined form's tree.
    int SumAdders() const;
    // The output rounding adder (1 when rounding drops bits, else 0).
    int RoundingAdders() const;
    int Adders() const { return PreAdders() + SumAdders() + RoundingAdders(); }
    // Levels of the pipelined form's adder tree.
    int TreeLevels() const;
    // Clock cycles from the cycle an input sample is presented to the cycle its output word is
    // presented with out_valid.
    int Latency() const;

    const CFixedPointFilter& Filter() const { return m_filter; }

private:
    CFixedPointFilter m_filter;
    EHdlStructure m_structure;
    ESymmetry m_symmetry = ESymmetry::None;
    std::vector<SHdlMultiplier> m_multipliers;
    std::vector<int> m_tapMultiplier;
    std::vector<bool> m_tapSubtracts;
};

// The implementation summary: one line per figure, as the command line and the desktop show it.
std::vector<std::string> HdlSummaryLines(const CHdlPlan& plan);
