#pragma once

#include "design/quant_options.h"
#include "dsp/fixed_point.h"

#include <atomic>
#include <vector>

class CCorviData;

// |z| by the largest-plus-smaller-part rule: 0.960433870103 max(|re|, |im|) +
// 0.397824734759 min(|re|, |im|), within 4 % of the true magnitude.
double EstimateMagnitude(double re, double im);

// Error of a quantized response against the reference response of the unquantized filter, both
// gridded responses (frequency data, Fs 1.0): the mean of (|C[k]| - |R[k s]|)^2 over the bins k of
// C from frequency 0 up to, not including, the bin of Fs/2, s = (bins of R) div (bins of C),
// magnitudes estimated by EstimateMagnitude. Only bins where the reference exceeds 0.1 (its
// passband) or lies below the current magnitude count. When no bin counts, every bin of that
// range counts instead, so that the measure still prefers the response closest to the
// reference; 0 when the range holds no bin.
double ResponseError(const CCorviData& current, const CCorviData& reference);

// Search quantization: chooses, tap by tap, between neighbouring fixed-point levels the one whose
// response has the smallest ResponseError against the unquantized response, measured with the
// responses of resolutions low, 2 low, 4 low, ... up to high. A candidate level changes one tap
// or a symmetric pair of taps, so each measured spectrum is the current one plus the change times
// that tap's Fourier row: no transform is taken per candidate. Levels outside the quantizer's
// range are never chosen.
class CQuantSearch {
public:
    // filter: its I column is searched in place (Q enters the responses unchanged). cancel is
    // tested before every measurement; progress receives the percent done.
    CQuantSearch(CCorviData& filter, const QuantOptions& options,
                 const CFixedPointQuantizer& quantizer, const std::atomic<int>& cancel,
                 std::atomic<int>& progress);

    // Pairs from the centre outwards, the rounding error of each symmetric pair carried to the
    // next; an asymmetric pair is rounded. False when cancelled.
    bool RunSymmetric();
    // Single taps from the centre outwards, each between its rounding and the levels one step
    // below and above. False when cancelled.
    bool RunAsymmetric();
    // False when the reference response cannot be computed (transform too long).
    bool IsUsable() const { return !m_grids.empty(); }

private:
    // The current spectrum at one resolution, over the bins that the error measure reads.
    struct SGrid {
        int length = 0;             // transform length
        int bins = 0;               // bins measured: 0 .. bins-1
        int padded = 0;             // bins rounded up to the kernel's lane count
        std::vector<double> re, im; // current spectrum
        std::vector<double> ref;    // magnitude estimate of the reference at bin k s
        std::vector<double> cosT;   // cos(2 pi t / length)
        std::vector<double> sinT;   // -sin(2 pi t / length)
        std::vector<double> rowRe;  // spectrum of a unit change at the taps being searched
        std::vector<double> rowIm;
    };

    void Prepare();
    // rowRe/rowIm of every grid become the spectrum of a unit change at tap a (and at tap b when
    // b differs from a).
    void BuildRows(int a, int b);
    // Writes (or, with accumulate, adds) the spectrum of a unit change at tap p into g's rows.
    void AddRow(SGrid& g, int p, bool accumulate);
    // Adds delta times the rows to the current spectra.
    void Commit(double delta);
    // Adds the change of taps a and b (by da and db) to the current spectra.
    void CommitTwo(int a, double da, int b, double db);
    // ResponseError of the current spectrum plus delta times the rows, at grid g.
    double Measure(const SGrid& g, double delta) const;
    bool Cancelled() const { return m_cancel.load() != 0; }
    // Whether level (multiple of the step) lies in the quantizer's range.
    bool InRange(double level) const;

    CCorviData& m_filter;
    QuantOptions m_options;
    CFixedPointQuantizer m_quantizer;
    const std::atomic<int>& m_cancel;
    std::atomic<int>& m_progress;
    std::vector<SGrid> m_grids;
    // Twiddle factors of the bins within one block of kRowBlock.
    static constexpr int kRowBlock = 64;
    std::vector<double> m_fineRe, m_fineIm;
};
