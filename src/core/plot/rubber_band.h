#pragma once

#include <vector>

// What a drag with the left button asks for.
enum EBandMode {
    kBandNothing = 1,
    kBandClick = 2,
    kBandX = 3,    // vertical lines: an X range
    kBandY = 4,    // horizontal lines: a Y range
    kBandBoth = 5, // a rectangle
};

// A device rectangle, edges inclusive.
struct SDeviceRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The outcome of a drag: its mode and the device range it selected (ordered), or the point of
// a click.
struct SBandResult {
    int nMode = kBandNothing;
    int x1 = 0, x2 = 0; // X range (kBandX, kBandBoth) or the click point's X
    int y1 = 0, y2 = 0; // Y range, top first (kBandY, kBandBoth) or the click point's Y
};

// The rubber band of a plot: the mode a press selects by where it lands, the lines or
// rectangle a drag shows, and what the release asks for.
class CRubberBand {
public:
    // Starts a drag: inside the plot a rectangle, beside it (left or right, within its height)
    // a Y range, above or below it (within its width) an X range, in the corners a rectangle.
    void Press(int x, int y, const SDeviceRect& plot);
    // Moves the free corner or line to the point, clamped into the plot.
    void Move(int x, int y);
    // Ends the drag. An X range under 10 device units becomes a click at the release point, a
    // Y range under 5 nothing; a rectangle narrower than 10 a click, lower than 5 an X range.
    SBandResult Release(int x, int y);

    bool IsActive() const { return m_bActive; }
    int Mode() const { return m_nMode; }
    int AnchorX() const { return m_nAnchorX; }
    int AnchorY() const { return m_nAnchorY; }
    int PointX() const { return m_nPointX; }
    int PointY() const { return m_nPointY; }
    bool HasMoved() const { return m_bMoved; }
    const SDeviceRect& Plot() const { return m_plot; }

private:
    void Clamp(int& x, int& y) const;
    bool m_bActive = false;
    bool m_bMoved = false;
    int m_nMode = kBandNothing;
    SDeviceRect m_plot;
    int m_nAnchorX = 0, m_nAnchorY = 0;
    int m_nPointX = 0, m_nPointY = 0;
};

// The crosshair lines of clicked points, in device units: at most two vertical and two
// horizontal lines, so that two points can be compared. A line at a coordinate already drawn
// is taken away (a second click on a point takes its lines away); a third line of a kind
// replaces the older of the two.
class CCrosshair {
public:
    void Show(int x, int y);
    void Clear();
    bool IsEmpty() const { return m_x.empty() && m_y.empty(); }
    const std::vector<int>& VerticalLines() const { return m_x; }
    const std::vector<int>& HorizontalLines() const { return m_y; }

private:
    static void Toggle(std::vector<int>& lines, int at);
    std::vector<int> m_x, m_y;
};
