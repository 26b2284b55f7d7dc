#pragma once

#include <cstdint>

// Rounds values to b-bit two's-complement fractions of full scale +-1 and remembers whether any
// value had to be clamped into the representable range.
class CFixedPointQuantizer {
public:
    static constexpr int kMinBits = 1;
    static constexpr int kMaxBits = 63;

    explicit CFixedPointQuantizer(int bits = 16) { Setup(bits); }

    // Prepares for b bits (1..63): F = 2^(b-1), limits -F and F - 1, overflow cleared. Another
    // count is refused (false) and the quantizer is left as it was.
    bool Setup(int bits);

    // F * x rounded half away from zero, clamped to [-F, F - 1] (a clamp sets the overflow flag),
    // divided by F. A NaN input gives 0 and sets the flag.
    double Quantize(double x);

    int Bits() const { return m_nBits; }
    bool Overflow() const { return m_bOverflow; }
    void ClearOverflow() { m_bOverflow = false; }

    double m_dFullScale = 0.0;    // F
    double m_dInvFullScale = 0.0; // 1 / F, the quantization step
    int64_t m_nLower = 0;         // -F
    int64_t m_nUpper = 0;         // F - 1
    bool m_bOverflow = false;

private:
    int m_nBits = 0;
};
