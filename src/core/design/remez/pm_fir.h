#pragma once

// The desired response and weight that the Remez exchange engine reads at each grid frequency.
// Frequencies are fractions of Fs (0 to 0.5); band is one-based; jtype is the response type
// (1 filter, 2 differentiator, 3 Hilbert).
class CPmFir {
public:
    virtual ~CPmFir() = default;
    // Desired amplitude at freq: desired for a filter or Hilbert band, desired * freq for a
    // differentiator band.
    virtual double EFF(double freq, double desired, double weight, int band, int jtype) const;
    // Weight at freq: weight, or weight / freq in a differentiator band whose desired slope is at
    // least 0.0001.
    virtual double WATE(double freq, double desired, double weight, int band, int jtype) const;
};
