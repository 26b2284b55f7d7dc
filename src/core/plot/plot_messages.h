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
inline constexpr const char* kPoleZeroTitle = "Pole-Zero Plot";
inline constexpr const char* kRealPartTitle = "Real Part";
inline constexpr const char* kImaginaryPartTitle = "Imaginary Part";
inline constexpr const char* kZeroReadout = "Zero at radius %0.6f, angle %0.6f";
inline constexpr const char* kZeroMultiplicity = ", multiplicity %d";
} // namespace PlotMessages

// Menu captions of the plot commands, in the order of their codes.
namespace PlotMenus {
// Styles 0..7.
inline constexpr const char* kStyles[] = {"Auto", "Line", "Dot",           "Line And Dot",
                                          "Bar",  "Stem", "Vertical Line", "Stair"};
// The Style menu's items by their style codes, as the menu lists them.
inline constexpr int kStyleMenuOrder[] = {0, 1, 2, 3, 5, 6, 4, 7};
// Frequency view channels 1..4 and the response kinds, in the order of kResponseKinds.
inline constexpr const char* kChannels[] = {"Inphase", "Quadrature", "I And Q", "Complex"};
inline constexpr const char* kKinds[] = {"Magnitude", "Phase", "Unwrapped Phase", "Phase Delay",
                                         "Group Delay"};
// Time view graph types 0..5, then histogram mode, and the response modes 13..15.
inline constexpr const char* kTypes[] = {"Inphase Amplitude",  "Quadrature Amplitude",
                                         "I And Q Amplitudes", "Complex Magnitude",
                                         "Complex Phase",      "Polar (I vs. Q)"};
inline constexpr const char* kHistogram = "Histogram";
inline constexpr const char* kModes[] = {"Impulse", "Step", "Impulse and Step"};
inline constexpr const char* kXAxisItem = "X-Axis...";
inline constexpr const char* kYAxisItem = "Y-Axis...";
inline constexpr const char* kTitlesItem = "Titles...";
inline constexpr const char* kFontItem = "Choose Font...";
inline constexpr const char* kPropertiesItem = "Properties...";
inline constexpr const char* kPrintItem = "Print...";
inline constexpr const char* kPrintPreviewItem = "Print Preview";
inline constexpr const char* kCopyImageItem = "Copy Image";
inline constexpr const char* kCopyDataItem = "Copy Data";
inline constexpr const char* kWriteDataItem = "Write Data...";
inline constexpr const char* kFilterMenu = "Filter";
inline constexpr const char* kResponseMenu = "Response";
inline constexpr const char* kTypeMenu = "Type";
inline constexpr const char* kStyleMenu = "Style";
inline constexpr const char* kAxisMenu = "Axis";
inline constexpr const char* kCompareMenu = "Compare With";
inline constexpr const char* kComparePrevious = "Previous State";
inline constexpr const char* kCompareUnquantized = "Unquantized";
inline constexpr const char* kCompareOther = "Other Project...";
inline constexpr const char* kCompareNone = "None";
inline constexpr const char* kDifference = "Difference";
} // namespace PlotMenus
