#pragma once

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

// Group delay -dphase / (360 df) of an unwrapped phase curve, by differences of adjacent points.
// A negative or undefined delay (two points at one frequency) repeats the delay before it (0 at
// point 1); point 0 takes the delay of point 1.
void PhaseToGroupDelay(const CDataColumn& freqs, CDataColumn& curve);
