#pragma once

#include "plot/axis_settings.h"

#include <string>
#include <vector>

// One remembered view: its X range and complete copies of both axes' settings.
struct CZoomData {
    double m_dXMin = 0;
    double m_dXMax = 0;
    CAxisSettings m_X;
    CAxisSettings m_Y;
};

// Ways to walk the zoom levels.
enum EZoomNavigate {
    kZoomNext = 0,     // deeper, wrapping to the top from the deepest level
    kZoomTop = 1,      // the widest level
    kZoomIn = 2,       // one level deeper
    kZoomOut = 3,      // one level wider
    kZoomBottom = 4,   // the deepest level
    kZoomPrevious = 5, // wider, wrapping to the deepest level from the top
};

// The zoom levels of a plot, widest first. Walking back from the deepest level first saves the
// view on screen as a temporary level (the "present appended"), so that it can be returned to.
class CZoomList {
public:
    void RemoveAll();
    bool IsEmpty() const { return m_levels.empty(); }
    // Levels the user sees: the stored ones without the temporary present level.
    int GetLevelCount() const;
    // 0 while the top is shown after walking back, else the 1-based depth of the level shown.
    int GetCurrentLevelNumber() const;
    bool IsPresentAppended() const { return m_bPresentAppended; }
    const CZoomData& Current() const { return m_levels[m_nCurrent]; }
    const std::vector<CZoomData>& Levels() const { return m_levels; }

    // Saves a view: drops the levels after the current one (and the temporary present level),
    // appends the view and makes it current.
    void PushZoom(const CAxisSettings& x, const CAxisSettings& y, double xMin, double xMax);
    // After the data grew: refits copies of the top level's records to the new limits and, when
    // either had to grow, inserts them as a new top level over xLo..xHi. Returns whether it did.
    bool ExtendTop(double xLo, double xHi, double yLo, double yHi);

    // Walks the levels from the view now shown (present records and X range); returns the
    // level to show, or nullptr when the list is empty. Edits made at a level are remembered.
    const CZoomData* Navigate(int kind, const CAxisSettings& x, const CAxisSettings& y, double xMin,
                              double xMax);
    // Whether a walk of kind is possible (menu enabling).
    bool CanNavigate(int kind) const;
    // Whether Zoom Top / Zoom Bottom show checked.
    bool IsAtTop() const;
    bool IsAtBottom() const;

    // "Ready", "Top Zoom Level of N" or "Zoom Level I of N".
    std::string GetStatusText() const;

private:
    bool IsTail() const { return m_nCurrent + 1 == m_levels.size(); }
    std::vector<CZoomData> m_levels;
    size_t m_nCurrent = 0;
    bool m_bPresentAppended = false;
};

// What a plot says in the status bar after it has drawn itself: its zoom status while it has
// the focus, or when that status changed since the last paint (a zoom, a walk, a reset).
// Otherwise nothing, so that the status bar keeps what it shows (a design's result, a readout).
class CZoomStatusReport {
public:
    CZoomStatusReport();
    // The text to show, or nothing (an empty string).
    std::string AfterPaint(const CZoomList& zoom, bool hasFocus);

private:
    std::string m_strLast; // the status at the last paint
};

// Caption of a zoom command of a navigation kind.
const char* ZoomCommandCaption(int kind);
