#include "hdl/test_vectors.h"

#include <random>

namespace {

// Deterministic words and pauses: mt19937_64 is specified bit for bit, and the words take its
// top bits, so every platform makes the same vectors.
class CStimulus {
public:
    explicit CStimulus(int inputBits) : m_nBits(inputBits), m_rng(0x5EED2020u) {}

    int64_t RandomWord() { return static_cast<int64_t>(m_rng()) >> (64 - m_nBits); }
    bool Pause() { return (m_rng() >> 62) == 0; }

    void Append(STestVectors& v, const std::vector<int64_t>& samples) {
        for (const int64_t s : samples) {
            while (Pause()) {
                v.samples.push_back(RandomWord());
                v.valid.push_back(false);
            }
            v.samples.push_back(s);
            v.valid.push_back(true);
        }
    }

private:
    int m_nBits;
    std::mt19937_64 m_rng;
};

} // namespace

int STestVectors::ValidCount() const {
    int n = 0;
    for (const bool v : valid)
        n += v ? 1 : 0;
    return n;
}

STestVectors MakeTestVectors(const CFixedPointFilter& filter) {
    const int taps = static_cast<int>(filter.Coefficients().size());
    const int bits = filter.InputBits();
    const auto xMin = static_cast<int64_t>(SignedMin(bits));
    const auto xMax = static_cast<int64_t>(SignedMax(bits));
    std::vector<int64_t> x;
    const auto zeros = [&] { x.insert(x.end(), static_cast<size_t>(taps), 0); };
    x.push_back(xMax); // impulse
    zeros();
    x.insert(x.end(), static_cast<size_t>(taps) + 1, xMin); // step
    zeros();
    CStimulus stimulus(bits);
    const int randomCount = std::max(48, 2 * taps);
    for (int i = 0; i < randomCount; ++i)
        x.push_back(i % 16 == 3 ? xMin : (i % 16 == 9 ? xMax : stimulus.RandomWord()));
    // The worst case of the accumulator's wider extreme, then of the other one: the same
    // samples with every nonzero sample moved to the other end of the range.
    const std::vector<int64_t> worst = filter.WorstCaseInput();
    x.insert(x.end(), worst.begin(), worst.end());
    for (const int64_t w : worst)
        x.push_back(w == xMin ? xMax : (w == xMax ? xMin : 0));
    zeros();

    STestVectors v;
    stimulus.Append(v, x);
    v.expected = filter.Filter(x);
    return v;
}

std::string TestInputText(const STestVectors& vectors, int inputBits) {
    std::string text;
    for (size_t i = 0; i < vectors.samples.size(); ++i)
        text.append(vectors.valid[i] ? "1 " : "0 ")
            .append(HexText(vectors.samples[i], inputBits))
            .append("\n");
    return text;
}

std::string TestOutputText(const STestVectors& vectors, int outputBits) {
    std::string text;
    for (const Int128 y : vectors.expected)
        text.append(HexText(y, outputBits)).append("\n");
    return text;
}
