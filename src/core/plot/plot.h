#pragma once

#include "plot/axis_labels.h"
#include "plot/axis_map.h"
#include "plot/axis_settings.h"
#include "plot/plot_layout.h"
#include "plot/zoom_list.h"

#include <string>
#include <vector>

class CHost;

// Text sizes of the plot's font (a bold sans face) at a height in device units, measured by
// whoever draws the plot.
class CTextMeasurer {
public:
    virtual ~CTextMeasurer() = default;
    virtual double TextWidth(const std::string& text, double fontHeight) const = 0;
    // Height of a line of text ("Bq").
    virtual double LineHeight(double fontHeight) const = 0;
};

// The face of a plot's text: family, weight (100 thin, 400 normal, 700 bold, 900 black) and
// slant; the size follows the plot's own size.
struct SPlotFace {
    std::string m_strFamily = "Arial";
    int m_nWeight = 700;
    bool m_bItalic = false;
};

// Text sizes estimated without a font: glyphs 0.6 of the height wide, lines 1.2 high (plot
// files written where no font can be measured, and tests).
class CEstimatedTextMeasurer : public CTextMeasurer {
public:
    double TextWidth(const std::string& text, double fontHeight) const override {
        return 0.6 * fontHeight * static_cast<double>(text.size());
    }
    double LineHeight(double fontHeight) const override { return 1.2 * fontHeight; }
};

// The axis values a plot draws with, taken from its settings records.
struct SWorkingAxis {
    double dMin = 0, dMax = 100;
    double dLabel = 50, dTic = 10;
    int nPower = 0;
    int nDecimals = 2;
    int nGrid = 1;
    bool bLog = false;
};

// A plot: titles, both axes with their settings and zoom levels, the curves to draw and the
// layout that places them in a device rectangle. Derived plots say what data there is, how it
// is scaled, reduced to points and described.
class CPlot {
public:
    explicit CPlot(CHost* pHost = nullptr);
    virtual ~CPlot() = default;
    CPlot(const CPlot&) = delete;
    CPlot& operator=(const CPlot&) = delete;

    void SetHost(CHost* pHost) { m_pHost = pHost; }
    CHost* GetHost() const { return m_pHost; }

    // ---- what derived plots decide --------------------------------------------------------
    virtual bool HasData() const { return false; }
    virtual int GetCurveCount() const { return 2; }
    // Line and dot up to 256 points, else line.
    virtual int GetAutoStyle() const;
    int GetStyle() const { return m_nStyle == kStyleAuto ? GetAutoStyle() : m_nStyle; }
    // Fits both axes to the data (SetAxisRanges).
    virtual void AutoScale() {}
    // Regenerates the titles when automatic; returns the power of ten the X title shows and
    // sets yDisplayPower to the one the Y title shows (both start as the axes' powers).
    virtual int UpdateTitles(int xPower, int& yDisplayPower);
    // Fills the X column and the curves for a plot width in device units; may lower the width
    // to the number of columns drawn.
    virtual void BuildPoints(int& width);
    virtual void SetCurveAttributes() {}
    // Makes lo..hi the visible X range; false when it is too narrow to show.
    virtual bool SetXRange(double lo, double hi);
    // Index of the plotted point nearest a device point and its curve; -1 without points.
    virtual int HitTest(int x, int y, int& curve) const;
    // Status text for a clicked point.
    virtual std::string ReadoutText(int index, int curve);
    // Lines drawn over the finished plot.
    virtual std::vector<SOverlayLine> OverlayLines() const { return {}; }
    // Marks drawn over the finished plot, and a message shown in it instead of a picture.
    virtual std::vector<SPlotMark> Marks() const { return {}; }
    virtual std::string PlotMessage() const { return {}; }
    // Empties the zoom list.
    virtual void ResetZoom();
    // Whether the legend must be drawn however narrow the plot is (it tells two filters apart):
    // it is then made smaller and its names shortened to fit.
    virtual bool LegendRequired() const { return false; }

    // ---- axes -------------------------------------------------------------------------------
    // Copies both settings records into the working axes.
    void ApplyAxisSettings();
    void ApplyAxisSettings(bool x);
    // Fits both records to the data limits (honouring refit requests) and applies them. In X-Y
    // mode log axes are turned off first, with a notice.
    void SetAxisRanges(double xlo, double xhi, double ylo, double yhi);
    // Requests that the next SetAxisRanges fits the axis whatever its automatic flag.
    void RequestRefit(bool x, bool y);
    const SWorkingAxis& WorkingAxis(bool x) const { return x ? m_workX : m_workY; }
    const CAxisMap& Map(bool x) const { return x ? m_mapX : m_mapY; }

