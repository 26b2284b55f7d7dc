#pragma once

#include "plot/axis_settings.h"

#include <string>

class CGraph;
class CHost;
class CPlot;

// The rules of the plot dialogs (axis, titles, properties), shared by the dialogs and tests.

// Autoscale Once of the axis dialog: the nice scale of the record's fitted data range.
SNiceScale AxisAutoscaleOnce(const CAxisSettings& record, bool log);
// Corrects a record edited in the axis dialog before it is stored: on a linear axis a label
// spacing that gives more than 101 labels becomes a tenth of the range, then a tic spacing that
// gives more than 101 tics a fifth of the label spacing (each with its message naming the axis,
// "X-Axis" or "Y-Axis"); with automatic labels the power follows the minimum (log) or the label
// spacing (linear).
void CheckAxisRecord(CAxisSettings& record, bool xAxis, CHost* pHost);
// Stores an edited record in a plot's axis and applies it: the points are rebuilt.
void ApplyAxisRecord(CPlot& plot, bool xAxis, const CAxisSettings& record);

// Stores the three titles and turns automatic titles off.
void ApplyTitles(CPlot& plot, const std::string& main, const std::string& x, const std::string& y);

// The values of the plot properties dialog.
struct SGraphOptions {
    bool bOriginAtZero = true;
    bool bAutoTitles = true;
    bool bLegend = true;
    bool bDb = true;
    bool bIntegerReduction = false;
    bool bSumMode = true;
    bool bZoomFullDecade = true;
    int nBins = 17;
    bool bAutoBins = true;
    double dMax = 0;
    double dMin = 0;
    bool bAutoRange = true;
};
SGraphOptions GetGraphOptions(const CGraph& graph);
// The dialog's OK checks: a histogram range with Max <= Min or a bin count of 4 or less (when
// not automatic) is refused with its message; true when the values may be stored.
bool ValidateGraphOptions(const SGraphOptions& options, CHost* pHost);
// Stores the values, requests a refit of both axes, recomputes the histogram and refreshes.
void ApplyGraphOptions(CGraph& graph, const SGraphOptions& options);
