#pragma once

#include "data/corvi_data.h"

// Signal operations, in place on the I and Q columns of a signal d. Operations on empty data
// do nothing.

enum ERemoveMode { RemoveEachEnd = 0, RemoveBeginning = 1, RemoveEnd = 2 };
enum ETruncateKind {
    TruncateQuantity = 0,
    TruncateMagnitude = 1,
    TruncateBelowPeakDb = 2,
    TruncateBelowSumDb = 3
};

// Multiplies I (windowI) and Q (windowQ, complex data only) by the weights of window code
// (dsp/windows.h) with its parameter; m_nWindow becomes code.
void ApplyWindow(CCorviData& d, int code, double parameter, bool windowI, bool windowQ);
// Multiplies I (scaleI) and Q (scaleQ, complex data only) by factor, rounding the products
// to integers with round. A factor of 0 asks first; false when the answer is not Yes.
bool Scale(CCorviData& d, bool scaleI, bool scaleQ, bool round, double factor);
// I (fillI) and Q (fillQ) become count copies of value; real data loses its Q first.
void Fill(CCorviData& d, int count, bool fillI, bool fillQ, double value);
// I (genI) and Q (genQ) become count samples of cos and sin at frequency (unit of Fs),
// starting at phaseDegrees; genQ makes the data complex. False (nothing changed) when the
// phase step is not finite (zero Fs).
bool Generate(CCorviData& d, int count, bool genI, bool genQ, double frequency,
              double phaseDegrees);
// Generate with the frequency that puts cycles periods into count samples.
bool GenerateCycles(CCorviData& d, int count, bool genI, bool genQ, double cycles,
                    double phaseDegrees);
// Multiplies by e^(j(phase + 2 pi frequency n / Fs)), frequency in the unit of Fs, phase
// in radians. False (nothing changed) when the phase step is not finite (zero Fs).
bool Mix(CCorviData& d, double frequency, double phase);
void AppendZeros(CCorviData& d, int n);
void PrependZeros(CCorviData& d, int n);
// Puts n zeros between adjacent points; with scaleFs, Fs is multiplied by n + 1.
void StuffZeros(CCorviData& d, int n, bool scaleFs);
// Removes n points at each end, the beginning or the end (ERemoveMode); returns n, or 0
// when nothing was removed.
int RemovePoints(CCorviData& d, int mode, int n);
// Removes the points before the first (or after the last, for RemoveEnd) point whose
// magnitude exceeds t; RemoveEachEnd removes the leading count from both ends. Returns
// the count removed (at each end for RemoveEachEnd).
int TruncateBelow(CCorviData& d, int mode, double t);
// Truncation by a quantity or a magnitude threshold (ETruncateKind): a count, a
// magnitude, or dB below the peak or the sum. Returns the count removed.
int Truncate(CCorviData& d, int kind, int mode, double value);
// Removes trailing points whose I and Q are both exactly 0.
void TrimTrailingZeros(CCorviData& d);
// Removes points with I and Q exactly 0 from the end, then from the beginning; returns the
// number removed.
int TrimZeros(CCorviData& d);
// Keeps the points start, start + step, ...; scaleValues multiplies them by step and
// scaleFs divides Fs by step. Refused (false) unless step >= 1 and 0 <= start < step.
bool SelectPhase(CCorviData& d, int start, int step, bool scaleValues, bool scaleFs);
// Replaces the data by its full linear convolution with other (N + N_other - 1 points).
void Convolve(CCorviData& d, const CCorviData& other);
// Takes source's Fs and real flag; I and Q become the running sums of source's I and Q.
void Integrate(CCorviData& d, const CCorviData& source);

// d becomes the discrete Fourier transform of the first nSize points of source (0, or
// more than source holds: all of them) and flips between time and frequency data. The scale
// is 1 when d held time data before the call, else 1/nSize. Time to frequency uses
// e^(-j2πnk/N) with bin 0 first; frequency to time uses e^(+j2πnk/N). Any length is exact.
void Transform(CCorviData& d, const CCorviData& source, int nSize = 0);
