#pragma once

#include "plot/rubber_band.h"

#include <cstdint>
#include <string>
#include <vector>

// A colour as red, green and blue.
struct SRgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const SRgb&) const = default;
};
// A colour stored as 0x00BBGGRR (the order the project file keeps).
SRgb RgbFromColorRef(int colorRef);
// Colour i (0..9, wrapping) of the curve palette: red, blue, dark green, magenta, navy, green,
// cyan, grey, light grey, black.
SRgb PaletteColor(int i);
// Index of a colour in the palette, or -1.
int PaletteIndex(SRgb c);

// How a curve is drawn and named in the legend.
struct SCurveAttributes {
    std::string m_strName;
    SRgb m_color{255, 0, 0};
    bool m_bDotted = false; // dotted pen, hollow markers
};

// Curve styles (0 is the view's automatic style).
enum EPlotStyle {
    kStyleAuto = 0,
    kStyleLine = 1,
    kStyleDot = 2,
    kStyleLineDot = 3,
    kStyleBar = 4,
    kStyleStem = 5,
    kStyleVLine = 6,
    kStyleStair = 7,
};

struct SDevicePoint {
    int x = 0, y = 0;
};

// A piece of text placed by the layout. Anchors: X title and X labels are centred on x with
// their baseline at y; Y labels end at x and are centred on y; the Y title is rotated a
// quarter turn and centred on (x, y); the main title is centred on x with its baseline at y.
struct SPlacedText {
    std::string m_strText;
    double x = 0, y = 0;
};

// A line over the finished plot (the specification mask), in device units.
struct SOverlayLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    SRgb m_color;
};

// A mark over the plot at (x, y): a ring or a cross of radius rx, or the outline of an ellipse of
// radii rx and ry; its text, when any, is drawn at its upper right.
struct SPlotMark {
    enum EShape { kRing, kCross, kOutline };
    EShape nShape = kRing;
    int x = 0, y = 0, rx = 4, ry = 4;
    SRgb m_color;
    std::string m_strText;
};

// One legend row: the sample line from x1 to x2 at y, the name centred on nameX.
struct SLegendEntry {
    std::string m_strName;
    SRgb m_color;
    bool m_bDotted = false;
    int x1 = 0, x2 = 0, y = 0;
    double nameX = 0;
};

// Everything a painter needs to draw a prepared plot: device positions only, no arithmetic.
struct CPlotLayout {
    bool m_bDrawn = false; // false: the area was too small or there is nothing to plot
    SDeviceRect m_area;    // the whole drawing area
    SDeviceRect m_plot;    // the plot rectangle (curves are clipped to it, grown by the dot radius)
    double m_dFontHeight = 0;      // titles, device units
    double m_dLabelFontHeight = 0; // axis labels, device units (0: no axes drawn)
    double m_dLineHeight = 0;      // height of a text line
    int m_nDotRadius = 2;
    int m_nTicLength = 1;
    int m_nStyle = kStyleLine; // resolved style (never kStyleAuto)
    int m_nBaseY = 0;          // base line of bars, stems and vertical lines
    SPlacedText m_mainTitle, m_xTitle, m_yTitle;
    std::vector<SPlacedText> m_xLabels, m_yLabels;
    std::vector<int> m_gridX, m_gridY; // device X of vertical and Y of horizontal grid lines
    std::vector<int> m_ticX, m_ticY;
    int m_nZeroX = -1, m_nZeroY = -1; // zero lines (-1: none)
    std::vector<SLegendEntry> m_legend;
    double m_dLegendFontHeight = 0;                  // legend names, device units
    std::vector<std::vector<SDevicePoint>> m_curves; // device points of each curve
    std::vector<SCurveAttributes> m_curveAttributes;
    std::vector<SOverlayLine> m_overlay;
    std::vector<SPlotMark> m_marks;
    std::string m_strMessage; // shown in the middle of the plot rectangle instead of a picture
};
