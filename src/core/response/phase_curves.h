#pragma once

#include <vector>

class CDataColumn;

// In-place transforms of a phase curve sampled at a list of frequencies. A curve and its
// frequency list have equal length; phases are in degrees, frequencies in the unit of the
// sampling frequency, delays in the matching time unit (seconds for Hz).

// Removes the jumps of more than 180 degrees between adjacent points by adding multiples of 360;
// a jump of exactly 180 degrees is kept.
void UnwrapPhase(CDataColumn& curve);

// Phase delay -phase / (360 f) of an unwrapped phase curve, after removing the whole turns that
// the point nearest zero frequency holds beyond (-180, 180]. A point at f = 0 takes the delay of
// the point after it (of the point before it when it is the last point; 0 when it is alone).
void PhaseToPhaseDelay(CDataColumn& curve, const CDataColumn& freqs);

// Unwraps a phase curve (degrees) with the exact group delay (time unit of the sampling
// frequency's unit) at each of its frequencies: between two points the phase turns by about
// -360 * (mean delay) * (frequency step), and of the values the raw phase allows (whole turns
// apart) the one nearest that prediction is taken, however far apart the points are. Where the
// delay is not defined at either point (a zero of the response) the nearer-branch rule of
// UnwrapPhase applies.
void UnwrapPhaseByDelay(CDataColumn& curve, const CDataColumn& freqs, const CDataColumn& delays,
                        const std::vector<bool>& defined);
