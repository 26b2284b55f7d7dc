#pragma once

#include <string>
#include <vector>

// One axis label: its text and the axis value it stands for.
struct CLabel {
    std::string m_strText;
    double m_dValue;
};
using CLabelArray = std::vector<CLabel>;

// What label generation is asked to do on one axis.
struct SLabelRequest {
    int nDecimals;   // most digits after the point (clamped to 0..9)
    double dSpacing; // label spacing (log axis: decades per label)
    int nPower;      // power of ten the values are divided by (-3..-1 are not used)
    bool bLog;       // logarithmic axis
    double dMin;     // axis minimum
    double dMax;     // axis maximum
    double dScale;   // extra factor of every text (10^(display power - axis power))
};

// Labels of an axis. More than 100 labels would be made: ten are made instead, *pSpacing (when
// given) receives the spacing used and *pTooMany is set so that the caller can say so.
// Linear labels are printed with the decimals asked for and then lose the trailing zeros they
// all share; log labels read 1.0E+k.
CLabelArray GenerateLabels(const SLabelRequest& request, double* pSpacing = nullptr,
                           bool* pTooMany = nullptr);

// The power of ten labels and titles show for an axis power: -3, -2 and -1 are shown as plain
// decimals (0).
int UsedLabelPower(int power);

// Values of the grid lines or tic marks of an axis from start to end with increment d (log
// axis: d >= 1 steps whole decades, d < 1 steps d * 10 of each decade). An empty or reversed
// range, a non-positive or non-finite increment gives none; at most kMaxScaleLines values.
std::vector<double> ScaleLineValues(bool log, double start, double end, double d);
inline constexpr int kMaxScaleLines = 5000;