    // ---- zoom -------------------------------------------------------------------------------
    // Zooms to x1..x2 and/or y1..y2 (values), saving the present view first. A range of no
    // width, a zoom past the deepest level or an X range the plot refuses changes nothing;
    // the last is reported when report is set. Returns whether it zoomed.
    bool ZoomTo(bool zoomX, bool zoomY, bool report, double x1, double x2, double y1, double y2);
    // Zooms to a device rectangle (ordered) of the present layout.
    bool ZoomToDevice(bool zoomX, bool zoomY, bool report, const SBandResult& band);
    // Walks the zoom levels (EZoomNavigate).
    void Navigate(int kind);
    bool CanNavigate(int kind) const { return m_zoom.CanNavigate(kind); }
    // The zoom list's status text.
    std::string GetZoomStatusText() const { return m_zoom.GetStatusText(); }
    // Zooms both axes to half the area around a device point (a quarter each way) without
    // the narrow-range message. False when the point lies outside the values or too deep.
    bool CenteredZoom(int x, int y);
    // Where the value that was under the mouse at the last centred zoom lies after the paint
    // that followed it (the area's centre when it is now outside the area): the mouse pointer
    // goes there. False when no centred zoom waits for it; it is given once.
    bool TakeWheelTarget(int& x, int& y);
    virtual int GetMaxZoomLevels() const { return 35; }
    const CZoomList& Zoom() const { return m_zoom; }
    double XRangeMin() const { return m_dXMin; }
    double XRangeMax() const { return m_dXMax; }

    // ---- points and layout ----------------------------------------------------------------
    // Empties the points so that the next Prepare rebuilds them.
    void Refresh() { m_bPointsValid = false; }
    bool PointsValid() const { return m_bPointsValid; }
    // Lays the plot out in a device rectangle: scales and builds the points when they were
    // emptied (or the width changed), places titles, labels, grid and curves. percent is the
    // base font height in percent of the smaller side (4 on screen, 3 on paper).
    // The part of a printed page (width x height device units) the plot takes: the whole page,
    // or in X-Y mode a square of the page's smaller side, so that both axes keep one scale.
    SDeviceRect PrintArea(int pageWidth, int pageHeight) const;
    const CPlotLayout& Prepare(const CTextMeasurer& measurer, const SDeviceRect& area,
                               double percent = 4.0);
    const CPlotLayout& Layout() const { return m_layout; }
    // Curves only, in device units, for an unchanged layout (an incremental redraw).
    void PlaceCurves();

    const std::vector<double>& XColumn() const { return m_x; }
    // The X column curve c is drawn at.
    const std::vector<double>& XColumnOf(size_t c) const {
        return c < m_curveX.size() && !m_curveX[c].empty() ? m_curveX[c] : m_x;
    }
    const std::vector<std::vector<double>>& Curves() const { return m_curves; }
    const std::vector<int>& PointCounts() const { return m_counts; }
    const std::vector<SCurveAttributes>& CurveAttributes() const { return m_attributes; }

    // ---- text output ------------------------------------------------------------------------
    // The plotted points as the plot file holds them: "X   Y1[   Y2]" lines ending in CR LF,
    // numbers with 6 significant digits; with titles the main, Y and X titles first. Points
    // a log axis cannot show (X <= 0 or Y <= 0) are left out.
    virtual std::string GetPlotFileText(bool withTitles) const;
    // The same points as "%12.9lf" columns separated by tabs, for the clipboard.
    virtual std::string GetCopyDataText() const;
    // Whether all three titles are non-empty (the plot file then asks to write them).
    bool HasAllTitles() const;

    // ---- settings -----------------------------------------------------------------------
    std::string m_strXTitle, m_strYTitle, m_strTitle; // the titles without power suffix
    int m_bAutoTitles = 1;
    int m_bLegend = 1;
    int m_bOriginAtZero = 1;
    int m_bZoomFullDecade = 1;
    int m_bXYMode = 0;
    int m_nStyle = kStyleAuto;
    double m_dFontScale = 1.0; // the chosen font size relative to the automatic one
    SPlotFace m_face;          // the chosen face of every text of the plot
    CAxisSettings m_X, m_Y;

protected:
    // Whether a point is left out of the text outputs.
    bool IsWritable(size_t i) const;
    void ClearPoints();
    void ReportNotice(const char* text) const;
    // The power-of-ten suffix of a title.
    static std::string PowerSuffix(int power);
    // Places the curves of the present points with the present maps.
    std::vector<std::vector<SDevicePoint>> DeviceCurves() const;

    CHost* m_pHost;
    CZoomList m_zoom;
    SWorkingAxis m_workX, m_workY;
    CAxisMap m_mapX, m_mapY;
    double m_dXMin = 0, m_dXMax = 100; // the visible X range
    bool m_bRefitX = false, m_bRefitY = false;
    bool m_bPointsValid = false;
    bool m_bWheelTargetPending = false;
    double m_dWheelX = 0, m_dWheelY = 0; // the value under the mouse at a centred zoom
    int m_nBuiltWidth = -1;              // area width the points were built for
    int m_nPointsWidth = -1;             // plot width the points were built for
    std::vector<double> m_x;
    std::vector<std::vector<double>> m_curves;
    // X columns of curves drawn at their own points (another signal's samples); a curve
    // without one (empty or past the end) is drawn at m_x.
    std::vector<std::vector<double>> m_curveX;
    std::vector<int> m_counts; // samples each point stands for
    std::vector<SCurveAttributes> m_attributes;
    CPlotLayout m_layout;

private:
    struct SAxisLabels;
    bool PlaceAxes(const CTextMeasurer& measurer, double font, SAxisLabels& labels);
    void PlaceGridAndTics();
    void PlaceLegend(const CTextMeasurer& measurer, double font, int& right);
    // A legend font and names that fit within budget device units, for a required legend.
    static double FitLegend(const CTextMeasurer& measurer, double font, double budget,
                            std::vector<std::string>& names);
};
