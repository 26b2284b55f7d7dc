#pragma once

// Maps axis values to device coordinates and back on a linear or logarithmic axis. X grows to
// the right from the plot's left edge, Y grows upward from its bottom edge.
class CAxisMap {
public:
    // Sets the map for the axis min..max over length device units from edge. Refused (false,
    // the map unchanged) for an empty, reversed or non-finite range, a log axis whose maximum
    // is not positive, or a length below 1. A log axis with minimum <= 0 uses max * 0.01.
    bool Set(double min, double max, bool log, int edge, int length);
    bool IsValid() const { return m_bValid; }
    bool IsLog() const { return m_bLog; }

    // Device X of a value: (int)((u - origin) * scale * length + 0.001) + edge; a value <= 0 on
    // a log axis maps to the edge.
    int ToDeviceX(double x) const;
    // Device Y of a value: edge - round((u - origin) * scale * length); edge is the bottom.
    int ToDeviceY(double y) const;
    // The inverses.
    double FromDeviceX(int px) const;
    double FromDeviceY(int py) const;

    double Min() const { return m_dMin; }
    double Max() const { return m_dMax; }
    int Edge() const { return m_nEdge; }
    int Length() const { return m_nLength; }

private:
    double Unit(double v) const;
    bool m_bValid = false;
    bool m_bLog = false;
    double m_dMin = 0, m_dMax = 1;
    double m_dOrigin = 0, m_dScale = 1;
    int m_nEdge = 0, m_nLength = 1;
};
