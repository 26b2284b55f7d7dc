#pragma once

// Texts the plot engine shows: messages, status texts, titles and menu captions.
namespace PlotMessages {
inline constexpr const char* kTooManyLabels =
    "Label increment results in too many labels.\nTen labels will be made.";
inline constexpr const char* kTooManyTics =
    "Tic increment will result in too many tics.\nTwo tics per label will be made.";
inline constexpr const char* kLogOffForPolar = "Log mode will be turned off for Polar Plot.";
inline constexpr const char* kTooNarrow = "Cannot zoom: horizontal range is too narrow.";
inline constexpr const char* kTopZoomLevel = "Top Zoom Level of %1";
inline constexpr const char* kZoomLevel = "Zoom Level %1 of %2";
inline constexpr const char* kToPolar =
    "Changing to Polar mode will reset all zoom levels.\nDo you want to change to Polar Mode?";
inline constexpr const char* kFromPolar = "Changing out of Polar mode will reset all zoom "
                                          "levels.\nDo you want to change out of Polar Mode?";
inline constexpr const char* kWriteTitles = "Write titles to file?";
inline constexpr const char* kPlotFileFilter = "All Files (*.*)|*.*|PlotFiles (*.plt)|*.plt||";
inline constexpr const char* kPlotFileName = "GRAPH.PLT";
inline constexpr const char* kPictureDescription = "Corvi Plot";
inline constexpr const char* kAxisTooManyLabels =
    "%1: Specified Label Spacing will result in too many labels.\nTen labels will be used.";
inline constexpr const char* kAxisTooManyTics =
    "%1: Specified Tic Spacing will result in too many tics.\nFive tics per label will be used.";
inline constexpr const char* kHistogramRange =
    "The histogram minimum value must be less than the histogram maximum value";
inline constexpr const char* kHistogramBins = "The number of histogram bins must be greater than 4";
inline constexpr const char* kXAxis = "X-Axis";
inline constexpr const char* kYAxis = "Y-Axis";

// Initial titles of a plot.
inline constexpr const char* kInitialXTitle = "X-Title";
inline constexpr const char* kInitialYTitle = "Y-Title";
inline constexpr const char* kInitialMainTitle = "Main Title";
inline constexpr const char* kPowerSuffix = " * 10^%i";
inline constexpr const char* kUnitTitle = "%1 in %2";

// Zoom menu captions, in the order of the navigation kinds they serve.
inline constexpr const char* kZoomNext = "Zoom Next";
inline constexpr const char* kZoomTop = "Zoom Top";
inline constexpr const char* kZoomIn = "Zoom In";
inline constexpr const char* kZoomOut = "Zoom Out";
inline constexpr const char* kZoomBottom = "Zoom Bottom";
inline constexpr const char* kZoomPrevious = "Zoom Previous";
} // namespace PlotMessages
