#pragma once

// Nice axis limits and spacings for a data range: limits on whole multiples of a spacing of
// 1, 2, 2.5, 4 or 5 times a power of ten (linear), or whole decades (logarithmic).
struct SNiceScale {
    double dMin;
    double dMax;
    double dLabel; // label spacing (decades per label on a log axis)
    double dTic;   // tic spacing (a fraction of a decade on a log axis)
};

// Nice scale of the data range lo..hi (lo <= hi; a reversed range is swapped). A range too
// narrow to tell from a point grows to start or end at 0; a range of zeros becomes -0.5..0.5.
SNiceScale NiceScale(double lo, double hi, bool log);

// The user-editable settings of one axis, fitted to the data it shows.
struct CAxisSettings {
    double m_dDataMin = 0;   // lowest data value the axis was last fitted to
    double m_dDataMax = 0;   // highest data value the axis was last fitted to
    int m_bLog = 0;          // logarithmic axis
    int m_nGrid = 1;         // 0 None, 1 On Tic Marks, 2 On Labels, 3 On Zero
    int m_bManualLabels = 0; // 1: m_nPower is the user's
    int m_bAutoScale = 1;    // limits follow the data
    int m_nDecimals = 3;     // most decimal digits in a label
    double m_dAxisMin = 0;
    double m_dAxisMax = 0;
    double m_dTic = 0;   // tic spacing (log axis: fraction of a decade)
    double m_dLabel = 0; // label spacing (log axis: decades per label)
    int m_nPower = 0;    // power of ten the labels are divided by

    // Fits the axis to lo..hi when it follows the data or when the range lies wholly outside
    // the last fitted one. A single value v becomes 0..2v (or 2v..0). A range that is not
    // finite changes nothing.
    void SetDataRange(double lo, double hi);
    // Refits only when lo or hi lies outside the fitted data range; returns whether it did.
    bool ExtendDataRange(double lo, double hi);
    // Stores the data range, applies the nice scale and, unless manual, the label power.
    void Refit(double lo, double hi);
    // The power of ten the labels take automatically: that of the minimum on a log axis, of
    // the label spacing on a linear one (a multiple of 3).
    int AutomaticPower() const;

    bool operator==(const CAxisSettings&) const = default;
};
