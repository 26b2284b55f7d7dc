#include "hdl/hdl_plan.h"

#include "support/format_number.h"

#include <algorithm>

namespace {

ESymmetry SymmetryOf(const std::vector<int64_t>& c) {
    const size_t n = c.size();
    bool symmetric = true;
    bool antisymmetric = true;
    for (size_t k = 0; k < n; ++k) {
        symmetric = symmetric && c[k] == c[n - 1 - k];
        antisymmetric = antisymmetric && c[k] == -c[n - 1 - k];
    }
    if (symmetric)
        return ESymmetry::Symmetric;
    return antisymmetric ? ESymmetry::Antisymmetric : ESymmetry::None;
}

int CeilLog2(int n) {
    int levels = 0;
    while ((1 << levels) < n)
        ++levels;
    return levels;
}

} // namespace

CHdlPlan::CHdlPlan(const CFixedPointFilter& filter, EHdlStructure structure)
    : m_filter(filter), m_structure(structure) {
    const std::vector<int64_t>& c = filter.Coefficients();
    const int n = static_cast<int>(c.size());
    m_symmetry = SymmetryOf(c);
    m_tapMultiplier.assign(c.size(), -1);
    m_tapSubtracts.assign(c.size(), false);
    const bool folded = m_symmetry != ESymmetry::None;
    for (int k = 0; k < (folded ? (n + 1) / 2 : n); ++k) {
        if (c[static_cast<size_t>(k)] == 0)
            continue;
        SHdlMultiplier m;
        m.first = k;
        m.second = folded && n - 1 - k != k ? n - 1 - k : -1;
        m.coefficient = c[static_cast<size_t>(k)];
        const int index = static_cast<int>(m_multipliers.size());
        m_tapMultiplier[static_cast<size_t>(k)] = index;
        if (m.second >= 0) {
            m_tapMultiplier[static_cast<size_t>(m.second)] = index;
            m_tapSubtracts[static_cast<size_t>(m.second)] = m_symmetry == ESymmetry::Antisymmetric;
        }
        m_multipliers.push_back(m);
    }
}

int CHdlPlan::NonzeroTaps() const {
    return static_cast<int>(std::count_if(m_tapMultiplier.begin(), m_tapMultiplier.end(),
                                          [](int m) { return m >= 0; }));
}

int CHdlPlan::PreAdders() const {
    if (m_structure == EHdlStructure::Transposed)
        return 0;
    return static_cast<int>(std::count_if(m_multipliers.begin(), m_multipliers.end(),
                                          [](const SHdlMultiplier& m) { return m.second >= 0; }));
}

int CHdlPlan::SumAdders() const {
    // The chain adds every nonzero tap's product but the last one's; the tree adds the products
    // of its multipliers.
    const int terms = m_structure == EHdlStructure::Transposed
                          ? NonzeroTaps()
                          : static_cast<int>(m_multipliers.size());
    return std::max(terms - 1, 0);
}

int CHdlPlan::RoundingAdders() const {
    return m_filter.Rounding() == ERounding::Round && m_filter.OutputShift() > 0 ? 1 : 0;
}

int CHdlPlan::TreeLevels() const {
    return CeilLog2(static_cast<int>(m_multipliers.size()));
}

int CHdlPlan::Latency() const {
    // Transposed: input, product, accumulator and output registers. Pipelined: input, delay
    // line, pre-adder, product, each tree level and output registers.
    if (m_structure == EHdlStructure::Transposed)
        return 4;
    return 5 + TreeLevels();
}

std::vector<std::string> HdlSummaryLines(const CHdlPlan& plan) {
    const CFixedPointFilter& f = plan.Filter();
    static const char* const kSymmetry[] = {"none", "symmetric (folded)", "antisymmetric (folded)"};
    std::vector<std::string> lines;
    lines.push_back(StrPrintf("structure: %s", plan.Structure() == EHdlStructure::Transposed
                                                   ? "transposed direct form"
                                                   : "systolic (pipelined direct form)"));
    lines.push_back(StrPrintf("taps: %d (%d nonzero)", plan.Taps(), plan.NonzeroTaps()));
    lines.push_back(StrPrintf("symmetry: %s", kSymmetry[static_cast<int>(plan.Symmetry())]));
    lines.push_back(StrPrintf("coefficient bits: %d", f.CoefficientBits()));
    lines.push_back(StrPrintf("input bits: %d", f.InputBits()));
    lines.push_back(StrPrintf("accumulator bits: %d", f.AccumulatorBits()));
    lines.push_back(StrPrintf("output bits: %d (drops %d low bits, %s, %s)", f.OutputBits(),
                              f.OutputShift(),
                              f.Rounding() == ERounding::Round ? "round" : "truncate",
                              f.Overflow() == EOverflow::Saturate ? "saturate" : "wrap"));
    lines.push_back(StrPrintf("multipliers: %d", static_cast<int>(plan.Multipliers().size())));
    lines.push_back(StrPrintf("adders: %d (%d pre-adders, %d sum, %d rounding)", plan.Adders(),
                              plan.PreAdders(), plan.SumAdders(), plan.RoundingAdders()));
    lines.push_back(StrPrintf("latency: %d clock cycles", plan.Latency()));
    lines.push_back("worst-case accumulator: " + DecimalText(f.WorstCaseLow()) + " .. " +
                    DecimalText(f.WorstCaseHigh()));
    lines.push_back("worst-case output: " + DecimalText(f.OutputOf(f.WorstCaseLow())) + " .. " +
                    DecimalText(f.OutputOf(f.WorstCaseHigh())));
    lines.push_back(std::string("output overflow: ") + (!f.OutputCanOverflow() ? "never"
                                                        : f.Overflow() == EOverflow::Saturate
                                                            ? "possible, saturated"
                                                            : "possible, wrapped"));
    return lines;
}
