#pragma once

#include <atomic>
#include <complex>
#include <cstddef>
#include <memory>
#include <vector>

// Direction of a discrete Fourier transform: Forward uses the kernel e^(-j2πnk/N), Inverse the
// kernel e^(+j2πnk/N).
enum class EFftDirection { Forward, Inverse };

struct SFftLanePlan;

// An immutable plan for complex discrete Fourier transforms of one length: the factorization,
// the twiddle factors of every pass and, for lengths with a large prime factor, the chirp filter
// of Bluestein's algorithm. Execute is const and keeps all its temporaries in the caller's work
// array, so one plan may serve several threads at once.
class CFftPlan {
public:
    using Complex = std::complex<double>;

    // Prime factors above this are transformed with Bluestein's chirp-z algorithm.
    static constexpr std::size_t kMaxDirectPrime = 31;
    // Powers of two from this length on take the four-lane vector transform where AVX2 is
    // available; below it the passes in complex order are as fast or faster (their data stays in
    // L1).
    static constexpr std::size_t kMinLaneLength = 4096;
    // Powers of two from this length up to kMinLaneLength run breadth first where AVX-512 is
    // available.
    static constexpr std::size_t kMinBreadthFirstLength = 1024;

    // allowSimd false keeps to the portable passes even where AVX2 and FMA are available. The
    // construction looks at cancel (when not null) while it computes the twiddles and stops when
    // it is set: the plan is then not Complete() and must not be executed.
    explicit CFftPlan(std::size_t n, bool allowSimd = true,
                      const std::atomic<int>* cancel = nullptr);
    ~CFftPlan();
    CFftPlan(const CFftPlan&) = delete;
    CFftPlan& operator=(const CFftPlan&) = delete;

    std::size_t Size() const { return m_n; }
    // Number of complex values the work array given to Execute must hold.
    std::size_t WorkSize() const { return m_workSize; }
    // The radices of the passes from the whole length down to the leaf transform (empty when
    // Bluestein's algorithm is used).
    const std::vector<std::size_t>& Radices() const { return m_radices; }
    bool UsesBluestein() const { return m_chirp != nullptr; }
    // False when a cancel request stopped the construction.
    bool Complete() const { return m_bComplete; }

    // out[k] = scale · Σ in[n]·e^(∓j2πnk/N) over n = 0..N-1, bin 0 first. in and out may be the
    // same array; work must hold WorkSize() values and must not overlap in or out.
    void Execute(const Complex* in, Complex* out, Complex* work, EFftDirection dir,
                 double scale = 1.0) const;

private:
    struct SPass {
        std::size_t radix; // p
        std::size_t span;  // length of the sub-transform this pass completes
        std::size_t twiddleOffset;
    };
    struct SChirp; // Bluestein's chirp and the transform of its filter

    template <bool Inv>
    void Leaf(std::size_t pass, const Complex* in, std::size_t stride, Complex* out) const;
    template <bool Inv>
    void Recurse(std::size_t pass, const Complex* in, std::size_t stride, Complex* out) const;
    template <bool Inv> void Combine(std::size_t pass, Complex* out) const;
    template <bool Inv> void Mixed(const Complex* in, Complex* out) const;
    template <bool Inv> void BreadthFirst(const Complex* in, Complex* out) const;
    template <bool Inv> void Bluestein(const Complex* in, Complex* out, Complex* work) const;

    std::size_t m_n = 0;
    std::size_t m_workSize = 0;
    std::vector<std::size_t> m_radices;
    std::vector<SPass> m_passes;
    std::vector<Complex> m_twiddles;
    // cos and sin of 2πk/p for the generic odd radices, per pass (empty for dedicated ones).
    std::vector<std::vector<double>> m_oddCos, m_oddSin;
    std::unique_ptr<SChirp> m_chirp;
    // Powers of two take the four-lane vector transform where it is available.
    std::unique_ptr<SFftLanePlan> m_lanes;
    bool m_useAvx2 = false;
    // Twiddle passes over a multiple of four bins take four complex numbers per register.
    bool m_useAvx512 = false;
    // Short powers of two run their leaves four at a time, then pass after pass.
    bool m_breadthFirst = false;
    bool m_bComplete = true;
};

// A transform of one length ready to run: a shared plan plus this object's own work array. One
// object per thread; copies share the plan and get their own work array.
class CFft {
public:
    using Complex = std::complex<double>;

    explicit CFft(std::size_t n);
    // A transform with the given plan (complete, not null).
    explicit CFft(std::shared_ptr<const CFftPlan> plan);
    CFft(const CFft& other);
    CFft& operator=(const CFft& other);

    std::size_t Size() const { return m_plan->Size(); }
    const CFftPlan& Plan() const { return *m_plan; }

    // out = scale · DFT(in) with the kernel e^(-j2πnk/N); in and out hold Size() values each
    // and may be the same array.
    void Forward(const Complex* in, Complex* out, double scale = 1.0);
    // out = scale · Σ in[k]·e^(+j2πnk/N); the default scale 1/N undoes Forward.
    void Inverse(const Complex* in, Complex* out);
    void Inverse(const Complex* in, Complex* out, double scale);

    void Forward(std::vector<Complex>& data) { Forward(data.data(), data.data()); }
    void Inverse(std::vector<Complex>& data) { Inverse(data.data(), data.data()); }

private:
    // The work array within m_work, starting on a cache line: vector loads and stores of the
    // passes then never straddle two lines.
    Complex* Work();

    std::shared_ptr<const CFftPlan> m_plan;
    std::vector<Complex> m_work;
};

// The plan for length n from a small process-wide cache guarded by a lock (plans are immutable,
// so the returned plan may be used from any thread).
std::shared_ptr<const CFftPlan> GetFftPlan(std::size_t n);
// The same, a plan not in the cache built with a look at cancel: null (and nothing cached) when
// the request stopped the construction.
std::shared_ptr<const CFftPlan> GetFftPlan(std::size_t n, const std::atomic<int>* cancel);

// Convenience forms that allocate: the forward transform (scale 1) and the inverse (scale 1/N).
std::vector<std::complex<double>> FftForward(const std::vector<std::complex<double>>& x);
std::vector<std::complex<double>> FftInverse(const std::vector<std::complex<double>>& x);
